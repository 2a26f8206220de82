#pragma once
// What the transaction engine needs of a serial port. The serial port component implements it;
// tests may put a scripted port in its place.
#include <QString>
#include <cstdint>
#include <stdexcept>

namespace orv {

// Every failing platform call of the serial port component raises this, with the component's
// own message text ("Write error (5), Input/output error", ...).
class EVaCommError : public std::runtime_error {
public:
    explicit EVaCommError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};

class PortOperations {
public:
    virtual ~PortOperations() = default;
    virtual bool Active() const = 0;                       // the port is open
    virtual bool WriteOneByte(std::uint8_t byte) = 0;      // throws EVaCommError
    virtual int ReadBytes(std::uint8_t *buffer, int count) = 0;  // throws EVaCommError
    virtual int InputQueueCount() = 0;
    virtual void PurgeInput() = 0;
    virtual void PurgeOutput() = 0;
    virtual void PurgeInputOutput() = 0;
    virtual void SetRtsLevel(bool high) = 0;
    virtual void SetDtrLevel(bool high) = 0;
};

} // namespace orv
