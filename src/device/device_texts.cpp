#include "device/device_texts.h"

namespace orv::text {

QString DacCodeLowerWritten() { return QStringLiteral("Записан код ЦАП для нижнего предела тока"); }
QString DacCodeUpperWritten() { return QStringLiteral("Записан код ЦАП для верхнего предела тока"); }
QString DacCodeLower() { return QStringLiteral("Код ЦАП для нижнего предела тока"); }
QString DacCodeUpper() { return QStringLiteral("Код ЦАП для верхнего предела тока"); }
QString MaxRatioReport() { return QStringLiteral("максимальный коэффициент перестройки диапазона измерений"); }
QString MaxRatioRead() { return QStringLiteral("Считан макс. коэфф. перестройки диапазона измерений"); }
QString PressureKind() { return QStringLiteral("Вид измеряемого давления"); }
const QStringList &PressureKindTexts()
{
    static const QStringList texts{
        QStringLiteral("избыточное"),
        QStringLiteral("давление-разрежение"),
        QStringLiteral("разрежение"),
        QStringLiteral("абсолютное"),
    };
    return texts;
}

QString CurrentRangeSet() { return QStringLiteral("Задан диапазон токового выходного сигнала"); }
QString CurrentRange() { return QStringLiteral("Диапазон токового выходного сигнала"); }
QString CurrentRangeNotSet() { return QStringLiteral("не задан"); }
const QStringList &CurrentRangeTexts()
{
    static const QStringList texts{
        QStringLiteral("(4...20) мА"),
        QStringLiteral("(0...5) мА"),
    };
    return texts;
}

QString SaveParameters() { return QStringLiteral("Сохранение параметров ЗАП"); }
QString SaveParametersDone() { return QStringLiteral("выполнено"); }
QString SerialNumber() { return QStringLiteral("Заводской номер"); }
QString ManufactureYear() { return QStringLiteral("Год изготовления"); }
QString SignalExecution() { return QStringLiteral("Исполнение сигнализирующего устройства"); }
QString SetPoint1() { return QStringLiteral("Значение нижнего порога давления (уставка 1)"); }
QString SetPoint2() { return QStringLiteral("Значение верхнего порога давления(уставка 2)"); }
QString Hysteresis() { return QStringLiteral("Значение гистерезиса уставок"); }
QString SetPoint1Percent() { return QStringLiteral("Значение нижнего порога давления (уставка 1), %"); }
QString SetPoint2Percent() { return QStringLiteral("Значение верхнего порога давления(уставка 2), %"); }
QString HysteresisPercent() { return QStringLiteral("Значение гистерезиса уставок, %"); }
QString PercentCaption() { return QStringLiteral("%"); }
const QStringList &SubRangeErrorTexts()
{
    static const QStringList texts{
        QStringLiteral("Дальнейшая перестройка ограничена"),
        QStringLiteral("Единицы измерений указаны не верно"),
        QStringLiteral("Нижний предел вне диапазона измерений"),
        QStringLiteral("Верхний предел вне диапазона измерений"),
    };
    return texts;
}

QString SubRangeReached() { return QStringLiteral("Перестроились на поддиапазон"); }
QString SubRangeUpperReached() { return QStringLiteral("Перестроились на верхнее значение поддиапазона"); }
QString SubRangeLowerReached() { return QStringLiteral("Перестроились на нижнее значение поддиапазона"); }
QString SubRangeTextOpen() { return QStringLiteral(" ("); }
QString SubRangeTextBetween() { return QStringLiteral(" ... "); }
QString SubRangeTextClose() { return QStringLiteral(") "); }
QString SubRangeRatio() { return QStringLiteral("Соотношение поддиапазона измерений к основному"); }
QString SubRangeRatioRead() { return QStringLiteral("Считали"); }
QString ResponseDelayWritten() { return QStringLiteral("Записали длительность задержки, мс"); }
QString ResponseDelayRead() { return QStringLiteral("Считали длительность задержки, мс"); }
QString MillisecondsSuffix() { return QStringLiteral(" мс"); }
QString BackupCopy() { return QStringLiteral("Резервная копия"); }
QString BackupCreated() { return QStringLiteral("Создана"); }
QString BackupNotCreated() { return QStringLiteral("Не создана"); }
QString FactorySettings() { return QStringLiteral("Заводские настройки"); }
QString FactorySettingsRestored() { return QStringLiteral("Восстановлены"); }
QString FactorySettingsNotRestored() { return QStringLiteral("Не восстановлены"); }
QString FixedCurrentLower420() { return QStringLiteral("4.000"); }
QString FixedCurrentLower05() { return QStringLiteral("0.000"); }
QString FixedCurrentUpper420() { return QStringLiteral("20.000"); }
QString FixedCurrentUpper05() { return QStringLiteral("5.000"); }
QString FixedCurrentRelease() { return QStringLiteral("-1.000"); }

} // namespace orv::text
