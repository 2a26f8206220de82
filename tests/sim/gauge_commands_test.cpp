#include "gauge_simulator.h"
#include "wire_bytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <thread>

using namespace simtest;

namespace {

// Gauge 0 with round numbers: unit 1, main range and sub-range 0..200, pressure frozen at 100,
// so the current is 12 mA and Udif 27200; set points 20 % / 80 % / 1 % are 40 / 160 / 2.
void stage(sim::GaugeSimulator &simulator)
{
    simulator.modify(0, [](sim::GaugeState &s) {
        s.settings.unitCode = 1;
        s.settings.mainMin = s.settings.subMin = 0.0f;
        s.settings.mainMax = s.settings.subMax = 200.0f;
        sim::setPointsFromPercent(s.settings);
        s.saved = s.settings;
        s.pressure = 100.0f;
        s.drift = false;
        s.temperature = 25.0f;
        s.um = 31500.0f;
    });
}

struct Staged {
    sim::GaugeSimulator simulator{{0}};
    Staged() { stage(simulator); }
    Bytes ask(uint8_t command, const Bytes &data = {}, uint8_t address = 0)
    {
        return simulator.answerFor(request(address, command, data));
    }
    sim::GaugeSettings settings() { return simulator.snapshot(0).value().settings; }
};

struct ExactCase {
    uint8_t command;
    const char *data;
    const char *body;   // status bytes and payload of the answer; nullptr: no answer
};

const ExactCase kExactCases[] = {
    {1, "", "00 00 01 42 C8 00 00"},
    {3, "", "00 00 41 40 00 00 42 C8 00 00 46 F6 18 00 46 D4 80 00 41 C8 00 00"},
    {33, "00 04 06 0B", "00 00 00 01 42 C8 00 00 04 00 41 C8 00 00 06 00 3F 80 00 00 0B 00 3F 80 00 00"},
    {33, "08 07 0A 09", "00 00 08 01 00 00 00 00 07 01 43 48 00 00 0A 01 00 00 00 00 09 01 43 48 00 00"},
    {33, "01 02 03 0D", "00 00 01 00 41 40 00 00 02 00 46 F6 18 00 03 00 46 D4 80 00 0D 00 42 48 00 00"},
    {33, "0E 11 12 13", "00 00 0E 00 45 7A 00 00 11 01 42 20 00 00 12 01 43 20 00 00 13 01 40 00 00 00"},
    {33, "14 05 0C 63", "00 00 14 00 40 A0 00 00 05 00 00 00 00 00 0C 00 00 00 00 00 63 00 00 00 00 00"},
    {6, "07", "00 00 07"},
    {34, "41 20 00 00", "00 00 41 20 00 00"},
    {36, "", "00 00 80"},
    {37, "", "00 00 80"},
    {40, "41 48 00 00", "00 08 41 48 00 00"},
    {40, "BF 80 00 00", "00 00 BF 80 00 00"},
    {146, "42 C8 00 00 45 3B 80 00", "00 00 42 C8 00 00 45 3B 80 00"},
    {147, "", "00 00 42 48 00 00 45 7A 00 00"},
    {151, "", "00 00 40 A0 00 00"},
    {152, "", "00 00 01"},
    {157, "", "00 00 00"},
    {162, "", "00 00"},
    {174, "", "00 00 46 F2 30 00 44 FC E0 00"},
    {178, "01", "00 00 01"},
    {178, "00", "02 00 01"},
    {180, "40 C0 00 00 42 48 00 00 43 16 00 00 40 80 00 00", "00 00 40 C0 00 00 42 48 00 00 43 16 00 00 40 80 00 00"},
    {181, "", "00 00 00 40 A0 00 00 01 42 20 00 00 01 43 20 00 00 01 40 00 00 00"},
    {186, "40 C0 00 00 41 C8 00 00 42 96 00 00 40 00 00 00", "00 00 40 C0 00 00 41 C8 00 00 42 96 00 00 40 00 00 00"},
    {187, "", "00 00 40 A0 00 00 41 A0 00 00 42 A0 00 00 3F 80 00 00"},
    {190, "01 42 C8 00 00 00 00 00 00", "00 00 01 42 C8 00 00 00 00 00 00"},
    {191, "40 80 00 00", "00 00 01 42 48 00 00 00 00 00 00"},
    {192, "", "00 00 3F 80 00 00"},
    {193, "78", "00 00 78"},
    {194, "", "00 00 00"},
    {196, "01 01 01 01", "00 00 00"},
    {196, "01 01 01 02", "00 00 FF"},
    {197, "03 02 01 00", "00 00"},
    {197, "03 02 01 01", "02 00"},
    {34, "41 20", "05 00"},          // too few data bytes
    {190, "01 42 C8 00 00", "05 00"},
    {44, "", nullptr},               // commands the gauge does not know
    {150, "", nullptr},
    {2, "", nullptr},
    {255, "", nullptr},
};

} // namespace

TEST(GaugeAnswers, ExactBytesForStagedState)
{
    for (const ExactCase &c : kExactCases) {
        SCOPED_TRACE(testing::Message() << "command " << int(c.command) << " data " << c.data);
        Staged g;
        const Bytes got = g.ask(c.command, hex(c.data));
        EXPECT_EQ(toHex(got), c.body ? toHex(answer(0, c.command, hex(c.body))) : "");
    }
}

TEST(GaugeAnswers, DocumentedAnswerToCommandOne)
{
    sim::GaugeSimulator simulator({0});
    ASSERT_TRUE(simulator.stagePressure(0, 100.0f, 1));
    EXPECT_EQ(toHex(simulator.answerFor(hex("FF FF FF 82 FF FF FF FF 00 01 00 83"))),
              "FF FF FF 86 FF FF FF FF 00 01 05 00 00 01 42 C8 00 00 09");
}

TEST(GaugeAnswers, DefaultGaugeReadsPlausiblyAndDrifts)
{
    sim::GaugeSimulator simulator;   // gauges 1, 2, 3 as the program's emulator port has them
    EXPECT_EQ(simulator.addresses(), (std::vector<uint8_t>{1, 2, 3}));
    std::vector<float> pressures;
    for (int i = 0; i < 5; ++i) {
        const Bytes a = simulator.answerFor(request(2, 3));
        ASSERT_EQ(a.size(), 34u);
        const float current = f32At(a, kAnswerPayload), pressure = f32At(a, kAnswerPayload + 4);
        const float temperature = f32At(a, kAnswerPayload + 16);
        EXPECT_GE(current, 4.0f);
        EXPECT_LE(current, 20.0f);
        EXPECT_GT(pressure, 0.0f);
        EXPECT_LT(pressure, 1.6f);
        EXPECT_NEAR(current, 4.0f + 16.0f * pressure / 1.6f, 0.01f);
        EXPECT_NEAR(temperature, 24.5f, 1.0f);
        pressures.push_back(pressure);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_NE(pressures.front(), pressures.back());
    // Gauges on one bus do not read the same.
    EXPECT_NE(f32At(simulator.answerFor(request(1, 1)), kAnswerPayload + 1),
              f32At(simulator.answerFor(request(3, 1)), kAnswerPayload + 1));
}

namespace {

struct PersistCase {
    const char *name;
    uint8_t writeCommand;
    Bytes writeData;
    uint8_t readCommand;
    Bytes readData;
    std::function<void(const Bytes &readAnswer)> check;
};

std::vector<PersistCase> persistCases()
{
    const auto payload = [](const char *expected) {
        return [expected](const Bytes &a) {
            EXPECT_EQ(toHex(Bytes(a.begin() + kAnswerPayload, a.end() - 1)), expected);
        };
    };
    const auto floatAt = [](size_t payloadOffset, float expected) {
        return [=](const Bytes &a) { EXPECT_FLOAT_EQ(f32At(a, kAnswerPayload + payloadOffset), expected); };
    };
    return {
        {"averaging", 34, f32(10.0f), 33, hex("06 06 06 06"), floatAt(2, 10.0f)},
        {"averaging clamped", 34, f32(80.0f), 33, hex("06 00 00 00"), floatAt(2, 50.0f)},
        {"DAC codes", 146, join({f32(100.0f), f32(3000.0f)}), 147, {}, payload("42 C8 00 00 45 3B 80 00")},
        {"DAC codes cut to 12 bits", 146, join({f32(12.75f), f32(5000.0f)}), 147, {}, payload("41 40 00 00 45 7F F0 00")},
        {"DAC codes in command 33", 146, join({f32(60.0f), f32(3900.0f)}), 33, hex("0D 0E 00 00"),
         [](const Bytes &a) {
             EXPECT_FLOAT_EQ(f32At(a, kAnswerPayload + 2), 60.0f);
             EXPECT_FLOAT_EQ(f32At(a, kAnswerPayload + 8), 3900.0f);
         }},
        {"fixed current", 40, f32(12.5f), 3, {},
         [](const Bytes &a) {
             EXPECT_EQ(a[kAnswerStatus1], 0x08);
             EXPECT_FLOAT_EQ(f32At(a, kAnswerPayload), 12.5f);
         }},
        {"fixed current clamped to the range", 40, f32(25.0f), 33, hex("01 00 00 00"), floatAt(2, 20.0f)},
        {"fixed current off", 40, f32(-1.0f), 3, {}, floatAt(0, 12.0f)},
        {"unit", 178, hex("02"), 1, {},
         [](const Bytes &a) {
             EXPECT_EQ(a[kAnswerPayload], 2);
             EXPECT_NEAR(f32At(a, kAnswerPayload + 1), 9.80665f, 1e-5f);   // the same pressure, in MPa
         }},
        {"unit moves the ranges", 178, hex("03"), 33, hex("0A 09 08 07"),
         [](const Bytes &a) {
             EXPECT_EQ(a[kAnswerPayload + 7], 3);
             EXPECT_NEAR(f32At(a, kAnswerPayload + 8), 19613.3f, 0.01f);
         }},
        {"set points in units", 180, join({f32(6.0f), f32(50.0f), f32(150.0f), f32(4.0f)}), 181, {},
         payload("00 40 C0 00 00 01 42 48 00 00 01 43 16 00 00 01 40 80 00 00")},
        {"set points in units show in percent", 180, join({f32(6.0f), f32(50.0f), f32(150.0f), f32(4.0f)}), 187, {},
         payload("40 C0 00 00 41 C8 00 00 42 96 00 00 40 00 00 00")},
        {"set points in percent", 186, join({f32(7.0f), f32(10.0f), f32(90.0f), f32(2.5f)}), 187, {},
         payload("40 E0 00 00 41 20 00 00 42 B4 00 00 40 20 00 00")},
        {"set points in percent show in units", 186, join({f32(7.0f), f32(10.0f), f32(90.0f), f32(2.5f)}), 33,
         hex("11 12 13 14"),
         [](const Bytes &a) {
             EXPECT_FLOAT_EQ(f32At(a, kAnswerPayload + 2), 20.0f);
             EXPECT_FLOAT_EQ(f32At(a, kAnswerPayload + 8), 180.0f);
             EXPECT_FLOAT_EQ(f32At(a, kAnswerPayload + 14), 5.0f);
             EXPECT_FLOAT_EQ(f32At(a, kAnswerPayload + 20), 7.0f);
         }},
        {"sub-range by limits", 190, join({hex("01"), f32(150.0f), f32(50.0f)}), 33, hex("08 07 0A 09"),
         payload("08 01 42 48 00 00 07 01 43 16 00 00 0A 01 00 00 00 00 09 01 43 48 00 00")},
        {"sub-range by limits sets the ratio", 190, join({hex("01"), f32(150.0f), f32(50.0f)}), 192, {}, floatAt(0, 2.0f)},
        {"sub-range moves the set points", 190, join({hex("01"), f32(150.0f), f32(50.0f)}), 181, {},
         [](const Bytes &a) {
             EXPECT_FLOAT_EQ(f32At(a, kAnswerPayload + 6), 70.0f);    // 20 % of 50..150
             EXPECT_FLOAT_EQ(f32At(a, kAnswerPayload + 11), 130.0f);  // 80 %
         }},
        {"sub-range by ratio", 191, f32(2.5f), 192, {}, floatAt(0, 2.5f)},
        {"sub-range by ratio sets the limits", 191, f32(2.5f), 33, hex("08 07 00 00"),
         [](const Bytes &a) {
             EXPECT_FLOAT_EQ(f32At(a, kAnswerPayload + 2), 0.0f);
             EXPECT_FLOAT_EQ(f32At(a, kAnswerPayload + 8), 80.0f);
         }},
        {"sub-range drives the current", 191, f32(2.0f), 3, {}, floatAt(0, 20.0f)},
        {"response delay", 193, hex("FF"), 194, {}, payload("FF")},
        {"address", 6, hex("2A"), 33, hex("00 00 00 00"), [](const Bytes &a) { EXPECT_TRUE(a.empty()); }},
    };
}

} // namespace

TEST(GaugeAnswers, WriteThenReadShowsTheNewValue)
{
    for (const PersistCase &c : persistCases()) {
        SCOPED_TRACE(c.name);
        Staged g;
        ASSERT_FALSE(g.ask(c.writeCommand, c.writeData).empty());
        const Bytes read = g.ask(c.readCommand, c.readData);
        if (!read.empty()) {
            ASSERT_GE(read.size(), 14u);
            EXPECT_EQ(read.back(), xorRange(read, 3, read.size() - 1));
        }
        c.check(read);
    }
}

TEST(GaugeAnswers, NewAddressTakesOverAtOnce)
{
    Staged g;
    const Bytes reply = g.ask(6, hex("2A"));
    EXPECT_EQ(reply[kAnswerAddress], 0) << "the answer goes out under the address it was asked at";
    EXPECT_EQ(reply[kAnswerPayload], 0x2A);
    EXPECT_TRUE(g.ask(1, {}, 0).empty());
    const Bytes moved = g.ask(1, {}, 0x2A);
    ASSERT_EQ(moved.size(), 19u);
    EXPECT_EQ(moved[kAnswerAddress], 0x2A);
    EXPECT_EQ(g.simulator.addresses(), std::vector<uint8_t>{0x2A});
}

TEST(GaugeAnswers, SaveRestartAndFactoryRestore)
{
    Staged g;
    g.simulator.modify(0, [](sim::GaugeState &s) { s.restartMs = 40; });
    g.ask(34, f32(10.0f));
    g.ask(162);
    g.ask(193, hex("32"));                          // not saved
    g.ask(6, hex("09"));                            // an address change needs no save
    EXPECT_EQ(toHex(g.ask(197, hex("03 02 01 00"), 9)), toHex(answer(9, 197, hex("00 00"))));
    EXPECT_TRUE(g.ask(194, {}, 9).empty()) << "silent while restarting";
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(toHex(g.ask(194, {}, 9)), toHex(answer(9, 194, hex("00 00 00"))));
    EXPECT_FLOAT_EQ(f32At(g.ask(33, hex("06 06 06 06"), 9), kAnswerPayload + 2), 10.0f);
    EXPECT_EQ(g.simulator.snapshot(9)->restarts, 1u);

    g.ask(196, hex("01 01 01 01"), 9);
    EXPECT_FLOAT_EQ(f32At(g.ask(33, hex("06 09 06 06"), 9), kAnswerPayload + 2), 1.0f);
    const sim::GaugeSettings restored = g.simulator.snapshot(9)->settings;
    EXPECT_EQ(restored.address, 9) << "a factory restore leaves the gauge where the bus has it";
    EXPECT_EQ(restored.unitCode, 2);
    EXPECT_FLOAT_EQ(restored.mainMax, 1.6f);
}

TEST(GaugeAnswers, RangeCorrectionsAnswerTheStagedResult)
{
    Staged g;
    EXPECT_EQ(g.ask(37)[kAnswerPayload], 0x80);
    g.simulator.modify(0, [](sim::GaugeState &s) { s.correctionResult = 0x01; });
    EXPECT_EQ(g.ask(36)[kAnswerPayload], 0x01);
    const sim::GaugeState s = *g.simulator.snapshot(0);
    EXPECT_EQ(s.zeroCorrections, 1u);
    EXPECT_EQ(s.rangeCorrections, 1u);
}

TEST(GaugeAnswers, RerangingRefusals)
{
    // Staged: unit 1, main range 0..200, largest ratio 5.
    const struct {
        const char *name;
        uint8_t command;
        Bytes data;
        int refusal;   // -1: accepted
    } cases[] = {
        {"unit not the gauge's", 190, join({hex("02"), f32(150.0f), f32(50.0f)}), 2},
        {"unit code 0", 190, join({hex("00"), f32(150.0f), f32(50.0f)}), 2},
        {"lower below the main range", 190, join({hex("01"), f32(150.0f), f32(-10.0f)}), 3},
        {"lower above the main range", 190, join({hex("01"), f32(150.0f), f32(250.0f)}), 3},
        {"upper above the main range", 190, join({hex("01"), f32(250.0f), f32(50.0f)}), 4},
        {"upper below the main range", 190, join({hex("01"), f32(-1.0f), f32(0.0f)}), 4},
        {"ratio over the maximum", 190, join({hex("01"), f32(30.0f), f32(0.0f)}), 1},
        {"no span", 190, join({hex("01"), f32(50.0f), f32(50.0f)}), 1},
        {"upper below lower", 190, join({hex("01"), f32(40.0f), f32(80.0f)}), 1},
        {"ratio exactly the maximum", 190, join({hex("01"), f32(140.0f), f32(100.0f)}), -1},
        {"whole main range", 190, join({hex("01"), f32(200.0f), f32(0.0f)}), -1},
        {"ratio 6", 191, f32(6.0f), 1},
        {"ratio 5", 191, f32(5.0f), -1},
        {"ratio 1", 191, f32(1.0f), -1},
        {"ratio below 1", 191, f32(0.5f), 4},
        {"ratio not a number", 191, hex("7F C0 00 00"), 4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Staged g;
        const Bytes a = g.ask(c.command, c.data);
        ASSERT_GE(a.size(), 15u);
        if (c.refusal >= 0) {
            EXPECT_EQ(toHex(a), toHex(answer(0, c.command, {0, 0, static_cast<uint8_t>(c.refusal)})));
            EXPECT_FLOAT_EQ(g.settings().subMax, 200.0f) << "a refusal leaves the sub-range alone";
            EXPECT_FLOAT_EQ(g.settings().subRatio, 1.0f);
        } else {
            EXPECT_EQ(a[kAnswerCount], 9);
        }
    }
}
