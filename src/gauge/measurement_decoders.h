#pragma once
// The readings a gauge reports to commands 1, 3 and 33, as rows of "Параметр"/"Значение" texts.
// The setup page, the registration blocks and the survey file all start from these rows.
#include "gauge/result_rows.h"
#include "gauge/variable_catalogue.h"
#include "link/response_view.h"
#include "link/value_text.h"

#include <QChar>
#include <QString>
#include <array>

namespace orv {

// A command-33 answer carries four blocks of six bytes after the status bytes: code, unit byte,
// single. Data byte positions of block 0..3's unit byte and value.
int VariableUnitByte(int block);
int VariableValueByte(int block);

// Command 1: "Давление" plus ", " and the unit name when the unit byte has one; the fixed text.
ResultRows DecodePrimaryVariable(const ResponseView &answer, QChar decimalSeparator = LocaleDecimalSeparator());

// Command 3: five rows (current, pressure, Um, Udif, temperature cut to five characters).
ResultRows DecodeCurrentAndVariables(const ResponseView &answer,
                                     QChar decimalSeparator = LocaleDecimalSeparator());

// What a command-33 answer needs to know besides its bytes.
struct VariableSelection {
    std::array<VariableCode, 4> requestedCodes{};         // request data bytes 0..3 that were sent
    std::array<int, 4> selectedPositions{{1, 1, 1, 1}};   // positions now selected in ComboBox1..4 of TForm5
};

// The four rows of a command-33 answer: the name of the variable that was asked for, with the
// unit suffix of the class selected in the list, and the value in that position's format.
ResultRows DeviceVariableRows(const ResponseView &answer, const VariableSelection &selection,
                              QChar decimalSeparator = LocaleDecimalSeparator());

} // namespace orv
