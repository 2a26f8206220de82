#pragma once
// What a decoder writes into the result table: the "Параметр" and "Значение" texts of row
// ResultRow and of the rows below it. A decoder that fills k + 1 rows returns k + 1 entries;
// the window appends the k additional rows first and advances ResultRow by k.
#include <QString>
#include <vector>

namespace orv {

struct ResultRowTexts {
    QString parameter;   // column 3
    QString value;       // column 4

    bool operator==(const ResultRowTexts &other) const
    {
        return parameter == other.parameter && value == other.value;
    }
};

using ResultRows = std::vector<ResultRowTexts>;

// Rows beyond the first one: the number of rows the window appends before writing.
inline int AdditionalRows(const ResultRows &rows)
{
    return rows.empty() ? 0 : static_cast<int>(rows.size()) - 1;
}

} // namespace orv
