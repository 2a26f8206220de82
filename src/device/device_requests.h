#pragma once
// Request builders of the gauge's own commands (146..197) and of the range read the sub-range
// dialog sends with command 33. They take what the dialogs hold and return the request, or the
// conversion message when a typed number is refused (nothing is sent then).
#include "setup/fixed_current.h"
#include "setup/request.h"

#include <QString>

namespace orv {

// Menu items 12, 16, 17: save (162), restore (196, data 01 01 01 01), restart (197, data 03 02 01 00).
Request BuildSaveParameters();
Request BuildRestoreSettings();
Request BuildRestart();

// Menu item 10: command 178 with the code of the unit name (0 when it is none of the nine).
// An empty text builds no request and no message: nothing is sent.
BuiltRequest BuildSetPressureUnit(const QString &unitText);

// Current output dialog: 157 (range), 147 (DAC codes), 146 (write both DAC codes as singles,
// lower first), and command 40 for its three fixed-current buttons.
Request BuildReadCurrentRange();
Request BuildReadDacCodes();
BuiltRequest BuildWriteDacCodes(const QString &lowerCodeText, const QString &upperCodeText);
// The value text a fixed-current button sends: by the range text for DacMin/DacMax ("4.000",
// "20.000" or "0.000", "5.000"; empty for a text that is neither range), "-1.000" for Off.
QString FixedCurrentValueText(FixedCurrentButton button, const QString &rangeText);
BuiltRequest BuildFixedCurrentForButton(FixedCurrentButton button, const QString &rangeText);

// Device information dialog: 174.
Request BuildReadDeviceInfo();

// Signalling device dialog: read 187 / 181 and write 186 / 180 of the four values.
enum class SignalUnits { Percent, PressureUnits };
struct SignalDeviceInput {
    QString execution;    // Znachen_Ispolnen
    QString setPoint1;    // Znachen_Ustavka_1
    QString setPoint2;    // Znachen_Ustavka_2
    QString hysteresis;   // Znachen_Gisteresis
};
Request BuildReadSignalDevice(SignalUnits units);
BuiltRequest BuildWriteSignalDevice(SignalUnits units, const SignalDeviceInput &input);

// Sub-range dialog: command 33 for the variables 8, 7, 10, 9 (both ranges); 190 by limits (unit
// code, upper limit, lower limit); 191 by ratio; 192 reads the ratio; 151 the largest ratio.
Request BuildReadRanges();
struct SubRangeLimitsInput {
    QString unitText;     // Ed_Poddiap
    QString lowerLimit;   // Edit_Poddiap_Pmin
    QString upperLimit;   // Edit_Poddiap_Pmax
};
BuiltRequest BuildSubRangeByLimits(const SubRangeLimitsInput &input);
BuiltRequest BuildSubRangeByRatio(const QString &ratioText);
Request BuildReadSubRangeRatio();
Request BuildReadMaxRatio();

// Response delay dialog: 193 with the track-bar position (0..250 ms), 194 reads it.
Request BuildWriteResponseDelay(int trackBarPosition);
Request BuildReadResponseDelay();

} // namespace orv
