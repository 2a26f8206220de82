#pragma once
// The seventeen items of the setup page's command menu, numbered as the menu shows them (menu
// position + 1; 0 is no item). Their texts are text::SetupMenuItems(), in the same order.
//
// Items 6 and 7 cross their commands over: item 6, the zero correction, sends command 37, and
// item 7, the range correction, sends command 36. Use the names, never the bare numbers.
#include <cstdint>

namespace orv {

namespace menu {

enum Item : int {
    NoItem = 0,
    ReadPrimary = 1,          // command 1
    ReadCurrentAndVariables,  // command 3
    WritePollingAddress,      // address dialog, command 6
    ReadVariables,            // variables dialog, command 33
    WriteAveraging,           // averaging dialog, command 34
    ZeroCorrection,           // item 6: question, command 37
    RangeCorrection,          // item 7: question, command 36
    FixedCurrent,             // fixed-current dialog, command 40
    SignalDevice,             // item 9, the first of the device dialogs' items
    PressureUnit,             // command 178
    CurrentOutput,
    SaveParameters,           // question, command 162
    DeviceInfo,
    SubRange,
    ResponseDelay,
    RestoreSettings,          // question, command 196
    Restart,                  // item 17: question, command 197
};

constexpr int ItemCount = Restart;
// Items from here on are plugged in by the device dialogs (SetupPlugins::menuItems).
constexpr int FirstDeviceItem = SignalDevice;

} // namespace menu

constexpr std::uint8_t ZeroCorrectionCommand = 37;    // menu::ZeroCorrection (item 6)
constexpr std::uint8_t RangeCorrectionCommand = 36;   // menu::RangeCorrection (item 7)

} // namespace orv
