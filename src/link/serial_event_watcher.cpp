#include "link/serial_event_watcher.h"

#include "link/serial_drain_probe.h"

#include <QMetaObject>
#include <QScopeGuard>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace orv {

// Shared with the hand-overs queued on the context's thread, which may run after the watcher is
// gone: they only look at `closing` and report that they have run.
struct SerialEventWatcher::HandOverState {
    std::mutex mutex;
    std::condition_variable changed;
    bool closing = false;
    std::uint64_t posted = 0;
    std::uint64_t done = 0;
};

SerialEventWatcher::SerialEventWatcher(int fd, QObject *context, Dispatch dispatch)
    : fd_(fd), context_(context), dispatch_(std::move(dispatch)),
      handOver_(std::make_shared<HandOverState>())
{
}

SerialEventWatcher::~SerialEventWatcher()
{
    Stop();
    if (epoll_ >= 0)
        close(epoll_);
    if (wake_ >= 0)
        close(wake_);
    if (timer_ >= 0)
        close(timer_);
}

int SerialEventWatcher::Start(int characterMicroseconds)
{
    characterMicros_.store(characterMicroseconds);
    wake_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake_ < 0)
        return errno;
    timer_ = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
    if (timer_ < 0)
        return errno;
    epoll_ = epoll_create1(EPOLL_CLOEXEC);
    if (epoll_ < 0)
        return errno;

    for (const int own : {wake_, timer_}) {
        epoll_event ownEvent {};
        ownEvent.events = EPOLLIN;
        ownEvent.data.fd = own;
        if (epoll_ctl(epoll_, EPOLL_CTL_ADD, own, &ownEvent) != 0)
            return errno;
    }

    // Edge-triggered: a report means new bytes came in, as a receive event should. Bytes that a
    // handler leaves unread do not wake the thread again and again.
    epoll_event lineEvent {};
    lineEvent.events = EPOLLIN | EPOLLET;
    lineEvent.data.fd = fd_;
    if (epoll_ctl(epoll_, EPOLL_CTL_ADD, fd_, &lineEvent) != 0)
        return errno;

    thread_ = std::thread([this] { Run(); });
    return 0;
}

void SerialEventWatcher::Stop()
{
    if (!thread_.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(handOver_->mutex);
        handOver_->closing = true;
    }
    handOver_->changed.notify_all();
    Wake();
    thread_.join();
}

void SerialEventWatcher::NoteWrite()
{
    // The transmitter takes the bytes one after the other: this one leaves one character time
    // after the previous one has, or after now if the line was idle.
    const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::steady_clock::now().time_since_epoch())
                                 .count();
    const std::int64_t start = std::max(lineFreeAt_.load(std::memory_order_relaxed), now);
    lineFreeAt_.store(start + 1000LL * characterMicros_.load(), std::memory_order_release);
    writes_.fetch_add(1, std::memory_order_acq_rel);
    Wake();
}

void SerialEventWatcher::ArmTimer(long long micros)
{
    itimerspec due {};
    due.it_value.tv_sec = static_cast<time_t>(micros / 1000000);
    due.it_value.tv_nsec = static_cast<long>(std::max(1LL, micros % 1000000 * 1000));
    timerfd_settime(timer_, 0, &due, nullptr);
}

void SerialEventWatcher::Wake()
{
    const std::uint64_t one = 1;
    // A full counter already means "wake up"; nothing is lost if this write fails.
    [[maybe_unused]] const ssize_t written = write(wake_, &one, sizeof one);
}

bool SerialEventWatcher::Closing() const
{
    std::lock_guard<std::mutex> lock(handOver_->mutex);
    return handOver_->closing;
}

void SerialEventWatcher::Run()
{
    // Line events are noticed sooner at a raised priority; an ordinary user may not raise it,
    // and the port works as well without.
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
    if (errno == 0)
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), nice - 1);

    TransmitDrainProbe probe(fd_);
    source_.store(static_cast<int>(probe.Source()));
    bool watchingLine = true;
    std::uint64_t checkedWrites = 0;  // the write count for which the last check came out final

    while (!Closing()) {
        LineEvent event;
        const std::uint64_t written = writes_.load(std::memory_order_acquire);
        if (watchingLine && written != checkedWrites) {
            // The count is taken before the queue is looked at, so a report never claims bytes
            // written after the look; the line time read after it covers at least those bytes.
            const TransmitDrainProbe::Result result =
                probe.Check(characterMicros_.load(), lineFreeAt_.load(std::memory_order_acquire));
            source_.store(static_cast<int>(probe.Source()));
            switch (result.state) {
            case TransmitDrainProbe::State::Drained:
                event.transmitEmpty = true;
                event.writesCovered = written;
                checkedWrites = written;
                break;
            case TransmitDrainProbe::State::Pending:
                ArmTimer(result.retryMicros);
                break;
            case TransmitDrainProbe::State::Unknown:
                checkedWrites = written;
                break;
            }
        }

        epoll_event ready[3];
        const int count = epoll_wait(epoll_, ready, 3, event.transmitEmpty ? 0 : -1);
        if (count < 0 && errno != EINTR)
            break;
        for (int i = 0; i < count; ++i) {
            if (ready[i].data.fd == wake_ || ready[i].data.fd == timer_) {
                std::uint64_t value = 0;
                [[maybe_unused]] const ssize_t got = read(ready[i].data.fd, &value, sizeof value);
                continue;
            }
            if (ready[i].events & EPOLLIN)
                event.received = true;
            if (ready[i].events & (EPOLLHUP | EPOLLERR)) {
                // A hung-up tty reports itself ready for ever: stop looking at it.
                epoll_ctl(epoll_, EPOLL_CTL_DEL, fd_, nullptr);
                watchingLine = false;
                event.lost = true;
            }
        }

        if ((event.received || event.transmitEmpty || event.lost) && !HandOver(event))
            break;
    }
}

bool SerialEventWatcher::HandOver(const LineEvent &event)
{
    std::shared_ptr<HandOverState> state = handOver_;
    std::unique_lock<std::mutex> lock(state->mutex);
    if (state->closing)
        return false;
    const std::uint64_t ticket = ++state->posted;
    lock.unlock();

    QMetaObject::invokeMethod(
        context_,
        [state, dispatch = dispatch_, event, ticket] {
            const auto reportDone = qScopeGuard([&] {
                {
                    std::lock_guard<std::mutex> doneLock(state->mutex);
                    state->done = std::max(state->done, ticket);
                }
                state->changed.notify_all();
            });
            bool stale = false;
            {
                std::lock_guard<std::mutex> closingLock(state->mutex);
                stale = state->closing;
            }
            if (!stale)
                dispatch(event);
        },
        Qt::QueuedConnection);

    lock.lock();
    state->changed.wait(lock, [&] { return state->closing || state->done >= ticket; });
    return !state->closing;
}

} // namespace orv
