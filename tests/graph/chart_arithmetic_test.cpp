// Axis ticks and labels, and the thinning of long lines.
#include "graph/axis_ticks.h"
#include "graph/point_reduction.h"
#include "survey_test_files.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace orv {
namespace {

const QLocale Russian(QLocale::Russian, QLocale::Russia);

TEST(DataAxisLabel, GroupsThousandsAndShowsUpToFiveDecimals)
{
    const QString nbsp(QChar(0x00A0));
    const struct
    {
        double value;
        QString text;
    } cases[] = {
        {0, "0"},
        {2, "2"},
        {0.5, "0,5"},
        {0.123456, "0,12346"},
        {1234.5, "1" + nbsp + "234,5"},
        {-1234567.000004, "-1" + nbsp + "234" + nbsp + "567"},
        {-0.000001, "0"},
        {101.32500, "101,325"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DataAxisLabel(c.value, Russian), c.text) << c.value;
}

TEST(DataAxisTicks, StartAtTheAxisMinimumAndStepByARoundAmount)
{
    const struct
    {
        double low, high;
        int maxTicks;
        double step;
    } cases[] = {
        {95.79701, 106.86, 13, 1},
        {0.4523, 0.5477, 12, 0.01},
        {-3.3, 7.7, 5, 5},
        {1000, 1000.00001, 10, 0.00001},
    };
    for (const auto &c : cases) {
        const std::vector<AxisTick> ticks = DataAxisTicks(c.low, c.high, c.maxTicks, Russian);
        ASSERT_GE(ticks.size(), 2u) << c.low;
        EXPECT_LE(int(ticks.size()), c.maxTicks) << c.low;
        EXPECT_DOUBLE_EQ(ticks.front().value, c.low);
        EXPECT_EQ(ticks.front().label, DataAxisLabel(c.low, Russian));
        EXPECT_NEAR(ticks[1].value - ticks[0].value, c.step, 1e-9 * std::max(1.0, std::fabs(c.low))) << c.low;
        EXPECT_LE(ticks.back().value, c.high + c.step * 1e-6);
        EXPECT_GT(ticks.back().value + c.step, c.high);
    }
    EXPECT_TRUE(DataAxisTicks(1, 1, 10, Russian).empty());
}

TEST(TimeAxis, LabelsAndRoundTicksPerKind)
{
    const double day = double(QDate(1970, 1, 1).daysTo(QDate(2026, 12, 6))) * MillisecondsPerDay;
    const double t = day + (14 * 3600 + 3 * 60 + 27) * 1000.0 + 45;
    EXPECT_EQ(TimeAxisLabel(t, TimeAxisKind::Time), QStringLiteral("14:03:27"));
    EXPECT_EQ(TimeAxisLabel(t, TimeAxisKind::Date), QStringLiteral("06.12.2026"));
    EXPECT_EQ(TimeAxisLabel(t, TimeAxisKind::TimeAndDate), QStringLiteral("14:03:27\n06.12.2026"));

    const struct
    {
        double low, high;
        TimeAxisKind kind;
        int maxTicks;
        double step;
    } cases[] = {
        {day + 10 * 3600e3, day + 10.5 * 3600e3, TimeAxisKind::Time, 12, 5 * 60e3},
        {day + 10 * 3600e3 + 700, day + 10 * 3600e3 + 9300, TimeAxisKind::Time, 12, 1e3},
        {day, day + 3 * MillisecondsPerDay, TimeAxisKind::TimeAndDate, 10, 12 * 3600e3},
        // Dates only: never closer than a day, even over a few hours.
        {day + 3600e3, day + 1.5 * MillisecondsPerDay, TimeAxisKind::Date, 10, double(MillisecondsPerDay)},
    };
    for (const auto &c : cases) {
        const std::vector<AxisTick> ticks = TimeAxisTicks(c.low, c.high, c.maxTicks, c.kind);
        ASSERT_FALSE(ticks.empty());
        EXPECT_LE(int(ticks.size()), c.maxTicks);
        EXPECT_GE(ticks.front().value, c.low);
        EXPECT_LE(ticks.back().value, c.high);
        EXPECT_EQ(std::fmod(ticks.front().value, c.step), 0.0);
        if (ticks.size() > 1) {
            EXPECT_EQ(ticks[1].value - ticks[0].value, c.step);
        }
        for (const AxisTick &tick : ticks)
            EXPECT_EQ(tick.label, TimeAxisLabel(tick.value, c.kind));
    }
}

TEST(PointReduction, ShortLinesStayWhole)
{
    const std::vector<double> x{1, 2, 3, 4, 5}, y{5, 3, 9, 1, 2};
    const QList<QPointF> all = ReducePointsForDisplay(x, y, 1, 5, 100);
    ASSERT_EQ(all.size(), 5);
    EXPECT_EQ(all, AllPoints(x, y));
    // A part of the line keeps one point beyond each edge.
    const QList<QPointF> part = ReducePointsForDisplay(x, y, 2.5, 3.5, 100);
    EXPECT_EQ(part, (QList<QPointF>{{2, 3}, {3, 9}, {4, 1}}));
    EXPECT_TRUE(ReducePointsForDisplay({}, {}, 0, 1, 100).isEmpty());
}

// Lowest and highest y per pixel column of [x0, x1], of the points given; columns without points
// stay at +/- infinity.
std::pair<std::vector<double>, std::vector<double>> ColumnExtremes(const std::vector<QPointF> &points, double x0,
                                                                   double x1, int columns)
{
    std::vector<double> low(size_t(columns), HUGE_VAL), high(size_t(columns), -HUGE_VAL);
    const double scale = columns / (x1 - x0);
    for (const QPointF &p : points) {
        if (p.x() < x0 || p.x() > x1)
            continue;
        const size_t c = size_t(std::min(columns - 1, int(std::floor((p.x() - x0) * scale))));
        low[c] = std::min(low[c], p.y());
        high[c] = std::max(high[c], p.y());
    }
    return {low, high};
}

TEST(PointReduction, EveryColumnKeepsItsExtremesInTheFullViewAndInAnyZoom)
{
    // Random lines of several kinds, each seen whole and through random zoom windows: every pixel
    // column shows the lowest and the highest point the data has there, at most two points a
    // column are drawn, and the line runs on to both edges.
    enum Shape { Noise, Spikes, Steps, Bursts };
    const struct
    {
        Shape shape;
        int points;
        unsigned seed;
    } lines[] = {{Noise, 30000, 1}, {Spikes, 30000, 2}, {Steps, 5000, 3}, {Bursts, 20000, 4}};
    for (const auto &l : lines) {
        std::mt19937 random(l.seed);
        std::normal_distribution<double> noise(0, 1);
        std::uniform_real_distribution<double> unit(0, 1);
        std::vector<double> x(size_t(l.points)), y(size_t(l.points));
        double t = 0;
        for (size_t i = 0; i < x.size(); ++i) {
            // Bursts: polls close together, then long gaps; equal times happen.
            t += l.shape == Bursts ? (unit(random) < 0.1 ? 5000 * unit(random) : std::floor(3 * unit(random))) : 1000;
            x[i] = t;
            y[i] = l.shape == Steps ? std::floor(i / 97.0) * (i % 2 ? 1 : -1)
                 : l.shape == Spikes && unit(random) < 0.001 ? 1e4 * noise(random)
                                                              : std::sin(i / 900.0) * 10 + noise(random);
        }
        std::vector<QPointF> all(x.size());
        for (size_t i = 0; i < x.size(); ++i)
            all[i] = QPointF(x[i], y[i]);

        std::vector<std::array<double, 2>> views{{x.front(), x.back()}};
        for (int z = 0; z < 20; ++z) {
            const double a = x.front() + unit(random) * (x.back() - x.front());
            const double width = (x.back() - x.front()) * std::pow(10.0, -3 * unit(random));
            views.push_back({a, a + width});
        }
        for (const auto &view : views) {
            // Named values, not a structured binding: lambdas below capture them (C++17).
            const double x0 = view[0];
            const double x1 = view[1];
            for (int columns : {1, 97, 1367}) {
                const QList<QPointF> drawn = ReducePointsForDisplay(x, y, x0, x1, columns);
                const std::vector<QPointF> shown(drawn.begin(), drawn.end());
                const std::string where = "line " + std::to_string(l.seed) + " view " + std::to_string(x0) + ".." +
                                          std::to_string(x1) + " columns " + std::to_string(columns);
                ASSERT_EQ(ColumnExtremes(shown, x0, x1, columns), ColumnExtremes(all, x0, x1, columns)) << where;
                const auto inside = std::count_if(x.begin(), x.end(), [&](double v) { return v >= x0 && v <= x1; });
                EXPECT_LE(drawn.size(), std::max<qsizetype>(2 * columns, inside) + 2) << where;
                EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end(),
                                           [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); }))
                    << where;
                if (x.front() < x0) {
                    EXPECT_LT(drawn.front().x(), x0) << where;
                }
                if (x.back() > x1) {
                    EXPECT_GT(drawn.back().x(), x1) << where;
                }
            }
        }
    }
}

} // namespace
} // namespace orv
