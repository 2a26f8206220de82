#include "sim_frame.h"
#include "wire_bytes.h"

#include <gtest/gtest.h>

using namespace simtest;

namespace {

struct ParseCase {
    const char *name;
    std::vector<Bytes> chunks;      // fed one after the other
    bool lineGoesIdle;              // then the line falls quiet
    std::vector<Bytes> expected;    // frames, as received
    size_t badChecksums;
};

const Bytes kRead1 = request(0, 1);                          // FF FF FF 82 FF FF FF FF 00 01 00 83
const Bytes kWrite193 = request(5, 193, {0x78});
const Bytes kRead33 = request(3, 33, {0x82, 0xFF, 0xFF, 0x82});   // data that looks like a frame start

Bytes withBadChecksum(Bytes frame)
{
    frame.back() ^= 0x01;
    return frame;
}

std::vector<Bytes> oneByteChunks(const Bytes &frame)
{
    std::vector<Bytes> chunks;
    for (uint8_t b : frame)
        chunks.push_back({b});
    return chunks;
}

std::vector<ParseCase> parseCases()
{
    return {
        {"clean", {kRead1}, false, {kRead1}, 0},
        {"documented bytes", {hex("FF FF FF 82 FF FF FF FF 00 01 00 83")}, false, {kRead1}, 0},
        {"two back to back", {join({kRead1, kWrite193})}, false, {kRead1, kWrite193}, 0},
        {"garbage before", {join({hex("00 13 82 86 55"), kRead1})}, false, {kRead1}, 0},
        {"one byte at a time", oneByteChunks(kWrite193), false, {kWrite193}, 0},
        {"split inside the header", {Bytes(kRead33.begin(), kRead33.begin() + 9), Bytes(kRead33.begin() + 9, kRead33.end())},
         false, {kRead33}, 0},
        {"delimiter-like data", {kRead33}, false, {kRead33}, 0},
        {"bad checksum dropped", {withBadChecksum(kRead1)}, false, {}, 1},
        {"bad checksum then good", {join({withBadChecksum(kWrite193), kRead1})}, false, {kRead1}, 1},
        {"five preamble bytes", {join({hex("FF FF"), kRead1})}, false, {join({hex("FF FF"), kRead1})}, 0},
        {"two preamble bytes", {Bytes(kRead1.begin() + 1, kRead1.end())}, false, {Bytes(kRead1.begin() + 1, kRead1.end())}, 0},
        {"one preamble byte is not heard", {Bytes(kRead1.begin() + 2, kRead1.end())}, false, {}, 0},
        {"address bytes not FF", {join({hex("FF FF 82 FF 00 FF FF 00 01 00 81"), kRead1})}, false, {kRead1}, 0},
        {"byte count too large", {join({hex("FF FF 82 FF FF FF FF 00 01 19"), kRead1})}, false, {kRead1}, 0},
        // A false start that claims 16 data bytes swallows the real request until the line falls quiet.
        {"false start waits", {join({hex("FF FF 82 FF FF FF FF 05 01 10"), kRead1})}, false, {}, 0},
        {"false start given up when idle", {join({hex("FF FF 82 FF FF FF FF 05 01 10"), kRead1})}, true, {kRead1}, 0},
        {"incomplete frame stays incomplete when idle", {Bytes(kRead1.begin(), kRead1.end() - 1)}, true, {}, 0},
    };
}

} // namespace

TEST(RequestParser, CutsFramesOutOfTheByteStream)
{
    for (const ParseCase &c : parseCases()) {
        SCOPED_TRACE(c.name);
        sim::RequestParser parser;
        std::vector<Bytes> got;
        for (const Bytes &chunk : c.chunks)
            for (const sim::RequestFrame &f : parser.feed(chunk.data(), chunk.size()))
                got.push_back(f.bytes);
        if (c.lineGoesIdle)
            for (const sim::RequestFrame &f : parser.lineIdle())
                got.push_back(f.bytes);
        ASSERT_EQ(got.size(), c.expected.size());
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(toHex(got[i]), toHex(c.expected[i]));
        EXPECT_EQ(parser.badChecksums(), c.badChecksums);
    }
}

TEST(RequestParser, TakesAddressCommandAndDataApart)
{
    sim::RequestParser parser;
    const Bytes frame = request(0xC8, 190, hex("02 40 20 00 00 3F 00 00 00"));
    const auto frames = parser.feed(frame.data(), frame.size());
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].address, 0xC8);
    EXPECT_EQ(frames[0].command, 190);
    EXPECT_EQ(toHex(frames[0].data), "02 40 20 00 00 3F 00 00 00");
    EXPECT_FALSE(parser.holdsPartialFrame());
}

TEST(RequestParser, KeepsListeningAfterAnIdleLine)
{
    sim::RequestParser parser;
    const Bytes noise = hex("13 FF FF 82 FF");
    EXPECT_TRUE(parser.feed(noise.data(), noise.size()).empty());
    EXPECT_TRUE(parser.holdsPartialFrame());
    EXPECT_TRUE(parser.lineIdle().empty());
    EXPECT_FALSE(parser.holdsPartialFrame());
    EXPECT_EQ(parser.feed(kRead1.data(), kRead1.size()).size(), 1u);
}

TEST(AnswerFrame, LayoutLengthAndChecksum)
{
    struct Case {
        uint8_t address, command, status0, status1;
        Bytes payload;
        const char *expected;
    } cases[] = {
        {0, 1, 0, 0, hex("01 42 C8 00 00"), "FF FF FF 86 FF FF FF FF 00 01 05 00 00 01 42 C8 00 00 09"},
        {7, 162, 0, 0, {}, "FF FF FF 86 FF FF FF FF 07 A2 00 00 00 23"},
        {1, 34, 5, 8, {}, "FF FF FF 86 FF FF FF FF 01 22 00 05 08 A8"},
    };
    for (const Case &c : cases) {
        const Bytes got = sim::buildAnswer(c.address, c.command, c.status0, c.status1, c.payload);
        EXPECT_EQ(toHex(got), c.expected);
        EXPECT_EQ(got.size(), c.payload.size() + 14);
    }
    const Bytes longest = sim::buildAnswer(3, 33, 0, 0, Bytes(36, 0x5A));
    EXPECT_EQ(longest.size(), 50u);
    EXPECT_EQ(longest.back(), xorRange(longest, 3, longest.size() - 1));
}

TEST(AnswerFrame, FloatsTravelMostSignificantByteFirst)
{
    const struct {
        float value;
        const char *bytes;
    } cases[] = {{100.0f, "42 C8 00 00"}, {1.5f, "3F C0 00 00"}, {-0.5f, "BF 00 00 00"}, {0.1f, "3D CC CC CD"},
                 {0.0f, "00 00 00 00"}, {4000.0f, "45 7A 00 00"}};
    for (const auto &c : cases) {
        Bytes out{0xEE};
        sim::appendFloat(out, c.value);
        EXPECT_EQ(toHex(Bytes(out.begin() + 1, out.end())), c.bytes);
        EXPECT_EQ(sim::floatAt(out, 1), c.value);
    }
}
