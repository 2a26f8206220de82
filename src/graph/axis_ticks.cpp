#include "axis_ticks.h"

#include <QDate>
#include <algorithm>
#include <cmath>

namespace orv {

QString DataAxisLabel(double value, const QLocale &locale)
{
    QLocale l = locale;
    l.setNumberOptions(l.numberOptions() & ~QLocale::OmitGroupSeparator);
    const double rounded = std::round(value * 1e5) / 1e5;
    QString text = l.toString(rounded == 0 ? 0.0 : rounded, 'f', 5);
    const QString point = l.decimalPoint();
    const int at = int(text.lastIndexOf(point));
    if (at >= 0) {
        int end = int(text.size());
        while (end > at + point.size() && text.at(end - 1) == l.zeroDigit().at(0))
            --end;
        if (end == at + point.size())
            end = at;
        text.truncate(end);
    }
    return text;
}

namespace {

double RoundStep(double rough)
{
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= rough * (1 - 1e-9))
            return m * power;
    return 10 * power;
}

} // namespace

std::vector<AxisTick> DataAxisTicks(double low, double high, int maxTicks, const QLocale &locale)
{
    std::vector<AxisTick> ticks;
    if (!(high > low) || !std::isfinite(low) || !std::isfinite(high))
        return ticks;
    maxTicks = std::max(maxTicks, 2);
    // Five decimals is the finest the labels can tell apart.
    const double step = std::max(RoundStep((high - low) / (maxTicks - 1)), 1e-5);
    const double tolerance = step * 1e-9;
    for (int i = 0; i <= maxTicks; ++i) {
        const double v = low + i * step;
        if (v > high + tolerance)
            break;
        QString label = DataAxisLabel(v, locale);
        if (!ticks.empty() && ticks.back().label == label)
            continue;
        ticks.push_back({v, std::move(label)});
    }
    return ticks;
}

QString TimeAxisLabel(double milliseconds, TimeAxisKind kind)
{
    const qint64 ms = qint64(std::floor(milliseconds));
    qint64 day = ms / MillisecondsPerDay;
    qint64 ofDay = ms % MillisecondsPerDay;
    if (ofDay < 0) {
        ofDay += MillisecondsPerDay;
        --day;
    }
    const qint64 seconds = ofDay / 1000;
    const QString time = QStringLiteral("%1:%2:%3")
                             .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                             .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                             .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    const QDate date = QDate(1970, 1, 1).addDays(day);
    const QString dateText = QStringLiteral("%1.%2.%3")
                                 .arg(date.day(), 2, 10, QLatin1Char('0'))
                                 .arg(date.month(), 2, 10, QLatin1Char('0'))
                                 .arg(date.year(), 4, 10, QLatin1Char('0'));
    switch (kind) {
    case TimeAxisKind::Time: return time;
    case TimeAxisKind::Date: return dateText;
    case TimeAxisKind::TimeAndDate: return time + QLatin1Char('\n') + dateText;
    }
    return time;
}

std::vector<AxisTick> TimeAxisTicks(double low, double high, int maxTicks, TimeAxisKind kind)
{
    std::vector<AxisTick> ticks;
    if (!(high >= low) || !std::isfinite(low) || !std::isfinite(high))
        return ticks;
    maxTicks = std::max(maxTicks, 2);
    constexpr qint64 s = 1000, m = 60 * s, h = 60 * m, d = MillisecondsPerDay;
    static const qint64 steps[] = {s,      2 * s,  5 * s,  10 * s, 15 * s, 30 * s,  m,      2 * m,
                                   5 * m,  10 * m, 15 * m, 30 * m, h,      2 * h,   3 * h,  6 * h,
                                   12 * h, d,      2 * d,  5 * d,  7 * d,  14 * d,  30 * d, 61 * d,
                                   91 * d, 182 * d, 365 * d, 730 * d, 1826 * d, 3652 * d};
    qint64 step = steps[std::size(steps) - 1];
    for (qint64 candidate : steps) {
        if (kind == TimeAxisKind::Date && candidate < d)
            continue;
        if ((high - low) / double(candidate) <= maxTicks - 1) {
            step = candidate;
            break;
        }
    }
    const qint64 first = qint64(std::ceil(low / double(step))) * step;
    for (qint64 v = first; double(v) <= high && int(ticks.size()) <= maxTicks; v += step)
        ticks.push_back({double(v), TimeAxisLabel(double(v), kind)});
    return ticks;
}

} // namespace orv
