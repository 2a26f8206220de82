#pragma once
// TForm1, the main window: the menu, the three pages, and the link they share.
#include "link/link_settings.h"

#include <QMainWindow>
#include <functional>
#include <memory>

namespace sim {
class GaugeSimulator;
}

class QAction;
class QMenuBar;
class QTabWidget;

namespace orv {

class PortPage;
class RegistrationPage;
class SetupPage;
class TForm12;
class TForm21;
class TTime_Intervals;
class TVaComm;
class TransactionEngine;

struct MainWindowOptions {
    QString settingsPath;   // empty: the program's own settings file
    // How start-up and exit messages reach the user; empty: message boxes. Tests capture them.
    std::function<void(const QString &text)> messageSink;
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(MainWindowOptions options = {}, QWidget *parent = nullptr);
    ~TForm1() override;

    // The windows created after this one that the main window opens.
    void SetExitQuestion(TForm12 *form12) { form12_ = form12; }
    void SetAboutBox(TForm21 *form21) { form21_ = form21; }
    void SetTimingDialog(TTime_Intervals *dialog) { timeIntervals_ = dialog; }

    void PageControl1Change();
    void N1Click();
    void N2Click();

    // Shared link state, owned here for the whole run.
    LinkSettings Settings;
    TVaComm *VaComm1 = nullptr;
    TransactionEngine *Engine = nullptr;

    QMenuBar *MainMenu1 = nullptr;
    QAction *N1 = nullptr;
    QAction *N2 = nullptr;
    QTabWidget *PageControl1 = nullptr;
    SetupPage *TabSheet1 = nullptr;
    RegistrationPage *TabSheet2 = nullptr;
    PortPage *TabSheet4 = nullptr;

    bool ExitConfirmed = false;
    bool ExitQuestionPending = false;
    bool ExitFromWindowFrame = false;
    bool MenuExitInProgress = false;

protected:
    void closeEvent(QCloseEvent *event) override;   // FormCloseQuery

private:
    void FormCreate();
    void LoadLinkSettings();
    // An error (a settings line that is no number) or, with notice set, a plain request to the user.
    void ShowMessage(const QString &text, bool notice = false);
    void AskExitQuestion();
    // Both Start buttons are usable exactly while the port is open; setup Start not during a run.
    void EnableStartButtons();

    MainWindowOptions options_;
    TForm12 *form12_ = nullptr;
    TForm21 *form21_ = nullptr;
    TTime_Intervals *timeIntervals_ = nullptr;
    // The built-in gauge emulator behind the last entry of the port list, running while that
    // port is open.
    std::unique_ptr<sim::GaugeSimulator> emulator_;
};

} // namespace orv
