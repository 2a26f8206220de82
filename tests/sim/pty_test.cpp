#include "gauge_simulator.h"
#include "slave_port.h"
#include "wire_bytes.h"

#include <gtest/gtest.h>

#include <thread>

using namespace simtest;
using std::chrono::milliseconds;

namespace {

double msBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

} // namespace

TEST(PtyLine, AnswersOverThePseudoTerminalAndLogsTheRequest)
{
    sim::GaugeSimulator simulator;
    simulator.stagePressure(1, 100.0f, 1);
    std::string error;
    ASSERT_TRUE(simulator.start(&error)) << error;
    Port port(simulator.slavePath());
    ASSERT_TRUE(port.isOpen());

    const Bytes req = request(1, 1);
    port.send(req);
    const Bytes got = port.receive(19, milliseconds(1000));
    EXPECT_EQ(toHex(got), toHex(answer(1, 1, hex("00 00 01 42 C8 00 00"))));

    ASSERT_TRUE(simulator.requests().waitFor(1, milliseconds(500)));
    const sim::LoggedRequest entry = simulator.requests().entries().at(0);
    EXPECT_EQ(toHex(entry.bytes), toHex(req));
    EXPECT_EQ(entry.address, 1);
    EXPECT_EQ(entry.command, 1);
    EXPECT_TRUE(entry.answered);
    EXPECT_LE(entry.receivedAt, port.firstByte);
}

TEST(PtyLine, NoGaugeNoAnswerAndGarbageIsSkipped)
{
    sim::GaugeSimulator simulator;
    ASSERT_TRUE(simulator.start());
    Port port(simulator.slavePath());

    port.send(request(9, 1));
    ASSERT_TRUE(simulator.requests().waitFor(1, milliseconds(500)));
    EXPECT_FALSE(simulator.requests().entries()[0].answered);
    EXPECT_TRUE(port.receive(1, milliseconds(150)).empty());

    Bytes broken = request(2, 1);
    broken.back() ^= 0x40;
    port.send(join({hex("00 13 82 55"), broken, hex("FF 00"), request(2, 3)}));
    EXPECT_EQ(port.receive(34, milliseconds(1000)).size(), 34u);
    ASSERT_TRUE(simulator.requests().waitFor(2, milliseconds(500)));
    EXPECT_EQ(simulator.requests().size(), 2u);
    EXPECT_EQ(simulator.requests().entries()[1].command, 3);
    EXPECT_EQ(simulator.requests().badFrames(), 1u);

    simulator.requests().clear();
    EXPECT_FALSE(simulator.requests().waitFor(1, milliseconds(50))) << "nothing was sent since clearing";
}

TEST(PtyLine, TimingFollowsDelayPacingAndBaudRate)
{
    sim::GaugeSimulator simulator;
    simulator.stagePressure(1, 100.0f, 1);
    simulator.modify(1, [](sim::GaugeState &s) { s.settings.responseDelayMs = 120; });
    ASSERT_TRUE(simulator.start());

    {
        Port port(simulator.slavePath(), B9600);
        const auto sent = Clock::now();
        port.send(request(1, 1));
        ASSERT_EQ(port.receive(19, milliseconds(2000)).size(), 19u);
        // 2 ms turnaround + 120 ms delay before the first byte, 19 bytes at ~1.04 ms each.
        EXPECT_GE(msBetween(sent, port.firstByte), 115.0);
        EXPECT_LT(msBetween(sent, port.firstByte), 1000.0);
        EXPECT_GE(msBetween(sent, port.lastByte), 135.0);
    }
    simulator.modify(1, [](sim::GaugeState &s) { s.settings.responseDelayMs = 0; });
    {
        Port port(simulator.slavePath(), B1200);   // 8.3 ms a byte
        const auto sent = Clock::now();
        port.send(request(1, 1));
        ASSERT_EQ(port.receive(19, milliseconds(2000)).size(), 19u);
        EXPECT_GE(msBetween(sent, port.lastByte), 150.0);
    }
    {
        simulator.setPacing(false);
        Port port(simulator.slavePath(), B1200);
        port.send(request(1, 1));
        ASSERT_EQ(port.receive(19, milliseconds(2000)).size(), 19u);
        EXPECT_LT(msBetween(port.firstByte, port.lastByte), 100.0) << "all at once without pacing";
    }
    {
        sim::FaultSpec late;
        late.kind = sim::FaultKind::Late;
        late.lateBy = milliseconds(300);
        simulator.setFault(1, late);
        Port port(simulator.slavePath());
        const auto sent = Clock::now();
        port.send(request(1, 1));
        EXPECT_TRUE(port.receive(1, milliseconds(200)).empty());
        ASSERT_EQ(port.receive(19, milliseconds(2000)).size(), 19u);
        EXPECT_GE(msBetween(sent, port.firstByte), 295.0);
    }
}

TEST(PtyLine, OverflowArrivesInTwoBursts)
{
    sim::GaugeSimulator simulator;
    simulator.setPacing(false);
    sim::FaultSpec overflow;
    overflow.kind = sim::FaultKind::Overflow;
    overflow.chunkGap = milliseconds(80);
    simulator.setFault(2, overflow);
    ASSERT_TRUE(simulator.start());
    Port port(simulator.slavePath());
    port.send(request(2, 1));
    EXPECT_EQ(port.receive(30, milliseconds(1000)).size(), 30u);
    const auto firstBurst = port.lastByte;
    EXPECT_EQ(port.receive(25, milliseconds(1000)).size(), 25u);
    EXPECT_GE(msBetween(firstBurst, port.firstByte), 60.0);
}

TEST(PtyLine, SurvivesTheProgramReopeningThePort)
{
    sim::GaugeSimulator simulator;
    ASSERT_TRUE(simulator.start());
    for (int session = 0; session < 5; ++session) {
        SCOPED_TRACE(session);
        Port port(simulator.slavePath());
        ASSERT_TRUE(port.isOpen());
        port.send(request(3, 1));
        EXPECT_EQ(port.receive(19, milliseconds(1000)).size(), 19u);
    }
    // Nobody on the line for a while must not upset the serving thread.
    std::this_thread::sleep_for(milliseconds(100));
    Port port(simulator.slavePath());
    port.send(request(3, 194));
    EXPECT_EQ(port.receive(15, milliseconds(1000)).size(), 15u);
}

TEST(PtyLine, StartsAndStopsManyTimesAndSideBySide)
{
    sim::GaugeSimulator first, second({7});
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(first.start());
        ASSERT_TRUE(second.start());
        EXPECT_NE(first.slavePath(), second.slavePath());
        Port a(first.slavePath()), b(second.slavePath());
        a.send(request(1, 1));
        b.send(request(7, 1));
        EXPECT_EQ(a.receive(19, milliseconds(1000)).size(), 19u);
        EXPECT_EQ(b.receive(19, milliseconds(1000)).size(), 19u);
        const auto stopping = Clock::now();
        first.stop();
        second.stop();
        EXPECT_LT(msBetween(stopping, Clock::now()), 500.0);
        EXPECT_FALSE(first.isRunning());
        EXPECT_TRUE(first.slavePath().empty());
    }
    EXPECT_EQ(first.requests().size(), 10u);
}

TEST(PtyLine, FaultsChangeWhileServing)
{
    sim::GaugeSimulator simulator;
    simulator.stagePressure(1, 100.0f, 1);
    simulator.setPacing(false);
    ASSERT_TRUE(simulator.start());
    Port port(simulator.slavePath());
    sim::FaultSpec silence;
    silence.kind = sim::FaultKind::Silence;
    sim::FaultSpec checksum;
    checksum.kind = sim::FaultKind::BadChecksum;
    const struct {
        const sim::FaultSpec *fault;
        size_t bytes;
    } steps[] = {{nullptr, 19}, {&silence, 0}, {&checksum, 19}, {nullptr, 19}};
    for (const auto &step : steps) {
        if (step.fault)
            simulator.setFault(1, *step.fault);
        else
            simulator.clearFaults();
        port.send(request(1, 1));
        const Bytes got = port.receive(step.bytes ? step.bytes : 1, milliseconds(step.bytes ? 1000 : 150));
        EXPECT_EQ(got.size(), step.bytes);
        if (step.fault == &checksum) {
            EXPECT_NE(got.back(), xorRange(got, 3, got.size() - 1));
        }
    }
    ASSERT_TRUE(simulator.requests().waitFor(4, milliseconds(500)));
    EXPECT_EQ(simulator.requests().entries()[1].fault, sim::FaultKind::Silence);
}
