#include "rig_fixture.h"

#include "port/port_list.h"

#include <QComboBox>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace rig {

namespace {

int ControlLine()
{
    static int fd = -1;
    if (fd < 0) {
        const char *path = std::getenv("ORV_RIG_CONTROL");
        fd = open(path ? path : "/dev/ttyS2", O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios tio{};
        if (fd >= 0 && tcgetattr(fd, &tio) == 0) {
            cfmakeraw(&tio);
            tio.c_cflag |= CLOCAL | CREAD;
            cfsetspeed(&tio, B115200);
            tcsetattr(fd, TCSANOW, &tio);
            tcflush(fd, TCIOFLUSH);
        }
    }
    return fd;
}

// Without serving events: the program learns of the loss on its own, when it next looks.
bool WaitForDevice(bool present, int timeoutMs)
{
    for (int waited = 0; DeviceExists(kUsb.device) != present; waited += 5) {
        if (waited > timeoutMs)
            return false;
        usleep(5000);
    }
    return true;
}

} // namespace

std::string Ask(const std::string &command, int timeoutMs)
{
    const int fd = ControlLine();
    if (fd < 0)
        return "error no control line";
    const std::string line = command + "\n";
    if (write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        return "error write";
    std::string reply;
    const qint64 end = Now() + qint64(timeoutMs) * 1000;
    while (Now() < end) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0)
            continue;
        char c = 0;
        if (read(fd, &c, 1) != 1)
            continue;
        if (c == '\n')
            return reply;
        reply += c;
    }
    return "error no reply to " + command;
}

int RequestsHeard(const Wire &wire)
{
    const std::string reply = Ask(std::string("count ") + wire.name);
    return reply.rfind("ok ", 0) == 0 ? std::atoi(reply.c_str() + 3) : -1;
}

bool DeviceExists(const char *path)
{
    struct stat info {};
    return ::stat(path, &info) == 0;
}

bool Unplug()
{
    return Tell("monitor device_del ftdi") && WaitForDevice(false, 10000);
}

bool Plug()
{
    return Tell("monitor device_add usb-serial,chardev=usb,id=ftdi") && WaitForDevice(true, 10000);
}

qint64 Now()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool NotingPort::WriteOneByte(std::uint8_t byte)
{
    if (beforeWrite)
        beforeWrite(written);
    const bool ok = port_.WriteOneByte(byte);
    lastWrite = Now();
    if (written++ == 0)
        firstWrite = lastWrite;
    return ok;
}

void NotingPort::SetRtsLevel(bool high)
{
    if (high)
        written = 0;
    port_.SetRtsLevel(high);
    if (!high)
        rtsLow = Now();
}

Link::Link(const Wire &w, int responseWaitMs) : wire(w)
{
    settings.ResponseWaitTime = responseWaitMs;
    // Noted before the engine hears of them, so the moments are the port's own.
    QObject::connect(&port, &orv::TVaComm::OnTxEmpty, [this] { txEmpty = Now(); });
    QObject::connect(&port, &orv::TVaComm::OnRxChar, [this](int) {
        if (firstAnswerByte == 0)
            firstAnswerByte = Now();
    });
    QObject::connect(&port, &orv::TVaComm::OnRxChar, &engine, &orv::TransactionEngine::VaComm1RxChar);
    QObject::connect(&port, &orv::TVaComm::OnTxEmpty, &engine, &orv::TransactionEngine::VaComm1OnTxEmpty);
    page.SetMessageSink([this](const QString &text, const QString &detail) { messages << text + " | " + detail; });
    engine.SetTraceSink([this](const QString &line) {
        trace << line;
        const QString fault = QStringLiteral("Ошибка порта: ");
        if (line.startsWith(fault))
            faults << line.mid(fault.size());
    });
    orv::ExchangeHooks &hooks = engine.Hooks();
    hooks.setupAnswerHead = [this](const orv::ResponseView &) { ++answers; };
    hooks.setupGiveUp = [this] { ++giveUps; };
    hooks.attemptLimit = [this] { return attemptLimit; };
    hooks.setupRepeat = [this] { Send(engine.CurrentRequest().address, engine.CurrentRequest().command); };
}

Link::~Link()
{
    if (port.Active())
        port.ClosePort();
}

bool Link::Open()
{
    page.ComboBox7->addItem(QString::fromLatin1(wire.device));
    page.ComboBox7->setCurrentText(QString::fromLatin1(wire.device));
    page.Button14Click();
    if (!port.Active())
        return false;
    port.SetDtrLevel(true);
    return true;
}

void Link::Send(std::uint8_t address, std::uint8_t command)
{
    port.PurgeInput();
    port.PurgeOutput();
    engine.ClearReceiveBuffer();
    txEmpty = firstAnswerByte = 0;
    engine.StartExchange(orv::ExchangeRequest::Make(orv::SetupExchange, address, command));
}

QStringList Link::Evaluation() const
{
    const int start = static_cast<int>(trace.lastIndexOf(QStringLiteral("ПРИЕМ:"))) + 1;
    QStringList out;
    for (int i = start; i < trace.size(); ++i)
        if (!trace[i].startsWith(QStringLiteral("Время начала прихода")))
            out << trace[i];
    return out;
}

} // namespace rig
