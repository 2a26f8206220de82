#include "link/serial_port.h"

#include "link/serial_device_path.h"
#include "link/serial_event_watcher.h"
#include "link/serial_messages.h"
#include "link/serial_termios2.h"

#include <QFile>
#include <QMetaMethod>
#include <QtGlobal>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace orv {

using namespace serial_messages;

namespace {

constexpr int kWriteWaitMilliseconds = 1000;
constexpr auto kCloseSettleTime = std::chrono::milliseconds(300);

EVaCommError CantOpen(const QString &path, int error)
{
    return EVaCommError(FillInMessage(kCantOpenDevice, {path})
                        + WithSystemError(kCantOpenDeviceReason, error));
}

bool SameSettings(const LineSettings &a, const LineSettings &b)
{
    return a.baudrate == b.baudrate && a.userBaudrate == b.userBaudrate && a.parity == b.parity
           && a.databits == b.databits && a.stopbits == b.stopbits;
}

// Another program holds the line: it set exclusive mode, or it holds the advisory lock. Root
// passes the exclusive-mode check of open(), so both are looked at here.
int HeldElsewhere(int fd)
{
    int exclusive = 0;
    if (ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive)
        return EBUSY;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        return errno == EWOULDBLOCK ? EBUSY : errno;
    return 0;
}

// A pseudo-terminal outlives its last opener and would keep the exclusive mode we set, refusing
// the next opening; so the mode is given up before closing.
void CloseHeldLine(int fd)
{
    ioctl(fd, TIOCNXCL);
    close(fd);
}

} // namespace

TVaComm::TVaComm(QObject *parent) : QObject(parent) {}

TVaComm::~TVaComm()
{
    ClosePort();
}

void TVaComm::SetBaudrate(BaudRateSetting value)
{
    LineSettings wanted = settings_;
    wanted.baudrate = value;
    ChangeLineSettings(wanted);
}

void TVaComm::SetUserBaudrate(int bitsPerSecond)
{
    LineSettings wanted = settings_;
    wanted.userBaudrate = bitsPerSecond;
    ChangeLineSettings(wanted);
}

void TVaComm::SetParity(ParitySetting value)
{
    LineSettings wanted = settings_;
    wanted.parity = value;
    ChangeLineSettings(wanted);
}

void TVaComm::SetDatabits(DataBitsSetting value)
{
    LineSettings wanted = settings_;
    wanted.databits = value;
    ChangeLineSettings(wanted);
}

void TVaComm::SetStopbits(StopBitsSetting value)
{
    LineSettings wanted = settings_;
    wanted.stopbits = value;
    ChangeLineSettings(wanted);
}

void TVaComm::ChangeLineSettings(const LineSettings &wanted)
{
    if (!Active()) {
        settings_ = wanted;
        return;
    }
    if (SameSettings(wanted, settings_))
        return;
    // The device keeps its old settings when it refuses, and so do the properties, so that what
    // they show is what the line runs at.
    if (const int error = ApplyLineSettings(fd_, wanted))
        throw EVaCommError(WithSystemError(kErrorWritingDcb, error));
    settings_ = wanted;
    watcher_->SetCharacterTime(CharacterTimeMicroseconds(settings_));
}

void TVaComm::SetDeviceName(const QString &formatText)
{
    if (Active())
        throw EVaCommError(QString::fromUtf8(kPortIsOpen));
    deviceName_ = formatText;
}

void TVaComm::SetPortNum(int number)
{
    if (Active())
        throw EVaCommError(QString::fromUtf8(kPortIsOpen));
    portNum_ = number;
}

QString TVaComm::DevicePath() const
{
    return DevicePathFor(deviceName_, portNum_);
}

void TVaComm::OpenPort()
{
    if (Active())
        throw EVaCommError(QString::fromUtf8(kPortIsOpen));
    lastErrorCode_ = 0;

    const QString path = DevicePath();
    const int fd = open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        lastErrorCode_ = errno;
        if (lastErrorCode_ == ENOENT)
            throw EVaCommError(FillInMessage(kDeviceNotFound, {path}));
        throw CantOpen(path, lastErrorCode_);
    }
    if (const int error = HeldElsewhere(fd)) {
        close(fd);
        lastErrorCode_ = error;
        throw CantOpen(path, error);
    }
    // Keeps other programs of ordinary users out while we hold the line.
    ioctl(fd, TIOCEXCL);

    if (const int error = ApplyLineSettings(fd, settings_)) {
        CloseHeldLine(fd);
        lastErrorCode_ = error;
        throw EVaCommError(WithSystemError(kErrorWritingDcb, error));
    }

    fd_ = fd;
    lost_ = false;
    modemLinesUnsupported_ = false;
    const std::uint64_t session = ++session_;

    // The kernel raises DTR and RTS on open; both stay low until the program asks for them, so
    // an RS-485 transmitter keyed by RTS does not block the bus.
    try {
        SetDtrLevel(false);
        SetRtsLevel(false);
    } catch (const EVaCommError &) {
        CloseHeldLine(fd_);
        fd_ = -1;
        ++session_;
        lastErrorCode_ = modemLineError_;
        throw;
    }

    watcher_ = std::make_unique<SerialEventWatcher>(
        fd_, this, [this, session](const LineEvent &event) { Dispatch(session, event); });
    if (const int error = watcher_->Start(CharacterTimeMicroseconds(settings_))) {
        watcher_.reset();
        CloseHeldLine(fd_);
        fd_ = -1;
        ++session_;
        lastErrorCode_ = error;
        throw EVaCommError(WithSystemError(kErrorSettingEventMask, error));
    }
}

void TVaComm::ClosePort()
{
    if (!Active())
        return;
    ++session_;
    watcher_->Stop();
    watcher_.reset();
    CloseHeldLine(fd_);
    fd_ = -1;
    lost_ = false;
    // Gives the driver time to settle before the port can be opened again. Nothing is held
    // during this wait, and the helper thread is already gone.
    std::this_thread::sleep_for(kCloseSettleTime);
}

bool TVaComm::WriteOneByte(std::uint8_t byte)
{
    if (!Active())
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteWaitMilliseconds);
    for (;;) {
        const ssize_t written = write(fd_, &byte, 1);
        if (written == 1) {
            watcher_->NoteWrite();
            return true;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN)
            throw EVaCommError(WithSystemError(kWriteError, errno));

        // The driver's queue is full: wait for room, but not beyond the write time-out.
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd room {fd_, POLLOUT, 0};
        poll(&room, 1, static_cast<int>(left.count()));
    }
}

int TVaComm::ReadBytes(std::uint8_t *buffer, int count)
{
    if (!Active() || buffer == nullptr || count <= 0)
        return 0;
    for (;;) {
        const ssize_t got = read(fd_, buffer, static_cast<size_t>(count));
        if (got > 0)
            return static_cast<int>(got);
        // With one byte as the minimum a raw tty reads nothing only once it has hung up.
        if (got == 0)
            throw EVaCommError(WithSystemError(kReadError, EIO));
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN)
            return 0;
        throw EVaCommError(WithSystemError(kReadError, errno));
    }
}

int TVaComm::InputQueueCount()
{
    if (!Active())
        return 0;
    int waiting = 0;
    if (ioctl(fd_, FIONREAD, &waiting) != 0)
        return 0;
    return waiting;
}

void TVaComm::Purge(int queues)
{
    if (Active())
        tcflush(fd_, queues);
}

void TVaComm::PurgeInput() { Purge(TCIFLUSH); }
void TVaComm::PurgeOutput() { Purge(TCOFLUSH); }
void TVaComm::PurgeInputOutput() { Purge(TCIOFLUSH); }

void TVaComm::SetRtsLevel(bool high) { SetModemLine(TIOCM_RTS, high); }
void TVaComm::SetDtrLevel(bool high) { SetModemLine(TIOCM_DTR, high); }

void TVaComm::SetModemLine(int line, bool high)
{
    if (!Active() || modemLinesUnsupported_)
        return;
    int bits = line;
    if (ioctl(fd_, high ? TIOCMBIS : TIOCMBIC, &bits) == 0)
        return;
    // A pseudo-terminal and some adapters have no modem lines; the exchange works without them.
    // Any other refusal (an adapter that has gone away answers EIO) is a fault of the port.
    modemLineError_ = errno;
    if (modemLineError_ == ENOTTY || modemLineError_ == EINVAL) {
        modemLinesUnsupported_ = true;
        return;
    }
    throw EVaCommError(WithSystemError(kModemLineError, modemLineError_));
}

TransmitEndSource TVaComm::TransmitEnd() const
{
    return watcher_ ? watcher_->TransmitEnd() : TransmitEndSource::LineStatus;
}

void TVaComm::Dispatch(std::uint64_t session, const LineEvent &event)
{
    // A handler may close the port; whatever is left of this event then belongs to nobody.
    const auto stillOpen = [&] { return session == session_ && Active(); };
    if (!stillOpen())
        return;

    if (event.received) {
        try {
            if (const int waiting = InputQueueCount(); waiting > 0)
                emit OnRxChar(waiting);
        } catch (const std::exception &error) {
            ReportHandlerException(QString::fromStdString(error.what()));
        }
        if (!stillOpen())
            return;
    }

    // Bytes written after the check was made have not been seen to leave: their own report follows.
    if (event.transmitEmpty && event.writesCovered == watcher_->WriteCount()) {
        try {
            emit OnTxEmpty();
        } catch (const std::exception &error) {
            ReportHandlerException(QString::fromStdString(error.what()));
        }
        if (!stillOpen())
            return;
    }

    if (event.lost && !lost_) {
        lost_ = true;
        try {
            emit OnPortLost();
        } catch (const std::exception &error) {
            ReportHandlerException(QString::fromStdString(error.what()));
        }
    }
}

void TVaComm::ReportHandlerException(const QString &message)
{
    if (isSignalConnected(QMetaMethod::fromSignal(&TVaComm::OnHandlerException)))
        emit OnHandlerException(message);
    else
        qWarning("%s", qPrintable(message));
}

} // namespace orv
