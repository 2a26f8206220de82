// Only the kernel's termios header here: it cannot be included together with <termios.h>.
#include "link/serial_termios2.h"

#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

namespace orv {

namespace {

// Rates with a classic code; every other rate is given in bits per second with BOTHER.
bool ClassicRateCode(int bitsPerSecond, tcflag_t &code)
{
    static const struct { int rate; tcflag_t code; } table[] = {
        {50, B50}, {75, B75}, {110, B110}, {134, B134}, {150, B150}, {200, B200}, {300, B300},
        {600, B600}, {1200, B1200}, {1800, B1800}, {2400, B2400}, {4800, B4800}, {9600, B9600},
        {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}, {230400, B230400},
        {460800, B460800}, {500000, B500000}, {576000, B576000}, {921600, B921600},
        {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000}, {2000000, B2000000},
        {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
    };
    for (const auto &entry : table) {
        if (entry.rate == bitsPerSecond) {
            code = entry.code;
            return true;
        }
    }
    return false;
}

tcflag_t CharacterSizeFlag(DataBitsSetting bits)
{
    switch (bits) {
    case db5: return CS5;
    case db6: return CS6;
    case db7: return CS7;
    case db4:
    case db8: break;
    }
    return CS8;
}

tcflag_t ParityFlags(ParitySetting parity)
{
    switch (parity) {
    case paNone: return 0;
    case paOdd: return PARENB | PARODD;
    case paEven: return PARENB;
    case paMark: return PARENB | CMSPAR | PARODD;
    case paSpace: return PARENB | CMSPAR;
    }
    return 0;
}

} // namespace

int ApplyLineSettings(int fd, const LineSettings &settings)
{
    if (const int refused = CheckLineSettings(settings))
        return refused;

    termios2 before {};
    if (ioctl(fd, TCGETS2, &before) != 0)
        return errno;

    termios2 line = before;
    line.c_iflag &= ~(IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL
                      | IUCLC | IXON | IXANY | IXOFF | IMAXBEL);
    line.c_oflag &= ~OPOST;
    line.c_lflag &= ~(ISIG | ICANON | ECHO | ECHOE | ECHOK | ECHONL | IEXTEN | TOSTOP);
    line.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CBAUD | CIBAUD);
    line.c_cflag |= CLOCAL | CREAD | CharacterSizeFlag(settings.databits) | ParityFlags(settings.parity);
    // With 5-bit characters the stop-bit flag gives 1.5 stop bits on a UART.
    if (settings.stopbits != sb1)
        line.c_cflag |= CSTOPB;
    line.c_cc[VMIN] = 1;
    line.c_cc[VTIME] = 0;

    const int rate = BitsPerSecond(settings);
    tcflag_t code = 0;
    line.c_cflag |= ClassicRateCode(rate, code) ? code : BOTHER;
    // A zero input rate means "as the output".
    line.c_ospeed = static_cast<speed_t>(rate);
    line.c_ispeed = 0;
    if (ioctl(fd, TCSETS2, &line) != 0)
        return errno;

    // A driver may take a rate it cannot make without an error and go on at another one; what it
    // holds now tells. Refused, the line goes back to what it had, as after any other refusal.
    unsigned held = 0;
    if (const int error = ReadLineRate(fd, held))
        return error;
    if (!LineRateTaken(rate, held)) {
        ioctl(fd, TCSETS2, &before);
        return EINVAL;
    }
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
