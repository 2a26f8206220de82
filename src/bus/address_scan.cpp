#include "bus/address_scan.h"

#include "bus/gauge_exchange.h"
#include "gauge/answer_fields.h"
#include "gauge/pressure_units.h"

#include <QTimer>

#include <algorithm>

namespace orv {

namespace {
constexpr std::uint8_t ReadPrimaryCommand = 1;
}

QString FoundPressureText(const FoundGauge &gauge, QChar decimalSeparator)
{
    const ResponseView answer{gauge.frame.data(), static_cast<int>(gauge.frame.size())};
    return AnswerFloatText(answer, 3, decimalSeparator);
}

QString FoundUnitText(const FoundGauge &gauge)
{
    const ResponseView answer{gauge.frame.data(), static_cast<int>(gauge.frame.size())};
    return PressureUnitText(AnswerByte(answer, 2)).screen;
}

AddressScan::AddressScan(GaugeExchange &exchange, const LinkSettings &settings, QObject *parent)
    : QObject(parent), exchange_(exchange), settings_(settings), spacing_(new QTimer(this))
{
    spacing_->setSingleShot(true);
    spacing_->setTimerType(Qt::PreciseTimer);
    connect(spacing_, &QTimer::timeout, this, &AddressScan::Next);
}

bool AddressScan::Start(int from, int to)
{
    if (running_ || from < 0 || to > 255 || from > to)
        return false;
    from_ = from;
    to_ = to;
    next_ = from;
    done_ = 0;
    found_.clear();
    cancelled_ = false;
    running_ = true;
    emit progress(0, Total(), 0);
    Next();
    return true;
}

void AddressScan::Cancel()
{
    if (!running_)
        return;
    cancelled_ = true;
    // Between two exchanges nothing is on the line: the scan ends now. During one, it ends with
    // that exchange's outcome.
    if (!exchange_.Running())
        Stop(End::Cancelled);
}

void AddressScan::Next()
{
    if (!running_)
        return;
    if (cancelled_)
        return Stop(End::Cancelled);
    if (next_ > to_)
        return Stop(End::Completed);
    if (!exchange_.PortOpen())
        return Stop(End::PortClosed);
    const auto address = static_cast<std::uint8_t>(next_);
    sinceSend_.start();
    const bool sent = exchange_.Start(address, ReadPrimaryCommand, {}, [this](const ExchangeOutcome &outcome) {
        ++done_;
        ++next_;
        if (outcome.answered)
            found_.push_back(FoundGauge{outcome.address, outcome.frame});
        emit progress(done_, Total(), static_cast<int>(found_.size()));
        if (!running_)
            return;   // cancelled from the progress report
        if (cancelled_)
            return Stop(End::Cancelled);
        // Requests are spaced as the registration page spaces its polls.
        const qint64 left = settings_.NextTransmitTime - sinceSend_.elapsed();
        spacing_->start(static_cast<int>(std::clamp<qint64>(left, 0, std::max(0, settings_.NextTransmitTime))));
    });
    if (!sent)
        Stop(End::LineBusy);
}

void AddressScan::Stop(End end)
{
    if (!running_)
        return;
    spacing_->stop();
    running_ = false;
    emit finished(end);
}

} // namespace orv
