#pragma once
// Line settings of the serial port (serial_termios2.h writes them to a tty).

namespace orv {

enum BaudRateSetting {
    brUser, br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200, br38400,
    br56000, br57600, br115200, br128000, br256000
};
enum ParitySetting { paNone, paOdd, paEven, paMark, paSpace };
enum DataBitsSetting { db4, db5, db6, db7, db8 };
enum StopBitsSetting { sb1, sb15, sb2 };

struct LineSettings {
    BaudRateSetting baudrate = br9600;
    int userBaudrate = 9600;  // used when baudrate is brUser
    ParitySetting parity = paNone;
    DataBitsSetting databits = db8;
    StopBitsSetting stopbits = sb1;
};

// Bits per second the settings stand for (brUser takes userBaudrate).
int BitsPerSecond(const LineSettings &settings);

// 0 when a UART can carry the settings, else EINVAL. Refused: 4 data bits (Linux has no such
// character size), a rate of 0 or less, 1.5 stop bits with anything but 5 data bits and 2 stop
// bits with 5 data bits (a UART sends 1.5 stop bits where 2 are asked for 5-bit characters).
int CheckLineSettings(const LineSettings &settings);

// Whether the rate a driver holds after a change is the rate asked for. Some drivers accept any
// rate without an error but keep the previous one (the 8250 UART above its clock's limit) or put
// in the nearest rate they can make; a rate within 2 % of the asked one keeps a character's bits
// readable at the other end, anything further off counts as refused.
bool LineRateTaken(int askedBitsPerSecond, unsigned heldBitsPerSecond);

// Time one character takes on the line: start bit, data bits, parity bit and stop bits.
int CharacterTimeMicroseconds(const LineSettings &settings);

// How long the engine waits for the end of a transmission before giving the exchange up: twice
// the line time of the longest frame (36 characters of 12 bits) plus half a second, so that a
// slow rate never trips it.
int TransmitEndLimitMs(const LineSettings &settings);

} // namespace orv
