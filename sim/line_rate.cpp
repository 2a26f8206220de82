// Only the kernel's termios header here: it cannot be included together with <termios.h>.
#include "line_rate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace sim {

long lineRateOf(int fd)
{
    termios2 line {};
    if (ioctl(fd, TCGETS2, &line) != 0)
        return 0;
    return static_cast<long>(line.c_ospeed);
}

} // namespace sim
