// The device information, signalling device and response delay dialogs (menu items 13, 9, 15)
// against the simulated gauge.
#include "device/device_info_dialog.h"
#include "setup/setup_menu.h"
#include "device/response_delay_dialog.h"
#include "device/signal_device_dialog.h"
#include "device/track_bar.h"
#include "device_test_fixture.h"
#include "support/answer_frame.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace orv {
namespace {

using testsupport::Click;
using testsupport::DeviceProgram;
using testsupport::U;
using testsupport::DialogScript;
using Bytes = std::vector<std::uint8_t>;


TEST(DeviceSettingsDialogs, DeviceInformationStaysUntilItsExitButton)
{
    DeviceProgram p;
    ASSERT_TRUE(p.connected);
    TZavod_Parametrs *d = p.windows->Zavod_Parametrs;
    p.simulator->modify(0, [](sim::GaugeState &s) {
        s.settings.serialNumber = 12345.0f;
        s.settings.year = 2010.0f;
    });
    const int row = p.Page().ResultRow;
    DialogScript script(d,
                        {[&] { Click(d->Button_Read); },
                         [&] {
                             EXPECT_TRUE(p.WaitForExchanges(1));
                             d->close();   // the title bar's close button
                         },
                         [&] { Click(d->Button_Vixod); }},
                        [d] { d->DeviceInfoExitFlag = true; d->reject(); });
    EXPECT_FALSE(p.RunItem(menu::DeviceInfo));
    EXPECT_EQ(script.Showings(), 3);
    EXPECT_EQ(p.simulator->requests().size(), 1u) << "the Start button itself sends nothing";
    EXPECT_EQ(p.LastFrame(), (Bytes{0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xAE, 0x00, 0x2C}));
    EXPECT_EQ(p.Parameter(row), U("Заводской номер"));
    EXPECT_EQ(p.Value(row), U("12345"));
    EXPECT_EQ(p.Parameter(row + 1), U("Год изготовления"));
    EXPECT_EQ(p.Value(row + 1), U("2010"));
    EXPECT_EQ(d->Edit1->text(), U("12345"));
    EXPECT_EQ(d->Edit2->text(), U("2010"));
}

TEST(DeviceSettingsDialogs, AnUnansweredDialogRequestGoesAgainWhileAttemptsAreLeft)
{
    DeviceProgram p;
    ASSERT_TRUE(p.connected);
    TZavod_Parametrs *d = p.windows->Zavod_Parametrs;
    // Two attempts, and the Start button's repetition of the item that is running.
    p.Engine().Hooks().attemptLimit = [] { return 2; };
    p.Engine().Hooks().setupRepeat = [&] { p.RunItem(menu::DeviceInfo); };
    sim::FaultSpec silence;
    silence.kind = sim::FaultKind::Silence;
    p.simulator->setFault(0, silence);
    DialogScript script(d,
                        {[&] { Click(d->Button_Read); },
                         [&] {
                             EXPECT_TRUE(testsupport::WaitUntil([&] {
                                 return p.simulator->requests().size() == 2 && !p.Engine().Timer3()->isActive();
                             }));
                             Click(d->Button_Vixod);
                         }},
                        [d] { d->DeviceInfoExitFlag = true; d->reject(); });
    p.RunItem(menu::DeviceInfo);
    EXPECT_EQ(script.Showings(), 2) << "no second loop of the same dialog";
    const auto sent = p.simulator->requests().entries();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].bytes, sent[1].bytes);
    EXPECT_EQ(sent[1].command, 174);
    EXPECT_EQ(p.Engine().Attempt(), 1);
    EXPECT_FALSE(d->isVisible());
}

TEST(DeviceSettingsDialogs, SignallingDeviceInBothRepresentations)
{
    DeviceProgram p;
    ASSERT_TRUE(p.connected);
    TSign_Ustr *d = p.windows->Sign_Ustr;
    const int row = p.Page().ResultRow;
    DialogScript script(d,
                        {[&] { Click(d->Button_Sign_Ustr_Write); },   // the defaults, in percent
                         [&] {
                             EXPECT_TRUE(p.WaitForExchanges(1));
                             QTest::mouseClick(d->V_ed_indikacii, Qt::LeftButton);
                             EXPECT_EQ(d->Znachen_Ustavka_1->text(), QString());
                             EXPECT_EQ(d->Znachen_Ispolnen->text(), U("5"));
                             Click(d->Button_Sign_Ustr_Read);
                         },
                         [&] {
                             EXPECT_TRUE(p.WaitForExchanges(2));
                             Click(d->Button_Sign_Ustr_Vixod);
                         }},
                        [d] { d->SignalDeviceExitFlag = true; d->reject(); });
    p.RunItem(menu::SignalDevice);
    EXPECT_EQ(script.Showings(), 3);
    const auto sent = p.simulator->requests().entries();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].command, 186);
    EXPECT_EQ(sent[0].data, (Bytes{0x40, 0xA0, 0, 0, 0x41, 0xA0, 0, 0, 0x42, 0xA0, 0, 0, 0x3F, 0x80, 0, 0}));
    EXPECT_EQ(sent[1].command, 181);
    const QStringList percentRows{U("Исполнение сигнализирующего устройства"),
                                  U("Значение нижнего порога давления (уставка 1), %"),
                                  U("Значение верхнего порога давления(уставка 2), %"),
                                  U("Значение гистерезиса уставок, %")};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(p.Parameter(row + i), percentRows[i]);
    EXPECT_EQ(p.Value(row), U("5"));
    EXPECT_EQ(p.Value(row + 1), U("20,0000000"));
    // The read in pressure units: 20 % and 80 % of 0..1,6 МПа.
    EXPECT_EQ(p.Parameter(row + 5), U("Значение нижнего порога давления (уставка 1)"));
    EXPECT_EQ(d->Znachen_Ispolnen->text(), U("5"));
    EXPECT_EQ(d->Znachen_Ustavka_1->text(), U("0,3200000"));
    EXPECT_EQ(d->Znachen_Ustavka_2->text(), U("1,2800000"));
    EXPECT_EQ((QStringList{d->Ed_Ustavka_1->text(), d->Ed_Ustavka_2->text(), d->Ed_Gisteresis->text()}),
              (QStringList{U("МПа"), U("МПа"), U("МПа")}));
    EXPECT_EQ(p.Page().ResultRow, row + 8);

    // Units of their own per value (the simulated gauge uses one unit for all three).
    p.Deliver(test::MakeAnswer(0, 181, test::Payload().Byte(0).Float(5).Byte(1).Float(3.2f).Byte(1).Float(12.8f).Byte(2)
                                          .Float(0.016f))
                  .bytes);
    EXPECT_EQ((QStringList{d->Ed_Ustavka_1->text(), d->Ed_Ustavka_2->text(), d->Ed_Gisteresis->text()}),
              (QStringList{U("кгс/см2"), U("кгс/см2"), U("МПа")}));
    // A write's answer leaves the captions as they are.
    p.Deliver(test::MakeAnswer(0, 186, test::Payload().Float(5).Float(20).Float(80).Float(1)).bytes);
    EXPECT_EQ((QStringList{d->Ed_Ustavka_1->text(), d->Ed_Ustavka_2->text(), d->Ed_Gisteresis->text()}),
              (QStringList{U("кгс/см2"), U("кгс/см2"), U("МПа")}));
    EXPECT_EQ(d->Znachen_Ustavka_2->text(), U("80,0000000"));
}

TEST(DeviceSettingsDialogs, ResponseDelayBeyondTheScale)
{
    // The gauge waits 255 ms before it answers.
    DeviceProgram p({0}, 450);
    ASSERT_TRUE(p.connected);
    TTime_Delay_Pribor *d = p.windows->Time_Delay_Pribor;
    p.simulator->modify(0, [](sim::GaugeState &s) { s.settings.responseDelayMs = 255; });
    d->Time_Delay->setValue(40);   // a move no answer has followed: highlighted
    EXPECT_EQ(d->Time_Delay->SelEnd(), 40);
    const int row = p.Page().ResultRow;
    DialogScript script(d,
                        {[&] {
                             EXPECT_EQ(d->Time_Delay->value(), 40) << "the position stays between openings";
                             Click(d->Button_Delay_Read);
                         },
                         [&] {
                             EXPECT_TRUE(p.WaitForExchanges(1));
                             Click(d->Button_Delay_Vixod);
                         }},
                        [d] { d->ResponseDelayExitFlag = true; d->reject(); });
    p.RunItem(menu::ResponseDelay);
    EXPECT_EQ(script.Showings(), 2);
    EXPECT_EQ(p.Parameter(row), U("Считали длительность задержки, мс"));
    EXPECT_EQ(p.Value(row), U("255"));
    EXPECT_EQ(d->Delay_ms->text(), U("255 мс"));
    EXPECT_EQ(d->Time_Delay->value(), 250);
    EXPECT_EQ(d->Time_Delay->SelEnd(), 0);
}

} // namespace
} // namespace orv
