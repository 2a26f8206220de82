#include "link/serial_line_settings.h"

#include "link/serial_custom_rate.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <termios.h>

namespace orv {

namespace {

int NominalRate(BaudRateSetting rate)
{
    switch (rate) {
    case brUser: return 0;
    case br110: return 110;
    case br300: return 300;
    case br600: return 600;
    case br1200: return 1200;
    case br2400: return 2400;
    case br4800: return 4800;
    case br9600: return 9600;
    case br14400: return 14400;
    case br19200: return 19200;
    case br38400: return 38400;
    case br56000: return 56000;
    case br57600: return 57600;
    case br115200: return 115200;
    case br128000: return 128000;
    case br256000: return 256000;
    }
    return 0;
}

int DataBitCount(DataBitsSetting bits)
{
    switch (bits) {
    case db4: return 4;
    case db5: return 5;
    case db6: return 6;
    case db7: return 7;
    case db8: return 8;
    }
    return 8;
}

// Rates the classic termios table has a code for; anything else goes through termios2.
bool StandardRateCode(int bitsPerSecond, speed_t &code)
{
    static const struct { int rate; speed_t code; } table[] = {
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

int BitsPerSecond(const LineSettings &settings)
{
    return settings.baudrate == brUser ? settings.userBaudrate : NominalRate(settings.baudrate);
}

int CheckLineSettings(const LineSettings &settings)
{
    if (BitsPerSecond(settings) <= 0 || settings.databits == db4)
        return EINVAL;
    if (settings.stopbits == sb15 && settings.databits != db5)
        return EINVAL;
    if (settings.stopbits == sb2 && settings.databits == db5)
        return EINVAL;
    return 0;
}

int CharacterTimeMicroseconds(const LineSettings &settings)
{
    const int rate = std::max(1, BitsPerSecond(settings));
    // Counted in half bits so that 1.5 stop bits stay exact.
    int halfBits = 2 * (1 + DataBitCount(settings.databits));
    if (settings.parity != paNone)
        halfBits += 2;
    halfBits += settings.stopbits == sb1 ? 2 : settings.stopbits == sb15 ? 3 : 4;
    const long long micros = (halfBits * 1000000LL + 2LL * rate - 1) / (2LL * rate);
    return static_cast<int>(std::max(1LL, micros));
}

int ApplyLineSettings(int fd, const LineSettings &settings)
{
    if (const int refused = CheckLineSettings(settings))
        return refused;

    termios line {};
    if (tcgetattr(fd, &line) != 0)
        return errno;
    cfmakeraw(&line);
    line.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | ISTRIP | IGNPAR | PARMRK | IGNBRK | BRKINT
                      | INLCR | IGNCR | ICRNL);
    line.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CIBAUD);
    line.c_cflag |= CLOCAL | CREAD | CharacterSizeFlag(settings.databits) | ParityFlags(settings.parity);
    // With 5-bit characters the stop-bit flag gives 1.5 stop bits on a UART.
    if (settings.stopbits != sb1)
        line.c_cflag |= CSTOPB;
    // One byte satisfies a read; together with O_NONBLOCK an idle read reports EAGAIN instead of
    // the 0 that would look like a hang-up.
    line.c_cc[VMIN] = 1;
    line.c_cc[VTIME] = 0;

    const int rate = BitsPerSecond(settings);
    speed_t code = B0;
    if (StandardRateCode(rate, code)) {
        cfsetispeed(&line, code);
        cfsetospeed(&line, code);
        return tcsetattr(fd, TCSANOW, &line) == 0 ? 0 : errno;
    }

    PlainLineState plain;
    plain.iflag = line.c_iflag;
    plain.oflag = line.c_oflag;
    plain.cflag = line.c_cflag;
    plain.lflag = line.c_lflag;
    plain.line = line.c_line;
    std::memcpy(plain.cc, line.c_cc, sizeof plain.cc);
    return SetLineStateWithRate(fd, plain, static_cast<unsigned>(rate));
}

} // namespace orv
