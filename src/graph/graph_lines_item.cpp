#include "graph_lines_item.h"

#include "point_reduction.h"

#include <QPainter>
#include <QVarLengthArray>
#include <cmath>

namespace orv {

namespace {

// Above the grid and the axes, below the legend, as the chart's own series.
constexpr qreal SeriesZValue = 4;

} // namespace

GraphLinesItem::GraphLinesItem(QGraphicsItem *parent)
    : QGraphicsItem(parent)
{
    setZValue(SeriesZValue);
}

void GraphLinesItem::SetLine(int k, const std::vector<double> *x, const std::vector<double> *y, const QPen &pen)
{
    Line &line = lines_.at(size_t(k - 1));
    line.x = x;
    line.y = y;
    line.pen = pen;
    line.current = false;
    line.geometry.clear();
    update();
}

void GraphLinesItem::SetLineVisible(int k, bool on)
{
    Line &line = lines_.at(size_t(k - 1));
    if (line.visible != on) {
        line.visible = on;
        update();
    }
}

void GraphLinesItem::SetRanges(const ValueRange &x, const ValueRange &y)
{
    x_ = x;
    y_ = y;
    Invalidate();
}

void GraphLinesItem::SetPlotArea(const QRectF &plot, qreal pixelRatio)
{
    if (plot == plot_ && pixelRatio == pixelRatio_)
        return;
    prepareGeometryChange();
    plot_ = plot;
    pixelRatio_ = pixelRatio;
    Invalidate();
}

void GraphLinesItem::SetThinning(bool on)
{
    thinning_ = on;
    Invalidate();
}

void GraphLinesItem::Invalidate()
{
    for (Line &line : lines_) {
        line.current = false;
        line.geometry.clear();
    }
    update();
}

const QList<QPointF> &GraphLinesItem::Geometry(const Line &line) const
{
    if (line.current)
        return line.geometry;
    line.current = true;
    line.geometry.clear();
    const double xd = x_.high - x_.low, yd = y_.high - y_.low;
    if (!line.x || !line.y || qFuzzyIsNull(xd) || qFuzzyIsNull(yd))
        return line.geometry;
    const int columns = plot_.width() >= 10 ? int(std::ceil(plot_.width() * pixelRatio_)) : 1200;
    line.geometry = thinning_ ? ReducePointsForDisplay(*line.x, *line.y, x_.low, x_.high, columns)
                              : AllPoints(*line.x, *line.y);
    // Values to plot coordinates, with the same arithmetic as the chart's own series.
    const double deltaX = plot_.width() / xd, deltaY = plot_.height() / yd;
    for (QPointF &p : line.geometry)
        p = QPointF((p.x() - x_.low) * deltaX, plot_.height() - (p.y() - y_.low) * deltaY);
    return line.geometry;
}

int GraphLinesItem::PointCount(int k) const
{
    const Line &line = lines_.at(size_t(k - 1));
    return line.x ? int(Geometry(line).size()) : 0;
}

QRectF GraphLinesItem::boundingRect() const
{
    qreal margin = 1;
    for (const Line &line : lines_)
        margin = std::max(margin, line.pen.widthF() * 1.42 + 1);
    return plot_.adjusted(-margin, -margin, margin, margin);
}

void GraphLinesItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (plot_.isEmpty())
        return;
    // As the chart's series: they sit at the plot's corner and clip to the plot, widened by half
    // a pixel where that keeps lines along its edges without drawing beyond it.
    const QPointF pos = plot_.topLeft();
    QRectF clip(QPointF(0, 0), plot_.size());
    const qreal x1 = pos.x() - int(pos.x());
    const qreal y1 = pos.y() - int(pos.y());
    const qreal x2 = (clip.width() + 0.5) - int(clip.width() + 0.5);
    const qreal y2 = (clip.height() + 0.5) - int(clip.height() + 0.5);
    clip.adjust(-x1, -y1, qMax(x1, x2), qMax(y1, y2));

    QVarLengthArray<QLineF, 1024> segments;
    painter->save();
    painter->translate(pos);
    for (const Line &line : lines_) {
        if (!line.visible || !line.x)
            continue;
        const QList<QPointF> &points = Geometry(line);
        painter->save();
        painter->setPen(line.pen);
        painter->setClipRect(clip);
        segments.resize(std::max<qsizetype>(points.size() - 1, 0));
        for (qsizetype i = 1; i < points.size(); ++i)
            segments[i - 1] = QLineF(points.at(i - 1), points.at(i));
        painter->drawLines(segments.constData(), int(segments.size()));
        painter->restore();
    }
    painter->restore();
}

} // namespace orv
