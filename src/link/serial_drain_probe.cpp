#include "link/serial_drain_probe.h"

#include <algorithm>
#include <cerrno>
#include <sys/ioctl.h>
#include <termios.h>

namespace orv {

namespace {

bool NotSupported(int error) { return error == ENOTTY || error == EINVAL; }

int WaitFor(long long micros)
{
    // Whole milliseconds, at least one; capped so that a slow line is looked at again soon.
    return static_cast<int>(std::clamp((micros + 999) / 1000, 1LL, 50LL));
}

} // namespace

TransmitDrainProbe::Result TransmitDrainProbe::Check(int characterMicroseconds)
{
    if (!queueUnsupported_) {
        int queued = 0;
        if (ioctl(fd_, TIOCOUTQ, &queued) == 0) {
            if (queued > 0)
                return {State::Pending, WaitFor(1LL * queued * characterMicroseconds)};
        } else if (NotSupported(errno)) {
            queueUnsupported_ = true;
        } else {
            return {State::Unknown, 0};
        }
    }

    if (!lineStatusUnsupported_) {
        unsigned int status = 0;
        if (ioctl(fd_, TIOCSERGETLSR, &status) == 0) {
            if (status & TIOCSER_TEMT)
                return {State::Drained, 0};
            return {State::Pending, WaitFor(characterMicroseconds)};
        }
        if (!NotSupported(errno))
            return {State::Unknown, 0};
        lineStatusUnsupported_ = true;
    }

    if (tcdrain(fd_) == 0)
        return {State::Drained, 0};
    if (errno == EINTR)
        return {State::Pending, 1};
    return {State::Unknown, 0};
}

} // namespace orv
