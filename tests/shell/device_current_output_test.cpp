// The current output dialog (menu item 11) against the simulated gauge: DAC codes, range, the
// fixed-current buttons and their lamps, and what every opening resets.
#include "device/current_output_dialog.h"
#include "setup/setup_menu.h"
#include "widgets/lamp.h"
#include "device_test_fixture.h"
#include "support/answer_frame.h"
#include "widgets/display_colours.h"
#include "setup/setup_decoders.h"

#include <QComboBox>
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



int RunCurrentOutput(DeviceProgram &p, std::vector<DialogScript::Step> steps)
{
    return testsupport::RunLoopedDialog(p, p.windows->Ukaz_Tok, menu::CurrentOutput, &TUkaz_Tok::CurrentOutputExitFlag, std::move(steps));
}

TEST(DeviceCurrentOutput, DacCodesShowTheirIntegerParts)
{
    DeviceProgram p;
    ASSERT_TRUE(p.connected);
    TUkaz_Tok *d = p.windows->Ukaz_Tok;
    const struct {
        float lower;
        float upper;
        const char *lowerShown;
        const char *upperShown;
    } cases[] = {{50.0f, 4000.0f, "50", "4000"}, {12.0f, 4095.5f, "12", "4095"}, {7.0f, -0.5f, "7", "-0"}};
    std::size_t heard = 0;
    for (const auto &c : cases) {
        p.simulator->modify(0, [&](sim::GaugeState &s) {
            s.settings.dacMin = c.lower;
            s.settings.dacMax = c.upper;
        });
        const int row = p.Page().ResultRow;
        ++heard;
        const int showings = RunCurrentOutput(p, {[&] { Click(d->Button_DAC_read); },
                                                  [&] {
                                                      EXPECT_TRUE(p.WaitForExchanges(heard));
                                                      Click(d->Button_tok_vixod);
                                                  }});
        EXPECT_EQ(showings, 2);
        EXPECT_EQ(p.LastFrame(), (Bytes{0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x93, 0x00, 0x11}));
        EXPECT_EQ(p.Parameter(row), U("Код ЦАП для нижнего предела тока"));
        EXPECT_EQ(p.Value(row), U(c.lowerShown));
        EXPECT_EQ(p.Parameter(row + 1), U("Код ЦАП для верхнего предела тока"));
        EXPECT_EQ(p.Value(row + 1), U(c.upperShown));
        EXPECT_EQ(p.Page().ResultRow, row + 2);
        EXPECT_EQ(d->Edit1->text(), U(c.lowerShown));
        EXPECT_EQ(d->Edit2->text(), U(c.upperShown));
    }
}

TEST(DeviceCurrentOutput, RangeCodesAndTheirWrite)
{
    DeviceProgram p;
    ASSERT_TRUE(p.connected);
    TUkaz_Tok *d = p.windows->Ukaz_Tok;
    p.simulator->modify(0, [](sim::GaugeState &s) { s.settings.currentRange = sim::kCurrentRange0to5; });
    const int row = p.Page().ResultRow;
    RunCurrentOutput(p, {[&] { Click(d->Button_tok_read); },
                         [&] {
                             EXPECT_TRUE(p.WaitForExchanges(1));
                             EXPECT_EQ(d->Znachen_Tok->currentText(), U("(0...5) мА"));
                             d->Edit1->setText(U("60"));
                             d->Edit2->setText(U("3900"));
                             Click(d->Button_DAC_write);
                         },
                         [&] {
                             EXPECT_TRUE(p.WaitForExchanges(2));
                             Click(d->Button_tok_vixod);
                         }});
    EXPECT_EQ(p.Parameter(row), U("Диапазон токового выходного сигнала"));
    EXPECT_EQ(p.Value(row), U("(0...5) мА"));
    EXPECT_EQ(p.Parameter(row + 1), U("Записан код ЦАП для нижнего предела тока"));
    EXPECT_EQ(p.Value(row + 2), U("3900"));
    EXPECT_EQ(p.simulator->snapshot(0)->settings.dacMin, 60.0f);
    EXPECT_EQ(p.simulator->snapshot(0)->settings.dacMax, 3900.0f);
}

TEST(DeviceCurrentOutput, FixedCurrentButtonsAndTheirLamps)
{
    DeviceProgram p;
    ASSERT_TRUE(p.connected);
    TUkaz_Tok *d = p.windows->Ukaz_Tok;
    // An answer to command 40 for the current the gauge confirms, as if it had come over the line.
    const auto answer40 = [&](float current) { p.Deliver(test::MakeAnswer(0, 40, test::Payload().Float(current)).bytes); };
    const auto lamps = [&] {
        return std::vector<QColor>{d->Shape1->Colour(), d->Shape2->Colour(), d->Shape3->Colour()};
    };
    const QColor silver = LampSilver(), lime = LampLime(), red = LampRed();

    RunCurrentOutput(p, {[&] {
                             d->Znachen_Tok->setCurrentText(U("(0...5) мА"));
                             Click(d->VKL_Regim_DAC_Max);
                         },
                         [&] {
                             EXPECT_TRUE(p.WaitForExchanges(1));
                             EXPECT_EQ(p.simulator->requests().entries().back().data, (Bytes{0x40, 0xA0, 0x00, 0x00}));
                             // The gauge confirms 5 mA: the setup page's decoder clears the mark and
                             // lights the DacMax lamp.
                             EXPECT_TRUE(testsupport::WaitUntil([&] { return !p.Engine().Timer3()->isActive(); }));
                             EXPECT_EQ(d->Marks, FixedCurrentMarks{});
                             EXPECT_EQ(lamps(), (std::vector<QColor>{silver, lime, silver}));
                             // An answer that does not agree with the marked button changes nothing.
                             d->Marks = MarksAfterPress(FixedCurrentButton::DacMax);
                             answer40(-1.0f);
                             EXPECT_TRUE(d->Marks.dacMax);
                             EXPECT_EQ(lamps(), (std::vector<QColor>{silver, lime, silver}));
                             d->Marks = FixedCurrentMarks{};
                             Click(d->VIKL_Regim);
                         },
                         [&] {
                             EXPECT_TRUE(p.WaitForExchanges(2));
                             EXPECT_EQ(p.simulator->requests().entries().back().data, (Bytes{0xBF, 0x80, 0x00, 0x00}));
                             EXPECT_TRUE(testsupport::WaitUntil([&] { return !p.Engine().Timer3()->isActive(); }));
                             EXPECT_EQ(d->Marks, FixedCurrentMarks{});
                             EXPECT_EQ(lamps(), (std::vector<QColor>{silver, silver, lime}));
                             // The gauge goes quiet: the marked button's lamp turns red.
                             sim::FaultSpec silence;
                             silence.kind = sim::FaultKind::Silence;
                             p.simulator->setFault(0, silence);
                             Click(d->VKL_Regim_DAC_Min);
                         },
                         [&] {
                             EXPECT_TRUE(testsupport::WaitUntil([&] { return !p.Engine().Timer3()->isActive(); }));
                             EXPECT_EQ(lamps(), (std::vector<QColor>{red, silver, silver}));
                             EXPECT_EQ(d->Marks, FixedCurrentMarks{});
                             Click(d->Button_tok_vixod);
                         }});
    // What the fixed current is in the simulated gauge: 0 mA of the 0..5 mA range was asked last,
    // but the gauge never heard it.
    EXPECT_FALSE(p.simulator->snapshot(0)->currentFixed);
    p.simulator->clearFaults();

    // The next opening starts from the defaults again, whatever the last one showed.
    d->Edit1->setText(U("123"));
    d->Edit2->setText(U("456"));
    d->Marks.dacMin = true;
    RunCurrentOutput(p, {[&] {
        EXPECT_EQ(d->Znachen_Tok->currentText(), U("(4...20) мА"));
        EXPECT_EQ(d->Edit1->text(), U("50"));
        EXPECT_EQ(d->Edit2->text(), U("4000"));
        EXPECT_EQ(lamps(), (std::vector<QColor>{silver, silver, silver}));
        EXPECT_EQ(d->Marks, FixedCurrentMarks{});
        Click(d->Button_tok_vixod);
    }});
}

} // namespace
} // namespace orv
