// Results of registration polling end to end: the block of rows each answer fills, the lamps,
// the rows and trace line of a gauge that does not answer, and whose an answer is.
#include "registration_fixture.h"
#include "registration/registration_texts.h"
#include "gauge/gauge_texts.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace orv;
using namespace testsupport;

namespace {

// Readings that come out exactly: 0,8 MPa on a 0..1,6 MPa gauge gives 12 mA, Udif 27200.
void StageGauge(sim::GaugeSimulator &simulator, std::uint8_t address, std::uint8_t unitCode = 2)
{
    simulator.stagePressure(address, 0.8f, 2);
    simulator.modify(address, [unitCode](sim::GaugeState &state) {
        state.temperature = 24.5f;
        state.um = 31500.0f;
        state.settings.unitCode = unitCode;
    });
}

const QRegularExpression TimeStamp(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d \\d\\d\\.\\d\\d\\.\\d\\d\\d\\d$"));

const QString Mpa = text::UnitSuffixSeparator() + text::PressureUnitScreenTexts().at(1);

void ExpectCommandThreeBlock(const RegistrationFixture &f, int firstRow, int address, const char *what)
{
    const QStringList names = {text::CurrentRowName(), text::PressureRowName(), text::UmRowName(),
                               text::UdifRowName(), text::RegistrationTemperatureRowName()};
    const QStringList values = {"12,0000000", "0,8000000", "31500,0000000", "27200,0000000", "24,50"};
    EXPECT_EQ(f.Cell(firstRow, 0), QString::number(address)) << what;
    EXPECT_EQ(f.Cell(firstRow, 1), QStringLiteral("3")) << what;
    EXPECT_EQ(f.Cell(firstRow, 2), regtext::ReadCurrentItem()) << what;
    EXPECT_TRUE(TimeStamp.match(f.Cell(firstRow, 5)).hasMatch()) << what << f.Cell(firstRow, 5).toStdString();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(f.Cell(firstRow + i, 3), names[i]) << what << " row " << firstRow + i;
        EXPECT_EQ(f.Cell(firstRow + i, 4), values[i]) << what << " row " << firstRow + i;
        if (i > 0) {
            for (int column : {0, 1, 2, 5})
                EXPECT_TRUE(f.Cell(firstRow + i, column).isEmpty()) << what << " row " << firstRow + i;
        }
    }
    EXPECT_FALSE(f.Cell(firstRow + 4, 3).endsWith(QLatin1Char(' '))) << "an answer row has no trailing blank";
}

} // namespace

TEST(RegistrationResults, CommandThreeFillsOneBlockOfFiveRowsPerTickedSlot)
{
    RegistrationFixture f;
    ASSERT_TRUE(f.Connect({30, 80}));
    StageGauge(*f.simulator, 30);
    StageGauge(*f.simulator, 80);
    f.Tick(3, 30);
    f.Tick(8, 80);
    f.ChooseCommand(1);
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(f.Lamp(3), Silver);
    ASSERT_TRUE(WaitUntil([&] { return f.Lamp(3) == Green && f.Lamp(8) == Green; }));
    ASSERT_TRUE(f.Stop());
    ExpectCommandThreeBlock(f, 1, 30, "slot 3");
    ExpectCommandThreeBlock(f, 6, 80, "slot 8");
    EXPECT_TRUE(f.Cell(11, 3).isEmpty());
    for (int k : {1, 2, 4, 5, 6, 7, 9, 10})
        EXPECT_EQ(f.Lamp(k), Silver) << k;
    EXPECT_EQ(f.page->StringGrid2->rowCount() + 1, 255) << "254 data rows under the header";
    // The columns keep their proportions (46, 65, 151, 221, 86, 139) and show the texts whole.
    QTableWidget *grid = f.page->StringGrid2;
    const int design[] = {46, 65, 151, 221, 86, 139};
    for (int c = 1; c < 6; ++c)
        EXPECT_NEAR(double(grid->columnWidth(c)) / grid->columnWidth(0), double(design[c]) / design[0], 0.05) << c;
    EXPECT_GE(grid->columnWidth(5), grid->fontMetrics().horizontalAdvance(f.Cell(1, 5)) + 6);
    EXPECT_GE(grid->columnWidth(4), grid->fontMetrics().horizontalAdvance(f.Cell(4, 4)) + 6);

    // The next Start empties the table and puts the lamps back to silver.
    f.simulator->setFault(80, Fault(sim::FaultKind::Silence));
    f.simulator->setFault(30, Fault(sim::FaultKind::Silence));
    f.ChooseCommand(0);
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(f.Lamp(3), Silver);
    EXPECT_TRUE(f.Cell(6, 3).isEmpty());
    EXPECT_TRUE(f.Cell(3, 4).isEmpty());
    ASSERT_TRUE(f.Stop());
}

TEST(RegistrationResults, SilentGaugeTurnsRedWithNoAnswerRowsAndTraceLine)
{
    RegistrationFixture f;
    ASSERT_TRUE(f.Connect({30, 12}));
    StageGauge(*f.simulator, 30);
    StageGauge(*f.simulator, 12);
    f.Tick(3, 30);
    f.Tick(7, 12);
    f.ChooseCommand(1);
    ASSERT_TRUE(f.Start());
    ASSERT_TRUE(WaitUntil([&] { return f.Lamp(7) == Green; }));

    // The gauge falls silent while the run goes on.
    f.simulator->setFault(12, Fault(sim::FaultKind::Silence));
    ASSERT_TRUE(WaitUntil([&] { return f.Lamp(7) == Red; }, 4000));
    EXPECT_EQ(f.Lamp(3), Green);
    const QString line = regtext::TimeoutTraceStart() + QStringLiteral("7") + regtext::TimeoutTraceEnd();
    EXPECT_TRUE(f.Trace().split('\n').contains(line));
    EXPECT_FALSE(f.Trace().contains(regtext::TimeoutTraceStart() + QStringLiteral("12")));

    const QStringList names = {text::CurrentRowName(), text::PressureRowName(), text::UmRowName(),
                               text::UdifRowName(), text::TemperatureRowName()};
    EXPECT_EQ(f.Cell(6, 0), QStringLiteral("12"));
    EXPECT_EQ(f.Cell(6, 1), QStringLiteral("3"));
    EXPECT_EQ(f.Cell(6, 2), regtext::ReadCurrentItem());
    EXPECT_TRUE(TimeStamp.match(f.Cell(6, 5)).hasMatch());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(f.Cell(6 + i, 3), names[i]) << i;
        EXPECT_EQ(f.Cell(6 + i, 4), text::RegistrationNoAnswer()) << i;
    }
    EXPECT_TRUE(f.Cell(10, 3).endsWith(QLatin1Char(' '))) << "the no-answer row keeps its trailing blank";

    // It speaks again: green, and the values come back.
    f.simulator->clearFaults();
    ASSERT_TRUE(WaitUntil([&] { return f.Lamp(7) == Green; }, 4000));
    ASSERT_TRUE(f.Stop());
    ExpectCommandThreeBlock(f, 6, 12, "slot 7 again");
}

TEST(RegistrationResults, AddressZeroSlotTakesOverLaterAnswers)
{
    RegistrationFixture f;
    ASSERT_TRUE(f.Connect({12}));
    StageGauge(*f.simulator, 12);
    f.Tick(2, 0);
    f.Tick(5, 12);
    ASSERT_TRUE(f.Start());
    ASSERT_TRUE(WaitUntil([&] { return f.simulator->requests().size() >= 2; }));
    ServeEvents(300);
    ASSERT_TRUE(f.Stop());
    // Slot 2 polls address 0, which nobody answers; the answer of slot 5's gauge is then booked
    // to slot 2, the first ticked slot with address 0.
    EXPECT_EQ(f.Lamp(2), Green);
    EXPECT_EQ(f.Lamp(5), Silver);
    EXPECT_EQ(f.Cell(1, 0), QStringLiteral("12"));
    EXPECT_EQ(f.Cell(1, 3), text::PressureName() + Mpa);
    EXPECT_EQ(f.Cell(1, 4), QStringLiteral("0,8000000"));
    EXPECT_TRUE(f.Cell(2, 0).isEmpty());
}

TEST(RegistrationResults, CommandOneUnitsAndCommandThirtyThreeRows)
{
    RegistrationFixture f;
    ASSERT_TRUE(f.Connect({4, 6}));
    StageGauge(*f.simulator, 4, 0);   // unit code without a name
    StageGauge(*f.simulator, 6, 2);
    f.Tick(1, 4);
    f.Tick(2, 6);
    ASSERT_TRUE(f.Start());
    ASSERT_TRUE(WaitUntil([&] { return f.Lamp(1) == Green && f.Lamp(2) == Green; }));
    ASSERT_TRUE(f.Stop());
    EXPECT_EQ(f.Cell(1, 3), text::PressureName());
    EXPECT_EQ(f.Cell(2, 3), text::PressureName() + Mpa);
    EXPECT_EQ(f.Cell(1, 1), QStringLiteral("1"));
    EXPECT_EQ(f.Cell(2, 2), regtext::ReadPrimaryItem());

    // Command 33 with pressure, current, temperature and modification chosen.
    TForm5 *form5 = f.windows->Form5;
    form5->ComboBox1->setCurrentIndex(0);
    form5->ComboBox2->setCurrentIndex(1);
    form5->ComboBox3->setCurrentIndex(4);
    form5->ComboBox4->setCurrentIndex(10);
    f.ChooseCommand(2);
    DialogAnswerer ok(form5, form5->BitBtn1);
    ASSERT_TRUE(f.Start());
    ASSERT_TRUE(WaitUntil([&] { return !f.Cell(5, 4).isEmpty() && !f.Cell(8, 4).isEmpty(); }));
    ASSERT_TRUE(f.Stop());
    const QStringList list = text::VariableListTexts();
    const QStringList names = {list[0] + Mpa, list[1] + text::CurrentSuffix(), list[4] + text::TemperatureSuffix(),
                               list[10]};
    const QStringList values = {"0,8000000", "12,0000000", "24,50", text::ModificationNames().at(0)};
    EXPECT_EQ(f.Cell(5, 0), QStringLiteral("6"));
    EXPECT_EQ(f.Cell(5, 1), QStringLiteral("33"));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(f.Cell(1 + i, 4), values[i]) << i;
        EXPECT_EQ(f.Cell(5 + i, 3), names[i]) << i;
        EXPECT_EQ(f.Cell(5 + i, 4), values[i]) << i;
    }
    // Unit code 0: the pressure has no unit.
    EXPECT_EQ(f.Cell(1, 3), list[0]);
}

TEST(RegistrationResults, AnswerFromAStrangerChangesNothing)
{
    RegistrationFixture f;
    ASSERT_TRUE(f.Connect({1}));
    StageGauge(*f.simulator, 1);
    f.Tick(1, 1);
    ASSERT_TRUE(f.Start());
    ASSERT_TRUE(WaitUntil([&] { return f.Lamp(1) == Green; }));
    const QString stamp = f.Cell(1, 5);
    sim::FaultSpec stranger = Fault(sim::FaultKind::OtherAddress);
    stranger.claimedAddress = 99;
    f.simulator->setFault(1, stranger);
    f.simulator->requests().clear();
    ASSERT_TRUE(WaitUntil([&] { return f.simulator->requests().size() >= 2; }));
    ServeEvents(300);
    ASSERT_TRUE(f.Stop());
    EXPECT_EQ(f.Lamp(1), Green);
    EXPECT_EQ(f.Cell(1, 5), stamp) << "the rows stay as they were";
    EXPECT_FALSE(f.Trace().contains(regtext::TimeoutTraceStart()));
}
