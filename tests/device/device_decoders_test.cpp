#include "device/device_decoders.h"
#include "gauge/answer_fields.h"
#include "support/answer_frame.h"
#include "widgets/display_colours.h"
#include "support/test_printers.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

using test::MakeAnswer;
using test::Payload;

QString U(const char *utf8) { return QString::fromUtf8(utf8); }

TEST(DeviceDecoders, IntegerPartIsCutAtTheSeparator)
{
    const struct {
        const char *text;
        const char *part;
    } cases[] = {{"4000,0000000", "4000"}, {"4095,5000000", "4095"}, {"-0,5000000", "-0"},
                 {"123,7500000", "123"},   {"NAN", ""},              {"1,234568e+08", "1"}};
    for (const auto &c : cases)
        EXPECT_EQ(IntegerPartText(U(c.text), QLatin1Char(',')), U(c.part)) << c.text;
}

TEST(DeviceDecoders, DacCodesAndDeviceInfoShowIntegerParts)
{
    const struct {
        float lower;
        float upper;
        const char *lowerShown;
        const char *upperShown;
    } cases[] = {{50.0f, 4000.0f, "50", "4000"}, {4095.5f, -0.5f, "4095", "-0"}, {123.75f, 2010.0f, "123", "2010"}};
    for (const auto &c : cases) {
        const auto a = MakeAnswer(0, 147, Payload().Float(c.lower).Float(c.upper));
        const DacCodesAnswer read = DecodeReadDacCodes(a.View());
        EXPECT_EQ(read.rows, (ResultRows{{U("Код ЦАП для нижнего предела тока"), U(c.lowerShown)},
                                         {U("Код ЦАП для верхнего предела тока"), U(c.upperShown)}}));
        EXPECT_EQ(read.edits.lower, U(c.lowerShown));
        EXPECT_EQ(read.edits.upper, U(c.upperShown));

        const DacCodesAnswer written = DecodeWriteDacCodes(a.View());
        EXPECT_EQ(written.rows[0].parameter, U("Записан код ЦАП для нижнего предела тока"));
        EXPECT_EQ(written.rows[1].parameter, U("Записан код ЦАП для верхнего предела тока"));
        EXPECT_EQ(written.edits.upper, U(c.upperShown));

        const DeviceInfoAnswer info = DecodeDeviceInfo(a.View());
        EXPECT_EQ(info.rows, (ResultRows{{U("Заводской номер"), U(c.lowerShown)}, {U("Год изготовления"), U(c.upperShown)}}));
        EXPECT_EQ(info.edits.serialNumber, U(c.lowerShown));
        EXPECT_EQ(info.edits.year, U(c.upperShown));
    }
    // 4000 as the gauge sends it.
    EXPECT_EQ(DecodeReadDacCodes(MakeAnswer(0, 147, {0, 0, 0, 0, 0x45, 0x7A, 0x00, 0x00}).View()).edits.upper, U("4000"));
}

TEST(DeviceDecoders, BytesBeyondAShortAnswerReadAsZero)
{
    // A 174 answer carrying only the serial number: the year's bytes lie beyond the frame, and the
    // checksum right after the last data byte must not be read as the year's first byte.
    const struct {
        float serial;
        const char *yearShown;
    } cases[] = {{1234.0f, "0"}, {-3.0f, "0"}, {98765.0f, "0"}};
    for (const auto &c : cases) {
        const auto a = MakeAnswer(0, 174, Payload().Float(c.serial));
        ASSERT_NE(a.bytes.back(), 0) << c.serial;
        const DeviceInfoAnswer info = DecodeDeviceInfo(a.View());
        EXPECT_EQ(info.edits.year, U(c.yearShown)) << c.serial;
        EXPECT_EQ(AnswerByte(a.View(), 5), a.bytes[a.bytes.size() - 2]) << c.serial;
        EXPECT_EQ(AnswerByte(a.View(), 6), 0) << c.serial;
    }
}

TEST(DeviceDecoders, CodeTables)
{
    const struct {
        ResultRows rows;
        ResultRowTexts expected;
    } cases[] = {
        {DecodePressureKind(MakeAnswer(0, 152, {1}).View()), {U("Вид измеряемого давления"), U("избыточное")}},
        {DecodePressureKind(MakeAnswer(0, 152, {2}).View()), {U("Вид измеряемого давления"), U("давление-разрежение")}},
        {DecodePressureKind(MakeAnswer(0, 152, {3}).View()), {U("Вид измеряемого давления"), U("разрежение")}},
        {DecodePressureKind(MakeAnswer(0, 152, {4}).View()), {U("Вид измеряемого давления"), U("абсолютное")}},
        {DecodePressureKind(MakeAnswer(0, 152, {5}).View()), {U("Вид измеряемого давления"), QString()}},
        {DecodePressureKind(MakeAnswer(0, 152, {0}).View()), {U("Вид измеряемого давления"), QString()}},
        {DecodeCurrentRangeReport(MakeAnswer(0, 156, {0}).View()), {U("Задан диапазон токового выходного сигнала"), U("(4...20) мА")}},
        {DecodeCurrentRangeReport(MakeAnswer(0, 156, {1}).View()), {U("Задан диапазон токового выходного сигнала"), U("(0...5) мА")}},
        {DecodeCurrentRangeReport(MakeAnswer(0, 156, {2}).View()), {U("Диапазон токового выходного сигнала"), U("не задан")}},
        {DecodeSaveParameters(MakeAnswer(0, 162, {}).View()), {U("Сохранение параметров ЗАП"), U("выполнено")}},
        {DecodeSetPressureUnit(MakeAnswer(0, 178, {2}).View()), {U("Задана единица измерений"), U("МПа")}},
        {DecodeSetPressureUnit(MakeAnswer(0, 178, {0}).View()), {U("Единица измерений"), U("не задана")}},
        {DecodeBackupCopy(MakeAnswer(0, 195, {0}).View()), {U("Резервная копия"), U("Создана")}},
        {DecodeBackupCopy(MakeAnswer(0, 195, {0xFF}).View()), {U("Резервная копия"), U("Не создана")}},
        {DecodeBackupCopy(MakeAnswer(0, 195, {1}).View()), {U("Резервная копия"), QString()}},
        {DecodeRestoreSettings(MakeAnswer(0, 196, {0}).View()), {U("Заводские настройки"), U("Восстановлены")}},
        {DecodeRestoreSettings(MakeAnswer(0, 196, {0xFF}).View()), {U("Заводские настройки"), U("Не восстановлены")}},
        {DecodeRestoreSettings(MakeAnswer(0, 196, {1}).View()), {U("Заводские настройки"), QString()}},
        {DecodeMaxRatioReport(MakeAnswer(0, 150, {0x40, 0xA0, 0, 0}).View()),
         {U("максимальный коэффициент перестройки диапазона измерений"), U("5,0000000")}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.rows, (ResultRows{c.expected}));

    const struct {
        std::uint8_t code;
        const char *combo;
        const char *value;
    } ranges[] = {{0, "(4...20) мА", "(4...20) мА"}, {1, "(0...5) мА", "(0...5) мА"}, {2, "", "не задан"}};
    for (const auto &r : ranges) {
        const CurrentRangeAnswer a = DecodeReadCurrentRange(MakeAnswer(0, 157, {r.code}).View());
        EXPECT_EQ(a.rows, (ResultRows{{U("Диапазон токового выходного сигнала"), U(r.value)}}));
        EXPECT_EQ(a.rangeText, U(r.combo));
    }
}

Payload SignalUnitsPayload(std::uint8_t u1, std::uint8_t u2, std::uint8_t u3)
{
    Payload p;
    p.Byte(0x77).Float(5.5f).Byte(u1).Float(20.0f).Byte(u2).Float(80.0f).Byte(u3).Float(1.0f);
    return p;
}

TEST(DeviceDecoders, SignalDeviceInUnitsSetsCaptionsOnlyForNamedCodes)
{
    const struct {
        std::array<std::uint8_t, 3> codes;
        std::array<std::optional<QString>, 3> captions;
    } cases[] = {
        {{1, 1, 2}, {U("кгс/см2"), U("кгс/см2"), U("МПа")}},
        {{2, 2, 2}, {U("МПа"), U("МПа"), U("МПа")}},
        {{0, 9, 10}, {std::nullopt, U("Bar"), std::nullopt}},
    };
    for (const auto &c : cases) {
        const auto a = MakeAnswer(0, 181, SignalUnitsPayload(c.codes[0], c.codes[1], c.codes[2]));
        const SignalDeviceAnswer s = DecodeSignalDeviceUnitsRead(a.View());
        EXPECT_EQ(s.dialog.setPoint1Unit, c.captions[0]);
        EXPECT_EQ(s.dialog.setPoint2Unit, c.captions[1]);
        EXPECT_EQ(s.dialog.hysteresisUnit, c.captions[2]);
        EXPECT_EQ(s.rows, (ResultRows{{U("Исполнение сигнализирующего устройства"), U("5")},
                                      {U("Значение нижнего порога давления (уставка 1)"), U("20,0000000")},
                                      {U("Значение верхнего порога давления(уставка 2)"), U("80,0000000")},
                                      {U("Значение гистерезиса уставок"), U("1,0000000")}}));
        EXPECT_EQ(s.dialog.execution, U("5"));
        EXPECT_EQ(s.dialog.hysteresis, U("1,0000000"));
    }
}

TEST(DeviceDecoders, SignalDevicePercentAndWriteConfirmations)
{
    const auto a = MakeAnswer(0, 187, Payload().Float(3.0f).Float(20.0f).Float(80.0f).Float(1.5f));
    const SignalDeviceAnswer read = DecodeSignalDevicePercentRead(a.View());
    EXPECT_EQ(read.rows, (ResultRows{{U("Исполнение сигнализирующего устройства"), U("3")},
                                     {U("Значение нижнего порога давления (уставка 1), %"), U("20,0000000")},
                                     {U("Значение верхнего порога давления(уставка 2), %"), U("80,0000000")},
                                     {U("Значение гистерезиса уставок, %"), U("1,5000000")}}));
    EXPECT_EQ(read.dialog.setPoint1Unit, U("%"));
    EXPECT_EQ(read.dialog.setPoint2Unit, U("%"));
    EXPECT_EQ(read.dialog.hysteresisUnit, U("%"));

    for (const SignalDeviceAnswer &w : {DecodeSignalDevicePercentWritten(a.View()), DecodeSignalDeviceUnitsWritten(a.View())}) {
        EXPECT_EQ(w.rows.size(), 4u);
        EXPECT_EQ(w.dialog.setPoint2, U("80,0000000"));
        EXPECT_FALSE(w.dialog.setPoint1Unit);
        EXPECT_FALSE(w.dialog.setPoint2Unit);
        EXPECT_FALSE(w.dialog.hysteresisUnit);
    }
    EXPECT_EQ(DecodeSignalDeviceUnitsWritten(a.View()).rows[1].parameter, U("Значение нижнего порога давления (уставка 1)"));
    EXPECT_EQ(DecodeSignalDevicePercentWritten(a.View()).rows[3].parameter, U("Значение гистерезиса уставок, %"));
}

TEST(DeviceDecoders, ReRangingRejections)
{
    const struct {
        int command;
        std::uint8_t code;
        std::optional<QString> message;
    } cases[] = {
        {190, 1, U("Дальнейшая перестройка ограничена")},
        {190, 2, U("Единицы измерений указаны не верно")},
        {190, 3, U("Нижний предел вне диапазона измерений")},
        {190, 4, U("Верхний предел вне диапазона измерений")},
        {190, 7, std::nullopt},
        {190, 0, std::nullopt},
        {191, 1, U("Дальнейшая перестройка ограничена")},
        {191, 3, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.command * 1000 + c.code);
        const auto a = MakeAnswer(0, static_cast<std::uint8_t>(c.command), {c.code});
        const SubRangeAnswer r = c.command == 190 ? DecodeSubRangeByLimits(a.View()) : DecodeSubRangeByRatio(a.View());
        EXPECT_EQ(r.rows, (ResultRows{ResultRowTexts{}}));   // one row, no texts
        const std::optional<LabelMessage> &label =
            c.command == 190 ? r.dialog.labelError : r.dialog.labelErrorKoeffPodDiap;
        ASSERT_TRUE(label);
        EXPECT_EQ(label->colour, QColor(255, 0, 0));
        EXPECT_EQ(label->text, c.message);
        EXPECT_FALSE(r.dialog.labelText);
    }
}

TEST(DeviceDecoders, ReRangingSuccess)
{
    const struct {
        std::uint8_t unit;
        const char *suffix;
        const char *labelText;
    } cases[] = {{2, ", МПа", " (0,5000000 ... 2,5000000) МПа"}, {0, "", " (0,5000000 ... 2,5000000) "}};
    for (const auto &c : cases) {
        const auto a = MakeAnswer(0, 191, Payload().Byte(c.unit).Float(2.5f).Float(0.5f));
        const ResultRows rows{{U("Перестроились на верхнее значение поддиапазона") + U(c.suffix), U("2,5000000")},
                              {U("Перестроились на нижнее значение поддиапазона") + U(c.suffix), U("0,5000000")}};
        const SubRangeAnswer byRatio = DecodeSubRangeByRatio(a.View());
        EXPECT_EQ(byRatio.rows, rows);
        ASSERT_TRUE(byRatio.dialog.labelErrorKoeffPodDiap);
        EXPECT_EQ(byRatio.dialog.labelErrorKoeffPodDiap->text, U("Перестроились на поддиапазон"));
        EXPECT_EQ(byRatio.dialog.labelErrorKoeffPodDiap->colour, QColor(0, 128, 0));
        EXPECT_EQ(byRatio.dialog.labelText, U(c.labelText));

        const SubRangeAnswer byLimits = DecodeSubRangeByLimits(a.View());
        EXPECT_EQ(byLimits.rows, rows);
        ASSERT_TRUE(byLimits.dialog.labelError);
        EXPECT_EQ(byLimits.dialog.labelError->text, U("Перестроились на поддиапазон"));
        EXPECT_EQ(byLimits.dialog.labelError->colour, QColor(0, 128, 0));
        EXPECT_FALSE(byLimits.dialog.labelText);
        EXPECT_FALSE(byLimits.dialog.subRangeGroup);   // the sub-range edits stay as typed
    }
}

TEST(DeviceDecoders, RatioReads)
{
    const auto a = MakeAnswer(0, 192, {0x40, 0xA0, 0x00, 0x00});
    const SubRangeAnswer current = DecodeReadSubRangeRatio(a.View());
    EXPECT_EQ(current.rows, (ResultRows{{U("Соотношение поддиапазона измерений к основному"), U("5,0000000")}}));
    EXPECT_EQ(current.dialog.editKoeffPoddiap, U("5,0000000"));
    ASSERT_TRUE(current.dialog.labelErrorKoeffPodDiap);
    EXPECT_EQ(current.dialog.labelErrorKoeffPodDiap->text, U("Считали"));
    EXPECT_EQ(current.dialog.labelErrorKoeffPodDiap->colour, QColor(0, 128, 0));

    const SubRangeAnswer limit = DecodeReadMaxRatio(a.View());
    EXPECT_EQ(limit.rows, (ResultRows{{U("Считан макс. коэфф. перестройки диапазона измерений"), U("5,0000000")}}));
    EXPECT_EQ(limit.dialog.editKoeffOsndiap, U("5,0000000"));
    EXPECT_FALSE(limit.dialog.labelError);
    EXPECT_FALSE(limit.dialog.labelErrorKoeffPodDiap);
}

TEST(DeviceDecoders, ResponseDelayIsLimitedOnTheTrackBarOnly)
{
    const struct {
        std::uint8_t delay;
        int position;
        const char *shown;
    } cases[] = {{255, 250, "255"}, {250, 250, "250"}, {120, 120, "120"}, {0, 0, "0"}};
    for (const auto &c : cases) {
        const ResponseDelayAnswer read = DecodeResponseDelayRead(MakeAnswer(0, 194, {c.delay}).View());
        EXPECT_EQ(read.rows, (ResultRows{{U("Считали длительность задержки, мс"), U(c.shown)}}));
        EXPECT_EQ(read.dialog.trackBarPosition, c.position);
        EXPECT_EQ(read.dialog.delayCaption, U(c.shown) + U(" мс"));

        const ResponseDelayAnswer written = DecodeResponseDelayWritten(MakeAnswer(0, 193, {c.delay}).View());
        EXPECT_EQ(written.rows, (ResultRows{{U("Записали длительность задержки, мс"), U(c.shown)}}));
        EXPECT_EQ(written.dialog.trackBarPosition, c.position);
        EXPECT_FALSE(written.dialog.delayCaption);
    }
}

} // namespace
} // namespace orv
