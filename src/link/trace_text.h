#pragma once
// Texts of the trace log that are worked out rather than fixed.
#include <QString>
#include <QTime>
#include <cstdint>

namespace orv {

// Bytes as decimal numbers, each preceded by one blank (" 255 255 255 134 ...").
QString ByteListText(const std::uint8_t *bytes, int count);

// Bytes as decimal numbers separated by one blank ("255 255 255").
QString SpacedByteText(const std::uint8_t *bytes, int count);

// Elapsed time between the send time and the first received byte, from seconds and
// milliseconds only, as the trace log has always shown it ("0.045", "2.500").
QString ElapsedSecondsText(const QTime &sent, const QTime &now);

// The whole "Время начала прихода сообщения: ..." line.
QString FirstByteTraceLine(const QTime &sent, const QTime &now);

} // namespace orv
