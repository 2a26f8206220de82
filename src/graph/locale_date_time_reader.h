#pragma once
// Reads the time and date texts of the survey data files back in the user's locale: the long
// time format without a time zone ("14:03:27") and the short date format ("06.12.2026").
// The formats are looked at once; a time of fixed two-digit fields is then read digit by digit,
// and any text that does not have exactly that shape goes the general way.
#include <QByteArray>
#include <QLatin1StringView>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace orv {

// Milliseconds in one day; a plotted X value is the day number times this plus the time of day.
inline constexpr qint64 MillisecondsPerDay = 86400000;

class LocaleDateTimeReader
{
public:
    explicit LocaleDateTimeReader(const QLocale &locale);

    // Milliseconds since midnight, or nothing when the text is not a time of the locale.
    std::optional<qint64> TimeOfDay(QStringView text) const;
    // Days since 1 January 1970, or nothing when the text is not a date of the locale.
    std::optional<qint64> Day(QStringView text);
    // The same for texts of ASCII characters, with the same results.
    std::optional<qint64> TimeOfDay(QLatin1StringView text) const;
    std::optional<qint64> Day(QLatin1StringView text);

    QString TimeFormat() const { return timeFormat_; }
    QString DateFormat() const { return dateFormat_; }

private:
    enum class FieldKind { Literal, Day, Month, Year2, Year4, Hour24, Hour12, Minute, Second, AmPm };
    struct Field
    {
        FieldKind kind;
        QString literal;
    };
    struct Parsed
    {
        int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
        int amPm = -1;   // -1 none, 0 am, 1 pm
    };

    // Splits a format into fields; false when it uses anything the quick reader does not know
    // (month names, weekday names, fractions), which then go through QLocale.
    static bool Compile(const QString &format, std::vector<Field> &fields);
    bool Read(const std::vector<Field> &fields, QStringView text, Parsed &out) const;
    // The time format as a pattern of fixed width: 'H', 'm', 's' stand for digits, any other
    // character for itself. Empty when the format is not of that kind.
    static QByteArray FixedDigitPattern(const QString &format);

    QLocale locale_;
    QString timeFormat_;
    QString dateFormat_;
    std::vector<Field> timeFields_;
    std::vector<Field> dateFields_;
    bool quickTime_ = false;
    bool quickDate_ = false;
    QByteArray fixedTime_;
    // Survey lines of one day carry the same date text: remember the last one read.
    QString lastDateText_;
    qint64 lastDay_ = 0;
    QByteArray lastLatin1Date_;
    qint64 lastLatin1Day_ = 0;
};

} // namespace orv
