// The setup page against the gauge simulator: the menu, Start, the result table and its rows.
#include "device/sub_range_dialog.h"
#include "setup/setup_menu.h"
#include "registration/registration_page.h"
#include "widgets/widget_names.h"
#include "setup/averaging_dialog.h"
#include "setup/setup_page.h"
#include "widgets/up_down_buttons.h"
#include "setup/variables_dialog.h"
#include "shell/setup_session.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSlider>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace orv;
using testsupport::SetupSession;
using testsupport::WhenModalOpens;

namespace {

const QRegularExpression TimeStamp(QStringLiteral("^\\d{1,2}:\\d{2}:\\d{2}\\.\\d{3} \\d{2}\\.\\d{2}\\.\\d{4}$"));

// Chooses four list positions in the variables dialog and confirms.
void ChooseVariables(SetupSession &s, std::array<int, 4> positions)
{
    TForm5 *form5 = s.windows->Form5;
    WhenModalOpens([form5, positions](QWidget *modal) {
        ASSERT_EQ(modal, static_cast<QWidget *>(form5));
        QComboBox *lists[] = {form5->ComboBox1, form5->ComboBox2, form5->ComboBox3, form5->ComboBox4};
        for (int i = 0; i < 4; ++i)
            lists[i]->setCurrentIndex(positions[static_cast<std::size_t>(i)] - 1);
        QTest::mouseClick(form5->BitBtn1, Qt::LeftButton);
    });
}

} // namespace

TEST(SetupPage, ControlsAtStart)
{
    SetupSession s;
    SetupPage *p = s.page;
    ASSERT_EQ(p->ComboBox1->count(), 17);
    EXPECT_FALSE(p->ComboBox1->isEditable());
    EXPECT_EQ(p->ComboBox1->currentIndex(), 0);
    EXPECT_EQ(p->ComboBox1->itemText(0), QStringLiteral("1. Считать первичную переменную (давление)"));
    EXPECT_EQ(p->ComboBox1->itemText(16), QStringLiteral("17. Перезапуск прибора"));
    for (int i = 0; i < 17; ++i)
        EXPECT_TRUE(p->ComboBox1->itemText(i).startsWith(QString::number(i + 1) + QStringLiteral(". "))) << i;
    EXPECT_EQ(p->Label17->text(), QStringLiteral("Выбор команды"));
    EXPECT_EQ(p->Label17->buddy(), p->ComboBox1);
    EXPECT_EQ(p->Button1->text(), QStringLiteral("Старт"));
    EXPECT_EQ(p->LabeledEdit4->text(), QStringLiteral("0"));
    EXPECT_EQ(p->LabeledEdit4Label->text(), QStringLiteral("Адрес прибора"));
    EXPECT_EQ(p->LabeledEdit4Label->buddy(), p->LabeledEdit4);
    EXPECT_EQ(p->UpDown2->Min(), 0);
    EXPECT_EQ(p->UpDown2->Max(), 255);
    // One attempt, held by a field nobody sees or changes.
    EXPECT_EQ(p->LabeledEdit15->text(), QStringLiteral("1"));
    EXPECT_EQ(p->LabeledEdit15Label->text(), QStringLiteral("Число попыток"));
    EXPECT_TRUE(p->LabeledEdit15->isHidden());
    EXPECT_TRUE(p->LabeledEdit15->isReadOnly());
    EXPECT_FALSE(p->LabeledEdit15->isEnabled());
    EXPECT_EQ(p->AttemptLimit(), 1);

    EXPECT_EQ(p->RowCount(), 2);
    EXPECT_EQ(p->ResultRow, 1);
    const QString headers[] = {QStringLiteral("Адрес"), QStringLiteral("Команда"), QStringLiteral("Описание"), QStringLiteral("Параметр"), QStringLiteral("Значение"), QStringLiteral("Время, дата")};
    const int widths[] = {47, 63, 271, 348, 106, 119};
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(p->CellText(0, c), headers[c]) << c;
        // The last column also takes the room the window has left.
        if (c < 5)
            EXPECT_EQ(p->StringGrid1->columnWidth(c), widths[c]) << c;
        else
            EXPECT_GE(p->StringGrid1->columnWidth(c), widths[c]);
    }
    QHeaderView *header = p->StringGrid1->horizontalHeader();
    EXPECT_TRUE(header->sectionsMovable());
    EXPECT_EQ(header->sectionResizeMode(0), QHeaderView::Interactive);
    EXPECT_EQ(p->StringGrid1->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(p->StringGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(p->TraceLogLimit(), 100000);

    for (QWidget *w : std::initializer_list<QWidget *>{p->ComboBox1, p->Button1, p->LabeledEdit4, p->UpDown2,
                                                       p->LabeledEdit15, p->UpDown13, p->Memo1, p->StringGrid1})
        EXPECT_EQ(w->accessibleDescription(), w->objectName());
    // Controls without a text of their own are named for assistive technology.
    for (QWidget *w : std::initializer_list<QWidget *>{p->ComboBox1, p->LabeledEdit4, p->UpDown2, p->Memo1,
                                                       p->StringGrid1})
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
}

TEST(SetupPage, ItemOneToAddressZeroFillsRowOne)
{
    SetupSession s;
    ASSERT_TRUE(s.Connect({0}));
    ASSERT_TRUE(s.simulator->stagePressure(0, 1.0f, 2));
    ASSERT_TRUE(s.PressAndFinish(menu::ReadPrimary, QStringLiteral("0")));

    const auto requests = s.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].address, 0);
    EXPECT_EQ(requests[0].command, 1);
    EXPECT_TRUE(requests[0].data.empty());

    EXPECT_EQ(s.Cell(1, 0), QStringLiteral("0"));
    EXPECT_EQ(s.Cell(1, 1), QStringLiteral("1"));
    EXPECT_EQ(s.Cell(1, 2), QStringLiteral("1. Считать первичную переменную (давление)"));
    EXPECT_EQ(s.Cell(1, 3), QStringLiteral("Давление") + QStringLiteral(", ") + QStringLiteral("МПа"));
    EXPECT_EQ(s.Cell(1, 4), QStringLiteral("1,0000000"));
    EXPECT_TRUE(TimeStamp.match(s.Cell(1, 5)).hasMatch()) << s.Cell(1, 5).toStdString();
    EXPECT_EQ(s.page->RowCount(), 3);
    EXPECT_EQ(s.page->ResultRow, 2);
    EXPECT_EQ(s.Cell(2, 0), QString());
    // The last row is the selected one, ready for the next answer.
    EXPECT_EQ(s.page->StringGrid1->currentRow(), s.page->StringGrid1->rowCount() - 1);
    EXPECT_TRUE(s.TraceHas(QStringLiteral("Получен ответ:")));
    EXPECT_TRUE(s.TraceHas(QStringLiteral("Количество принятых байт: 19")));
    EXPECT_EQ(s.page->Button1->text(), QStringLiteral("Старт"));
}

TEST(SetupPage, MultiRowAnswersAdvanceTheResultRow)
{
    SetupSession s;
    ASSERT_TRUE(s.Connect());
    ASSERT_TRUE(s.PressAndFinish(menu::ReadCurrentAndVariables, QStringLiteral("2")));
    EXPECT_EQ(s.page->ResultRow, 6);
    EXPECT_EQ(s.page->RowCount(), 7);
    const QString names[] = {QStringLiteral("Ток, мА "), QStringLiteral("Давление "), QStringLiteral("Um, код АЦП "), QStringLiteral("Udif, код АЦП "),
                             QStringLiteral("t микропроцессора,°С ")};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s.Cell(1 + i, 3), names[i]) << i;
        EXPECT_FALSE(s.Cell(1 + i, 4).isEmpty()) << i;
    }
    EXPECT_LE(s.Cell(5, 4).size(), 5);
    // Only the first row of the block carries address, command, description and time.
    EXPECT_EQ(s.Cell(1, 1), QStringLiteral("3"));
    EXPECT_EQ(s.Cell(2, 1), QString());
    EXPECT_EQ(s.Cell(5, 5), QString());

    ChooseVariables(s, {1, 2, 3, 4});
    ASSERT_TRUE(s.PressAndFinish(menu::ReadVariables, QStringLiteral("2")));
    EXPECT_EQ(s.page->ResultRow, 10);
    EXPECT_EQ(s.page->RowCount(), 11);
    EXPECT_EQ(s.Cell(6, 1), QStringLiteral("33"));
    EXPECT_EQ(s.Cell(6, 2), QStringLiteral("4. Считать переменные"));
    EXPECT_FALSE(s.Cell(9, 3).isEmpty());
    EXPECT_EQ(s.Cell(10, 3), QString());
    EXPECT_EQ(s.Requests().back().data, (std::vector<std::uint8_t>{0, 1, 2, 3}));
}

TEST(SetupPage, NoAnswerRowIsReusedByTheNextAnswer)
{
    SetupSession s;
    ASSERT_TRUE(s.Connect());
    int resets = 0;
    int failures = 0;
    s.page->ResetSlotAttempts = [&] { ++resets; };
    s.page->Plugins().exchangeFailed = [&] { ++failures; };

    ASSERT_TRUE(s.PressAndFinish(menu::ReadPrimary, QStringLiteral("9")));   // nobody there
    EXPECT_EQ(s.Cell(1, 4), QStringLiteral("Нет ответа от прибора"));
    EXPECT_EQ(s.page->ResultRow, 1);
    EXPECT_EQ(s.page->RowCount(), 2);
    EXPECT_TRUE(s.page->Button1->isEnabled());
    EXPECT_EQ(s.page->Button1->text(), QStringLiteral("Старт"));
    EXPECT_TRUE(s.TraceHas(QStringLiteral("Отсутствует ответное сообщение")));
    EXPECT_FALSE(s.page->TraceText().contains(QStringLiteral("Попытка №")));
    EXPECT_EQ(failures, 1);

    ASSERT_TRUE(s.simulator->stagePressure(1, 0.5f, 2));
    ASSERT_TRUE(s.PressAndFinish(menu::ReadPrimary, QStringLiteral("1")));
    EXPECT_EQ(s.Cell(1, 0), QStringLiteral("1"));
    EXPECT_EQ(s.Cell(1, 4), QStringLiteral("0,5000000"));
    EXPECT_EQ(s.page->ResultRow, 2);
    EXPECT_EQ(resets, 2);
    EXPECT_EQ(failures, 1);

    // An answer that no decoder writes still wipes a no-answer left in its row.
    ASSERT_TRUE(s.PressAndFinish(menu::ReadPrimary, QStringLiteral("9")));
    EXPECT_EQ(s.Cell(2, 4), QStringLiteral("Нет ответа от прибора"));
    s.Engine().EnterMode(SetupExchange);
    s.Engine().SelectGauge(1);
    s.Engine().StartDialogExchange(197);   // restart: answered without data
    ASSERT_TRUE(s.Finished());
    EXPECT_EQ(s.Cell(2, 1), QStringLiteral("197"));
    EXPECT_EQ(s.Cell(2, 4), QString());
    EXPECT_EQ(s.page->ResultRow, 3);
}

TEST(SetupPage, RepeatedAttemptsReuseTheRequestWithoutAskingAgain)
{
    SetupSession s;
    ASSERT_TRUE(s.Connect());
    s.page->LabeledEdit15->setText(QStringLiteral("3"));
    int dialogs = 0;
    WhenModalOpens([&](QWidget *modal) {
        ++dialogs;
        auto *form6 = s.windows->Form6;
        ASSERT_EQ(modal, static_cast<QWidget *>(form6));
        form6->TrackBar1->setValue(7);
        QTest::mouseClick(form6->BitBtn1, Qt::LeftButton);
    });
    s.Press(menu::WriteAveraging, QStringLiteral("9"));
    ASSERT_TRUE(s.Finished(5000));
    testsupport::ServeEvents(400);   // a fourth attempt would show up here
    const auto requests = s.Requests();
    ASSERT_EQ(requests.size(), 3u);
    for (const auto &r : requests)
        EXPECT_EQ(r.data, (std::vector<std::uint8_t>{0x40, 0xE0, 0x00, 0x00}));
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(s.TraceHas(QStringLiteral("Попытка №") + QStringLiteral("2")));
    EXPECT_TRUE(s.TraceHas(QStringLiteral("Попытка №") + QStringLiteral("3")));
    EXPECT_EQ(s.Cell(1, 4), QStringLiteral("Нет ответа от прибора"));
    EXPECT_EQ(s.Engine().Attempt(), 1);
}

// The far end of the line goes away: both Start buttons are locked at once, not at the next page
// switch; a dialog's request on the closed port is traced as not sent and leaves Start locked.
TEST(SetupPage, StartButtonsFollowThePortAtOnce)
{
    SetupSession s;
    ASSERT_TRUE(s.Connect());
    ASSERT_TRUE(s.form1->TabSheet2->Button2->isEnabled());
    s.simulator->stop();
    ASSERT_TRUE(testsupport::WaitUntil([&] { return !s.form1->VaComm1->Active(); }));
    EXPECT_FALSE(s.page->Button1->isEnabled());
    EXPECT_FALSE(s.form1->TabSheet2->Button2->isEnabled());

    const int traced = static_cast<int>(s.page->TraceText().split(QLatin1Char('\n')).size());
    s.Engine().EnterMode(orv::SetupExchange);
    s.Engine().StartDialogExchange(196);
    testsupport::ServeEvents(200);
    const QStringList after = s.page->TraceText().split(QLatin1Char('\n')).mid(traced - 1);
    EXPECT_TRUE(after.contains(QStringLiteral("Порт закрыт: сообщение не отправлено")))
        << after.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(after.contains(QStringLiteral("ПЕРЕДАЧА:")));
    EXPECT_FALSE(s.page->Button1->isEnabled());
}

TEST(SetupPage, AddressIsTheTypedIntegerCutToEightBits)
{
    struct Case {
        const char *typed;
        int sentTo;          // -1: nothing sent
        const char *message;
    };
    const Case cases[] = {
        {"2", 2, nullptr},
        {"257", 1, nullptr},
        {" 3", 3, nullptr},
        {"abc", -1, "'abc' is not a valid integer value"},
        {"", -1, "'' is not a valid integer value"},
        {"1,5", -1, "'1,5' is not a valid integer value"},
    };
    for (const Case &c : cases) {
        SetupSession s;
        ASSERT_TRUE(s.Connect());
        ASSERT_TRUE(s.PressAndFinish(menu::ReadPrimary, QString::fromUtf8(c.typed))) << c.typed;
        testsupport::ServeEvents(c.sentTo < 0 ? 200 : 0);
        const auto requests = s.Requests();
        if (c.sentTo < 0) {
            EXPECT_TRUE(requests.empty()) << c.typed;
            EXPECT_EQ(s.messages, QStringList{QString::fromUtf8(c.message)}) << c.typed;
            EXPECT_TRUE(s.page->Button1->isEnabled()) << c.typed;
            EXPECT_EQ(s.page->ResultRow, 1) << c.typed;
        } else {
            ASSERT_EQ(requests.size(), 1u) << c.typed;
            EXPECT_EQ(requests[0].address, c.sentTo) << c.typed;
            EXPECT_EQ(s.Cell(1, 0), QString::number(c.sentTo)) << c.typed;
            EXPECT_TRUE(s.messages.isEmpty()) << c.typed;
        }
    }
}

TEST(SetupPage, NoMenuItemSelectedSendsNothing)
{
    SetupSession s;
    ASSERT_TRUE(s.Connect());
    ASSERT_TRUE(s.PressAndFinish(menu::ReadPrimary, QStringLiteral("1")));   // leaves a command-1 request behind
    s.simulator->requests().clear();
    s.page->ComboBox1->setCurrentIndex(-1);
    QTest::mouseClick(s.page->Button1, Qt::LeftButton);
    testsupport::ServeEvents(250);
    EXPECT_TRUE(s.Requests().empty());
    EXPECT_TRUE(s.page->Button1->isEnabled());
    EXPECT_EQ(s.page->ResultRow, 2);
}

TEST(SetupPage, PressureNameFollowsTheUnitByte)
{
    struct Case {
        std::uint8_t unit;
        QString name;
    };
    const Case cases[] = {
        {0, QStringLiteral("Давление")},
        {10, QStringLiteral("Давление")},
        {2, QStringLiteral("Давление") + QStringLiteral(", ") + QStringLiteral("МПа")},
        {9, QStringLiteral("Давление") + QStringLiteral(", ") + QStringLiteral("Bar")},
    };
    SetupSession s;
    ASSERT_TRUE(s.Connect());
    ASSERT_TRUE(s.simulator->stagePressure(1, 2.5f, 2));
    int row = 1;
    for (const Case &c : cases) {
        ASSERT_TRUE(s.simulator->modify(1, [&](sim::GaugeState &g) { g.settings.unitCode = c.unit; }));
        ASSERT_TRUE(s.PressAndFinish(menu::ReadPrimary, QStringLiteral("1")));
        EXPECT_EQ(s.Cell(row, 3), c.name) << int(c.unit);
        EXPECT_EQ(s.Cell(row, 4), QStringLiteral("2,5000000")) << int(c.unit);
        ++row;
    }
}

TEST(SetupPage, DeviceVariablesTakeNamesFromTheRequestAndFormatsFromTheLists)
{
    SetupSession s;
    ASSERT_TRUE(s.Connect());
    ASSERT_TRUE(s.simulator->stagePressure(1, 1.0f, 2));
    ASSERT_TRUE(s.simulator->modify(1, [](sim::GaugeState &g) {
        g.settings.averaging = 10;
        g.settings.modification = 2;
        g.settings.subMin = 0.25f;
        g.settings.subMax = 1.5f;
    }));
    ChooseVariables(s, {1, 5, 6, 11});
    ASSERT_TRUE(s.PressAndFinish(menu::ReadVariables, QStringLiteral("1")));
    EXPECT_EQ(s.Requests().back().data, (std::vector<std::uint8_t>{0, 4, 6, 11}));
    EXPECT_EQ(s.Cell(1, 3), QStringLiteral("1. Давление") + QStringLiteral(", МПа"));
    EXPECT_EQ(s.Cell(1, 4), QStringLiteral("1,0000000"));
    EXPECT_EQ(s.Cell(2, 3), QStringLiteral("5. Температура микропроцессора") + QStringLiteral(", °C"));
    EXPECT_EQ(s.Cell(2, 4).size(), 5);
    EXPECT_TRUE(s.Cell(2, 4).startsWith(QStringLiteral("24,"))) << s.Cell(2, 4).toStdString();
    EXPECT_EQ(s.Cell(3, 3), QStringLiteral("6. Число измерений при усреднении"));
    EXPECT_EQ(s.Cell(3, 4), QStringLiteral("10"));
    EXPECT_EQ(s.Cell(4, 3), QStringLiteral("11. Модификация прибора"));
    EXPECT_EQ(s.Cell(4, 4), QStringLiteral("КВ-310Б"));

    // The sub-range dialog's own read: names from the codes it asks for, suffixes and formats
    // from whatever the lists still select, and its range fields filled once.
    TPodDiapazon *sub = s.windows->PodDiapazon;
    const auto groups = [sub] {
        return QStringList{sub->Ed_Poddiap->currentText(), sub->Edit_Poddiap_Pmin->text(),
                           sub->Edit_Poddiap_Pmax->text(), sub->Ed_Osndiap->currentText(),
                           sub->Edit_Osndiap_Pmin->text(),  sub->Edit_Osndiap_Pmax->text()};
    };
    for (QLineEdit *edit : {sub->Edit_Poddiap_Pmin, sub->Edit_Poddiap_Pmax, sub->Edit_Osndiap_Pmin, sub->Edit_Osndiap_Pmax})
        edit->setText(QStringLiteral("-"));
    const QString mainUnit = sub->Ed_Osndiap->currentText();
    s.page->RangeTarget = RangeReadTarget::SubRange;
    const std::vector<std::uint8_t> codes{8, 7, 10, 9};
    s.Engine().StartDialogExchange(33, codes);
    ASSERT_TRUE(s.Finished());
    EXPECT_EQ(s.Cell(5, 3), QStringLiteral("8. Pmin поддиапазона") + QStringLiteral(", МПа"));
    EXPECT_EQ(s.Cell(5, 4), QStringLiteral("0,2500000"));
    EXPECT_EQ(s.Cell(6, 3), QStringLiteral("7. Pmax поддиапазона") + QStringLiteral(", °C"));
    EXPECT_EQ(s.Cell(6, 4), QStringLiteral("1,500"));
    EXPECT_EQ(s.Cell(7, 3), QStringLiteral("10. Pmin основного диапазона"));
    EXPECT_EQ(s.Cell(7, 4), QStringLiteral("0"));
    EXPECT_EQ(s.Cell(8, 3), QStringLiteral("9. Pmax основного диапазона"));
    EXPECT_EQ(s.Cell(8, 4), QStringLiteral("1,6000000"));
    EXPECT_EQ(groups(), (QStringList{QStringLiteral("МПа"), QStringLiteral("0,2500000"), QStringLiteral("1,5000000"),
                                     mainUnit, QStringLiteral("-"), QStringLiteral("-")}));
    EXPECT_EQ(s.page->RangeTarget, RangeReadTarget::None);

    // The main range: the other group.
    s.page->RangeTarget = RangeReadTarget::MainRange;
    s.Engine().StartDialogExchange(33, codes);
    ASSERT_TRUE(s.Finished());
    EXPECT_EQ(groups(), (QStringList{QStringLiteral("МПа"), QStringLiteral("0,2500000"), QStringLiteral("1,5000000"),
                                     QStringLiteral("МПа"), QStringLiteral("0,0000000"), QStringLiteral("1,6000000")}));

    // No target: nothing applied.
    for (QLineEdit *edit : {sub->Edit_Poddiap_Pmin, sub->Edit_Osndiap_Pmax})
        edit->setText(QStringLiteral("-"));
    const QStringList before = groups();
    s.Engine().StartDialogExchange(33, codes);
    ASSERT_TRUE(s.Finished());
    EXPECT_EQ(groups(), before);
}
