#pragma once
// TGrafik: the graph window. Loads up to ten survey data files, one graph each, shows one graph
// at a time or all of them together, with a summary table, mouse zoom, print preview and copy.
// The window is created once and keeps its graphs between openings.
#include <QDialog>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <array>
#include <vector>

#include "graph_slots.h"
#include "survey_file_reader.h"

class QAbstractButton;
class QCategoryAxis;
class QChart;
class QComboBox;
class QLabel;
class QLineSeries;
class QPrinter;
class QPushButton;
class QTableWidget;

namespace orv {

class ButtonTabControl;
class GraphChartView;
class TOgidanie;

class TGrafik : public QDialog
{
    Q_OBJECT
public:
    explicit TGrafik(TOgidanie *waitWindow = nullptr, QWidget *parent = nullptr);
    ~TGrafik() override;

    void SetWaitWindow(TOgidanie *waitWindow) { waitWindow_ = waitWindow; }

    // Clears GraphCloseRequested and shows the window modally, again and again until "Выход"
    // sets it.
    void ShowUntilClosed();

    // Everything "Добавить график" does once a file has been chosen: load it as a new graph,
    // draw it and offer the view of all graphs when it applies.
    void AddGraphFromFile(const QString &path);

    // The mouse zoom and its undo, also reachable without a mouse. The rectangle is in values:
    // x in wall-clock milliseconds, y in the data variable.
    void ZoomTo(const QRectF &valueRect);
    void UndoZoom();

    // State, for the shell and for tests.
    int GraphCount() const { return graphCount_; }
    int CurrentGraph() const { return currentGraph_; }
    bool AllGraphsTabPresent() const { return allGraphsTabPresent_; }
    bool ZoomActive() const { return zoomActive_; }
    bool GraphCloseRequested() const { return graphCloseRequested_; }
    const GraphSlot &Graph(int k) const { return slots_.at(size_t(k - 1)); }
    // Summary table cell, row 0 being the header and row k graph k.
    QString SummaryCell(int row, int column) const;
    QStringList TabCaptions() const;
    int SelectedTab() const;
    ValueRange DataAxisShown() const;
    ValueRange TimeAxisShown() const;
    QString DataAxisTitle() const;
    QString TimeAxisTitle() const;
    // Points series k holds for drawing (after thinning) and whether it is shown.
    int SeriesPointCount(int k) const;
    bool SeriesVisible(int k) const;
    bool LegendVisible() const;
    QChart *Chart() const { return chart_; }
    GraphChartView *ChartView() const { return view_; }

    // Thinning of long lines to the pixels of the plot (on by default). Off only to measure what
    // it saves.
    void SetPointReduction(bool on);

    // Selecting a tab as a user's click does.
    void SelectTab(int index);

    // Brings the chart's axis layout up to date before a picture of it is taken.
    void FlushChartLayout();

private:
    void BuildControls();
    void BuildChart();

    // Handlers.
    void Button_Load_DataClick();
    void Button_Delete_DataClick();
    void Button_CopyClick();
    void Button_PrintClick();
    void Button_CloseClick();
    void TabControl1Change(int index);
    void ComboBox1Change(int index);
    void Chart1Zoom(const QRectF &valueRect);
    void Chart1UndoZoom();

    // Routines of the window.
    bool LoadSurveyFile(const QString &path);
    void DrawGraph();
    void UpdateAllGraphsTab();
    void DeleteGraph();

    // Chart plumbing.
    std::vector<const GraphSlot *> LoadedGraphs() const;
    void SetSeriesTitlesFromTabs();
    void ResetTimeAxisRange();
    void SetDataAxisRange(const ValueRange &range);
    void SetTimeAxisRange(const ValueRange &range);
    void RefillSeries();
    void EmptyThinnedSeries();
    void RebuildTicks();
    void OnPlotResized();
    void ApplyChartMargins();
    void ShowWait(const QString &text);
    void HideWait();
    void PaintChart(QPrinter *printer);
    void UpdateLegendMarkers();
    QRectF SceneToValues(const QRectF &sceneRect) const;
    void SetRow(int row, const QStringList &cells);
    QStringList Row(int row) const;

    TOgidanie *waitWindow_;

    // Controls (objectNames as the window's design names them).
    ButtonTabControl *TabControl1 = nullptr;
    QChart *chart_ = nullptr;
    GraphChartView *view_ = nullptr;
    std::array<QLineSeries *, MaxGraphs> series_{};
    QCategoryAxis *axisY_ = nullptr;
    QCategoryAxis *axisX_ = nullptr;
    QTableWidget *StringGrid1 = nullptr;
    QLabel *Label5 = nullptr;
    QComboBox *ComboBox2 = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QPushButton *Button_Load_Data = nullptr;
    QPushButton *Button_Delete_Data = nullptr;
    QPushButton *Button_Copy = nullptr;
    QPushButton *Button_Print = nullptr;
    QPushButton *Button_Close = nullptr;

    // Window state.
    std::array<GraphSlot, MaxGraphs> slots_;
    int graphCount_ = 0;
    int currentGraph_ = 1;
    bool allGraphsTabPresent_ = false;
    bool commonScale_ = false;
    bool clearSeriesBeforeDrawing_ = true;
    bool zoomActive_ = false;
    ValueRange commonRange_;
    bool graphCloseRequested_ = false;
    TimeAxisKind drawnTimeKind_ = TimeAxisKind::Time;

    // What each series holds: the graph slot whose points it shows, or nothing.
    std::array<bool, MaxGraphs> seriesFilled_{};
    bool pointReduction_ = true;
    int drawBatch_ = 0;
    int reducedColumns_ = 0;
    ValueRange xRange_;
    ValueRange yRange_;
    QString lastFile_;
};

} // namespace orv
