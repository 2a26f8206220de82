#include "poll/poll_program.h"

#include "bus/address_scan.h"
#include "bus/gauge_exchange.h"
#include "link/serial_port.h"
#include "link/settings_file.h"
#include "link/transaction_engine.h"
#include "poll/poll_run.h"
#include "poll/reading_format.h"
#include "poll/stop_signals.h"

#include "gauge_simulator.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace orv {

namespace {

void WriteLine(std::FILE *stream, const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    // A reader at the other end of a pipe sees each reading as it comes.
    std::fflush(stream);
}

void Complain(const QString &message)
{
    WriteLine(stderr, QStringLiteral("orvessa-poll: ") + message);
}

// The files that --survey would overwrite, checked before anything is opened or sent.
QString ExistingSurveyFile(const PollOptions &o)
{
    const QString base = SurveyBaseOf(o.surveyName);
    for (std::size_t i = 0; i < o.addresses.size(); ++i) {
        const QString name = SurveyFileName(base, static_cast<int>(i) + 1);
        if (QFileInfo::exists(name))
            return name;
    }
    return QString();
}

int RunScan(GaugeExchange &exchange, const PollOptions &o, StopSignals &stop, TVaComm &port)
{
    AddressScan scan(exchange, o.link);
    const bool showProgress = ::isatty(STDERR_FILENO) == 1;
    std::size_t printed = 0;
    const QString header = ReadingHeader(o.format, true);
    if (!header.isEmpty())
        WriteLine(stdout, header);
    const QChar separator = o.format == OutputFormat::Text ? LocaleDecimalSeparator() : QLatin1Char('.');
    QObject::connect(&scan, &AddressScan::progress, [&](int done, int total, int found) {
        for (; printed < scan.Found().size(); ++printed) {
            const FoundGauge &g = scan.Found()[printed];
            WriteLine(stdout, FoundGaugeLine(g.address, FoundPressureText(g, separator), FoundUnitText(g), o.format));
        }
        if (showProgress)
            std::fprintf(stderr, "\r%d/%d, найдено %d ", done, total, found);
    });
    int status = SomeSilent;
    QObject::connect(&scan, &AddressScan::finished, [&](AddressScan::End end) {
        if (showProgress)
            std::fputs("\n", stderr);
        status = end == AddressScan::End::PortClosed || end == AddressScan::End::LineBusy ? PortFailed
                 : scan.Found().empty()                                                   ? SomeSilent
                                                                                          : AllAnswered;
        QCoreApplication::exit(status);
    });
    QObject::connect(&stop, &StopSignals::stopRequested, &scan, &AddressScan::Cancel);
    QObject::connect(&port, &TVaComm::OnPortLost, &scan, &AddressScan::Cancel);
    scan.Start(o.scanFrom, o.scanTo);
    QCoreApplication::exec();
    if (port.PortLost())
        status = PortFailed;
    return status;
}

} // namespace

int RunPollProgram(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The settings folder (~/.config/Orvessa) is the window program's.
    QCoreApplication::setApplicationName(QStringLiteral("Orvessa"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVESSA_VERSION));
    // Survey files follow the locale as the window's do; without one, the Russian conventions.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const ParsedCommandLine parsed = ParsePollCommandLine(arguments, [](const QString &path) {
        const LoadedSettings loaded = LoadSettingsFile(path.isEmpty() ? SettingsReadPath() : path);
        if (!loaded.conversionError.isEmpty())
            Complain(QStringLiteral("Orvessa.ini: ") + loaded.conversionError);
        return loaded.settings;
    });
    switch (parsed.action) {
    case ParsedCommandLine::Action::Help:
        std::fputs(PollUsageText().toUtf8().constData(), stdout);
        return AllAnswered;
    case ParsedCommandLine::Action::Version:
        WriteLine(stdout, QStringLiteral("orvessa-poll ") + QCoreApplication::applicationVersion());
        return AllAnswered;
    case ParsedCommandLine::Action::Error:
        Complain(parsed.error);
        WriteLine(stderr, QStringLiteral("Справка: orvessa-poll --help"));
        return BadUsage;
    case ParsedCommandLine::Action::Run:
        break;
    }
    const PollOptions &o = parsed.options;
    if (!o.settingsPath.isEmpty() && !QFileInfo(o.settingsPath).isReadable()) {
        Complain(QStringLiteral("--settings: файл %1 не читается").arg(o.settingsPath));
        return BadUsage;
    }
    if (!o.surveyName.isEmpty() && !o.overwrite) {
        const QString existing = ExistingSurveyFile(o);
        if (!existing.isEmpty()) {
            Complain(QStringLiteral("--survey: файл %1 уже есть (--overwrite — перезаписать)").arg(existing));
            return BadUsage;
        }
    }

    StopSignals stop;
    std::unique_ptr<sim::GaugeSimulator> emulator;
    QString device = o.port;
    if (o.Emulator()) {
        emulator = o.emulatorGauges.empty() ? std::make_unique<sim::GaugeSimulator>()
                                             : std::make_unique<sim::GaugeSimulator>(o.emulatorGauges);
        std::string reason;
        if (!emulator->start(&reason)) {
            Complain(QStringLiteral("эмулятор приборов не запущен: ") + QString::fromStdString(reason));
            return PortFailed;
        }
        device = QString::fromStdString(emulator->slavePath());
    }

    TVaComm port;
    port.SetBaudrate(o.line.baudrate);
    port.SetUserBaudrate(o.line.userBaudrate);
    port.SetParity(o.line.parity);
    port.SetDatabits(o.line.databits);
    port.SetStopbits(o.line.stopbits);
    try {
        port.SetDeviceName(device);
        port.OpenPort();
        port.SetDtrLevel(true);
        port.SetRtsLevel(false);
        port.PurgeInput();
        port.PurgeOutput();
    } catch (const EVaCommError &error) {
        Complain(QStringLiteral("порт %1 (%2) не открыт: %3").arg(o.port, port.DevicePath(), error.message()));
        return PortFailed;
    }

    TransactionEngine engine(port, o.link);
    engine.SetLine(o.line);
    QObject::connect(&port, &TVaComm::OnRxChar, &engine, &TransactionEngine::VaComm1RxChar);
    QObject::connect(&port, &TVaComm::OnTxEmpty, &engine, &TransactionEngine::VaComm1OnTxEmpty);
    if (o.trace)
        engine.SetTraceSink([](const QString &line) { WriteLine(stderr, line); });
    GaugeExchange exchange(engine, port);

    int status = AllAnswered;
    if (o.scan) {
        status = RunScan(exchange, o, stop, port);
    } else {
        PollRun run(exchange, o, [](const QString &line) { WriteLine(stdout, line); }, Complain);
        QString error;
        if (!run.CreateSurveyFiles(&error)) {
            Complain(error);
            port.ClosePort();
            return BadUsage;
        }
        QObject::connect(&stop, &StopSignals::stopRequested, &run, &PollRun::Stop);
        QObject::connect(&port, &TVaComm::OnPortLost, &run, &PollRun::PortLost);
        QObject::connect(&run, &PollRun::finished, &app, [&status](int exitStatus) {
            status = exitStatus;
            QCoreApplication::exit(exitStatus);
        });
        run.Start();
        if (run.Running())
            QCoreApplication::exec();
    }
    if (port.PortLost()) {
        Complain(QStringLiteral("порт %1 пропал").arg(port.DevicePath()));
        status = PortFailed;
    }
    port.ClosePort();
    return status;
}

} // namespace orv
