#pragma once
// Reading the fields of an accepted answer. The engine accepts any frame whose length and
// checksum agree, so an answer may be shorter than its command's layout; a field beyond the
// frame reads as zero bytes instead of whatever memory follows it.
#include "link/response_view.h"
#include "link/value_text.h"

#include <QChar>
#include <QString>
#include <cstdint>

namespace orv {

// Response data byte k (0 and 1 are the status bytes), 0 when it lies beyond the frame.
std::uint8_t AnswerByte(const ResponseView &answer, int dataByte);

// Data bytes k .. k+3, most significant first.
FloatBytes AnswerFloatBytes(const ResponseView &answer, int firstDataByte);

// The fixed text (seven decimals) of the single at data bytes k .. k+3.
QString AnswerFloatText(const ResponseView &answer, int firstDataByte, QChar decimalSeparator);

} // namespace orv
