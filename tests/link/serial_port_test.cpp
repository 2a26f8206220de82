// The serial port on a pseudo-terminal: the test holds the master side, the port opens the slave
// by its absolute path, as it opens the built-in emulator's line.
#include "link/serial_termios2.h"
#include "link/serial_port.h"
#include "line_rate.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <ostream>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <string>
#include <vector>

namespace orv {
namespace {

// Message patterns of the port, as the port page and the error display show them.
const QString kPortIsOpen = QStringLiteral("Can't perform this operation while port is open");
const QString kDeviceNotFound = QStringLiteral("Specified device not found (%s).");
const QString kCantOpen = QStringLiteral("Can't open specified device %s (Error %d, %s)");
const QString kErrorWritingDcb = QStringLiteral("Error writing dcb (%d), %s");
const QString kWriteError = QStringLiteral("Write error (%d), %s");
const QString kReadError = QStringLiteral("Read error (%d), %s");

QString Fill(QString pattern, const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        const qsizetype s = pattern.indexOf(QLatin1String("%s"));
        const qsizetype d = pattern.indexOf(QLatin1String("%d"));
        const qsizetype at = s < 0 ? d : d < 0 ? s : std::min(s, d);
        pattern.replace(at, 2, argument);
    }
    return pattern;
}

QString WithErrno(const QString &pattern, int error)
{
    return Fill(pattern, {QString::number(error), QString::fromLocal8Bit(strerror(error))});
}

// Readable test names from the cases' descriptions.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case> &info)
{
    std::string name;
    for (const char c : std::string(info.param.what))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

// The message of the port error an operation raises, or an empty text.
QString ErrorOf(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const EVaCommError &error) {
        return error.message();
    }
    return QString();
}

bool WaitUntil(const std::function<bool()> &done, int timeoutMs = 2000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(5);
    }
    return true;
}

double ProcessCpuMilliseconds()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// CPU the whole process uses while a plain event loop runs for the given time. (QTest::qWait
// naps between its rounds, which would hide a hand-over that comes back again and again.)
double CpuWhileIdle(int milliseconds)
{
    const double before = ProcessCpuMilliseconds();
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    return ProcessCpuMilliseconds() - before;
}

class PtyLine {
public:
    PtyLine()
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            return;
        slavePath_ = QString::fromLocal8Bit(ptsname(master_));
        termios raw {};
        tcgetattr(master_, &raw);
        cfmakeraw(&raw);
        tcsetattr(master_, TCSANOW, &raw);
    }
    ~PtyLine() { CloseMaster(); }

    bool Ready() const { return master_ >= 0 && !slavePath_.isEmpty(); }
    int Master() const { return master_; }
    const QString &SlavePath() const { return slavePath_; }

    void CloseMaster()
    {
        if (master_ >= 0)
            close(master_);
        master_ = -1;
    }

    void Send(const QByteArray &bytes) const
    {
        ASSERT_EQ(write(master_, bytes.constData(), static_cast<size_t>(bytes.size())), bytes.size());
    }

    // Reads until `count` bytes came or the time is up.
    QByteArray Receive(int count, int timeoutMs = 2000) const
    {
        QByteArray got;
        QElapsedTimer timer;
        timer.start();
        while (got.size() < count && timer.elapsed() < timeoutMs) {
            pollfd p {master_, POLLIN, 0};
            if (poll(&p, 1, 20) > 0 && (p.revents & POLLIN)) {
                char buffer[512];
                const ssize_t n = read(master_, buffer, sizeof buffer);
                if (n > 0)
                    got.append(buffer, static_cast<int>(n));
            }
        }
        return got;
    }

    termios SlaveSettings() const
    {
        termios t {};
        tcgetattr(master_, &t);  // the master reports the slave's settings
        return t;
    }

    unsigned SlaveRate() const
    {
        unsigned rate = 0;
        ReadLineRate(master_, rate);
        return rate;
    }

    // What the gauge simulator paces its answers by.
    long SimulatorRate() const { return sim::lineRateOf(master_); }

private:
    int master_ = -1;
    QString slavePath_;
};

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(line.Ready());
        port.SetDeviceName(line.SlavePath());
    }

    void Open()
    {
        port.OpenPort();
        ASSERT_TRUE(port.Active());
    }

    PtyLine line;
    TVaComm port;
};

TEST_F(SerialPortTest, OpensByAbsolutePathAndClosesAfterSettling)
{
    EXPECT_EQ(port.DevicePath(), line.SlavePath());
    Open();
    EXPECT_EQ(port.LastErrorCode(), 0);

    QElapsedTimer timer;
    timer.start();
    port.ClosePort();
    EXPECT_GE(timer.elapsed(), 300);
    EXPECT_FALSE(port.Active());

    // Closed, the operations do nothing.
    std::uint8_t buffer[4] = {};
    EXPECT_FALSE(port.WriteOneByte(0x55));
    EXPECT_EQ(port.ReadBytes(buffer, 4), 0);
    EXPECT_EQ(port.InputQueueCount(), 0);
    port.PurgeInputOutput();
    port.SetRtsLevel(true);
    EXPECT_TRUE(line.Receive(1, 100).isEmpty());

    // The line is free again: the same device opens a second time.
    Open();
    port.ClosePort();
}

// A second holder of the line, standing for another program.
enum class Holder { None, ThisComponent, ExclusiveMode, AdvisoryLock };

struct OpenFailureCase {
    const char *what;
    Holder holder;
    const char *path;  // nullptr: the pty's slave
    int error;
    int kind;                      // 0 not found, 1 can't open, 2 dcb
    const char *shown = nullptr;   // the path the message names, when not `path`
};

void PrintTo(const OpenFailureCase &c, std::ostream *out) { *out << c.what; }

class SerialPortOpenFailureTest : public ::testing::TestWithParam<OpenFailureCase> {};

TEST_P(SerialPortOpenFailureTest, RefusesWithTheReason)
{
    const OpenFailureCase &c = GetParam();
    PtyLine line;
    ASSERT_TRUE(line.Ready());
    QTemporaryFile regularFile;
    ASSERT_TRUE(regularFile.open());

    QString path = c.path ? QString::fromUtf8(c.path) : line.SlavePath();
    if (path == QLatin1String("<regular file>"))
        path = regularFile.fileName();

    TVaComm first;
    int other = -1;
    if (c.holder == Holder::ThisComponent) {
        first.SetDeviceName(path);
        first.OpenPort();
    } else if (c.holder != Holder::None) {
        other = open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(other, 0);
        if (c.holder == Holder::ExclusiveMode)
            ASSERT_EQ(ioctl(other, TIOCEXCL), 0);
        else
            ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    }

    TVaComm port;
    port.SetDeviceName(path);
    const QString message = ErrorOf([&] { port.OpenPort(); });

    if (c.shown)
        path = QString::fromUtf8(c.shown);
    QString expected;
    if (c.kind == 0)
        expected = Fill(kDeviceNotFound, {path});
    else if (c.kind == 1)
        expected = Fill(kCantOpen, {path, QString::number(c.error), QString::fromLocal8Bit(strerror(c.error))});
    else
        expected = WithErrno(kErrorWritingDcb, c.error);
    EXPECT_EQ(message, expected) << c.what;
    EXPECT_EQ(port.LastErrorCode(), c.error) << c.what;
    EXPECT_FALSE(port.Active()) << c.what;
    if (other >= 0)
        close(other);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, SerialPortOpenFailureTest,
    ::testing::Values(
        OpenFailureCase{"missing device", Holder::None, "/dev/orvessa-no-such-port", ENOENT, 0},
        OpenFailureCase{"missing COM port", Holder::None, "COM99", ENOENT, 0, "/dev/ttyS98"},
        OpenFailureCase{"held by this program", Holder::ThisComponent, nullptr, EBUSY, 1},
        OpenFailureCase{"held in exclusive mode", Holder::ExclusiveMode, nullptr, EBUSY, 1},
        OpenFailureCase{"held under an advisory lock", Holder::AdvisoryLock, nullptr, EBUSY, 1},
        OpenFailureCase{"a folder", Holder::None, "/tmp", EISDIR, 1},
        OpenFailureCase{"not a tty", Holder::None, "<regular file>", ENOTTY, 2}),
    CaseName<OpenFailureCase>);

TEST_F(SerialPortTest, NamingIsRefusedWhileOpen)
{
    Open();
    const std::function<void()> refused[] = {
        [&] { port.SetDeviceName(QStringLiteral("COM2")); },
        [&] { port.SetPortNum(3); },
        [&] { port.OpenPort(); },
    };
    for (const auto &attempt : refused)
        EXPECT_EQ(ErrorOf(attempt), kPortIsOpen);
    EXPECT_EQ(port.DeviceName(), line.SlavePath());
    EXPECT_EQ(port.PortNum(), 0);
    EXPECT_TRUE(port.Active());
}

TEST_F(SerialPortTest, EveryByteValueTravelsUnchangedBothWays)
{
    Open();
    QByteArray all;
    for (int value = 0; value < 256; ++value)
        all.append(static_cast<char>(value));

    // Out: one write per byte, arriving in order (no CR/LF mapping, no XON/XOFF, no NUL stripping).
    for (const char byte : all)
        ASSERT_TRUE(port.WriteOneByte(static_cast<std::uint8_t>(byte)));
    EXPECT_EQ(line.Receive(all.size()), all);

    // In: read in the receive handler, as the transaction engine does.
    QByteArray received;
    QObject::connect(&port, &TVaComm::OnRxChar, [&](int count) {
        std::vector<std::uint8_t> buffer(static_cast<size_t>(count));
        const int got = port.ReadBytes(buffer.data(), count);
        received.append(reinterpret_cast<const char *>(buffer.data()), got);
    });
    line.Send(all);
    EXPECT_TRUE(WaitUntil([&] { return received.size() >= all.size(); }));
    EXPECT_EQ(received, all);
}

TEST_F(SerialPortTest, BurstArrivesOnTheUserInterfaceThreadWithCountsAddingUp)
{
    Open();
    int total = 0;
    int events = 0;
    bool onOwnThread = true;
    QObject::connect(&port, &TVaComm::OnRxChar, [&](int count) {
        onOwnThread = onOwnThread && QThread::currentThread() == QCoreApplication::instance()->thread();
        ++events;
        total += count;
        std::vector<std::uint8_t> buffer(static_cast<size_t>(count));
        EXPECT_EQ(port.ReadBytes(buffer.data(), count), count);
    });
    line.Send(QByteArray(20, '\x5A'));
    EXPECT_TRUE(WaitUntil([&] { return total >= 20; }));
    QTest::qWait(50);
    EXPECT_EQ(total, 20);
    EXPECT_GE(events, 1);
    EXPECT_TRUE(onOwnThread);
    EXPECT_EQ(port.InputQueueCount(), 0);
}

TEST_F(SerialPortTest, UnreadBytesAreReportedOnceAndNewOnesAgain)
{
    Open();
    QSignalSpy received(&port, &TVaComm::OnRxChar);
    line.Send(QByteArrayLiteral("\x01\x02\x03\x04\x05"));
    EXPECT_TRUE(WaitUntil([&] { return !received.isEmpty(); }));
    QTest::qWait(30);
    const int first = int(received.size());

    // Nobody reads: the port must not report the same bytes over and over, nor spin.
    EXPECT_LT(CpuWhileIdle(300), 50.0);
    EXPECT_EQ(received.size(), first);
    EXPECT_EQ(port.InputQueueCount(), 5);

    line.Send(QByteArrayLiteral("\x06\x07\x08"));
    EXPECT_TRUE(WaitUntil([&] { return received.size() > first; }));
    EXPECT_EQ(received.last().at(0).toInt(), 8);
}

TEST_F(SerialPortTest, TransmitEmptyComesOnlyAfterTheLastWrite)
{
    Open();
    int written = 0;
    std::vector<int> writtenAtEvent;
    QObject::connect(&port, &TVaComm::OnTxEmpty, [&] { writtenAtEvent.push_back(written); });

    // Nothing written, nothing to report.
    QTest::qWait(100);
    EXPECT_TRUE(writtenAtEvent.empty());

    // Written the way the transaction engine writes a frame: byte after byte without serving
    // events. The pauses let the helper thread see the first bytes leave and queue their report.
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(port.WriteOneByte(static_cast<std::uint8_t>(0xFF - i)));
        ++written;
        QThread::msleep(20);
    }
    EXPECT_TRUE(WaitUntil([&] { return !writtenAtEvent.empty(); }));
    QTest::qWait(100);
    ASSERT_EQ(writtenAtEvent.size(), 1u) << "a report for an earlier byte came after a later write";
    EXPECT_EQ(writtenAtEvent[0], 5);
    // A pseudo-terminal has no transmitter-empty bit; its drain returns at once, within the limit.
    EXPECT_EQ(port.TransmitEnd(), TransmitEndSource::Drain);

    // Byte by byte with events served in between: one report per byte.
    for (int i = 0; i < 3; ++i) {
        const size_t before = writtenAtEvent.size();
        ASSERT_TRUE(port.WriteOneByte(0x33));
        ++written;
        EXPECT_TRUE(WaitUntil([&] { return writtenAtEvent.size() > before; }));
    }
    QTest::qWait(50);
    EXPECT_EQ(writtenAtEvent, (std::vector<int> {5, 6, 7, 8}));
    EXPECT_EQ(line.Receive(8).size(), 8);
}

struct LiveChangeCase {
    const char *what;
    std::function<void(TVaComm &)> change;
    unsigned rate;        // the slave's rate afterwards
    tcflag_t flagsSet;    // control flags that must be set
    tcflag_t flagsClear;  // and those that must not
};

void PrintTo(const LiveChangeCase &c, std::ostream *out) { *out << c.what; }

class SerialPortLiveChangeTest : public ::testing::TestWithParam<LiveChangeCase> {};

// A pseudo-terminal keeps the rate, the stop-bit flag and the parity kind, but forces CS8 and
// clears PARENB; that must not count as a refusal.
TEST_P(SerialPortLiveChangeTest, TakesEffectWithoutReopening)
{
    const LiveChangeCase &c = GetParam();
    PtyLine line;
    ASSERT_TRUE(line.Ready());
    TVaComm port;
    port.SetDeviceName(line.SlavePath());
    port.OpenPort();
    EXPECT_EQ(line.SlaveRate(), 9600u);

    c.change(port);
    EXPECT_TRUE(port.Active());
    EXPECT_EQ(line.SlaveRate(), c.rate) << c.what;
    EXPECT_EQ(line.SimulatorRate(), long(c.rate)) << c.what;
    const termios t = line.SlaveSettings();
    EXPECT_EQ(t.c_cflag & c.flagsSet, c.flagsSet) << c.what;
    EXPECT_EQ(t.c_cflag & c.flagsClear, 0u) << c.what;
    // Raw transfer holds whatever changed.
    EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), tcflag_t(CLOCAL | CREAD)) << c.what;
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u) << c.what;
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY | INPCK | ISTRIP | ICRNL | IGNCR | INLCR), 0u) << c.what;
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u) << c.what;
    EXPECT_EQ(t.c_oflag & OPOST, 0u) << c.what;

    // And bytes still pass.
    ASSERT_TRUE(port.WriteOneByte(0x82));
    EXPECT_EQ(line.Receive(1), QByteArray("\x82", 1)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SerialPortLiveChangeTest,
    ::testing::Values(
        LiveChangeCase{"rate 19200", [](TVaComm &p) { p.SetBaudrate(br19200); }, 19200, 0, CSTOPB | CMSPAR | PARODD},
        LiveChangeCase{"rate 115200", [](TVaComm &p) { p.SetBaudrate(br115200); }, 115200, 0, 0},
        LiveChangeCase{"rate 14400", [](TVaComm &p) { p.SetBaudrate(br14400); }, 14400, 0, 0},
        LiveChangeCase{"rate 56000", [](TVaComm &p) { p.SetBaudrate(br56000); }, 56000, 0, 0},
        LiveChangeCase{"rate 128000", [](TVaComm &p) { p.SetBaudrate(br128000); }, 128000, 0, 0},
        LiveChangeCase{"rate 256000", [](TVaComm &p) { p.SetBaudrate(br256000); }, 256000, 0, 0},
        LiveChangeCase{"rate 256000 then 300",
                       [](TVaComm &p) {
                           p.SetBaudrate(br256000);
                           p.SetBaudrate(br300);
                       },
                       300, 0, 0},
        LiveChangeCase{"user rate",
                       [](TVaComm &p) {
                           p.SetUserBaudrate(31250);
                           p.SetBaudrate(brUser);
                       },
                       31250, 0, 0},
        LiveChangeCase{"two stop bits", [](TVaComm &p) { p.SetStopbits(sb2); }, 9600, CSTOPB, 0},
        LiveChangeCase{"1.5 stop bits with 5 data bits",
                       [](TVaComm &p) {
                           p.SetDatabits(db5);
                           p.SetStopbits(sb15);
                       },
                       9600, CSTOPB, 0},
        LiveChangeCase{"odd parity", [](TVaComm &p) { p.SetParity(paOdd); }, 9600, PARODD, CMSPAR},
        LiveChangeCase{"even parity", [](TVaComm &p) { p.SetParity(paEven); }, 9600, 0, CMSPAR | PARODD},
        LiveChangeCase{"mark parity", [](TVaComm &p) { p.SetParity(paMark); }, 9600, CMSPAR | PARODD, 0},
        LiveChangeCase{"space parity", [](TVaComm &p) { p.SetParity(paSpace); }, 9600, CMSPAR, PARODD}),
    CaseName<LiveChangeCase>);

TEST_F(SerialPortTest, RefusedLineSettingKeepsTheOldOne)
{
    Open();
    EXPECT_EQ(ErrorOf([&] { port.SetDatabits(db4); }), WithErrno(kErrorWritingDcb, EINVAL));
    EXPECT_EQ(port.Databits(), db8);
    EXPECT_TRUE(port.Active());
    port.ClosePort();

    // Stored while closed, refused by the opening.
    port.SetDatabits(db4);
    EXPECT_THROW(port.OpenPort(), EVaCommError);
    EXPECT_EQ(port.LastErrorCode(), EINVAL);
    EXPECT_FALSE(port.Active());

    // The failed attempt leaves the line free for the next one.
    port.SetDatabits(db8);
    Open();
}

TEST_F(SerialPortTest, WriteGivesUpAfterASecondWhenTheQueueStaysFull)
{
    Open();
    // Nobody reads the master, so the pseudo-terminal's buffer fills up.
    int accepted = 0;
    QElapsedTimer timer;
    bool gaveUp = false;
    while (accepted < 1000000) {
        timer.start();
        if (!port.WriteOneByte(0xAA)) {
            gaveUp = true;
            break;
        }
        ++accepted;
    }
    ASSERT_TRUE(gaveUp);
    EXPECT_GE(timer.elapsed(), 950);
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_GT(accepted, 1000);

    // Room again once the other end reads.
    EXPECT_EQ(line.Receive(accepted, 5000).size(), accepted);
    EXPECT_TRUE(port.WriteOneByte(0x55));
}

TEST_F(SerialPortTest, ModemLinesThatThePtyLacksAreSkippedQuietly)
{
    Open();
    EXPECT_NO_THROW(port.SetDtrLevel(true));
    EXPECT_NO_THROW(port.SetRtsLevel(true));
    EXPECT_NO_THROW(port.SetRtsLevel(false));
    EXPECT_FALSE(port.ModemLinesSupported());
    ASSERT_TRUE(port.WriteOneByte(0x01));
    EXPECT_EQ(line.Receive(1).size(), 1);
}

TEST_F(SerialPortTest, PurgeInputDropsWaitingBytes)
{
    Open();
    line.Send(QByteArrayLiteral("abcdef"));
    EXPECT_TRUE(WaitUntil([&] { return port.InputQueueCount() == 6; }));
    port.PurgeInput();
    EXPECT_EQ(port.InputQueueCount(), 0);
    std::uint8_t buffer[8];
    EXPECT_EQ(port.ReadBytes(buffer, 8), 0);
}

TEST_F(SerialPortTest, IdleOpenPortCostsNoProcessor)
{
    Open();
    QTest::qWait(50);
    EXPECT_LT(CpuWhileIdle(300), 50.0);
}

TEST_F(SerialPortTest, LostDeviceIsReportedOnceAndThenFails)
{
    Open();
    QSignalSpy lost(&port, &TVaComm::OnPortLost);
    line.CloseMaster();
    EXPECT_TRUE(WaitUntil([&] { return lost.size() >= 1; }));
    EXPECT_TRUE(port.PortLost());

    // A hung-up line must not keep the process busy.
    EXPECT_LT(CpuWhileIdle(300), 50.0);
    EXPECT_EQ(lost.size(), 1);

    std::uint8_t buffer[4];
    EXPECT_EQ(ErrorOf([&] { port.WriteOneByte(0x82); }), WithErrno(kWriteError, EIO));
    EXPECT_EQ(ErrorOf([&] { port.ReadBytes(buffer, 4); }), WithErrno(kReadError, EIO));
    EXPECT_EQ(port.InputQueueCount(), 0);
    EXPECT_NO_THROW(port.PurgeInputOutput());

    EXPECT_NO_THROW(port.ClosePort());
    EXPECT_FALSE(port.Active());
    EXPECT_FALSE(port.PortLost());
}

TEST_F(SerialPortTest, ClosingFromTheReceiveHandlerDoesNotHang)
{
    Open();
    int calls = 0;
    QObject::connect(&port, &TVaComm::OnRxChar, [&](int) {
        ++calls;
        port.ClosePort();
    });
    QSignalSpy transmitEmpty(&port, &TVaComm::OnTxEmpty);
    ASSERT_TRUE(port.WriteOneByte(0x10));
    line.Send(QByteArrayLiteral("xyz"));
    EXPECT_TRUE(WaitUntil([&] { return !port.Active(); }));
    QTest::qWait(50);
    EXPECT_EQ(calls, 1);

    // The port opens again and works.
    Open();
    ASSERT_TRUE(port.WriteOneByte(0x20));
    EXPECT_EQ(line.Receive(2).right(1), QByteArray("\x20", 1));
}

TEST_F(SerialPortTest, ClosingWhileAHandOverWaitsIsPromptAndDropsIt)
{
    Open();
    QSignalSpy received(&port, &TVaComm::OnRxChar);
    line.Send(QByteArrayLiteral("late"));
    // Events are not served here, so the helper thread sits in its hand-over.
    QThread::msleep(100);

    QElapsedTimer timer;
    timer.start();
    port.ClosePort();
    EXPECT_LT(timer.elapsed(), 1000);
    QTest::qWait(50);
    EXPECT_TRUE(received.isEmpty());
}

TEST_F(SerialPortTest, HandlerExceptionIsReportedAndEventsGoOn)
{
    Open();
    QStringList reported;
    QObject::connect(&port, &TVaComm::OnHandlerException, [&](const QString &text) { reported << text; });
    QObject::connect(&port, &TVaComm::OnRxChar, [&](int) {
        port.PurgeInput();
        throw EVaCommError(QStringLiteral("handler failed"));
    });
    QSignalSpy transmitEmpty(&port, &TVaComm::OnTxEmpty);

    line.Send(QByteArrayLiteral("1"));
    EXPECT_TRUE(WaitUntil([&] { return reported.size() == 1; }));
    ASSERT_TRUE(port.WriteOneByte(0x01));
    EXPECT_TRUE(WaitUntil([&] { return transmitEmpty.size() == 1; }));
    line.Send(QByteArrayLiteral("2"));
    EXPECT_TRUE(WaitUntil([&] { return reported.size() == 2; }));
    EXPECT_EQ(reported.first(), QStringLiteral("handler failed"));
}

} // namespace
} // namespace orv
