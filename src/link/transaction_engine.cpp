#include "link/transaction_engine.h"

#include "link/trace_text.h"
#include "link/value_text.h"

#include <QTimer>

#include <algorithm>

namespace orv {

namespace {

// A timer never gets an interval below 1 ms: zero would fire at every turn of the event loop.
int ResponseInterval(const LinkSettings &settings) { return std::max(1, settings.ResponseWaitTime); }

} // namespace

TransactionEngine::TransactionEngine(PortOperations &port, const LinkSettings &settings, QObject *parent)
    : QObject(parent), port_(port), settings_(settings)
{
    setObjectName(QStringLiteral("TransactionEngine"));
    const auto makeTimer = [this](const QString &name) {
        auto *timer = new QTimer(this);
        timer->setObjectName(name);
        // A coarse timer may fire up to 5 % early, which would eat the gap between the response
        // wait and the poll spacing.
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(ResponseInterval(settings_));
        connect(timer, &QTimer::timeout, this, [this, timer] {
            timer->stop();
            ResponseTimeOver(timer);
        });
        return timer;
    };
    timer3_ = makeTimer(QStringLiteral("Timer3"));
    for (int slot = 1; slot <= 10; ++slot)
        slotTimers_[static_cast<std::size_t>(slot - 1)] = makeTimer(QStringLiteral("Timer%1").arg(slot + 3));
}

QTimer *TransactionEngine::SlotTimer(int slot) const
{
    if (slot < 1 || slot > 10)
        return nullptr;
    return slotTimers_[static_cast<std::size_t>(slot - 1)];
}

void TransactionEngine::SetSetupDecoder(std::uint8_t command, Decoder decoder)
{
    setupDecoders_[command] = std::move(decoder);
}

void TransactionEngine::SetRegistrationDecoder(std::uint8_t command, Decoder decoder)
{
    registrationDecoders_[command] = std::move(decoder);
}

void TransactionEngine::SetLine(const LineSettings &line)
{
    txEmptyLimitMs_ = TransmitEndLimitMs(line);
}

void TransactionEngine::ClearReceiveBuffer()
{
    receivedCount_ = 0;
    responseBuffer_.fill(0);
}

void TransactionEngine::StartExchange(const ExchangeRequest &request)
{
    Start(request, request.mode == RegistrationExchange ? SlotTimer(request.slot) : timer3_);
}

void TransactionEngine::StartDialogExchange(std::uint8_t command, const std::vector<std::uint8_t> &data)
{
    ExchangeRequest request = request_;
    request.command = command;
    request.SetData(data.data(), data.size());
    receivedCount_ = 0;
    Start(request, timer3_);
}

void TransactionEngine::Start(const ExchangeRequest &request, QTimer *timer)
{
    request_ = request;
    if (timer) {
        timer->setInterval(ResponseInterval(settings_));
        timer->start();
    }
    SendRequest();
}

QTime TransactionEngine::Now() const
{
    return clock_ ? clock_() : QTime::currentTime();
}

void TransactionEngine::Trace(const QString &line)
{
    if (trace_)
        trace_(line);
}

void TransactionEngine::ReportPortFault(const QString &message)
{
    Trace(QStringLiteral("Ошибка порта: ") + message);
}

void TransactionEngine::SendRequest()
{
    const int n = request_.byteCount;
    // Framed now: whatever runs inside the waits below may start another exchange.
    RequestFrameBuffer frame{};
    std::copy_n(request_.data.begin(), n, frame.begin() + RequestHeaderSize);
    const int length = CompleteRequestFrame(frame, request_.address, request_.command, static_cast<std::uint8_t>(n));
    QTimer *timer = request_.mode == RegistrationExchange ? SlotTimer(request_.slot) : timer3_;

    // The line carries one frame at a time. A frame still on it belongs to a call waiting further
    // down (this one runs inside its waits: a late timer, a window opened there); that frame is
    // seen to its end here, and this request goes out after it instead of being lost.
    while (line_.frame != 0)
        FinishFrame();
    if (!Transmit(frame, length, timer)) {
        FailExchange(timer);
        return;
    }
    TraceRequest(frame, n);
    FinishFrame();
}

void TransactionEngine::VaComm1RxChar(int count)
{
    if (firstByteTimingPending_)
        Trace(FirstByteTraceLine(sendTime_, Now()));
    firstByteTimingPending_ = false;

    int got = 0;
    try {
        got = port_.ReadBytes(scratch_.data(), std::min<int>(count, static_cast<int>(scratch_.size())));
    } catch (const EVaCommError &error) {
        ReportPortFault(error.message());
        return;
    }
    Receive(scratch_.data(), got);
}

void TransactionEngine::Receive(const std::uint8_t *bytes, int count)
{
    if (count <= 0)
        return;
    if (receivedCount_ + count > ReceiveLimit) {
        port_.PurgeInput();
        receivedCount_ = 0;
        Trace(QStringLiteral("Большой объем данных в буфере приемника"));
        return;
    }
    std::copy_n(bytes, count, responseBuffer_.begin() + receivedCount_ + 1);
    receivedCount_ += count;
}

void TransactionEngine::TraceRejected(const QString &reason)
{
    Trace(reason);
    Trace(QStringLiteral("Неверное сообщение:"));
    Trace(ByteListText(responseBuffer_.data() + 1, receivedCount_));
}

void TransactionEngine::Soobchenie(QTimer * /*sender*/)
{
    preambleRepair_ = 0;
    const ResponseCheck check = CheckResponse(responseBuffer_, receivedCount_);
    preambleRepair_ = static_cast<std::uint8_t>(check.preambleRepair);
    switch (check.verdict) {
    case ResponseVerdict::Accepted:
        receivedCount_ = 0;
        frameLength_ = check.frameLength;
        Trace(QStringLiteral("Количество принятых байт: ") + QString::number(frameLength_ - preambleRepair_));
        DispatchResponse();
        break;
    case ResponseVerdict::NothingReceived:
        Trace(QStringLiteral("Отсутствует ответное сообщение"));
        FailureFollowUp();
        break;
    case ResponseVerdict::NoPreamble:
        TraceRejected(QStringLiteral("Отсутствует преамбула сообщения"));
        FailureFollowUp();
        break;
    case ResponseVerdict::TooShort:
        TraceRejected(QStringLiteral("Недостаточное количество данных"));
        FailureFollowUp();
        break;
    case ResponseVerdict::WrongLength:
        TraceRejected(QStringLiteral("Ошибка длины принятого сообщения"));
        FailureFollowUp();
        break;
    case ResponseVerdict::WrongChecksum:
        TraceRejected(QStringLiteral("Ошибка контрольной суммы"));
        FailureFollowUp();
        break;
    }
    Trace(QString());
}

void TransactionEngine::FailureFollowUp()
{
    if (request_.mode == SetupExchange) {
        Trace(QStringLiteral("Истекло время ожидания..."));
        const int attemptLimit = hooks_.attemptLimit ? hooks_.attemptLimit() : 1;
        retryCounter_ = static_cast<std::uint8_t>(retryCounter_ + 1);
        if (retryCounter_ > attemptLimit) {
            if (hooks_.setupGiveUp)
                hooks_.setupGiveUp();
            retryCounter_ = 1;
        } else {
            Trace(QStringLiteral("Попытка №") + QString::number(retryCounter_));
            receivedCount_ = 0;
            if (hooks_.setupRepeat)
                hooks_.setupRepeat();
        }
        if (hooks_.setupFailureMarks)
            hooks_.setupFailureMarks();
    } else if (request_.mode == RegistrationExchange) {
        if (hooks_.registrationTimeout)
            hooks_.registrationTimeout(request_.slot);
    } else if (request_.mode == SingleExchange) {
        if (hooks_.singleOutcome)
            hooks_.singleOutcome(nullptr);
    }
}

void TransactionEngine::DispatchResponse()
{
    if (frameLength_ > ReceiveLimit)
        return;
    const ResponseView view{responseBuffer_.data() + 1, frameLength_};
    if (request_.mode == SetupExchange) {
        timer3_->stop();
        Trace(QStringLiteral("Получен ответ:"));
        Trace(ByteListText(view.first, frameLength_));
        if (hooks_.setupAnswerHead)
            hooks_.setupAnswerHead(view);
        if (const Decoder &decoder = setupDecoders_[view.Command()])
            decoder(view);
        if (hooks_.setupAnswerTail)
            hooks_.setupAnswerTail(view);
    } else if (request_.mode == RegistrationExchange) {
        Trace(QStringLiteral("Режим регистрации. Получен ответ:"));
        Trace(ByteListText(view.first + preambleRepair_, frameLength_ - preambleRepair_));
        if (const Decoder &decoder = registrationDecoders_[view.Command()])
            decoder(view);
        if (hooks_.refreshStatusLamps)
            hooks_.refreshStatusLamps();
    } else if (request_.mode == SingleExchange) {
        timer3_->stop();
        Trace(QStringLiteral("Получен ответ:"));
        Trace(ByteListText(view.first + preambleRepair_, frameLength_ - preambleRepair_));
        if (hooks_.singleOutcome)
            hooks_.singleOutcome(&view);
    }
}

} // namespace orv
