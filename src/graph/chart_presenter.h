#pragma once
// The chart of the graph window: its axes, ten line series and legend, and what they show of the
// graphs in the book (one graph or all of them, the ranges, the zoom, the thinned points).
#include <QMetaObject>
#include <QRectF>
#include <QString>
#include <array>

#include "graph_book.h"

class QCategoryAxis;
class QChart;
class QLineSeries;

namespace orv {

class GraphChartView;
class GraphLinesItem;

class ChartPresenter
{
public:
    explicit ChartPresenter(const GraphBook &book);
    ~ChartPresenter();
    ChartPresenter(const ChartPresenter &) = delete;
    ChartPresenter &operator=(const ChartPresenter &) = delete;

    // The chart, owned by the view it is given to.
    QChart *Chart() const { return chart_; }
    // The view, for its pixel ratio and height.
    void SetView(GraphChartView *view) { view_ = view; }

    // Shows the book's current graph: alone after clearing the chart (`clearFirst`), or beside
    // what is already drawn; `commonScale` sets the data axis to the range of all graphs.
    void Draw(bool clearFirst, bool commonScale, TimeAxisKind timeKind);

    void SetLegendVisible(bool on);
    bool LegendVisible() const;
    void ShowTimeAxisTitle(TimeAxisKind kind);

    // Zoom into a rectangle in values, and back to the graph's range (or to the common range
    // when `allGraphsView`).
    void Zoom(const QRectF &valueRect);
    void UndoZoom(bool allGraphsView);
    bool ZoomActive() const { return zoomActive_; }
    // A rectangle in the chart's scene coordinates as values of the axes.
    QRectF SceneToValues(const QRectF &sceneRect) const;

    void SetPointReduction(bool on);
    // After the plot area changed size: new ticks.
    void OnPlotResized();
    void ApplyMargins(int viewHeight);

    ValueRange DataAxisShown() const;
    ValueRange TimeAxisShown() const;
    QString DataAxisTitle() const;
    QString TimeAxisTitle() const;
    int SeriesPointCount(int k) const;
    bool SeriesVisible(int k) const;

private:
    void SetSeriesTitles();
    void SetSeriesVisible(int k, bool on);
    void UpdateLegendMarkers();
    void ResetTimeAxisRange();
    void SetDataAxisRange(const ValueRange &range);
    void SetTimeAxisRange(const ValueRange &range);
    void RebuildTicks();

    const GraphBook &book_;
    QChart *chart_ = nullptr;
    GraphChartView *view_ = nullptr;
    std::array<QLineSeries *, MaxGraphs> series_{};
    QCategoryAxis *axisY_ = nullptr;
    QCategoryAxis *axisX_ = nullptr;
    GraphLinesItem *lines_ = nullptr;
    QMetaObject::Connection plotAreaWatch_;

    // Whether line k shows graph slot k.
    std::array<bool, MaxGraphs> seriesFilled_{};
    bool zoomActive_ = false;
    ValueRange commonRange_;
    ValueRange xRange_;
    ValueRange yRange_;
    TimeAxisKind drawnTimeKind_ = TimeAxisKind::Time;
};

} // namespace orv
