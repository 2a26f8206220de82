#include "support/answer_frame.h"
#include "gauge/survey_line.h"
#include "support/test_printers.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

using test::MakeAnswer;
using test::Payload;

QString U(const char *utf8) { return QString::fromUtf8(utf8); }

const QDateTime Moment(QDate(2026, 12, 6), QTime(14, 3, 27, 45));

// The line as the file holds it, without its CR LF.
QString Line(const QStringList &pieces)
{
    QString line = pieces.join(QString());
    EXPECT_TRUE(line.endsWith(QStringLiteral("\r\n")));
    line.chop(2);
    return line;
}

TEST(SurveyLine, PrimaryVariable)
{
    const QStringList pieces = SurveyLinePieces(MakeAnswer(5, 1, Payload().Byte(3).Float(101.325f)).View(), {}, Moment);
    EXPECT_EQ(pieces, (QStringList{U("Addr: 5 ; "), U("Command: 1 ; "), U("Pressure: 101,3250000 kPa ; "),
                                   U("Time: 14:03:27.045 ; Date: 06.12.2026\r\n")}));
    // A unit code without a Latin name leaves two blanks before the semicolon.
    const QStringList noUnit = SurveyLinePieces(MakeAnswer(5, 1, Payload().Byte(0).Float(101.325f)).View(), {}, Moment);
    EXPECT_EQ(noUnit.at(2), U("Pressure: 101,3250000  ; "));
}

TEST(SurveyLine, CurrentAndVariables)
{
    const auto a = MakeAnswer(5, 3, Payload().Float(12.0031f).Float(0.5012f).Float(1523.5f).Float(311.75f).Float(24.56f));
    const QDateTime moment(QDate(2026, 12, 6), QTime(14, 3, 27, 345));
    EXPECT_EQ(Line(SurveyLinePieces(a.View(), {}, moment)),
              U("Addr: 5 ; Command: 3 ; Iout: 12,0031000 mA ; Pressure: 0,5012000 ; Um: 1523,5000000 ; "
                "Udif: 311,7500000 ;  t_kristall: 24,56 °C ; Time: 14:03:27.345 ; Date: 06.12.2026"));
    EXPECT_EQ(SurveyValuePieces(a.View(), {}).size(), 5);
}

TEST(SurveyLine, DeviceVariablesUseDataFileNamesAndUnitParts)
{
    const struct {
        int position;
        std::uint8_t unitByte;
        float value;
        const char *piece;
    } cases[] = {
        {1, 2, 1.5f, "0. Pressure: 1,5000000 MPa ; "},
        {1, 0, 1.5f, "0. Pressure: 1,5000000  ; "},
        {2, 0, 12.0f, "1. Iout: 12,0000000 mA ; "},
        {3, 0, 1523.5f, "2. Um: 1523,5000000  ; "},
        {4, 0, -2.0f, "3. Udif: -2,0000000  ; "},
        {5, 0, 23.456f, "4. t_kristall: 23,45 °C ; "},
        {6, 0, 10.0f, "6. Число измерений при усреднении: 10 ; "},
        {7, 9, 2.5f, "7. Pmax поддиапазона: 2,5000000 Bar ; "},
        {11, 0, 2.0f, "11. Модификация прибора: КВ-310Б ; "},
        {12, 0, 4000.0f, "12. ЦАП0 (DacMin): 4000 ; "},
        {16, 7, 0.25f, "16. Гистерезис уставок: 0,2500000 mm Hg ; "},
    };
    for (const auto &c : cases) {
        VariableSelection s;
        const VariableCode code = VariableCodeOfPosition(c.position);
        s.requestedCodes = {code, code, code, code};
        s.selectedPositions = {c.position, c.position, c.position, c.position};
        Payload p;
        for (int i = 0; i < 4; ++i)
            p.Byte(code).Byte(c.unitByte).Float(c.value);
        const QStringList pieces = SurveyLinePieces(MakeAnswer(9, 33, p).View(), s, Moment);
        ASSERT_EQ(pieces.size(), 7) << c.position;
        for (int i = 2; i < 6; ++i)
            EXPECT_EQ(pieces.at(i), U(c.piece));
    }
    // The degree sign is followed by a Latin C in the file.
    EXPECT_TRUE(U(cases[5].piece).contains(QString::fromUtf16(u"\u00B0C ;")));
}

TEST(SurveyLine, HeaderLinesAndOtherCommands)
{
    EXPECT_EQ(SurveyTitleLine(Moment), U("Файл данных опроса от 14:03:27 06.12.2026\r\n"));
    EXPECT_EQ(SurveyDeviceLine(10, 7), U("Прибор № 10 (адрес - 7)\r\n"));
    EXPECT_TRUE(SurveyLinePieces(MakeAnswer(5, 6, {5}).View(), {}, Moment).isEmpty());
}

} // namespace
} // namespace orv
