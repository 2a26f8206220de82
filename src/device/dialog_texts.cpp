#include "device/dialog_texts.h"

namespace orv::text {

QString DeviceInfoTitle() { return QStringLiteral("Сведения о приборе"); }
QString SerialNumberLabel() { return QStringLiteral("Заводской номер прибора"); }
QString SerialNumberDefault() { return QStringLiteral("0000"); }
QString YearLabel() { return QStringLiteral("Год изготовления прибора"); }
QString YearDefault() { return QStringLiteral("2010"); }
QString DeviceInfoRead() { return QStringLiteral("Считать"); }
QString DeviceInfoExit() { return QStringLiteral("Отмена"); }
QString SubRangeTitle() { return QStringLiteral("Поддиапазон измерений"); }
QString MainRangeGroup() { return QStringLiteral("  Основной диапазон измерений  "); }
QString SubRangeGroup() { return QStringLiteral("  Поддиапазон измерений  "); }
QString RatioGroup() { return QStringLiteral("  Коэффициент перестройки диапазона  "); }
QString RangeFrom() { return QStringLiteral("От  ("); }
QString RangeTo() { return QStringLiteral("до"); }
QString RangeClose() { return QStringLiteral(")"); }
QString LowerLimitDefault() { return QStringLiteral("0,0"); }
QString UpperLimitDefault() { return QStringLiteral("1,0"); }
QString RangeRead() { return QStringLiteral("Считать"); }
QString RangeWrite() { return QStringLiteral("Задать"); }
QString MessageLabelDefault() { return QStringLiteral("_"); }
QString CurrentRatioLabel() { return QStringLiteral("Текущее значение"); }
QString CurrentRatioDefault() { return QStringLiteral("1,0"); }
QString RatioLimitLabel() { return QStringLiteral("Предельное значение"); }
QString RatioLimitDefault() { return QStringLiteral("5,0"); }
QString SubRangeExit() { return QStringLiteral("Выход"); }
QString CurrentOutputTitle() { return QStringLiteral("Настройка токового выходного сигнала"); }
QString CurrentRangeGroup() { return QStringLiteral("Диапазон токового выходного сигнала"); }
QString CurrentRangeDefault() { return QStringLiteral("(4...20) мА"); }
QString CurrentRangeRead() { return QStringLiteral("Считать"); }
QString DacCodesGroup() { return QStringLiteral("Значения кодов ЦАП"); }
QString DacLowerLabel() { return QStringLiteral("Значение кода ЦАП для нижнего предела изменения силы тока"); }
QString DacLowerShortLabel() { return QStringLiteral("DacMin"); }
QString DacLowerDefault() { return QStringLiteral("50"); }
QString DacUpperLabel() { return QStringLiteral("Значение кода ЦАП для верхнего предела изменения силы тока"); }
QString DacUpperShortLabel() { return QStringLiteral("DacMax"); }
QString DacUpperDefault() { return QStringLiteral("4000"); }
QString DacRead() { return QStringLiteral("Считать"); }
QString DacWrite() { return QStringLiteral("Записать"); }
QString FixedCurrentGroup() { return QStringLiteral("  Режим фиксированного тока  "); }
QString FixedCurrentDacMinButton() { return QStringLiteral("DacMin"); }
QString FixedCurrentDacMaxButton() { return QStringLiteral("DacMax"); }
QString FixedCurrentOffButton() { return QStringLiteral("Выключить"); }
QString CurrentOutputExit() { return QStringLiteral("Выход"); }
QString SignalDeviceTitle() { return QStringLiteral("Параметры сигнализирующего устройства"); }
QString ExecutionLabel() { return QStringLiteral("Исполнение сигнализирующего устройства"); }
QString ExecutionDefault() { return QStringLiteral("5"); }
QString InPercent() { return QStringLiteral("В процентах"); }
QString InPressureUnits() { return QStringLiteral("В единицах измерений давления"); }
QString SetPoint1Label() { return QStringLiteral("Значение уставки МИН (уставка 1)"); }
QString SetPoint1Default() { return QStringLiteral("20"); }
QString SetPoint2Label() { return QStringLiteral("Значение уставки МАКС (уставка 2)"); }
QString SetPoint2Default() { return QStringLiteral("80"); }
QString HysteresisLabel() { return QStringLiteral("Значение гистерезиса уставок"); }
QString HysteresisDefault() { return QStringLiteral("1"); }
QString SignalUnitDefault() { return QStringLiteral("%"); }
QString SignalDeviceRead() { return QStringLiteral("Считать значения"); }
QString SignalDeviceWrite() { return QStringLiteral("Записать значения"); }
QString SignalDeviceExit() { return QStringLiteral("Выход"); }
QString PressureUnitTitle() { return QStringLiteral("Указание единиц измерений"); }
QString PressureUnitPrompt() { return QStringLiteral("Укажите обозначение единиц измерений давления"); }
QString PressureUnitDefault() { return QStringLiteral("кгс/см2"); }
QString PressureUnitCancel() { return QStringLiteral("Отмена"); }
QString ResponseDelayTitle() { return QStringLiteral("Длительность задержки ответа прибора"); }
const QStringList &ResponseDelayScale()
{
    static const QStringList texts{QStringLiteral("0"), QStringLiteral("50"), QStringLiteral("100"), QStringLiteral("150"), QStringLiteral("200"), QStringLiteral("250")};
    return texts;
}
QString ResponseDelayDefault() { return QStringLiteral("0 мс"); }
QString ResponseDelayReadButton() { return QStringLiteral("Считать значение"); }
QString ResponseDelayWriteButton() { return QStringLiteral("Записать значение"); }
QString ResponseDelayExitButton() { return QStringLiteral("Выход"); }

} // namespace orv::text
