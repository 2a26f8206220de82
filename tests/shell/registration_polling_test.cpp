// The registration page's scheduler driven end to end: slot checks, Start/Stop, the period
// countdown, the spacing of the polls and the variables dialog.
#include "registration_fixture.h"
#include "port/port_page.h"
#include "gauge/gauge_texts.h"
#include "registration/registration_texts.h"
#include "shell/exit_question.h"
#include "support/modal.h"

#include <QProgressBar>
#include <QRegularExpression>
#include <QTime>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>

using namespace orv;
using namespace testsupport;

namespace {

std::vector<std::uint8_t> Addresses(const std::vector<sim::LoggedRequest> &log)
{
    std::vector<std::uint8_t> addresses;
    for (const auto &entry : log)
        addresses.push_back(entry.address);
    return addresses;
}

// When the program sent each request, by its own trace: the schedule is the program's, while
// the simulator's receive times also carry the pseudo-terminal's delivery, which a busy machine
// may hold up for a good part of a second.
std::vector<int> SendTimesMs(const QString &trace)
{
    static const QRegularExpression sent(QStringLiteral("Время начала отправления сообщения: (\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d)"));
    std::vector<int> out;
    for (auto it = sent.globalMatch(trace); it.hasNext();)
        out.push_back(QTime::fromString(it.next().captured(1), QStringLiteral("HH:mm:ss.zzz")).msecsSinceStartOfDay());
    return out;
}

} // namespace

TEST(RegistrationPolling, SlotChecksShowTheirMessageAndKeepPollingOff)
{
    RegistrationFixture f;
    ASSERT_TRUE(f.Connect({5}));
    struct Case {
        const char *what;
        std::vector<std::pair<int, QString>> ticked;     // slot, address text
        std::vector<std::pair<int, QString>> unticked;   // other slots' texts
        QString message;                                 // empty: polling starts
    };
    const std::vector<Case> cases = {
        {"nothing ticked", {}, {}, regtext::NoSlotSelected()},
        {"two addresses 0", {{1, "0"}, {4, "0"}}, {}, regtext::AddressZeroTwice()},
        {"5 and 261", {{2, "5"}, {6, "261"}}, {}, regtext::SameAddresses()},
        {"one address 0 passes", {{3, "0"}, {4, "5"}}, {}, QString()},
        {"unticked slots hold anything", {{9, "5"}}, {{1, "0"}, {2, "0"}, {3, "7"}, {4, "7"}, {5, "5"}}, QString()},
    };
    for (const Case &c : cases) {
        for (int k = 1; k <= 10; ++k) {
            f.Check(k)->setChecked(false);
            f.Address(k)->setText(QString::number(k));
        }
        for (const auto &[slot, text] : c.unticked)
            f.Address(slot)->setText(text);
        for (const auto &[slot, text] : c.ticked) {
            f.Address(slot)->setText(text);
            f.ClickSlot(slot);
        }
        f.messages.clear();
        const bool started = f.Start();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(started) << c.what;
            EXPECT_TRUE(f.messages.isEmpty()) << c.what << ": " << f.messages.join('|').toStdString();
            EXPECT_FALSE(f.page->TrackBar1->isEnabled()) << c.what;
            EXPECT_FALSE(f.page->ComboBox2->isEnabled()) << c.what;
            EXPECT_FALSE(f.Check(1)->isEnabled()) << c.what;
            EXPECT_TRUE(f.Stop()) << c.what;
            EXPECT_TRUE(f.Check(1)->isEnabled()) << c.what;
        } else {
            EXPECT_FALSE(started) << c.what;
            EXPECT_EQ(f.messages, QStringList{c.message}) << c.what;
            EXPECT_TRUE(f.page->TrackBar1->isEnabled()) << c.what;
        }
    }
}

TEST(RegistrationPolling, SaveBoxFollowsTheSilentChecksAndWordsStopTheClick)
{
    RegistrationFixture f;
    EXPECT_FALSE(f.page->Check_Save_Data_File->isEnabled());
    f.Tick(1, 5);
    EXPECT_TRUE(f.page->Check_Save_Data_File->isEnabled());
    EXPECT_FALSE(f.page->SlotSelectionInvalid());
    f.Tick(2, 5);   // a duplicate: no message from a check box, the box goes grey
    EXPECT_TRUE(f.messages.isEmpty());
    EXPECT_FALSE(f.page->Check_Save_Data_File->isEnabled());
    EXPECT_TRUE(f.page->SlotSelectionInvalid());
    f.Address(2)->setText(QStringLiteral("6"));
    f.Address(7)->setText(QStringLiteral("7a"));
    f.ClickSlot(3);
    EXPECT_EQ(f.messages, QStringList{QStringLiteral("'7a' is not a valid integer value")});
    EXPECT_TRUE(f.page->SlotSelectionInvalid()) << "the aborted click changes nothing";
}

TEST(RegistrationPolling, TrackBarSetsBothLabels)
{
    RegistrationFixture f;
    EXPECT_EQ(f.page->Label1->text(), QStringLiteral("1 c"));
    f.SetPeriod(4500);
    EXPECT_EQ(f.page->Label1->text(), QStringLiteral("4500") + regtext::SecondsSuffix());
    EXPECT_EQ(f.page->Label33->text(), QStringLiteral("4500") + regtext::SecondsSuffix());
    EXPECT_EQ(f.page->TrackBar1->tickInterval(), 500);
    EXPECT_EQ(f.page->TrackBar1->minimum(), 1);
    EXPECT_EQ(f.page->TrackBar1->maximum(), 10000);
}

TEST(RegistrationPolling, PeriodThreeWithSlotsTwoAndSeven)
{
    RegistrationFixture f;
    ASSERT_TRUE(f.Connect({21, 22}, 280, 300));
    f.Tick(2, 21);
    f.Tick(7, 22);
    f.SetPeriod(3);
    f.simulator->requests().clear();

    QStringList countdown;
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const QString text = f.page->Label33->text();
        if (countdown.isEmpty() || countdown.back() != text)
            countdown << text;
    });
    watch.start(5);
    const int clicked = QTime::currentTime().msecsSinceStartOfDay();
    ASSERT_TRUE(f.Start());
    ASSERT_TRUE(WaitUntil([&] { return f.simulator->requests().size() >= 4; }, 8000));
    watch.stop();
    const auto log = f.simulator->requests().entries();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(Addresses(log).at(0), 21);
    EXPECT_EQ(Addresses(log).at(1), 22);
    EXPECT_EQ(Addresses(log).at(2), 21);
    EXPECT_EQ(Addresses(log).at(3), 22);
    // Slot 2 at the start, slot 7 one spacing later; the next cycle three ticks after the first.
    const std::vector<int> sent = SendTimesMs(f.Trace());
    ASSERT_GE(sent.size(), 4u);
    EXPECT_LT(sent[0] - clicked, 30);
    EXPECT_NEAR(sent[1] - sent[0], 300, 30);
    EXPECT_NEAR(sent[2] - sent[0], 3000, 60);
    EXPECT_NEAR(sent[3] - sent[2], 300, 30);

    // "0 c" stands only while the first request of a cycle goes out.
    const QString s = regtext::SecondsSuffix();
    countdown.removeAll("0" + s);
    for (int i = countdown.size() - 1; i > 0; --i) {
        if (countdown[i] == countdown[i - 1])
            countdown.removeAt(i);
    }
    ASSERT_GE(countdown.size(), 4) << countdown.join('|').toStdString();
    EXPECT_EQ(countdown.mid(0, 4), (QStringList{"3" + s, "2" + s, "1" + s, "3" + s}))
        << countdown.join('|').toStdString();
    EXPECT_TRUE(f.Stop());
    EXPECT_EQ(f.page->ProgressBar1->value(), 0);
    EXPECT_EQ(f.page->Label33->text(), "3" + s);
}

TEST(RegistrationPolling, StopEndsThePollsAndExitIsRefusedWhileRunning)
{
    RegistrationFixture f;
    ASSERT_TRUE(f.Connect({1, 2}));
    f.Tick(1, 1);
    f.Tick(2, 2);
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(f.page->Button2->text(), regtext::StopCaption());
    ASSERT_TRUE(WaitUntil([&] { return f.Lamp(1) == Green && f.Lamp(2) == Green; }));

    // The menu's exit asks nothing while polling runs.
    bool asked = false;
    WhenModalOpens(
        [&](QWidget *modal) {
            asked = true;
            modal->close();
        },
        300);
    f.form1->N2Click();
    ServeEvents(400);
    EXPECT_FALSE(asked);
    // The setup page's Start stays off while polling runs.
    f.ShowPage(0);
    EXPECT_FALSE(f.form1->TabSheet1->Button1->isEnabled());
    f.ShowPage(1);

    ASSERT_TRUE(f.Stop());
    EXPECT_EQ(f.page->Button2->text(), text::StartCaption());
    EXPECT_FALSE(f.page->Timer1->isActive());
    EXPECT_FALSE(f.page->Timer31->isActive());
    for (int k = 1; k <= 10; ++k)
        EXPECT_FALSE(f.Engine().SlotTimer(k)->isActive()) << k;
    ServeEvents(200);
    f.simulator->requests().clear();
    ServeEvents(1300);
    EXPECT_EQ(f.simulator->requests().size(), 0u);
    EXPECT_EQ(f.Lamp(1), Green) << "results stay after Stop";
    EXPECT_TRUE(f.page->Check_Save_Data_File->isEnabled());
}

// The port goes away during a run, or is closed with "Отключение порта" (here inside a
// transmission's wait, where a click used to land): the run ends, the data files stay open and
// can be closed, both Start buttons are locked at once, and the trace says the port is closed.
TEST(RegistrationPolling, PortLostOrClosedEndsTheRunAndKeepsTheFiles)
{
    for (const bool closedByUser : {false, true}) {
        // Declared before the fixture: the trace sink below reads it for as long as the engine lives.
        bool armed = true;
        RegistrationFixture f;
        ASSERT_TRUE(f.Connect({1, 2}));
        f.form1->Settings.PostTransmitDelay = 50;
        f.Tick(1, 1);
        f.Tick(2, 2);
        f.TickSaveBox(f.dir.filePath(QStringLiteral("lost.txt")));
        ASSERT_TRUE(f.page->FilesCreated());
        ASSERT_TRUE(f.Start());
        ASSERT_TRUE(WaitUntil([&] { return f.Lamp(1) == Green && f.Lamp(2) == Green; }));

        if (closedByUser) {
            f.Engine().SetTraceSink([&](const QString &line) {
                f.form1->TabSheet1->AppendTrace(line);
                if (armed && line == QStringLiteral("ПРИЕМ:")) {
                    armed = false;
                    QTimer::singleShot(0, f.form1->TabSheet4, &PortPage::Button15Click);
                }
            });
        } else {
            f.simulator->stop();   // the adapter is pulled: the far end of the line goes away
        }
        ASSERT_TRUE(WaitUntil([&] { return !f.form1->VaComm1->Active(); }));
        EXPECT_FALSE(f.page->PollingRunning()) << closedByUser;
        EXPECT_EQ(f.page->Button2->text(), text::StartCaption());
        EXPECT_FALSE(f.page->Timer1->isActive());
        EXPECT_FALSE(f.page->Timer31->isActive());
        EXPECT_FALSE(f.page->Button2->isEnabled()) << closedByUser;
        EXPECT_FALSE(f.form1->TabSheet1->Button1->isEnabled()) << closedByUser;
        EXPECT_TRUE(f.page->FilesCreated());
        EXPECT_TRUE(f.page->Check_Save_Data_File->isEnabled()) << "the files can be closed";
        ServeEvents(100);
        const QStringList trace = f.Trace().split(QLatin1Char('\n'));
        EXPECT_FALSE(trace.contains(QStringLiteral("Передача не завершена: порт не сообщил об окончании передачи")));
        if (closedByUser) {
            EXPECT_TRUE(trace.contains(QStringLiteral("Передача прервана: порт закрыт")));
        } else {
            ASSERT_FALSE(f.messages.isEmpty());
            EXPECT_TRUE(f.messages.last().startsWith(QStringLiteral("Ошибка порта"))) << f.messages.last().toStdString();
        }
    }
}

TEST(RegistrationPolling, VariablesDialogOncePerRunWhenTicked)
{
    RegistrationFixture f;
    ASSERT_TRUE(f.Connect({1, 2}, 60, 80));
    TForm5 *form5 = f.windows->Form5;
    f.Tick(1, 1);
    f.Tick(2, 2);
    f.ChooseCommand(2);
    form5->Check_No_Zapros_All_Datchik->setChecked(true);

    DialogAnswerer ok(form5, form5->BitBtn1);
    ASSERT_TRUE(f.Start());
    ASSERT_TRUE(WaitUntil([&] { return f.simulator->requests().size() >= 6; }, 6000));
    EXPECT_EQ(ok.count, 1);
    ASSERT_TRUE(f.Stop());
    // A new run asks again, once.
    ASSERT_TRUE(f.Start());
    ASSERT_TRUE(WaitUntil([&] { return ok.count == 2; }));
    ServeEvents(1200);
    EXPECT_EQ(ok.count, 2);
    ASSERT_TRUE(f.Stop());
}

TEST(RegistrationPolling, VariablesDialogBeforeEveryPollWhenCleared)
{
    RegistrationFixture f;
    ASSERT_TRUE(f.Connect({1, 2, 3}, 60, 80));
    TForm5 *form5 = f.windows->Form5;
    for (int k = 1; k <= 3; ++k)
        f.Tick(k, k);
    f.ChooseCommand(2);
    form5->Check_No_Zapros_All_Datchik->setChecked(false);
    f.SetPeriod(2);

    bool timersStill = true;
    DialogAnswerer ok(form5, form5->BitBtn1, [&] {
        // The period and the spacing stand still while the dialog is open.
        timersStill = timersStill && !f.page->Timer1->isActive() && !f.page->Timer31->isActive();
    });
    f.simulator->requests().clear();
    ASSERT_TRUE(f.Start());
    ASSERT_TRUE(WaitUntil([&] { return f.simulator->requests().size() >= 6; }, 8000));
    ASSERT_TRUE(f.Stop());
    ServeEvents(100);
    const auto log = f.simulator->requests().entries();
    EXPECT_EQ(static_cast<std::size_t>(ok.count), log.size());
    EXPECT_TRUE(timersStill);
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(Addresses(log).at(3), 1) << "the second cycle came round";
    EXPECT_EQ(log.at(0).command, 33);
}

TEST(RegistrationPolling, CancelInTheVariablesDialogStopsTheRun)
{
    RegistrationFixture f;
    ASSERT_TRUE(f.Connect({1, 2}));
    f.Tick(1, 1);
    f.Tick(2, 2);
    f.ChooseCommand(2);
    f.simulator->requests().clear();
    ClickInNextModal(QStringLiteral("BitBtn2"));
    f.ClickStartStop();
    ASSERT_TRUE(WaitUntil([&] { return !f.page->PollingRunning(); }));
    ServeEvents(1300);
    EXPECT_EQ(f.simulator->requests().size(), 0u) << "nothing is sent";
    EXPECT_EQ(f.page->Button2->text(), text::StartCaption());
    EXPECT_FALSE(f.page->Timer1->isActive());
    EXPECT_TRUE(f.Check(1)->isEnabled());
    EXPECT_TRUE(f.page->ComboBox2->isEnabled());
    EXPECT_EQ(f.page->ProgressBar1->value(), 0);
    EXPECT_EQ(f.page->Label33->text(), QStringLiteral("1") + regtext::SecondsSuffix());
}
