#pragma once
// One exchange with one gauge through the transaction engine, its outcome handed to a callback.
// The address scan and the command-line poller reach the engine only through this class, so
// the engine's interface can change under it without them noticing.
#include "link/response_view.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <vector>

namespace orv {

class PortOperations;
class TransactionEngine;

struct ExchangeOutcome {
    std::uint8_t address = 0;
    std::uint8_t command = 0;
    bool answered = false;           // an answer was accepted (length and checksum right)
    std::vector<std::uint8_t> frame;  // the accepted frame, protocol positions 1..length

    ResponseView View() const { return ResponseView{frame.data(), static_cast<int>(frame.size())}; }
};

class GaugeExchange : public QObject {
    Q_OBJECT
public:
    GaugeExchange(TransactionEngine &engine, PortOperations &port, QObject *parent = nullptr);
    ~GaugeExchange() override;

    using Done = std::function<void(const ExchangeOutcome &outcome)>;

    // Another exchange is on the line or awaits its answer (a setup exchange, a poll, ours).
    bool LineBusy() const;
    // Sends the request and, once the response wait is over, calls `done` from the event loop
    // (never from inside the engine). False, with nothing sent, while the line is busy.
    // The engine's request and mode are restored afterwards, so the pages find them as they left them.
    bool Start(std::uint8_t address, std::uint8_t command, const std::vector<std::uint8_t> &data, Done done);
    bool Running() const { return running_; }
    bool PortOpen() const;

private:
    void Finish(const ResponseView *answer);
    void Deliver();

    TransactionEngine &engine_;
    // The window that owns this object may destroy the engine before its child widgets (and so
    // before this): then there is no hook left to clear and no state to restore.
    QPointer<TransactionEngine> engineAlive_;
    PortOperations &port_;
    bool running_ = false;
    ExchangeOutcome outcome_;
    Done done_;
    std::function<void()> restore_;
};

} // namespace orv
