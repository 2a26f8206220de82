// The program is told to quit (a desktop logout does it) while a window that shows itself again
// until its own button is pressed is open: the loop ends and the process with it. Each case runs
// in a child process; a loop that never ends is cut off by a watchdog and fails the case.
#include "graph/graph_window.h"
#include "setup/setup_menu.h"
#include "port/port_page.h"
#include "port/time_intervals_dialog.h"
#include "setup/setup_page.h"
#include "shell/app_windows.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

using namespace orv;

namespace {

[[noreturn]] void RunUntilQuit(const std::function<void(AppWindows &)> &open)
{
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::seconds(20));
        std::_Exit(3);
    }).detach();
    QTemporaryDir dir;
    MainWindowOptions options;
    options.settingsPath = dir.filePath(QStringLiteral("Orvessa.ini"));
    options.messageSink = [](const QString &) {};
    std::unique_ptr<AppWindows> windows = CreateAppWindows(options);
    windows->Form1->show();
    QTimer::singleShot(0, [&] { open(*windows); });
    QTimer::singleShot(300, [] { QCoreApplication::exit(0); });
    QApplication::exec();
    std::_Exit(0);
}

} // namespace

TEST(QuitWhileLooping, EveryLoopingWindowLetsTheProgramEnd)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::pair<const char *, std::function<void(AppWindows &)>> windows[] = {
        {"timing dialog", [](AppWindows &w) { w.Form1->TabSheet4->BitBtn1->click(); }},
        {"timing picture", [](AppWindows &w) { w.Ris_Interf->ShowUntilClosed(); }},
        {"graph window", [](AppWindows &w) { w.Grafik->ShowUntilClosed(); }},
        {"device information dialog",
         [](AppWindows &w) {
             w.Form1->TabSheet1->ComboBox1->setCurrentIndex(menu::DeviceInfo - 1);
             w.Form1->TabSheet1->Button1Click();
         }},
    };
    for (const auto &[name, open] : windows)
        EXPECT_EXIT(RunUntilQuit(open), ::testing::ExitedWithCode(0), "") << name;
}
