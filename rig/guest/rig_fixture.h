#pragma once
// What the tests inside the rig's virtual machine share: the control line to the host (which serves
// the gauges and holds the machine's monitor), the two wires under test, and one link (port,
// engine, port page) on a wire with every byte's moment noted.
#include "port/port_page.h"
#include "link/serial_port.h"
#include "link/transaction_engine.h"
#include "support/wait_until.h"

#include <QElapsedTimer>
#include <QStringList>

#include <functional>
#include <ostream>
#include <string>

namespace rig {

struct Wire {
    const char *device;   // inside the machine
    const char *name;     // the host's name of the wire
};
inline const Wire kUart{"/dev/ttyS1", "uart"};
inline const Wire kUsb{"/dev/ttyUSB0", "usb"};
inline void PrintTo(const Wire &wire, std::ostream *out) { *out << wire.name; }

// The host's control line: one command, one reply ("ok ..." / "error ...").
std::string Ask(const std::string &command, int timeoutMs = 10000);
inline bool Tell(const std::string &command) { return Ask(command).rfind("ok", 0) == 0; }
int RequestsHeard(const Wire &wire);
// Pulls the USB adapter out of the machine, or puts it back, through the monitor; waits until the
// machine's device node has gone or come back.
bool Unplug();
bool Plug();
bool DeviceExists(const char *path);

// Microseconds since the test program started, on the monotonic clock.
qint64 Now();

// The port as the engine sees it, noting when bytes were written and RTS dropped. A hook may run
// before any byte, so a test can pull the adapter out in the middle of a frame.
class NotingPort : public orv::PortOperations {
public:
    explicit NotingPort(orv::TVaComm &port) : port_(port) {}
    bool Active() const override { return port_.Active(); }
    bool WriteOneByte(std::uint8_t byte) override;
    int ReadBytes(std::uint8_t *buffer, int count) override { return port_.ReadBytes(buffer, count); }
    int InputQueueCount() override { return port_.InputQueueCount(); }
    void PurgeInput() override { port_.PurgeInput(); }
    void PurgeOutput() override { port_.PurgeOutput(); }
    void PurgeInputOutput() override { port_.PurgeInputOutput(); }
    void SetRtsLevel(bool high) override;
    void SetDtrLevel(bool high) override { port_.SetDtrLevel(high); }

    int written = 0;   // bytes of the current frame
    qint64 firstWrite = 0, lastWrite = 0, rtsLow = 0;
    std::function<void(int index)> beforeWrite;

private:
    orv::TVaComm &port_;
};

// Port, engine and port page on one wire, the way the engine tests put them together.
struct Link {
    // The answer wait is generous: the emulated machine on a busy host may take a few hundred
    // milliseconds more than a real line, and no check here is about that wait.
    explicit Link(const Wire &wire, int responseWaitMs = 400);
    ~Link();
    bool Open();
    void Send(std::uint8_t address, std::uint8_t command);
    int Evaluations() const { return static_cast<int>(trace.count(QString())); }
    QStringList Evaluation() const;   // the last evaluation's lines, without the arrival time

    Wire wire;
    orv::LinkSettings settings;
    orv::TVaComm port;
    NotingPort noting{port};
    orv::TransactionEngine engine{noting, settings};
    orv::PortPage page{port};
    QStringList trace, messages, faults;
    int attemptLimit = 1;
    int answers = 0, giveUps = 0;
    qint64 txEmpty = 0, firstAnswerByte = 0;
};

} // namespace rig
