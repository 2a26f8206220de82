#pragma once

namespace orv {

// Tells whether every byte written to a tty has left the line, using what the device offers:
// the kernel's output queue (TIOCOUTQ), the UART's transmitter-empty bit (TIOCSERGETLSR) and, where
// there is no such bit (USB adapters, pseudo-terminals), tcdrain once the kernel's queue is empty,
// when only the adapter's own small FIFO can still hold bytes. A check never waits for more than
// that FIFO, so the thread that asks stays able to stop promptly.
class TransmitDrainProbe {
public:
    enum class State {
        Drained,  // the last byte has left
        Pending,  // bytes are still queued: ask again after retryMilliseconds
        Unknown,  // the device cannot tell (hung up, or an unexpected refusal)
    };
    struct Result {
        State state;
        int retryMilliseconds;
    };

    explicit TransmitDrainProbe(int fd) : fd_(fd) {}
    Result Check(int characterMicroseconds);

private:
    int fd_;
    bool queueUnsupported_ = false;
    bool lineStatusUnsupported_ = false;
};

} // namespace orv
