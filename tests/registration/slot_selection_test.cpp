#include "registration/poll_countdown.h"
#include "registration/poll_schedule.h"
#include "registration/registration_texts.h"
#include "registration/slot_selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

using namespace orv;

namespace {

using Ticks = std::array<bool, DeviceSlotCount>;
using Texts = std::array<QString, DeviceSlotCount>;

Texts DefaultTexts()
{
    Texts texts;
    for (int k = 1; k <= DeviceSlotCount; ++k)
        texts[static_cast<std::size_t>(k - 1)] = QString::number(k);
    return texts;
}

Ticks Ticked(std::initializer_list<int> chosen)
{
    Ticks ticks{};
    for (int k : chosen)
        ticks[static_cast<std::size_t>(k - 1)] = true;
    return ticks;
}

SlotTable Table(std::initializer_list<std::pair<int, int>> tickedSlots)
{
    SlotTable table;
    for (int k = 1; k <= DeviceSlotCount; ++k)
        table.address[static_cast<std::size_t>(k - 1)] = static_cast<std::uint8_t>(k);
    for (auto [slot, address] : tickedSlots) {
        table.enabled[static_cast<std::size_t>(slot - 1)] = true;
        table.address[static_cast<std::size_t>(slot - 1)] = static_cast<std::uint8_t>(address);
    }
    return table;
}

} // namespace

TEST(SlotSelection, ValidationVerdictsAndMessages)
{
    struct Case {
        const char *what;
        Ticks ticked;
        std::vector<std::pair<int, QString>> texts;   // changed address texts
        SlotVerdict verdict;
        QString message;
    };
    const std::vector<Case> cases = {
        {"nothing ticked", Ticked({}), {}, SlotVerdict::NoneSelected, regtext::NoSlotSelected()},
        {"one slot", Ticked({4}), {}, SlotVerdict::Valid, QString()},
        {"one address 0 passes", Ticked({1, 2}), {{2, "0"}}, SlotVerdict::Valid, QString()},
        {"two addresses 0", Ticked({1, 2, 3}), {{1, "0"}, {3, "0"}}, SlotVerdict::AddressZeroTwice,
         regtext::AddressZeroTwice()},
        {"two zeros and a duplicate say zero", Ticked({1, 2, 3, 4}), {{1, "0"}, {2, "0"}, {3, "7"}, {4, "7"}},
         SlotVerdict::AddressZeroTwice, regtext::AddressZeroTwice()},
        {"5 and 261 are the same", Ticked({2, 9}), {{2, "5"}, {9, "261"}}, SlotVerdict::SameAddresses,
         regtext::SameAddresses()},
        {"-251 is 5 too", Ticked({2, 9}), {{2, "5"}, {9, "-251"}}, SlotVerdict::SameAddresses,
         regtext::SameAddresses()},
        {"hexadecimal counts", Ticked({1, 10}), {{1, "$10"}, {10, "16"}}, SlotVerdict::SameAddresses,
         regtext::SameAddresses()},
        {"unticked chosen may hold anything", Ticked({5}), {{1, "0"}, {2, "0"}, {3, "5"}, {4, "5"}},
         SlotVerdict::Valid, QString()},
        {"unticked duplicate of a ticked slot", Ticked({5}), {{1, "5"}}, SlotVerdict::Valid, QString()},
        {"a word anywhere is a conversion error", Ticked({5}), {{8, "abc"}}, SlotVerdict::ConversionError,
         QStringLiteral("'abc' is not a valid integer value")},
        {"empty text too", Ticked({}), {{1, ""}}, SlotVerdict::ConversionError,
         QStringLiteral("'' is not a valid integer value")},
    };
    for (const Case &c : cases) {
        Texts texts = DefaultTexts();
        for (const auto &[slot, text] : c.texts)
            texts[static_cast<std::size_t>(slot - 1)] = text;
        const SlotValidation v = ValidateSlotSelection(c.ticked, texts);
        EXPECT_EQ(v.verdict, c.verdict) << c.what;
        EXPECT_EQ(v.message, c.message) << c.what;
    }
}

TEST(SlotSelection, AddressesKeepTheirLowByte)
{
    Texts texts = DefaultTexts();
    texts[0] = QStringLiteral("261");
    texts[1] = QStringLiteral("255");
    texts[2] = QStringLiteral("-1");
    const SlotValidation v = ValidateSlotSelection(Ticked({1, 2}), texts);
    EXPECT_EQ(v.table.Address(1), 5);
    EXPECT_EQ(v.table.Address(2), 255);
    EXPECT_EQ(v.table.Address(3), 255);
    EXPECT_TRUE(v.table.Enabled(1));
    EXPECT_FALSE(v.table.Enabled(3));
}

TEST(SlotSelection, NextSlotsAndBlocks)
{
    const SlotTable table = Table({{2, 2}, {7, 7}, {10, 10}});
    EXPECT_EQ(NextTickedSlot(table, 1), 2);
    EXPECT_EQ(NextTickedSlot(table, 3), 7);
    EXPECT_EQ(NextTickedSlot(table, 8), 10);
    EXPECT_EQ(NextTickedSlot(table, 11), std::nullopt);
    EXPECT_EQ(BlockNumberOfSlot(table, 2), 1);
    EXPECT_EQ(BlockNumberOfSlot(table, 7), 2);
    EXPECT_EQ(BlockNumberOfSlot(table, 10), 3);
    EXPECT_EQ(BlockNumberOfSlot(table, 5), 0) << "an unticked slot owns no block";
    EXPECT_EQ(BlockNumberOfSlot(table, 11), 0);
}

TEST(SlotSelection, AnswerOwners)
{
    struct Case {
        const char *what;
        SlotTable table;
        int answerAddress;
        std::optional<std::pair<int, int>> owner;   // slot, block
    };
    const std::vector<Case> cases = {
        {"own address", Table({{3, 21}, {8, 40}}), 40, {{8, 2}}},
        {"nobody", Table({{3, 21}, {8, 40}}), 41, std::nullopt},
        {"unticked slot with that address", Table({{3, 21}}), 5, std::nullopt},
        {"address 0 before takes over", Table({{2, 0}, {6, 12}}), 12, {{2, 1}}},
        {"address 0 after does not", Table({{2, 12}, {6, 0}}), 12, {{2, 1}}},
        {"address 0 takes strangers", Table({{4, 9}, {6, 0}}), 77, {{6, 2}}},
    };
    for (const Case &c : cases) {
        const std::optional<AnswerOwner> owner = OwnerOfAnswer(c.table, static_cast<std::uint8_t>(c.answerAddress));
        ASSERT_EQ(owner.has_value(), c.owner.has_value()) << c.what;
        if (owner) {
            EXPECT_EQ(owner->slot, c.owner->first) << c.what;
            EXPECT_EQ(owner->blockNumber, c.owner->second) << c.what;
        }
    }
}

TEST(SlotSelection, ResponseTimersStopByTheTypedText)
{
    Texts texts = DefaultTexts();
    texts[2] = QStringLiteral("05");
    texts[4] = QStringLiteral("5");
    texts[6] = QStringLiteral(" 5");
    texts[8] = QStringLiteral("5");
    EXPECT_EQ(SlotsShowingAddress(texts, 5), (std::vector<int>{5, 9}));
    EXPECT_EQ(SlotsShowingAddress(texts, 200), std::vector<int>{});
}

TEST(SlotSelection, Captions)
{
    EXPECT_EQ(SlotCaption(1), regtext::SlotCaptionFirst());
    EXPECT_EQ(SlotCaption(9), regtext::SlotCaptionFirst().chopped(1) + QStringLiteral("9"));
    EXPECT_EQ(SlotCaption(9).count(QLatin1Char(' ')), 2);
    EXPECT_EQ(SlotCaption(10), regtext::SlotCaptionTenth());
}

TEST(PollCountdown, PeriodThreeShowsThreeTwoOneThenStartsAgain)
{
    const int period = 3;
    int countdown = 0;
    std::vector<int> shown;
    std::vector<int> bar;
    std::vector<bool> starts;
    for (int tick = 0; tick < 7; ++tick) {
        const bool start = CountdownExpired(countdown);
        if (start)
            countdown = period - 1;
        starts.push_back(start);
        shown.push_back(SecondsShown(countdown));
        bar.push_back(CountdownBarPosition(countdown, period, 10000));
    }
    EXPECT_EQ(starts, (std::vector<bool>{true, false, false, true, false, false, true}));
    EXPECT_EQ(shown, (std::vector<int>{3, 2, 1, 3, 2, 1, 3}));
    EXPECT_EQ(bar, (std::vector<int>{10000, 6667, 3333, 10000, 6667, 3333, 10000}));
}

TEST(PollCountdown, BarRoundsHalfToEven)
{
    EXPECT_EQ(CountdownBarPosition(0, 4000, 10000), 2);    // 2.5
    EXPECT_EQ(CountdownBarPosition(2, 4000, 10000), 8);    // 7.5
    EXPECT_EQ(CountdownBarPosition(0, 1, 10000), 10000);
    EXPECT_EQ(CountdownBarPosition(0, 0, 10000), 0);
}

TEST(PollSchedule, PollsKeepToCycleStartPlusMultiplesOfTheSpacing)
{
    struct Case {
        const char *what;
        std::vector<double> sentAt;      // when each poll went out, ms after the cycle start
        std::vector<int> intervals;      // what the spacing timer is set to after each
    };
    const std::vector<Case> cases = {
        {"punctual", {0, 300, 600}, {300, 300, 300}},
        // A late timer is made up for at the next poll, so lateness does not add up.
        {"a little late each time", {0.4, 300.7, 600.6, 900.9}, {300, 299, 299, 299}},
        {"early by a little", {0, 299.6}, {300, 300}},
        // Held up beyond half the 20 ms gap: a new schedule from here, full spacing.
        {"held up by a dialog", {0, 2750, 3050.5}, {300, 300, 300}},
        {"10 ms late is still made up", {0, 310}, {300, 290}},
        {"11 ms late is not", {0, 311}, {300, 300}},
    };
    for (const Case &c : cases) {
        PollSchedule schedule;
        schedule.StartCycle(0.0);
        std::vector<int> intervals;
        for (double t : c.sentAt)
            intervals.push_back(schedule.NextInterval(t, 300, 280));
        EXPECT_EQ(intervals, c.intervals) << c.what;
    }
    // Spacing not above the response wait: nothing is taken back.
    PollSchedule tight;
    tight.StartCycle(0.0);
    EXPECT_EQ(tight.NextInterval(0.0, 100, 120), 100);
    EXPECT_EQ(tight.NextInterval(101.0, 100, 120), 100);
}

TEST(PollSchedule, TimerSetEarlyByTheLeadAndThePollWaitsForItsTime)
{
    PollSchedule schedule;
    schedule.StartCycle(1000.0);
    EXPECT_DOUBLE_EQ(schedule.MsUntilDue(1000.0), 0.0);
    EXPECT_EQ(schedule.NextInterval(1000.2, 300, 280, 2), 298);
    // The timer fires 1.4 ms before the due time: the poll waits 1.4 ms more.
    EXPECT_NEAR(schedule.MsUntilDue(1298.6), 1.4, 1e-9);
    EXPECT_EQ(schedule.NextInterval(1300.1, 300, 280, 2), 298);
    EXPECT_NEAR(schedule.MsUntilDue(1603.0), -3.0, 1e-9);

    EXPECT_EQ(PollSchedule::TimerLead(300, 280), 4);
    EXPECT_EQ(PollSchedule::TimerLead(150, 120), 4);
    EXPECT_EQ(PollSchedule::TimerLead(30, 25), 1);
    EXPECT_EQ(PollSchedule::TimerLead(300, 300), 0);
    EXPECT_EQ(PollSchedule::TimerLead(250, 280), 0);
}

TEST(PollSchedule, AnyLinkTimesOfTheSettingsFileStayInRange)
{
    // The settings file may hold any int (fuzzing found "\n-2147483645" as response wait once,
    // whose difference to the spacing overflowed an int).
    constexpr int Max = std::numeric_limits<int>::max();
    constexpr int Min = std::numeric_limits<int>::min();
    struct Case {
        int spacing;
        int responseWait;
        int lead;            // TimerLead
        int firstInterval;   // NextInterval of the first poll, sent on time with that lead
    };
    const std::vector<Case> cases = {
        {300, -2147483645, 4, 296},
        {Max, Min, 4, Max - 4},
        {Min, Max, 0, 0},
        {Max, Max, 0, Max},
        {Min, Min, 0, 0},
        {-300, 280, 0, 0},
        {0, Min, 4, 0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(PollSchedule::TimerLead(c.spacing, c.responseWait), c.lead) << c.spacing << " " << c.responseWait;
        PollSchedule schedule;
        schedule.StartCycle(5000.0);
        EXPECT_EQ(schedule.NextInterval(5000.0, c.spacing, c.responseWait, c.lead), c.firstInterval)
            << c.spacing << " " << c.responseWait;
        // Later polls of the cycle, on time and late, stay within 0 .. spacing.
        double now = 5000.0 + c.firstInterval + c.lead;
        for (int late : {0, 3, 200}) {
            now += late;
            const int interval = schedule.NextInterval(now, c.spacing, c.responseWait, c.lead);
            EXPECT_GE(interval, 0);
            EXPECT_LE(interval, std::max(0, c.spacing));
            now += interval + c.lead;
        }
    }
}
