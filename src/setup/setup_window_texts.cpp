#include "setup/setup_window_texts.h"

namespace orv::text {

const QStringList &SetupMenuItems()
{
    static const QStringList items{
        QStringLiteral("1. Считать первичную переменную (давление)"),
        QStringLiteral("2. Считать ток и значения 4-х переменных"),
        QStringLiteral("3. Записать адрес опроса"),
        QStringLiteral("4. Считать переменные"),
        QStringLiteral("5. Задать число измерений при усреднении"),
        QStringLiteral("6. Выполнить коррекцию нуля"),
        QStringLiteral("7. Выполнить коррекцию диапазона"),
        QStringLiteral("8. Режим фиксированного тока"),
        QStringLiteral("9. Параметры сигнализирующего устройства"),
        QStringLiteral("10. Указать единицу измерений давления"),
        QStringLiteral("11. Настройка токового выходного сигнала"),
        QStringLiteral("12. Сохранение (ЗАП) параметров в памяти прибора"),
        QStringLiteral("13. Сведения о приборе"),
        QStringLiteral("14. Перестроиться на поддиапазон"),
        QStringLiteral("15. Задержка ответа прибора"),
        QStringLiteral("16. Восстановление настроек прибора"),
        QStringLiteral("17. Перезапуск прибора"),
    };
    return items;
}

QString CommandLabel() { return QStringLiteral("Выбор команды"); }
QString AddressLabel() { return QStringLiteral("Адрес прибора"); }
QString AddressInitial() { return QStringLiteral("0"); }
QString AttemptsLabel() { return QStringLiteral("Число попыток"); }
QString AttemptsInitial() { return QStringLiteral("1"); }
QString NoAnswer() { return QStringLiteral("Нет ответа от прибора"); }
QString AddressDialogInitial() { return QStringLiteral("1"); }
QString CancelCaption() { return QStringLiteral("Отмена"); }
QString FirstVariable() { return QStringLiteral("1. Первая"); }
QString SecondVariable() { return QStringLiteral("2. Вторая"); }
QString ThirdVariable() { return QStringLiteral("3. Третья"); }
QString FourthVariable() { return QStringLiteral("4. Четвертая"); }
QString AveragingLabel() { return QStringLiteral("Число измерений:"); }
QString AveragingInitial() { return QStringLiteral("1"); }
QString FixedCurrentLabel() { return QStringLiteral("Введите значение силы тока, мА  "); }
QString FixedCurrentInitial() { return QStringLiteral("4"); }
QString FixedCurrentSetCaption() { return QStringLiteral("Задать"); }
QString FixedCurrentOffCaption() { return QStringLiteral("Отключить"); }
QString FixedCurrentOffText() { return QStringLiteral("-1"); }
QString FixedCurrentExitCaption() { return QStringLiteral("Выход"); }

} // namespace orv::text
