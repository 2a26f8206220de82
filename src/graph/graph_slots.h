#pragma once
// The loaded graphs and the arithmetic of the data-axis range and title.
#include <QColor>
#include <QString>
#include <array>
#include <vector>

namespace orv {

inline constexpr int MaxGraphs = 10;

// One loaded graph: row k of the summary table, tab k - 1, series k.
struct GraphSlot
{
    std::vector<double> x;   // ascending wall-clock milliseconds
    std::vector<double> y;
    QString unit;            // may be empty
    QString axisName;        // the data-axis variable chosen when the file was loaded
    double minimum = 0;
    double maximum = 0;
    int count = 0;
    QColor colour;
};

// Colour k (1-based) of the ten graphs.
QColor GraphColour(int k);

struct ValueRange
{
    double low = 0;
    double high = 1;
};

// The data-axis range of one graph or of several: 5 % of the span added below the smallest
// minimum and above the largest maximum. Graphs without points take no part. A span of zero
// (one value only) is widened so the line stays visible; nothing to show gives 0 .. 1.
ValueRange DataAxisRange(const std::vector<const GraphSlot *> &graphs);

// The span of the X values of the given graphs; a single instant is widened by `pad` each side.
ValueRange TimeAxisRange(const std::vector<const GraphSlot *> &graphs, double pad);

// Data-axis title of one graph: its axis name, followed by ", " and the unit when it has one.
QString SingleGraphAxisTitle(const GraphSlot &graph);

// Data-axis title of the view of all graphs: as for the last graph when all of them have the
// same unit and it is not empty, otherwise the axis name alone.
QString AllGraphsAxisTitle(const std::vector<const GraphSlot *> &graphs);

} // namespace orv
