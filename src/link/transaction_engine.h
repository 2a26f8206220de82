#pragma once
// One exchange with one gauge at a time: the request is framed, traced and sent with RTS raised;
// the answer is collected as it arrives and evaluated when the exchange's response timer expires.
#include "link/exchange_request.h"
#include "link/frame.h"
#include "link/link_settings.h"
#include "link/port_operations.h"
#include "link/response_view.h"
#include "link/serial_line_settings.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTime>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QTimer;

namespace orv {

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
};

class TransactionEngine : public QObject {
    Q_OBJECT
public:
    using Decoder = std::function<void(const ResponseView &)>;
    using TraceSink = std::function<void(const QString &line)>;

    TransactionEngine(PortOperations &port, const LinkSettings &settings, QObject *parent = nullptr);

    // --- exchanges ---
    // The request becomes the current one; its response timer (Timer3, in registration mode the
    // slot's) is armed and the request is sent.
    void StartExchange(const ExchangeRequest &request);
    // The send step of every device dialog button: the command and data go to the gauge of the
    // current request in its mode, with whatever was received so far dropped, on Timer3.
    void StartDialogExchange(std::uint8_t command, const std::vector<std::uint8_t> &data = {});
    // Evaluates what has been collected, as the expiry of the given response timer does.
    void Soobchenie(QTimer *sender);

    // --- the request ---
    // The request last started, or the one a page has prepared (mode, address) for the next.
    const ExchangeRequest &CurrentRequest() const { return request_; }
    ExchangeModes Mode() const { return request_.mode; }
    // The page the user works with takes the engine: answers and failures are evaluated in its
    // mode from now on, also those of an exchange still waiting for its answer.
    void EnterMode(ExchangeModes mode) { request_.mode = mode; }
    // The gauge the setup page talks to: the address typed for its Start button, which the
    // device dialogs' exchanges go to as well.
    void SelectGauge(std::uint8_t address) { request_.address = address; }
    // Puts back the request a single exchange has replaced, so the pages find it as they left it.
    void RestoreRequest(const ExchangeRequest &request) { request_ = request; }

    // --- attempts of a setup exchange ---
    // 1 on a first attempt, counting up while an unanswered request is repeated.
    int Attempt() const { return retryCounter_; }
    void ResetAttempts() { retryCounter_ = 1; }

    // --- the line ---
    // A frame holds the line: from RTS raised until RTS dropped.
    bool Sending() const { return line_.frame != 0; }
    // The engine waits for the port to report the end of a transmission.
    bool TransmitInProgress() const { return transmitInProgress_; }
    // The wait for the end of a transmission is bounded from the line's rate and character
    // format, so that a slow rate never trips it.
    void SetLine(const LineSettings &line);
    // Discards what the port holds before a new request: everything received, and what may still
    // wait to be sent of an earlier frame that did not finish.
    void PurgeLine();

    // --- the answer ---
    // Bytes as they came off the line, added to the answer being collected.
    void Receive(const std::uint8_t *bytes, int count);
    // What has been collected no longer counts; the next bytes start a new answer.
    void DiscardReceived() { receivedCount_ = 0; }
    // Receive buffer positions 1..59 and the counter back to zero.
    void ClearReceiveBuffer();
    // The answer accepted last (its bytes stay until the next one is collected).
    ResponseView LastAnswer() const { return ResponseView{responseBuffer_.data() + 1, frameLength_}; }

    // --- timers, hooks and decoders ---
    QTimer *Timer3() const { return timer3_; }
    QTimer *SlotTimer(int slot) const;   // Timer4 (slot 1) .. Timer13 (slot 10)

    void SetTraceSink(TraceSink sink) { trace_ = std::move(sink); }
    void SetHooks(ExchangeHooks hooks) { hooks_ = std::move(hooks); }
    // Each page fills in the hooks it answers for.
    ExchangeHooks &Hooks() { return hooks_; }
    void SetClock(std::function<QTime()> clock) { clock_ = std::move(clock); }
    // The dispatch table: the decoder of an answer command in each mode, filled once when the
    // windows are made (the setup answers of the gauge's commands, the registration page's).
    void SetSetupDecoder(std::uint8_t command, Decoder decoder);
    void SetRegistrationDecoder(std::uint8_t command, Decoder decoder);

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

    void Start(const ExchangeRequest &request, QTimer *timer);
    // Frames the request, transmits it and traces it; returns when the frame is out and the
    // post-transmit waits are over. A frame still on the line (this call was made from inside its
    // waits) is seen to its end first, so no request is ever lost to another one.
    void SendRequest();
    void DispatchResponse();
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

    ExchangeRequest request_;
    // What has arrived of the answer, positions 1..59; the last accepted answer stays there.
    ResponseBufferArray responseBuffer_{};
    int receivedCount_ = 0;
    std::uint8_t preambleRepair_ = 0;
    int frameLength_ = 0;
    std::uint8_t retryCounter_ = 1;
    bool txEmptyFlag_ = false;
    bool transmitInProgress_ = false;
    bool firstByteTimingPending_ = false;
    // Longest wait for the end of transmission before the exchange is given up.
    int txEmptyLimitMs_ = 2000;
};

} // namespace orv
