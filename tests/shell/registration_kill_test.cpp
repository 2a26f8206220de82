// A program killed outright in the middle of a run leaves data files whose lines are whole,
// except perhaps the one it was writing. The program runs in a child process (this test binary
// running its disabled child test), polling ten simulated gauges into files; the parent kills
// it with SIGKILL at different moments and reads what is on disk.
#include "registration_fixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringDecoder>
#include <gtest/gtest.h>

#include <signal.h>

using namespace orv;
using namespace testsupport;

namespace {

const char DirVariable[] = "ORV_REGISTRATION_KILL_DIR";

QStringList RawLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decoder("windows-1251");
    const QString text = decoder.decode(file.readAll());
    // Split after each CR LF: a last piece without one is a line cut short.
    QStringList lines;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype end = text.indexOf(QStringLiteral("\r\n"), from);
        lines << (end < 0 ? text.mid(from) : text.mid(from, end + 2 - from));
        from = end < 0 ? text.size() : end + 2;
    }
    return lines;
}

} // namespace

// The child: ten gauges, command 3, files of all ten slots, polling until killed.
TEST(RegistrationKill, DISABLED_ChildPollsUntilKilled)
{
    const QString dir = qEnvironmentVariable(DirVariable);
    ASSERT_FALSE(dir.isEmpty());
    RegistrationFixture f;
    ASSERT_TRUE(f.PrepareTenGaugeRun(dir + QStringLiteral("/run.txt")));
    ASSERT_TRUE(f.Start());
    ServeEvents(60000);
}

TEST(RegistrationKill, KilledProgramLeavesWholeLines)
{
    const QRegularExpression whole(QStringLiteral(
        "^Addr: \\d+ ; Command: 3 ; Iout: [\\d,]+ mA ; Pressure: [\\d,]+ ; Um: [\\d,]+ ; Udif: [\\d,]+ ;  "
        "t_kristall: [\\d,]{5} \u00B0C ; Time: \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d ; Date: \\d\\d\\.\\d\\d\\.\\d\\d\\d\\d\r\n$"));
    int cutLines = 0;
    int wholeLines = 0;
    // Kill after a number of lines in slot 10's file, plus a few milliseconds to land anywhere.
    const std::vector<std::pair<int, int>> moments = {{3, 0}, {4, 7}, {5, 13}, {6, 3}, {7, 21}};
    for (const auto &moment : moments) {
        // Named copies: a lambda may not capture a structured binding.
        const int linesBefore = moment.first;
        const int extraMs = moment.second;
        QTemporaryDir dir;
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(DirVariable), dir.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_also_run_disabled_tests"),
                     QStringLiteral("--gtest_filter=RegistrationKill.DISABLED_ChildPollsUntilKilled")});
        ASSERT_TRUE(child.waitForStarted(5000));
        const QString slot10 = dir.filePath(QStringLiteral("run_10.txt"));
        ASSERT_TRUE(WaitUntil([&] { return RawLines(slot10).size() >= 2 + linesBefore; }, 15000))
            << "the child wrote " << RawLines(slot10).size() << " lines";
        ServeEvents(extraMs);
        ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), SIGKILL), 0);
        ASSERT_TRUE(child.waitForFinished(5000));
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

        for (int k = 1; k <= 10; ++k) {
            const QStringList lines = RawLines(dir.filePath(QStringLiteral("run_%1.txt").arg(k)));
            ASSERT_GE(lines.size(), 2) << k;
            for (int i = 2; i < lines.size(); ++i) {
                const bool isWhole = whole.match(lines[i]).hasMatch();
                if (isWhole) {
                    ++wholeLines;
                    continue;
                }
                EXPECT_EQ(i, lines.size() - 1) << "slot " << k << " line " << i << ": " << lines[i].toStdString();
                EXPECT_FALSE(lines[i].endsWith(QStringLiteral("\r\n"))) << lines[i].toStdString();
                EXPECT_TRUE(lines[i].startsWith(QStringLiteral("Addr: "))) << lines[i].toStdString();
                ++cutLines;
            }
        }
    }
    std::printf("[ figures  ] %d whole data lines, %d lines cut short by the kill, in 5 kills x 10 files\n",
                wholeLines, cutLines);
    EXPECT_GT(wholeLines, 5 * 10 * 2);
}
