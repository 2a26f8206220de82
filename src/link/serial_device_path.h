#pragma once
#include <QString>

namespace orv {

// Turns the port's device name into the file to open. The name is a format text: every "%d" in it
// is replaced by portNum. "COM1", "COM2", ... (any letter case) are the PC's built-in ports, which
// Linux calls /dev/ttyS0, /dev/ttyS1, ...; an absolute path is used as it stands (USB adapters,
// /dev/serial/by-id links, the emulator's pseudo-terminal); any other name is looked up in /dev.
QString DevicePathFor(const QString &deviceName, int portNum);

} // namespace orv
