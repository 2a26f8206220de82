#include "port/port_list.h"
#include "port/port_page.h"
#include "link/serial_port.h"
#include "link/settings_file.h"
#include "port/time_intervals_dialog.h"
#include "link/transaction_engine.h"
#include "registration/registration_page.h"
#include "setup/setup_page.h"
#include "shell/app_windows.h"
#include "shell/exit_question.h"
#include "shell/main_window.h"
#include "shell/toolkit_translations.h"
#include <QMessageBox>
#include "support/modal.h"
#include "support/wait_until.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

using namespace orv;
using testsupport::ClickInNextModal;
using testsupport::WaitUntil;

namespace {

// A pseudo-terminal whose slave the program opens as its port.
struct Pty {
    int master = -1;
    QString slave;
    Pty()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        grantpt(master);
        unlockpt(master);
        slave = QString::fromLocal8Bit(ptsname(master));
        termios t{};
        tcgetattr(master, &t);
        cfmakeraw(&t);
        tcsetattr(master, TCSANOW, &t);
    }
    ~Pty() { ::close(master); }
};

struct Program {
    QTemporaryDir dir;
    QStringList messages;
    std::unique_ptr<AppWindows> windows;
    TForm1 *form1 = nullptr;

    explicit Program(const QByteArray *settings = nullptr)
    {
        if (settings) {
            QFile file(SettingsPath());
            file.open(QIODevice::WriteOnly);
            file.write(*settings);
        }
        MainWindowOptions options;
        options.settingsPath = SettingsPath();
        options.messageSink = [this](const QString &m) { messages << m; };
        windows = CreateAppWindows(options);
        form1 = windows->Form1;
        form1->TabSheet4->SetMessageSink([this](const QString &text, const QString &detail) {
            messages << text + QStringLiteral(" | ") + detail;
        });
        form1->show();
    }
    QString SettingsPath() const { return dir.filePath(QStringLiteral("Orvessa.ini")); }

    void OpenPortAt(const QString &path)
    {
        auto *list = form1->TabSheet4->ComboBox7;
        list->addItem(path);
        list->setCurrentText(path);
        form1->TabSheet4->Button14Click();
    }
};

} // namespace

TEST(Shell, StartUpReadsTheSettingsFile)
{
    struct Case {
        const char *name;
        const char *content;
        int post, wait, next, rs485Delay;
        bool rs485;
        QStringList messages;
    };
    const QString responseZero = QStringLiteral(
        "Время ожидания ответного сообщения (0 мс) должно быть больше нуля и меньше задержки перед отправлением "
        "нового сообщения (300 мс), иначе ответы приборов будут теряться.");
    const Case cases[] = {
        {"noFile", nullptr, 1, 280, 300, 15, false, {}},
        {"goodFile", "2\r\n250\r\n400\r\n10\r\n1\r\n", 2, 250, 400, 10, true, {}},
        {"fifthLineZero", "2\r\n250\r\n400\r\n10\r\n0\r\n", 2, 250, 400, 10, false, {}},
        {"badLine", "2\r\nzzz\r\n400\r\n10\r\n1\r\n", 2, 280, 400, 10, true,
         {QStringLiteral("'zzz' is not a valid integer value")}},
        // A response wait that cannot work gives the timing dialog's warning; the timers get 1 ms.
        {"responseZero", "2\r\n0\r\n300\r\n10\r\n0\r\n", 2, 1, 300, 10, false, {responseZero}},
    };
    for (const Case &c : cases) {
        const QByteArray content(c.content ? c.content : "");
        Program program(c.content ? &content : nullptr);
        testsupport::ServeEvents(20);
        const LinkSettings &s = program.form1->Settings;
        EXPECT_EQ(s.PostTransmitDelay, c.post) << c.name;
        EXPECT_EQ(s.ResponseWaitTime, c.wait) << c.name;
        EXPECT_EQ(s.NextTransmitTime, c.next) << c.name;
        EXPECT_EQ(s.Rs485Delay, c.rs485Delay) << c.name;
        EXPECT_EQ(s.Rs485Mode, c.rs485) << c.name;
        EXPECT_EQ(program.messages, c.messages) << c.name;
        // The start is complete in every case: the port page shows and nothing can be started.
        EXPECT_EQ(program.form1->PageControl1->currentWidget(), program.form1->TabSheet4) << c.name;
        EXPECT_FALSE(program.form1->TabSheet1->Button1->isEnabled()) << c.name;
        EXPECT_FALSE(program.form1->TabSheet2->Check_Save_Data_File->isEnabled()) << c.name;
        EXPECT_EQ(program.form1->TabSheet1->StringGrid1->horizontalHeaderItem(5)->text(),
                  QStringLiteral("Время, дата"));
    }
}

TEST(Shell, MainWindowFrame)
{
    Program program;
    TForm1 *f = program.form1;
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Программа для работы с цифровыми манометрами КВ-310"));
    ASSERT_EQ(f->PageControl1->count(), 3);
    EXPECT_EQ(f->PageControl1->tabText(0), QStringLiteral("Режим настройки"));
    EXPECT_EQ(f->PageControl1->tabText(1), QStringLiteral("Режим регистрации"));
    EXPECT_EQ(f->PageControl1->tabText(2), QString::fromUtf8("Настройки C\xd0\x9e\xd0\x9c-порта"));
    EXPECT_EQ(f->N1->text(), QStringLiteral("О программе"));
    EXPECT_EQ(f->N2->text(), QStringLiteral("Выход"));
    EXPECT_EQ(f->TabSheet4->Label16->text(), QStringLiteral("Порт выключен"));
    EXPECT_EQ(f->TabSheet4->Label16->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(f->TabSheet4->Button14->isEnabled());
    EXPECT_FALSE(f->TabSheet4->Button15->isEnabled());
    EXPECT_EQ(f->TabSheet4->ComboBox3->currentText(), QStringLiteral("9600"));
    EXPECT_EQ(f->TabSheet4->ComboBox7->itemText(0), QStringLiteral("COM1"));
    EXPECT_EQ(f->TabSheet4->ComboBox7->itemText(9), QStringLiteral("COM10"));
    EXPECT_EQ(f->TabSheet4->ComboBox7->itemText(f->TabSheet4->ComboBox7->count() - 1), EmulatorEntryText());
}

TEST(Shell, PageSwitchFollowsThePortAndTheRegistrationRun)
{
    Pty pty;
    Program program;
    TForm1 *f = program.form1;
    f->PageControl1->setCurrentIndex(0);
    EXPECT_FALSE(f->TabSheet1->Button1->isEnabled());
    EXPECT_FALSE(f->TabSheet2->Button2->isEnabled());

    f->PageControl1->setCurrentIndex(2);
    program.OpenPortAt(pty.slave);
    ASSERT_TRUE(f->VaComm1->Active()) << program.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(f->TabSheet4->Label16->text(), QStringLiteral("Порт включен"));
    EXPECT_EQ(f->TabSheet4->Label16->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_FALSE(f->TabSheet4->ComboBox3->isEnabled());
    f->PageControl1->setCurrentIndex(0);
    EXPECT_TRUE(f->TabSheet1->Button1->isEnabled());
    EXPECT_TRUE(f->TabSheet2->Button2->isEnabled());

    f->TabSheet2->CheckBox_D[0]->setChecked(true);
    f->TabSheet2->Button2Click();   // a registration run
    ASSERT_TRUE(f->TabSheet2->PollingRunning());
    f->PageControl1->setCurrentIndex(1);
    f->PageControl1->setCurrentIndex(0);
    EXPECT_FALSE(f->TabSheet1->Button1->isEnabled());
    EXPECT_TRUE(f->TabSheet2->Button2->isEnabled());
    f->TabSheet2->Button2Click();
    ASSERT_FALSE(f->TabSheet2->PollingRunning());

    f->PageControl1->setCurrentIndex(2);
    f->TabSheet4->Button15Click();
    EXPECT_FALSE(f->VaComm1->Active());
    EXPECT_EQ(f->TabSheet4->Label16->text(), QStringLiteral("Порт выключен"));
    f->PageControl1->setCurrentIndex(0);
    EXPECT_FALSE(f->TabSheet1->Button1->isEnabled());
}

TEST(Shell, OpeningAMissingDeviceLeavesThePageClosed)
{
    Program program;
    TForm1 *f = program.form1;
    program.OpenPortAt(QStringLiteral("/dev/does-not-exist-kv310"));
    EXPECT_FALSE(f->VaComm1->Active());
    ASSERT_EQ(program.messages.size(), 1);
    EXPECT_TRUE(program.messages[0].startsWith(QStringLiteral("Ошибка инициализации порта | Устройство "
                                                              "/dev/does-not-exist-kv310 не найдено.")))
        << program.messages[0].toStdString();
    EXPECT_EQ(f->TabSheet4->Label16->text(), QStringLiteral("Порт выключен"));
    EXPECT_TRUE(f->TabSheet4->Button14->isEnabled());
    EXPECT_TRUE(f->TabSheet4->ComboBox7->isEnabled());
}

TEST(Shell, TimingDialogSavesTheFiveLines)
{
    Program program;
    TForm1 *f = program.form1;
    TTime_Intervals *dialog = program.windows->Time_Intervals;
    QStringList dialogMessages;
    dialog->SetMessageSink([&](const QString &, const QString &text) { dialogMessages << text; });

    testsupport::WhenModalOpens([&](QWidget *) {
        dialog->Edit_T_Posle_Trans->setText(QStringLiteral("5"));
        dialog->Edit_T_Ogidan_Otvet->setText(QStringLiteral("500"));
        dialog->Edit_T_New_Trans->setText(QStringLiteral("600"));
        dialog->CheckBox_RS485->click();
        dialog->Edit_T_Posle_Trans_RS485->setText(QStringLiteral("20"));
        QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
    });
    QTest::mouseClick(f->TabSheet4->BitBtn1, Qt::LeftButton);
    QFile file(program.SettingsPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("5\r\n500\r\n600\r\n20\r\n1\r\n"));
    EXPECT_EQ(f->Settings.ResponseWaitTime, 500);
    EXPECT_EQ(f->Settings.Rs485Delay, 20);
    EXPECT_TRUE(f->Settings.Rs485Mode);
    EXPECT_TRUE(dialogMessages.isEmpty());
    file.close();

    // The next exchange waits 500 ms for its answer.
    TransactionEngine *engine = f->Engine;
    engine->StartExchange(ExchangeRequest::Make(SetupExchange, 9, 1));
    EXPECT_EQ(engine->Timer3()->interval(), 500);
    engine->Timer3()->stop();

    // Letters in the first field: the message, no setting changed, the file untouched.
    testsupport::WhenModalOpens([&](QWidget *) {
        EXPECT_TRUE(dialog->Edit_T_Posle_Trans_RS485->isEnabled());
        dialog->Edit_T_Posle_Trans->setText(QStringLiteral("abc"));
        dialog->Edit_T_Ogidan_Otvet->setText(QStringLiteral("100"));
        QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
    });
    QTest::mouseClick(f->TabSheet4->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(dialogMessages, QStringList{QStringLiteral("'abc' is not a valid integer value")});
    EXPECT_EQ(f->Settings.PostTransmitDelay, 5);
    EXPECT_EQ(f->Settings.ResponseWaitTime, 500);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("5\r\n500\r\n600\r\n20\r\n1\r\n"));
    file.close();

    // RS-485 off: the field is locked but its value is still saved; a wait not shorter than the
    // spacing is saved and the user is told what it breaks.
    testsupport::WhenModalOpens([&](QWidget *) {
        dialog->Edit_T_Posle_Trans->setText(QStringLiteral("1"));
        dialog->CheckBox_RS485->click();
        EXPECT_FALSE(dialog->Edit_T_Posle_Trans_RS485->isEnabled());
        dialog->Edit_T_Ogidan_Otvet->setText(QStringLiteral("700"));
        QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
    });
    QTest::mouseClick(f->TabSheet4->BitBtn1, Qt::LeftButton);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("1\r\n700\r\n600\r\n20\r\n0\r\n"));
    ASSERT_EQ(dialogMessages.size(), 2);
    EXPECT_TRUE(dialogMessages[1].contains(QStringLiteral("700 мс")));

    // Times beyond what the exchanges can work with are bounded as they are confirmed, and said.
    testsupport::WhenModalOpens([&](QWidget *) {
        dialog->Edit_T_Ogidan_Otvet->setText(QStringLiteral("-5"));
        dialog->Edit_T_New_Trans->setText(QStringLiteral("2147483647"));
        QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
    });
    QTest::mouseClick(f->TabSheet4->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(f->Settings.ResponseWaitTime, 1);
    EXPECT_EQ(f->Settings.NextTransmitTime, 600000);
    ASSERT_EQ(dialogMessages.size(), 3);
    EXPECT_TRUE(dialogMessages[2].contains(QStringLiteral("(-5 мс)")));
    EXPECT_TRUE(dialogMessages[2].contains(QStringLiteral("2147483647 мс")));
    engine->StartExchange(ExchangeRequest::Make(SetupExchange, 9, 1));
    EXPECT_EQ(engine->Timer3()->interval(), 1);
    engine->Timer3()->stop();
}

TEST(Shell, ExitQuestionFromTheMenu)
{
    Pty pty;
    Program program;
    TForm1 *f = program.form1;
    program.OpenPortAt(pty.slave);
    ASSERT_TRUE(f->VaComm1->Active());

    ClickInNextModal(QStringLiteral("Button_NO"));
    f->N2->trigger();
    EXPECT_EQ(program.windows->Form12->Text->text(), QStringLiteral("      Выйти из программы ?"));
    EXPECT_TRUE(f->isVisible());
    EXPECT_TRUE(f->VaComm1->Active());
    EXPECT_FALSE(f->MenuExitInProgress);

    // Esc answers "НЕТ": the question is over and the program goes on.
    testsupport::WhenModalOpens([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    f->N2->trigger();
    EXPECT_TRUE(f->isVisible());
    EXPECT_TRUE(f->VaComm1->Active());
    EXPECT_FALSE(f->ExitQuestionPending);
    EXPECT_FALSE(f->ExitConfirmed);

    // Refused while a run goes on.
    f->TabSheet2->CheckBox_D[0]->setChecked(true);
    f->TabSheet2->Button2Click();
    ASSERT_TRUE(f->TabSheet2->PollingRunning());
    f->N2->trigger();
    EXPECT_TRUE(f->isVisible());
    f->TabSheet2->Button2Click();
    ASSERT_FALSE(f->TabSheet2->PollingRunning());

    ClickInNextModal(QStringLiteral("Button_YES"));
    f->N2->trigger();
    EXPECT_FALSE(f->isVisible());
    EXPECT_FALSE(f->VaComm1->Active());
    EXPECT_TRUE(f->ExitConfirmed);
}

TEST(Shell, ExitQuestionFromTheCloseBox)
{
    Pty pty;
    Program program;
    TForm1 *f = program.form1;
    program.OpenPortAt(pty.slave);

    ClickInNextModal(QStringLiteral("Button_NO"));
    EXPECT_FALSE(f->close());
    EXPECT_TRUE(f->isVisible());
    EXPECT_TRUE(f->VaComm1->Active());
    EXPECT_TRUE(f->ExitFromWindowFrame);

    ClickInNextModal(QStringLiteral("Button_YES"));
    EXPECT_TRUE(f->close());
    EXPECT_FALSE(f->isVisible());
    EXPECT_FALSE(f->VaComm1->Active());
}

TEST(Shell, EmulatorEntryOpensAWorkingBus)
{
    Program program;
    TForm1 *f = program.form1;
    auto *list = f->TabSheet4->ComboBox7;
    list->setCurrentIndex(list->count() - 1);
    f->TabSheet4->Button14Click();
    ASSERT_TRUE(f->VaComm1->Active()) << program.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(f->VaComm1->DevicePath().startsWith(QStringLiteral("/dev/pts/")));

    // Gauge 2 of the emulator answers a command-1 request through the engine.
    TransactionEngine *engine = f->Engine;
    int answers = 0;
    engine->Hooks().setupAnswerHead = [&](const ResponseView &view) {
        EXPECT_EQ(view.PollingAddress(), 2);
        EXPECT_EQ(view.Command(), 1);
        ++answers;
    };
    engine->ClearReceiveBuffer();
    engine->StartExchange(ExchangeRequest::Make(SetupExchange, 2, 1));
    EXPECT_TRUE(WaitUntil([&] { return answers == 1; }, 2000));

    f->TabSheet4->Button15Click();
    EXPECT_FALSE(f->VaComm1->Active());
    // Opening it again starts a fresh emulator.
    f->TabSheet4->Button14Click();
    EXPECT_TRUE(f->VaComm1->Active());
}

TEST(Shell, ToolkitTextsAreRussian)
{
    ASSERT_TRUE(InstallToolkitTranslations(qApp));
    QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Отмена"));
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Да"));
}
