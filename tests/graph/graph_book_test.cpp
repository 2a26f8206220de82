// The graph bookkeeping without a window: loading into rows and tabs, deleting with the later
// graphs moving up, the offer of the view of all graphs, and the ranges and titles of the axes.
#include "graph/graph_book.h"
#include "survey_test_files.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

SurveyGraphData Loaded(const QString &device, int points, double base = 100)
{
    SurveyGraphData d;
    d.device = device;
    d.address = QStringLiteral("7");
    d.unit = QStringLiteral("кПа");
    for (int i = 0; i < points; ++i) {
        d.x.push_back(1000.0 * i);
        d.y.push_back(base + i);
    }
    d.minimum = base;
    d.maximum = base + points - 1;
    d.minimumText = QString::number(d.minimum);
    d.maximumText = QString::number(d.maximum);
    return d;
}

TEST(GraphBook, LoadsDeletesAndOffersTheViewOfAllGraphs)
{
    // Each step: load a device (with its data-axis variable) or delete the current graph
    // (device "-"), optionally choose a current graph first, then the expected state.
    const struct
    {
        int select;        // 0: keep the current graph
        QString device;
        QString axis;
        QStringList tabs;
        int current;
        QStringList points;   // the "Кол-во точек" cells of rows 1 .. 4
    } steps[] = {
        {0, "1", "Давление", {"№ 1"}, 1, {"10", "", "", ""}},
        {0, "2", "Давление", {"№ 1", "№ 2", "Все графики"}, 2, {"10", "20", "", ""}},
        {0, "3", "Давление", {"№ 1", "№ 2", "№ 3", "Все графики"}, 3, {"10", "20", "30", ""}},
        // Deleting the first: the later graphs move up, the next one becomes current.
        {1, "-", "", {"№ 2", "№ 3", "Все графики"}, 1, {"20", "30", "", ""}},
        // Deleting the last: the one before becomes current; one graph left has no common view.
        {2, "-", "", {"№ 2"}, 1, {"20", "", "", ""}},
        // Another variable: no common view.
        {0, "4", "Ток", {"№ 2", "№ 4"}, 2, {"20", "40", "", ""}},
        {0, "5", "Давление", {"№ 2", "№ 4", "№ 5"}, 3, {"20", "40", "50", ""}},
        {2, "-", "", {"№ 2", "№ 5", "Все графики"}, 2, {"20", "50", "", ""}},
        {0, "-", "", {"№ 2"}, 1, {"20", "", "", ""}},
        {0, "-", "", {}, 0, {"", "", "", ""}},
    };
    GraphBook book;
    int step = 0;
    for (const auto &s : steps) {
        ++step;
        if (s.select)
            book.SetCurrent(s.select);
        if (s.device == QLatin1String("-")) {
            book.DeleteCurrent();
            if (!book.AllGraphsTabPresent())
                book.OfferAllGraphs();
        } else {
            book.DropAllGraphsTab();
            book.ResetColours();
            const int k = book.Add(Loaded(s.device, s.device.toInt() * 10), s.axis);
            EXPECT_EQ(k, book.Count()) << step;
            book.OfferAllGraphs();
        }
        EXPECT_EQ(book.TabCaptions(), s.tabs) << step;
        EXPECT_EQ(book.Current(), s.current) << step;
        QStringList points;
        for (int row = 1; row <= 4; ++row)
            points << book.Cell(row, 5);
        EXPECT_EQ(points, s.points) << step;
    }
}

TEST(GraphBook, RowsHoldTheFileFiguresAndGraphsKeepTheirColourUntilTheNextLoad)
{
    GraphBook book;
    EXPECT_EQ(book.Cell(0, 0), QStringLiteral("Прибор"));
    EXPECT_EQ(book.Cell(0, 5), QStringLiteral("Кол-во точек"));
    for (int k = 1; k <= MaxGraphs; ++k)
        EXPECT_EQ(book.Add(Loaded(QString::number(k), 3, 10.0 * k), QStringLiteral("Давление")), k);
    EXPECT_TRUE(book.Full());
    EXPECT_EQ(book.Add(Loaded("11", 3), QStringLiteral("Давление")), 0);
    EXPECT_EQ(book.Row(2), (QStringList{"№ 2", "7", "20", "22", "кПа", "3"}));

    book.SetCurrent(1);
    book.DeleteCurrent();
    EXPECT_EQ(book.Graph(1).colour, GraphColour(2));
    EXPECT_EQ(book.Graph(1).minimum, 20);
    EXPECT_EQ(book.Cell(10, 0), QString());
    book.ResetColours();
    EXPECT_EQ(book.Graph(1).colour, GraphColour(1));

    // A file without points is a graph of none, with empty minimum and maximum.
    SurveyGraphData empty = Loaded("?", 0);
    empty.minimumText.clear();
    empty.maximumText.clear();
    const int k = book.Add(std::move(empty), QStringLiteral("Давление"));
    EXPECT_EQ(book.Row(k), (QStringList{"№ ?", "7", "", "", "кПа", "0"}));
    EXPECT_EQ(book.Graph(k).minimum, 0);
}

GraphSlot Slot(double minimum, double maximum, int count, const QString &unit = {},
               const QString &axis = QStringLiteral("Давление"))
{
    GraphSlot s;
    s.minimum = minimum;
    s.maximum = maximum;
    s.count = count;
    s.unit = unit;
    s.axisName = axis;
    return s;
}

TEST(GraphRanges, FivePercentMarginsAroundOneOrAllGraphs)
{
    const GraphSlot a = Slot(10, 20, 5), b = Slot(-5, 15, 3), empty = Slot(0, 0, 0), flat = Slot(4, 4, 2),
                    zero = Slot(0, 0, 1);
    const struct
    {
        std::vector<const GraphSlot *> graphs;
        double low, high;
    } cases[] = {
        {{&a}, 9.5, 20.5},
        {{&a, &b}, -6.25, 21.25},
        // A graph without points takes no part in the common range.
        {{&a, &empty}, 9.5, 20.5},
        {{&flat}, 3.8, 4.2},
        {{&zero}, -1, 1},
        {{}, 0, 1},
    };
    for (const auto &c : cases) {
        const ValueRange r = DataAxisRange(c.graphs);
        EXPECT_DOUBLE_EQ(r.low, c.low);
        EXPECT_DOUBLE_EQ(r.high, c.high);
    }
}

TEST(GraphRanges, AxisTitles)
{
    const GraphSlot kpa1 = Slot(0, 1, 1, "кПа"), kpa2 = Slot(0, 1, 1, "кПа"), mpa = Slot(0, 1, 1, "МПа"),
                    none1 = Slot(0, 1, 1), none2 = Slot(0, 1, 1);
    const GraphSlot current = Slot(0, 1, 1, "мА", "Ток");
    EXPECT_EQ(SingleGraphAxisTitle(kpa1), QStringLiteral("Давление, кПа"));
    EXPECT_EQ(SingleGraphAxisTitle(none1), QStringLiteral("Давление"));
    EXPECT_EQ(SingleGraphAxisTitle(current), QStringLiteral("Ток, мА"));
    EXPECT_EQ(AllGraphsAxisTitle({&kpa1, &kpa2}), QStringLiteral("Давление, кПа"));
    EXPECT_EQ(AllGraphsAxisTitle({&kpa1, &mpa}), QStringLiteral("Давление"));
    EXPECT_EQ(AllGraphsAxisTitle({&kpa1, &none1}), QStringLiteral("Давление"));
    EXPECT_EQ(AllGraphsAxisTitle({&none1, &none2}), QStringLiteral("Давление"));
}

TEST(GraphRanges, ColoursOfTheTenGraphs)
{
    const QRgb expected[] = {0xFF0000, 0x008000, 0x0000FF, 0xFFFF00, 0x008080,
                             0x800080, 0xFF00FF, 0x00FF00, 0x800000, 0x808000};
    for (int k = 1; k <= MaxGraphs; ++k)
        EXPECT_EQ(GraphColour(k).rgb() & 0xFFFFFF, expected[k - 1]) << k;
}

} // namespace
} // namespace orv
