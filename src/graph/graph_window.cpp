#include "graph_window.h"

#include "axis_ticks.h"
#include "button_tab_control.h"
#include "graph_chart_view.h"
#include "graph_texts.h"
#include "point_reduction.h"
#include "wait_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace orv {

namespace t = graph_texts;

namespace {

constexpr int GridColumns = 6;
constexpr int GridWidths[GridColumns] = {100, 72, 133, 131, 106, 105};
constexpr int GridRowHeight = 20;

// Names every control as the window's design does, for tests and for assistive technology.
void Name(QWidget *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    w->setAccessibleDescription(QLatin1String(name));
}

QFont PixelFont(const QString &family, int pixels, bool bold = false)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

TimeAxisKind TimeKindOf(const QComboBox *box)
{
    return TimeAxisFromName(box->currentText()).value_or(TimeAxisKind::Time);
}

} // namespace

TGrafik::TGrafik(TOgidanie *waitWindow, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      waitWindow_(waitWindow)
{
    setObjectName(QStringLiteral("TGrafik"));
    setWindowTitle(t::WindowCaption);
    setModal(true);
    for (int k = 1; k <= MaxGraphs; ++k)
        slots_[size_t(k - 1)].colour = GraphColour(k);
    BuildChart();
    BuildControls();
    resize(1180, 900);
}

TGrafik::~TGrafik() = default;

void TGrafik::BuildChart()
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

    QLegend *legend = chart_->legend();
    legend->setFont(PixelFont(QStringLiteral("Arial"), 16));
    legend->setAlignment(Qt::AlignRight);
    legend->setVisible(false);

    SetDataAxisRange({0, 1});
    SetTimeAxisRange({0, 60000});
}

void TGrafik::BuildControls()
{
    TabControl1 = new ButtonTabControl(this);
    Name(TabControl1, "TabControl1");
    TabControl1->setAccessibleName(QStringLiteral("Графики"));

    view_ = new GraphChartView(chart_);
    Name(view_, "Chart1");
    view_->setAccessibleName(t::ChartTitle);
    view_->setMinimumSize(400, 300);
    TabControl1->SetPage(view_);

    StringGrid1 = new QTableWidget(MaxGraphs, GridColumns, this);
    Name(StringGrid1, "StringGrid1");
    StringGrid1->setAccessibleName(QStringLiteral("Сводка по графикам"));
    StringGrid1->setFont(PixelFont(QStringLiteral("Times New Roman"), 16));
    StringGrid1->setHorizontalHeaderLabels({t::GridDevice, t::GridAddress, t::GridMinimum, t::GridMaximum,
                                            t::GridUnit, t::GridCount});
    StringGrid1->horizontalHeader()->setFont(PixelFont(QStringLiteral("Times New Roman"), 16));
    StringGrid1->verticalHeader()->hide();
    StringGrid1->horizontalHeader()->setMinimumSectionSize(10);
    StringGrid1->verticalHeader()->setMinimumSectionSize(10);
    StringGrid1->horizontalHeader()->setFixedHeight(GridRowHeight);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    int width = 0;
    for (int c = 0; c < GridColumns; ++c) {
        StringGrid1->setColumnWidth(c, GridWidths[c]);
        width += GridWidths[c];
    }
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    const int frame = 2 * StringGrid1->frameWidth();
    StringGrid1->setFixedSize(width + frame, GridRowHeight * (MaxGraphs + 1) + frame);
    for (int r = 0; r < MaxGraphs; ++r)
        for (int c = 0; c < GridColumns; ++c)
            StringGrid1->setItem(r, c, new QTableWidgetItem());

    Label5 = new QLabel(t::DataAxisLabel, this);
    Name(Label5, "Label5");
    ComboBox2 = new QComboBox(this);
    Name(ComboBox2, "ComboBox2");
    ComboBox2->addItems(DataAxisNames());
    ComboBox2->setCurrentIndex(0);
    Label5->setBuddy(ComboBox2);

    Label1 = new QLabel(t::TimeAxisLabel, this);
    Name(Label1, "Label1");
    ComboBox1 = new QComboBox(this);
    Name(ComboBox1, "ComboBox1");
    ComboBox1->addItems(TimeAxisNames());
    ComboBox1->setCurrentIndex(0);
    Label1->setBuddy(ComboBox1);

    Button_Load_Data = new QPushButton(t::LoadButton, this);
    Name(Button_Load_Data, "Button_Load_Data");
    Button_Delete_Data = new QPushButton(t::DeleteButton, this);
    Name(Button_Delete_Data, "Button_Delete_Data");
    Button_Delete_Data->setEnabled(false);
    Button_Copy = new QPushButton(t::CopyButton, this);
    Name(Button_Copy, "Button_Copy");
    Button_Print = new QPushButton(t::PrintButton, this);
    Name(Button_Print, "Button_Print");
    Button_Close = new QPushButton(t::CloseButton, this);
    Name(Button_Close, "Button_Close");
    for (QPushButton *b : {Button_Load_Data, Button_Delete_Data, Button_Copy, Button_Print, Button_Close}) {
        b->setAutoDefault(false);
        b->setMinimumHeight(30);
    }

    auto *controls = new QGridLayout();
    controls->setHorizontalSpacing(10);
    controls->addWidget(Label5, 0, 0);
    controls->addWidget(ComboBox2, 0, 1);
    controls->addWidget(Label1, 1, 0);
    controls->addWidget(ComboBox1, 1, 1);
    controls->addWidget(Button_Load_Data, 2, 0);
    controls->addWidget(Button_Delete_Data, 2, 1);
    controls->addWidget(Button_Copy, 3, 0);
    controls->addWidget(Button_Print, 3, 1);
    controls->addWidget(Button_Close, 4, 0, 1, 2);
    controls->setRowStretch(5, 1);

    auto *bottom = new QHBoxLayout();
    bottom->addWidget(StringGrid1, 0, Qt::AlignTop);
    bottom->addSpacing(12);
    bottom->addLayout(controls, 1);

    auto *main = new QVBoxLayout(this);
    main->addWidget(TabControl1, 1);
    main->addLayout(bottom);

    connect(Button_Load_Data, &QPushButton::clicked, this, &TGrafik::Button_Load_DataClick);
    connect(Button_Delete_Data, &QPushButton::clicked, this, &TGrafik::Button_Delete_DataClick);
    connect(Button_Copy, &QPushButton::clicked, this, &TGrafik::Button_CopyClick);
    connect(Button_Print, &QPushButton::clicked, this, &TGrafik::Button_PrintClick);
    connect(Button_Close, &QPushButton::clicked, this, &TGrafik::Button_CloseClick);
    connect(TabControl1, &ButtonTabControl::TabChanged, this, &TGrafik::TabControl1Change);
    connect(ComboBox1, qOverload<int>(&QComboBox::currentIndexChanged), this, &TGrafik::ComboBox1Change);
    connect(view_, &GraphChartView::ZoomRequested, this,
            [this](const QRectF &scene) { Chart1Zoom(SceneToValues(scene)); });
    connect(view_, &GraphChartView::UndoZoomRequested, this, &TGrafik::Chart1UndoZoom);
    connect(view_, &GraphChartView::Resized, this, &TGrafik::ApplyChartMargins);
    // Axis labels change the plot area; react after the chart's own layout has settled.
    connect(chart_, &QChart::plotAreaChanged, this, &TGrafik::OnPlotResized, Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------------------------
// Opening and closing

void TGrafik::ShowUntilClosed()
{
    graphCloseRequested_ = false;
    do {
        exec();
    } while (!graphCloseRequested_);
}

void TGrafik::Button_CloseClick()
{
    graphCloseRequested_ = true;
    reject();
}

// ---------------------------------------------------------------------------------------------
// Loading

void TGrafik::Button_Load_DataClick()
{
    QFileDialog dialog(this, t::OpenDialogTitle);
    dialog.setObjectName(QStringLiteral("DialogOpenFile"));
    dialog.setNameFilter(t::FileFilter);
    dialog.setDefaultSuffix(t::DefaultExtension);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (lastFile_.isEmpty()) {
        dialog.setDirectory(QCoreApplication::applicationDirPath());
    } else {
        dialog.setDirectory(QFileInfo(lastFile_).absolutePath());
        dialog.selectFile(lastFile_);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    AddGraphFromFile(dialog.selectedFiles().constFirst());
}

void TGrafik::AddGraphFromFile(const QString &path)
{
    if (graphCount_ >= MaxGraphs)
        return;
    for (int k = 1; k <= MaxGraphs; ++k)
        slots_[size_t(k - 1)].colour = GraphColour(k);
    lastFile_ = path;
    if (allGraphsTabPresent_) {
        TabControl1->RemoveTab(TabControl1->Count() - 1);
        allGraphsTabPresent_ = false;
    }

    LoadSurveyFile(path);

    clearSeriesBeforeDrawing_ = true;
    ShowWait(t::WaitOneGraph);
    DrawGraph();

    UpdateAllGraphsTab();
    // A file that could not be read adds nothing; with no graph there is nothing to delete.
    Button_Delete_Data->setEnabled(graphCount_ > 0);
    view_->viewport()->update();
    HideWait();

    Button_Load_Data->setEnabled(graphCount_ < MaxGraphs);
    ComboBox1->setEnabled(graphCount_ == 0);
}

bool TGrafik::LoadSurveyFile(const QString &path)
{
    const DataAxisKind axis = DataAxisFromName(ComboBox2->currentText()).value_or(DataAxisKind::Pressure);
    std::optional<SurveyGraphData> loaded = ReadSurveyFile(path, axis, TimeKindOf(ComboBox1), QLocale());
    if (!loaded) {
        QMessageBox::critical(this, t::WindowCaption, t::FileAccessError + QDir::toNativeSeparators(path));
        return false;
    }
    if (!loaded->conversionError.isEmpty()) {
        QMessageBox::critical(this, t::WindowCaption, loaded->conversionError);
        return false;
    }
    if (loaded->capped)
        QMessageBox::information(this, t::WindowCaption, t::TooManyPoints);

    int k = 0;
    for (int row = 1; row <= MaxGraphs; ++row) {
        if (SummaryCell(row, 0).isEmpty()) {
            k = row;
            break;
        }
    }
    if (k == 0)
        return false;
    graphCount_ = k;
    currentGraph_ = k;

    GraphSlot &slot = slots_[size_t(k - 1)];
    slot.x = std::move(loaded->x);
    slot.y = std::move(loaded->y);
    slot.unit = loaded->unit;
    slot.axisName = ComboBox2->currentText();
    slot.count = int(slot.y.size());
    slot.minimum = slot.count ? loaded->minimum : 0;
    slot.maximum = slot.count ? loaded->maximum : 0;

    const QString caption = t::TabPrefix + loaded->device;
    TabControl1->AddTab(caption);
    TabControl1->SetCurrentIndex(k - 1);
    SetRow(k, {caption, loaded->address, loaded->minimumText, loaded->maximumText, loaded->unit,
               QString::number(slot.count)});
    return true;
}

// ---------------------------------------------------------------------------------------------
// Drawing

std::vector<const GraphSlot *> TGrafik::LoadedGraphs() const
{
    std::vector<const GraphSlot *> graphs;
    for (int k = 1; k <= graphCount_; ++k)
        graphs.push_back(&slots_[size_t(k - 1)]);
    return graphs;
}

void TGrafik::DrawGraph()
{
    for (QLineSeries *series : series_)
        series->setVisible(false);
    if (clearSeriesBeforeDrawing_) {
        for (size_t i = 0; i < series_.size(); ++i) {
            if (seriesFilled_[i] || series_[i]->count() > 0)
                series_[i]->clear();
            seriesFilled_[i] = false;
        }
    }

    if (currentGraph_ >= 1 && currentGraph_ <= graphCount_) {
        const size_t i = size_t(currentGraph_ - 1);
        const GraphSlot &graph = slots_[i];
        axisY_->setTitleText(SingleGraphAxisTitle(graph));
        if (chart_->legend()->isVisible())
            SetSeriesTitlesFromTabs();
        drawnTimeKind_ = TimeKindOf(ComboBox1);
        if (commonScale_) {
            const std::vector<const GraphSlot *> all = LoadedGraphs();
            commonRange_ = DataAxisRange(all);
            SetDataAxisRange(commonRange_);
            axisY_->setTitleText(AllGraphsAxisTitle(all));
        } else {
            SetDataAxisRange(DataAxisRange({&graph}));
        }
        series_[i]->setPen(QPen(graph.colour, 2));
        seriesFilled_[i] = true;
        // The series is filled below, once the time axis knows its range.
        series_[i]->clear();
    } else {
        // Nothing left to draw: an empty chart.
        SetDataAxisRange(DataAxisRange({}));
    }
    ResetTimeAxisRange();

    for (int k = 1; k <= graphCount_; ++k)
        series_[size_t(k - 1)]->setVisible(true);
    UpdateLegendMarkers();
    if (drawBatch_ == 0)
        RefillSeries();
}

void TGrafik::SetSeriesTitlesFromTabs()
{
    for (int k = 1; k <= graphCount_; ++k)
        series_[size_t(k - 1)]->setName(TabControl1->TabText(k - 1));
}

void TGrafik::UpdateLegendMarkers()
{
    for (int k = 1; k <= MaxGraphs; ++k)
        for (QLegendMarker *marker : chart_->legend()->markers(series_[size_t(k - 1)]))
            marker->setVisible(k <= graphCount_);
}

void TGrafik::ResetTimeAxisRange()
{
    std::vector<const GraphSlot *> shown;
    for (size_t i = 0; i < series_.size(); ++i)
        if (seriesFilled_[i])
            shown.push_back(&slots_[i]);
    const double pad = drawnTimeKind_ == TimeAxisKind::Date ? double(MillisecondsPerDay) : 60000.0;
    SetTimeAxisRange(TimeAxisRange(shown, pad));
}

void TGrafik::SetDataAxisRange(const ValueRange &range)
{
    if (range.low == yRange_.low && range.high == yRange_.high && axisY_->min() == range.low &&
        axisY_->max() == range.high)
        return;
    EmptyThinnedSeries();
    yRange_ = range;
    axisY_->setRange(range.low, range.high);
    RebuildTicks();
}

void TGrafik::SetTimeAxisRange(const ValueRange &range)
{
    if (range.low == xRange_.low && range.high == xRange_.high && axisX_->min() == range.low &&
        axisX_->max() == range.high)
        return;
    EmptyThinnedSeries();
    xRange_ = range;
    axisX_->setRange(range.low, range.high);
    RebuildTicks();
}

void TGrafik::EmptyThinnedSeries()
{
    // The chart recomputes the outline of every point it holds whenever an axis range changes.
    // Thinned series are refilled for the new range anyway, so they are emptied first and the
    // chart does that work once, on the new points only.
    if (!pointReduction_)
        return;
    for (size_t i = 0; i < series_.size(); ++i)
        if (seriesFilled_[i] && series_[i]->count() > 0)
            series_[i]->clear();
}

void TGrafik::RefillSeries()
{
    const QRectF plot = chart_->plotArea();
    const qreal ratio = view_ ? view_->devicePixelRatioF() : 1.0;
    const int columns = plot.width() >= 10 ? int(std::ceil(plot.width() * ratio)) : 1200;
    reducedColumns_ = columns;
    for (size_t i = 0; i < series_.size(); ++i) {
        if (!seriesFilled_[i])
            continue;
        const GraphSlot &graph = slots_[i];
        if (pointReduction_) {
            if (series_[i]->count() > 0)
                series_[i]->clear();
            series_[i]->replace(ReducePointsForDisplay(graph.x, graph.y, xRange_.low, xRange_.high, columns));
        } else if (series_[i]->count() != graph.count) {
            series_[i]->replace(AllPoints(graph.x, graph.y));
        }
    }
}

void TGrafik::RebuildTicks()
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

void TGrafik::OnPlotResized()
{
    const QRectF plot = chart_->plotArea();
    const int columns = int(std::ceil(plot.width() * (view_ ? view_->devicePixelRatioF() : 1.0)));
    RebuildTicks();
    if (pointReduction_ && plot.width() >= 10 && (columns > reducedColumns_ || columns < reducedColumns_ * 9 / 10))
        RefillSeries();
}

void TGrafik::ApplyChartMargins()
{
    // Small margins above and below the plot, proportional to the chart's height.
    const int h = view_->height();
    chart_->setMargins(QMargins(8, std::max(2, h * 3 / 100), 32, std::max(2, h * 5 / 100)));
}

void TGrafik::SetPointReduction(bool on)
{
    pointReduction_ = on;
    RefillSeries();
}

// ---------------------------------------------------------------------------------------------
// Tabs

void TGrafik::UpdateAllGraphsTab()
{
    if (graphCount_ < 2)
        return;
    const QString name = slots_[0].axisName;
    bool same = true;
    for (int k = 2; k <= graphCount_; ++k)
        same = same && slots_[size_t(k - 1)].axisName == name;
    if (same) {
        TabControl1->AddTab(t::AllGraphsTab);
        allGraphsTabPresent_ = true;
        clearSeriesBeforeDrawing_ = false;
        DrawGraph();
    } else {
        allGraphsTabPresent_ = false;
    }
}

void TGrafik::TabControl1Change(int index)
{
    if (index + 1 > graphCount_) {
        Button_Load_Data->setEnabled(false);
        Button_Delete_Data->setEnabled(false);
        clearSeriesBeforeDrawing_ = false;
        chart_->legend()->setVisible(true);
        ShowWait(t::WaitAllGraphs);
        // The series are filled once, after the last graph has set the common ranges.
        ++drawBatch_;
        for (int k = 1; k <= graphCount_; ++k) {
            currentGraph_ = k;
            commonScale_ = true;
            DrawGraph();
            commonScale_ = false;
        }
        --drawBatch_;
        RefillSeries();
    } else {
        currentGraph_ = index + 1;
        Button_Load_Data->setEnabled(graphCount_ < MaxGraphs);
        Button_Delete_Data->setEnabled(true);
        chart_->legend()->setVisible(false);
        ShowWait(t::WaitOneGraph);
        clearSeriesBeforeDrawing_ = true;
        DrawGraph();
    }
    HideWait();
}

void TGrafik::SelectTab(int index)
{
    QAbstractButton *button = TabControl1->TabButton(index);
    if (button)
        button->click();
}

void TGrafik::ComboBox1Change(int index)
{
    switch (static_cast<TimeAxisKind>(index)) {
    case TimeAxisKind::Time: axisX_->setTitleText(t::TimeAxisTitle); break;
    case TimeAxisKind::Date: axisX_->setTitleText(t::DateAxisTitle); break;
    // Axis titles are rich text too: the empty first line is a <br>.
    case TimeAxisKind::TimeAndDate: axisX_->setTitleText(QLatin1String("<br>") + t::TimeDateAxisTitle); break;
    }
}

// ---------------------------------------------------------------------------------------------
// Deleting

void TGrafik::Button_Delete_DataClick()
{
    DeleteGraph();
    if (!allGraphsTabPresent_)
        UpdateAllGraphsTab();
}

void TGrafik::DeleteGraph()
{
    const int k = currentGraph_;
    if (k < 1 || k > graphCount_)
        return;
    if (k < graphCount_) {
        for (int row = k; row < graphCount_; ++row) {
            SetRow(row, Row(row + 1));
            TabControl1->SetTabText(row - 1, TabControl1->TabText(row));
            slots_[size_t(row - 1)] = std::move(slots_[size_t(row)]);
        }
        SetRow(graphCount_, QStringList());
        slots_[size_t(graphCount_ - 1)] = GraphSlot{};
        TabControl1->RemoveTab(graphCount_ - 1);
        --graphCount_;
        TabControl1->SetCurrentIndex(k - 1);
        clearSeriesBeforeDrawing_ = true;
        DrawGraph();
    } else {
        SetRow(k, QStringList());
        slots_[size_t(k - 1)] = GraphSlot{};
        TabControl1->RemoveTab(graphCount_ - 1);
        --graphCount_;
        currentGraph_ = k - 1;
        TabControl1->SetCurrentIndex(k - 2);
        clearSeriesBeforeDrawing_ = true;
        DrawGraph();
    }
    if (graphCount_ == 1 && allGraphsTabPresent_) {
        TabControl1->RemoveTab(TabControl1->Count() - 1);
        allGraphsTabPresent_ = false;
        TabControl1->SetCurrentIndex(currentGraph_ - 1);
        clearSeriesBeforeDrawing_ = true;
        DrawGraph();
    }
    if (graphCount_ == 0) {
        Button_Delete_Data->setEnabled(false);
        ComboBox1->setEnabled(true);
    }
    Button_Load_Data->setEnabled(graphCount_ < MaxGraphs);
}

// ---------------------------------------------------------------------------------------------
// Zoom

QRectF TGrafik::SceneToValues(const QRectF &scene) const
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

void TGrafik::ZoomTo(const QRectF &valueRect)
{
    Chart1Zoom(valueRect);
}

void TGrafik::UndoZoom()
{
    Chart1UndoZoom();
}

void TGrafik::Chart1Zoom(const QRectF &valueRect)
{
    const QRectF r = valueRect.normalized();
    if (!(r.width() > 0) || !(r.height() > 0))
        return;
    if (!zoomActive_)
        zoomActive_ = true;
    SetTimeAxisRange({r.left(), r.right()});
    SetDataAxisRange({r.top(), r.bottom()});
    RefillSeries();
}

void TGrafik::Chart1UndoZoom()
{
    const int tab = TabControl1->CurrentIndex();
    if (tab + 1 > graphCount_ && allGraphsTabPresent_)
        SetDataAxisRange(commonRange_);
    else if (currentGraph_ >= 1 && currentGraph_ <= graphCount_)
        SetDataAxisRange(DataAxisRange({&slots_[size_t(currentGraph_ - 1)]}));
    else
        SetDataAxisRange(DataAxisRange({}));
    ResetTimeAxisRange();
    RefillSeries();
    zoomActive_ = false;
}

// ---------------------------------------------------------------------------------------------
// Copy and print

void TGrafik::Button_CopyClick()
{
    FlushChartLayout();
    const qreal ratio = view_->devicePixelRatioF();
    QImage image(view_->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    view_->render(&painter);
    painter.end();
    QGuiApplication::clipboard()->setImage(image);
}

void TGrafik::Button_PrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    // Margins of 5 % of the sheet on every side.
    const QRectF sheet = printer.pageLayout().fullRect(QPageLayout::Millimeter);
    printer.setPageMargins(QMarginsF(sheet.width() * 0.05, sheet.height() * 0.05, sheet.width() * 0.05,
                                     sheet.height() * 0.05),
                           QPageLayout::Millimeter);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &TGrafik::PaintChart);
    preview.resize(size());
    preview.exec();
    view_->viewport()->update();
}

void TGrafik::PaintChart(QPrinter *printer)
{
    FlushChartLayout();
    QPainter painter(printer);
    const QSizeF page = printer->pageLayout().paintRectPixels(printer->resolution()).size();
    // The chart as it is on screen, as large as fits within the margins, in the middle.
    const QRect source = view_->viewport()->rect();
    const QSizeF fitted = QSizeF(source.size()).scaled(page, Qt::KeepAspectRatio);
    const QRectF target(QPointF((page.width() - fitted.width()) / 2, (page.height() - fitted.height()) / 2), fitted);
    view_->render(&painter, target, source, Qt::KeepAspectRatio);
}

// ---------------------------------------------------------------------------------------------
// Helpers

void TGrafik::FlushChartLayout()
{
    // The chart lays its axes out on a posted request; a picture taken before that would show
    // the lines of the new range under the labels of the old one.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void TGrafik::ShowWait(const QString &text)
{
    if (waitWindow_)
        waitWindow_->ShowWaiting(text);
}

void TGrafik::HideWait()
{
    if (waitWindow_)
        waitWindow_->HideWaiting();
}

void TGrafik::SetRow(int row, const QStringList &cells)
{
    for (int c = 0; c < GridColumns; ++c)
        StringGrid1->item(row - 1, c)->setText(cells.value(c));
}

QStringList TGrafik::Row(int row) const
{
    QStringList cells;
    for (int c = 0; c < GridColumns; ++c)
        cells << SummaryCell(row, c);
    return cells;
}

QString TGrafik::SummaryCell(int row, int column) const
{
    if (column < 0 || column >= GridColumns)
        return QString();
    if (row == 0)
        return StringGrid1->horizontalHeaderItem(column)->text();
    const QTableWidgetItem *item = StringGrid1->item(row - 1, column);
    return item ? item->text() : QString();
}

QStringList TGrafik::TabCaptions() const
{
    QStringList captions;
    for (int i = 0; i < TabControl1->Count(); ++i)
        captions << TabControl1->TabText(i);
    return captions;
}

int TGrafik::SelectedTab() const
{
    return TabControl1->CurrentIndex();
}

ValueRange TGrafik::DataAxisShown() const
{
    return {axisY_->min(), axisY_->max()};
}

ValueRange TGrafik::TimeAxisShown() const
{
    return {axisX_->min(), axisX_->max()};
}

QString TGrafik::DataAxisTitle() const
{
    return axisY_->titleText();
}

QString TGrafik::TimeAxisTitle() const
{
    return axisX_->titleText();
}

int TGrafik::SeriesPointCount(int k) const
{
    return series_.at(size_t(k - 1))->count();
}

bool TGrafik::SeriesVisible(int k) const
{
    return series_.at(size_t(k - 1))->isVisible();
}

bool TGrafik::LegendVisible() const
{
    return chart_->legend()->isVisible();
}

} // namespace orv
