// Not a check: opens every device dialog through its menu item after a read from the simulated
// gauge and saves a picture of the screen, for people to look at. Run under a virtual X server:
//   ORV_SCREENSHOT_DIR=/tmp/shots QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24"
//       build/tests/shell/shell_tests --gtest_also_run_disabled_tests --gtest_filter='DeviceScreenshots*'
// (one command line).
#include "device/current_output_dialog.h"
#include "device/device_info_dialog.h"
#include "device/pressure_unit_dialog.h"
#include "device/response_delay_dialog.h"
#include "device/signal_device_dialog.h"
#include "device/sub_range_dialog.h"
#include "device/track_bar.h"
#include "device_test_fixture.h"
#include "setup/setup_decoders.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace orv {
namespace {

using testsupport::DeviceProgram;
using testsupport::DialogScript;

void Click(QPushButton *b) { QTest::mouseClick(b, Qt::LeftButton); }

void SaveScreen(const QString &name)
{
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(40);
    }
    const QString path = QDir(qEnvironmentVariable("ORV_SCREENSHOT_DIR")).filePath(name);
    EXPECT_EQ(QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path}), 0)
        << name.toStdString();
}

TEST(DeviceScreenshots, DISABLED_EveryDialogAfterARead)
{
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("ORV_SCREENSHOT_DIR"));
    DeviceProgram p({0}, 150);
    ASSERT_TRUE(p.connected);
    p.form1->resize(1000, 700);
    p.form1->move(0, 0);
    p.simulator->modify(0, [](sim::GaugeState &s) {
        s.settings.serialNumber = 12345.0f;
        s.settings.year = 2021.0f;
        s.settings.responseDelayMs = 30;
    });
    std::size_t heard = 0;
    const auto answered = [&] { return p.WaitForExchanges(++heard); };

    TZavod_Parametrs *info = p.windows->Zavod_Parametrs;
    DialogScript infoScript(info,
                            {[&] { Click(info->Button_Read); },
                             [&] {
                                 EXPECT_TRUE(answered());
                                 SaveScreen(QStringLiteral("device_info.png"));
                                 Click(info->Button_Vixod);
                             }},
                            [info] { info->DeviceInfoExitFlag = true; info->reject(); });
    p.RunItem(13);

    TSign_Ustr *signal = p.windows->Sign_Ustr;
    DialogScript signalScript(signal,
                              {[&] {
                                   QTest::mouseClick(signal->V_ed_indikacii, Qt::LeftButton);
                                   Click(signal->Button_Sign_Ustr_Read);
                               },
                               [&] {
                                   EXPECT_TRUE(answered());
                                   SaveScreen(QStringLiteral("device_signal.png"));
                                   Click(signal->Button_Sign_Ustr_Vixod);
                               }},
                              [signal] { signal->SignalDeviceExitFlag = true; signal->reject(); });
    p.RunItem(9);

    TUkaz_Tok *tok = p.windows->Ukaz_Tok;
    SetupPlugins &plugins = p.Page().Plugins();
    DialogScript tokScript(tok,
                           {[&] { Click(tok->Button_tok_read); },
                            [&] {
                                EXPECT_TRUE(answered());
                                Click(tok->Button_DAC_read);
                            },
                            [&] {
                                EXPECT_TRUE(answered());
                                Click(tok->VKL_Regim_DAC_Max);
                            },
                            [&] {
                                EXPECT_TRUE(answered());
                                // The setup page decodes command 40; its outcome lights the lamp.
                                const ResponseView view = p.Engine().LastAnswer();
                                plugins.applyFixedCurrent(
                                    DecodeFixedCurrent(view, plugins.fixedCurrentMarks()).currentOutput);
                                SaveScreen(QStringLiteral("device_current_output.png"));
                                Click(tok->Button_tok_vixod);
                            }},
                           [tok] { tok->CurrentOutputExitFlag = true; tok->reject(); });
    p.RunItem(11);

    TPodDiapazon *sub = p.windows->PodDiapazon;
    const auto decode33 = [&] {
        const ResponseView view = p.Engine().LastAnswer();
        const DeviceVariablesAnswer a = DecodeDeviceVariables(view, VariableSelection{}, p.Page().RangeTarget);
        plugins.applyRangeGroups(a);
        p.Page().RangeTarget = a.nextTarget;
    };
    DialogScript subScript(sub,
                           {[&] { Click(sub->Button_Osn_Read); },
                            [&] {
                                EXPECT_TRUE(answered());
                                decode33();
                                sub->Edit_Koeff_Poddiap->setText(QStringLiteral("2"));
                                Click(sub->Button_Koeff_Poddiap_Write);
                            },
                            [&] {
                                EXPECT_TRUE(answered());
                                Click(sub->Button_Koeff_Osndiap_Read);
                            },
                            [&] {
                                EXPECT_TRUE(answered());
                                sub->Edit_Poddiap_Pmin->setText(QStringLiteral("0,2"));
                                sub->Edit_Poddiap_Pmax->setText(QStringLiteral("1,0"));
                                sub->Ed_Poddiap->setEditText(QStringLiteral("МПа"));
                                Click(sub->Button_Poddiap_Write);
                            },
                            [&] {
                                EXPECT_TRUE(answered());
                                SaveScreen(QStringLiteral("device_sub_range.png"));
                                Click(sub->BitBtn2);
                            }},
                           [sub] { sub->SubRangeExitFlag = true; sub->reject(); });
    p.RunItem(14);

    TTime_Delay_Pribor *delay = p.windows->Time_Delay_Pribor;
    DialogScript delayScript(delay,
                             {[&] { Click(delay->Button_Delay_Read); },
                              [&] {
                                  EXPECT_TRUE(answered());
                                  SaveScreen(QStringLiteral("device_response_delay.png"));
                                  // A move no answer has followed yet: the highlighted stretch.
                                  delay->Time_Delay->setValue(120);
                                  SaveScreen(QStringLiteral("device_response_delay_moved.png"));
                                  Click(delay->Button_Delay_Vixod);
                              }},
                             [delay] { delay->ResponseDelayExitFlag = true; delay->reject(); });
    p.RunItem(15);

    TUkaz_Ed_Davl *unit = p.windows->Ukaz_Ed_Davl;
    testsupport::WhenModalOpens([&](QWidget *) {
        unit->Ed_Davlen->setCurrentIndex(1);
        SaveScreen(QStringLiteral("device_pressure_unit.png"));
        Click(unit->Button_Ed_Davlenie);
    });
    p.RunItem(10);
    EXPECT_TRUE(answered());
}

} // namespace
} // namespace orv
