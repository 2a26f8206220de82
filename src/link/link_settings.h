#pragma once
// The link times and the RS-485 option, owned by the main window and read at each use.

namespace orv {

struct LinkSettings {
    int PostTransmitDelay = 1;    // ms of busy wait after TX empty before RTS drops; <= 0: none
    int ResponseWaitTime = 280;   // ms, interval of every response timer
    int NextTransmitTime = 300;   // ms between two registration polls
    int Rs485Delay = 15;          // ms of plain sleep after the post-transmit wait in RS-485 mode
    bool Rs485Mode = false;
};

} // namespace orv
