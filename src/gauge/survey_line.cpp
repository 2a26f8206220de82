#include "gauge/survey_line.h"

#include "gauge/answer_fields.h"
#include "gauge/pressure_units.h"
#include "gauge/registration_rows.h"
#include "gauge/gauge_texts.h"
#include "gauge/survey_format.h"
#include "gauge/variable_catalogue.h"

namespace orv {

namespace {

QStringList PrimaryPieces(const ResponseView &answer, QChar separator)
{
    // A unit code without a Latin name leaves the two blanks around it standing.
    return {text::SurveyPressure() + AnswerFloatText(answer, 3, separator) + text::SurveyBlank() +
            PressureUnitText(AnswerByte(answer, 2)).dataFile + text::SurveyPieceEnd()};
}

QStringList CurrentAndVariablesPieces(const ResponseView &answer, QChar separator)
{
    return {
        text::SurveyCurrent() + AnswerFloatText(answer, 2, separator) + text::SurveyCurrentEnd(),
        text::SurveyPressure() + AnswerFloatText(answer, 6, separator) + text::SurveyPieceEnd(),
        text::SurveyUm() + AnswerFloatText(answer, 10, separator) + text::SurveyPieceEnd(),
        text::SurveyUdif() + AnswerFloatText(answer, 14, separator) + text::SurveyPieceEnd(),
        text::SurveyBlank() + text::SurveyTemperatureKey() + AnswerFloatText(answer, 18, separator).left(5) + text::SurveyTemperatureEnd(),
    };
}

QStringList VariablePieces(const ResponseView &answer, const VariableSelection &selection, QChar separator)
{
    const ResultRows rows = DeviceVariableRows(answer, selection, separator);
    QStringList pieces;
    for (int j = 0; j < 4; ++j) {
        const std::size_t i = static_cast<std::size_t>(j);
        const CatalogueEntry *asked = CatalogueEntryOfCode(selection.requestedCodes[i]);
        const CatalogueEntry *listed = CatalogueEntryAt(selection.selectedPositions[i]);
        const UnitClass unitClass = listed ? listed->unitClass : UnitClass::None;
        const ValueFormat format = listed ? listed->valueFormat : ValueFormat::Fixed;
        const std::uint8_t unitByte = AnswerByte(answer, VariableUnitByte(j));
        pieces << (asked ? asked->dataFileName : QString()) + text::SurveyNameSeparator() + rows[i].value +
                      DataFileUnitPart(unitClass, format, unitByte) + text::SurveyPieceEnd();
    }
    return pieces;
}

} // namespace

QString SurveyLineEnd()
{
    return QStringLiteral("\r\n");
}

QString SurveyAddressPiece(std::uint8_t pollingAddress)
{
    return text::SurveyAddress() + QString::number(pollingAddress) + text::SurveyPieceEnd();
}

QString SurveyCommandPiece(std::uint8_t command)
{
    return text::SurveyCommand() + QString::number(command) + text::SurveyPieceEnd();
}

QStringList SurveyValuePieces(const ResponseView &answer, const VariableSelection &selection, QChar separator)
{
    const std::optional<RegistrationRead> read = RegistrationReadOfCommand(answer.Command());
    if (!read)
        return {};
    switch (*read) {
    case RegistrationRead::Primary:
        return PrimaryPieces(answer, separator);
    case RegistrationRead::CurrentAndVariables:
        return CurrentAndVariablesPieces(answer, separator);
    case RegistrationRead::Variables:
        return VariablePieces(answer, selection, separator);
    }
    return {};
}

QString SurveyTimePiece(const QDateTime &moment)
{
    return text::SurveyTime() + LongTimeText(moment.time()) + text::SurveyMillisecondsSeparator() +
           PadMilliseconds(moment.time().msec()) + text::SurveyPieceEnd() + text::SurveyDate() +
           ShortDateText(moment.date()) + SurveyLineEnd();
}

QStringList SurveyLinePieces(const ResponseView &answer, const VariableSelection &selection,
                             const QDateTime &moment, QChar separator)
{
    const QStringList values = SurveyValuePieces(answer, selection, separator);
    if (values.isEmpty())
        return {};
    QStringList pieces{SurveyAddressPiece(answer.PollingAddress()), SurveyCommandPiece(answer.Command())};
    pieces << values << SurveyTimePiece(moment);
    return pieces;
}

QString SurveyTitleLine(const QDateTime &created)
{
    return text::SurveyTitle() + LongTimeText(created.time()) + text::SurveyTitleSeparator() +
           ShortDateText(created.date()) + SurveyLineEnd();
}

QString SurveyDeviceLine(int slotNumber, int address)
{
    return text::SurveyDeviceLineStart() + QString::number(slotNumber) + text::SurveyDeviceLineAddress() +
           QString::number(address) + text::SurveyDeviceLineEnd() + SurveyLineEnd();
}

} // namespace orv
