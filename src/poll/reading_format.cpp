#include "poll/reading_format.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace orv {

namespace {

const QString TextTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");
const QString IsoTimeFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz");

QString CsvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString JsonString(const QString &text)
{
    // A one-element array gives QJson's escaping; the brackets are cut off again.
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

// A value the gauge sent as a number stays a JSON number; names (the modification) stay texts.
QString JsonValue(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]+)?([eE][+-]?[0-9]+)?$"));
    return number.match(text).hasMatch() ? text : JsonString(text);
}

QString TextLine(const Reading &r, const ResultRows &rows)
{
    QString line = r.time.toString(TextTimeFormat) + QStringLiteral("  адрес ") + QString::number(r.address) +
                   QStringLiteral(": ");
    if (!r.answered)
        return line + QStringLiteral("нет ответа");
    QStringList values;
    for (const ResultRowTexts &row : rows)
        values << row.parameter.trimmed() + QStringLiteral(" = ") + row.value;
    return line + values.join(QStringLiteral("; "));
}

QStringList CsvLines(const Reading &r, const ResultRows &rows)
{
    const QString start = r.time.toString(IsoTimeFormat) + QLatin1Char(',') + QString::number(r.address) +
                          QLatin1Char(',') + QString::number(r.command) + QLatin1Char(',');
    if (!r.answered)
        return {start + QStringLiteral("no answer,,")};
    QStringList lines;
    for (const ResultRowTexts &row : rows)
        lines << start + QStringLiteral("ok,") + CsvField(row.parameter.trimmed()) + QLatin1Char(',') + CsvField(row.value);
    return lines;
}

QString JsonLine(const Reading &r, const ResultRows &rows)
{
    QString line = QStringLiteral("{\"time\":\"") + r.time.toString(IsoTimeFormat) + QStringLiteral("\",\"address\":") +
                   QString::number(r.address) + QStringLiteral(",\"command\":") + QString::number(r.command) +
                   QStringLiteral(",\"answered\":") + (r.answered ? QStringLiteral("true") : QStringLiteral("false"));
    if (r.answered) {
        QStringList values;
        for (const ResultRowTexts &row : rows)
            values << QStringLiteral("{\"parameter\":") + JsonString(row.parameter.trimmed()) +
                          QStringLiteral(",\"value\":") + JsonValue(row.value) + QLatin1Char('}');
        line += QStringLiteral(",\"values\":[") + values.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    return line + QLatin1Char('}');
}

} // namespace

ResultRows ReadingRows(const Reading &reading, const VariableSelection &selection, QChar separator)
{
    if (!reading.answered)
        return {};
    const ResponseView answer{reading.frame.data(), static_cast<int>(reading.frame.size())};
    switch (reading.command) {
    case 1:
        return DecodePrimaryVariable(answer, separator);
    case 3:
        return DecodeCurrentAndVariables(answer, separator);
    case 33:
        return DeviceVariableRows(answer, selection, separator);
    default:
        return {};
    }
}

QString ReadingHeader(OutputFormat format, bool scan)
{
    if (format != OutputFormat::Csv)
        return QString();
    return scan ? QStringLiteral("address,pressure,unit") : QStringLiteral("time,address,command,status,parameter,value");
}

QStringList ReadingLines(const Reading &reading, const VariableSelection &selection, OutputFormat format)
{
    switch (format) {
    case OutputFormat::Text:
        return {TextLine(reading, ReadingRows(reading, selection, LocaleDecimalSeparator()))};
    case OutputFormat::Csv:
        return CsvLines(reading, ReadingRows(reading, selection, QLatin1Char('.')));
    case OutputFormat::Json:
        return {JsonLine(reading, ReadingRows(reading, selection, QLatin1Char('.')))};
    }
    return {};
}

QString FoundGaugeLine(int address, const QString &pressure, const QString &unit, OutputFormat format)
{
    switch (format) {
    case OutputFormat::Text:
        return QStringLiteral("адрес %1: %2 %3").arg(address).arg(pressure, unit).trimmed();
    case OutputFormat::Csv:
        return QString::number(address) + QLatin1Char(',') + pressure + QLatin1Char(',') + CsvField(unit);
    case OutputFormat::Json:
        return QStringLiteral("{\"address\":%1,\"pressure\":%2,\"unit\":%3}")
            .arg(address)
            .arg(JsonValue(pressure), JsonString(unit));
    }
    return QString();
}

} // namespace orv
