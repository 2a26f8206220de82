#pragma once
// The block of rows a device slot owns in the registration table StringGrid2: what an accepted
// answer of command 1, 3 or 33 writes there, and what a failed exchange writes.
#include "link/response_view.h"
#include "link/value_text.h"
#include "gauge/result_rows.h"
#include "gauge/measurement_decoders.h"

#include <QChar>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace orv {

// The read command chosen in ComboBox2 (its item index).
enum class RegistrationRead { Primary = 0, CurrentAndVariables = 1, Variables = 2 };

// The read that a command code belongs to: 1, 3 and 33; nothing for any other code.
std::optional<RegistrationRead> RegistrationReadOfCommand(std::uint8_t command);

// Rows per block (1, 5, 4) and the first row of block b (1-based) in StringGrid2.
int RegistrationBlockRows(RegistrationRead read);
int RegistrationBlockFirstRow(RegistrationRead read, int blockNumber);

// Columns 0, 1, 3 and 4 of a block; the window adds column 2 (ComboBox2's text) and column 5
// (the time stamp) to the first row.
struct RegistrationBlock {
    int firstRow = 0;    // row of StringGrid2
    QString address;     // column 0 of the first row
    QString command;     // column 1 of the first row
    ResultRows rows;     // columns 3 and 4, first row first
};

// The column 3/4 texts of an accepted answer of command 1, 3 or 33 (empty for any other).
// They equal the setup rows, except that the temperature row of command 3 has no trailing blank.
ResultRows RegistrationAnswerRows(const ResponseView &answer, const VariableSelection &selection,
                                  QChar decimalSeparator = LocaleDecimalSeparator());

// The whole block of an accepted answer in block b; nothing for commands other than 1, 3, 33.
std::optional<RegistrationBlock> RegistrationAnswerBlock(const ResponseView &answer, int blockNumber,
                                                         const VariableSelection &selection,
                                                         QChar decimalSeparator = LocaleDecimalSeparator());

// The rows of a slot that did not answer: the names of the chosen read ("t микропроцессора,°С "
// keeps its trailing blank here; for command 33 the list texts selected in TForm5) and
// "Нет ответа" as every value.
ResultRows RegistrationNoAnswerRows(RegistrationRead read, const std::array<int, 4> &selectedPositions);

// The whole no-answer block of a slot in block b; the address is the slot's SlotAddress.
RegistrationBlock RegistrationNoAnswerBlock(RegistrationRead read, int blockNumber, std::uint8_t slotAddress,
                                            const std::array<int, 4> &selectedPositions);

} // namespace orv
