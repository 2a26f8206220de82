#pragma once
// The graphs the window holds, without any widget: which graph sits in which slot, the tab
// captions, the rows of the summary table, the current graph and whether the view of all graphs
// is offered. Graph k (1-based) is row k of the summary table, tab k - 1 and series k; deleting a
// graph moves the later ones up in all three at once.
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "graph_slots.h"
#include "survey_file_reader.h"

namespace orv {

inline constexpr int SummaryColumns = 6;

class GraphBook
{
public:
    GraphBook();

    int Count() const { return count_; }
    int Current() const { return current_; }
    void SetCurrent(int k) { current_ = k; }
    bool AllGraphsTabPresent() const { return allGraphsTab_; }
    bool Full() const { return count_ >= MaxGraphs; }

    const GraphSlot &Graph(int k) const { return slots_.at(size_t(k - 1)); }
    // Graphs 1 .. Count().
    std::vector<const GraphSlot *> Loaded() const;

    // Summary table cell: row 0 is the header, row k graph k.
    QString Cell(int row, int column) const;
    const QStringList &Row(int k) const { return rows_.at(size_t(k - 1)); }
    // Tab captions: one per graph, then «Все графики» while that view is offered.
    QStringList TabCaptions() const;
    // Index of the tab of the view of all graphs (valid while it is present).
    int AllGraphsTabIndex() const { return count_; }

    // A new load gives every slot its own colour again (a graph keeps its colour when earlier
    // ones are deleted, until then).
    void ResetColours();
    // Drops the view of all graphs; it is offered again after the load.
    void DropAllGraphsTab() { allGraphsTab_ = false; }

    // Puts a loaded file into the first free row; it becomes the current graph. Returns its
    // number, or 0 when all rows are taken.
    int Add(SurveyGraphData &&data, const QString &axisName);

    // After a load or delete: the view of all graphs is offered when two or more graphs of one
    // variable are loaded. Returns true when it is newly offered (its tab is to be added).
    bool OfferAllGraphs();

    // Deletes the current graph; later graphs move up. The graph after it becomes current, or the
    // one before when it was the last. With one graph left the view of all graphs goes.
    void DeleteCurrent();

private:
    std::array<GraphSlot, MaxGraphs> slots_;
    std::array<QStringList, MaxGraphs> rows_;
    int count_ = 0;
    int current_ = 1;
    bool allGraphsTab_ = false;
};

} // namespace orv
