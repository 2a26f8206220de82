#include "link/trace_text.h"
#include "link/value_text.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cstring>

using namespace orv;

namespace {

FloatBytes BytesOf(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return {static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
            static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)};
}

QString Text(const FloatBytes &b, QChar separator = QLatin1Char(',')) {
    return FloatBytesToText(b[0], b[1], b[2], b[3], separator);
}

} // namespace

TEST(FloatBytesToText, FixedTextWithSevenDecimals)
{
    struct Case {
        FloatBytes bytes;
        const char *text;
    };
    const Case cases[] = {
        {{0x42, 0xC8, 0x00, 0x00}, "100,0000000"},
        {{0x3F, 0xC0, 0x00, 0x00}, "1,5000000"},
        {{0xBF, 0x00, 0x00, 0x00}, "-0,5000000"},
        {{0x00, 0x00, 0x00, 0x00}, "0,0000000"},
        {{0x80, 0x00, 0x00, 0x00}, "0,0000000"},          // negative zero
        {{0x3D, 0xCC, 0xCC, 0xCD}, "0,1000000"},          // 0.1 as a single
        {{0x3F, 0x80, 0x00, 0x00}, "1,0000000"},
        {{0x45, 0x7A, 0x00, 0x00}, "4000,0000000"},
        {BytesOf(0.25f), "0,2500000"},
        {BytesOf(1523.5f), "1523,5000000"},
        {BytesOf(12.0031f), "12,0031000"},
        {BytesOf(101.325f), "101,3250000"},
        {BytesOf(0.00012345678f), "0,0001235"},           // limited by seven decimals
        {BytesOf(0.00000004f), "0,0000000"},              // rounds away to nothing
        {BytesOf(0.00000006f), "0,0000001"},
        {BytesOf(9999999.0f), "9999999,0000000"},         // seven integer digits still fixed
        {BytesOf(-4095.5f), "-4095,5000000"},
        {BytesOf(12345678.0f), "1,234568e+07"},           // eight integer digits: exponent form
        {BytesOf(3.0e20f), "3,000000e+20"},
        {{0x7F, 0xC0, 0x00, 0x00}, "NAN"},
        {{0x7F, 0x80, 0x00, 0x00}, "INF"},
        {{0xFF, 0x80, 0x00, 0x00}, "-INF"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Text(c.bytes), QString::fromUtf8(c.text)) << c.text;
}

TEST(FloatBytesToText, SevenSignificantDigitsPadWithZeros)
{
    // 23.456 keeps its seven significant digits (23,45600) and the decimals are padded to seven.
    EXPECT_EQ(Text(BytesOf(23.456f)), QStringLiteral("23,4560000"));
}

TEST(FloatBytesToText, FollowsTheGivenSeparator)
{
    EXPECT_EQ(Text({0x3F, 0xC0, 0x00, 0x00}, QLatin1Char('.')), QStringLiteral("1.5000000"));
    EXPECT_EQ(FloatBytesToText(0x3F, 0xC0, 0x00, 0x00), QStringLiteral("1,5000000"));   // Russian default
}

TEST(TextToFloatBytes, AcceptedTexts)
{
    struct Case {
        const char *text;
        FloatBytes bytes;
    };
    const Case cases[] = {
        {"1.5", {0x3F, 0xC0, 0x00, 0x00}},
        {"1,5", {0x3F, 0xC0, 0x00, 0x00}},
        {"100", {0x42, 0xC8, 0x00, 0x00}},
        {"-0,5", {0xBF, 0x00, 0x00, 0x00}},
        {"0.1", {0x3D, 0xCC, 0xCC, 0xCD}},
        {"12,5", {0x41, 0x48, 0x00, 0x00}},
        {"12.5", {0x41, 0x48, 0x00, 0x00}},
        {"-1", {0xBF, 0x80, 0x00, 0x00}},
        {"10", {0x41, 0x20, 0x00, 0x00}},
        {" 4 ", {0x40, 0x80, 0x00, 0x00}},
        {"+2,5e1", {0x41, 0xC8, 0x00, 0x00}},
        {"2.5E-1", {0x3E, 0x80, 0x00, 0x00}},
        {"1,", {0x3F, 0x80, 0x00, 0x00}},
        {",5", {0x3F, 0x00, 0x00, 0x00}},
        {"16777217", {0x4B, 0x80, 0x00, 0x00}},           // ties to even
        {"1e-50", {0x00, 0x00, 0x00, 0x00}},              // underflow rounds to zero
    };
    for (const Case &c : cases) {
        QString error;
        const auto bytes = TextToFloatBytes(QString::fromUtf8(c.text), QLatin1Char(','), &error);
        ASSERT_TRUE(bytes.has_value()) << c.text << " " << error.toStdString();
        EXPECT_EQ(*bytes, c.bytes) << c.text;
    }
}

TEST(TextToFloatBytes, RejectedTextsNameTheConvertedText)
{
    struct Case {
        const char *text;
        const char *message;
    };
    const Case cases[] = {
        {"", "'' is not a valid floating point value"},
        {"abc", "'abc' is not a valid floating point value"},
        {"12.3.4", "'12,3.4' is not a valid floating point value"},
        {"1,2,3", "'1,2,3' is not a valid floating point value"},
        {"1e", "'1e' is not a valid floating point value"},
        {",", "',' is not a valid floating point value"},
        {"-", "'-' is not a valid floating point value"},
        {"5 мА", "'5 мА' is not a valid floating point value"},
        {"1e39", "'1e39' is not a valid floating point value"},          // beyond single range
        {"-3,5e38", "'-3,5e38' is not a valid floating point value"},
    };
    for (const Case &c : cases) {
        QString error;
        EXPECT_FALSE(TextToFloatBytes(QString::fromUtf8(c.text), QLatin1Char(','), &error).has_value()) << c.text;
        EXPECT_EQ(error, QString::fromUtf8(c.message));
    }
}

TEST(TextToFloatBytes, PointLocaleStillTakesThePoint)
{
    const auto bytes = TextToFloatBytes(QStringLiteral("1.5"), QLatin1Char('.'));
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, (FloatBytes{0x3F, 0xC0, 0x00, 0x00}));
    EXPECT_FALSE(TextToFloatBytes(QStringLiteral("1,5"), QLatin1Char('.')).has_value());
}

TEST(TextToFloatBytes, RoundTripsThroughTheFixedText)
{
    for (float v : {0.1f, 4.0f, 20.0f, -1.0f, 12.5f, 1523.5f, 0.0001f, 9999999.0f}) {
        const FloatBytes bytes = BytesOf(v);
        const auto back = TextToFloatBytes(Text(bytes), QLatin1Char(','));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, bytes) << v;
    }
}

TEST(TextToFloatBytes, SevenDigitsCannotNameEveryLargeSingle)
{
    // Found by fuzzing: near 1e28 singles lie 1,2e21 apart while the seventh digit counts 1e21,
    // so a display text may read back to the neighbouring single. It stays within the last digit.
    struct Case {
        float value;
        const char *shown;
        const char *shownAfterReadingBack;
    };
    const Case cases[] = {
        {1.0000001e28f, "1,000000e+28", "9,999999e+27"},
        {1.5f, "1,5000000", "1,5000000"},
        {12345678.0f, "1,234568e+07", "1,234568e+07"},
    };
    for (const Case &c : cases) {
        const FloatBytes bytes = BytesOf(c.value);
        EXPECT_EQ(Text(bytes), QString::fromUtf8(c.shown));
        const auto back = TextToFloatBytes(Text(bytes), QLatin1Char(','));
        ASSERT_TRUE(back.has_value()) << c.shown;
        EXPECT_EQ(Text(*back), QString::fromUtf8(c.shownAfterReadingBack));
    }
}

TEST(TextToInteger, Texts)
{
    struct Case {
        const char *text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"0", true, 0},       {"255", true, 255},   {"300", true, 300},         {" 12", true, 12},
        {"-7", true, -7},     {"+7", true, 7},      {"$FF", true, 255},         {"0x10", true, 16},
        {"05", true, 5},      {"", false, 0},       {"12 ", false, 0},          {"1.5", false, 0},
        {"abc", false, 0},    {"2147483647", true, 2147483647}, {"2147483648", false, 0},
        {"-2147483648", true, -2147483647 - 1}, {"٣", false, 0},
    };
    for (const Case &c : cases) {
        QString error;
        const auto value = TextToInteger(QString::fromUtf8(c.text), &error);
        EXPECT_EQ(value.has_value(), c.ok) << c.text;
        if (c.ok && value) {
            EXPECT_EQ(*value, c.value) << c.text;
        }
        if (!c.ok) {
            EXPECT_EQ(error, QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(c.text)));
        }
    }
}

TEST(GeneralNumberText, ShortestForm)
{
    const QChar comma(QLatin1Char(','));
    EXPECT_EQ(GeneralNumberText(QStringLiteral("10,0000000"), comma), QStringLiteral("10"));
    EXPECT_EQ(GeneralNumberText(QStringLiteral("0,5000000"), comma), QStringLiteral("0,5"));
    EXPECT_EQ(GeneralNumberText(QStringLiteral("-1,0000000"), comma), QStringLiteral("-1"));
    EXPECT_EQ(GeneralNumberText(QStringLiteral("4095,0000000"), comma), QStringLiteral("4095"));
    EXPECT_EQ(GeneralNumberText(QStringLiteral("NAN"), comma), QStringLiteral("NAN"));
}

TEST(TimeTexts, PaddingAndElapsedTime)
{
    EXPECT_EQ(PadMilliseconds(0), QStringLiteral("000"));
    EXPECT_EQ(PadMilliseconds(7), QStringLiteral("007"));
    EXPECT_EQ(PadMilliseconds(45), QStringLiteral("045"));
    EXPECT_EQ(PadMilliseconds(999), QStringLiteral("999"));

    // Minutes are not counted, so 1 min 2.5 s reads 2.500.
    EXPECT_EQ(ElapsedSecondsText(QTime(10, 0, 59, 800), QTime(10, 2, 2, 300)), QStringLiteral("2.500"));
    EXPECT_EQ(ElapsedSecondsText(QTime(10, 0, 0, 980), QTime(10, 0, 1, 25)), QStringLiteral("0.045"));
    EXPECT_EQ(ElapsedSecondsText(QTime(10, 0, 5, 100), QTime(10, 0, 5, 100)), QStringLiteral("0.000"));

    EXPECT_EQ(FirstByteTraceLine(QTime(14, 5, 8, 980), QTime(14, 5, 9, 25)),
              QStringLiteral("Время начала прихода сообщения: 14:05:09.025 (+0.045 сек)"));
    EXPECT_EQ(LongTimeText(QTime(7, 3, 9)), QStringLiteral("07:03:09"));
    EXPECT_EQ(ShortDateText(QDate(2024, 3, 7)), QStringLiteral("07.03.2024"));
    EXPECT_EQ(TimeStampText(QDateTime(QDate(2026, 12, 6), QTime(14, 3, 27, 45))),
              QStringLiteral("14:03:27.045 06.12.2026"));
}

TEST(TraceTexts, ByteLists)
{
    const std::uint8_t bytes[] = {255, 255, 255, 130};
    EXPECT_EQ(ByteListText(bytes, 4), QStringLiteral(" 255 255 255 130"));
    EXPECT_EQ(SpacedByteText(bytes, 3), QStringLiteral("255 255 255"));
    EXPECT_EQ(ByteListText(bytes, 0), QString());
}
