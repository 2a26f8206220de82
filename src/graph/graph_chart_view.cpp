#include "graph_chart_view.h"

#include <QMouseEvent>
#include <QRubberBand>

namespace orv {

namespace {
// Smaller drags are taken for a click.
constexpr int MinimumDrag = 4;
} // namespace

GraphChartView::GraphChartView(QChart *chart, QWidget *parent)
    : QChartView(chart, parent), band_(new QRubberBand(QRubberBand::Rectangle, this))
{
    setRubberBand(QChartView::NoRubberBand);
    setDragMode(QGraphicsView::NoDrag);
    setRenderHint(QPainter::Antialiasing, false);
}

void GraphChartView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        origin_ = event->position().toPoint();
        dragging_ = true;
        band_->setGeometry(QRect(origin_, QSize()));
        band_->show();
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

void GraphChartView::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging_) {
        band_->setGeometry(QRect(origin_, event->position().toPoint()).normalized());
        event->accept();
        return;
    }
    QChartView::mouseMoveEvent(event);
}

void GraphChartView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit UndoZoomRequested();
        return;
    }
    if (event->button() != Qt::LeftButton || !dragging_) {
        QChartView::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
    band_->hide();
    event->accept();
    const QPoint end = event->position().toPoint();
    const QPoint delta = end - origin_;
    if (std::abs(delta.x()) < MinimumDrag && std::abs(delta.y()) < MinimumDrag)
        return;
    if (delta.x() < 0 || delta.y() < 0) {
        emit UndoZoomRequested();
        return;
    }
    if (!chart())
        return;
    const QRectF scene(mapToScene(origin_), mapToScene(end));
    const QRectF inPlot = scene.normalized().intersected(chart()->plotArea());
    if (inPlot.width() >= 1 && inPlot.height() >= 1)
        emit ZoomRequested(inPlot);
}

void GraphChartView::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    emit Resized();
}

} // namespace orv
