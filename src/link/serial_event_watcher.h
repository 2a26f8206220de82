#pragma once
#include "link/serial_drain_decision.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

namespace orv {

// What one hand-over reports. Received bytes come first, then transmit-empty, then a lost device.
struct LineEvent {
    bool received = false;
    bool transmitEmpty = false;
    std::uint64_t writesCovered = 0;  // write count the transmit-empty check was made for
    bool lost = false;
};

// The port's one helper thread. It waits for line events on the tty (new bytes, hang-up), on an
// eventfd of its own (a byte was written, or the port is closing) and on a timer (time to look at
// the transmitter again), finds out when written bytes have left the line, and hands each event to the thread of `context`, waiting there until that
// thread has run `dispatch`. Every wait of the helper has a way out through Stop(), so the owner may
// stop it at any moment, also from inside `dispatch`.
class SerialEventWatcher {
public:
    using Dispatch = std::function<void(const LineEvent &)>;

    SerialEventWatcher(int fd, QObject *context, Dispatch dispatch);
    ~SerialEventWatcher();
    SerialEventWatcher(const SerialEventWatcher &) = delete;
    SerialEventWatcher &operator=(const SerialEventWatcher &) = delete;

    // Sets up the waits and starts the thread. Returns 0 or errno.
    int Start(int characterMicroseconds);
    // Stops and joins the thread; a hand-over still queued on the context's thread is dropped.
    void Stop();

    // Called after every byte accepted by the driver: counts it, notes when it can at the earliest
    // have left the line, and starts a transmit-empty check.
    void NoteWrite();
    std::uint64_t WriteCount() const { return writes_.load(std::memory_order_acquire); }
    void SetCharacterTime(int microseconds) { characterMicros_.store(microseconds); }
    // How the end of transmission is being found out for this device at present.
    TransmitEndSource TransmitEnd() const { return static_cast<TransmitEndSource>(source_.load()); }

private:
    struct HandOverState;

    void Run();
    bool HandOver(const LineEvent &event);
    bool Closing() const;
    void Wake();
    void ArmTimer(long long micros);

    int fd_;
    QObject *context_;
    Dispatch dispatch_;
    int epoll_ = -1;
    int wake_ = -1;
    int timer_ = -1;
    std::thread thread_;
    std::atomic<std::uint64_t> writes_{0};
    std::atomic<int> characterMicros_{1000};
    std::atomic<std::int64_t> lineFreeAt_{0};  // steady-clock ns; written by the owner's thread only
    std::atomic<int> source_{static_cast<int>(TransmitEndSource::LineStatus)};
    std::shared_ptr<HandOverState> handOver_;
};

} // namespace orv
