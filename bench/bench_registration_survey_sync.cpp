// What putting the survey data on the disk costs per polling cycle: ten data files, each given
// one command-3 line as the registration page writes it (eight pieces, each its own write),
// then the end-of-cycle fdatasync of all ten. Prints the time of the writes and of the sync per
// cycle (median, mean, largest) on the file system of the folder given.
// Usage: bench_registration_survey_sync [cycles, default 50] [folder, default the current one]
#include "gauge/survey_files.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void Print(const char *what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const double mean = std::accumulate(ms.begin(), ms.end(), 0.0) / double(ms.size());
    std::printf("%-28s median %8.3f ms   mean %8.3f ms   max %8.3f ms\n", what, ms[ms.size() / 2], mean, ms.back());
}

} // namespace

int main(int argc, char **argv)
{
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::currentPath();
    QTemporaryDir dir(QDir(folder).filePath(QStringLiteral("survey-sync-XXXXXX")));
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a folder in %s\n", qPrintable(folder));
        return 1;
    }
    orv::SurveyFileSet files;
    const QDateTime start = QDateTime::currentDateTime();
    for (int k = 1; k <= 10; ++k) {
        QString error;
        if (!files.Create(k, dir.filePath(QStringLiteral("run_%1.txt").arg(k)), start, k, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    const QStringList pieces = {
        QStringLiteral("Addr: 5 ; "), QStringLiteral("Command: 3 ; "), QStringLiteral("Iout: 12,5000000 mA ; "),
        QStringLiteral("Pressure: 0,2500000 ; "), QStringLiteral("Um: 1523,5000000 ; "),
        QStringLiteral("Udif: -311,7500000 ; "), QStringLiteral(" t_kristall: 36,60 °C ; "),
        QStringLiteral("Time: 14:03:27.045 ; Date: 06.12.2026\r\n")};
    QString error;
    files.SyncWritten(&error);

    std::vector<double> writeMs, syncMs;
    for (int c = 0; c < cycles; ++c) {
        const Clock::time_point t0 = Clock::now();
        for (int k = 1; k <= 10; ++k)
            for (const QString &piece : pieces)
                files.Append(k, piece, &error);
        const Clock::time_point t1 = Clock::now();
        int synced = 0;
        if (!files.SyncWritten(&error, &synced) || synced != 10) {
            std::fprintf(stderr, "sync failed: %s\n", qPrintable(error));
            return 1;
        }
        writeMs.push_back(Ms(t1 - t0));
        syncMs.push_back(Ms(Clock::now() - t1));
    }
    std::printf("%d cycles, ten files in %s\n", cycles, qPrintable(dir.path()));
    Print("writes of ten lines", writeMs);
    Print("fdatasync of ten files", syncMs);
    return 0;
}
