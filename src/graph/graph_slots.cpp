#include "graph_slots.h"

#include "graph_texts.h"

#include <algorithm>
#include <cmath>

namespace orv {

QColor GraphColour(int k)
{
    // Colour 5 follows the classic desktop colour (teal), which stays readable on white.
    static const std::array<QColor, MaxGraphs> colours{
        QColor(0xFF, 0x00, 0x00), QColor(0x00, 0x80, 0x00), QColor(0x00, 0x00, 0xFF),
        QColor(0xFF, 0xFF, 0x00), QColor(0x00, 0x80, 0x80), QColor(0x80, 0x00, 0x80),
        QColor(0xFF, 0x00, 0xFF), QColor(0x00, 0xFF, 0x00), QColor(0x80, 0x00, 0x00),
        QColor(0x80, 0x80, 0x00)};
    if (k < 1 || k > MaxGraphs)
        return Qt::black;
    return colours[size_t(k - 1)];
}

ValueRange DataAxisRange(const std::vector<const GraphSlot *> &graphs)
{
    bool any = false;
    double low = 0, high = 0;
    for (const GraphSlot *g : graphs) {
        if (!g || g->count == 0)
            continue;
        if (!any) {
            low = g->minimum;
            high = g->maximum;
            any = true;
        } else {
            low = std::min(low, g->minimum);
            high = std::max(high, g->maximum);
        }
    }
    if (!any)
        return {0, 1};
    const double margin = 0.05 * (high - low);
    if (margin > 0)
        return {low - margin, high + margin};
    const double pad = low != 0 ? std::fabs(low) * 0.05 : 1.0;
    return {low - pad, high + pad};
}

ValueRange TimeAxisRange(const std::vector<const GraphSlot *> &graphs, double pad)
{
    bool any = false;
    double low = 0, high = 0;
    for (const GraphSlot *g : graphs) {
        if (!g || g->x.empty())
            continue;
        if (!any) {
            low = g->x.front();
            high = g->x.back();
            any = true;
        } else {
            low = std::min(low, g->x.front());
            high = std::max(high, g->x.back());
        }
    }
    if (!any)
        return {0, pad * 2};
    if (high <= low)
        return {low - pad, high + pad};
    return {low, high};
}

QString SingleGraphAxisTitle(const GraphSlot &graph)
{
    if (graph.unit.isEmpty())
        return graph.axisName;
    return graph.axisName + graph_texts::UnitSeparator + graph.unit;
}

QString AllGraphsAxisTitle(const std::vector<const GraphSlot *> &graphs)
{
    if (graphs.empty())
        return QString();
    const GraphSlot &last = *graphs.back();
    const bool sameUnit = std::all_of(graphs.begin(), graphs.end(),
                                      [&last](const GraphSlot *g) { return g->unit == last.unit; });
    if (sameUnit && !last.unit.isEmpty())
        return last.axisName + graph_texts::UnitSeparator + last.unit;
    return last.axisName;
}

} // namespace orv
