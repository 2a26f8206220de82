#pragma once
// Texts of the gauge's own commands and their dialogs.
// Copied from the program's text list: never retype these texts, several
// differ from look-alikes only by a Cyrillic or Latin letter or by leading/trailing blanks.
#include <QString>
#include <QStringList>

namespace orv::text {

// Command 146
QString DacCodeLowerWritten();
QString DacCodeUpperWritten();
// Command 147
QString DacCodeLower();
QString DacCodeUpper();
// Command 150
QString MaxRatioReport();
// Command 151
QString MaxRatioRead();
// Command 152
QString PressureKind();
// Kinds of measured pressure 1..4
const QStringList &PressureKindTexts();
// Commands 156 and 157
QString CurrentRangeSet();
QString CurrentRange();
QString CurrentRangeNotSet();
// Current-output ranges 0 and 1
const QStringList &CurrentRangeTexts();
// Command 162
QString SaveParameters();
QString SaveParametersDone();
// Commands 173 and 174
QString SerialNumber();
QString ManufactureYear();
// Commands 180 and 181
QString SignalExecution();
QString SetPoint1();
QString SetPoint2();
QString Hysteresis();
// Commands 186 and 187
QString SetPoint1Percent();
QString SetPoint2Percent();
QString HysteresisPercent();
QString PercentCaption();
// Rejection codes 1..4 of a re-ranging
const QStringList &SubRangeErrorTexts();
QString SubRangeReached();
QString SubRangeUpperReached();
QString SubRangeLowerReached();
// Label_Text pieces
QString SubRangeTextOpen();
QString SubRangeTextBetween();
QString SubRangeTextClose();
// Command 192
QString SubRangeRatio();
QString SubRangeRatioRead();
// Commands 193 and 194
QString ResponseDelayWritten();
QString ResponseDelayRead();
QString MillisecondsSuffix();
// Command 195
QString BackupCopy();
QString BackupCreated();
QString BackupNotCreated();
// Command 196
QString FactorySettings();
QString FactorySettingsRestored();
QString FactorySettingsNotRestored();
// Fixed-current values sent by the current output dialog
QString FixedCurrentLower420();
QString FixedCurrentLower05();
QString FixedCurrentUpper420();
QString FixedCurrentUpper05();
QString FixedCurrentRelease();

} // namespace orv::text
