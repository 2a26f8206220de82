// The survey file reader: which lines give points, with which value, unit, device and X.
#include "graph/locale_date_time_reader.h"
#include "graph/survey_file_reader.h"
#include "survey_test_files.h"

#include <QLocale>
#include <cstring>
#include <gtest/gtest.h>

namespace orv {
namespace {

const QLocale Russian(QLocale::Russian, QLocale::Russia);

SurveyGraphData Parse(const QString &text, DataAxisKind axis = DataAxisKind::Pressure,
                      TimeAxisKind time = TimeAxisKind::Time)
{
    return ParseSurveyBytes(test::ToWindows1251(text), axis, time, Russian);
}

const QString Cmd1 = QStringLiteral(
    "Addr: 5 ; Command: 1 ; Pressure: 101,3250000 kPa ; Time: 14:03:27.045 ; Date: 06.12.2026");
const QString Cmd3 = QStringLiteral(
    "Addr: 5 ; Command: 3 ; Iout: 12,0031000 mA ; Pressure: 0,5012000 ; Um: 1523,5000000 ; "
    "Udif: 311,7500000 ;  t_kristall: 24,56 °C ; Time: 14:03:27.345 ; Date: 06.12.2026");
// Command 33 with variables 1, 2, 3 and 5 requested (pressure in MPa).
const QString Cmd33 = QStringLiteral(
    "Addr: 7 ; Command: 33 ; 0. Pressure: 0,1013250 MPa ; 1. Iout: 4,5000000 mA ; 2. Um: 1500,2500000  ; "
    "4. t_kristall: 23,1250000 °C ; Time: 09:15:00.120 ; Date: 07.12.2026");

struct LineCase
{
    const char *name;
    QString line;
    DataAxisKind axis;
    double value;
    QString valueText;
    QString unit;
    QString address;
};

class ExampleLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(ExampleLines, GiveTheValueUnitAndAddressOfTheChosenVariable)
{
    const LineCase &c = GetParam();
    const SurveyGraphData d = Parse(c.line + QStringLiteral("\r\n"), c.axis);
    ASSERT_TRUE(d.conversionError.isEmpty()) << d.conversionError.toStdString();
    ASSERT_EQ(d.PointCount(), 1);
    EXPECT_DOUBLE_EQ(d.y[0], c.value);
    EXPECT_EQ(d.minimumText, c.valueText);
    EXPECT_EQ(d.maximumText, c.valueText);
    EXPECT_EQ(d.unit, c.unit);
    EXPECT_EQ(d.address, c.address);
    EXPECT_EQ(d.device, QStringLiteral("?"));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ExampleLines,
    ::testing::Values(
        LineCase{"cmd1_pressure", Cmd1, DataAxisKind::Pressure, 101.325, "101,3250000", "кПа", "5"},
        // The command-3 pressure piece has no unit, and "Pa" stands nowhere else in the line.
        LineCase{"cmd3_pressure", Cmd3, DataAxisKind::Pressure, 0.5012, "0,5012000", "", "5"},
        LineCase{"cmd3_current", Cmd3, DataAxisKind::Current, 12.0031, "12,0031000", "мА", "5"},
        LineCase{"cmd3_um", Cmd3, DataAxisKind::Um, 1523.5, "1523,5000000", "", "5"},
        LineCase{"cmd3_udif", Cmd3, DataAxisKind::Udif, 311.75, "311,7500000", "", "5"},
        LineCase{"cmd3_temperature", Cmd3, DataAxisKind::Temperature, 24.56, "24,56", "°C", "5"},
        // The key is found inside the variable's name "0. Pressure".
        LineCase{"cmd33_pressure", Cmd33, DataAxisKind::Pressure, 0.101325, "0,1013250", "МПа", "7"},
        LineCase{"cmd33_current", Cmd33, DataAxisKind::Current, 4.5, "4,5000000", "мА", "7"},
        LineCase{"cmd33_um", Cmd33, DataAxisKind::Um, 1500.25, "1500,2500000", "", "7"},
        LineCase{"cmd33_temperature", Cmd33, DataAxisKind::Temperature, 23.125, "23,1250000", "°C", "7"}),
    [](const auto &param) { return std::string(param.param.name); });

TEST(SurveyFileReader, VariableMissingFromTheLinesGivesNoPoints)
{
    // Command-1 lines carry no current: plotted as "Ток" the file has no usable line.
    const SurveyGraphData d = Parse(Cmd1 + QStringLiteral("\r\n"), DataAxisKind::Current);
    EXPECT_EQ(d.PointCount(), 0);
    EXPECT_TRUE(d.conversionError.isEmpty());
    EXPECT_TRUE(d.minimumText.isEmpty());
}

TEST(SurveyFileReader, PressureUnitIsTheFirstOfTheListPresentAnywhereInTheLine)
{
    const struct
    {
        QString piece;
        QString unit;
    } cases[] = {
        {"Pressure: 1,0 kgf/cm2 ; ", "кгс/см2"},
        {"Pressure: 1,0 MPa ; ", "МПа"},
        {"Pressure: 1,0 kPa ; ", "кПа"},
        {"Pressure: 1,0 Pa ; ", "Па"},
        {"Pressure: 1,0 kgf/m2 ; ", "кгс/м2"},
        {"Pressure: 1,0 atm ; ", "атм"},
        {"Pressure: 1,0 mm Hg ; ", "мм рт. ст."},
        {"Pressure: 1,0 mm H2O ; ", "мм вод. ст."},
        {"Pressure: 1,0 Bar ; ", "бар"},
        {"Pressure: 1,0  ; ", ""},
        // List order decides, not the place in the line.
        {"Pressure: 1,0 Pa ; note MPa ; ", "МПа"},
        {"Pressure: 1,0 kgf/m2 ; kgf/cm2 ; ", "кгс/см2"},
    };
    for (const auto &c : cases) {
        const SurveyGraphData d =
            Parse(QStringLiteral("Addr: 1 ; Command: 1 ; ") + c.piece +
                  QStringLiteral("Time: 10:00:00.000 ; Date: 06.12.2026\r\n"));
        EXPECT_EQ(d.unit, c.unit) << c.piece.toStdString();
        EXPECT_EQ(d.PointCount(), 1) << c.piece.toStdString();
    }
}

TEST(SurveyFileReader, FirstUnitFoundStaysEvenFromALineWithoutAPoint)
{
    const SurveyGraphData d = Parse(QStringLiteral("Прибор № 2 (адрес - 5) atm\r\n") +
                                    test::Command1Line(5, "1,0", "kPa", QTime(10, 0), QDate(2026, 12, 6)) +
                                    QStringLiteral("\r\n") +
                                    test::Command1Line(5, "2,0", "MPa", QTime(10, 0, 1), QDate(2026, 12, 6)));
    EXPECT_EQ(d.unit, QStringLiteral("атм"));
    EXPECT_EQ(d.device, QStringLiteral("2"));
}

TEST(SurveyFileReader, DeviceLabel)
{
    const struct
    {
        QString text;
        QString device;
    } cases[] = {
        {"Файл данных опроса от 14:03:27 06.12.2026\r\nПрибор № 3 (адрес - 5)\r\n", "3"},
        {"Файл данных опроса от 14:03:27 06.12.2026\r\n", "?"},
        // Without a blank after the number the label stays as it was.
        {"Прибор № 7\r\n", "?"},
        {"Прибор № 3 (адрес - 5)\r\nПрибор № 10 (адрес - 6)\r\n", "10"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Parse(c.text).device, c.device) << c.text.toStdString();
}

TEST(SurveyFileReader, MinimumAndMaximumKeepTheFirstOfEqualValues)
{
    const QDate day(2026, 12, 6);
    const QStringList values{"5,0", "3,0", "3,00", "7,5", "7,50", "4,0"};
    QStringList lines;
    for (int i = 0; i < values.size(); ++i)
        lines << test::Command1Line(1, values[i], "kPa", QTime(10, 0, i), day);
    const SurveyGraphData d = ParseSurveyBytes(test::SurveyFile(1, 1, lines), DataAxisKind::Pressure,
                                               TimeAxisKind::Time, Russian);
    EXPECT_EQ(d.PointCount(), 6);
    EXPECT_DOUBLE_EQ(d.minimum, 3.0);
    EXPECT_DOUBLE_EQ(d.maximum, 7.5);
    EXPECT_EQ(d.minimumText, QStringLiteral("3,0"));
    EXPECT_EQ(d.maximumText, QStringLiteral("7,5"));
}

TEST(SurveyFileReader, PointCapAtThirtyThousandUsableLines)
{
    for (const int lines : {MaxGraphPoints - 1, MaxGraphPoints, MaxGraphPoints + 1, MaxGraphPoints + 5}) {
        QStringList data = test::PressureSeries(5, lines, 100, "kPa", 1);
        // A value far above the rest at the end shows whether the last line was read.
        data.last() = test::Command1Line(5, "999,0", "kPa", QTime(23, 59, 59), QDate(2026, 12, 6));
        // Lines without a point do not count.
        data.insert(100, QStringLiteral("Addr: 5 ; Command: 1 ; no answer"));
        const SurveyGraphData d = ParseSurveyBytes(test::SurveyFile(1, 5, data), DataAxisKind::Pressure,
                                                   TimeAxisKind::Time, Russian);
        const bool over = lines > MaxGraphPoints;
        EXPECT_EQ(d.capped, over) << lines;
        EXPECT_EQ(d.PointCount(), std::min(lines, MaxGraphPoints)) << lines;
        EXPECT_EQ(d.maximum == 999.0, !over) << lines;
    }
}

TEST(SurveyFileReader, TimeAxisKindsGiveX)
{
    const QString text = test::Command1Line(1, "1,0", "kPa", QTime(23, 59, 58, 500), QDate(2026, 12, 6)) +
                         "\r\n" + test::Command1Line(1, "2,0", "kPa", QTime(0, 0, 1, 999), QDate(2026, 12, 7)) +
                         "\r\n" + test::Command1Line(1, "3,0", "kPa", QTime(8, 30, 0), QDate(2026, 12, 7)) + "\r\n";
    const double day6 = double(QDate(1970, 1, 1).daysTo(QDate(2026, 12, 6))) * MillisecondsPerDay;
    const double day7 = day6 + MillisecondsPerDay;
    const double t235958 = (23 * 3600 + 59 * 60 + 58) * 1000.0;
    const double t000001 = 1000.0;
    const double t0830 = 8.5 * 3600 * 1000;

    const SurveyGraphData dateTime = Parse(text, DataAxisKind::Pressure, TimeAxisKind::TimeAndDate);
    EXPECT_EQ(dateTime.x, (std::vector<double>{day6 + t235958, day7 + t000001, day7 + t0830}));
    EXPECT_EQ(dateTime.y, (std::vector<double>{1, 2, 3}));

    // All points of one day share one X; file order is kept among them.
    const SurveyGraphData date = Parse(text, DataAxisKind::Pressure, TimeAxisKind::Date);
    EXPECT_EQ(date.x, (std::vector<double>{day6, day7, day7}));
    EXPECT_EQ(date.y, (std::vector<double>{1, 2, 3}));

    // Time only: the day after midnight folds onto the first, and the line follows X.
    const SurveyGraphData time = Parse(text, DataAxisKind::Pressure, TimeAxisKind::Time);
    EXPECT_EQ(time.x, (std::vector<double>{t000001, t0830, t235958}));
    EXPECT_EQ(time.y, (std::vector<double>{2, 3, 1}));
}

TEST(SurveyFileReader, TextThatIsNotANumberTimeOrDateAbortsTheLoad)
{
    const QDate day(2026, 12, 6);
    const QString good = test::Command1Line(1, "1,0", "kPa", QTime(10, 0), day) + "\r\n";
    const struct
    {
        QString line;
        TimeAxisKind time;
        QString error;
    } cases[] = {
        {"Addr: 1 ; Command: 1 ; Pressure: 101.325 kPa ; Time: 10:00:01.000 ; Date: 06.12.2026",
         TimeAxisKind::Time, "'101.325' is not a valid floating point value"},
        {"Addr: 1 ; Command: 1 ; Pressure: 1,0 kPa ; Time: 25:00:01.000 ; Date: 06.12.2026",
         TimeAxisKind::Time, "'25:00:01' is not a valid time"},
        {"Addr: 1 ; Command: 1 ; Pressure: 1,0 kPa ; Time: 10:00:01.000 ; Date: 2026-12-06",
         TimeAxisKind::TimeAndDate, "'2026-12-06' is not a valid date"},
    };
    for (const auto &c : cases) {
        const SurveyGraphData d = Parse(good + c.line + "\r\n" + good, DataAxisKind::Pressure, c.time);
        EXPECT_EQ(d.conversionError, c.error);
        EXPECT_EQ(d.PointCount(), 0);
    }
    // Only the texts the chosen axis needs are read: a bad date is no error on a time axis.
    const SurveyGraphData timeOnly =
        Parse(good + "Addr: 1 ; Command: 1 ; Pressure: 1,0 kPa ; Time: 10:00:01.000 ; Date: 2026-12-06\r\n");
    EXPECT_TRUE(timeOnly.conversionError.isEmpty());
    EXPECT_EQ(timeOnly.PointCount(), 2);
}

TEST(SurveyFileReader, ReadingsWithoutAValueAreLeftOut)
{
    const QDate day(2026, 12, 6);
    const QString text = test::Command1Line(1, "NAN", "kPa", QTime(10, 0, 0), day) + "\r\n" +
                         test::Command1Line(1, "2,0", "kPa", QTime(10, 0, 1), day) + "\r\n" +
                         test::Command1Line(1, "-INF", "kPa", QTime(10, 0, 2), day) + "\r\n";
    const SurveyGraphData d = Parse(text);
    EXPECT_TRUE(d.conversionError.isEmpty());
    EXPECT_EQ(d.PointCount(), 1);
    EXPECT_EQ(d.missingValuesSkipped, 2);
    EXPECT_DOUBLE_EQ(d.minimum, 2.0);
}

// What a power cut or another editor leaves in a file that the program wrote.
TEST(SurveyFileReader, DamagedEndsAndOtherEncodings)
{
    const QStringList data = test::PressureSeries(9, 3, 100);
    const QByteArray whole = test::SurveyFile(4, 9, data);
    const QByteArray next = test::ToWindows1251(
        test::Command1Line(9, "105,0000000", "kPa", QTime(11, 0), QDate(2026, 12, 6)));
    QByteArray utf8 = (QStringLiteral("Файл данных опроса от 14:03:27 06.12.2026\r\nПрибор № 4 (адрес - 9)\r\n") +
                       data.join("\r\n") + "\r\n")
                          .toUtf8();
    const struct
    {
        const char *name;
        QByteArray bytes;
        int points;
        int damaged;
    } cases[] = {
        {"complete", whole, 3, 0},
        {"torn_in_value", whole + next.left(next.indexOf("Pressure: ") + 14), 3, 0},
        {"torn_in_time", whole + next.left(next.indexOf("Time: ") + 9), 3, 1},
        {"torn_in_date", whole + next.left(next.size() - 2), 3, 1},
        {"unterminated_but_whole", whole + next, 4, 0},
        {"nul_tail", whole + QByteArray(4096, '\0'), 3, 0},
        {"nul_over_line_end", whole + next.left(40) + QByteArray(300, '\0'), 3, 0},
        {"nul_then_newline", whole + next.left(next.size() - 3) + QByteArray(8, '\0') + "\r\n", 3, 1},
        {"lf_only", QByteArray(whole).replace("\r\n", "\n"), 3, 0},
        {"utf8", utf8, 3, 0},
        {"utf8_bom", "\xEF\xBB\xBF" + utf8, 3, 0},
    };
    for (const auto &c : cases) {
        const SurveyGraphData d = ParseSurveyBytes(c.bytes, DataAxisKind::Pressure, TimeAxisKind::TimeAndDate, Russian);
        EXPECT_TRUE(d.conversionError.isEmpty()) << c.name << ": " << d.conversionError.toStdString();
        EXPECT_EQ(d.PointCount(), c.points) << c.name;
        EXPECT_EQ(d.damagedLinesSkipped, c.damaged) << c.name;
        EXPECT_EQ(d.device, QStringLiteral("4")) << c.name;
        EXPECT_EQ(d.address, QStringLiteral("9")) << c.name;
        EXPECT_EQ(d.unit, QStringLiteral("кПа")) << c.name;
    }
}

TEST(SurveyFileReader, TemperatureUnitInBothEncodings)
{
    const QString text = Cmd3 + "\r\n";
    for (const QByteArray &bytes : {test::ToWindows1251(text), text.toUtf8()}) {
        const SurveyGraphData d =
            ParseSurveyBytes(bytes, DataAxisKind::Temperature, TimeAxisKind::Time, Russian);
        EXPECT_EQ(d.unit, QStringLiteral("°C"));
        EXPECT_EQ(d.PointCount(), 1);
    }
}

TEST(SurveyFileReader, FileThatCannotBeOpened)
{
    EXPECT_FALSE(ReadSurveyFile(QStringLiteral("/nonexistent/run_1.txt"), DataAxisKind::Pressure,
                                TimeAxisKind::Time, Russian));
}

TEST(SurveyFileReader, ReadsAFileLineByLineLikeTheWholeBytes)
{
    QTemporaryDir dir;
    QByteArray bytes = test::SurveyFile(2, 3, test::PressureSeries(3, 500, 50)) + "Addr: 3 ; Comm";
    const QString path = test::WriteFile(dir, "run_2.txt", bytes);
    const auto fromFile = ReadSurveyFile(path, DataAxisKind::Pressure, TimeAxisKind::TimeAndDate, Russian);
    const SurveyGraphData fromBytes = ParseSurveyBytes(bytes, DataAxisKind::Pressure, TimeAxisKind::TimeAndDate, Russian);
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(fromFile->PointCount(), 500);
    EXPECT_EQ(fromFile->x, fromBytes.x);
    EXPECT_EQ(fromFile->y, fromBytes.y);
    EXPECT_EQ(fromFile->minimumText, fromBytes.minimumText);
}

TEST(LocaleDateTimeReader, ReadsTheLocalesTimeAndDate)
{
    LocaleDateTimeReader ru(Russian);
    EXPECT_EQ(ru.TimeOfDay(u"14:03:27"), (14 * 3600 + 3 * 60 + 27) * 1000);
    EXPECT_EQ(ru.TimeOfDay(u"9:03:27"), (9 * 3600 + 3 * 60 + 27) * 1000);
    EXPECT_EQ(ru.TimeOfDay(u"00:00:00"), 0);
    for (const char16_t *bad : {u"24:00:00", u"14:60:00", u"14:03", u"14:03:27 ", u"14-03-27", u""})
        EXPECT_FALSE(ru.TimeOfDay(bad)) << QString::fromUtf16(bad).toStdString();
    const qint64 dec6 = QDate(1970, 1, 1).daysTo(QDate(2026, 12, 6));
    EXPECT_EQ(ru.Day(u"06.12.2026"), dec6);
    EXPECT_EQ(ru.Day(u"06.12.2026"), dec6);
    EXPECT_EQ(ru.Day(u"07.12.2026"), dec6 + 1);
    for (const char16_t *bad : {u"31.02.2026", u"06.12.20", u"06.12.202", u"06/12/2026", u"06.13.2026"})
        EXPECT_FALSE(ru.Day(bad)) << QString::fromUtf16(bad).toStdString();

    // Another locale's own formats: 12-hour clock and month first.
    LocaleDateTimeReader us(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.TimeOfDay(u"2:03:27 PM"), (14 * 3600 + 3 * 60 + 27) * 1000);
    EXPECT_EQ(us.TimeOfDay(u"12:00:05 AM"), 5000);
    EXPECT_EQ(us.Day(u"12/6/26"), dec6);
}

TEST(LocaleReaders, DigitByDigitReadingGivesWhatTheGeneralConversionGives)
{
    // Texts of the plain shape are read directly, the rest by the locale; both must agree with
    // the locale's own conversion, bit for bit, and refuse the same texts.
    for (const QLocale &locale : {Russian, QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()}) {
        LocaleNumberReader numbers(locale);
        QLocale strict = locale;
        strict.setNumberOptions(strict.numberOptions() | QLocale::RejectGroupSeparator);
        const QString point = locale.decimalPoint();
        for (QString text : {"0", "-0", "100,1234567", "-1,5000000", "0100,5", "5,", ",5", "+5", "1,5e3",
                             "12345678901234567890,123456789", "0,1", "NAN", "-INF", "1 000", "1,2,3", "", "-",
                             "99999999999999999999999999999999999999999999999999999999999999999"}) {
            text.replace(QLatin1Char(','), point);
            bool ok = false;
            const double expected = strict.toDouble(text, &ok);
            const QByteArray latin1 = text.toLatin1();
            for (const std::optional<double> got : {numbers.Read(QStringView(text)),
                                                    numbers.Read(QLatin1StringView(latin1))}) {
                ASSERT_EQ(got.has_value(), ok) << locale.name().toStdString() << " " << text.toStdString();
                if (ok && !std::isnan(expected)) {
                    EXPECT_EQ(std::memcmp(&*got, &expected, sizeof expected), 0) << text.toStdString();
                }
            }
        }
        LocaleDateTimeReader times(locale);
        for (const char *text : {"14:03:27", "00:00:00", "23:59:59", "9:03:27", "24:00:00", "14:60:00", "14:03",
                                 "14:03:27 ", "1a:03:27", "2:03:27 PM", "12:00:05 AM", "14:03:27.045", ""}) {
            const QString wide = QString::fromLatin1(text);
            EXPECT_EQ(times.TimeOfDay(QLatin1StringView(text)), times.TimeOfDay(QStringView(wide)))
                << locale.name().toStdString() << " " << text;
        }
        for (const char *text : {"06.12.2026", "06.12.2026", "07.12.2026", "31.02.2026", "12/6/26", "2026-12-06"}) {
            const QString wide = QString::fromLatin1(text);
            EXPECT_EQ(times.Day(QLatin1StringView(text)), times.Day(QStringView(wide)))
                << locale.name().toStdString() << " " << text;
        }
    }
}

TEST(SurveyFileReader, AxisListsAndTheirKinds)
{
    EXPECT_EQ(DataAxisNames().size(), 5);
    EXPECT_EQ(DataAxisFromName(QStringLiteral("Ток")), DataAxisKind::Current);
    EXPECT_EQ(DataAxisFromName(QStringLiteral("t микропроцессора")), DataAxisKind::Temperature);
    EXPECT_FALSE(DataAxisFromName(QStringLiteral("Напряжение")));
    EXPECT_EQ(TimeAxisFromName(QStringLiteral("Время / Дата ")), TimeAxisKind::TimeAndDate);
    // The list item ends with a blank; without it the text is not an item.
    EXPECT_FALSE(TimeAxisFromName(QStringLiteral("Время / Дата")));
}

} // namespace
} // namespace orv
