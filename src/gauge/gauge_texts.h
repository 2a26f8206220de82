#pragma once
// Texts of the setup and registration pages and of the survey data file.
// Copied from the program's text list: never retype these texts, several
// differ from look-alikes only by a Cyrillic or Latin letter or by leading/trailing blanks.
#include <QString>
#include <QStringList>

namespace orv::text {

// Column headings of the setup and registration result tables
const QStringList &ResultHeaders();
// Start button of the setup and registration pages
QString StartCaption();

// Screen names of pressure units 1..9
const QStringList &PressureUnitScreenTexts();
// Between a parameter name and its unit
QString UnitSuffixSeparator();
// Pressure parameter name (command 1)
QString PressureName();
// Command 3 row names; each ends with a blank
QString CurrentRowName();
QString PressureRowName();
QString UmRowName();
QString UdifRowName();
// Ends with a blank; the last letter is Cyrillic
QString TemperatureRowName();
// The same without the trailing blank (answer rows of a registration block)
QString RegistrationTemperatureRowName();
// List texts of the seventeen gauge variables
const QStringList &VariableListTexts();
// Unit suffixes of the current and temperature classes (Latin C); their data-file names are in
// survey_format.h
QString CurrentSuffix();
QString TemperatureSuffix();
// Gauge modifications 1..4
const QStringList &ModificationNames();
// Command 6; ends with a blank
QString PollingAddressWritten();
// Command 34
QString AveragingWritten();
// Commands 37 and 36
QString ZeroCorrection();
QString RangeCorrection();
// Cyrillic O, Latin k
QString CorrectionDone();
QString CorrectionFailed();
// Command 40: the general text of -1
QString FixedCurrentOffGeneral();
QString FixedCurrentOff();
// Two Cyrillic letters
QString FixedCurrentOffValue();
QString FixedCurrentSet();
// Commands 44 and 178
QString UnitSet();
QString UnitName();
QString UnitNotSet();
// Confirmation questions; the leading blanks belong to them
QString ZeroCorrectionQuestion();
QString RangeCorrectionQuestion();
QString SaveParametersQuestion();
QString RestoreSettingsQuestion();
QString RestartQuestion();
// Value of the rows of a registration block without answer
QString RegistrationNoAnswer();
// Command column of a registration block without answer, per read
const QStringList &RegistrationCommandTexts();
} // namespace orv::text
