#pragma once
// The text of a survey data file, as pieces: the writer encodes each piece, writes it right
// after the grid cell that holds the same value, and flushes it.
#include "link/response_view.h"
#include "link/value_text.h"
#include "gauge/measurement_decoders.h"

#include <QChar>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace orv {

// "Addr: 5 ; " and "Command: 1 ; ".
QString SurveyAddressPiece(std::uint8_t pollingAddress);
QString SurveyCommandPiece(std::uint8_t command);

// The value pieces of an accepted answer in row order: one for command 1, five for command 3,
// four for command 33 (request order); none for any other command.
QStringList SurveyValuePieces(const ResponseView &answer, const VariableSelection &selection,
                              QChar decimalSeparator = LocaleDecimalSeparator());

// "Time: 14:03:27.045 ; Date: 06.12.2026" and the line end (CR LF).
QString SurveyTimePiece(const QDateTime &moment);

// Every piece of the line of an accepted answer of command 1, 3 or 33, in writing order:
// address, command, values, time; empty for any other command.
QStringList SurveyLinePieces(const ResponseView &answer, const VariableSelection &selection,
                             const QDateTime &moment, QChar decimalSeparator = LocaleDecimalSeparator());

// The two first lines of a new file, each with its CR LF: "Файл данных опроса от <time> <date>"
// and "Прибор № <slot> (адрес - <address>)".
QString SurveyTitleLine(const QDateTime &created);
QString SurveyDeviceLine(int slotNumber, int address);

// The line end of every line of the file.
QString SurveyLineEnd();

} // namespace orv
