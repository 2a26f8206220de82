#include "locale_number_reader.h"

#include <charconv>

namespace orv {

LocaleNumberReader::LocaleNumberReader(const QLocale &locale)
    : locale_(locale)
{
    // Group separators never appear in the written values; a number that has them is not one.
    locale_.setNumberOptions(locale_.numberOptions() | QLocale::RejectGroupSeparator);
    const QString point = locale_.decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 128 && !point.at(0).isDigit() &&
        locale_.negativeSign() == QLatin1String("-") && locale_.zeroDigit() == QLatin1String("0"))
        decimal_ = char(point.at(0).unicode());
}

template <class Text>
bool LocaleNumberReader::ReadPlain(const Text &text, double &value) const
{
    // [-]digits[<separator>digits], which the standard conversion reads exactly as QLocale does.
    constexpr qsizetype Longest = 64;
    const qsizetype n = text.size();
    if (decimal_ == 0 || n == 0 || n > Longest)
        return false;
    char buffer[Longest];
    qsizetype i = 0;
    bool separator = false;
    int digitsBefore = 0, digitsAfter = 0;
    if (text.at(0).unicode() == '-') {
        buffer[0] = '-';
        i = 1;
    }
    for (; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= '0' && c <= '9') {
            buffer[i] = char(c);
            ++(separator ? digitsAfter : digitsBefore);
        } else if (c == char16_t(decimal_) && !separator) {
            buffer[i] = '.';
            separator = true;
        } else {
            return false;
        }
    }
    if (digitsBefore == 0 || (separator && digitsAfter == 0))
        return false;
    const std::from_chars_result r = std::from_chars(buffer, buffer + n, value);
    return r.ec == std::errc() && r.ptr == buffer + n;
}

std::optional<double> LocaleNumberReader::Read(QStringView text) const
{
    double value = 0;
    if (ReadPlain(text, value))
        return value;
    bool ok = false;
    value = locale_.toDouble(text, &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> LocaleNumberReader::Read(QLatin1StringView text) const
{
    double value = 0;
    if (ReadPlain(text, value))
        return value;
    return Read(QStringView(QString(text)));
}

} // namespace orv
