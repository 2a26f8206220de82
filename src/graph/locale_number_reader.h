#pragma once
// Reads the value texts of survey files in the user's locale. The program writes values as digits
// with the locale's decimal separator and minus sign; texts of exactly that shape are converted
// directly, anything else goes through QLocale. Both give the same number for the same text.
#include <QLatin1StringView>
#include <QLocale>
#include <QStringView>
#include <optional>

namespace orv {

class LocaleNumberReader
{
public:
    explicit LocaleNumberReader(const QLocale &locale);

    // The number, or nothing when the text is not a number of the locale (group separators are
    // not accepted). Infinity and not-a-number come back as such.
    std::optional<double> Read(QStringView text) const;
    std::optional<double> Read(QLatin1StringView text) const;

private:
    template <class Text>
    bool ReadPlain(const Text &text, double &value) const;

    QLocale locale_;
    char decimal_ = 0;   // the decimal separator when it is one ASCII character, else 0
};

} // namespace orv
