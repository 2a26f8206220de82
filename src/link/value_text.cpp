#include "link/value_text.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

namespace orv {

namespace {

// Number conversions must not follow the C library's locale (a Russian glibc locale makes
// strtof stop at a point), so they run in a fixed "C" locale of their own.
locale_t CLocale()
{
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

float FloatFromBytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3)
{
    const std::uint32_t bits = (std::uint32_t(b0) << 24) | (std::uint32_t(b1) << 16) |
                               (std::uint32_t(b2) << 8) | std::uint32_t(b3);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Decimal digits of |value| rounded half away from zero to the given number of significant
// digits, and the power of ten of the first digit. Works from the exact expansion of the
// value, so a tie is a real tie.
struct RoundedDigits {
    std::string digits;   // empty when the value rounds to zero
    int exponent = 0;     // value = 0.d1d2d3... * 10^(exponent+1)
};

RoundedDigits RoundToDigits(double magnitude, int significantLimit, int decimalsLimit)
{
    RoundedDigits out;
    if (magnitude == 0.0)
        return out;
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.200e", magnitude);
    // buf: d.ddd...e±XX
    std::string mantissa;
    mantissa += buf[0];
    const char *p = buf + 2;
    while (*p && *p != 'e')
        mantissa += *p++;
    const int exp10 = std::atoi(p + 1);
    // Keep no more digits than both limits allow: significant digits, and digits down to 10^-decimals.
    int keep = std::min(significantLimit, exp10 + 1 + decimalsLimit);
    if (keep < 0)
        return out;
    std::string kept = mantissa.substr(0, static_cast<std::size_t>(keep));
    const bool roundUp = static_cast<std::size_t>(keep) < mantissa.size() &&
                         mantissa[static_cast<std::size_t>(keep)] >= '5';
    int exponent = exp10;
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') {
            kept[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++kept[static_cast<std::size_t>(i)];
        } else {
            kept.insert(kept.begin(), '1');
            ++exponent;
            if (static_cast<int>(kept.size()) > significantLimit)
                kept.pop_back();
        }
    }
    while (!kept.empty() && kept.back() == '0')
        kept.pop_back();
    if (kept.empty())
        return out;
    out.digits = kept;
    out.exponent = exponent;
    return out;
}

QString ExponentText(bool negative, const RoundedDigits &r, QChar separator)
{
    std::string digits = r.digits;
    digits.resize(7, '0');
    QString text;
    if (negative)
        text += QLatin1Char('-');
    text += QLatin1Char(digits[0]);
    text += separator;
    text += QString::fromLatin1(digits.c_str() + 1);
    text += QLatin1Char('e');
    text += r.exponent < 0 ? QLatin1Char('-') : QLatin1Char('+');
    text += QStringLiteral("%1").arg(std::abs(r.exponent), 2, 10, QLatin1Char('0'));
    return text;
}

} // namespace

QChar LocaleDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.at(0);
}

QString FloatBytesToText(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                         QChar separator)
{
    const float value = FloatFromBytes(b0, b1, b2, b3);
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");

    constexpr int Precision = 7;
    constexpr int Decimals = 7;
    const bool negative = std::signbit(value);
    const RoundedDigits r = RoundToDigits(std::fabs(static_cast<double>(value)), Precision, Decimals);
    if (r.digits.empty())
        return QStringLiteral("0") + separator + QStringLiteral("0000000");
    if (r.exponent + 1 > Precision)
        return ExponentText(negative, RoundToDigits(std::fabs(static_cast<double>(value)), Precision, 400),
                            separator);

    // r.digits[0] stands for 10^r.exponent; at most seven digits fall behind the separator.
    const QString digits = QString::fromLatin1(r.digits.c_str());
    QString integerPart;
    QString fraction;
    if (r.exponent >= 0) {
        const int integerDigits = r.exponent + 1;
        integerPart = digits.left(integerDigits).leftJustified(integerDigits, QLatin1Char('0'));
        fraction = digits.mid(integerDigits);
    } else {
        integerPart = QStringLiteral("0");
        fraction = QString(-r.exponent - 1, QLatin1Char('0')) + digits;
    }
    fraction = fraction.leftJustified(Decimals, QLatin1Char('0'));
    return (negative ? QStringLiteral("-") : QString()) + integerPart + separator + fraction;
}

QString FloatBytesToText(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3)
{
    return FloatBytesToText(b0, b1, b2, b3, LocaleDecimalSeparator());
}

QString FloatBytesToText(const std::uint8_t *b)
{
    return FloatBytesToText(b[0], b[1], b[2], b[3]);
}

std::optional<FloatBytes> TextToFloatBytes(const QString &text, QChar separator, QString *errorMessage)
{
    QString s = text;
    const int point = s.indexOf(QLatin1Char('.'));
    if (point >= 0)
        s[point] = separator;

    const auto fail = [&]() -> std::optional<FloatBytes> {
        if (errorMessage)
            *errorMessage = QStringLiteral("'%1' is not a valid floating point value").arg(s);
        return std::nullopt;
    };

    // Blanks around, a sign, digits with at most one separator, an optional exponent.
    const QString trimmed = s.trimmed();
    std::string plain;
    int i = 0;
    const int n = trimmed.size();
    if (i < n && (trimmed[i] == QLatin1Char('+') || trimmed[i] == QLatin1Char('-')))
        plain += static_cast<char>(trimmed[i++].unicode());
    int digits = 0;
    bool separatorSeen = false;
    for (; i < n; ++i) {
        const QChar c = trimmed[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            plain += static_cast<char>(c.unicode());
            ++digits;
        } else if (c == separator && !separatorSeen) {
            separatorSeen = true;
            plain += '.';
        } else {
            break;
        }
    }
    if (digits == 0)
        return fail();
    if (i < n && (trimmed[i] == QLatin1Char('e') || trimmed[i] == QLatin1Char('E'))) {
        plain += 'e';
        ++i;
        if (i < n && (trimmed[i] == QLatin1Char('+') || trimmed[i] == QLatin1Char('-')))
            plain += static_cast<char>(trimmed[i++].unicode());
        int expDigits = 0;
        for (; i < n && trimmed[i] >= QLatin1Char('0') && trimmed[i] <= QLatin1Char('9'); ++i) {
            plain += static_cast<char>(trimmed[i].unicode());
            ++expDigits;
        }
        if (expDigits == 0)
            return fail();
    }
    if (i != n)
        return fail();

    errno = 0;
    const float value = strtof_l(plain.c_str(), nullptr, CLocale());
    if (std::isinf(value))
        return fail();
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return FloatBytes{static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
                      static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)};
}

std::optional<FloatBytes> TextToFloatBytes(const QString &text, QString *errorMessage)
{
    return TextToFloatBytes(text, LocaleDecimalSeparator(), errorMessage);
}

std::optional<int> TextToInteger(const QString &text, QString *errorMessage)
{
    const auto fail = [&]() -> std::optional<int> {
        if (errorMessage)
            *errorMessage = QStringLiteral("'%1' is not a valid integer value").arg(text);
        return std::nullopt;
    };
    QString s = text;
    while (s.startsWith(QLatin1Char(' ')))
        s.remove(0, 1);
    bool negative = false;
    if (s.startsWith(QLatin1Char('+')) || s.startsWith(QLatin1Char('-'))) {
        negative = s.startsWith(QLatin1Char('-'));
        s.remove(0, 1);
    }
    int base = 10;
    if (s.startsWith(QLatin1Char('$'))) {
        base = 16;
        s.remove(0, 1);
    } else if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        s.remove(0, 2);
    }
    static const QRegularExpression decimal(QStringLiteral("^[0-9]+$"));
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]+$"));
    if (!(base == 10 ? decimal : hex).match(s).hasMatch())
        return fail();
    bool ok = false;
    const qulonglong magnitude = s.toULongLong(&ok, base);
    if (!ok)
        return fail();
    if (base == 16 && !negative && magnitude <= 0xFFFFFFFFull)   // hexadecimal may spell the sign bit
        return static_cast<int>(static_cast<std::uint32_t>(magnitude));
    if (negative ? magnitude > 2147483648ull : magnitude > 2147483647ull)
        return fail();
    return negative ? static_cast<int>(-static_cast<long long>(magnitude)) : static_cast<int>(magnitude);
}

QString GeneralNumberText(const QString &fixedText, QChar separator)
{
    QString s = fixedText;
    s.replace(separator, QLatin1Char('.'));
    char *end = nullptr;
    const std::string latin = s.toStdString();
    const double value = strtod_l(latin.c_str(), &end, CLocale());
    if (end == latin.c_str())
        return fixedText;
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    // Shortest form with up to 15 significant digits, as a general format would print it.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    QString out = QString::fromLatin1(buf);
    // Keep the exponent as the program prints it elsewhere ("1,5e+20").
    out.replace(QLatin1Char('.'), separator);
    if (out == QStringLiteral("-0"))
        out = QStringLiteral("0");
    return out;
}

QString GeneralNumberText(const QString &fixedText)
{
    return GeneralNumberText(fixedText, LocaleDecimalSeparator());
}

QString PadMilliseconds(int v)
{
    if (v < 10)
        return QStringLiteral("00") + QString::number(v);
    if (v < 100)
        return QStringLiteral("0") + QString::number(v);
    return QString::number(v);
}

QString LongTimeFormatWithoutZone(const QLocale &locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    // Qt's long format names the time zone ("t", "tt", "ttt", "tttt"); the program's time stamps
    // never carry one.
    static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
    format.replace(zone, QStringLiteral(" "));
    format = format.trimmed();
    if (format.isEmpty())
        format = QStringLiteral("HH:mm:ss");
    return format;
}

QString LongTimeText(const QTime &time)
{
    return QLocale().toString(time, LongTimeFormatWithoutZone(QLocale()));
}

QString ShortDateText(const QDate &date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

QString TimeStampText(const QDateTime &moment)
{
    return LongTimeText(moment.time()) + QLatin1Char('.') + PadMilliseconds(moment.time().msec()) +
           QLatin1Char(' ') + ShortDateText(moment.date());
}

} // namespace orv
