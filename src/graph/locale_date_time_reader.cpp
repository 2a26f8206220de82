#include "locale_date_time_reader.h"

#include "link/value_text.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

namespace orv {

LocaleDateTimeReader::LocaleDateTimeReader(const QLocale &locale)
    : locale_(locale),
      timeFormat_(LongTimeFormatWithoutZone(locale)),
      dateFormat_(locale.dateFormat(QLocale::ShortFormat))
{
    quickTime_ = Compile(timeFormat_, timeFields_);
    quickDate_ = Compile(dateFormat_, dateFields_);
    if (quickTime_)
        fixedTime_ = FixedDigitPattern(timeFormat_);
}

QByteArray LocaleDateTimeReader::FixedDigitPattern(const QString &format)
{
    QByteArray pattern;
    for (int i = 0; i < format.size();) {
        const QChar c = format.at(i);
        int run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        const char l = c.unicode() < 128 ? char(c.unicode()) : 0;
        if (l == 'H' || l == 'm' || l == 's') {
            if (run != 2 || pattern.contains(l))
                return {};
            pattern.append(2, l);
        } else if (l == 0 || l == '\'' || (l >= 'a' && l <= 'z') || (l >= 'A' && l <= 'Z') || (l >= '0' && l <= '9')) {
            return {};
        } else {
            pattern.append(run, l);
        }
        i += run;
    }
    return pattern;
}

std::optional<qint64> LocaleDateTimeReader::TimeOfDay(QLatin1StringView text) const
{
    if (!fixedTime_.isEmpty() && text.size() == fixedTime_.size()) {
        int field[3] = {0, 0, 0};   // hour, minute, second
        bool fits = true;
        for (qsizetype i = 0; fits && i < text.size(); ++i) {
            const char p = fixedTime_.at(i), c = text.at(i).toLatin1();
            const int f = p == 'H' ? 0 : p == 'm' ? 1 : p == 's' ? 2 : -1;
            if (f < 0)
                fits = c == p;
            else if (c >= '0' && c <= '9')
                field[f] = field[f] * 10 + (c - '0');
            else
                fits = false;
        }
        if (fits && field[0] <= 23 && field[1] <= 59 && field[2] <= 59)
            return (qint64(field[0]) * 3600 + field[1] * 60 + field[2]) * 1000;
    }
    return TimeOfDay(QStringView(QString(text)));
}

std::optional<qint64> LocaleDateTimeReader::Day(QLatin1StringView text)
{
    if (!lastLatin1Date_.isEmpty() && QLatin1StringView(lastLatin1Date_) == text)
        return lastLatin1Day_;
    const std::optional<qint64> day = Day(QStringView(QString(text)));
    if (day) {
        lastLatin1Date_ = QByteArray(text.data(), text.size());
        lastLatin1Day_ = *day;
    }
    return day;
}

bool LocaleDateTimeReader::Compile(const QString &format, std::vector<Field> &fields)
{
    fields.clear();
    auto literal = [&fields](const QString &text) {
        if (!fields.empty() && fields.back().kind == FieldKind::Literal)
            fields.back().literal += text;
        else
            fields.push_back({FieldKind::Literal, text});
    };
    for (int i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            const int end = format.indexOf(QLatin1Char('\''), i + 1);
            if (end < 0)
                return false;
            literal(end == i + 1 ? QStringLiteral("'") : format.mid(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        int run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        const char l = c.toLatin1();
        if ((l == 'A' || l == 'a') && i + 1 < format.size() &&
            (format.at(i + 1) == QLatin1Char('P') || format.at(i + 1) == QLatin1Char('p'))) {
            fields.push_back({FieldKind::AmPm, {}});
            i += 2;
            continue;
        }
        FieldKind kind = FieldKind::Literal;
        switch (l) {
        case 'd': kind = FieldKind::Day; break;
        case 'M': kind = FieldKind::Month; break;
        case 'y': kind = run == 2 ? FieldKind::Year2 : FieldKind::Year4; break;
        case 'H': kind = FieldKind::Hour24; break;
        case 'h': kind = FieldKind::Hour12; break;
        case 'm': kind = FieldKind::Minute; break;
        case 's': kind = FieldKind::Second; break;
        case 'A': case 'a': kind = FieldKind::AmPm; run = 1; break;
        case 'z': case 't': case 'P': case 'p': return false;
        default: break;
        }
        if (kind == FieldKind::Literal) {
            literal(format.mid(i, run));
        } else {
            const bool numericPair = kind != FieldKind::AmPm && kind != FieldKind::Year2 &&
                                     kind != FieldKind::Year4;
            if ((numericPair && run > 2) || (l == 'y' && run != 2 && run != 4))
                return false;   // names of months or weekdays
            fields.push_back({kind, {}});
        }
        i += run;
    }
    return true;
}

namespace {

// Reads between minDigits and maxDigits decimal digits at text[pos].
bool ReadNumber(QStringView text, int &pos, int minDigits, int maxDigits, int &value)
{
    int digits = 0;
    value = 0;
    while (digits < maxDigits && pos < text.size() && text.at(pos).isDigit() &&
           text.at(pos).unicode() < 128) {
        value = value * 10 + (text.at(pos).unicode() - '0');
        ++pos;
        ++digits;
    }
    return digits >= minDigits;
}

} // namespace

bool LocaleDateTimeReader::Read(const std::vector<Field> &fields, QStringView text, Parsed &out) const
{
    int pos = 0;
    for (const Field &f : fields) {
        switch (f.kind) {
        case FieldKind::Literal:
            if (!text.mid(pos).startsWith(f.literal))
                return false;
            pos += f.literal.size();
            break;
        case FieldKind::Day:
            if (!ReadNumber(text, pos, 1, 2, out.day))
                return false;
            break;
        case FieldKind::Month:
            if (!ReadNumber(text, pos, 1, 2, out.month))
                return false;
            break;
        case FieldKind::Year4:
            if (!ReadNumber(text, pos, 4, 4, out.year))
                return false;
            break;
        case FieldKind::Year2:
            if (!ReadNumber(text, pos, 2, 2, out.year))
                return false;
            out.year += 2000;   // survey files are from this century
            break;
        case FieldKind::Hour24:
        case FieldKind::Hour12:
            if (!ReadNumber(text, pos, 1, 2, out.hour))
                return false;
            break;
        case FieldKind::Minute:
            if (!ReadNumber(text, pos, 1, 2, out.minute))
                return false;
            break;
        case FieldKind::Second:
            if (!ReadNumber(text, pos, 1, 2, out.second))
                return false;
            break;
        case FieldKind::AmPm: {
            const QStringView rest = text.mid(pos);
            const QString am = locale_.amText();
            const QString pm = locale_.pmText();
            if (!am.isEmpty() && rest.startsWith(am, Qt::CaseInsensitive)) {
                out.amPm = 0;
                pos += am.size();
            } else if (!pm.isEmpty() && rest.startsWith(pm, Qt::CaseInsensitive)) {
                out.amPm = 1;
                pos += pm.size();
            } else {
                return false;
            }
            break;
        }
        }
    }
    return pos == text.size();
}

std::optional<qint64> LocaleDateTimeReader::TimeOfDay(QStringView text) const
{
    if (!quickTime_) {
        const QTime t = locale_.toTime(text.toString(), timeFormat_);
        if (!t.isValid())
            return std::nullopt;
        return qint64(t.msecsSinceStartOfDay());
    }
    Parsed p;
    if (!Read(timeFields_, text, p))
        return std::nullopt;
    if (p.amPm >= 0) {
        if (p.hour < 1 || p.hour > 12)
            return std::nullopt;
        p.hour = p.hour % 12 + (p.amPm == 1 ? 12 : 0);
    }
    if (p.hour > 23 || p.minute > 59 || p.second > 59)
        return std::nullopt;
    return (qint64(p.hour) * 3600 + p.minute * 60 + p.second) * 1000;
}

std::optional<qint64> LocaleDateTimeReader::Day(QStringView text)
{
    if (!lastDateText_.isEmpty() && text == lastDateText_)
        return lastDay_;
    QDate date;
    if (quickDate_) {
        Parsed p;
        if (!Read(dateFields_, text, p) || !QDate::isValid(p.year, p.month, p.day))
            return std::nullopt;
        date = QDate(p.year, p.month, p.day);
    } else {
        date = locale_.toDate(text.toString(), dateFormat_);
        if (!date.isValid())
            return std::nullopt;
    }
    static const qint64 epochDay = QDate(1970, 1, 1).toJulianDay();
    lastDateText_ = text.toString();
    lastDay_ = date.toJulianDay() - epochDay;
    return lastDay_;
}

} // namespace orv
