#pragma once
#include <QtGlobal>

#include <functional>

namespace orv {

// Waits the given time on a monotonic clock while the user-interface thread keeps serving its
// events: serial events, timers, painting. User input (clicks, keys) is held back until the wait
// is over, so that no window opened by the user runs inside a transmission. It sleeps between
// events instead of spinning a core. The event processing runs at least once.
//
// With `until`, the wait also ends as soon as that condition holds after an event has been
// served; the result says whether it did.
bool WaitMicroseconds(qint64 microseconds, const std::function<bool()> &until = {});

} // namespace orv
