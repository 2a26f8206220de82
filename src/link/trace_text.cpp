#include "link/trace_text.h"

#include "link/value_text.h"

namespace orv {

QString ByteListText(const std::uint8_t *bytes, int count)
{
    QString text;
    text.reserve(count * 4);
    for (int i = 0; i < count; ++i) {
        text += QLatin1Char(' ');
        text += QString::number(bytes[i]);
    }
    return text;
}

QString SpacedByteText(const std::uint8_t *bytes, int count)
{
    return ByteListText(bytes, count).mid(1);
}

QString ElapsedSecondsText(const QTime &sent, const QTime &now)
{
    int milliseconds = now.msec() - sent.msec();
    int borrow = 0;
    if (milliseconds < 0) {
        milliseconds += 1000;
        borrow = 1;
    }
    int seconds = now.second() - sent.second() - borrow;
    if (seconds < 0)
        seconds += 60;
    return QString::number(seconds) + QLatin1Char('.') + PadMilliseconds(milliseconds);
}

QString FirstByteTraceLine(const QTime &sent, const QTime &now)
{
    return QStringLiteral("Время начала прихода сообщения: ") + LongTimeText(now) + QLatin1Char('.') +
           PadMilliseconds(now.msec()) + QStringLiteral(" (+") + ElapsedSecondsText(sent, now) +
           QStringLiteral(" сек)");
}

} // namespace orv
