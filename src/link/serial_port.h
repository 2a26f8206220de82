#pragma once
// TVaComm: the program's one serial port, over Linux termios.
//
// All operations are called on the thread that owns the object (the user-interface thread), and
// every signal is emitted there, in the order the line produced the events. One helper thread
// watches the line and hands each event over synchronously (see SerialEventWatcher).
#include "link/port_operations.h"
#include "link/serial_drain_decision.h"
#include "link/serial_line_settings.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

namespace orv {

class SerialEventWatcher;
struct LineEvent;

class TVaComm : public QObject, public PortOperations {
    Q_OBJECT

public:
    explicit TVaComm(QObject *parent = nullptr);
    ~TVaComm() override;  // closes the port if it is open

    // Line settings. While the port is closed they are only stored; while it is open a change is
    // written to the device at once, and a refusal raises "Error writing dcb (%d), %s" and keeps
    // the previous value. A rate the driver accepts but does not put on the line (read back after
    // writing) is refused the same way, on opening as well as while open.
    BaudRateSetting Baudrate() const { return settings_.baudrate; }
    void SetBaudrate(BaudRateSetting value);
    int UserBaudrate() const { return settings_.userBaudrate; }
    void SetUserBaudrate(int bitsPerSecond);
    ParitySetting Parity() const { return settings_.parity; }
    void SetParity(ParitySetting value);
    DataBitsSetting Databits() const { return settings_.databits; }
    void SetDatabits(DataBitsSetting value);
    StopBitsSetting Stopbits() const { return settings_.stopbits; }
    void SetStopbits(StopBitsSetting value);
    const LineSettings &Line() const { return settings_; }

    // Device naming; refused while the port is open.
    QString DeviceName() const { return deviceName_; }
    void SetDeviceName(const QString &formatText);
    int PortNum() const { return portNum_; }
    void SetPortNum(int number);
    QString DevicePath() const;  // the file OpenPort opens for the current name

    void OpenPort();   // throws EVaCommError
    void ClosePort();  // never throws; waits 300 ms after closing

    int LastErrorCode() const { return lastErrorCode_; }  // errno of the last failed OpenPort, else 0
    bool PortLost() const { return lost_; }               // the device went away while open
    bool ModemLinesSupported() const { return !modemLinesUnsupported_; }
    // How the end of transmission is found out for the open device (see serial_drain_decision.h).
    TransmitEndSource TransmitEnd() const;

    // PortOperations
    bool Active() const override { return fd_ >= 0; }
    bool WriteOneByte(std::uint8_t byte) override;
    int ReadBytes(std::uint8_t *buffer, int count) override;
    int InputQueueCount() override;
    void PurgeInput() override;
    void PurgeOutput() override;
    void PurgeInputOutput() override;
    // A device without modem lines (a pseudo-terminal) is noted once and skipped; any other
    // refusal raises "Modem line error (%d), %s".
    void SetRtsLevel(bool high) override;
    void SetDtrLevel(bool high) override;

signals:
    void OnRxChar(int count);  // bytes are waiting; count is InputQueueCount() at delivery
    void OnTxEmpty();          // every byte written so far has left the line
    void OnPortLost();         // the device went away while open (adapter pulled); sent once
    // A handler connected to the signals above raised an exception; the port goes on.
    void OnHandlerException(const QString &message);

private:
    void ChangeLineSettings(const LineSettings &wanted);
    void Dispatch(std::uint64_t session, const LineEvent &event);
    void ReportHandlerException(const QString &message);
    void SetModemLine(int line, bool high);
    void Purge(int queues);

    LineSettings settings_;
    QString deviceName_ = QStringLiteral("COM1");
    int portNum_ = 0;
    int fd_ = -1;
    int lastErrorCode_ = 0;
    bool lost_ = false;
    bool modemLinesUnsupported_ = false;
    int modemLineError_ = 0;
    std::uint64_t session_ = 0;  // changes at every open and close, so stale hand-overs are dropped
    std::unique_ptr<SerialEventWatcher> watcher_;
};

} // namespace orv
