#pragma once
#include <QtGlobal>

namespace orv {

// Waits the given time on a monotonic clock while the user-interface thread keeps serving its
// events (serial events, timers, clicks). It sleeps between events instead of spinning a core.
// The event processing runs at least once.
void WaitMicroseconds(qint64 microseconds);

} // namespace orv
