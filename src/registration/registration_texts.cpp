#include "registration/registration_texts.h"

namespace orv::regtext {

QString SlotCaptionFirst() { return QStringLiteral("Прибор  1"); }
QString SlotCaptionTenth() { return QStringLiteral("Прибор 10"); }
QString StopCaption() { return QStringLiteral("Стоп"); }
QString SaveDataFileCaption() { return QStringLiteral("Сохранять результаты опроса в файле"); }
QString PeriodPanelCaption() { return QStringLiteral("Период опроса"); }
QString SecondsSuffix() { return QStringLiteral(" c"); }
QString NextPollCaption() { return QStringLiteral("Опрос через"); }
QString ReadPrimaryItem() { return QStringLiteral("Считать первичную переменную (давление)"); }
QString ReadCurrentItem() { return QStringLiteral("Считать ток и значения 4-х переменных"); }
QString ReadVariablesItem() { return QStringLiteral("Считать переменные"); }
QString NoSlotSelected() { return QStringLiteral("Ни один прибор не выбран"); }
QString AddressZeroTwice() { return QStringLiteral("У выбранных приборов указан адрес 0"); }
QString SameAddresses() { return QStringLiteral("У выбранных приборов одинаковые адреса"); }
QString TimeoutTraceStart() { return QStringLiteral("Режим регистрации. Прибор "); }
QString TimeoutTraceEnd() { return QStringLiteral(": истекло время ожидания..."); }
QString OpenDialogTitle() { return QStringLiteral("Укажите файл данных"); }
QString OpenDialogFilter() { return QStringLiteral("Файл данных (*.txt)|*.txt"); }
QString OpenDialogSuffix() { return QStringLiteral("txt"); }
QString OverwriteCaption() { return QStringLiteral("Перезапись файла"); }
QString OverwriteQuestion() { return QStringLiteral("Перезаписать файлы?"); }
QString OverwriteYes() { return QStringLiteral("Да"); }
QString OverwriteCancel() { return QStringLiteral("Отмена"); }
QString OverwriteContinue() { return QStringLiteral("Открыть для продолжения записи"); }
QString AddressLabel() { return QStringLiteral("Адрес"); }
QString GraphButtonCaption() { return QStringLiteral("ПОСТРОИТЬ") + QLatin1Char('\n') + QStringLiteral("ГРАФИК"); }

} // namespace orv::regtext
