// The setup menu's writing commands end to end: their dialogs and questions, the bytes that go
// over the line, the texts of the gauge's answers, and everything that sends nothing.
#include "device/current_output_dialog.h"
#include "setup/setup_menu.h"
#include "widgets/lamp.h"
#include "setup/address_dialog.h"
#include "widgets/display_colours.h"
#include "setup/averaging_dialog.h"
#include "setup/confirmation_dialog.h"
#include "setup/fixed_current_dialog.h"
#include "setup/setup_page.h"
#include "setup/variables_dialog.h"
#include "shell/setup_session.h"
#include "support/answer_frame.h"

#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <gtest/gtest.h>

#include <functional>

using namespace orv;
using testsupport::SetupSession;
using testsupport::WhenModalOpens;

namespace {

using Bytes = std::vector<std::uint8_t>;

// What the test does in the window an item opens (nothing for items without one).
using DialogAction = std::function<void(SetupSession &s, QWidget *modal)>;

DialogAction TypeAddress(const QString &text, bool ok = true)
{
    return [text, ok](SetupSession &s, QWidget *modal) {
        TForm3 *form3 = s.windows->Form3;
        ASSERT_EQ(modal, static_cast<QWidget *>(form3));
        form3->LabeledEdit1->setText(text);
        QTest::mouseClick(ok ? form3->BitBtn1 : form3->BitBtn2, Qt::LeftButton);
    };
}

DialogAction Averaging(int count, bool ok = true)
{
    return [count, ok](SetupSession &s, QWidget *modal) {
        TForm6 *form6 = s.windows->Form6;
        ASSERT_EQ(modal, static_cast<QWidget *>(form6));
        form6->TrackBar1->setValue(count);
        QTest::mouseClick(ok ? form6->BitBtn1 : form6->BitBtn2, Qt::LeftButton);
    };
}

// "BitBtn1" Задать with the typed text, "BitBtn3" Отключить, "BitBtn2" Выход.
DialogAction FixedCurrent(const QString &text, const char *button)
{
    return [text, button](SetupSession &s, QWidget *modal) {
        TForm9 *form9 = s.windows->Form9;
        ASSERT_EQ(modal, static_cast<QWidget *>(form9));
        EXPECT_EQ(form9->LabeledEdit1->text(), QStringLiteral("4"));   // offered at every showing
        form9->LabeledEdit1->setText(text);
        QTest::mouseClick(form9->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    };
}

DialogAction Answer(const QString &question, bool yes)
{
    return [question, yes](SetupSession &s, QWidget *modal) {
        TPodtvergdenie *dialog = s.windows->Podtvergdenie;
        ASSERT_EQ(modal, static_cast<QWidget *>(dialog));
        EXPECT_EQ(dialog->Label1->text(), question);
        QTest::mouseClick(yes ? dialog->BitBtn1 : dialog->BitBtn2, Qt::LeftButton);
    };
}

DialogAction Variables(bool ok)
{
    return [ok](SetupSession &s, QWidget *modal) {
        TForm5 *form5 = s.windows->Form5;
        ASSERT_EQ(modal, static_cast<QWidget *>(form5));
        QTest::mouseClick(ok ? form5->BitBtn1 : form5->BitBtn2, Qt::LeftButton);
    };
}

DialogAction Escape()
{
    return [](SetupSession &, QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); };
}

// Queues the action for the window the item opens, then presses Start; true when a window opened.
bool RunItem(SetupSession &s, int item, const DialogAction &action, const QString &address = QStringLiteral("1"))
{
    bool opened = false;
    if (action)
        WhenModalOpens([&](QWidget *modal) {
            opened = true;
            action(s, modal);
        });
    s.Press(item, address);
    return opened;
}

} // namespace

TEST(SetupWrites, RequestsOnTheWireAndTheAnswersInTheTable)
{
    struct Case {
        const char *name;
        int item;
        DialogAction action;
        std::uint8_t command;
        Bytes data;
        QString parameter;
        QString value;
    };
    const Case cases[] = {
        {"averaging 10", menu::WriteAveraging, Averaging(10), 34, {0x41, 0x20, 0x00, 0x00}, QStringLiteral("Записано значение демпфирования"),
         QStringLiteral("10,0000000")},
        {"fixed current off", menu::FixedCurrent, FixedCurrent(QString(), "BitBtn3"), 40, {0xBF, 0x80, 0x00, 0x00},
         QStringLiteral("Режим фиксированного тока отключен"), QStringLiteral("ОК")},
        {"fixed current 12,5", menu::FixedCurrent, FixedCurrent(QStringLiteral("12,5"), "BitBtn1"), 40, {0x41, 0x48, 0x00, 0x00},
         QStringLiteral("Зафиксирован ток, мА"), QStringLiteral("12,5000000")},
        {"fixed current 12.5", menu::FixedCurrent, FixedCurrent(QStringLiteral("12.5"), "BitBtn1"), 40, {0x41, 0x48, 0x00, 0x00},
         QStringLiteral("Зафиксирован ток, мА"), QStringLiteral("12,5000000")},
        {"zero correction", menu::ZeroCorrection, Answer(QStringLiteral("     Выполнить коррекцию НУЛЯ?"), true), 37, {}, QStringLiteral("Коррекция нуля"),
         QStringLiteral("Оk")},
        {"range correction", menu::RangeCorrection, Answer(QStringLiteral("Выполнить коррекцию ДИАПАЗОНА?"), true), 36, {}, QStringLiteral("Коррекция диапазона"),
         QStringLiteral("Оk")},
        // Last: the gauge answers under its new address from then on.
        {"address 300", menu::WritePollingAddress, TypeAddress(QStringLiteral("300")), 6, {44}, QStringLiteral("Записан адрес опроса "),
         QStringLiteral("44")},
    };
    SetupSession s;
    ASSERT_TRUE(s.Connect());
    int row = 1;
    for (const Case &c : cases) {
        s.simulator->requests().clear();
        EXPECT_TRUE(RunItem(s, c.item, c.action)) << c.name;
        ASSERT_TRUE(s.Finished()) << c.name;
        const auto requests = s.Requests();
        ASSERT_EQ(requests.size(), 1u) << c.name;
        EXPECT_EQ(requests[0].address, 1) << c.name;
        EXPECT_EQ(requests[0].command, c.command) << c.name;
        EXPECT_EQ(requests[0].data, c.data) << c.name;
        EXPECT_EQ(s.Cell(row, 1), QString::number(c.command)) << c.name;
        EXPECT_EQ(s.Cell(row, 2), s.page->ComboBox1->itemText(c.item - 1)) << c.name;
        EXPECT_EQ(s.Cell(row, 3), c.parameter) << c.name;
        EXPECT_EQ(s.Cell(row, 4), c.value) << c.name;
        EXPECT_TRUE(s.messages.isEmpty()) << c.name;
        ++row;
    }
    const auto addresses = s.simulator->addresses();
    EXPECT_NE(std::find(addresses.begin(), addresses.end(), 44), addresses.end());
    // The page's own address is not changed by the write.
    EXPECT_EQ(s.page->LabeledEdit4->text(), QStringLiteral("1"));
}

TEST(SetupWrites, RefusedCorrectionReadsAsAnError)
{
    SetupSession s;
    ASSERT_TRUE(s.Connect());
    ASSERT_TRUE(s.simulator->modify(1, [](sim::GaugeState &g) { g.correctionResult = 0x01; }));
    RunItem(s, menu::ZeroCorrection, Answer(QStringLiteral("     Выполнить коррекцию НУЛЯ?"), true));
    ASSERT_TRUE(s.Finished());
    RunItem(s, menu::RangeCorrection, Answer(QStringLiteral("Выполнить коррекцию ДИАПАЗОНА?"), true));
    ASSERT_TRUE(s.Finished());
    EXPECT_EQ(s.Cell(1, 3), QStringLiteral("Коррекция нуля"));
    EXPECT_EQ(s.Cell(1, 4), QStringLiteral("Ошибка"));
    EXPECT_EQ(s.Cell(2, 3), QStringLiteral("Коррекция диапазона"));
    EXPECT_EQ(s.Cell(2, 4), QStringLiteral("Ошибка"));
    const auto state = s.simulator->snapshot(1);
    ASSERT_TRUE(state.has_value());
    EXPECT_EQ(state->zeroCorrections, 1u);
    EXPECT_EQ(state->rangeCorrections, 1u);
}

TEST(SetupWrites, CancellingOrBadInputSendsNothing)
{
    struct Case {
        const char *name;
        int item;
        DialogAction action;
        QString message;   // the conversion error shown, if any
    };
    const Case cases[] = {
        {"address Отмена", menu::WritePollingAddress, TypeAddress(QStringLiteral("5"), false), QString()},
        {"address Esc", menu::WritePollingAddress, Escape(), QString()},
        {"address not a number", menu::WritePollingAddress, TypeAddress(QStringLiteral("x1")), QStringLiteral("'x1' is not a valid integer value")},
        {"variables Отмена", menu::ReadVariables, Variables(false), QString()},
        {"variables Esc", menu::ReadVariables, Escape(), QString()},
        {"averaging Отмена", menu::WriteAveraging, Averaging(20, false), QString()},
        {"averaging Esc", menu::WriteAveraging, Escape(), QString()},
        {"zero correction Отмена", menu::ZeroCorrection, Answer(QStringLiteral("     Выполнить коррекцию НУЛЯ?"), false), QString()},
        {"range correction Отмена", menu::RangeCorrection, Answer(QStringLiteral("Выполнить коррекцию ДИАПАЗОНА?"), false), QString()},
        {"range correction Esc", menu::RangeCorrection, Escape(), QString()},
        {"fixed current Выход", menu::FixedCurrent, FixedCurrent(QStringLiteral("10"), "BitBtn2"), QString()},
        {"fixed current Esc", menu::FixedCurrent, Escape(), QString()},
        {"fixed current not a number", menu::FixedCurrent, FixedCurrent(QStringLiteral("abc"), "BitBtn1"),
         QStringLiteral("'abc' is not a valid floating point value")},
    };
    for (const Case &c : cases) {
        SetupSession s;
        ASSERT_TRUE(s.Connect());
        EXPECT_TRUE(RunItem(s, c.item, c.action)) << c.name;
        testsupport::ServeEvents(250);   // long enough for a frame to reach the gauge
        EXPECT_TRUE(s.Requests().empty()) << c.name;
        EXPECT_TRUE(s.page->Button1->isEnabled()) << c.name;
        EXPECT_FALSE(s.Engine().Timer3()->isActive()) << c.name;
        EXPECT_EQ(s.page->RowCount(), 2) << c.name;
        EXPECT_EQ(s.page->ResultRow, 1) << c.name;
        EXPECT_EQ(s.Cell(1, 2), QString()) << c.name;
        EXPECT_EQ(s.messages, c.message.isEmpty() ? QStringList() : QStringList{c.message}) << c.name;
        if (c.item == menu::ReadVariables) {
            EXPECT_TRUE(s.windows->Form5->VariablesDialogCancelled) << c.name;
        }
    }
}

TEST(SetupWrites, DeviceItemsRunOnlyWhatIsPluggedIn)
{
    SetupSession s;
    ASSERT_TRUE(s.Connect());
    // Nothing plugged in: no item from 9 on sends, and none opens a window.
    for (int item = menu::FirstDeviceItem; item <= menu::ItemCount; ++item)
        s.page->Plugins().menuItems[static_cast<std::size_t>(item)] = nullptr;
    for (int item = menu::FirstDeviceItem; item <= menu::ItemCount; ++item) {
        s.Press(item, QStringLiteral("1"));
        EXPECT_TRUE(s.page->Button1->isEnabled()) << item;
    }
    testsupport::ServeEvents(250);
    EXPECT_TRUE(s.Requests().empty());

    // A device dialog's item either gives the request (saving: command 162) or sends on its own.
    int opened = 0;
    s.page->Plugins().menuItems[menu::SaveParameters] = [] { return std::optional<Request>(Request{162, {}}); };
    s.page->Plugins().menuItems[menu::DeviceInfo] = [&] {
        ++opened;
        return std::optional<Request>();
    };
    s.Press(menu::DeviceInfo, QStringLiteral("1"));
    EXPECT_EQ(opened, 1);
    testsupport::ServeEvents(250);
    EXPECT_TRUE(s.Requests().empty());
    ASSERT_TRUE(s.PressAndFinish(menu::SaveParameters, QStringLiteral("1")));
    const auto requests = s.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].command, 162);
    EXPECT_EQ(s.Cell(1, 1), QStringLiteral("162"));
}

TEST(SetupWrites, FixedCurrentAnswerLightsTheMarkedLamp)
{
    SetupSession s;
    ASSERT_TRUE(s.Connect());
    TUkaz_Tok *tok = s.windows->Ukaz_Tok;
    const auto lamps = [tok] {
        return std::vector<QColor>{tok->Shape1->Colour(), tok->Shape2->Colour(), tok->Shape3->Colour()};
    };
    const QColor silver = LampSilver(), lime = LampLime(), red = LampRed();

    tok->Marks = MarksAfterPress(FixedCurrentButton::DacMin);
    RunItem(s, menu::FixedCurrent, FixedCurrent(QStringLiteral("4"), "BitBtn1"));
    ASSERT_TRUE(s.Finished());
    EXPECT_EQ(lamps(), (std::vector<QColor>{lime, silver, silver}));
    EXPECT_EQ(tok->Marks, FixedCurrentMarks{});

    // "Выключить" marked, the answer says the mode is off: the third lamp.
    tok->Marks = MarksAfterPress(FixedCurrentButton::Off);
    RunItem(s, menu::FixedCurrent, FixedCurrent(QString(), "BitBtn3"));
    ASSERT_TRUE(s.Finished());
    EXPECT_EQ(lamps(), (std::vector<QColor>{silver, silver, lime}));

    // No answer: the marked button's lamp turns red.
    tok->Marks = MarksAfterPress(FixedCurrentButton::DacMin);
    RunItem(s, menu::FixedCurrent, FixedCurrent(QStringLiteral("5"), "BitBtn1"), QStringLiteral("9"));
    ASSERT_TRUE(s.Finished());
    EXPECT_EQ(lamps().front(), red);
}

TEST(SetupWrites, AveragingWindowKeepsItsPositionAndVariablesAreAskedOnEveryPress)
{
    SetupSession s;
    ASSERT_TRUE(s.Connect());
    RunItem(s, menu::WriteAveraging, Averaging(23));
    ASSERT_TRUE(s.Finished());
    int offered = 0;
    WhenModalOpens([&](QWidget *) {
        offered = s.windows->Form6->TrackBar1->value();
        QTest::mouseClick(s.windows->Form6->BitBtn1, Qt::LeftButton);
    });
    s.Press(menu::WriteAveraging, QStringLiteral("1"));
    ASSERT_TRUE(s.Finished());
    EXPECT_EQ(offered, 23);
    EXPECT_EQ(s.Cell(2, 4), QStringLiteral("23,0000000"));

    // OK with the box ticked would spare the registration page the question, never this page.
    for (int press = 0; press < 2; ++press) {
        EXPECT_TRUE(RunItem(s, menu::ReadVariables, Variables(true))) << press;
        ASSERT_TRUE(s.Finished());
        EXPECT_FALSE(s.windows->Form5->AskVariables);
    }
}

TEST(SetupWrites, UnitAnswerWithoutARequestOfItsOwn)
{
    // No menu item asks with command 44; an answer carrying it is still shown.
    struct Case {
        std::uint8_t unit;
        QString parameter;
        QString value;
    };
    const Case cases[] = {
        {3, QStringLiteral("Задана единица измерений"), QStringLiteral("кПа")},
        {0, QStringLiteral("Единица измерений"), QStringLiteral("не задана")},
    };
    SetupSession s;
    ASSERT_TRUE(s.Connect());
    TransactionEngine &engine = s.Engine();
    int row = 1;
    for (const Case &c : cases) {
        const orv::test::AnswerFrame answer = orv::test::MakeAnswer(1, 44, {c.unit});
        engine.EnterMode(SetupExchange);
        engine.ClearReceiveBuffer();
        engine.Receive(answer.bytes.data(), static_cast<int>(answer.bytes.size()));
        engine.Soobchenie(engine.Timer3());
        EXPECT_EQ(s.Cell(row, 1), QStringLiteral("44")) << int(c.unit);
        EXPECT_EQ(s.Cell(row, 3), c.parameter) << int(c.unit);
        EXPECT_EQ(s.Cell(row, 4), c.value) << int(c.unit);
        ++row;
    }
    EXPECT_EQ(s.page->ResultRow, 3);
}
