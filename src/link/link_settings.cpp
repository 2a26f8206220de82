#include "link/link_settings.h"

#include <QStringList>

#include <algorithm>

namespace orv {

namespace {

struct LinkTime {
    int LinkSettings::*member;
    LinkTimeRange range;
    const char *name;
};

const LinkTime LinkTimes[] = {
    {&LinkSettings::PostTransmitDelay, PostTransmitDelayRange, "Задержка после отправки сообщения"},
    {&LinkSettings::ResponseWaitTime, ResponseWaitRange, "Время ожидания ответного сообщения"},
    {&LinkSettings::NextTransmitTime, NextTransmitRange, "Задержка перед отправлением нового сообщения"},
    {&LinkSettings::Rs485Delay, Rs485DelayRange, "Дополнительная задержка RS-485"},
};

} // namespace

LinkSettings BoundedLinkSettings(LinkSettings settings)
{
    for (const LinkTime &time : LinkTimes)
        settings.*time.member = std::clamp(settings.*time.member, time.range.min, time.range.max);
    return settings;
}

QString LinkTimingWarning(const LinkSettings &given)
{
    QStringList parts;
    if (given.ResponseWaitTime <= 0 || given.ResponseWaitTime >= given.NextTransmitTime)
        parts << QStringLiteral("Время ожидания ответного сообщения (%1 мс) должно быть больше нуля и меньше "
                                "задержки перед отправлением нового сообщения (%2 мс), иначе ответы приборов "
                                "будут теряться.")
                     .arg(given.ResponseWaitTime)
                     .arg(given.NextTransmitTime);
    // A delay below zero means none, as it always has; only values beyond the upper limit are news.
    for (const LinkTime &time : LinkTimes) {
        if (given.*time.member > time.range.max)
            parts << QStringLiteral("%1 (%2 мс) больше допустимых %3 мс; принято %3 мс.")
                         .arg(QString::fromUtf8(time.name))
                         .arg(given.*time.member)
                         .arg(time.range.max);
    }
    return parts.join(QLatin1Char('\n'));
}

} // namespace orv
