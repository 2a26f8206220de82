// Not a check: pictures of the shell's windows for people to look at. Run under a real X server:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/shell/shell_tests
//       --gtest_also_run_disabled_tests --gtest_filter='*Screenshots*'
// The pictures go to the folder named by ORVESSA_SCREENSHOTS (default: docs/screenshots).
#include "port/time_intervals_dialog.h"
#include "port/timing_diagram.h"
#include "program_fixture.h"
#include "shell/about_box.h"
#include "shell/exit_question.h"
#include "support/modal.h"

#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString ShotPath(const QString &name)
{
    const QString dir = qEnvironmentVariable("ORVESSA_SCREENSHOTS", QStringLiteral("docs/screenshots"));
    QDir().mkpath(dir);
    return QDir(dir).filePath(name);
}

void Shoot(QWidget *window, const QString &name)
{
    window->activateWindow();
    QTest::qWait(200);
    window->grab().save(ShotPath(name));
}

} // namespace

TEST(ShellScreenshots, DISABLED_Windows)
{
    testsupport::ProgramFixture program;
    orv::TForm1 *f = program.form1;
    f->resize(1200, 800);
    f->showNormal();
    for (int page = 0; page < 3; ++page) {
        program.ShowPage(page);
        Shoot(f, QStringLiteral("shell_page_%1.png").arg(page + 1));
    }
    testsupport::WhenModalOpens([&](QWidget *modal) {
        Shoot(modal, QStringLiteral("shell_time_intervals.png"));
        testsupport::WhenModalOpens([&](QWidget *picture) {
            Shoot(picture, QStringLiteral("shell_timing_picture.png"));
            QTest::mouseClick(program.windows->Ris_Interf->BitBtn2, Qt::LeftButton);
        });
        QTest::mouseClick(static_cast<QWidget *>(program.windows->Time_Intervals->Image1), Qt::LeftButton);
        QTest::qWait(300);
        QTest::mouseClick(program.windows->Time_Intervals->BitBtn1, Qt::LeftButton);
    });
    QTest::mouseClick(f->TabSheet4->BitBtn1, Qt::LeftButton);
    testsupport::WhenModalOpens([&](QWidget *about) {
        Shoot(about, QStringLiteral("shell_about.png"));
        about->close();
    });
    f->N1->trigger();
    testsupport::WhenModalOpens([&](QWidget *question) {
        Shoot(question, QStringLiteral("shell_exit_question.png"));
        QTest::mouseClick(program.windows->Form12->Button_NO, Qt::LeftButton);
    });
    f->N2->trigger();
}
