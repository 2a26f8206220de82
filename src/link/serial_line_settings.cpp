#include "link/serial_line_settings.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

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

bool LineRateTaken(int askedBitsPerSecond, unsigned heldBitsPerSecond)
{
    if (askedBitsPerSecond <= 0)
        return false;
    const long long asked = askedBitsPerSecond;
    const long long off = std::llabs(static_cast<long long>(heldBitsPerSecond) - asked);
    return off * 50 <= asked;
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

int TransmitEndLimitMs(const LineSettings &settings)
{
    const long long bitsPerSecond = std::max(1, BitsPerSecond(settings));
    return static_cast<int>(500 + 2LL * 36 * 12 * 1000 / bitsPerSecond);
}

} // namespace orv
