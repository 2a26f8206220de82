#pragma once
// One exchange with one gauge at a time: the request is framed, traced and sent with RTS raised;
// the answer is collected as it arrives and evaluated when the exchange's response timer expires.
#include "link/frame.h"
#include "link/link_settings.h"
#include "link/port_operations.h"
#include "link/response_view.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTime>

#include <array>
#include <cstdint>
#include <functional>

class QTimer;

namespace orv {

// A single exchange belongs to neither page: its outcome goes to one hook (the address scan,
// the command-line poller), so the pages' tables and files stay untouched.
enum ExchangeModes : std::uint8_t { NoExchangeYet = 0, SetupExchange = 1, RegistrationExchange = 2, SingleExchange = 3 };

// What the engine asks of the pages around it. Unset hooks are skipped.
struct ExchangeHooks {
    // Setup mode, accepted answer: enable the Start button and fill the columns that do not
    // depend on the command; after the decoder: add a row and advance the result row.
    std::function<void(const ResponseView &)> setupAnswerHead;
    std::function<void(const ResponseView &)> setupAnswerTail;
    // Setup mode, failed exchange.
    std::function<int()> attemptLimit;                    // the "Число попыток" field
    std::function<void()> setupGiveUp;                    // "Нет ответа от прибора", Start enabled
    std::function<void()> setupRepeat;                    // run the Start handler again
    std::function<void()> setupFailureMarks;              // fixed-current lamps of a failed exchange
    // Registration mode.
    std::function<void(int slot)> registrationTimeout;
    std::function<void()> refreshStatusLamps;
    // Single-exchange mode: the accepted answer, or nullptr when none was accepted.
    std::function<void(const ResponseView *answer)> singleOutcome;
    // The port failed under an operation (unplugged adapter, driver error).
    std::function<void(const QString &message)> portFault;
};

class TransactionEngine : public QObject {
    Q_OBJECT
public:
    using Decoder = std::function<void(const ResponseView &)>;
    using TraceSink = std::function<void(const QString &line)>;

    TransactionEngine(PortOperations &port, const LinkSettings &settings, QObject *parent = nullptr);

    // --- request state, filled by builders before every send ---
    std::uint8_t RequestCommand = 0;
    std::uint8_t RequestByteCount = 0;
    std::uint8_t PollingAddress = 0;
    std::uint8_t ExchangeMode = NoExchangeYet;
    RequestFrameBuffer RequestFrame{};
    std::uint8_t *RequestData() { return RequestFrame.data() + RequestHeaderSize; }
    const std::uint8_t *RequestData() const { return RequestFrame.data() + RequestHeaderSize; }

    // --- receive state ---
    ResponseBufferArray ResponseBuffer{};   // positions 1..59
    int ReceivedCount = 0;
    std::uint8_t PreambleRepair = 0;
    int FrameLength = 0;

    // --- attempt bookkeeping and flags ---
    std::uint8_t RetryCounter = 1;
    bool SendSuppressed = false;
    bool TxEmptyFlag = false;
    bool TransmitInProgress = false;
    bool FirstByteTimingPending = false;
    std::uint8_t CurrentSlotIndex = 1;
    // Longest wait for the end of transmission before the exchange is given up; the main window
    // sets it from the line rate so that a slow rate never trips it.
    int TxEmptyLimitMs = 2000;

    QTimer *Timer3() const { return timer3_; }
    QTimer *SlotTimer(int slot) const;   // Timer4 (slot 1) .. Timer13 (slot 10)

    void SetTraceSink(TraceSink sink) { trace_ = std::move(sink); }
    void SetHooks(ExchangeHooks hooks) { hooks_ = std::move(hooks); }
    // Each page fills in the hooks it answers for.
    ExchangeHooks &Hooks() { return hooks_; }
    void SetClock(std::function<QTime()> clock) { clock_ = std::move(clock); }
    // The dispatch table: the decoder of an answer command in each mode. The setup page fills the
    // setup half, the registration page the registration half.
    void SetSetupDecoder(std::uint8_t command, Decoder decoder);
    void SetRegistrationDecoder(std::uint8_t command, Decoder decoder);

    // Receive buffer positions 1..59 and the counter back to zero.
    void ClearReceiveBuffer();
    // Arms Timer3 with the response wait and sends: the last step of the setup Start button.
    void StartSetupExchange();
    // The send step of every dialog button: request, counter reset, Timer3, send.
    void StartDialogExchange(std::uint8_t command, std::uint8_t byteCount, const std::uint8_t *data);
    // Arms the response timer of a registration slot and sends.
    void StartRegistrationExchange(int slot);

    // Discards what the port holds before a new request: everything received, and what may still
    // wait to be sent of an earlier frame that did not finish.
    void PurgeLine();

    // Frames the request, transmits it and traces it; returns when the frame is out and the
    // post-transmit waits are over. A frame still on the line (this call was made from inside its
    // waits) is seen to its end first, so no request is ever lost to another one.
    void SendRequest();
    // Evaluates the collected bytes when a response timer expires.
    void Soobchenie(QTimer *sender);
    void DispatchResponse();

    // A frame holds the line: from RTS raised until RTS dropped.
    bool Sending() const { return line_.frame != 0; }

public slots:
    void VaComm1RxChar(int count);
    void VaComm1OnTxEmpty();
    // The port reported its device gone: a frame on the line will not get out.
    void VaComm1PortLost();

private:
    // The frame on the line, from RTS raised to RTS dropped. There is one line, so one at a time.
    struct LineState {
        std::uint64_t frame = 0;     // 0: the line is free
        QTimer *timer = nullptr;     // the response timer of the frame's exchange
        bool txEmpty = false;        // the port has reported the frame's end
        bool portLost = false;       // the port reported its device gone meanwhile
        QElapsedTimer written;       // since the last byte was handed to the port
        QElapsedTimer sinceTxEmpty;
    };

    void ResponseTimeOver(QTimer *timer);
    void CollectWaitingBytes();
    bool Transmit(const RequestFrameBuffer &frame, int length, QTimer *timer);
    void TraceRequest(const RequestFrameBuffer &frame, int byteCount);
    void FinishFrame();
    void AbandonFrame();
    void ReleaseLine(const QString &reason);
    QString LineFault() const;
    void FailExchange(QTimer *timer);
    void Trace(const QString &line);
    void TraceRejected(const QString &reason);
    void ReportPortFault(const QString &message);
    void FailureFollowUp();
    QTime Now() const;

    PortOperations &port_;
    const LinkSettings &settings_;
    QTimer *timer3_ = nullptr;
    std::array<QTimer *, 10> slotTimers_{};
    std::array<Decoder, 256> setupDecoders_{};
    std::array<Decoder, 256> registrationDecoders_{};
    ExchangeHooks hooks_;
    TraceSink trace_;
    std::function<QTime()> clock_;
    QTime sendTime_;
    LineState line_;
    std::uint64_t framesSent_ = 0;
    // The last frame did not finish, so part of it may still wait in the output queue.
    bool outputMayHoldBytes_ = true;
    std::array<std::uint8_t, 4096> scratch_{};
};

} // namespace orv
