// The adapter pulled out through the machine's monitor (a) in the middle of a request frame,
// (b) during a registration run with survey files open, (c) while the port is idle. Every time:
// no hang, no busy loop, the port page shows the port closed and says why, a run ends, every
// survey line already written is whole, and the port opens again once the adapter is back.
#include "awaits.h"
#include "survey_run.h"

#include <QEventLoop>
#include <QLabel>
#include <QTimer>

#include <sys/resource.h>
#include <thread>

using namespace rig;
using testsupport::ServeEvents;
using testsupport::WaitUntil;

namespace rig {

double CpuSeconds()
{
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return double(use.ru_utime.tv_sec + use.ru_stime.tv_sec) + double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

bool AdapterReportsTransmitEnd()
{
    Tell("gauges usb 0");
    Link link(kUsb);
    if (!link.Open())
        return false;
    link.Send(0, 1);
    WaitUntil([&] { return link.Evaluations() == 1; }, 5000);
    return !link.trace.contains(QStringLiteral("Передача не завершена: порт не сообщил об окончании передачи"));
}

} // namespace rig

namespace {

const QString kLossMessage =
    QStringLiteral("Ошибка порта | Устройство /dev/ttyUSB0 больше не отвечает (отключено?). Порт закрыт.");

// Processor time used in one second of an event loop that sleeps until something happens.
double IdleSecondCpu()
{
    const double before = CpuSeconds();
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
    return CpuSeconds() - before;
}

// After the loss: closed on the page with the reason, and quiet while the adapter stays away.
void ExpectClosedAndQuiet(const QLabel *label, const QStringList &messages, const std::function<bool()> &active)
{
    EXPECT_TRUE(WaitUntil([&] { return !active(); }, 3000));
    EXPECT_EQ(label->text(), QStringLiteral("Порт выключен"));
    EXPECT_EQ(messages.count(kLossMessage), 1) << messages.join('\n').toStdString();
    const double used = IdleSecondCpu();
    std::printf("[ unplug   ] processor time in the second after the loss: %.3f s\n", used);
    // A notifier left firing on the dead device would take the whole second; the whole program's
    // own timers, emulated instruction by instruction on a busy host, take up to a third of it.
    EXPECT_LT(used, 0.6);
}

class Replug : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (!DeviceExists(kUsb.device)) {
            EXPECT_TRUE(Plug());
        }
    }
};

} // namespace

TEST_F(Replug, InTheMiddleOfARequestFrame)
{
    ASSERT_TRUE(Tell("gauges usb 0") && Tell("clear usb") && Tell("rate usb 9600"));
    Link link(kUsb);
    ASSERT_TRUE(link.Open());
    bool pulled = false;
    link.noting.beforeWrite = [&](int index) {
        if (index == 5 && !pulled)
            pulled = Unplug();   // five of the twelve bytes are out
    };
    const qint64 sent = Now();
    link.Send(0, 1);
    link.noting.beforeWrite = nullptr;
    ASSERT_TRUE(pulled);
    EXPECT_TRUE(WaitUntil([&] { return link.Evaluations() >= 1; }, 5000)) << link.trace.join('\n').toStdString();
    std::printf("[ unplug   ] mid-frame: exchange over %.0f ms after the send began; port faults: %s\n",
                (Now() - sent) / 1000.0, qPrintable(link.faults.join(" / ")));
    ASSERT_FALSE(link.faults.isEmpty());
    EXPECT_TRUE(link.faults[0].startsWith(QStringLiteral("Write error (5)"))) << link.faults[0].toStdString();
    ExpectClosedAndQuiet(link.page.Label16, link.messages, [&] { return link.port.Active(); });

    ASSERT_TRUE(Plug());
    ASSERT_TRUE(link.Open());
    link.Send(0, 1);
    EXPECT_TRUE(WaitUntil([&] { return link.answers == 1; }, 5000));
}

TEST_F(Replug, WhileIdle)
{
    ASSERT_TRUE(Tell("gauges usb 0") && Tell("clear usb") && Tell("rate usb 9600"));
    Link link(kUsb);
    ASSERT_TRUE(link.Open());
    ServeEvents(200);
    ASSERT_TRUE(Unplug());
    ExpectClosedAndQuiet(link.page.Label16, link.messages, [&] { return link.port.Active(); });
    EXPECT_TRUE(link.faults.isEmpty()) << link.faults.join('\n').toStdString();   // nothing was being sent

    ASSERT_TRUE(Plug());
    ASSERT_TRUE(link.Open());
    link.Send(0, 1);
    EXPECT_TRUE(WaitUntil([&] { return link.answers == 1; }, 5000));
}

TEST_F(Replug, DuringARegistrationRunWithSurveyFiles)
{
    const bool ends = AdapterReportsTransmitEnd();
    EXPECT_OR_AWAIT(ends, "the adapter's transmit end is reported");
    SurveyRun run;
    ASSERT_TRUE(run.Prepare(QStringLiteral("pull")));
    std::printf("[ unplug   ] processor time in an idle second before the run: %.3f s\n", IdleSecondCpu());
    ASSERT_TRUE(run.Start());
    const int before = ends ? 40 : 4;   // polls heard before the adapter goes
    ASSERT_TRUE(WaitUntil([&] { return RequestsHeard(kUsb) >= before; }, before * 2500 + 5000));
    ASSERT_TRUE(Unplug());
    EXPECT_TRUE(WaitUntil([&] { return !run.page->PollingRunning(); }, 5000));
    ExpectClosedAndQuiet(run.form1->TabSheet4->Label16, run.messages, [&] { return run.form1->VaComm1->Active(); });

    int lines = 0, broken = 0;
    for (int k = 1; k <= 10; ++k) {
        int count = 0;
        broken += run.BrokenLines(QStringLiteral("pull"), k, &count);
        lines += count;
    }
    std::printf("[ unplug   ] run ended by the loss: %d survey lines written before, %d not whole\n", lines, broken);
    EXPECT_EQ(broken, 0);
    EXPECT_OR_AWAIT(lines > 0, "answers accepted through the adapter");

    ASSERT_TRUE(Plug());
    EXPECT_TRUE(run.OpenPortAt(QString::fromLatin1(kUsb.device)));
    EXPECT_TRUE(run.form1->VaComm1->Active());
}
