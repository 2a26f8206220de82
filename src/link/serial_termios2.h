#pragma once
// Writing line settings to a Linux tty. This goes through the kernel's termios2 records, which
// carry any rate (14400, 56000, 128000, 256000, a user rate) besides the classic ones. The C
// library's tcsetattr is not used: after writing it reads the settings back and reports EINVAL
// when a pseudo-terminal kept CS8 and no parity as it always does, although the rest was applied.
#include "link/serial_line_settings.h"

namespace orv {

// Writes the settings at once: raw 8-bit transfer, receiver on, modem status lines ignored, no
// hardware or software flow control, no parity check or stripping of received bytes, and a read
// that is satisfied by one byte (with O_NONBLOCK an idle read then reports EAGAIN rather than the
// 0 of a hung-up line). Returns 0 or the errno of the refusal; a rate the driver did not take (see
// LineRateTaken) is refused with EINVAL, and the line then keeps the settings it had.
int ApplyLineSettings(int fd, const LineSettings &settings);

// The output rate the driver holds for the line, in bits per second, however it was set. A
// pseudo-terminal's master reports its slave's rate. Returns 0 or errno.
int ReadLineRate(int fd, unsigned &bitsPerSecond);

} // namespace orv
