#pragma once
// Rates outside the classic termios table (14400, 56000, 128000, 256000, any user rate) are set
// through the kernel's termios2 interface. It lives in its own file because the kernel's
// <asm/termbits.h> and the C library's <termios.h> cannot be included together.

namespace orv {

// Plain copy of the flag words and control characters of a termios record, so that the two
// sides can pass them without sharing a header. The flag values are the kernel's on both sides.
struct PlainLineState {
    unsigned iflag = 0;
    unsigned oflag = 0;
    unsigned cflag = 0;
    unsigned lflag = 0;
    unsigned char line = 0;
    unsigned char cc[19] = {};
};

// Writes the whole state at once with the given rate in bits per second (input and output alike).
// Returns 0 or the errno of the refusal.
int SetLineStateWithRate(int fd, const PlainLineState &state, unsigned bitsPerSecond);

// The output rate the driver holds for the line, in bits per second, whatever way it was set.
// Returns 0 or errno.
int ReadLineRate(int fd, unsigned &bitsPerSecond);

} // namespace orv
