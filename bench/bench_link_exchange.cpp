// Figures of one exchange through the real serial port component and the gauge simulator on a
// pseudo-terminal: host overhead around the transmission, CPU time per exchange, RTS hold time.
#include "gauge_simulator.h"
#include "link/serial_port.h"
#include "link/transaction_engine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

using namespace orv;

namespace {

// Times the port operations the engine makes, around the real component.
class TimedPort : public PortOperations {
public:
    explicit TimedPort(TVaComm &port) : port_(port) { clock.start(); }
    QElapsedTimer clock;
    qint64 firstWriteNs = -1, rtsDownNs = -1;
    bool Active() const override { return port_.Active(); }
    bool WriteOneByte(std::uint8_t b) override
    {
        if (firstWriteNs < 0)
            firstWriteNs = clock.nsecsElapsed();
        return port_.WriteOneByte(b);
    }
    int ReadBytes(std::uint8_t *buffer, int count) override { return port_.ReadBytes(buffer, count); }
    int InputQueueCount() override { return port_.InputQueueCount(); }
    void PurgeInput() override { port_.PurgeInput(); }
    void PurgeOutput() override { port_.PurgeOutput(); }
    void PurgeInputOutput() override { port_.PurgeInputOutput(); }
    void SetRtsLevel(bool high) override
    {
        if (!high)
            rtsDownNs = clock.nsecsElapsed();
        port_.SetRtsLevel(high);
    }
    void SetDtrLevel(bool high) override { port_.SetDtrLevel(high); }
    void Reset() { firstWriteNs = rtsDownNs = -1; }

private:
    TVaComm &port_;
};

double CpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

double Percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(p * (v.size() - 1))];
}

void Serve(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    sim::GaugeSimulator simulator({1});
    if (!simulator.start()) {
        std::printf("simulator did not start\n");
        return 1;
    }
    TVaComm port;
    port.SetDeviceName(QString::fromStdString(simulator.slavePath()));
    port.OpenPort();
    TimedPort timed(port);
    LinkSettings settings;
    TransactionEngine engine(timed, settings);
    QObject::connect(&port, &TVaComm::OnRxChar, &engine, &TransactionEngine::VaComm1RxChar);
    qint64 txEmptyNs = -1;
    QObject::connect(&port, &TVaComm::OnTxEmpty, &engine, [&] {
        txEmptyNs = timed.clock.nsecsElapsed();
        engine.VaComm1OnTxEmpty();
    });
    int evaluations = 0;
    engine.SetTraceSink([&](const QString &line) { evaluations += line.isEmpty() ? 1 : 0; });

    const auto exchange = [&] {
        timed.Reset();
        txEmptyNs = -1;
        engine.ClearReceiveBuffer();
        const int before = evaluations;
        engine.StartExchange(ExchangeRequest::Make(SetupExchange, 1, 3));
        while (evaluations == before)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    };

    constexpr int Runs = 40;
    std::printf("One exchange (command 3, 12-byte request, 34-byte answer) over a pseudo-terminal, %d runs\n", Runs);
    std::printf("A pseudo-terminal has no line time, so the first write to RTS-down span is all host time.\n\n");
    for (const bool rs485 : {false, true}) {
        settings.Rs485Mode = rs485;
        std::vector<double> overhead, hold, span, cpu;
        for (int i = 0; i < Runs; ++i) {
            const double cpu0 = CpuMs();
            exchange();
            cpu.push_back(CpuMs() - cpu0);
            const double spanMs = (timed.rtsDownNs - timed.firstWriteNs) / 1e6;
            span.push_back(spanMs);
            overhead.push_back(spanMs - settings.PostTransmitDelay - (rs485 ? settings.Rs485Delay : 0));
            hold.push_back((timed.rtsDownNs - txEmptyNs) / 1e6);
            Serve(20);
        }
        std::printf("RS-485 mode %s (PostTransmitDelay %d ms, Rs485Delay %d ms):\n", rs485 ? "on " : "off",
                    settings.PostTransmitDelay, settings.Rs485Delay);
        std::printf("  first write -> RTS down:        median %7.3f ms  p90 %7.3f ms\n", Percentile(span, 0.5),
                    Percentile(span, 0.9));
        std::printf("  host overhead beyond the waits: median %7.3f ms  p90 %7.3f ms  (goal < 2 ms)\n",
                    Percentile(overhead, 0.5), Percentile(overhead, 0.9));
        std::printf("  RTS hold after TX empty:        median %7.3f ms  p90 %7.3f ms  (expected ~%d ms)\n",
                    Percentile(hold, 0.5), Percentile(hold, 0.9), settings.PostTransmitDelay + (rs485 ? 15 : 0));
        std::printf("  CPU time per %d ms exchange:   median %7.3f ms  max %7.3f ms  (goal < 10 ms)\n\n",
                    settings.ResponseWaitTime, Percentile(cpu, 0.5), Percentile(cpu, 1.0));
    }
    port.ClosePort();
    simulator.stop();
    return 0;
}
