// Pure parts of the serial port: which file a port name opens, which line settings a UART can
// carry, whether the rate a driver holds is the one asked for, and how long a character takes.
#include "link/serial_device_path.h"
#include "link/serial_line_settings.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <ostream>
#include <string>

namespace orv {
namespace {

// Readable test names from the cases' descriptions.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case> &info)
{
    std::string name;
    for (const char c : std::string(info.param.what))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}


struct PathCase {
    const char *what;
    int portNum;
    const char *path;
};

void PrintTo(const PathCase &c, std::ostream *out) { *out << c.what; }

class DevicePathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(DevicePathTest, MapsNameToFile)
{
    const PathCase &c = GetParam();
    EXPECT_EQ(DevicePathFor(QString::fromUtf8(c.what), c.portNum), QString::fromUtf8(c.path));
}

INSTANTIATE_TEST_SUITE_P(
    Names, DevicePathTest,
    ::testing::Values(PathCase{"COM1", 0, "/dev/ttyS0"}, PathCase{"COM10", 0, "/dev/ttyS9"},
                      PathCase{"com3", 0, "/dev/ttyS2"}, PathCase{"COM%d", 4, "/dev/ttyS3"},
                      PathCase{"/dev/ttyUSB0", 7, "/dev/ttyUSB0"},
                      PathCase{"/dev/serial/by-id/usb-X_Y-if00-port0", 0,
                               "/dev/serial/by-id/usb-X_Y-if00-port0"},
                      PathCase{"/dev/pts/%d", 5, "/dev/pts/5"}, PathCase{"ttyUSB1", 0, "/dev/ttyUSB1"},
                      PathCase{"COM0", 0, "/dev/COM0"}, PathCase{"COM1x", 0, "/dev/COM1x"}),
    CaseName<PathCase>);

struct SettingsCase {
    const char *what;
    LineSettings settings;
    int refusal;        // CheckLineSettings
    int characterTime;  // microseconds
};

void PrintTo(const SettingsCase &c, std::ostream *out) { *out << c.what; }

LineSettings Make(BaudRateSetting rate, DataBitsSetting bits, ParitySetting parity, StopBitsSetting stop,
                  int userRate = 9600)
{
    LineSettings s;
    s.baudrate = rate;
    s.userBaudrate = userRate;
    s.databits = bits;
    s.parity = parity;
    s.stopbits = stop;
    return s;
}

class LineSettingsTest : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(LineSettingsTest, RefusalAndCharacterTime)
{
    const SettingsCase &c = GetParam();
    EXPECT_EQ(CheckLineSettings(c.settings), c.refusal) << c.what;
    EXPECT_EQ(CharacterTimeMicroseconds(c.settings), c.characterTime) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, LineSettingsTest,
    ::testing::Values(
        // 10 bits at 9600: 1041.67 us, rounded up
        SettingsCase{"8N1 9600", Make(br9600, db8, paNone, sb1), 0, 1042},
        // 11 bits at 300
        SettingsCase{"7E2 300", Make(br300, db7, paEven, sb2), 0, 36667},
        // 1 + 5 + 1.5 = 7.5 bits at 110
        SettingsCase{"5N1.5 110", Make(br110, db5, paNone, sb15), 0, 68182},
        // 1 + 8 + 1 + 1 = 11 bits at 256000
        SettingsCase{"8M1 256000", Make(br256000, db8, paMark, sb1), 0, 43},
        SettingsCase{"user rate", Make(brUser, db8, paNone, sb1, 250000), 0, 40},
        SettingsCase{"4 data bits", Make(br9600, db4, paNone, sb1), EINVAL, 625},
        SettingsCase{"1.5 stop bits with 8 data bits", Make(br9600, db8, paNone, sb15), EINVAL, 1094},
        SettingsCase{"1.5 stop bits with 6 data bits", Make(br9600, db6, paNone, sb15), EINVAL, 886},
        SettingsCase{"2 stop bits with 5 data bits", Make(br9600, db5, paNone, sb2), EINVAL, 834},
        SettingsCase{"user rate zero", Make(brUser, db8, paNone, sb1, 0), EINVAL, 10000000},
        SettingsCase{"user rate negative", Make(brUser, db8, paNone, sb1, -5), EINVAL, 10000000}),
    CaseName<SettingsCase>);

struct RateCase {
    const char *what;
    int asked;
    unsigned held;  // what the driver reads back
    bool taken;
};

void PrintTo(const RateCase &c, std::ostream *out) { *out << c.what; }

class LineRateTakenTest : public ::testing::TestWithParam<RateCase> {};

TEST_P(LineRateTakenTest, DecidesFromTheRateReadBack)
{
    const RateCase &c = GetParam();
    EXPECT_EQ(LineRateTaken(c.asked, c.held), c.taken) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, LineRateTakenTest,
    ::testing::Values(
        RateCase{"held as asked", 9600, 9600, true},
        RateCase{"UART above its clock keeps the old rate", 128000, 56000, false},
        RateCase{"UART keeps 115200 for 256000", 256000, 115200, false},
        RateCase{"nearest rate of a divisor", 56000, 56074, true},
        RateCase{"2 percent below", 50000, 49000, true},
        RateCase{"just over 2 percent above", 50000, 51001, false},
        RateCase{"driver fell back to 9600", 14400, 9600, false},
        RateCase{"nothing held", 9600, 0, false},
        RateCase{"no rate asked", 0, 0, false}),
    CaseName<RateCase>);

} // namespace
} // namespace orv
