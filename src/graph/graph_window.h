#pragma once
// TGrafik: the graph window. Loads up to ten survey data files, one graph each, shows one graph
// at a time or all of them together, with a summary table, mouse zoom, print preview and copy.
// The window is created once and keeps its graphs between openings.
#include <QDialog>
#include <QRectF>

#include "chart_presenter.h"
#include "graph_book.h"

class QChart;
class QComboBox;
class QLabel;
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
    int GraphCount() const { return book_.Count(); }
    int CurrentGraph() const { return book_.Current(); }
    bool AllGraphsTabPresent() const { return book_.AllGraphsTabPresent(); }
    bool ZoomActive() const { return presenter_.ZoomActive(); }
    bool GraphCloseRequested() const { return graphCloseRequested_; }
    const GraphSlot &Graph(int k) const { return book_.Graph(k); }
    // Summary table cell, row 0 being the header and row k graph k.
    QString SummaryCell(int row, int column) const;
    QStringList TabCaptions() const;
    int SelectedTab() const;
    ValueRange DataAxisShown() const { return presenter_.DataAxisShown(); }
    ValueRange TimeAxisShown() const { return presenter_.TimeAxisShown(); }
    QString DataAxisTitle() const { return presenter_.DataAxisTitle(); }
    QString TimeAxisTitle() const { return presenter_.TimeAxisTitle(); }
    // Points drawn for graph k's line in the present view (after thinning) and whether it is shown.
    int SeriesPointCount(int k) const { return presenter_.SeriesPointCount(k); }
    bool SeriesVisible(int k) const { return presenter_.SeriesVisible(k); }
    bool LegendVisible() const { return presenter_.LegendVisible(); }
    QChart *Chart() const { return presenter_.Chart(); }
    GraphChartView *ChartView() const { return view_; }

    // Thinning of long lines to the pixels of the plot (on by default). Off only to measure what
    // it saves.
    void SetPointReduction(bool on) { presenter_.SetPointReduction(on); }

    // Selecting a tab as a user's click does.
    void SelectTab(int index);

    // Brings the chart's axis layout up to date before a picture of it is taken.
    void FlushChartLayout();

private:
    void BuildControls();

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

    // Shows the book's tabs and summary rows.
    void ShowTabs();
    void ShowRows();
    void ShowWait(const QString &text);
    void HideWait();
    void PaintChart(QPrinter *printer);

    TOgidanie *waitWindow_;
    GraphBook book_;
    ChartPresenter presenter_{book_};

    // Controls (objectNames as the window's design names them).
    ButtonTabControl *TabControl1 = nullptr;
    GraphChartView *view_ = nullptr;
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
    bool commonScale_ = false;
    bool clearSeriesBeforeDrawing_ = true;
    bool graphCloseRequested_ = false;
    QString lastFile_;
};

} // namespace orv
