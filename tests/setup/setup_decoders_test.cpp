#include "support/answer_frame.h"
#include "widgets/display_colours.h"
#include "setup/setup_decoders.h"
#include "support/test_printers.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

using test::MakeAnswer;
using test::Payload;

QString U(const char *utf8) { return QString::fromUtf8(utf8); }

TEST(SetupDecoders, AnswerFrameHelperMatchesTheWire)
{
    const auto a = MakeAnswer(0, 1, {0x01, 0x42, 0xC8, 0x00, 0x00});
    EXPECT_EQ(a.bytes, (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x86, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01,
                                                  0x05, 0x00, 0x00, 0x01, 0x42, 0xC8, 0x00, 0x00, 0x09}));
}

TEST(SetupDecoders, PrimaryVariableNamesTheUnitWhenItHasOne)
{
    const struct {
        std::uint8_t unit;
        std::vector<std::uint8_t> value;
        const char *name;
        const char *shown;
    } cases[] = {
        {2, {0x3F, 0x80, 0x00, 0x00}, "Давление, МПа", "1,0000000"},
        {1, {0x42, 0xC8, 0x00, 0x00}, "Давление, кгс/см2", "100,0000000"},
        {0, {0x3F, 0x80, 0x00, 0x00}, "Давление", "1,0000000"},
        {10, {0xBF, 0x00, 0x00, 0x00}, "Давление", "-0,5000000"},
    };
    for (const auto &c : cases) {
        std::vector<std::uint8_t> payload{c.unit};
        payload.insert(payload.end(), c.value.begin(), c.value.end());
        const ResultRows rows = DecodePrimaryVariable(MakeAnswer(0, 1, payload).View());
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0], (ResultRowTexts{U(c.name), U(c.shown)}));
    }
}

TEST(SetupDecoders, CurrentAndVariablesFillFiveRowsWithAShortTemperature)
{
    const struct {
        float temperature;
        const char *shown;
    } temperatures[] = {{23.456f, "23,45"}, {-5.5f, "-5,50"}, {100.0f, "100,0"}, {0.0f, "0,000"}};
    for (const auto &t : temperatures) {
        const auto a = MakeAnswer(3, 3, Payload().Float(12.5f).Float(0.25f).Float(1523.5f).Float(-311.75f).Float(t.temperature));
        const ResultRows rows = DecodeCurrentAndVariables(a.View());
        ASSERT_EQ(rows.size(), 5u);
        EXPECT_EQ(AdditionalRows(rows), 4);
        EXPECT_EQ(rows[0], (ResultRowTexts{U("Ток, мА "), U("12,5000000")}));
        EXPECT_EQ(rows[1], (ResultRowTexts{U("Давление "), U("0,2500000")}));
        EXPECT_EQ(rows[2], (ResultRowTexts{U("Um, код АЦП "), U("1523,5000000")}));
        EXPECT_EQ(rows[3], (ResultRowTexts{U("Udif, код АЦП "), U("-311,7500000")}));
        EXPECT_EQ(rows[4].value, U(t.shown));
    }
    // The temperature row's unit is written with a Cyrillic Es and the name ends with a blank.
    const ResultRows rows = DecodeCurrentAndVariables(MakeAnswer(0, 3, Payload().Float(0).Float(0).Float(0).Float(0).Float(0)).View());
    EXPECT_EQ(rows[4].parameter, QString::fromUtf16(u"t \u043C\u0438\u043A\u0440\u043E\u043F\u0440\u043E\u0446\u0435\u0441\u0441\u043E\u0440\u0430,\u00B0\u0421 "));
}

// Four variable blocks: code, unit byte, single.
std::vector<std::uint8_t> VariablesPayload(const std::array<std::uint8_t, 4> &codes,
                                           const std::array<std::uint8_t, 4> &units,
                                           const std::array<float, 4> &values)
{
    Payload p;
    for (int i = 0; i < 4; ++i)
        p.Byte(codes[i]).Byte(units[i]).Float(values[i]);
    return p;
}

TEST(SetupDecoders, DeviceVariablesNameSuffixAndFormatPerList)
{
    VariableSelection s;
    s.requestedCodes = {0, 4, 6, 11};
    s.selectedPositions = {1, 5, 6, 11};
    const struct {
        float modification;
        const char *shown;
    } modifications[] = {{2.0f, "КВ-310Б"}, {5.0f, "5,0000000"}, {0.0f, "0,0000000"}, {1.0f, "КВ-310А"}};
    for (const auto &m : modifications) {
        const auto a = MakeAnswer(1, 33, VariablesPayload({0, 4, 6, 11}, {2, 2, 2, 2}, {1.5f, 23.456f, 10.0f, m.modification}));
        const DeviceVariablesAnswer d = DecodeDeviceVariables(a.View(), s, RangeReadTarget::None);
        ASSERT_EQ(d.rows.size(), 4u);
        EXPECT_EQ(d.rows[0], (ResultRowTexts{U("1. Давление, МПа"), U("1,5000000")}));
        EXPECT_EQ(d.rows[1], (ResultRowTexts{U("5. Температура микропроцессора") + QString::fromUtf16(u", \u00B0C"), U("23,45")}));
        EXPECT_EQ(d.rows[2], (ResultRowTexts{U("6. Число измерений при усреднении"), U("10")}));
        EXPECT_EQ(d.rows[3], (ResultRowTexts{U("11. Модификация прибора"), U(m.shown)}));
        EXPECT_FALSE(d.subRange);
        EXPECT_FALSE(d.mainRange);
        EXPECT_EQ(d.nextTarget, RangeReadTarget::None);
    }
}

TEST(SetupDecoders, RangeReadFillsOnlyTheTargetGroup)
{
    VariableSelection s;   // the lists at their initial "1. Давление": pressure suffix, fixed format
    s.requestedCodes = {8, 7, 10, 9};
    const auto a = MakeAnswer(0, 33, VariablesPayload({8, 7, 10, 9}, {2, 2, 0, 3}, {0.5f, 2.5f, 0.0f, 6.0f}));

    const DeviceVariablesAnswer sub = DecodeDeviceVariables(a.View(), s, RangeReadTarget::SubRange);
    EXPECT_EQ(sub.rows[0], (ResultRowTexts{U("8. Pmin поддиапазона, МПа"), U("0,5000000")}));
    EXPECT_EQ(sub.rows[1], (ResultRowTexts{U("7. Pmax поддиапазона, МПа"), U("2,5000000")}));
    EXPECT_EQ(sub.rows[2], (ResultRowTexts{U("10. Pmin основного диапазона"), U("0,0000000")}));
    EXPECT_EQ(sub.rows[3], (ResultRowTexts{U("9. Pmax основного диапазона, кПа"), U("6,0000000")}));
    ASSERT_TRUE(sub.subRange);
    EXPECT_EQ(sub.subRange->unitText, U("МПа"));
    EXPECT_EQ(sub.subRange->lowerLimit, U("0,5000000"));
    EXPECT_EQ(sub.subRange->upperLimit, U("2,5000000"));
    EXPECT_FALSE(sub.mainRange);
    EXPECT_EQ(sub.nextTarget, RangeReadTarget::None);

    const DeviceVariablesAnswer main = DecodeDeviceVariables(a.View(), s, RangeReadTarget::MainRange);
    EXPECT_FALSE(main.subRange);
    ASSERT_TRUE(main.mainRange);
    EXPECT_EQ(main.mainRange->unitText, QString());   // unit code 0 empties the combo box
    EXPECT_EQ(main.mainRange->lowerLimit, U("0,0000000"));
    EXPECT_EQ(main.mainRange->upperLimit, U("6,0000000"));
    EXPECT_EQ(main.nextTarget, RangeReadTarget::None);
}

TEST(SetupDecoders, FieldsBeyondAShortAnswerReadAsZero)
{
    // A command-33 answer with no payload, followed in memory by bytes that are not part of it.
    auto a = MakeAnswer(0, 33, {});
    const int length = static_cast<int>(a.bytes.size());
    a.bytes.insert(a.bytes.end(), 40, 0x42);
    const ResponseView view{a.bytes.data(), length};
    VariableSelection s;
    s.requestedCodes = {0, 0, 0, 0};
    const DeviceVariablesAnswer d = DecodeDeviceVariables(view, s, RangeReadTarget::SubRange);
    // Data byte 2 is the checksum position of this frame; everything after it is outside.
    EXPECT_EQ(d.rows[1], (ResultRowTexts{U("1. Давление"), U("0,0000000")}));
    EXPECT_EQ(d.subRange->upperLimit, U("0,0000000"));
}

TEST(SetupDecoders, UniversalWriteAnswers)
{
    EXPECT_EQ(DecodeWritePollingAddress(MakeAnswer(44, 6, {44}).View()),
              (ResultRows{{U("Записан адрес опроса "), U("44")}}));
    EXPECT_EQ(DecodeWriteAveraging(MakeAnswer(0, 34, {0x41, 0x20, 0x00, 0x00}).View()),
              (ResultRows{{U("Записано значение демпфирования"), U("10,0000000")}}));

    const QString ok = QString::fromUtf16(u"\u041Ek");   // Cyrillic O, Latin k
    const struct {
        std::uint8_t code;
        QString shown;
    } results[] = {{0x80, ok}, {0x00, U("Ошибка")}, {0x81, U("Ошибка")}, {0xFF, U("Ошибка")}};
    for (const auto &r : results) {
        EXPECT_EQ(DecodeZeroCorrection(MakeAnswer(0, 37, {r.code}).View()), (ResultRows{{U("Коррекция нуля"), r.shown}}));
        EXPECT_EQ(DecodeRangeCorrection(MakeAnswer(0, 36, {r.code}).View()),
                  (ResultRows{{U("Коррекция диапазона"), r.shown}}));
    }

    EXPECT_EQ(DecodeUnitSet(MakeAnswer(0, 44, {0}).View()), (ResultRows{{U("Единица измерений"), U("не задана")}}));
    EXPECT_EQ(DecodeUnitSet(MakeAnswer(0, 44, {10}).View()), (ResultRows{{U("Единица измерений"), U("не задана")}}));
    EXPECT_EQ(DecodeUnitSet(MakeAnswer(0, 44, {9}).View()), (ResultRows{{U("Задана единица измерений"), U("Bar")}}));
}

TEST(SetupDecoders, FixedCurrentRowsMarksAndLamps)
{
    const QString offValue = QString::fromUtf16(u"\u041E\u041A");   // both letters Cyrillic
    const FixedCurrentMarks none;
    const FixedCurrentMarks dacMin = MarksAfterPress(FixedCurrentButton::DacMin);
    const FixedCurrentMarks dacMax = MarksAfterPress(FixedCurrentButton::DacMax);
    const FixedCurrentMarks off = MarksAfterPress(FixedCurrentButton::Off);
    const QColor S = LampSilver(), L = LampLime();
    const struct {
        float value;
        FixedCurrentMarks marks;
        ResultRowTexts row;
        std::optional<std::array<QColor, 3>> lamps;
    } cases[] = {
        {-1.0f, off, {U("Режим фиксированного тока отключен"), offValue}, std::array<QColor, 3>{S, S, L}},
        {-1.0f, dacMin, {U("Режим фиксированного тока отключен"), offValue}, std::nullopt},
        {4.0f, dacMin, {U("Зафиксирован ток, мА"), U("4,0000000")}, std::array<QColor, 3>{L, S, S}},
        {20.0f, dacMax, {U("Зафиксирован ток, мА"), U("20,0000000")}, std::array<QColor, 3>{S, L, S}},
        {5.0f, off, {U("Зафиксирован ток, мА"), U("5,0000000")}, std::nullopt},
        {12.5f, none, {U("Зафиксирован ток, мА"), U("12,5000000")}, std::nullopt},
        {-1.0000001f, off, {U("Режим фиксированного тока отключен"), offValue}, std::array<QColor, 3>{S, S, L}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        const FixedCurrentAnswer f = DecodeFixedCurrent(MakeAnswer(0, 40, Payload().Float(c.value)).View(), c.marks);
        EXPECT_EQ(f.rows, (ResultRows{c.row}));
        ASSERT_EQ(f.currentOutput.lamps.has_value(), c.lamps.has_value());
        if (c.lamps) {
            EXPECT_EQ(f.currentOutput.lamps->shape1, (*c.lamps)[0]);
            EXPECT_EQ(f.currentOutput.lamps->shape2, (*c.lamps)[1]);
            EXPECT_EQ(f.currentOutput.lamps->shape3, (*c.lamps)[2]);
            EXPECT_EQ(f.currentOutput.marks, none);   // the confirmed mark is cleared
        } else {
            EXPECT_EQ(f.currentOutput.marks, c.marks);   // a disagreeing answer keeps the mark
        }
    }
}

TEST(SetupDecoders, FailedExchangeTurnsTheMarkedLampRed)
{
    const QColor S = LampSilver(), R = LampRed();
    const struct {
        FixedCurrentButton button;
        std::array<QColor, 3> lamps;
    } cases[] = {{FixedCurrentButton::DacMin, {R, S, S}},
                 {FixedCurrentButton::DacMax, {S, R, S}},
                 {FixedCurrentButton::Off, {S, S, R}}};
    for (const auto &c : cases) {
        const FixedCurrentOutcome o = FixedCurrentFailureOutcome(MarksAfterPress(c.button));
        ASSERT_TRUE(o.lamps);
        EXPECT_EQ(o.lamps->shape1, c.lamps[0]);
        EXPECT_EQ(o.lamps->shape2, c.lamps[1]);
        EXPECT_EQ(o.lamps->shape3, c.lamps[2]);
        EXPECT_EQ(o.marks, FixedCurrentMarks{});
    }
    EXPECT_FALSE(FixedCurrentFailureOutcome(FixedCurrentMarks{}).lamps);
}

} // namespace
} // namespace orv
