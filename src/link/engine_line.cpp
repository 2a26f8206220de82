// The transaction engine's hold on the line: a frame is handed to the port with RTS raised, and
// the line is let go when the port has reported its end and the post-transmit waits are over, or
// when the exchange can no longer be answered.
#include "link/transaction_engine.h"

#include "link/trace_text.h"
#include "link/value_text.h"
#include "link/wait_microseconds.h"

#include <QThread>
#include <QTimer>

#include <algorithm>

namespace orv {

namespace {

QString TxEmptyMissing() { return QStringLiteral("Передача не завершена: порт не сообщил об окончании передачи"); }
QString PortClosedNotSent() { return QStringLiteral("Порт закрыт: сообщение не отправлено"); }

} // namespace

void TransactionEngine::PurgeLine()
{
    try {
        port_.PurgeInput();
        // A frame whose end the port has reported no longer waits in the output queue; on a
        // pseudo-terminal its bytes may still be on their way to the far end, and purging the
        // queue would lose a request that was sent. A frame still on the line is being sent.
        if (line_.frame == 0 && outputMayHoldBytes_) {
            port_.PurgeOutput();
            outputMayHoldBytes_ = false;
        }
    } catch (const EVaCommError &) {
        // A port that fails here fails again at the send, which reports it.
    }
}

bool TransactionEngine::Transmit(const RequestFrameBuffer &frame, int length, QTimer *timer)
{
    if (!port_.Active()) {
        Trace(PortClosedNotSent());
        return false;
    }
    line_ = LineState{};
    line_.frame = ++framesSent_;
    line_.timer = timer;
    try {
        port_.SetRtsLevel(true);
        firstByteTimingPending_ = true;
        sendTime_ = Now();
        for (int i = 0; i < length; ++i) {
            txEmptyFlag_ = false;
            if (!port_.WriteOneByte(frame[static_cast<std::size_t>(i)])) {
                firstByteTimingPending_ = false;
                ReleaseLine(PortClosedNotSent());
                return false;
            }
        }
    } catch (const EVaCommError &error) {
        // A frame the port refused is traced as the port's fault, not as a frame that was sent.
        firstByteTimingPending_ = false;
        ReportPortFault(error.message());
        ReleaseLine(QString());
        return false;
    }
    line_.written.start();
    return true;
}

void TransactionEngine::TraceRequest(const RequestFrameBuffer &frame, int n)
{
    const std::uint8_t *bytes = frame.data();
    Trace(QStringLiteral("ПЕРЕДАЧА:"));
    Trace(QStringLiteral("Время начала отправления сообщения: ") + LongTimeText(sendTime_) + QLatin1Char('.') +
          PadMilliseconds(sendTime_.msec()));
    Trace(QStringLiteral("Преамбула: ") + SpacedByteText(bytes, 3));
    Trace(QStringLiteral("Стартовый байт: ") + QString::number(bytes[3]));
    Trace(QStringLiteral("Адрес: ") + SpacedByteText(bytes + 4, 5));
    Trace(QStringLiteral("Команда: ") + QString::number(bytes[9]));
    Trace(QStringLiteral("Размер переданных байт: ") + QString::number(n));
    Trace(QStringLiteral("Данные: ") + ByteListText(bytes + RequestHeaderSize, n));
    Trace(QStringLiteral("Контрольная сумма: ") + QString::number(bytes[RequestHeaderSize + n]));
    Trace(QStringLiteral("ПРИЕМ:"));
}

void TransactionEngine::FinishFrame()
{
    // Another call made inside these waits may see this frame to its end, or its response time
    // may run out; then there is nothing left to do here.
    const std::uint64_t frame = line_.frame;
    const auto endedElsewhere = [this, frame] { return line_.frame != frame; };
    if (!line_.txEmpty) {
        transmitInProgress_ = true;
        const qint64 leftUs = static_cast<qint64>(txEmptyLimitMs_) * 1000 - line_.written.nsecsElapsed() / 1000;
        WaitMicroseconds(std::max<qint64>(leftUs, 0),
                         [&] { return txEmptyFlag_ || endedElsewhere() || !LineFault().isEmpty(); });
        if (endedElsewhere())
            return;
        transmitInProgress_ = false;
        if (!txEmptyFlag_) {
            AbandonFrame();
            return;
        }
        line_.txEmpty = true;
        line_.sinceTxEmpty.start();
    }
    if (settings_.PostTransmitDelay > 0) {
        const qint64 leftUs =
            static_cast<qint64>(settings_.PostTransmitDelay) * 1000 - line_.sinceTxEmpty.nsecsElapsed() / 1000;
        WaitMicroseconds(std::max<qint64>(leftUs, 0), [&] { return endedElsewhere() || !LineFault().isEmpty(); });
        if (endedElsewhere())
            return;
        // The frame is out, but with the port gone no answer can come.
        if (!LineFault().isEmpty()) {
            AbandonFrame();
            return;
        }
    }
    if (settings_.Rs485Mode && settings_.Rs485Delay > 0)
        QThread::msleep(static_cast<unsigned long>(settings_.Rs485Delay));
    line_.frame = 0;
    outputMayHoldBytes_ = false;
    try {
        port_.SetRtsLevel(false);
    } catch (const EVaCommError &error) {
        ReportPortFault(error.message());
    }
}

QString TransactionEngine::LineFault() const
{
    if (line_.portLost)
        return QStringLiteral("Передача прервана: устройство порта отключено");
    if (!port_.Active())
        return QStringLiteral("Передача прервана: порт закрыт");
    return QString();
}

void TransactionEngine::AbandonFrame()
{
    // The frame will not get out, or its answer cannot come: the line is let go and the exchange
    // is evaluated now, as its response timer would have done.
    QTimer *timer = line_.timer;
    const QString fault = LineFault();
    ReleaseLine(fault.isEmpty() ? TxEmptyMissing() : fault);
    FailExchange(timer);
}

void TransactionEngine::ReleaseLine(const QString &reason)
{
    if (!reason.isEmpty())
        Trace(reason);
    outputMayHoldBytes_ = !(line_.txEmpty || txEmptyFlag_);
    line_.frame = 0;
    transmitInProgress_ = false;
    try {
        port_.SetRtsLevel(false);
    } catch (const EVaCommError &) {
        // the port is already gone; nothing more to undo
    }
}

void TransactionEngine::FailExchange(QTimer *timer)
{
    // Unless its response timer has already run out, the exchange is evaluated now.
    if (timer && timer->isActive()) {
        timer->stop();
        Soobchenie(timer);
    }
}

void TransactionEngine::ResponseTimeOver(QTimer *timer)
{
    // The time for the answer is over while the exchange's frame still holds the line (its end
    // not reported, or a post-transmit wait longer than the response wait): the line is let go
    // first, so that the exchange's lines stay together and the next frame is not held up.
    if (line_.frame != 0 && line_.timer == timer)
        ReleaseLine(line_.txEmpty || txEmptyFlag_ ? QString() : TxEmptyMissing());
    CollectWaitingBytes();
    Soobchenie(timer);
}

void TransactionEngine::CollectWaitingBytes()
{
    // The port's report of received bytes comes from its own thread. On a busy machine the
    // response timer may be served before a report of bytes that reached the port in time;
    // those bytes are the answer and are read here rather than judged as silence.
    try {
        if (!port_.Active())
            return;
        if (const int waiting = port_.InputQueueCount(); waiting > 0)
            VaComm1RxChar(waiting);
    } catch (const EVaCommError &error) {
        ReportPortFault(error.message());
    }
}

void TransactionEngine::VaComm1OnTxEmpty()
{
    txEmptyFlag_ = true;
}

void TransactionEngine::VaComm1PortLost()
{
    if (line_.frame != 0)
        line_.portLost = true;
}

} // namespace orv
