#include "bus/gauge_exchange.h"

#include "link/port_operations.h"
#include "link/transaction_engine.h"

#include <QTimer>

namespace orv {

GaugeExchange::GaugeExchange(TransactionEngine &engine, PortOperations &port, QObject *parent)
    : QObject(parent), engine_(engine), engineAlive_(&engine), port_(port)
{
}

GaugeExchange::~GaugeExchange()
{
    if (!engineAlive_)
        return;
    engine_.Hooks().singleOutcome = nullptr;
    if (running_ && restore_)
        restore_();
}

bool GaugeExchange::PortOpen() const
{
    return port_.Active();
}

bool GaugeExchange::LineBusy() const
{
    if (running_ || engine_.Sending() || engine_.TransmitInProgress() || engine_.Timer3()->isActive())
        return true;
    for (int slot = 1; slot <= 10; ++slot) {
        if (engine_.SlotTimer(slot)->isActive())
            return true;
    }
    return false;
}

bool GaugeExchange::Start(std::uint8_t address, std::uint8_t command, const std::vector<std::uint8_t> &data,
                          Done done)
{
    if (LineBusy())
        return false;
    // What the pages left in the engine: the device dialogs send to the address of the last setup
    // Start in the mode it set, and the registration page reads the request of the last poll.
    restore_ = [this, saved = engine_.CurrentRequest()] { engine_.RestoreRequest(saved); };
    running_ = true;
    done_ = std::move(done);
    outcome_ = ExchangeOutcome{};
    outcome_.address = address;
    outcome_.command = command;

    // A late answer to an earlier request must not be taken for this one. The engine's purge
    // keeps an earlier request that is still on its way to the gauges.
    engine_.PurgeLine();
    engine_.ClearReceiveBuffer();
    engine_.Hooks().singleOutcome = [this](const ResponseView *answer) { Finish(answer); };
    engine_.StartExchange(ExchangeRequest::Make(SingleExchange, address, command, data));
    return true;
}

void GaugeExchange::Finish(const ResponseView *answer)
{
    if (!running_)
        return;
    // An answer from another address (two gauges sharing one, a stray frame) is no answer to us.
    if (answer && answer->PollingAddress() == outcome_.address && answer->Command() == outcome_.command) {
        outcome_.answered = true;
        outcome_.frame.assign(answer->first, answer->first + answer->length);
    }
    engine_.Hooks().singleOutcome = nullptr;
    if (restore_)
        restore_();
    restore_ = nullptr;
    // The engine is still inside its evaluation, perhaps even inside the waits of its send (a
    // response wait shorter than the frame); the outcome is handed over once it is out of both.
    QTimer::singleShot(0, this, &GaugeExchange::Deliver);
}

void GaugeExchange::Deliver()
{
    if (engine_.Sending()) {
        QTimer::singleShot(1, this, &GaugeExchange::Deliver);
        return;
    }
    running_ = false;
    Done done = std::move(done_);
    done_ = nullptr;
    if (done)
        done(outcome_);
}

} // namespace orv
