#include "link/serial_bounded_drain.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <pthread.h>
#include <termios.h>
#include <unistd.h>

namespace orv {

namespace {

extern "C" void IgnoreDrainSignal(int) {}

// One real-time signal for the whole process, with a handler that does nothing and does not ask
// for interrupted calls to be restarted: its only effect is that tcdrain returns EINTR. A signal
// that some other part of the process has claimed is left alone.
int DrainSignal()
{
    static const int number = [] {
        const int candidate = SIGRTMIN + 6;
        struct sigaction current {};
        if (candidate > SIGRTMAX || sigaction(candidate, nullptr, &current) != 0)
            return 0;
        if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL)
            return 0;
        struct sigaction mine {};
        mine.sa_handler = IgnoreDrainSignal;
        sigemptyset(&mine.sa_mask);
        mine.sa_flags = 0;
        return sigaction(candidate, &mine, nullptr) == 0 ? candidate : 0;
    }();
    return number;
}

timespec ToTimespec(std::chrono::microseconds span)
{
    timespec t {};
    t.tv_sec = static_cast<time_t>(span.count() / 1000000);
    t.tv_nsec = static_cast<long>(span.count() % 1000000) * 1000;
    return t;
}

} // namespace

BoundedDrain::BoundedDrain()
{
    const int signal = DrainSignal();
    if (signal == 0)
        return;
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    if (pthread_sigmask(SIG_UNBLOCK, &set, nullptr) != 0)
        return;

    sigevent event {};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = signal;
    event._sigev_un._tid = gettid();
    usable_ = timer_create(CLOCK_MONOTONIC, &event, &timer_) == 0;
}

BoundedDrain::~BoundedDrain()
{
    if (usable_)
        timer_delete(timer_);
}

int BoundedDrain::Drain(int fd, std::chrono::microseconds bound)
{
    return WaitWithin([fd] { return tcdrain(fd); }, bound);
}

int BoundedDrain::WaitWithin(const std::function<int()> &blockingCall, std::chrono::microseconds bound)
{
    if (!usable_)
        return ENOTSUP;
    // After the first expiry the timer goes on firing every few milliseconds: a signal that came
    // just before tcdrain entered the kernel would otherwise be lost, and the drain unbounded.
    itimerspec arm {};
    arm.it_value = ToTimespec(std::max(bound, std::chrono::microseconds(1)));
    arm.it_interval = ToTimespec(std::chrono::milliseconds(5));
    const auto start = std::chrono::steady_clock::now();
    if (timer_settime(timer_, 0, &arm, nullptr) != 0)
        return errno;

    int result = 0;
    for (;;) {
        if (blockingCall() == 0)
            break;
        if (errno != EINTR) {
            result = errno;
            break;
        }
        if (std::chrono::steady_clock::now() - start >= bound) {
            result = ETIMEDOUT;
            break;
        }
        // Some other signal: the limit is not reached yet.
    }

    const itimerspec disarm {};
    timer_settime(timer_, 0, &disarm, nullptr);
    return result;
}

} // namespace orv
