#pragma once
// The rate a terminal's line is set to, in bits per second, however the program set it: rates
// such as 14400 or 256000 have no classic code and are only visible through the kernel's
// termios2 record.
namespace sim {

// 0 when the rate cannot be read.
long lineRateOf(int fd);

} // namespace sim
