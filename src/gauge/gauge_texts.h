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
// Latin names of pressure units 1..9 in the survey data file
const QStringList &PressureUnitFileTexts();
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
// Data-file names of variables 1..5 (the others use their list text)
const QStringList &VariableFileNames();
// Unit suffixes of the current and temperature classes (Latin C)
QString CurrentSuffix();
QString CurrentFileUnit();
QString TemperatureSuffix();
QString TemperatureFileUnit();
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
// Pieces of a survey data line
QString SurveyAddress();
QString SurveyPieceEnd();
QString SurveyCommand();
QString SurveyTime();
QString SurveyMillisecondsSeparator();
QString SurveyDate();
QString SurveyPressure();
QString SurveyBlank();
QString SurveyCurrent();
QString SurveyCurrentEnd();
QString SurveyUm();
QString SurveyUdif();
// Begins with a blank
QString SurveyTemperature();
// Latin C
QString SurveyTemperatureEnd();
QString SurveyNameSeparator();
QString SurveyCurrentUnitPart();
// Latin C
QString SurveyTemperatureUnitPart();
// First two lines of a survey data file
QString SurveyTitle();
QString SurveyTitleSeparator();
QString SurveyDeviceLineStart();
QString SurveyDeviceLineAddress();
QString SurveyDeviceLineEnd();
// Survey file names: base + separator + slot + extension
QString SurveyFileSeparator();
QString SurveyFileExtension();
// The overwrite prompt's message: start + base + pattern + end
QString SurveyFilesExistStart();
QString SurveyFilesExistPattern();
QString SurveyFilesExistEnd();

} // namespace orv::text
