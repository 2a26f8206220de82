#include "link/serial_custom_rate.h"

#include <asm/termbits.h>
#include <cerrno>
#include <cstring>
#include <sys/ioctl.h>

namespace orv {

static_assert(sizeof(PlainLineState::cc) == sizeof(termios2::c_cc),
              "control characters must match the kernel's record");

int SetLineStateWithRate(int fd, const PlainLineState &state, unsigned bitsPerSecond)
{
    termios2 line {};
    if (ioctl(fd, TCGETS2, &line) != 0)
        return errno;
    line.c_iflag = state.iflag;
    line.c_oflag = state.oflag;
    line.c_lflag = state.lflag;
    line.c_line = state.line;
    std::memcpy(line.c_cc, state.cc, sizeof line.c_cc);
    // BOTHER takes the rate from the speed fields; a zero input-rate field means "same as output".
    line.c_cflag = (state.cflag & ~(CBAUD | (CBAUD << IBSHIFT))) | BOTHER;
    line.c_ospeed = bitsPerSecond;
    line.c_ispeed = bitsPerSecond;
    if (ioctl(fd, TCSETS2, &line) != 0)
        return errno;
    return 0;
}

int ReadLineRate(int fd, unsigned &bitsPerSecond)
{
    termios2 line {};
    if (ioctl(fd, TCGETS2, &line) != 0)
        return errno;
    bitsPerSecond = line.c_ospeed;
    return 0;
}

} // namespace orv
