// Axis ticks and labels, and the thinning of long lines.
#include "graph/axis_ticks.h"
#include "graph/point_reduction.h"
#include "survey_test_files.h"

#include <QLocale>
#include <algorithm>
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

TEST(PointReduction, KeepsEveryColumnsExtremesWithinTwoPointsAColumn)
{
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0, 1);
    const int n = 30000;
    std::vector<double> x(n), y(n);
    for (int i = 0; i < n; ++i) {
        x[i] = 1000.0 * i;
        y[i] = std::sin(i / 900.0) * 10 + noise(random);
    }
    y[12345] = 500;   // a spike must survive
    const struct
    {
        double x0, x1;
        int columns;
    } views[] = {{0, 1000.0 * (n - 1), 1000}, {5e6, 2.5e7, 640}, {1.2e7, 1.25e7, 2000}};
    for (const auto &v : views) {
        const QList<QPointF> r = ReducePointsForDisplay(x, y, v.x0, v.x1, v.columns);
        EXPECT_LE(r.size(), 2 * v.columns + 2);
        EXPECT_TRUE(std::is_sorted(r.begin(), r.end(), [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); }));
        // Per pixel column the drawn lowest and highest equal those of the data.
        const double width = (v.x1 - v.x0) / v.columns;
        std::vector<double> lowData(size_t(v.columns), 1e300), highData(size_t(v.columns), -1e300);
        std::vector<double> lowDrawn = lowData, highDrawn = highData;
        for (int i = 0; i < n; ++i) {
            if (x[i] < v.x0 || x[i] > v.x1)
                continue;
            const size_t c = std::min(size_t(v.columns - 1), size_t((x[i] - v.x0) / width));
            lowData[c] = std::min(lowData[c], y[i]);
            highData[c] = std::max(highData[c], y[i]);
        }
        for (const QPointF &p : r) {
            if (p.x() < v.x0 || p.x() > v.x1)
                continue;
            const size_t c = std::min(size_t(v.columns - 1), size_t((p.x() - v.x0) / width));
            lowDrawn[c] = std::min(lowDrawn[c], p.y());
            highDrawn[c] = std::max(highDrawn[c], p.y());
        }
        EXPECT_EQ(lowDrawn, lowData);
        EXPECT_EQ(highDrawn, highData);
        // The line runs on to both edges when there is data beyond them.
        if (v.x0 > 0) {
            EXPECT_LT(r.front().x(), v.x0);
        }
        if (v.x1 < x.back()) {
            EXPECT_GT(r.back().x(), v.x1);
        }
    }
}

} // namespace
} // namespace orv
