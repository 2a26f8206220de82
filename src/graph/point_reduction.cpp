#include "point_reduction.h"

#include <algorithm>
#include <cmath>

namespace orv {

QList<QPointF> AllPoints(const std::vector<double> &x, const std::vector<double> &y)
{
    QList<QPointF> out;
    const size_t n = std::min(x.size(), y.size());
    out.reserve(qsizetype(n));
    for (size_t i = 0; i < n; ++i)
        out.append(QPointF(x[i], y[i]));
    return out;
}

QList<QPointF> ReducePointsForDisplay(const std::vector<double> &x, const std::vector<double> &y,
                                      double x0, double x1, int columns)
{
    QList<QPointF> out;
    const size_t n = std::min(x.size(), y.size());
    if (n == 0)
        return out;
    if (x1 < x0)
        std::swap(x0, x1);
    columns = std::max(columns, 1);

    // [first, last) are the points inside; one neighbour on each side keeps the line to the edge.
    const size_t first = size_t(std::lower_bound(x.begin(), x.begin() + n, x0) - x.begin());
    const size_t last = size_t(std::upper_bound(x.begin(), x.begin() + n, x1) - x.begin());
    const size_t from = first > 0 ? first - 1 : 0;
    const size_t to = last < n ? last + 1 : n;

    if (to - from <= size_t(columns) * 2 || !(x1 > x0)) {
        out.reserve(qsizetype(to - from));
        for (size_t i = from; i < to; ++i)
            out.append(QPointF(x[i], y[i]));
        return out;
    }

    out.reserve(qsizetype(columns) * 2 + 2);
    if (from < first)
        out.append(QPointF(x[from], y[from]));
    const double scale = double(columns) / (x1 - x0);
    size_t i = first;
    while (i < last) {
        const long column = std::min(long(columns) - 1, long(std::floor((x[i] - x0) * scale)));
        size_t lowest = i, highest = i, end = i + 1;
        while (end < last && std::min(long(columns) - 1, long(std::floor((x[end] - x0) * scale))) == column) {
            if (y[end] < y[lowest])
                lowest = end;
            if (y[end] > y[highest])
                highest = end;
            ++end;
        }
        // The lowest and the highest point, in the order they were measured.
        const size_t a = std::min(lowest, highest), b = std::max(lowest, highest);
        out.append(QPointF(x[a], y[a]));
        if (b != a)
            out.append(QPointF(x[b], y[b]));
        i = end;
    }
    if (to > last)
        out.append(QPointF(x[last], y[last]));
    return out;
}

} // namespace orv
