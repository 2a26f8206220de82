#pragma once
// The chart's view with the mouse zoom of the graph window: drag a rectangle from upper left to
// lower right to zoom into it; drag the other way (leftwards or upwards) or click the right button
// to undo the zoom. Panning is off.
#include <QChartView>
#include <QPoint>

class QRubberBand;

namespace orv {

class GraphChartView : public QChartView
{
    Q_OBJECT
public:
    explicit GraphChartView(QChart *chart, QWidget *parent = nullptr);

signals:
    // A zoom rectangle in the chart's (scene) coordinates, already clipped to the plot area.
    void ZoomRequested(const QRectF &sceneRect);
    void UndoZoomRequested();
    void Resized();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QRubberBand *band_;
    QPoint origin_;
    bool dragging_ = false;
};

} // namespace orv
