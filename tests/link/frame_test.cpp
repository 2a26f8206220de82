#include "link/frame.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orv;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Answer(std::uint8_t address, std::uint8_t command, const Bytes &payload, int preamble = 3,
             std::uint8_t delimiter = ResponseDelimiter)
{
    Bytes frame(static_cast<std::size_t>(preamble), 0xFF);
    const Bytes head{delimiter, 0xFF, 0xFF, 0xFF, 0xFF, address, command,
                     static_cast<std::uint8_t>(payload.size()), 0x00, 0x00};
    frame.insert(frame.end(), head.begin(), head.end());
    frame.insert(frame.end(), payload.begin(), payload.end());
    std::uint8_t sum = 0;
    for (std::size_t i = static_cast<std::size_t>(preamble); i < frame.size(); ++i)
        sum ^= frame[i];
    frame.push_back(sum);
    return frame;
}

} // namespace

TEST(RequestFrame, MatchesTheProtocolBytes)
{
    EXPECT_EQ(MakeRequestFrame(0, 1, {}),
              (Bytes{0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x00, 0x83}));
    EXPECT_EQ(MakeRequestFrame(0, 196, {1, 1, 1, 1}),
              (Bytes{0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xC4, 0x04, 1, 1, 1, 1, 0x42}));
    EXPECT_EQ(MakeRequestFrame(0, 193, {120}),
              (Bytes{0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xC1, 0x01, 0x78, 0x3A}));

    Bytes data(16);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(0x11 * i + 3);
    const Bytes frame = MakeRequestFrame(200, 180, data);
    ASSERT_EQ(frame.size(), 28u);
    std::uint8_t sum = 0;
    for (std::size_t i = 3; i < 27; ++i)   // 24 bytes: delimiter through the last data byte
        sum ^= frame[i];
    EXPECT_EQ(frame[27], sum);
    // The four 0xFF address bytes cancel out of the checksum.
    std::uint8_t shortcut = 0x82 ^ 200 ^ 180 ^ 16;
    for (std::uint8_t b : data)
        shortcut ^= b;
    EXPECT_EQ(frame[27], shortcut);
}

struct CheckCase {
    const char *name;
    Bytes received;
    ResponseVerdict verdict;
    int repair;
    int frameLength;
};

class ResponseCheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ResponseCheckTest, Verdict)
{
    const CheckCase &c = GetParam();
    ResponseBufferArray buffer{};
    std::copy(c.received.begin(), c.received.end(), buffer.begin() + 1);
    int count = static_cast<int>(c.received.size());
    const ResponseCheck check = CheckResponse(buffer, count);
    EXPECT_EQ(check.verdict, c.verdict);
    EXPECT_EQ(check.preambleRepair, c.repair);
    EXPECT_EQ(check.frameLength, c.frameLength);
    EXPECT_EQ(count, static_cast<int>(c.received.size()) + c.repair);
    if (c.repair > 0) {
        for (int pos = 1; pos <= 3; ++pos)
            EXPECT_EQ(buffer[static_cast<std::size_t>(pos)], 0xFF);
        EXPECT_EQ(buffer[4], ResponseDelimiter);
    }
}

const Bytes Cmd1Answer{0xFF, 0xFF, 0xFF, 0x86, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01,
                       0x05, 0x00, 0x00, 0x01, 0x42, 0xC8, 0x00, 0x00, 0x09};

Bytes Drop(const Bytes &frame, int n) { return Bytes(frame.begin() + n, frame.end()); }

Bytes BadChecksum(Bytes frame)
{
    frame.back() ^= 0x01;
    return frame;
}

Bytes ElevenWithZeroCount()
{
    Bytes f{0xFF, 0xFF, 0xFF, 0x86, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x00};
    return f;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResponseCheckTest,
    ::testing::Values(
        CheckCase{"CommandOneFromTheExample", Cmd1Answer, ResponseVerdict::Accepted, 0, 19},
        CheckCase{"OnePreambleByteLost", Drop(Cmd1Answer, 1), ResponseVerdict::Accepted, 1, 19},
        CheckCase{"TwoPreambleBytesLost", Drop(Cmd1Answer, 2), ResponseVerdict::Accepted, 2, 19},
        CheckCase{"NoPreambleAtAll", Drop(Cmd1Answer, 3), ResponseVerdict::NoPreamble, 0, 0},
        CheckCase{"FivePreambleBytes", Answer(0, 1, {1, 0x42, 0xC8, 0, 0}, 5), ResponseVerdict::NoPreamble, 0, 0},
        CheckCase{"RequestDelimiter", Answer(0, 1, {1, 0x42, 0xC8, 0, 0}, 3, RequestDelimiter),
                  ResponseVerdict::NoPreamble, 0, 0},
        CheckCase{"ByteCountZeroIsFourteenBytes", Answer(7, 6, {}), ResponseVerdict::Accepted, 0, 14},
        CheckCase{"ElevenBytesWithCountZero", ElevenWithZeroCount(), ResponseVerdict::WrongLength, 0, 0},
        CheckCase{"TenBytes", Bytes(Cmd1Answer.begin(), Cmd1Answer.begin() + 10), ResponseVerdict::TooShort, 0, 0},
        CheckCase{"WrongChecksum", BadChecksum(Cmd1Answer), ResponseVerdict::WrongChecksum, 0, 0},
        CheckCase{"ByteCount36FillsTheBuffer", Answer(1, 33, Bytes(36, 0x5A)), ResponseVerdict::Accepted, 0, 50},
        // 50 bytes received plus two repaired preamble bytes would be a 52-byte frame that no
        // decoder could be handed; it is refused as a length fault.
        CheckCase{"RepairBeyondFiftyBytes", Drop(Answer(1, 33, Bytes(38, 0x5A)), 2), ResponseVerdict::WrongLength, 2,
                  0},
        CheckCase{"TruncatedAnswer", Bytes(Cmd1Answer.begin(), Cmd1Answer.end() - 1), ResponseVerdict::WrongLength, 0,
                  0}),
    [](const ::testing::TestParamInfo<CheckCase> &p) { return std::string(p.param.name); });

TEST(ResponseCheck, NothingReceived)
{
    ResponseBufferArray buffer{};
    buffer[1] = 0xFF;   // older bytes in the buffer are not looked at
    int count = 0;
    EXPECT_EQ(CheckResponse(buffer, count).verdict, ResponseVerdict::NothingReceived);
}
