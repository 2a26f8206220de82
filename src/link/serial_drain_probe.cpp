#include "link/serial_drain_probe.h"

#include <cerrno>
#include <chrono>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <termios.h>

namespace orv {

namespace {

bool NotSupported(int error) { return error == ENOTTY || error == EINVAL; }

// What the driver's serial-port record tells. A pseudo-terminal has none: no line, its bytes pass
// at once. A UART that the kernel drives itself has a known type, and its transmitter-empty bit is
// read from the chip when asked. USB adapters leave the type unknown: their driver repeats the
// status the chip last sent in a packet, which may be older than the last write, whereas a drain
// asks the chip there and then.
struct LineKind {
    bool line;
    bool kernelUart;
};

LineKind KindOf(int fd)
{
    serial_struct record {};
    if (ioctl(fd, TIOCGSERIAL, &record) != 0)
        return {false, false};
    return {true, record.type != PORT_UNKNOWN};
}

constexpr long long kNoLineMicros = 1LL << 40;

} // namespace

TransmitDrainProbe::TransmitDrainProbe(int fd) : fd_(fd)
{
    const LineKind kind = KindOf(fd);
    hasLine_ = kind.line;
    source_ = kind.kernelUart ? TransmitEndSource::LineStatus : TransmitEndSource::Drain;
}

TransmitDrainProbe::Result TransmitDrainProbe::Check(int characterMicros, std::int64_t lineFreeAtNanos)
{
    TransmitLook look {source_, 0, false, kNoLineMicros, characterMicros};
    if (hasLine_) {
        const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count();
        look.sinceLineFree = (now - lineFreeAtNanos) / 1000;
    }
    // Before the line time is over the device need not be asked anything.
    if (look.sinceLineFree >= 0 && !queueUnsupported_) {
        if (ioctl(fd_, TIOCOUTQ, &look.queued) != 0) {
            if (!NotSupported(errno))
                return {State::Unknown, 0};
            queueUnsupported_ = true;
            look.queued = 0;
        }
    }

    if (source_ == TransmitEndSource::LineStatus && look.queued == 0 && look.sinceLineFree >= 0) {
        unsigned int status = 0;
        if (ioctl(fd_, TIOCSERGETLSR, &status) == 0) {
            look.transmitterEmpty = (status & TIOCSER_TEMT) != 0;
        } else if (NotSupported(errno)) {
            source_ = TransmitEndSource::Drain;
        } else {
            return {State::Unknown, 0};
        }
    }

    for (;;) {
        look.source = source_;
        const TransmitStep step = NextTransmitStep(look);
        switch (step.action) {
        case TransmitStep::Report:
            return {State::Drained, 0};
        case TransmitStep::Wait:
            return {State::Pending, step.waitMicros};
        case TransmitStep::FallBack:
            source_ = TransmitEndSource::Drain;
            continue;
        case TransmitStep::Drain:
            break;
        }
        if (!drain_.Usable()) {
            source_ = TransmitEndSource::LineTime;
            continue;
        }
        const int error = drain_.Drain(fd_, std::chrono::microseconds(DrainBoundMicros(characterMicros)));
        if (error == 0)
            return {State::Drained, 0};
        if (error != ETIMEDOUT)
            return {State::Unknown, 0};
        // The device does not report the end of transmission at all; its line time has long passed.
        source_ = TransmitEndSource::LineTime;
    }
}

} // namespace orv
