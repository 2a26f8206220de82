#pragma once
// The whole program in a test: every window created as at start-up, a settings file of its own,
// messages captured instead of shown, and, on request, the gauge simulator on a pseudo-terminal
// opened through the port page.
#include "gauge_simulator.h"
#include "port/port_list.h"
#include "port/port_page.h"
#include "link/serial_port.h"
#include "link/transaction_engine.h"
#include "shell/app_windows.h"
#include "shell/main_window.h"
#include "support/wait_until.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTabWidget>

#include <memory>

namespace testsupport {

struct ProgramFixture {
    QTemporaryDir dir;
    QStringList messages;
    std::unique_ptr<orv::AppWindows> windows;
    orv::TForm1 *form1 = nullptr;
    std::unique_ptr<sim::GaugeSimulator> simulator;

    explicit ProgramFixture(const QByteArray *settings = nullptr)
    {
        if (settings) {
            QFile file(SettingsPath());
            file.open(QIODevice::WriteOnly);
            file.write(*settings);
        }
        orv::MainWindowOptions options;
        options.settingsPath = SettingsPath();
        options.messageSink = [this](const QString &m) { messages << m; };
        windows = orv::CreateAppWindows(options);
        form1 = windows->Form1;
        form1->TabSheet4->SetMessageSink([this](const QString &text, const QString &detail) {
            messages << text + QStringLiteral(" | ") + detail;
        });
        form1->show();
    }

    QString SettingsPath() const { return dir.filePath(QStringLiteral("Orvessa.ini")); }
    orv::TransactionEngine &Engine() const { return *form1->Engine; }

    // Opens the port page's port at a device path, as if the user had picked it.
    bool OpenPortAt(const QString &path)
    {
        auto *list = form1->TabSheet4->ComboBox7;
        list->addItem(path);
        list->setCurrentText(path);
        form1->TabSheet4->Button14Click();
        return form1->VaComm1->Active();
    }

    // Starts a simulator with the given gauges and opens the port to it. Link times are short
    // unless the test is about them: answers are evaluated after `responseWaitMs`. The line runs
    // at 115200 baud, so that an answer takes a few milliseconds of line time and the simulator
    // finishes it well inside the response wait even on a busy machine.
    bool ConnectSimulator(const std::vector<std::uint8_t> &addresses = {1, 2, 3}, int responseWaitMs = 120,
                          int nextTransmitMs = 150)
    {
        form1->TabSheet4->ComboBox3->setCurrentText(QStringLiteral("115200"));
        simulator = std::make_unique<sim::GaugeSimulator>(addresses);
        if (!simulator->start())
            return false;
        form1->Settings.ResponseWaitTime = responseWaitMs;
        form1->Settings.NextTransmitTime = nextTransmitMs;
        return OpenPortAt(QString::fromStdString(simulator->slavePath()));
    }

    // Switches to a page the way the user does, so the page-change handler runs.
    void ShowPage(int index) { form1->PageControl1->setCurrentIndex(index); }
};

} // namespace testsupport
