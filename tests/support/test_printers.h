#pragma once
// Readable failure messages for Qt texts and result rows.
#include "setup/request.h"
#include "gauge/result_rows.h"

#include <QString>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace orv {

inline void PrintTo(const ResultRowTexts &row, std::ostream *os)
{
    *os << "{\"" << row.parameter.toStdString() << "\", \"" << row.value.toStdString() << "\"}";
}

inline void PrintTo(const Request &r, std::ostream *os)
{
    *os << "command " << int(r.command) << " data";
    for (std::uint8_t b : r.data)
        *os << ' ' << std::hex << int(b) << std::dec;
}

} // namespace orv
