// The address scan through the real engine and serial port, against simulated gauges.
#include "bus/address_scan.h"
#include "bus/gauge_exchange.h"
#include "gauge_simulator.h"
#include "link/serial_port.h"
#include "link/transaction_engine.h"
#include "link/scripted_port.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

using namespace orv;
using testsupport::WaitUntil;

namespace {

struct ScanLine {
    LinkSettings settings;
    TVaComm port;
    TransactionEngine engine{port, settings};
    GaugeExchange exchange{engine, port};
    AddressScan scan{exchange, settings};
    sim::GaugeSimulator simulator;
    std::vector<AddressScan::End> ends;

    explicit ScanLine(const std::vector<std::uint8_t> &gauges) : simulator(gauges)
    {
        // Generous: the machine may be busy, and a late answer would read as a missing gauge.
        settings.ResponseWaitTime = 250;
        settings.NextTransmitTime = 270;
        if (!simulator.start())
            return;
        QObject::connect(&port, &TVaComm::OnRxChar, &engine, &TransactionEngine::VaComm1RxChar);
        QObject::connect(&port, &TVaComm::OnTxEmpty, &engine, &TransactionEngine::VaComm1OnTxEmpty);
        QObject::connect(&scan, &AddressScan::finished, [this](AddressScan::End end) { ends.push_back(end); });
        port.SetDeviceName(QString::fromStdString(simulator.slavePath()));
        port.OpenPort();
    }
    ~ScanLine()
    {
        port.ClosePort();
        simulator.stop();
    }
    std::vector<int> FoundAddresses() const
    {
        std::vector<int> out;
        for (const FoundGauge &g : scan.Found())
            out.push_back(g.address);
        return out;
    }
};

sim::FaultSpec Silence()
{
    sim::FaultSpec fault;
    fault.kind = sim::FaultKind::Silence;
    return fault;
}

} // namespace

TEST(AddressScan, FindsExactlyTheGaugesThatAnswerAndLeavesTheEngineAsFound)
{
    struct Case {
        std::vector<std::uint8_t> gauges;
        std::vector<std::uint8_t> silent;
        int from, to;
        std::vector<int> found;
    };
    const Case cases[] = {
        {{1, 2, 3}, {}, 0, 4, {1, 2, 3}},
        // A silent gauge is not found; the edges of the range are asked too.
        {{0, 3, 6, 7}, {3}, 0, 6, {0, 6}},
        {{200, 255}, {}, 252, 255, {255}},
    };
    for (const Case &c : cases) {
        ScanLine line(c.gauges);
        ASSERT_TRUE(line.port.Active());
        for (std::uint8_t a : c.silent)
            line.simulator.setFault(a, Silence());
        line.simulator.stagePressure(c.found.front(), 2.5f, 2);
        // What a page left in the engine stays there.
        line.engine.RestoreRequest(ExchangeRequest::Make(SetupExchange, 42, 6));

        ASSERT_TRUE(line.scan.Start(c.from, c.to));
        ASSERT_TRUE(WaitUntil([&] { return !line.ends.empty(); }, 20000));
        EXPECT_EQ(line.ends, std::vector<AddressScan::End>{AddressScan::End::Completed});
        EXPECT_EQ(line.FoundAddresses(), c.found);
        EXPECT_EQ(line.scan.Done(), c.to - c.from + 1);
        EXPECT_EQ(line.simulator.requests().size(), static_cast<std::size_t>(c.to - c.from + 1));
        for (const sim::LoggedRequest &r : line.simulator.requests().entries())
            EXPECT_EQ(r.command, 1);
        ASSERT_FALSE(line.scan.Found().empty());
        EXPECT_EQ(FoundPressureText(line.scan.Found().front(), QLatin1Char(',')), QStringLiteral("2,5000000"));
        EXPECT_EQ(FoundUnitText(line.scan.Found().front()), QStringLiteral("МПа"));
        EXPECT_EQ(line.engine.Mode(), SetupExchange);
        EXPECT_EQ(line.engine.CurrentRequest().address, 42);
        EXPECT_EQ(line.engine.CurrentRequest().command, 6);
    }
}

TEST(AddressScan, CancelStopsWithinOneExchange)
{
    ScanLine line({1, 2, 3});
    ASSERT_TRUE(line.port.Active());
    // During an exchange: that exchange is completed, no other one is sent.
    ASSERT_TRUE(line.scan.Start(0, 255));
    ASSERT_TRUE(WaitUntil([&] { return line.simulator.requests().size() >= 4; }, 10000));
    const int doneAtCancel = line.scan.Done();
    line.scan.Cancel();
    ASSERT_TRUE(WaitUntil([&] { return !line.ends.empty(); }, 5000));
    EXPECT_EQ(line.ends, std::vector<AddressScan::End>{AddressScan::End::Cancelled});
    EXPECT_LE(line.scan.Done(), doneAtCancel + 1);
    testsupport::ServeEvents(3 * line.settings.NextTransmitTime);
    EXPECT_EQ(line.simulator.requests().size(), static_cast<std::size_t>(line.scan.Done()));

    // Between two exchanges (here: from the progress report): the scan ends at once.
    line.ends.clear();
    line.simulator.requests().clear();
    QObject::connect(&line.scan, &AddressScan::progress, [&](int done, int, int) {
        if (done == 1)
            line.scan.Cancel();
    });
    ASSERT_TRUE(line.scan.Start(0, 255));
    ASSERT_TRUE(WaitUntil([&] { return !line.ends.empty(); }, 5000));
    EXPECT_EQ(line.ends, std::vector<AddressScan::End>{AddressScan::End::Cancelled});
    EXPECT_EQ(line.scan.Done(), 1);
    testsupport::ServeEvents(2 * line.settings.NextTransmitTime);
    EXPECT_EQ(line.simulator.requests().size(), 1u);
}

TEST(AddressScan, EndsWhenThePortIsClosedAndRefusesBadRanges)
{
    ScanLine line({1});
    ASSERT_TRUE(line.port.Active());
    for (auto range : {std::pair{-1, 5}, std::pair{5, 4}, std::pair{0, 256}})
        EXPECT_FALSE(line.scan.Start(range.first, range.second)) << range.first << ".." << range.second;
    ASSERT_TRUE(line.scan.Start(0, 255));
    ASSERT_TRUE(WaitUntil([&] { return line.scan.Done() == 2; }, 5000));
    line.port.ClosePort();
    ASSERT_TRUE(WaitUntil([&] { return !line.ends.empty(); }));
    EXPECT_EQ(line.ends, std::vector<AddressScan::End>{AddressScan::End::PortClosed});
    EXPECT_LE(line.scan.Done(), 3);
}

TEST(GaugeExchangeLine, FinishedRequestIsNotPurgedFromTheLineByTheNextExchange)
{
    // A frame the port has seen to its end may still be on its way to the gauges (a
    // pseudo-terminal, an adapter's buffer); purging the output queue before the next request
    // would lose it.
    LinkSettings settings;
    settings.ResponseWaitTime = 30;
    ScriptedPort port;
    TransactionEngine engine{port, settings};
    port.engine = &engine;
    GaugeExchange exchange{engine, port};
    int outcomes = 0;
    int purgesAfterFirst = -1;
    for (std::uint8_t address : {1, 2}) {
        ASSERT_TRUE(exchange.Start(address, 1, {}, [&](const ExchangeOutcome &) { ++outcomes; }));
        ASSERT_TRUE(WaitUntil([&] { return outcomes == address; }));
        if (address == 1)
            purgesAfterFirst = port.outputPurges;
    }
    EXPECT_EQ(port.outputPurges, purgesAfterFirst);
    EXPECT_EQ(port.written.size(), 24u);
}
