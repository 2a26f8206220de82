#include "gauge/gauge_texts.h"

namespace orv::text {

const QStringList &ResultHeaders()
{
    static const QStringList texts{QStringLiteral("Адрес"),    QStringLiteral("Команда"),  QStringLiteral("Описание"),
                                   QStringLiteral("Параметр"), QStringLiteral("Значение"), QStringLiteral("Время, дата")};
    return texts;
}

QString StartCaption() { return QStringLiteral("Старт"); }

const QStringList &PressureUnitScreenTexts()
{
    static const QStringList texts{
        QStringLiteral("кгс/см2"),
        QStringLiteral("МПа"),
        QStringLiteral("кПа"),
        QStringLiteral("Па"),
        QStringLiteral("кгс/м2"),
        QStringLiteral("атм"),
        QStringLiteral("мм рт.ст."),
        QStringLiteral("мм вод.ст."),
        QStringLiteral("Bar"),
    };
    return texts;
}

QString UnitSuffixSeparator() { return QStringLiteral(", "); }
QString PressureName() { return QStringLiteral("Давление"); }
QString CurrentRowName() { return QStringLiteral("Ток, мА "); }
QString PressureRowName() { return QStringLiteral("Давление "); }
QString UmRowName() { return QStringLiteral("Um, код АЦП "); }
QString UdifRowName() { return QStringLiteral("Udif, код АЦП "); }
QString TemperatureRowName() { return QStringLiteral("t микропроцессора,°С "); }
QString RegistrationTemperatureRowName() { return QStringLiteral("t микропроцессора,°С"); }
const QStringList &VariableListTexts()
{
    static const QStringList texts{
        QStringLiteral("1. Давление"),
        QStringLiteral("2. Токовый сигнал"),
        QStringLiteral("3. Um (напряжение моста)"),
        QStringLiteral("4. Udif (напряжение диагонали моста)"),
        QStringLiteral("5. Температура микропроцессора"),
        QStringLiteral("6. Число измерений при усреднении"),
        QStringLiteral("7. Pmax поддиапазона"),
        QStringLiteral("8. Pmin поддиапазона"),
        QStringLiteral("9. Pmax основного диапазона"),
        QStringLiteral("10. Pmin основного диапазона"),
        QStringLiteral("11. Модификация прибора"),
        QStringLiteral("12. ЦАП0 (DacMin)"),
        QStringLiteral("13. ЦАП1 (DacMax)"),
        QStringLiteral("14. Уставка 1 (МИН)"),
        QStringLiteral("15. Уставка 2 (МАКС)"),
        QStringLiteral("16. Гистерезис уставок"),
        QStringLiteral("17. Исполнение сигнализирующего устройства"),
    };
    return texts;
}

QString CurrentSuffix() { return QStringLiteral(", мА"); }
QString TemperatureSuffix() { return QStringLiteral(", °C"); }
const QStringList &ModificationNames()
{
    static const QStringList texts{
        QStringLiteral("КВ-310А"),
        QStringLiteral("КВ-310Б"),
        QStringLiteral("КВ-310В"),
        QStringLiteral("КВ-310Г"),
    };
    return texts;
}

QString PollingAddressWritten() { return QStringLiteral("Записан адрес опроса "); }
QString AveragingWritten() { return QStringLiteral("Записано значение демпфирования"); }
QString ZeroCorrection() { return QStringLiteral("Коррекция нуля"); }
QString RangeCorrection() { return QStringLiteral("Коррекция диапазона"); }
QString CorrectionDone() { return QStringLiteral("Оk"); }
QString CorrectionFailed() { return QStringLiteral("Ошибка"); }
QString FixedCurrentOffGeneral() { return QStringLiteral("-1"); }
QString FixedCurrentOff() { return QStringLiteral("Режим фиксированного тока отключен"); }
QString FixedCurrentOffValue() { return QStringLiteral("ОК"); }
QString FixedCurrentSet() { return QStringLiteral("Зафиксирован ток, мА"); }
QString UnitSet() { return QStringLiteral("Задана единица измерений"); }
QString UnitName() { return QStringLiteral("Единица измерений"); }
QString UnitNotSet() { return QStringLiteral("не задана"); }
QString ZeroCorrectionQuestion() { return QStringLiteral("     Выполнить коррекцию НУЛЯ?"); }
QString RangeCorrectionQuestion() { return QStringLiteral("Выполнить коррекцию ДИАПАЗОНА?"); }
QString SaveParametersQuestion() { return QStringLiteral("             Сохранить данные?"); }
QString RestoreSettingsQuestion() { return QStringLiteral("  Восстановить настройки прибора?"); }
QString RestartQuestion() { return QStringLiteral("    Выполнить перезагрузку прибора?"); }
QString RegistrationNoAnswer() { return QStringLiteral("Нет ответа"); }
const QStringList &RegistrationCommandTexts()
{
    static const QStringList texts{
        QStringLiteral("1"),
        QStringLiteral("3"),
        QStringLiteral("33"),
    };
    return texts;
}

} // namespace orv::text
