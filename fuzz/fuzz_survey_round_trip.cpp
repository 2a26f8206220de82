// A survey line as the registration page writes it, read back by the graph window's reader.
// The input gives the answer (command 1, 3 or 33 with its data bytes), the moment and the
// plotted variable. Properties: the file the program writes always reads without error; for
// commands 1 and 3 the plotted value reads back as the text that was written and its number,
// at the written time (to the second) and date, with the graph's name of the unit that was written.
#include "fuzz_check.h"

#include "graph/graph_texts.h"
#include "graph/survey_file_reader.h"
#include "gauge/survey_files.h"
#include "gauge/survey_format.h"
#include "gauge/answer_fields.h"
#include "gauge/pressure_units.h"
#include "gauge/survey_line.h"
#include "gauge/variable_catalogue.h"

#include <QDateTime>

#include <cmath>
#include <cstdint>
#include <vector>

using namespace orv;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::UseRussianLocale();
    return 0;
}

namespace {

std::vector<std::uint8_t> Answer(std::uint8_t address, std::uint8_t command, fuzz::InputBytes &in, int payloadSize)
{
    std::vector<std::uint8_t> frame{0xFF, 0xFF, 0xFF, 0x86, 0xFF, 0xFF, 0xFF, 0xFF, address, command,
                                    static_cast<std::uint8_t>(payloadSize), 0x00, 0x00};
    for (int i = 0; i < payloadSize; ++i)
        frame.push_back(in.Byte());
    std::uint8_t sum = 0;
    for (std::size_t i = 3; i < frame.size(); ++i)
        sum ^= frame[i];
    frame.push_back(sum);
    return frame;
}

// The graph window's own name of a unit written in Latin ("mm H2O" is shown "мм вод. ст." there).
QString GraphUnitOf(const QString &written)
{
    const int i = written.isEmpty() ? -1 : static_cast<int>(text::PressureUnitFileTexts().indexOf(written));
    return i < 0 ? QString() : graph_texts::PressureUnitsShown[i];
}

struct Expected {
    QString text;   // the value text as written
    QString unit;   // the unit as the graph shows it
};

Expected ExpectedFor(const ResponseView &answer, DataAxisKind axis)
{
    const QChar comma = QLatin1Char(',');
    if (answer.Command() == 1) {
        if (axis != DataAxisKind::Pressure)
            return {};
        return {AnswerFloatText(answer, 3, comma), GraphUnitOf(PressureUnitText(AnswerByte(answer, 2)).dataFile)};
    }
    switch (axis) {
    case DataAxisKind::Current: return {AnswerFloatText(answer, 2, comma), QStringLiteral("мА")};
    case DataAxisKind::Pressure: return {AnswerFloatText(answer, 6, comma), QString()};
    case DataAxisKind::Um: return {AnswerFloatText(answer, 10, comma), QString()};
    case DataAxisKind::Udif: return {AnswerFloatText(answer, 14, comma), QString()};
    case DataAxisKind::Temperature: return {AnswerFloatText(answer, 18, comma).left(5), QStringLiteral("°C")};
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::InputBytes in(data, size);
    const std::uint8_t pick = in.Byte();
    const std::uint8_t command = std::array<std::uint8_t, 3>{1, 3, 33}[(pick & 3) % 3];
    const auto axis = static_cast<DataAxisKind>(((pick >> 2) & 7) % 5);
    const std::uint8_t address = in.Byte();
    std::uint64_t stamp = 0;
    for (int i = 0; i < 6; ++i)
        stamp = (stamp << 8) | in.Byte();
    // Any millisecond of this century.
    const qint64 century = qint64(36525) * 24 * 3600 * 1000;
    const QDateTime utc = QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC).addMSecs(static_cast<qint64>(stamp % century));
    const QDateTime moment(utc.date(), utc.time());   // the same wall clock, as the program takes it
    VariableSelection selection;
    // During registration the request is built from the lists, so each code is that of its
    // list position (a position outside the list asks for any code).
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint8_t code = in.Byte();
        selection.selectedPositions[i] = in.Byte() % 18;
        const CatalogueEntry *entry = CatalogueEntryAt(selection.selectedPositions[i]);
        selection.requestedCodes[i] = entry ? entry->variableCode : code;
    }
    const int payloadSize = command == 1 ? 5 : command == 3 ? 20 : 24;
    const std::vector<std::uint8_t> frame = Answer(address, command, in, payloadSize);
    const ResponseView answer{frame.data(), static_cast<int>(frame.size())};

    const QStringList pieces = SurveyLinePieces(answer, selection, moment, QLatin1Char(','));
    FUZZ_CHECK(!pieces.isEmpty(), "a line for commands 1, 3 and 33");
    const QByteArray file = SurveyFileBytes(SurveyTitleLine(moment) + SurveyDeviceLine(3, address) + pieces.join(QString()));

    const QLocale locale;
    const SurveyGraphData g = ParseSurveyBytes(file, axis, TimeAxisKind::TimeAndDate, locale);
    FUZZ_CHECK(g.conversionError.isEmpty(), "the program reads the files it writes");
    FUZZ_CHECK(g.damagedLinesSkipped == 0, "a whole line is not damaged");
    FUZZ_CHECK(g.device == QStringLiteral("3") && g.address == QString::number(address), "device and address");
    if (command == 33) {
        FUZZ_CHECK(g.PointCount() <= 1, "one line, at most one point");
        return 0;
    }
    const Expected expected = ExpectedFor(answer, axis);
    if (expected.text.isEmpty()) {
        FUZZ_CHECK(g.PointCount() == 0, "no point for a variable the line does not hold");
        return 0;
    }
    bool ok = false;
    const double value = locale.toDouble(expected.text, &ok);
    if (!ok || !std::isfinite(value)) {
        FUZZ_CHECK(g.PointCount() == 0 && g.missingValuesSkipped == 1, "NAN and INF are no points");
        return 0;
    }
    FUZZ_CHECK(g.PointCount() == 1, "one line, one point");
    FUZZ_CHECK(g.minimumText == expected.text && g.y[0] == value, "the value reads back");
    // The reader takes the time up to its milliseconds: whole seconds.
    FUZZ_CHECK(g.x[0] == double(utc.toMSecsSinceEpoch() - utc.time().msec()), "the time and date read back");
    FUZZ_CHECK(g.unit == expected.unit, "the unit reads back");
    return 0;
}
