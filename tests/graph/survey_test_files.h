#pragma once
// Survey data files as the registration page writes them: Windows-1251, CR LF line ends, a
// heading line, the device line and one line per answer.
#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QString>
#include <QStringEncoder>
#include <QStringList>
#include <QTemporaryDir>
#include <QTime>
#include <cmath>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace orv::test {

inline QByteArray ToWindows1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

inline QString StampPiece(const QTime &time, const QDate &date)
{
    return QStringLiteral("Time: ") + time.toString(QStringLiteral("HH:mm:ss.zzz")) +
           QStringLiteral(" ; Date: ") + date.toString(QStringLiteral("dd.MM.yyyy"));
}

// A command-1 line; `value` is the text as the program writes it (comma, seven decimals).
inline QString Command1Line(int address, const QString &value, const QString &unit, const QTime &time,
                            const QDate &date)
{
    return QStringLiteral("Addr: %1 ; Command: 1 ; Pressure: %2 %3 ; ").arg(address).arg(value, unit) +
           StampPiece(time, date);
}

inline QString Command3Line(int address, const QString &current, const QString &pressure, const QTime &time,
                            const QDate &date)
{
    return QStringLiteral("Addr: %1 ; Command: 3 ; Iout: %2 mA ; Pressure: %3 ; Um: 1523,5000000 ; "
                          "Udif: 311,7500000 ;  t_kristall: 24,56 °C ; ")
               .arg(address)
               .arg(current, pressure) +
           StampPiece(time, date);
}

// Value text with seven decimals and the comma, as the writer formats it.
inline QString ValueText(double v)
{
    return QString::number(v, 'f', 7).replace(QLatin1Char('.'), QLatin1Char(','));
}

// A whole file: heading, device line and the data lines, each ended by CR LF.
inline QByteArray SurveyFile(int slot, int address, const QStringList &dataLines,
                             const QString &created = QStringLiteral("14:03:27 06.12.2026"))
{
    QString text = QStringLiteral("Файл данных опроса от ") + created + QStringLiteral("\r\n") +
                   QStringLiteral("Прибор № %1 (адрес - %2)\r\n").arg(slot).arg(address);
    for (const QString &line : dataLines)
        text += line + QStringLiteral("\r\n");
    return ToWindows1251(text);
}

// `count` command-1 lines one second apart from 10:00:00 on 6 December 2026, the value following
// a sine around `base`.
inline QStringList PressureSeries(int address, int count, double base, const QString &unit = QStringLiteral("kPa"),
                                  double amplitude = 5)
{
    QStringList lines;
    lines.reserve(count);
    const QDate day(2026, 12, 6);
    for (int i = 0; i < count; ++i) {
        const int second = 10 * 3600 + i;
        const QDate date = day.addDays(second / 86400);
        const QTime time = QTime(0, 0).addSecs(second % 86400).addMSecs(45);
        lines << Command1Line(address, ValueText(base + amplitude * std::sin(i / 300.0) + (i % 7) * 0.01), unit,
                              time, date);
    }
    return lines;
}

inline QString WriteFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write(bytes);
    return path;
}

} // namespace orv::test
