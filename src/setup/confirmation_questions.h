#pragma once
// The questions the confirmation dialog puts before the commands that change the gauge without
// asking for a value. The leading blanks centre them in the dialog's label and belong to them.
#include <QString>
#include <cstdint>

namespace orv {

// The question for command 37, 36, 162, 196 or 197; empty for any other command.
QString ConfirmationQuestion(std::uint8_t command);

} // namespace orv
