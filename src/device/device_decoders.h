#pragma once
// Decoders of the answers to the gauge's own commands: the result-table rows from row ResultRow
// on and the dialog fields each answer sets. Pure functions of the accepted answer.
#include "link/response_view.h"
#include "link/value_text.h"
#include "gauge/result_rows.h"
#include "setup/setup_decoders.h"

#include <QChar>
#include <QColor>
#include <QString>
#include <optional>

namespace orv {

// The part of a float text before the first decimal separator ("4095,5000000" -> "4095",
// "-0,5000000" -> "-0"), cut, not rounded; empty when the text has no separator.
QString IntegerPartText(const QString &floatText, QChar decimalSeparator);

// A message label: its font colour, and its caption unless the caption stays as it is.
struct LabelMessage {
    std::optional<QString> text;
    QColor colour;
};

// --- current output dialog (TUkaz_Tok) ---

struct DacCodeTexts {
    QString lower;   // Edit1
    QString upper;   // Edit2
};
struct DacCodesAnswer {
    ResultRows rows;
    DacCodeTexts edits;
};
DacCodesAnswer DecodeWriteDacCodes(const ResponseView &answer, QChar decimalSeparator = LocaleDecimalSeparator()); // 146
DacCodesAnswer DecodeReadDacCodes(const ResponseView &answer, QChar decimalSeparator = LocaleDecimalSeparator());  // 147

ResultRows DecodeCurrentRangeReport(const ResponseView &answer);   // 156
struct CurrentRangeAnswer {
    ResultRows rows;
    QString rangeText;   // Znachen_Tok: "(4...20) мА", "(0...5) мА" or empty
};
CurrentRangeAnswer DecodeReadCurrentRange(const ResponseView &answer);   // 157

// --- device information dialog (TZavod_Parametrs) ---

struct DeviceInfoTexts {
    QString serialNumber;   // Edit1
    QString year;           // Edit2
};
struct DeviceInfoAnswer {
    ResultRows rows;
    DeviceInfoTexts edits;
};
DeviceInfoAnswer DecodeDeviceInfo(const ResponseView &answer, QChar decimalSeparator = LocaleDecimalSeparator()); // 173, 174

// --- signalling device dialog (TSign_Ustr) ---

struct SignalDeviceTexts {
    QString execution;    // Znachen_Ispolnen (integer part)
    QString setPoint1;    // Znachen_Ustavka_1
    QString setPoint2;    // Znachen_Ustavka_2
    QString hysteresis;   // Znachen_Gisteresis
    // Captions of Ed_Ustavka_1, Ed_Ustavka_2, Ed_Gisteresis; none: leave the caption as it is.
    std::optional<QString> setPoint1Unit;
    std::optional<QString> setPoint2Unit;
    std::optional<QString> hysteresisUnit;
};
struct SignalDeviceAnswer {
    ResultRows rows;   // four rows
    SignalDeviceTexts dialog;
};
SignalDeviceAnswer DecodeSignalDeviceUnitsWritten(const ResponseView &answer, QChar decimalSeparator = LocaleDecimalSeparator());   // 180
SignalDeviceAnswer DecodeSignalDeviceUnitsRead(const ResponseView &answer, QChar decimalSeparator = LocaleDecimalSeparator());      // 181
SignalDeviceAnswer DecodeSignalDevicePercentWritten(const ResponseView &answer, QChar decimalSeparator = LocaleDecimalSeparator()); // 186
SignalDeviceAnswer DecodeSignalDevicePercentRead(const ResponseView &answer, QChar decimalSeparator = LocaleDecimalSeparator());    // 187

// --- sub-range dialog (TPodDiapazon) ---

struct SubRangeDialogTexts {
    std::optional<RangeGroupFill> subRangeGroup;        // from command 33
    std::optional<RangeGroupFill> mainRangeGroup;       // from command 33
    std::optional<LabelMessage> labelError;             // Label_Error (190)
    std::optional<LabelMessage> labelErrorKoeffPodDiap; // Label_Error_Koeff_PodDiap (191, 192)
    std::optional<QString> labelText;                   // Label_Text (191)
    std::optional<QString> editKoeffPoddiap;            // Edit_Koeff_Poddiap (192)
    std::optional<QString> editKoeffOsndiap;            // Edit_Koeff_Osndiap (151)
};
struct SubRangeAnswer {
    ResultRows rows;
    SubRangeDialogTexts dialog;
};
ResultRows DecodeMaxRatioReport(const ResponseView &answer, QChar decimalSeparator = LocaleDecimalSeparator());      // 150
SubRangeAnswer DecodeReadMaxRatio(const ResponseView &answer, QChar decimalSeparator = LocaleDecimalSeparator());    // 151
// 190 and 191: a byte count of 1 is a rejection (one row without texts, red message); any other
// byte count re-ranged the gauge (two rows, green message).
SubRangeAnswer DecodeSubRangeByLimits(const ResponseView &answer, QChar decimalSeparator = LocaleDecimalSeparator()); // 190
SubRangeAnswer DecodeSubRangeByRatio(const ResponseView &answer, QChar decimalSeparator = LocaleDecimalSeparator());  // 191
SubRangeAnswer DecodeReadSubRangeRatio(const ResponseView &answer, QChar decimalSeparator = LocaleDecimalSeparator()); // 192

// --- response delay dialog (TTime_Delay_Pribor) ---

// Apply in this order: move Time_Delay to the position (its change handler runs only when the
// position really changes), set its selection end to 0, then set Delay_ms when given.
struct ResponseDelayEffect {
    int trackBarPosition = 0;              // the answered delay limited to 0..250
    std::optional<QString> delayCaption;   // Delay_ms (194 only): "<n> мс"
};
struct ResponseDelayAnswer {
    ResultRows rows;
    ResponseDelayEffect dialog;
};
ResponseDelayAnswer DecodeResponseDelayWritten(const ResponseView &answer);   // 193
ResponseDelayAnswer DecodeResponseDelayRead(const ResponseView &answer);      // 194

// --- answers without dialog fields ---

ResultRows DecodePressureKind(const ResponseView &answer);       // 152
ResultRows DecodeSaveParameters(const ResponseView &answer);     // 162
ResultRows DecodeSetPressureUnit(const ResponseView &answer);    // 178
ResultRows DecodeBackupCopy(const ResponseView &answer);         // 195
ResultRows DecodeRestoreSettings(const ResponseView &answer);    // 196

} // namespace orv
