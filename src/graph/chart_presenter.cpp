#include "chart_presenter.h"

#include "axis_ticks.h"
#include "graph_chart_view.h"
#include "graph_lines_item.h"
#include "graph_texts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>

namespace orv {

namespace t = graph_texts;

namespace {

QFont PixelFont(const QString &family, int pixels, bool bold = false)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace

ChartPresenter::ChartPresenter(const GraphBook &book)
    : book_(book)
{
    chart_ = new QChart();
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setBackgroundBrush(Qt::white);
    chart_->setBackgroundRoundness(0);
    chart_->setDropShadowEnabled(false);
    chart_->setPlotAreaBackgroundBrush(Qt::white);
    chart_->setPlotAreaBackgroundVisible(true);
    // The chart's title is not shown; it names the chart for assistive technology instead.

    axisX_ = new QCategoryAxis(chart_);
    axisY_ = new QCategoryAxis(chart_);
    for (QCategoryAxis *axis : {axisX_, axisY_}) {
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        axis->setLabelsFont(PixelFont(QStringLiteral("Arial"), 13));
        axis->setTitleFont(PixelFont(QStringLiteral("Arial"), 13, true));
    }
    axisY_->setTitleBrush(QBrush(Qt::blue));
    axisY_->setTitleText(t::LeftAxisStartTitle);
    axisX_->setTitleText(t::TimeAxisTitle);
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);

    for (int k = 1; k <= MaxGraphs; ++k) {
        auto *series = new QLineSeries(chart_);
        series->setObjectName(QStringLiteral("Series%1").arg(k));
        series->setPointsVisible(false);
        series->setPointLabelsVisible(false);
        // Set each pen explicitly: the chart's own palette repeats after five colours.
        series->setPen(QPen(GraphColour(k), 2));
        chart_->addSeries(series);
        series->attachAxis(axisX_);
        series->attachAxis(axisY_);
        series->setVisible(false);
        series_[size_t(k - 1)] = series;
    }
    // The series stay empty: they give the legend its entries; the lines are drawn by this item.
    lines_ = new GraphLinesItem(chart_);
    plotAreaWatch_ = QObject::connect(chart_, &QChart::plotAreaChanged, chart_, [this](const QRectF &plot) {
        lines_->SetPlotArea(plot, view_ ? view_->devicePixelRatioF() : 1.0);
    });

    QLegend *legend = chart_->legend();
    legend->setFont(PixelFont(QStringLiteral("Arial"), 16));
    legend->setAlignment(Qt::AlignRight);
    legend->setVisible(false);

    SetDataAxisRange({0, 1});
    SetTimeAxisRange({0, 60000});
}

ChartPresenter::~ChartPresenter()
{
    QObject::disconnect(plotAreaWatch_);
}

void ChartPresenter::Draw(bool clearFirst, bool commonScale, TimeAxisKind timeKind)
{
    for (int k = 1; k <= MaxGraphs; ++k)
        SetSeriesVisible(k, false);
    if (clearFirst) {
        for (size_t i = 0; i < series_.size(); ++i) {
            if (seriesFilled_[i])
                lines_->SetLine(int(i) + 1, nullptr, nullptr, QPen());
            seriesFilled_[i] = false;
        }
    }

    const int current = book_.Current();
    if (current >= 1 && current <= book_.Count()) {
        const size_t i = size_t(current - 1);
        const GraphSlot &graph = book_.Graph(current);
        axisY_->setTitleText(SingleGraphAxisTitle(graph));
        if (chart_->legend()->isVisible())
            SetSeriesTitles();
        drawnTimeKind_ = timeKind;
        if (commonScale) {
            const std::vector<const GraphSlot *> all = book_.Loaded();
            commonRange_ = DataAxisRange(all);
            SetDataAxisRange(commonRange_);
            axisY_->setTitleText(AllGraphsAxisTitle(all));
        } else {
            SetDataAxisRange(DataAxisRange({&graph}));
        }
        series_[i]->setPen(QPen(graph.colour, 2));
        seriesFilled_[i] = true;
        lines_->SetLine(current, &graph.x, &graph.y, series_[i]->pen());
    } else {
        // Nothing left to draw: an empty chart.
        SetDataAxisRange(DataAxisRange({}));
    }
    ResetTimeAxisRange();

    for (int k = 1; k <= book_.Count(); ++k)
        SetSeriesVisible(k, true);
    UpdateLegendMarkers();
}

void ChartPresenter::SetSeriesVisible(int k, bool on)
{
    series_[size_t(k - 1)]->setVisible(on);
    lines_->SetLineVisible(k, on);
}

void ChartPresenter::SetSeriesTitles()
{
    for (int k = 1; k <= book_.Count(); ++k)
        series_[size_t(k - 1)]->setName(book_.Cell(k, 0));
}

void ChartPresenter::UpdateLegendMarkers()
{
    for (int k = 1; k <= MaxGraphs; ++k)
        for (QLegendMarker *marker : chart_->legend()->markers(series_[size_t(k - 1)]))
            marker->setVisible(k <= book_.Count());
}

void ChartPresenter::SetLegendVisible(bool on)
{
    chart_->legend()->setVisible(on);
}

bool ChartPresenter::LegendVisible() const
{
    return chart_->legend()->isVisible();
}

void ChartPresenter::ShowTimeAxisTitle(TimeAxisKind kind)
{
    switch (kind) {
    case TimeAxisKind::Time: axisX_->setTitleText(t::TimeAxisTitle); break;
    case TimeAxisKind::Date: axisX_->setTitleText(t::DateAxisTitle); break;
    // Axis titles are rich text too: the empty first line is a <br>.
    case TimeAxisKind::TimeAndDate: axisX_->setTitleText(QLatin1String("<br>") + t::TimeDateAxisTitle); break;
    }
}

void ChartPresenter::ResetTimeAxisRange()
{
    std::vector<const GraphSlot *> shown;
    for (size_t i = 0; i < series_.size(); ++i)
        if (seriesFilled_[i])
            shown.push_back(&book_.Graph(int(i) + 1));
    const double pad = drawnTimeKind_ == TimeAxisKind::Date ? double(MillisecondsPerDay) : 60000.0;
    SetTimeAxisRange(TimeAxisRange(shown, pad));
}

void ChartPresenter::SetDataAxisRange(const ValueRange &range)
{
    if (range.low == yRange_.low && range.high == yRange_.high && axisY_->min() == range.low &&
        axisY_->max() == range.high)
        return;
    yRange_ = range;
    axisY_->setRange(range.low, range.high);
    lines_->SetRanges(xRange_, yRange_);
    RebuildTicks();
}

void ChartPresenter::SetTimeAxisRange(const ValueRange &range)
{
    if (range.low == xRange_.low && range.high == xRange_.high && axisX_->min() == range.low &&
        axisX_->max() == range.high)
        return;
    xRange_ = range;
    axisX_->setRange(range.low, range.high);
    lines_->SetRanges(xRange_, yRange_);
    RebuildTicks();
}

void ChartPresenter::RebuildTicks()
{
    const QRectF plot = chart_->plotArea();
    const double width = plot.width() >= 50 ? plot.width() : 1000;
    const double height = plot.height() >= 50 ? plot.height() : 600;
    const double labelWidth = drawnTimeKind_ == TimeAxisKind::Date ? 95 : 85;

    auto apply = [](QCategoryAxis *axis, double low, const std::vector<AxisTick> &ticks) {
        const QStringList old = axis->categoriesLabels();
        bool same = old.size() == qsizetype(ticks.size()) && axis->startValue() == low;
        for (size_t i = 0; same && i < ticks.size(); ++i)
            same = old.at(qsizetype(i)) == ticks[i].label && axis->endValue(ticks[i].label) == ticks[i].value;
        if (same)
            return;
        for (const QString &label : old)
            axis->remove(label);
        axis->setStartValue(low);
        for (const AxisTick &tick : ticks)
            axis->append(tick.label, tick.value);
    };
    apply(axisY_, yRange_.low, DataAxisTicks(yRange_.low, yRange_.high, std::max(2, int(height / 35)), QLocale()));
    std::vector<AxisTick> timeTicks =
        TimeAxisTicks(xRange_.low, xRange_.high, std::max(2, int(width / labelWidth)), drawnTimeKind_);
    // Axis labels are rich text: the line break between time and date is a <br>.
    for (AxisTick &tick : timeTicks)
        tick.label.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    apply(axisX_, xRange_.low, timeTicks);
}

void ChartPresenter::OnPlotResized()
{
    RebuildTicks();
}

void ChartPresenter::ApplyMargins(int h)
{
    // Small margins above and below the plot, proportional to the chart's height.
    chart_->setMargins(QMargins(8, std::max(2, h * 3 / 100), 32, std::max(2, h * 5 / 100)));
}

void ChartPresenter::SetPointReduction(bool on)
{
    lines_->SetThinning(on);
}

QRectF ChartPresenter::SceneToValues(const QRectF &scene) const
{
    const QRectF plot = chart_->plotArea();
    if (plot.width() <= 0 || plot.height() <= 0)
        return {};
    const double xs = (xRange_.high - xRange_.low) / plot.width();
    const double ys = (yRange_.high - yRange_.low) / plot.height();
    const double x0 = xRange_.low + (scene.left() - plot.left()) * xs;
    const double x1 = xRange_.low + (scene.right() - plot.left()) * xs;
    const double y1 = yRange_.high - (scene.top() - plot.top()) * ys;
    const double y0 = yRange_.high - (scene.bottom() - plot.top()) * ys;
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

void ChartPresenter::Zoom(const QRectF &valueRect)
{
    const QRectF r = valueRect.normalized();
    if (!(r.width() > 0) || !(r.height() > 0))
        return;
    zoomActive_ = true;
    SetTimeAxisRange({r.left(), r.right()});
    SetDataAxisRange({r.top(), r.bottom()});
}

void ChartPresenter::UndoZoom(bool allGraphsView)
{
    const int current = book_.Current();
    if (allGraphsView)
        SetDataAxisRange(commonRange_);
    else if (current >= 1 && current <= book_.Count())
        SetDataAxisRange(DataAxisRange({&book_.Graph(current)}));
    else
        SetDataAxisRange(DataAxisRange({}));
    ResetTimeAxisRange();
    zoomActive_ = false;
}

ValueRange ChartPresenter::DataAxisShown() const
{
    return {axisY_->min(), axisY_->max()};
}

ValueRange ChartPresenter::TimeAxisShown() const
{
    return {axisX_->min(), axisX_->max()};
}

QString ChartPresenter::DataAxisTitle() const
{
    return axisY_->titleText();
}

QString ChartPresenter::TimeAxisTitle() const
{
    return axisX_->titleText();
}

int ChartPresenter::SeriesPointCount(int k) const
{
    return seriesFilled_.at(size_t(k - 1)) ? lines_->PointCount(k) : 0;
}

bool ChartPresenter::SeriesVisible(int k) const
{
    return series_.at(size_t(k - 1))->isVisible();
}

} // namespace orv
