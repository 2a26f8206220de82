// What a screen reader or UI automation does: it flips check boxes through their accessibility
// action, not by a click, and it reads status labels through their accessible name.
#include "program_fixture.h"
#include "device/current_output_dialog.h"
#include "device/response_delay_dialog.h"
#include "device/signal_device_dialog.h"
#include "device/sub_range_dialog.h"
#include "port/time_intervals_dialog.h"
#include "registration/registration_page.h"
#include "support/test_printers.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <functional>

namespace {

void ToggleAsAssistiveTechnology(QCheckBox *box)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(box);
    ASSERT_TRUE(face && face->actionInterface());
    face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

QString Spoken(QWidget *w)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name) : QString();
}

TEST(AssistiveTechnology, CheckBoxesActOnTheirStateHoweverItChanges)
{
    testsupport::ProgramFixture program;
    orv::TTime_Intervals *timing = program.windows->Time_Intervals;
    orv::RegistrationPage *page = program.form1->TabSheet2;
    QCheckBox *rs485 = timing->CheckBox_RS485;
    QCheckBox *slot1 = page->CheckBox_D[0];
    QCheckBox *slot2 = page->CheckBox_D[1];
    page->Addr_D[0]->setText(QStringLiteral("1"));
    page->Addr_D[1]->setText(QStringLiteral("1"));

    const std::function<void()> steps[] = {
        [&] { ToggleAsAssistiveTechnology(rs485); },
        [&] { ToggleAsAssistiveTechnology(rs485); },
        [&] { rs485->setChecked(true); },
        [&] { ToggleAsAssistiveTechnology(slot1); },   // one gauge at address 1: valid
        [&] { ToggleAsAssistiveTechnology(slot2); },   // two at address 1: not
        [&] { slot2->setChecked(false); },
    };
    const bool saveBoxEnabled[] = {true, true, true, true, false, true};
    const bool wasEnabled = page->Check_Save_Data_File->isEnabled();
    int step = 0;
    for (const auto &act : steps) {
        act();
        EXPECT_EQ(timing->Edit_T_Posle_Trans_RS485->isEnabled(), rs485->isChecked()) << step;
        if (step >= 3)
            EXPECT_EQ(page->Check_Save_Data_File->isEnabled(), saveBoxEnabled[step]) << step;
        else
            EXPECT_EQ(page->Check_Save_Data_File->isEnabled(), wasEnabled) << step;
        ++step;
    }
}

TEST(AssistiveTechnology, StatusLabelsSayWhatTheyShow)
{
    testsupport::ProgramFixture program;
    const orv::AppWindows &w = *program.windows;
    QLabel *labels[] = {program.form1->TabSheet4->Label16,   w.Time_Delay_Pribor->Delay_ms,
                        w.PodDiapazon->Label_Error,          w.PodDiapazon->Label_Error_OsnDiap,
                        w.PodDiapazon->Label_Error_Koeff_PodDiap, w.PodDiapazon->Label_Text,
                        w.Sign_Ustr->Ed_Ustavka_1,           program.form1->TabSheet2->Label33};
    for (QLabel *label : labels) {
        label->setText(QStringLiteral("Порт включен"));
        EXPECT_EQ(Spoken(label), label->text()) << label->objectName().toStdString();
    }
    // Each group of the current-output dialog is announced by its own title.
    for (QGroupBox *group : w.Ukaz_Tok->findChildren<QGroupBox *>())
        EXPECT_EQ(Spoken(group), group->title()) << group->objectName().toStdString();
}

} // namespace
