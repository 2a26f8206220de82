#pragma once
// The link times and the RS-485 option, owned by the main window and read at each use.
#include <QString>

namespace orv {

struct LinkSettings {
    int PostTransmitDelay = 1;    // ms of busy wait after TX empty before RTS drops; <= 0: none
    int ResponseWaitTime = 280;   // ms, interval of every response timer
    int NextTransmitTime = 300;   // ms between two registration polls
    int Rs485Delay = 15;          // ms of plain sleep after the post-transmit wait in RS-485 mode
    bool Rs485Mode = false;
};

// The range each link time is held to, wherever it is set (settings file, timing dialog, the
// poller's options).
struct LinkTimeRange {
    int min;
    int max;
};
inline constexpr LinkTimeRange PostTransmitDelayRange{0, 1000};
inline constexpr LinkTimeRange ResponseWaitRange{1, 60000};
inline constexpr LinkTimeRange NextTransmitRange{1, 600000};
inline constexpr LinkTimeRange Rs485DelayRange{0, 1000};

// Every link time brought into the range the exchanges can work with: the two delays hold up
// every transmission (the RS-485 one without serving anything), so a second at most, and none
// below zero; the response wait and the poll spacing are timer intervals of at least 1 ms, at
// most a minute and ten minutes. Whatever a file or the timing dialog holds, the arithmetic on
// these values stays far from the integer limits.
LinkSettings BoundedLinkSettings(LinkSettings settings);

// What the user is told about link times as given (before they are bounded): a response wait
// that cannot work (0 or less, or not shorter than the poll spacing) and values beyond their
// limits. Empty when there is nothing to say.
QString LinkTimingWarning(const LinkSettings &given);

} // namespace orv
