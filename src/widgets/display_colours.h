#pragma once
// Colours of lamps and message labels.
#include <QColor>

namespace orv {

inline QColor LampSilver() { return QColor(192, 192, 192); }
inline QColor LampLime() { return QColor(0, 255, 0); }
inline QColor LampRed() { return QColor(255, 0, 0); }
inline QColor MessageRed() { return QColor(255, 0, 0); }
inline QColor MessageGreen() { return QColor(0, 128, 0); }
// A device slot that answered: the green of the messages.
inline QColor LampGreen() { return MessageGreen(); }

} // namespace orv
