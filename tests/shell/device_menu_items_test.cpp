// Setup-menu items 10, 12, 15, 16, 17 end to end against the simulated gauge, and the answers
// whose bytes the simulated gauge never sends, delivered as if they had come over the line.
#include "device/device_menu_items.h"
#include "device/pressure_unit_dialog.h"
#include "setup/setup_menu.h"
#include "device/response_delay_dialog.h"
#include "device/track_bar.h"
#include "device_test_fixture.h"
#include "support/answer_frame.h"
#include "setup/confirmation_dialog.h"
#include "support/test_printers.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace orv {
namespace {

using testsupport::ClickInNextModal;
using testsupport::Click;
using testsupport::DeviceProgram;
using testsupport::U;
using testsupport::DialogScript;
using testsupport::WhenModalOpens;
using Bytes = std::vector<std::uint8_t>;


TEST(DeviceMenuItems, ConfirmedCommandsAndTheResponseDelaySendTheirFramesToAddressZero)
{
    // The written delay also delays the gauge's answers: a long enough wait for them.
    DeviceProgram p({0}, 400);
    ASSERT_TRUE(p.connected) << p.messages.join(QLatin1Char('\n')).toStdString();
    const struct {
        int item;
        const char *question;
        Bytes frame;
        const char *parameter;
        const char *value;
    } cases[] = {
        {menu::SaveParameters, "             Сохранить данные?", {0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xA2, 0x00, 0x20},
         "Сохранение параметров ЗАП", "выполнено"},
        {menu::RestoreSettings, "  Восстановить настройки прибора?",
         {0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xC4, 0x04, 0x01, 0x01, 0x01, 0x01, 0x42},
         "Заводские настройки", "Восстановлены"},
        {menu::ResponseDelay, nullptr, {0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xC1, 0x01, 0x78, 0x3A},
         "Записали длительность задержки, мс", "120"},
        // Last: the restarted gauge stays silent for a while. Its answer has no decoder.
        {menu::Restart, "    Выполнить перезагрузку прибора?",
         {0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xC5, 0x04, 0x03, 0x02, 0x01, 0x00, 0x43}, "", ""},
    };
    std::size_t heard = 0;
    for (const auto &c : cases) {
        const int row = p.Page().ResultRow;
        QString asked;
        if (c.question) {
            WhenModalOpens([&](QWidget *modal) {
                asked = modal->findChild<QLabel *>(QStringLiteral("Label1"))->text();
                QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);
            });
            p.RunItem(c.item);
            EXPECT_EQ(asked, U(c.question)) << c.item;
        } else {
            TTime_Delay_Pribor *d = p.windows->Time_Delay_Pribor;
            DialogScript script(
                d,
                {[&] {
                     d->Time_Delay->setValue(120);
                     QTest::mouseClick(d->Button_Delay_Write, Qt::LeftButton);
                 },
                 [&] {
                     EXPECT_TRUE(p.WaitForExchanges(heard + 1));
                     QTest::mouseClick(d->Button_Delay_Vixod, Qt::LeftButton);
                 }},
                [&] { d->ResponseDelayExitFlag = true; d->reject(); });
            p.RunItem(c.item);
            EXPECT_EQ(script.Showings(), 2);
            EXPECT_EQ(d->Time_Delay->SelEnd(), 0) << "the answer clears the highlight";
        }
        ++heard;
        ASSERT_TRUE(p.WaitForExchanges(heard)) << c.item;
        EXPECT_EQ(p.LastFrame(), c.frame) << c.item;
        EXPECT_EQ(p.Parameter(row), U(c.parameter)) << c.item;
        EXPECT_EQ(p.Value(row), U(c.value)) << c.item;
        EXPECT_EQ(p.Page().ResultRow, row + 1) << c.item;
    }
    EXPECT_EQ(p.simulator->snapshot(0)->restarts, 1u);
}

TEST(DeviceMenuItems, CancelledOrEmptyRequestsSendNothing)
{
    DeviceProgram p;
    ASSERT_TRUE(p.connected);
    const int rows = p.Page().StringGrid1->rowCount();
    const auto nothingSent = [&](bool sent, const char *what) {
        testsupport::ServeEvents(60);
        EXPECT_FALSE(sent) << what;
        EXPECT_FALSE(p.Engine().Timer3()->isActive()) << what;
        EXPECT_EQ(p.simulator->requests().size(), 0u) << what;
        EXPECT_EQ(p.Page().StringGrid1->rowCount(), rows) << what;
    };
    for (int item : {menu::SaveParameters, menu::RestoreSettings, menu::Restart}) {
        ClickInNextModal(QStringLiteral("BitBtn2"));
        nothingSent(p.RunItem(item), "Отмена");
    }

    TUkaz_Ed_Davl *unit = p.windows->Ukaz_Ed_Davl;
    ClickInNextModal(QStringLiteral("BitBtn1"));
    nothingSent(p.RunItem(menu::PressureUnit), "unit Отмена");

    // An empty unit text builds nothing, so nothing goes out.
    WhenModalOpens([&](QWidget *) {
        unit->Ed_Davlen->setEditText(QString());
        QTest::mouseClick(unit->Button_Ed_Davlenie, Qt::LeftButton);
    });
    nothingSent(p.RunItem(menu::PressureUnit), "empty unit");
}

TEST(DeviceMenuItems, PressureUnitByName)
{
    DeviceProgram p;
    ASSERT_TRUE(p.connected);
    TUkaz_Ed_Davl *unit = p.windows->Ukaz_Ed_Davl;
    const struct {
        const char *chosen;
        std::uint8_t code;
        const char *parameter;
        const char *value;
    } cases[] = {
        {"Bar", 9, "Задана единица измерений", "Bar"},
        {"кгс/см2", 1, "Задана единица измерений", "кгс/см2"},
        // Not one of the nine names: code 0, and the gauge keeps its unit and names it.
        {"bar", 0, "Задана единица измерений", "кгс/см2"},
    };
    std::size_t heard = 0;
    for (const auto &c : cases) {
        const int row = p.Page().ResultRow;
        WhenModalOpens([&](QWidget *modal) {
            EXPECT_EQ(modal, unit);
            EXPECT_EQ(unit->windowTitle(), U("Указание единиц измерений"));
            unit->Ed_Davlen->setEditText(U(c.chosen));
            QTest::mouseClick(unit->Button_Ed_Davlenie, Qt::LeftButton);
        });
        p.RunItem(menu::PressureUnit);
        ASSERT_TRUE(p.WaitForExchanges(++heard)) << c.chosen;
        const auto sent = p.simulator->requests().entries().back();
        EXPECT_EQ(sent.command, 178) << c.chosen;
        EXPECT_EQ(sent.data, Bytes{c.code}) << c.chosen;
        EXPECT_EQ(p.Parameter(row), U(c.parameter)) << c.chosen;
        EXPECT_EQ(p.Value(row), U(c.value)) << c.chosen;
    }
    // The combo box keeps the last choice.
    EXPECT_EQ(unit->Ed_Davlen->currentText(), U("bar"));

    // A repeated attempt rebuilds the request from the unchanged choice without asking again.
    unit->Ed_Davlen->setEditText(U("МПа"));
    bool asked = false;
    WhenModalOpens([&](QWidget *modal) { asked = true; modal->close(); }, 300);
    const std::optional<Request> repeated = ChoosePressureUnit(2, *unit);
    testsupport::ServeEvents(350);
    EXPECT_FALSE(asked);
    ASSERT_TRUE(repeated);
    EXPECT_EQ(repeated->command, 178);
    EXPECT_EQ(repeated->data, Bytes{2});
}

TEST(DeviceMenuItems, AnswersTheGaugeDoesNotSendShowTheirCodeTables)
{
    DeviceProgram p;
    ASSERT_TRUE(p.connected);
    const struct {
        std::uint8_t command;
        Bytes payload;
        const char *parameter;
        const char *value;
    } cases[] = {
        {196, {1}, "Заводские настройки", ""},
        {196, {0xFF}, "Заводские настройки", "Не восстановлены"},
        {152, {5}, "Вид измеряемого давления", ""},
        {152, {4}, "Вид измеряемого давления", "абсолютное"},
        {195, {0}, "Резервная копия", "Создана"},
        {156, {1}, "Задан диапазон токового выходного сигнала", "(0...5) мА"},
        {150, test::Payload().Float(4.0f), "максимальный коэффициент перестройки диапазона измерений", "4,0000000"},
    };
    for (const auto &c : cases) {
        const int row = p.Page().ResultRow;
        // A stale text in the row the answer lands in does not survive it.
        p.Page().StringGrid1->setItem(row, 4, new QTableWidgetItem(U("Нет ответа от прибора")));
        p.Deliver(test::MakeAnswer(0, c.command, c.payload).bytes);
        EXPECT_EQ(p.Parameter(row), U(c.parameter)) << int(c.command);
        EXPECT_EQ(p.Value(row), U(c.value)) << int(c.command);
        EXPECT_EQ(p.Page().ResultRow, row + 1) << int(c.command);
    }
    // The restart's answer has no decoder: only the columns every answer gets, and the next row.
    const int row = p.Page().ResultRow;
    p.Deliver(test::MakeAnswer(0, 197, {}).bytes);
    EXPECT_EQ(p.Parameter(row), QString());
    EXPECT_EQ(p.Value(row), QString());
    EXPECT_EQ(p.Page().ResultRow, row + 1);
}

} // namespace
} // namespace orv
