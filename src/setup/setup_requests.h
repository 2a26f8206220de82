#pragma once
// Request builders of the setup commands 1, 3, 33, 6, 34, 36, 37 and 40. They take the values
// the dialogs hold and return the request; showing the dialogs is the windows' business.
#include "setup/request.h"
#include "gauge/variable_catalogue.h"

#include <QString>
#include <array>

namespace orv {

// Command 1, no data.
Request BuildReadPrimary();
// Command 3, no data.
Request BuildReadCurrentAndVariables();
// Command 33 with the codes of the positions (1..17) selected in the four variable lists.
// A position outside the catalogue asks for code 0 (the pressure).
Request BuildReadVariables(const std::array<int, 4> &selectedPositions);

// Command 6 with the polling address typed into the address dialog, low 8 bits ("300" sends 44).
BuiltRequest BuildWritePollingAddress(const QString &addressText);
// Command 34 with the averaging count of the track bar (1..50) as a single.
Request BuildWriteAveraging(int trackBarPosition);
// Command 37 (zero correction) and command 36 (range correction), no data.
Request BuildZeroCorrection();
Request BuildRangeCorrection();
// Command 40 with the typed current in mA as a single; "-1" leaves the fixed-current mode.
BuiltRequest BuildFixedCurrent(const QString &currentText);

} // namespace orv
