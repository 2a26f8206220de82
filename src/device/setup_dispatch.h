#pragma once
// The one decoder table of setup mode: which decoder an accepted answer goes to, by its command
// byte, in one uniform shape the program applies (setup_answers.h): the result rows, the new
// dialog state, and the fields of whichever dialog the answer concerns. Registration mode uses
// registration_rows.h instead.
#include "device/device_decoders.h"
#include "link/response_view.h"
#include "link/value_text.h"
#include "setup/fixed_current.h"
#include "gauge/result_rows.h"
#include "setup/setup_decoders.h"

#include <QChar>
#include <cstdint>
#include <optional>
#include <vector>

namespace orv {

// Everything a setup-mode decoder needs besides the answer, as the program holds it when the
// answer arrives.
struct SetupDecodeContext {
    VariableSelection variables;                               // command 33
    RangeReadTarget rangeReadTarget = RangeReadTarget::None;   // command 33
    FixedCurrentMarks fixedCurrentMarks;                       // command 40
    QChar decimalSeparator = LocaleDecimalSeparator();
};

struct SetupAnswer {
    // Columns 3 and 4 of row ResultRow and below; append AdditionalRows(rows) rows first and
    // advance ResultRow by as many. Never empty.
    ResultRows rows;

    std::optional<RangeReadTarget> rangeReadTarget;       // new RangeReadTarget
    std::optional<FixedCurrentOutcome> fixedCurrent;      // TUkaz_Tok: marks, Shape1..Shape3
    std::optional<DacCodeTexts> dacCodes;                 // TUkaz_Tok: Edit1, Edit2
    std::optional<QString> currentRangeText;              // TUkaz_Tok: Znachen_Tok
    std::optional<DeviceInfoTexts> deviceInfo;            // TZavod_Parametrs: Edit1, Edit2
    std::optional<SignalDeviceTexts> signalDevice;        // TSign_Ustr
    std::optional<SubRangeDialogTexts> subRangeDialog;    // TPodDiapazon
    std::optional<ResponseDelayEffect> responseDelay;     // TTime_Delay_Pribor
};

using SetupDecoder = SetupAnswer (*)(const ResponseView &answer, const SetupDecodeContext &context);

// The decoder of a command byte: 1, 3, 33, 6, 34, 36, 37, 40, 44, 146, 147, 150, 151, 152, 156,
// 157, 162, 173, 174, 178, 180, 181, 186, 187, 190, 191, 192, 193, 194, 195, 196; nullptr for
// any other code (197 included).
SetupDecoder FindSetupDecoder(std::uint8_t command);

// The command bytes that have a decoder, ascending.
std::vector<std::uint8_t> SetupDecodedCommands();

} // namespace orv
