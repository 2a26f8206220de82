// Not a check: the registration page polling ten simulated gauges (one of them silent), for
// people to look at. Run under a virtual X server and photograph the screen from outside while
// the run holds: start shell_tests with QT_QPA_PLATFORM=xcb, ORV_SCREENSHOT_DIR set,
// --gtest_also_run_disabled_tests and --gtest_filter='*RegistrationScreenshots*' inside
// xvfb-run -a -s "-screen 0 1280x1024x24", wait for the file "ready" in that folder, then take
// import -window root <folder>/registration_run.png.
// The page is shown for ORV_SCREENSHOT_HOLD_MS (default 4000) after "ready" appears.
#include "registration_fixture.h"
#include "support/modal.h"

#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <gtest/gtest.h>

using namespace orv;
using namespace testsupport;

TEST(RegistrationScreenshots, DISABLED_TenGaugesRunning)
{
    const QString out = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
    ASSERT_FALSE(out.isEmpty());
    QDir().mkpath(out);
    QFile::remove(QDir(out).filePath(QStringLiteral("ready")));
    const int hold = qEnvironmentVariableIsSet("ORV_SCREENSHOT_HOLD_MS")
                         ? qEnvironmentVariableIntValue("ORV_SCREENSHOT_HOLD_MS")
                         : 4000;

    RegistrationFixture f;
    f.form1->setGeometry(0, 0, 1280, 1000);
    std::vector<std::uint8_t> addresses;
    for (std::uint8_t a = 1; a <= 10; ++a)
        addresses.push_back(static_cast<std::uint8_t>(10 + a));
    ASSERT_TRUE(f.Connect(addresses, 120, 150));
    for (int k = 1; k <= 10; ++k)
        f.Tick(k, 10 + k);
    f.simulator->setFault(17, Fault(sim::FaultKind::Silence));
    f.ChooseCommand(1);
    f.SetPeriod(3);
    f.TickSaveBox(f.dir.filePath(QStringLiteral("Опыт.txt")));
    ASSERT_TRUE(f.Start());
    ASSERT_TRUE(WaitUntil([&] { return f.Lamp(10) == Green; }, 5000));
    ServeEvents(1200);

    QFile ready(QDir(out).filePath(QStringLiteral("ready")));
    ASSERT_TRUE(ready.open(QIODevice::WriteOnly));
    ready.close();
    ServeEvents(hold);
    ASSERT_TRUE(f.Stop());
    QTest::mouseClick(f.page->Check_Save_Data_File, Qt::LeftButton, {}, QPoint(5, 5));

    // The overwrite question for the files just written, as a picture of the window itself.
    WhenModalOpens([&](QWidget *modal) {
        ServeEvents(300);
        modal->grab().save(QDir(out).filePath(QStringLiteral("registration_overwrite_prompt.png")));
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    });
    f.TickSaveBox(f.dir.filePath(QStringLiteral("Опыт.txt")));
    EXPECT_FALSE(f.page->Check_Save_Data_File->isChecked());
}
