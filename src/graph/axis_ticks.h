#pragma once
// Tick positions and label texts of the two chart axes.
#include <QLocale>
#include <QString>
#include <vector>

#include "survey_file_reader.h"

namespace orv {

struct AxisTick
{
    double value;
    QString label;
};

// A value as the data axis shows it: thousands grouped, at least one integer digit and up to
// five decimals without trailing zeros ("#,##0.#####"), in the given locale.
QString DataAxisLabel(double value, const QLocale &locale);

// Data-axis ticks: the first at `low` itself (not rounded to the step), then every step of a
// round size (1, 2 or 5 times a power of ten) so that at most `maxTicks` fit up to `high`.
std::vector<AxisTick> DataAxisTicks(double low, double high, int maxTicks, const QLocale &locale);

// An X value (wall-clock milliseconds) as the time axis shows it: "HH:mm:ss", "dd.MM.yyyy", or
// the time above the date.
QString TimeAxisLabel(double milliseconds, TimeAxisKind kind);

// Time-axis ticks at round times (whole seconds, minutes, hours, days), at most `maxTicks`;
// never closer than one second, and one day when the axis shows dates only.
std::vector<AxisTick> TimeAxisTicks(double low, double high, int maxTicks, TimeAxisKind kind);

} // namespace orv
