#include "gauge_simulator.h"
#include "wire_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace simtest;
using std::chrono::milliseconds;

namespace {

// Gauge 0 reading exactly 100.0 in unit 1: the clean answer to command 1 is known byte for byte.
const Bytes kClean = hex("FF FF FF 86 FF FF FF FF 00 01 05 00 00 01 42 C8 00 00 09");

sim::GaugeSimulator &stagedBus(sim::GaugeSimulator &simulator)
{
    simulator.stagePressure(0, 100.0f, 1);
    return simulator;
}

Bytes withChecksumRefreshed(Bytes bytes)
{
    bytes.back() = xorRange(bytes, 3, bytes.size() - 1);
    return bytes;
}

Bytes tail(const Bytes &bytes, size_t from)
{
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end());
}

struct FaultCase {
    sim::FaultKind kind;
    std::function<void(sim::FaultSpec &)> tune;
    std::vector<Bytes> chunks;   // expected chunks on the line
    milliseconds delay;
    milliseconds gap;
};

std::vector<FaultCase> faultCases()
{
    Bytes lengthOff = kClean;
    lengthOff[kAnswerCount] = 6;
    Bytes otherAddress = kClean;
    otherAddress[kAnswerAddress] = 1;
    Bytes claimed = kClean;
    claimed[kAnswerAddress] = 0x63;
    Bytes delimiter = kClean;
    delimiter[3] = 0x82;
    Bytes checksum = kClean;
    checksum.back() ^= 0xFF;
    Bytes overflow;
    while (overflow.size() < 55)
        overflow.insert(overflow.end(), kClean.begin(), kClean.end());
    const auto none = [](sim::FaultSpec &) {};
    return {
        {sim::FaultKind::None, none, {kClean}, milliseconds(0), milliseconds(0)},
        {sim::FaultKind::Silence, none, {}, milliseconds(0), milliseconds(0)},
        {sim::FaultKind::Late, [](sim::FaultSpec &f) { f.lateBy = milliseconds(350); }, {kClean}, milliseconds(350),
         milliseconds(0)},
        {sim::FaultKind::MissingPreamble1, none, {tail(kClean, 1)}, milliseconds(0), milliseconds(0)},
        {sim::FaultKind::MissingPreamble2, none, {tail(kClean, 2)}, milliseconds(0), milliseconds(0)},
        {sim::FaultKind::FivePreamble, none, {join({hex("FF FF"), kClean})}, milliseconds(0), milliseconds(0)},
        {sim::FaultKind::BadChecksum, none, {checksum}, milliseconds(0), milliseconds(0)},
        {sim::FaultKind::WrongLength, none, {withChecksumRefreshed(lengthOff)}, milliseconds(0), milliseconds(0)},
        {sim::FaultKind::ShortAnswer, none, {Bytes(kClean.begin(), kClean.begin() + 10)}, milliseconds(0), milliseconds(0)},
        {sim::FaultKind::ShortAnswer, [](sim::FaultSpec &f) { f.shortLength = 30; },
         {Bytes(kClean.begin(), kClean.begin() + 10)}, milliseconds(0), milliseconds(0)},
        {sim::FaultKind::Chunked, [](sim::FaultSpec &f) { f.chunkSize = 5; f.chunkGap = milliseconds(7); },
         {hex("FF FF FF 86 FF"), hex("FF FF FF 00 01"), hex("05 00 00 01 42"), hex("C8 00 00 09")}, milliseconds(0),
         milliseconds(7)},
        {sim::FaultKind::Overflow, none, {Bytes(overflow.begin(), overflow.begin() + 30),
                                          Bytes(overflow.begin() + 30, overflow.begin() + 55)},
         milliseconds(0), milliseconds(15)},
        {sim::FaultKind::OtherAddress, none, {withChecksumRefreshed(otherAddress)}, milliseconds(0), milliseconds(0)},
        {sim::FaultKind::OtherAddress, [](sim::FaultSpec &f) { f.claimedAddress = 0x63; },
         {withChecksumRefreshed(claimed)}, milliseconds(0), milliseconds(0)},
        {sim::FaultKind::WrongDelimiter, none, {withChecksumRefreshed(delimiter)}, milliseconds(0), milliseconds(0)},
        {sim::FaultKind::Garbage, [](sim::FaultSpec &f) { f.garbage = hex("00 55"); }, {join({hex("00 55"), kClean})},
         milliseconds(0), milliseconds(0)},
    };
}

} // namespace

TEST(Faults, EachFaultSpoilsTheAnswerItsOwnWay)
{
    for (const FaultCase &c : faultCases()) {
        SCOPED_TRACE(sim::faultName(c.kind));
        sim::GaugeSimulator simulator({0});
        stagedBus(simulator);
        sim::FaultSpec spec;
        spec.kind = c.kind;
        c.tune(spec);
        ASSERT_TRUE(simulator.setFault(0, spec));
        const std::optional<sim::Transmission> t = simulator.transmissionFor(request(0, 1));
        ASSERT_TRUE(t.has_value());
        EXPECT_EQ(t->fault, c.kind);
        ASSERT_EQ(t->chunks.size(), c.chunks.size());
        for (size_t i = 0; i < c.chunks.size(); ++i)
            EXPECT_EQ(toHex(t->chunks[i]), toHex(c.chunks[i]));
        EXPECT_EQ(t->delay, c.delay);
        if (c.chunks.size() > 1) {
            EXPECT_EQ(t->chunkGap, c.gap);
        }
    }
}

TEST(Faults, FaultsFollowTheGaugeAndCanBeCleared)
{
    sim::GaugeSimulator simulator({0, 5});
    stagedBus(simulator);
    sim::FaultSpec checksum;
    checksum.kind = sim::FaultKind::BadChecksum;
    EXPECT_FALSE(simulator.setFault(7, checksum)) << "no gauge there";
    ASSERT_TRUE(simulator.setFault(0, checksum));
    EXPECT_NE(simulator.answerFor(request(0, 1)), kClean);
    EXPECT_EQ(simulator.transmissionFor(request(5, 1))->fault, sim::FaultKind::None);
    simulator.clearFaults();
    EXPECT_EQ(simulator.answerFor(request(0, 1)), kClean);
}

TEST(Faults, SilentGaugeDoesNotActOnWrites)
{
    sim::GaugeSimulator simulator({0});
    sim::FaultSpec silence;
    silence.kind = sim::FaultKind::Silence;
    simulator.setFault(0, silence);
    EXPECT_TRUE(simulator.answerFor(request(0, 193, {100})).empty());
    EXPECT_EQ(simulator.snapshot(0)->settings.responseDelayMs, 0);
}

TEST(Faults, ResponseDelayAddsToLateness)
{
    sim::GaugeSimulator simulator({0});
    simulator.modify(0, [](sim::GaugeState &s) { s.settings.responseDelayMs = 120; });
    EXPECT_EQ(simulator.transmissionFor(request(0, 1))->delay, milliseconds(120));
    sim::FaultSpec late;
    late.kind = sim::FaultKind::Late;
    late.lateBy = milliseconds(300);
    simulator.setFault(0, late);
    EXPECT_EQ(simulator.transmissionFor(request(0, 1))->delay, milliseconds(420));
    // A new delay applies to the answer that confirms it.
    simulator.clearFaults();
    EXPECT_EQ(simulator.transmissionFor(request(0, 193, {30}))->delay, milliseconds(30));
}

TEST(Faults, RandomModeIsSeededAndKeepsItsShare)
{
    const auto run = [](double probability, uint32_t seed, int answers) {
        sim::GaugeSimulator simulator({0});
        stagedBus(simulator);
        sim::FaultSpec random;
        random.kind = sim::FaultKind::Random;
        random.probability = probability;
        random.seed = seed;
        simulator.setFault(0, random);
        std::vector<sim::FaultKind> kinds;
        for (int i = 0; i < answers; ++i)
            kinds.push_back(simulator.transmissionFor(request(0, 1))->fault);
        return kinds;
    };
    for (sim::FaultKind k : run(0.0, 7, 200))
        EXPECT_EQ(k, sim::FaultKind::None);
    std::map<sim::FaultKind, int> seen;
    for (sim::FaultKind k : run(1.0, 7, 2000)) {
        EXPECT_NE(k, sim::FaultKind::None);
        EXPECT_NE(k, sim::FaultKind::Random);
        ++seen[k];
    }
    EXPECT_EQ(seen.size(), sim::drawableFaults().size()) << "every kind gets drawn";

    const auto share = run(0.25, 11, 4000);
    const long spoiled = std::count_if(share.begin(), share.end(), [](sim::FaultKind k) { return k != sim::FaultKind::None; });
    EXPECT_NEAR(spoiled / 4000.0, 0.25, 0.03);
    EXPECT_EQ(run(0.3, 42, 300), run(0.3, 42, 300)) << "same seed, same faults";
    EXPECT_NE(run(0.3, 42, 300), run(0.3, 43, 300));
}
