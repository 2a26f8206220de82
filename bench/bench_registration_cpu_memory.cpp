// What registration polling costs the program: CPU time per polled gauge and resident memory
// after an hour of polling ten gauges (3600 cycles of the 1-second period), with time
// compressed: link times 25/30 ms at 115200 baud and a Timer1 tick of 320 ms, so that an hour
// of cycles runs in about twenty minutes. Command 3, data files written for all ten slots.
// The gauges are simulated by the gauge_sim tool in a process of its own, so the CPU figures
// are the program's alone.
// With "untraced" as the third argument the engine's trace log is switched off, which shows how
// much of the figures the growing trace log accounts for.
// Usage: bench_registration_cpu_memory [cycles, default 3600] [path of gauge_sim] [untraced]
#include "bench_registration_harness.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProcess>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3600;
    const QString simPath = argc > 2 && qstrlen(argv[2]) > 0 ? QString::fromLocal8Bit(argv[2])
                                                               : QCoreApplication::applicationDirPath() + "/../sim/gauge_sim";
    const bool untraced = argc > 3 && qstrcmp(argv[3], "untraced") == 0;

    QProcess gauges;
    gauges.start(simPath, {QStringLiteral("--gauges"), QStringLiteral("1,2,3,4,5,6,7,8,9,10")});
    if (!gauges.waitForStarted(5000) || !gauges.waitForReadyRead(5000)) {
        std::fprintf(stderr, "gauge_sim did not start: %s\n", qPrintable(simPath));
        return 1;
    }
    const QString device = QString::fromLocal8Bit(gauges.readLine()).trimmed();

    bench::Program program;
    if (!program.Open(device, 10, 25, 30)) {
        std::fprintf(stderr, "port %s did not open\n", qPrintable(device));
        return 1;
    }
    if (untraced)
        program.form1->Engine->SetTraceSink([](const QString &) {});
    program.TickAll(1);
    program.page->ComboBox2->setCurrentIndex(1);
    program.page->TrackBar1->setValue(1);
    program.page->TickIntervalMs = 320;
    const QString chosen = program.dir.filePath(QStringLiteral("hour.txt"));
    program.page->SetFileChooser([chosen] { return std::optional<QString>(chosen); });
    program.page->Check_Save_Data_File->click();
    if (!program.page->FilesCreated()) {
        std::fprintf(stderr, "no data files\n");
        return 1;
    }

    // Every evaluated exchange, counted where the engine hands it to the page.
    long accepted = 0, failed = 0;
    orv::TransactionEngine &engine = *program.form1->Engine;
    const auto timeout = engine.Hooks().registrationTimeout;
    engine.Hooks().registrationTimeout = [&, timeout](int slot) {
        timeout(slot);
        ++failed;
    };
    engine.SetRegistrationDecoder(3, [&](const orv::ResponseView &answer) {
        program.page->RegistrationAnswer(answer);
        ++accepted;
    });

    const long rssBefore = bench::StatusKb("VmRSS");
    const double cpuBefore = bench::CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    program.Start();
    const long polls = static_cast<long>(cycles) * 10;
    std::printf("registration CPU and memory: %d cycles x 10 gauges, command 3, files on, trace log %s\n", cycles,
                untraced ? "off" : "on");
    std::printf("  %8s %10s %12s %10s\n", "polls", "RSS kB", "trace lines", "CPU s");
    for (int step = 1; step <= 10; ++step) {
        const long target = polls * step / 10;
        if (!bench::ServeUntil([&] { return accepted + failed >= target; }, static_cast<qint64>(cycles) * 400 + 60000)) {
            std::fprintf(stderr, "stalled at %ld polls\n", accepted + failed);
            return 1;
        }
        std::printf("  %8ld %10ld %12d %10.1f\n", accepted + failed, bench::StatusKb("VmRSS"),
                    program.form1->TabSheet1->Memo1->document()->blockCount(), bench::CpuSeconds() - cpuBefore);
        std::fflush(stdout);
    }
    program.Stop();
    const double cpu = bench::CpuSeconds() - cpuBefore;
    const double seconds = wall.elapsed() / 1000.0;
    qint64 fileBytes = 0;
    for (int k = 1; k <= 10; ++k)
        fileBytes += QFileInfo(program.dir.filePath(QStringLiteral("hour_%1.txt").arg(k))).size();

    std::printf("  polls %ld (%ld accepted, %ld failed) in %.0f s of wall time\n", accepted + failed, accepted, failed,
                seconds);
    std::printf("  CPU %.1f s = %.0f us per polled gauge (%.1f %% of one core)\n", cpu, cpu * 1e6 / (accepted + failed),
                100.0 * cpu / seconds);
    std::printf("  resident memory: %ld kB before Start, %ld kB after the run, peak %ld kB\n", rssBefore,
                bench::StatusKb("VmRSS"), bench::StatusKb("VmHWM"));
    std::printf("  data files: %.1f MB in 10 files; trace log: %d lines\n", fileBytes / 1e6,
                program.form1->TabSheet1->Memo1->document()->blockCount());
    program.page->Check_Save_Data_File->click();
    gauges.terminate();
    gauges.waitForFinished(3000);
    return 0;
}
