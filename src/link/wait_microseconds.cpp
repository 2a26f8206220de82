#include "link/wait_microseconds.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <time.h>

namespace orv {

namespace {

void SleepMicroseconds(qint64 us)
{
    timespec ts{static_cast<time_t>(us / 1000000), static_cast<long>((us % 1000000) * 1000)};
    nanosleep(&ts, nullptr);
}

} // namespace

bool WaitMicroseconds(qint64 microseconds, const std::function<bool()> &until)
{
    constexpr QEventLoop::ProcessEventsFlags Served = QEventLoop::ExcludeUserInputEvents;
    QElapsedTimer clock;
    clock.start();
    // A timer of our own wakes the event dispatcher when the wait is over; any other event
    // (a received byte, TX empty, a timer) wakes it earlier and is served at once.
    QTimer wake;
    wake.setTimerType(Qt::PreciseTimer);
    wake.setSingleShot(true);
    for (;;) {
        QCoreApplication::processEvents(Served);
        if (until && until())
            return true;
        const qint64 left = microseconds - clock.nsecsElapsed() / 1000;
        if (left <= 0)
            return false;
        if (left >= 1000) {
            wake.start(static_cast<int>(qMin<qint64>(left / 1000, 1 << 30)));
            QCoreApplication::processEvents(Served | QEventLoop::WaitForMoreEvents);
            wake.stop();
            if (until && until())
                return true;
        } else {
            // Below a millisecond the timer cannot help; the remainder is slept off.
            SleepMicroseconds(left);
        }
    }
}

} // namespace orv
