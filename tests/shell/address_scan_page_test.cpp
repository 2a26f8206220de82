// «Поиск приборов» on the registration page: when it may be used, the search through the
// program's engine and trace log, and the found gauges ticked in free slots.
#include "registration/address_scan_dialog.h"
#include "registration_fixture.h"
#include "support/modal.h"

#include <QProgressBar>
#include <QSpinBox>
#include <gtest/gtest.h>

using namespace orv;
using namespace testsupport;

TEST(AddressScanPage, FindsTheGaugesThroughTheEngineAndTicksFreeSlots)
{
    RegistrationFixture f;
    auto *button = f.page->findChild<QPushButton *>(QStringLiteral("Button_Poisk"));
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isEnabled());   // the port is closed
    ASSERT_TRUE(f.Connect({3, 4, 9}, 200, 220));
    f.simulator->stagePressure(4, 1.25f, 2);
    f.simulator->setFault(9, Fault(sim::FaultKind::Silence));
    // Slot 1 already holds gauge 3; slot 2 is locked by nothing, so it and slot 3 are free.
    f.Tick(1, 3);
    ASSERT_TRUE(WaitUntil([&] { return button->isEnabled(); }));

    // A run locks the search.
    ASSERT_TRUE(f.Start());
    EXPECT_TRUE(WaitUntil([&] { return !button->isEnabled(); }));
    ASSERT_TRUE(f.Stop());
    ASSERT_TRUE(WaitUntil([&] { return button->isEnabled(); }, 5000));
    f.simulator->requests().clear();
    const int traceBefore = static_cast<int>(f.Trace().count(QStringLiteral("Команда: 1")));

    bool checked = false;
    WhenModalOpens([&](QWidget *modal) {
        auto *dialog = qobject_cast<AddressScanDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->FromAddress->value(), 0);
        EXPECT_EQ(dialog->ToAddress->value(), 15);
        dialog->ToAddress->setValue(9);
        QTest::mouseClick(dialog->StartButton, Qt::LeftButton);
        EXPECT_FALSE(dialog->CloseButton->isEnabled());
        ASSERT_TRUE(WaitUntil([&] { return dialog->CloseButton->isEnabled(); }, 15000));
        EXPECT_EQ(dialog->Progress->value(), 10);
        EXPECT_EQ(dialog->Status->text(), QStringLiteral("Поиск завершён, найдено приборов: 2"));
        ASSERT_EQ(dialog->FoundTable->rowCount(), 2);
        EXPECT_EQ(dialog->FoundTable->item(0, 0)->text(), QStringLiteral("3"));
        EXPECT_EQ(dialog->FoundTable->item(1, 0)->text(), QStringLiteral("4"));
        EXPECT_EQ(dialog->FoundTable->item(1, 1)->text(), QStringLiteral("1,2500000"));
        EXPECT_EQ(dialog->FoundTable->item(1, 2)->text(), QStringLiteral("МПа"));
        // For looking at the dialog as a person would.
        if (qEnvironmentVariableIsSet("ORV_SCREENSHOT_DIR"))
            dialog->grab().save(qEnvironmentVariable("ORV_SCREENSHOT_DIR") + QStringLiteral("/address_scan_dialog.png"));
        QTest::mouseClick(dialog->TickButton, Qt::LeftButton);
        EXPECT_EQ(dialog->Status->text(), QStringLiteral("Отмечено слотов: 2"));
        QTest::mouseClick(dialog->CloseButton, Qt::LeftButton);
        checked = true;
    }, 5000);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(checked);

    // Command 1 to addresses 0..9, once each, traced like every exchange.
    const auto requests = f.simulator->requests().entries();
    ASSERT_EQ(requests.size(), 10u);
    for (std::size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i].address, i);
        EXPECT_EQ(requests[i].command, 1);
    }
    EXPECT_EQ(f.Trace().count(QStringLiteral("Команда: 1")) - traceBefore, 10);
    // Gauge 3 keeps its slot; gauge 4 takes the first free one.
    EXPECT_TRUE(f.Check(1)->isChecked());
    EXPECT_EQ(f.Address(1)->text(), QStringLiteral("3"));
    EXPECT_TRUE(f.Check(2)->isChecked());
    EXPECT_EQ(f.Address(2)->text(), QStringLiteral("4"));
    EXPECT_FALSE(f.Check(3)->isChecked());
    if (qEnvironmentVariableIsSet("ORV_SCREENSHOT_DIR"))
        f.form1->grab().save(qEnvironmentVariable("ORV_SCREENSHOT_DIR") + QStringLiteral("/address_scan_page.png"));
    // The ticked slots poll as the user's would.
    ASSERT_TRUE(f.Start());
    EXPECT_TRUE(WaitUntil([&] { return f.Lamp(1) == Green && f.Lamp(2) == Green; }, 5000));
    EXPECT_TRUE(f.Stop());

    f.form1->TabSheet4->Button15Click();
    EXPECT_TRUE(WaitUntil([&] { return !button->isEnabled(); }));
}
