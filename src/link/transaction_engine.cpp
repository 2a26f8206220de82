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

void TransactionEngine::ClearReceiveBuffer()
{
    ReceivedCount = 0;
    ResponseBuffer.fill(0);
}

void TransactionEngine::StartSetupExchange()
{
    timer3_->setInterval(ResponseInterval(settings_));
    timer3_->start();
    SendRequest();
}

void TransactionEngine::StartDialogExchange(std::uint8_t command, std::uint8_t byteCount, const std::uint8_t *data)
{
    RequestCommand = command;
    RequestByteCount = byteCount;
    if (data)
        std::copy_n(data, std::min<int>(byteCount, MaxRequestDataBytes), RequestData());
    ReceivedCount = 0;
    StartSetupExchange();
}

void TransactionEngine::StartRegistrationExchange(int slot)
{
    if (QTimer *timer = SlotTimer(slot)) {
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
    if (hooks_.portFault)
        hooks_.portFault(message);
}

void TransactionEngine::SendRequest()
{
    const int n = std::min<int>(RequestByteCount, MaxRequestDataBytes);
    const int length = CompleteRequestFrame(RequestFrame, PollingAddress, RequestCommand, static_cast<std::uint8_t>(n));
    // Fixed now: whatever runs inside the waits below may fill the request for another exchange.
    const RequestFrameBuffer frame = RequestFrame;
    QTimer *timer = ExchangeMode == RegistrationExchange ? SlotTimer(CurrentSlotIndex) : timer3_;

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
    if (FirstByteTimingPending)
        Trace(FirstByteTraceLine(sendTime_, Now()));
    FirstByteTimingPending = false;

    int got = 0;
    try {
        got = port_.ReadBytes(scratch_.data(), std::min<int>(count, static_cast<int>(scratch_.size())));
    } catch (const EVaCommError &error) {
        ReportPortFault(error.message());
        return;
    }
    if (got <= 0)
        return;
    if (ReceivedCount + got > ReceiveLimit) {
        port_.PurgeInput();
        ReceivedCount = 0;
        Trace(QStringLiteral("Большой объем данных в буфере приемника"));
        return;
    }
    std::copy_n(scratch_.begin(), got, ResponseBuffer.begin() + ReceivedCount + 1);
    ReceivedCount += got;
}

void TransactionEngine::TraceRejected(const QString &reason)
{
    Trace(reason);
    Trace(QStringLiteral("Неверное сообщение:"));
    Trace(ByteListText(ResponseBuffer.data() + 1, ReceivedCount));
}

void TransactionEngine::Soobchenie(QTimer * /*sender*/)
{
    PreambleRepair = 0;
    const ResponseCheck check = CheckResponse(ResponseBuffer, ReceivedCount);
    PreambleRepair = static_cast<std::uint8_t>(check.preambleRepair);
    switch (check.verdict) {
    case ResponseVerdict::Accepted:
        ReceivedCount = 0;
        FrameLength = check.frameLength;
        Trace(QStringLiteral("Количество принятых байт: ") + QString::number(FrameLength - PreambleRepair));
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
    if (ExchangeMode == SetupExchange) {
        Trace(QStringLiteral("Истекло время ожидания..."));
        const int attemptLimit = hooks_.attemptLimit ? hooks_.attemptLimit() : 1;
        RetryCounter = static_cast<std::uint8_t>(RetryCounter + 1);
        if (RetryCounter > attemptLimit) {
            if (hooks_.setupGiveUp)
                hooks_.setupGiveUp();
            RetryCounter = 1;
        } else {
            Trace(QStringLiteral("Попытка №") + QString::number(RetryCounter));
            ReceivedCount = 0;
            if (hooks_.setupRepeat)
                hooks_.setupRepeat();
        }
        if (hooks_.setupFailureMarks)
            hooks_.setupFailureMarks();
    } else if (ExchangeMode == RegistrationExchange) {
        if (hooks_.registrationTimeout)
            hooks_.registrationTimeout(CurrentSlotIndex);
    } else if (ExchangeMode == SingleExchange) {
        if (hooks_.singleOutcome)
            hooks_.singleOutcome(nullptr);
    }
}

void TransactionEngine::DispatchResponse()
{
    if (FrameLength > ReceiveLimit)
        return;
    const ResponseView view{ResponseBuffer.data() + 1, FrameLength};
    if (ExchangeMode == SetupExchange) {
        timer3_->stop();
        Trace(QStringLiteral("Получен ответ:"));
        Trace(ByteListText(view.first, FrameLength));
        if (hooks_.setupAnswerHead)
            hooks_.setupAnswerHead(view);
        if (const Decoder &decoder = setupDecoders_[view.Command()])
            decoder(view);
        if (hooks_.setupAnswerTail)
            hooks_.setupAnswerTail(view);
    } else if (ExchangeMode == RegistrationExchange) {
        Trace(QStringLiteral("Режим регистрации. Получен ответ:"));
        Trace(ByteListText(view.first + PreambleRepair, FrameLength - PreambleRepair));
        if (const Decoder &decoder = registrationDecoders_[view.Command()])
            decoder(view);
        if (hooks_.refreshStatusLamps)
            hooks_.refreshStatusLamps();
    } else if (ExchangeMode == SingleExchange) {
        timer3_->stop();
        Trace(QStringLiteral("Получен ответ:"));
        Trace(ByteListText(view.first + PreambleRepair, FrameLength - PreambleRepair));
        if (hooks_.singleOutcome)
            hooks_.singleOutcome(&view);
    }
}

} // namespace orv
