#pragma once
// The texts of a survey data file: what the writer puts into it (survey_line.h, survey_files.h)
// and what the graph window's reader looks for in it, defined once for both.
// Copied from the program's text list: never retype these texts, several differ from look-alikes
// only by a Cyrillic or Latin letter or by blanks.
#include <QString>
#include <QStringList>

namespace orv::text {

// Latin names of pressure units 1..9, in the order the reader searches them
const QStringList &PressureUnitFileTexts();
// Units of the current and temperature pieces (Latin C)
QString CurrentFileUnit();
QString TemperatureFileUnit();
// Data-file names of variables 1..5 in a command-33 line (the others use their list text)
const QStringList &VariableFileNames();

// The keys before the values of a data line, and the pieces around them
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
// The key of the temperature; its piece begins with SurveyBlank()
QString SurveyTemperatureKey();
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
