// orvessa-poll as the user runs it: a child process against simulated gauges on a pseudo-terminal.
#include "gauge_simulator.h"
#include "support/wait_until.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

using testsupport::WaitUntil;

namespace {

struct Bench {
    QTemporaryDir dir;
    sim::GaugeSimulator simulator;

    explicit Bench(const std::vector<std::uint8_t> &gauges = {1, 2}) : simulator(gauges)
    {
        QFile ini(Settings());
        if (ini.open(QIODevice::WriteOnly))
            // Generous link times: the machine may be busy, and a late answer would read as silence.
            ini.write("1\r\n500\r\n520\r\n15\r\n0\r\n");
        if (!simulator.start())
            return;
        for (std::uint8_t a : gauges) {
            simulator.stagePressure(a, 0.8f, 2);
            simulator.modify(a, [](sim::GaugeState &state) {
                state.temperature = 24.5f;
                state.um = 31500.0f;
            });
        }
    }
    QString Settings() const { return dir.filePath(QStringLiteral("Orvessa.ini")); }
    QString Port() const { return QString::fromStdString(simulator.slavePath()); }

    // The program with these arguments, the settings file and the simulator's port appended.
    void Begin(QProcess &process, const QStringList &arguments, const QString &port = QString()) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ORVESSA_POLL_PROGRAM),
                      arguments + QStringList{QStringLiteral("--settings"), Settings(), port.isNull() ? Port() : port});
    }
    struct Result {
        int status = -1;
        QStringList out;
        QString err;
    };
    Result Run(const QStringList &arguments, const QString &port = QString()) const
    {
        QProcess process;
        Begin(process, arguments, port);
        Result r;
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
            return r;
        r.status = process.exitCode();
        r.out = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        r.err = QString::fromUtf8(process.readAllStandardError());
        return r;
    }
};

QStringList Masked(QStringList lines)
{
    static const QRegularExpression stamp(QStringLiteral("\\d{4}-\\d\\d-\\d\\d[ T]\\d\\d:\\d\\d:\\d\\d\\.\\d{3}"));
    for (QString &line : lines)
        line.replace(stamp, QStringLiteral("TIME"));
    return lines;
}

QStringList Split(const char *golden)
{
    return QString::fromUtf8(golden).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

TEST(PollProgram, OutputOfEachCommandAndFormat)
{
    struct Case {
        const char *arguments;
        const char *golden;
    };
    const Case cases[] = {
        {"-1 -a 1,2",
         "TIME  адрес 1: Давление, МПа = 0,8000000\n"
         "TIME  адрес 2: Давление, МПа = 0,8000000\n"},
        {"-1 -a 1 -f 3",
         "TIME  адрес 1: Ток, мА = 12,0000000; Давление = 0,8000000; Um, код АЦП = 31500,0000000; "
         "Udif, код АЦП = 27200,0000000; t микропроцессора,°С = 24,50\n"},
        {"-1 -a 1 -f 33 --variables 0,1,2,13",
         "TIME  адрес 1: 1. Давление, МПа = 0,8000000; 2. Токовый сигнал, мА = 12,0000000; "
         "3. Um (напряжение моста) = 31500,0000000; 12. ЦАП0 (DacMin) = 50\n"},
        {"-1 -a 1,3 -F csv",
         "time,address,command,status,parameter,value\n"
         "TIME,1,1,ok,\"Давление, МПа\",0.8000000\n"
         "TIME,3,1,no answer,,\n"},
        {"-1 -a 1 -f 3 -F csv",
         "time,address,command,status,parameter,value\n"
         "TIME,1,3,ok,\"Ток, мА\",12.0000000\n"
         "TIME,1,3,ok,Давление,0.8000000\n"
         "TIME,1,3,ok,\"Um, код АЦП\",31500.0000000\n"
         "TIME,1,3,ok,\"Udif, код АЦП\",27200.0000000\n"
         "TIME,1,3,ok,\"t микропроцессора,°С\",24.50\n"},
        {"-1 -a 1 -f 33 --variables 0,1,2,13 -F csv",
         "time,address,command,status,parameter,value\n"
         "TIME,1,33,ok,\"1. Давление, МПа\",0.8000000\n"
         "TIME,1,33,ok,\"2. Токовый сигнал, мА\",12.0000000\n"
         "TIME,1,33,ok,3. Um (напряжение моста),31500.0000000\n"
         "TIME,1,33,ok,12. ЦАП0 (DacMin),50\n"},
        {"-1 -a 1,3 -F json",
         "{\"time\":\"TIME\",\"address\":1,\"command\":1,\"answered\":true,\"values\":[{\"parameter\":\"Давление, "
         "МПа\",\"value\":0.8000000}]}\n"
         "{\"time\":\"TIME\",\"address\":3,\"command\":1,\"answered\":false}\n"},
        {"-1 -a 1 -f 3 -F json",
         "{\"time\":\"TIME\",\"address\":1,\"command\":3,\"answered\":true,\"values\":["
         "{\"parameter\":\"Ток, мА\",\"value\":12.0000000},{\"parameter\":\"Давление\",\"value\":0.8000000},"
         "{\"parameter\":\"Um, код АЦП\",\"value\":31500.0000000},{\"parameter\":\"Udif, код АЦП\",\"value\":27200.0000000},"
         "{\"parameter\":\"t микропроцессора,°С\",\"value\":24.50}]}\n"},
        // The modification and the general numbers (DAC codes) keep the program's value formats.
        {"-1 -a 1 -f 33 --variables 0,1,2,13 -F json",
         "{\"time\":\"TIME\",\"address\":1,\"command\":33,\"answered\":true,\"values\":["
         "{\"parameter\":\"1. Давление, МПа\",\"value\":0.8000000},{\"parameter\":\"2. Токовый сигнал, мА\",\"value\":12.0000000},"
         "{\"parameter\":\"3. Um (напряжение моста)\",\"value\":31500.0000000},{\"parameter\":\"12. ЦАП0 (DacMin)\",\"value\":50}]}\n"},
        {"--scan 0-3", "адрес 1: 0,8000000 МПа\nадрес 2: 0,8000000 МПа\n"},
        {"--scan 0-3 -F csv", "address,pressure,unit\n1,0.8000000,МПа\n2,0.8000000,МПа\n"},
        {"--scan 0-3 -F json",
         "{\"address\":1,\"pressure\":0.8000000,\"unit\":\"МПа\"}\n{\"address\":2,\"pressure\":0.8000000,\"unit\":\"МПа\"}\n"},
    };
    Bench bench;
    ASSERT_TRUE(bench.simulator.isRunning());
    for (const Case &c : cases) {
        const Bench::Result r = bench.Run(QString::fromUtf8(c.arguments).split(QLatin1Char(' ')));
        const bool silent = QByteArray(c.arguments).contains("1,3");
        EXPECT_EQ(r.status, silent ? 1 : 0) << c.arguments << "\n" << r.err.toStdString();
        EXPECT_TRUE(Masked(r.out) == Split(c.golden)) << c.arguments << "\n" << Masked(r.out).join('\n').toStdString();
    }
}

TEST(PollProgram, ExitStatuses)
{
    struct Case {
        const char *arguments;
        const char *port;     // nullptr: the simulator's
        int status;
        const char *said;     // the first line of standard error starts with it
    };
    const Case cases[] = {
        {"-1 -a 1,2", nullptr, 0, ""},
        {"-1 -a 1,2,3", nullptr, 1, ""},           // 3 is silent
        {"--scan 3-5", nullptr, 1, ""},            // nobody there
        {"-1 -a 1", "/dev/ttyNoSuchPort7", 3, "orvessa-poll: порт /dev/ttyNoSuchPort7"},
        {"-1 -a 1 -b 7", nullptr, 2, "orvessa-poll: --baud: «7» — допустимо целое 50..4000000"},
        {"-1 -a 1 -t 0", nullptr, 2, "orvessa-poll: --timeout: «0» — допустимо целое 1..60000"},
        {"-1 -a 1 --frobnicate", nullptr, 2, "orvessa-poll: неизвестный ключ --frobnicate"},
    };
    Bench bench({1, 2, 3});
    ASSERT_TRUE(bench.simulator.isRunning());
    bench.simulator.setFault(3, [] {
        sim::FaultSpec fault;
        fault.kind = sim::FaultKind::Silence;
        return fault;
    }());
    for (const Case &c : cases) {
        bench.simulator.requests().clear();
        const Bench::Result r =
            bench.Run(QString::fromUtf8(c.arguments).split(QLatin1Char(' ')), c.port ? QString::fromUtf8(c.port) : QString());
        EXPECT_EQ(r.status, c.status) << c.arguments << "\n" << r.err.toStdString();
        if (*c.said)
            EXPECT_TRUE(r.err.startsWith(QString::fromUtf8(c.said))) << c.arguments << "\n" << r.err.toStdString();
        else
            EXPECT_TRUE(r.err.isEmpty()) << c.arguments << "\n" << r.err.toStdString();
        if (c.status == 2) {
            EXPECT_EQ(r.err.count(QLatin1Char('\n')), 2) << r.err.toStdString();   // the reason and where help is
            EXPECT_EQ(bench.simulator.requests().size(), 0u) << c.arguments;
        }
    }
}

TEST(PollProgram, InterruptedOrLostRunsEndCleanlyWithWholeSurveyFiles)
{
    struct Case {
        int signal;           // 0: the line goes away instead
        int status;
    };
    for (const Case c : {Case{SIGINT, 0}, Case{SIGTERM, 0}, Case{0, 3}}) {
        Bench bench;
        ASSERT_TRUE(bench.simulator.isRunning());
        const QString base = bench.dir.filePath(QStringLiteral("run"));
        QProcess process;
        bench.Begin(process, {QStringLiteral("-a"), QStringLiteral("1,2"), QStringLiteral("-l"), QStringLiteral("0.1"),
                              QStringLiteral("-F"), QStringLiteral("csv"), QStringLiteral("--survey"), base});
        ASSERT_TRUE(process.waitForStarted());
        QByteArray printed;
        ASSERT_TRUE(WaitUntil([&] {
            printed += process.readAllStandardOutput();
            return printed.count(",1,1,ok,") >= 2 && printed.count(",2,1,ok,") >= 2;
        }, 20000));
        if (c.signal)
            ::kill(static_cast<pid_t>(process.processId()), c.signal);
        else
            bench.simulator.stop();
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << c.signal;
        EXPECT_EQ(process.exitCode(), c.status) << c.signal;
        printed += process.readAllStandardOutput();
        const QStringList out = QString::fromUtf8(printed).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (int slot : {1, 2}) {
            QFile file(base + QStringLiteral("_%1.txt").arg(slot));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            // Every line whole: one survey line per answer printed for that address.
            EXPECT_TRUE(bytes.endsWith("\r\n")) << c.signal;
            const int answers = static_cast<int>(out.filter(QStringLiteral(",%1,1,ok,").arg(slot)).size());
            EXPECT_GE(answers, 2) << c.signal;
            EXPECT_EQ(bytes.count("\r\n"), 2 + answers) << c.signal;
            EXPECT_EQ(bytes.count("Time: "), answers) << c.signal;
        }
    }
}

TEST(PollProgram, EveryExchangeGoesOutEvenWhenItsWaitEndsInsideTheSend)
{
    // The response wait runs out during the 50 ms post-transmit wait: the outcome arrives while
    // the engine is still sending, and the next request must wait for the line, not be dropped.
    Bench bench;
    ASSERT_TRUE(bench.simulator.isRunning());
    const Bench::Result r = bench.Run(QString("-c 3 -l 0.1 -a 1,2 -t 10 -n 12 -w 50").split(QLatin1Char(' ')));
    EXPECT_EQ(r.status, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_EQ(r.out.size(), 6);
    EXPECT_EQ(bench.simulator.requests().size(), 6u);
}
