#pragma once
// Decoders of the answers to commands 1, 3, 33, 6, 34, 36, 37, 40 and 44 as the setup page
// shows them: the "Параметр"/"Значение" rows from row ResultRow on, and the dialog fields an
// answer sets. Pure functions of the accepted answer and the context they are given.
#include "gauge/measurement_decoders.h"
#include "link/response_view.h"
#include "link/value_text.h"
#include "setup/fixed_current.h"
#include "gauge/result_rows.h"

#include <QChar>
#include <QString>
#include <array>
#include <optional>

namespace orv {


// Which range group of the sub-range dialog the next command-33 answer fills.
enum class RangeReadTarget { None = 0, SubRange = 3, MainRange = 4 };

// One range group of the sub-range dialog: unit combo text and the two limit edits.
struct RangeGroupFill {
    QString unitText;    // Ed_Poddiap / Ed_Osndiap (empty for a code without a name)
    QString lowerLimit;  // Edit_Poddiap_Pmin / Edit_Osndiap_Pmin
    QString upperLimit;  // Edit_Poddiap_Pmax / Edit_Osndiap_Pmax
};

struct DeviceVariablesAnswer {
    ResultRows rows;                          // four rows
    std::optional<RangeGroupFill> subRange;   // set when the target was the sub-range
    std::optional<RangeGroupFill> mainRange;  // set when the target was the main range
    RangeReadTarget nextTarget = RangeReadTarget::None;   // RangeReadTarget after this answer
};


// Command 33 in setup mode: the rows, and the fill of the range group RangeReadTarget names.
DeviceVariablesAnswer DecodeDeviceVariables(const ResponseView &answer, const VariableSelection &selection,
                                            RangeReadTarget target,
                                            QChar decimalSeparator = LocaleDecimalSeparator());

// Command 6: the polling address now set.
ResultRows DecodeWritePollingAddress(const ResponseView &answer);
// Command 34: the averaging value now set.
ResultRows DecodeWriteAveraging(const ResponseView &answer, QChar decimalSeparator = LocaleDecimalSeparator());
// Command 37 (zero) and 36 (range): "Оk" for result code 0x80, "Ошибка" otherwise.
ResultRows DecodeZeroCorrection(const ResponseView &answer);
ResultRows DecodeRangeCorrection(const ResponseView &answer);

struct FixedCurrentAnswer {
    ResultRows rows;
    FixedCurrentOutcome currentOutput;   // marks and lamps of the current output dialog
};

// Command 40: "-1" means the fixed-current mode is off; the marks are those of the current
// output dialog's three buttons.
FixedCurrentAnswer DecodeFixedCurrent(const ResponseView &answer, FixedCurrentMarks marks,
                                      QChar decimalSeparator = LocaleDecimalSeparator());

// Command 44 (and the same answer of command 178): the unit now set, or "не задана".
ResultRows DecodeUnitSet(const ResponseView &answer);

} // namespace orv
