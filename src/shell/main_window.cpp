#include "shell/main_window.h"

#include "port/port_page.h"
#include "link/serial_port.h"
#include "link/settings_file.h"
#include "port/time_intervals_dialog.h"
#include "link/transaction_engine.h"
#include "widgets/widget_names.h"
#include "registration/registration_page.h"
#include "setup/setup_page.h"
#include "shell/about_box.h"
#include "shell/program_picture.h"
#include "shell/exit_question.h"

#include "gauge_simulator.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace orv {

namespace {

const QString ExitQuestionText = QStringLiteral("      Выйти из программы ?");

} // namespace

TForm1::TForm1(MainWindowOptions options, QWidget *parent) : QMainWindow(parent), options_(std::move(options))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Программа для работы с цифровыми манометрами КВ-310"));
    setWindowIcon(QIcon(ProgramPicture(64)));

    VaComm1 = new TVaComm(this);
    VaComm1->setObjectName(QStringLiteral("VaComm1"));
    Engine = new TransactionEngine(*VaComm1, Settings, this);
    connect(VaComm1, &TVaComm::OnRxChar, Engine, &TransactionEngine::VaComm1RxChar);
    connect(VaComm1, &TVaComm::OnTxEmpty, Engine, &TransactionEngine::VaComm1OnTxEmpty);

    MainMenu1 = Named(new QMenuBar(this), "MainMenu1", QStringLiteral("Главное меню"));
    N1 = MainMenu1->addAction(QStringLiteral("О программе"));
    N1->setObjectName(QStringLiteral("N1"));
    N2 = MainMenu1->addAction(QStringLiteral("Выход"));
    N2->setObjectName(QStringLiteral("N2"));
    setMenuBar(MainMenu1);
    connect(N1, &QAction::triggered, this, &TForm1::N1Click);
    connect(N2, &QAction::triggered, this, &TForm1::N2Click);

    PageControl1 = Named(new QTabWidget(this), "PageControl1", QStringLiteral("Страницы программы"));
    TabSheet1 = new SetupPage(PageControl1);
    TabSheet2 = new RegistrationPage(PageControl1);
    TabSheet4 = new PortPage(*VaComm1, PageControl1);
    PageControl1->addTab(TabSheet1, QStringLiteral("Режим настройки"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Режим регистрации"));
    PageControl1->addTab(TabSheet4, QStringLiteral("Настройки CОМ-порта"));
    setCentralWidget(PageControl1);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);

    Engine->SetTraceSink([this](const QString &line) { TabSheet1->AppendTrace(line); });
    // A handler that failed inside a serial event is reported where line faults are, and the
    // port goes on serving.
    connect(VaComm1, &TVaComm::OnHandlerException, this,
            [this](const QString &message) { TabSheet1->AppendTrace(QStringLiteral("Ошибка: ") + message); });
    TabSheet4->SetAfterOpen([this] {
        Engine->DiscardReceived();
        Engine->SetLine(VaComm1->Line());
    });
    TabSheet4->SetEmulator(
        [this](QString *error) {
            emulator_ = std::make_unique<sim::GaugeSimulator>();
            std::string reason;
            if (!emulator_->start(&reason)) {
                *error = QString::fromStdString(reason);
                emulator_.reset();
                return QString();
            }
            return QString::fromStdString(emulator_->slavePath());
        },
        [this] { emulator_.reset(); });
    // After the port page has closed a lost port: a frame still on the line ends at once.
    connect(VaComm1, &TVaComm::OnPortLost, Engine, &TransactionEngine::VaComm1PortLost);
    connect(TabSheet4, &PortPage::portStateChanged, this, [this](bool open) {
        if (!open)
            TabSheet2->PortClosed();
        EnableStartButtons();
    });
    connect(TabSheet4, &PortPage::timingRequested, this, [this] {
        if (timeIntervals_)
            timeIntervals_->EditSettings(Settings);
    });

    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::ShowMessage(const QString &text, bool notice)
{
    if (options_.messageSink)
        options_.messageSink(text);
    else
        ShowErrorBox(this, text, notice ? QMessageBox::Warning : QMessageBox::Critical);
}

void TForm1::FormCreate()
{
    MenuExitInProgress = false;
    Settings.Rs485Mode = false;

    VaComm1->SetBaudrate(br9600);
    VaComm1->SetDatabits(db8);
    VaComm1->SetParity(paNone);
    VaComm1->SetStopbits(sb1);
    VaComm1->SetDeviceName(QStringLiteral("COM1"));

    // The port page starts closed, so neither Start button can be used yet.
    TabSheet1->Button1->setEnabled(false);
    TabSheet2->Button2->setEnabled(false);

    LoadLinkSettings();
    ExitFromWindowFrame = false;

    TabSheet2->LockSurveyFileChoice();

    PageControl1->setCurrentWidget(TabSheet4);
}

void TForm1::LoadLinkSettings()
{
    const QString path = options_.settingsPath.isEmpty() ? SettingsReadPath() : options_.settingsPath;
    const LoadedSettings loaded = LoadSettingsFile(path);
    Settings = loaded.settings;
    if (!loaded.conversionError.isEmpty()) {
        // Reported once the window is up; the values that could not be read keep their defaults.
        const QString error = loaded.conversionError;
        QTimer::singleShot(0, this, [this, error] { ShowMessage(error); });
    }
    if (!loaded.timingWarning.isEmpty()) {
        // The timing dialog's own warning, for times that came from the file.
        const QString warning = loaded.timingWarning;
        QTimer::singleShot(0, this, [this, warning] { ShowMessage(warning, true); });
    }
}

void TForm1::PageControl1Change()
{
    TabSheet2->FollowSlotSelection();
    EnableStartButtons();
}

void TForm1::EnableStartButtons()
{
    const bool portOpen = TabSheet4->PortOpen();
    TabSheet1->Button1->setEnabled(portOpen);
    TabSheet2->Button2->setEnabled(portOpen);
    if (TabSheet2->PollingRunning())
        TabSheet1->Button1->setEnabled(false);
}

void TForm1::N1Click()
{
    if (form21_)
        form21_->exec();
}

void TForm1::N2Click()
{
    if (Engine->TransmitInProgress())
        return;
    if (TabSheet2->PollingRunning())
        return;
    if (TabSheet2->FilesCreated()) {
        ShowMessage(QStringLiteral("Режим регистрации. Уберите выделение \"Сохранять результаты опроса в файле\""), true);
        return;
    }
    MenuExitInProgress = true;
    ExitConfirmed = false;
    ExitQuestionPending = true;
    ExitFromWindowFrame = false;
    AskExitQuestion();
    MenuExitInProgress = false;
}

void TForm1::AskExitQuestion()
{
    if (!form12_)
        return;
    form12_->Text->setText(ExitQuestionText);
    form12_->exec();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (MenuExitInProgress) {
        event->accept();
        return;
    }
    ExitConfirmed = false;
    ExitQuestionPending = true;
    ExitFromWindowFrame = true;
    AskExitQuestion();
    if (ExitConfirmed)
        event->accept();
    else
        event->ignore();
}

} // namespace orv
