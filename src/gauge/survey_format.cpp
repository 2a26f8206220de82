#include "gauge/survey_format.h"

namespace orv::text {

const QStringList &PressureUnitFileTexts()
{
    static const QStringList texts{
        QStringLiteral("kgf/cm2"),
        QStringLiteral("MPa"),
        QStringLiteral("kPa"),
        QStringLiteral("Pa"),
        QStringLiteral("kgf/m2"),
        QStringLiteral("atm"),
        QStringLiteral("mm Hg"),
        QStringLiteral("mm H2O"),
        QStringLiteral("Bar"),
    };
    return texts;
}

QString CurrentFileUnit() { return QStringLiteral("mA"); }
QString TemperatureFileUnit() { return QStringLiteral("°C"); }

const QStringList &VariableFileNames()
{
    static const QStringList texts{
        QStringLiteral("0. Pressure"),
        QStringLiteral("1. Iout"),
        QStringLiteral("2. Um"),
        QStringLiteral("3. Udif"),
        QStringLiteral("4. t_kristall"),
    };
    return texts;
}

QString SurveyAddress() { return QStringLiteral("Addr: "); }
QString SurveyPieceEnd() { return QStringLiteral(" ; "); }
QString SurveyCommand() { return QStringLiteral("Command: "); }
QString SurveyTime() { return QStringLiteral("Time: "); }
QString SurveyMillisecondsSeparator() { return QStringLiteral("."); }
QString SurveyDate() { return QStringLiteral("Date: "); }
QString SurveyPressure() { return QStringLiteral("Pressure: "); }
QString SurveyBlank() { return QStringLiteral(" "); }
QString SurveyCurrent() { return QStringLiteral("Iout: "); }
QString SurveyCurrentEnd() { return SurveyCurrentUnitPart() + SurveyPieceEnd(); }
QString SurveyUm() { return QStringLiteral("Um: "); }
QString SurveyUdif() { return QStringLiteral("Udif: "); }
QString SurveyTemperatureKey() { return QStringLiteral("t_kristall: "); }
QString SurveyTemperatureEnd() { return SurveyTemperatureUnitPart() + SurveyPieceEnd(); }
QString SurveyNameSeparator() { return QStringLiteral(": "); }
QString SurveyCurrentUnitPart() { return SurveyBlank() + CurrentFileUnit(); }
QString SurveyTemperatureUnitPart() { return SurveyBlank() + TemperatureFileUnit(); }
QString SurveyTitle() { return QStringLiteral("Файл данных опроса от "); }
QString SurveyTitleSeparator() { return QStringLiteral(" "); }
QString SurveyDeviceLineStart() { return QStringLiteral("Прибор № "); }
QString SurveyDeviceLineAddress() { return QStringLiteral(" (адрес - "); }
QString SurveyDeviceLineEnd() { return QStringLiteral(")"); }
QString SurveyFileSeparator() { return QStringLiteral("_"); }
QString SurveyFileExtension() { return QStringLiteral(".txt"); }
QString SurveyFilesExistStart() { return QStringLiteral("Файлы "); }
QString SurveyFilesExistPattern() { return QStringLiteral("_*.txt"); }
QString SurveyFilesExistEnd() { return QStringLiteral(" существуют!"); }

} // namespace orv::text
