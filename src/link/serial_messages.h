#pragma once
// Message texts of the serial port component. They are part of the program's behaviour (the port
// page and the error display show them), so they stand here once, byte for byte, and nowhere else.
// "%s" and "%d" are filled in order by FillInMessage.
#include <QString>
#include <initializer_list>

namespace orv::serial_messages {

inline constexpr char kPortIsOpen[] = "Can't perform this operation while port is open";
inline constexpr char kDeviceNotFound[] = "Specified device not found (%s).";
inline constexpr char kCantOpenDevice[] = "Can't open specified device %s";
inline constexpr char kCantOpenDeviceReason[] = " (Error %d, %s)";
inline constexpr char kErrorWritingDcb[] = "Error writing dcb (%d), %s";
inline constexpr char kWriteError[] = "Write error (%d), %s";
inline constexpr char kReadError[] = "Read error (%d), %s";
inline constexpr char kModemLineError[] = "Modem line error (%d), %s";
inline constexpr char kErrorSettingEventMask[] = " Error setting EventMask (%d), %s";

// Replaces each "%s" or "%d" of the pattern, left to right, with the next argument.
QString FillInMessage(const char *pattern, std::initializer_list<QString> arguments);

// The system's text for an errno value ("Input/output error").
QString SystemErrorText(int errorCode);

// "<pattern with (%d), %s>" filled with an errno value and its text.
QString WithSystemError(const char *pattern, int errorCode);

} // namespace orv::serial_messages
