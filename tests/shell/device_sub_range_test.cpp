// The sub-range dialog (menu item 14) against the simulated gauge: re-ranging by limits and by
// ratio with the gauge's own refusals, the ratio reads, and the range reads through command 33.
#include "device/sub_range_dialog.h"
#include "device_test_fixture.h"
#include "support/answer_frame.h"
#include "setup/display_colours.h"
#include "setup/setup_decoders.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace orv {
namespace {

using testsupport::Click;
using testsupport::DeviceProgram;
using testsupport::U;
using testsupport::DialogScript;
using Bytes = std::vector<std::uint8_t>;

QColor FontColour(const QLabel *l) { return l->palette().color(QPalette::WindowText); }

int RunSubRange(DeviceProgram &p, std::vector<DialogScript::Step> steps)
{
    return testsupport::RunLoopedDialog(p, p.windows->PodDiapazon, 14, &TPodDiapazon::SubRangeExitFlag, std::move(steps));
}

TEST(DeviceSubRange, ReRangingByLimits)
{
    DeviceProgram p;
    ASSERT_TRUE(p.connected);
    TPodDiapazon *d = p.windows->PodDiapazon;
    // The simulated gauge: main range 0..1,6 МПа, largest ratio 5.
    const struct {
        const char *lower;
        const char *upper;
        const char *unit;
        Bytes sent;            // empty: not looked at
        const char *message;
        bool accepted;
        const char *upperRow;
        const char *lowerRow;
    } cases[] = {
        {"0,5", "2.5", "МПа", {0x02, 0x40, 0x20, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x00},
         "Верхний предел вне диапазона измерений", false, "", ""},
        {"-1", "1", "МПа", {}, "Нижний предел вне диапазона измерений", false, "", ""},
        {"0,5", "1,5", "кПа", {0x03, 0x3F, 0xC0, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x00},
         "Единицы измерений указаны не верно", false, "", ""},
        {"0", "0,3", "МПа", {}, "Дальнейшая перестройка ограничена", false, "", ""},
        {"0,4", "1,2", "МПа", {}, "Перестроились на поддиапазон", true, "1,2000000", "0,4000000"},
    };
    std::size_t heard = 0;
    for (const auto &c : cases) {
        const int row = p.Page().ResultRow;
        ++heard;
        RunSubRange(p, {[&] {
                            d->Edit_Poddiap_Pmin->setText(U(c.lower));
                            d->Edit_Poddiap_Pmax->setText(U(c.upper));
                            d->Ed_Poddiap->setEditText(U(c.unit));
                            Click(d->Button_Poddiap_Write);
                        },
                        [&] {
                            EXPECT_TRUE(p.WaitForExchanges(heard));
                            Click(d->BitBtn2);
                        }});
        const auto sent = p.simulator->requests().entries().back();
        EXPECT_EQ(sent.command, 190) << c.message;
        if (!c.sent.empty()) {
            EXPECT_EQ(sent.data, c.sent) << c.message;
        }
        EXPECT_EQ(d->Label_Error->text(), U(c.message));
        EXPECT_EQ(FontColour(d->Label_Error), c.accepted ? MessageGreen() : MessageRed()) << c.message;
        if (c.accepted) {
            EXPECT_EQ(p.Parameter(row), U("Перестроились на верхнее значение поддиапазона, МПа"));
            EXPECT_EQ(p.Value(row), U(c.upperRow));
            EXPECT_EQ(p.Parameter(row + 1), U("Перестроились на нижнее значение поддиапазона, МПа"));
            EXPECT_EQ(p.Value(row + 1), U(c.lowerRow));
            EXPECT_EQ(p.Page().ResultRow, row + 2);
        } else {
            // A refusal writes no texts and uses one row.
            EXPECT_EQ(p.Parameter(row), QString()) << c.message;
            EXPECT_EQ(p.Value(row), QString()) << c.message;
            EXPECT_EQ(p.Page().ResultRow, row + 1) << c.message;
        }
    }
    EXPECT_FLOAT_EQ(p.simulator->snapshot(0)->settings.subMax, 1.2f);

    // A refusal code without a text: red, and the label stays as "Задать" left it.
    d->Label_Error->clear();
    const int row = p.Page().ResultRow;
    p.Deliver(test::MakeAnswer(0, 190, {7}).bytes);
    EXPECT_EQ(d->Label_Error->text(), QString());
    EXPECT_EQ(FontColour(d->Label_Error), MessageRed());
    EXPECT_EQ(p.Parameter(row), QString());
    EXPECT_EQ(p.Page().ResultRow, row + 1);
}

TEST(DeviceSubRange, RatioReadsAndReRangingByRatio)
{
    DeviceProgram p;
    ASSERT_TRUE(p.connected);
    TPodDiapazon *d = p.windows->PodDiapazon;
    // A gauge without a unit: the re-ranged rows and the reached range carry none.
    p.simulator->modify(0, [](sim::GaugeState &s) { s.settings.unitCode = 0; });
    const int row = p.Page().ResultRow;
    RunSubRange(p, {[&] {
                        d->Edit_Koeff_Poddiap->setText(U("2"));
                        Click(d->Button_Koeff_Poddiap_Write);
                    },
                    [&] {
                        EXPECT_TRUE(p.WaitForExchanges(1));
                        // The reached range carries no unit name after its bracket and blank.
                        EXPECT_EQ(d->Label_Text->text(), U(" (0,0000000 ... 0,8000000) "));
                        EXPECT_EQ(d->Label_Error_Koeff_PodDiap->text(), U("Перестроились на поддиапазон"));
                        EXPECT_EQ(FontColour(d->Label_Error_Koeff_PodDiap), MessageGreen());
                        Click(d->Button_Koeff_Poddiap_Read);
                    },
                    [&] {
                        EXPECT_TRUE(p.WaitForExchanges(2));
                        EXPECT_EQ(d->Label_Error_Koeff_PodDiap->text(), U("Считали"));
                        EXPECT_EQ(d->Edit_Koeff_Poddiap->text(), U("2,0000000"));
                        Click(d->Button_Koeff_Osndiap_Read);
                    },
                    [&] {
                        EXPECT_TRUE(p.WaitForExchanges(3));
                        d->Edit_Koeff_Poddiap->setText(U("6"));
                        Click(d->Button_Koeff_Poddiap_Write);
                    },
                    [&] {
                        EXPECT_TRUE(p.WaitForExchanges(4));
                        Click(d->BitBtn2);
                    }});
    EXPECT_EQ(p.Parameter(row), U("Перестроились на верхнее значение поддиапазона"));
    EXPECT_EQ(p.Value(row), U("0,8000000"));
    EXPECT_EQ(p.Parameter(row + 1), U("Перестроились на нижнее значение поддиапазона"));
    EXPECT_EQ(p.Parameter(row + 2), U("Соотношение поддиапазона измерений к основному"));
    EXPECT_EQ(p.Value(row + 2), U("2,0000000"));
    EXPECT_EQ(p.Parameter(row + 3), U("Считан макс. коэфф. перестройки диапазона измерений"));
    EXPECT_EQ(d->Edit_Koeff_Osndiap->text(), U("5,0000000"));
    // The last "Задать" asked for more than the gauge allows: red, and Label_Text stays empty.
    EXPECT_EQ(d->Label_Error_Koeff_PodDiap->text(), U("Дальнейшая перестройка ограничена"));
    EXPECT_EQ(FontColour(d->Label_Error_Koeff_PodDiap), MessageRed());
    EXPECT_EQ(d->Label_Text->text(), QString());
    EXPECT_EQ(p.Page().ResultRow, row + 5);
    // The read ratio went into its edit after the read emptied it.
    EXPECT_EQ(d->Edit_Koeff_Poddiap->text(), U("6"));

}

TEST(DeviceSubRange, RangeReadsGoThroughCommand33)
{
    DeviceProgram p;
    ASSERT_TRUE(p.connected);
    TPodDiapazon *d = p.windows->PodDiapazon;
    SetupPlugins &plugins = p.Page().Plugins();
    // The setup page decodes command 33 and hands a range group to the dialog: as it would, with
    // the answer the engine accepted.
    const auto decode33 = [&] {
        const ResponseView view = p.Engine().LastAnswer();
        const DeviceVariablesAnswer a = DecodeDeviceVariables(view, VariableSelection{}, p.Page().RangeTarget);
        plugins.applyRangeGroups(a);
        p.Page().RangeTarget = a.nextTarget;
    };
    d->Label_Error->setText(U("old"));
    RunSubRange(p, {[&] {
                        EXPECT_EQ(d->Label_Error->text(), QString()) << "the opening empties the labels";
                        Click(d->Button_Osn_Read);
                    },
                    [&] {
                        EXPECT_EQ(p.Page().RangeTarget, RangeReadTarget::MainRange);
                        EXPECT_EQ(d->Edit_Osndiap_Pmax->text(), QString());
                        EXPECT_TRUE(p.WaitForExchanges(1));
                        decode33();
                        Click(d->Button_Poddiap_Read);
                    },
                    [&] {
                        EXPECT_EQ(p.Page().RangeTarget, RangeReadTarget::SubRange);
                        EXPECT_TRUE(p.WaitForExchanges(2));
                        decode33();
                        Click(d->BitBtn2);
                    }});
    const auto sent = p.simulator->requests().entries();
    ASSERT_EQ(sent.size(), 2u);
    for (const auto &s : sent) {
        EXPECT_EQ(s.command, 33);
        EXPECT_EQ(s.data, (Bytes{8, 7, 10, 9}));
    }
    EXPECT_EQ(d->Ed_Osndiap->currentText(), U("МПа"));
    EXPECT_EQ(d->Edit_Osndiap_Pmin->text(), U("0,0000000"));
    EXPECT_EQ(d->Edit_Osndiap_Pmax->text(), U("1,6000000"));
    EXPECT_EQ(d->Ed_Poddiap->currentText(), U("МПа"));
    EXPECT_EQ(d->Edit_Poddiap_Pmax->text(), U("1,6000000"));
    EXPECT_EQ(p.Page().RangeTarget, RangeReadTarget::None);
    EXPECT_EQ(d->Label_Error_OsnDiap->text(), QString());
}

} // namespace
} // namespace orv
