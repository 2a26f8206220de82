#pragma once
// When to report that the bytes written to a serial device have left the line. The decision is
// kept apart from the calls that look at the device (serial_drain_probe.h), so that it can be
// checked case by case without a device.

namespace orv {

// How the end of a transmission is found out. A device starts at the top and only ever moves down
// the list, for as long as it stays open.
enum class TransmitEndSource {
    LineStatus,  // the transmitter-empty bit of a UART the kernel drives itself (TIOCSERGETLSR)
    Drain,       // the kernel's output queue, then a drain (tcdrain) bounded in time
    LineTime,    // the kernel's output queue and the time the bytes take on the line
};

// What one look at the device found.
struct TransmitLook {
    TransmitEndSource source;
    int queued;               // bytes still in the kernel's output queue (not looked at before the line time)
    bool transmitterEmpty;    // the line status said so (LineStatus only)
    long long sinceLineFree;  // µs since the last byte could have left at the earliest (< 0: not yet)
    int characterMicros;      // one character's time on the line
};

struct TransmitStep {
    enum Action {
        Report,    // the last byte has left
        Wait,      // look again after waitMicros (or on the next line event)
        FallBack,  // the transmitter-empty bit is not to be trusted: use Drain from now on
        Drain,     // drain now, within DrainBoundMicros
    };
    Action action;
    long long waitMicros = 0;
};

// How long after the last byte could have left the transmitter-empty bit may still come before
// the device is taken not to report it: two characters and a few milliseconds for the driver.
long long LineStatusGraceMicros(int characterMicros);

// How long a drain may take once the kernel's queue is empty and the line time is over, before
// the device is taken not to report the end of transmission at all.
long long DrainBoundMicros(int characterMicros);

TransmitStep NextTransmitStep(const TransmitLook &look);

} // namespace orv
