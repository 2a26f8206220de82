#pragma once
#include "link/serial_bounded_drain.h"
#include "link/serial_drain_decision.h"

#include <cstdint>

namespace orv {

// Tells whether every byte written to a tty has left the line, using what the device offers: the
// kernel's output queue (TIOCOUTQ), the transmitter-empty bit of a UART that the kernel drives
// itself (TIOCSERGETLSR) and, for USB adapters and wherever that bit does not come, a drain bounded
// in time once the kernel's queue is empty. On a device with a real line nothing is reported before
// the written bytes can have left at the line's rate. No check busy-waits: a pending one says how
// long to wait before the next look. See serial_drain_decision.h for the rules.
class TransmitDrainProbe {
public:
    enum class State {
        Drained,  // the last byte has left
        Pending,  // ask again after retryMicros, or at the next line event
        Unknown,  // the device cannot tell (hung up, or an unexpected refusal)
    };
    struct Result {
        State state;
        long long retryMicros;
    };

    // Made on the thread that will call Check (the bounded drain aims its timer at that thread).
    explicit TransmitDrainProbe(int fd);

    // lineFreeAtNanos: steady-clock time at which the last byte written can at the earliest have
    // left the line.
    Result Check(int characterMicros, std::int64_t lineFreeAtNanos);
    TransmitEndSource Source() const { return source_; }

private:
    int fd_;
    bool hasLine_ = false;  // a UART or adapter, not a pseudo-terminal
    bool queueUnsupported_ = false;
    TransmitEndSource source_ = TransmitEndSource::Drain;
    BoundedDrain drain_;
};

} // namespace orv
