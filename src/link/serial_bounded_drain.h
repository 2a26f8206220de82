#pragma once
// tcdrain with a time limit. A drain waits until the driver says the device has sent everything;
// for a USB adapter that means asking the chip until it reports its transmitter empty, with no
// limit at all, so a chip that never reports it would hold the calling thread for ever. Here a
// timer signal aimed at the calling thread ends the wait once the limit is reached.
#include <chrono>
#include <ctime>
#include <functional>

namespace orv {

class BoundedDrain {
public:
    // Sets up the timer for the calling thread, which must be the one that calls Drain.
    BoundedDrain();
    ~BoundedDrain();
    BoundedDrain(const BoundedDrain &) = delete;
    BoundedDrain &operator=(const BoundedDrain &) = delete;

    // False when no signal could be set aside for the timer (another part of the process uses
    // it); Drain must not be called then.
    bool Usable() const { return usable_; }

    // 0 once everything written has left, ETIMEDOUT when that was not reported within `bound`,
    // otherwise the errno of the drain.
    int Drain(int fd, std::chrono::microseconds bound);

    // The same limit around any blocking call that returns 0, or -1 with errno set.
    int WaitWithin(const std::function<int()> &blockingCall, std::chrono::microseconds bound);

private:
    timer_t timer_ {};
    bool usable_ = false;
};

} // namespace orv
