#pragma once
// One reading (one gauge's answer, or its silence) as a line of plain text, CSV or JSON.
// Plain text shows the values as the program's windows do (the locale's decimal separator);
// CSV and JSON always use the point, so that scripts read them anywhere.
#include "gauge/measurement_decoders.h"
#include "poll/poll_options.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace orv {

struct Reading {
    QDateTime time;
    std::uint8_t address = 0;
    std::uint8_t command = 0;
    bool answered = false;
    std::vector<std::uint8_t> frame;   // the accepted answer, protocol positions 1..length
};

// The rows of the answer, decoded as the program decodes them.
ResultRows ReadingRows(const Reading &reading, const VariableSelection &selection, QChar decimalSeparator);

// The first line of the output (CSV: the column names of readings or of a scan), or empty.
QString ReadingHeader(OutputFormat format, bool scan = false);
// The lines of one reading: one for text and JSON, one per value for CSV (one for a silence).
QStringList ReadingLines(const Reading &reading, const VariableSelection &selection, OutputFormat format);

// A --scan result line: address, pressure and unit.
QString FoundGaugeLine(int address, const QString &pressure, const QString &unit, OutputFormat format);

} // namespace orv
