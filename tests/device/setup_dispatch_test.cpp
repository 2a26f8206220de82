#include "device/setup_dispatch.h"
#include "support/answer_frame.h"
#include "support/test_printers.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

using test::MakeAnswer;
using test::Payload;

SetupAnswer Decode(const test::AnswerFrame &frame, const SetupDecodeContext &context = {})
{
    const SetupDecoder decoder = FindSetupDecoder(frame.View().Command());
    EXPECT_NE(decoder, nullptr);
    return decoder ? decoder(frame.View(), context) : SetupAnswer{};
}

TEST(SetupDispatch, DecodersExistExactlyForTheAnsweredCommands)
{
    const std::vector<std::uint8_t> expected{1,   3,   6,   33,  34,  36,  37,  40,  44,  146, 147,
                                             150, 151, 152, 156, 157, 162, 173, 174, 178, 180, 181,
                                             186, 187, 190, 191, 192, 193, 194, 195, 196};
    EXPECT_EQ(SetupDecodedCommands(), expected);
    int found = 0;
    for (int command = 0; command < 256; ++command)
        found += FindSetupDecoder(static_cast<std::uint8_t>(command)) != nullptr;
    EXPECT_EQ(found, static_cast<int>(expected.size()));
    EXPECT_EQ(FindSetupDecoder(173), FindSetupDecoder(174));
    EXPECT_EQ(FindSetupDecoder(197), nullptr);
}

TEST(SetupDispatch, RowsPerAnswer)
{
    // Long enough payload for every layout.
    const std::vector<std::uint8_t> payload(26, 0x01);
    const struct {
        int command;
        int additionalRows;
    } cases[] = {{1, 0},   {3, 4},   {33, 3},  {6, 0},   {34, 0},  {36, 0},  {37, 0},  {40, 0},
                 {44, 0},  {146, 1}, {147, 1}, {150, 0}, {151, 0}, {152, 0}, {156, 0}, {157, 0},
                 {162, 0}, {173, 1}, {174, 1}, {178, 0}, {180, 3}, {181, 3}, {186, 3}, {187, 3},
                 {190, 1}, {191, 1}, {192, 0}, {193, 0}, {194, 0}, {195, 0}, {196, 0}};
    for (const auto &c : cases) {
        const SetupAnswer a = Decode(MakeAnswer(0, static_cast<std::uint8_t>(c.command), payload));
        EXPECT_EQ(AdditionalRows(a.rows), c.additionalRows) << c.command;
        EXPECT_FALSE(a.rows.empty()) << c.command;
    }
    // A rejection of 190 or 191 keeps to its one row.
    EXPECT_EQ(Decode(MakeAnswer(0, 190, {3})).rows.size(), 1u);
}

TEST(SetupDispatch, ContextReachesTheDecoders)
{
    SetupDecodeContext context;
    context.variables.requestedCodes = {8, 7, 10, 9};
    context.rangeReadTarget = RangeReadTarget::MainRange;
    Payload p;
    p.Byte(8).Byte(2).Float(0.5f).Byte(7).Byte(2).Float(2.5f).Byte(10).Byte(9).Float(0).Byte(9).Byte(9).Float(10);
    const SetupAnswer ranges = Decode(MakeAnswer(0, 33, p), context);
    EXPECT_EQ(ranges.rangeReadTarget, RangeReadTarget::None);
    ASSERT_TRUE(ranges.subRangeDialog);
    EXPECT_FALSE(ranges.subRangeDialog->subRangeGroup);
    ASSERT_TRUE(ranges.subRangeDialog->mainRangeGroup);
    EXPECT_EQ(ranges.subRangeDialog->mainRangeGroup->unitText, QStringLiteral("Bar"));
    EXPECT_EQ(ranges.subRangeDialog->mainRangeGroup->upperLimit, QStringLiteral("10,0000000"));

    context.rangeReadTarget = RangeReadTarget::None;
    const SetupAnswer plain = Decode(MakeAnswer(0, 33, p), context);
    EXPECT_EQ(plain.rangeReadTarget, RangeReadTarget::None);
    EXPECT_FALSE(plain.subRangeDialog);

    context.fixedCurrentMarks = MarksAfterPress(FixedCurrentButton::DacMax);
    const SetupAnswer fixed = Decode(MakeAnswer(0, 40, Payload().Float(20)), context);
    ASSERT_TRUE(fixed.fixedCurrent);
    ASSERT_TRUE(fixed.fixedCurrent->lamps);
    EXPECT_EQ(fixed.fixedCurrent->lamps->shape2, QColor(0, 255, 0));
    EXPECT_EQ(fixed.fixedCurrent->marks, FixedCurrentMarks{});

    context.decimalSeparator = QLatin1Char('.');
    EXPECT_EQ(Decode(MakeAnswer(0, 34, Payload().Float(2.5f)), context).rows.front().value,
              QStringLiteral("2.5000000"));
    EXPECT_EQ(Decode(MakeAnswer(0, 174, Payload().Float(123.75f).Float(2010)), context).deviceInfo->serialNumber,
              QStringLiteral("123"));
}

} // namespace
} // namespace orv
