#pragma once
// The graph window's own texts, kept in one place so that each stands exactly once.
#include <QString>

namespace orv::graph_texts {

inline const QString WindowCaption = QStringLiteral("Графическое представление данных");
inline const QString WaitCaption = QStringLiteral("Ожидание");
inline const QString WaitOneGraph = QStringLiteral("Выполняется построение графика. Ожидайте...");
inline const QString WaitAllGraphs = QStringLiteral("Выполняется построение графиков. Ожидайте...");
inline const QString AllGraphsTab = QStringLiteral("Все графики");
inline const QString TabPrefix = QStringLiteral("№ ");
inline const QString UnknownDevice = QStringLiteral("?");
inline const QString ChartTitle = QStringLiteral("Результаты опроса приборов");
inline const QString LeftAxisStartTitle = QStringLiteral("Давление");
inline const QString UnitSeparator = QStringLiteral(", ");
inline const QString TimeAxisTitle = QStringLiteral("Время (час:минута:секунда)");
inline const QString DateAxisTitle = QStringLiteral("Дата (день.месяц.год)");
inline const QString TimeDateAxisTitle = QStringLiteral("Время (час:минута:секунда) / Дата (день.месяц.год)");
inline const QString GridDevice = QStringLiteral("Прибор");
inline const QString GridAddress = QStringLiteral("Адрес");
inline const QString GridMinimum = QStringLiteral("Минимум");
inline const QString GridMaximum = QStringLiteral("Максимум");
inline const QString GridUnit = QStringLiteral("Ед. изм.");
inline const QString GridCount = QStringLiteral("Кол-во точек");
inline const QString DataAxisLabel = QStringLiteral("Ось данных");
inline const QString TimeAxisLabel = QStringLiteral("Ось времени");
inline const QString AxisPressure = QStringLiteral("Давление");
inline const QString AxisCurrent = QStringLiteral("Ток");
inline const QString AxisUdif = QStringLiteral("Udif");
inline const QString AxisUm = QStringLiteral("Um");
inline const QString AxisTemperature = QStringLiteral("t микропроцессора");
inline const QString TimeKindTime = QStringLiteral("Время");
inline const QString TimeKindDate = QStringLiteral("Дата");
inline const QString TimeKindTimeDate = QStringLiteral("Время / Дата ");
inline const QString LoadButton = QStringLiteral("Добавить график");
inline const QString DeleteButton = QStringLiteral("Удалить график");
inline const QString CopyButton = QStringLiteral("Копировать");
inline const QString PrintButton = QStringLiteral("Печать");
inline const QString CloseButton = QStringLiteral("Выход");
inline const QString OpenDialogTitle = QStringLiteral("Загрузка данных из файла");
inline const QString DefaultExtension = QStringLiteral("txt");
inline const QString FileAccessError = QStringLiteral("Ошибка доступа к файлу ");
// The file filter as a name with its pattern ("name|pattern" in the original notation).
inline const QString FileFilter = QStringLiteral("Файл данных (*.txt)");
// "\n" stands where the message breaks its line.
inline const QString TooManyPoints = QStringLiteral("Количество данных в файле превышает 30000. ") + QLatin1Char('\n') + QStringLiteral("Остальные данные не будут загружены");

// Pressure units as the window shows them, in the order of their data-file names
// (text::PressureUnitFileTexts()).
inline const QString PressureUnitsShown[] = {
    QStringLiteral("кгс/см2"), QStringLiteral("МПа"), QStringLiteral("кПа"),
    QStringLiteral("Па"), QStringLiteral("кгс/м2"), QStringLiteral("атм"),
    QStringLiteral("мм рт. ст."), QStringLiteral("мм вод. ст."), QStringLiteral("бар"),
};
inline const QString CurrentUnitShown = QStringLiteral("мА");

// Conversion failures, worded like the program's other conversion messages ("%1" is the text).
inline const QString NotAFloat = QStringLiteral("'%1' is not a valid floating point value");
inline const QString NotATime = QStringLiteral("'%1' is not a valid time");
inline const QString NotADate = QStringLiteral("'%1' is not a valid date");

} // namespace orv::graph_texts
