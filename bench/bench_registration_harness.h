#pragma once
// Shared by the registration benchmarks: the whole program with all its windows, its port opened
// on a bus of simulated gauges, the ten slots ticked, and a few small helpers.
#include "port/port_list.h"
#include "port/port_page.h"
#include "link/serial_port.h"
#include "link/transaction_engine.h"
#include "registration/registration_page.h"
#include "setup/setup_page.h"
#include "shell/app_windows.h"
#include "shell/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include <sys/resource.h>

namespace bench {

struct Program {
    QTemporaryDir dir;
    QStringList messages;
    std::unique_ptr<orv::AppWindows> windows;
    orv::TForm1 *form1 = nullptr;
    orv::RegistrationPage *page = nullptr;

    Program()
    {
        orv::MainWindowOptions options;
        options.settingsPath = dir.filePath(QStringLiteral("Orvessa.ini"));
        options.messageSink = [this](const QString &m) { messages << m; };
        windows = orv::CreateAppWindows(options);
        form1 = windows->Form1;
        form1->TabSheet4->SetMessageSink(
            [this](const QString &text, const QString &detail) { messages << text + QStringLiteral(" | ") + detail; });
        form1->show();
        page = form1->TabSheet2;
    }

    // Opens the port at a device path with a rate from the port page's list (4: 9600, 10: 115200)
    // and shows the registration page.
    bool Open(const QString &path, int rateItem, int responseWaitMs, int nextTransmitMs)
    {
        form1->Settings.ResponseWaitTime = responseWaitMs;
        form1->Settings.NextTransmitTime = nextTransmitMs;
        form1->TabSheet4->ComboBox3->setCurrentIndex(rateItem);
        form1->TabSheet4->ComboBox7->addItem(path);
        form1->TabSheet4->ComboBox7->setCurrentText(path);
        form1->TabSheet4->Button14Click();
        form1->PageControl1->setCurrentIndex(1);
        return form1->VaComm1->Active() && page->Button2->isEnabled();
    }

    // Slot k gets address `first + k - 1` and is ticked by a click.
    void TickAll(int first)
    {
        for (int k = 1; k <= 10; ++k) {
            page->Addr_D[static_cast<std::size_t>(k - 1)]->setText(QString::number(first + k - 1));
            page->CheckBox_D[static_cast<std::size_t>(k - 1)]->click();
        }
    }

    void Start() { page->Button2->click(); }
    void Stop() { page->Button2->click(); }
};

// Runs the event loop, as the program's own main loop does (it sleeps while nothing happens),
// until the condition holds or the time is up. The condition is looked at every 20 ms.
inline bool ServeUntil(const std::function<bool()> &condition, qint64 timeoutMs)
{
    if (condition())
        return true;
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (condition() || clock.elapsed() > timeoutMs)
            loop.quit();
    });
    check.start(20);
    loop.exec();
    return condition();
}

inline double Percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t i = std::min(values.size() - 1, static_cast<std::size_t>(std::ceil(share * values.size())) - 1);
    return values[i];
}

// CPU seconds (user + system) of this process so far.
inline double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A line of /proc/self/status in kB ("VmRSS", "VmHWM").
inline long StatusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(static_cast<int>(qstrlen(field)) + 1).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace bench
