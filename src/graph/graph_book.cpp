#include "graph_book.h"

#include "graph_texts.h"

namespace orv {

namespace t = graph_texts;

GraphBook::GraphBook()
{
    ResetColours();
}

std::vector<const GraphSlot *> GraphBook::Loaded() const
{
    std::vector<const GraphSlot *> graphs;
    for (int k = 1; k <= count_; ++k)
        graphs.push_back(&slots_[size_t(k - 1)]);
    return graphs;
}

QString GraphBook::Cell(int row, int column) const
{
    static const QString headers[SummaryColumns] = {t::GridDevice, t::GridAddress, t::GridMinimum, t::GridMaximum, t::GridUnit, t::GridCount};
    if (column < 0 || column >= SummaryColumns || row < 0 || row > MaxGraphs)
        return QString();
    if (row == 0)
        return headers[column];
    return rows_[size_t(row - 1)].value(column);
}

QStringList GraphBook::TabCaptions() const
{
    QStringList captions;
    for (int k = 1; k <= count_; ++k)
        captions << Cell(k, 0);
    if (allGraphsTab_)
        captions << t::AllGraphsTab;
    return captions;
}

void GraphBook::ResetColours()
{
    for (int k = 1; k <= MaxGraphs; ++k)
        slots_[size_t(k - 1)].colour = GraphColour(k);
}

int GraphBook::Add(SurveyGraphData &&data, const QString &axisName)
{
    int k = 0;
    for (int row = 1; row <= MaxGraphs; ++row) {
        if (Cell(row, 0).isEmpty()) {
            k = row;
            break;
        }
    }
    if (k == 0)
        return 0;
    count_ = k;
    current_ = k;

    GraphSlot &slot = slots_[size_t(k - 1)];
    slot.x = std::move(data.x);
    slot.y = std::move(data.y);
    slot.unit = data.unit;
    slot.axisName = axisName;
    slot.count = int(slot.y.size());
    slot.minimum = slot.count ? data.minimum : 0;
    slot.maximum = slot.count ? data.maximum : 0;
    rows_[size_t(k - 1)] = {t::TabPrefix + data.device, data.address, data.minimumText, data.maximumText,
                            data.unit, QString::number(slot.count)};
    return k;
}

bool GraphBook::OfferAllGraphs()
{
    if (count_ < 2)
        return false;
    const QString &name = slots_[0].axisName;
    bool same = true;
    for (int k = 2; k <= count_; ++k)
        same = same && slots_[size_t(k - 1)].axisName == name;
    allGraphsTab_ = same;
    return same;
}

void GraphBook::DeleteCurrent()
{
    const int k = current_;
    if (k < 1 || k > count_)
        return;
    for (int row = k; row < count_; ++row) {
        rows_[size_t(row - 1)] = rows_[size_t(row)];
        slots_[size_t(row - 1)] = std::move(slots_[size_t(row)]);
    }
    rows_[size_t(count_ - 1)] = QStringList();
    slots_[size_t(count_ - 1)] = GraphSlot{};
    if (k == count_)
        current_ = k - 1;
    --count_;
    if (count_ == 1)
        allGraphsTab_ = false;
}

} // namespace orv
