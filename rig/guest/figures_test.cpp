// Timing through both drivers at 9600 8N1, printed as figures: last byte written -> transmit end
// reported (against the frame's line time), transmit end -> RTS low, first byte written -> first
// byte of the answer seen. At the moment the end is reported the driver's queue must be empty and,
// on the 16550A, the transmitter-empty bit set and RTS still raised.
#include "awaits.h"
#include "rig_fixture.h"

#include <QFile>

#include <algorithm>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

using namespace rig;
using testsupport::WaitUntil;

namespace {

// Modem lines the 16550A's driver shows for ttyS1.
QString ProcLine()
{
    QFile file(QStringLiteral("/proc/tty/driver/serial"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : file.readAll().split('\n'))
        if (line.startsWith("1:"))
            return QString::fromLatin1(line);
    return {};
}

void Print(const char *wire, const char *what, std::vector<double> v)
{
    if (v.empty()) {
        std::printf("[ figures  ] %-4s %-40s no samples\n", wire, what);
        return;
    }
    std::sort(v.begin(), v.end());
    std::printf("[ figures  ] %-4s %-40s min %8.3f  median %8.3f  max %8.3f ms (%zu)\n", wire, what, v.front(),
                v[v.size() / 2], v.back(), v.size());
}

class RigFigures : public ::testing::TestWithParam<Wire> {};

} // namespace

TEST_P(RigFigures, TransmitEndRtsAndAnswerAt9600)
{
    const Wire wire = GetParam();
    const std::string w = wire.name;
    ASSERT_TRUE(Tell("gauges " + w + " 0") && Tell("clear " + w) && Tell("rate " + w + " 9600") &&
                Tell("turnaround " + w + " 2"));
    Link link(wire, 150);
    ASSERT_TRUE(link.Open());   // the page's default: 9600 8N1
    const int observer = open(wire.device, O_RDONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(observer, 0);
    int queuedAtEnd = 0, lsrNotEmpty = 0, rtsMissing = 0, ends = 0;
    QObject::connect(&link.port, &orv::TVaComm::OnTxEmpty, [&] {
        ++ends;
        int queued = 0;
        if (ioctl(observer, TIOCOUTQ, &queued) == 0 && queued != 0)
            ++queuedAtEnd;
        unsigned lsr = 0;
        if (wire.name == kUart.name && (ioctl(observer, TIOCSERGETLSR, &lsr) != 0 || !(lsr & TIOCSER_TEMT)))
            ++lsrNotEmpty;
        if (wire.name == kUart.name && !ProcLine().contains(QStringLiteral("RTS")))
            ++rtsMissing;
    });

    const double lineTimeMs = 12 * 10 * 1000.0 / 9600;
    std::vector<double> toEnd, toRts, toAnswer;
    const int rounds = 10;
    for (int i = 0; i < rounds; ++i) {
        link.Send(0, 1);
        ASSERT_TRUE(WaitUntil([&] { return link.Evaluations() == i + 1; }, 5000));
        if (link.txEmpty > 0) {
            toEnd.push_back((link.txEmpty - link.noting.lastWrite) / 1000.0);
            if (link.noting.rtsLow >= link.txEmpty)
                toRts.push_back((link.noting.rtsLow - link.txEmpty) / 1000.0);
        }
        if (link.firstAnswerByte > 0)
            toAnswer.push_back((link.firstAnswerByte - link.noting.firstWrite) / 1000.0);
    }
    close(observer);
    std::printf("[ figures  ] %-4s request frame of 12 bytes at 9600 8N1: line time %.3f ms\n", wire.name, lineTimeMs);
    Print(wire.name, "last byte written -> transmit end", toEnd);
    Print(wire.name, "transmit end -> RTS low", toRts);
    Print(wire.name, "first byte written -> first answer byte", toAnswer);
    EXPECT_EQ(queuedAtEnd, 0);
    EXPECT_EQ(lsrNotEmpty, 0);
    EXPECT_EQ(rtsMissing, 0);
    EXPECT_OR_AWAIT(ends >= rounds, "the adapter's transmit end is reported");
    EXPECT_EQ(static_cast<int>(toAnswer.size()), rounds);
}

INSTANTIATE_TEST_SUITE_P(Drivers, RigFigures, ::testing::Values(kUart, kUsb),
                         [](const ::testing::TestParamInfo<Wire> &p) { return std::string(p.param.name); });
