#include "link/serial_messages.h"

#include <cstring>

namespace orv::serial_messages {

QString FillInMessage(const char *pattern, std::initializer_list<QString> arguments)
{
    const QString text = QString::fromUtf8(pattern);
    QString result;
    result.reserve(text.size() + 32);
    auto next = arguments.begin();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool placeholder = text[i] == QLatin1Char('%') && i + 1 < text.size()
                                 && (text[i + 1] == QLatin1Char('s') || text[i + 1] == QLatin1Char('d'));
        if (placeholder && next != arguments.end()) {
            result += *next++;
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

QString SystemErrorText(int errorCode)
{
    // The GNU strerror_r may return a static text instead of filling the buffer; either is fine.
    char buffer[256] = {};
    const char *text = strerror_r(errorCode, buffer, sizeof buffer);
    return QString::fromLocal8Bit(text);
}

QString WithSystemError(const char *pattern, int errorCode)
{
    return FillInMessage(pattern, {QString::number(errorCode), SystemErrorText(errorCode)});
}

} // namespace orv::serial_messages
