#pragma once
// Draws the lines of the graphs on the chart's plot area, in place of the chart's own line
// series, thinned to what each pixel column shows: per column its lowest and its highest point
// (in the order they were measured), and the lines between them, with the pen and clipping the
// chart's line series use. The chart's series would keep a stroked outline of every point for
// mouse hit-testing that this window never uses; that costs more time and memory than the lines.
// What a range shows is recomputed from all points in it, so a zoomed view shows exactly the
// extremes that the data has there.
#include <QGraphicsItem>
#include <QList>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <array>
#include <vector>

#include "graph_slots.h"

namespace orv {

class GraphLinesItem : public QGraphicsItem
{
public:
    explicit GraphLinesItem(QGraphicsItem *parent = nullptr);

    // Line k (1-based): its points (kept by the caller; nullptr for none) and its pen.
    void SetLine(int k, const std::vector<double> *x, const std::vector<double> *y, const QPen &pen);
    void SetLineVisible(int k, bool on);
    void SetRanges(const ValueRange &x, const ValueRange &y);
    // The plot area in the parent's coordinates and the device pixels per logical pixel.
    void SetPlotArea(const QRectF &plot, qreal pixelRatio);
    // Off: every point is drawn (only to measure what thinning saves).
    void SetThinning(bool on);

    // Points drawn for line k in the present view.
    int PointCount(int k) const;

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    struct Line
    {
        const std::vector<double> *x = nullptr;
        const std::vector<double> *y = nullptr;
        QPen pen;
        bool visible = false;
        // Points in plot coordinates for the present view; valid while `current`.
        mutable QList<QPointF> geometry;
        mutable bool current = false;
    };
    const QList<QPointF> &Geometry(const Line &line) const;
    void Invalidate();

    std::array<Line, MaxGraphs> lines_;
    ValueRange x_{0, 1};
    ValueRange y_{0, 1};
    QRectF plot_;
    qreal pixelRatio_ = 1;
    bool thinning_ = true;
};

} // namespace orv
