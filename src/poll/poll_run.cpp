#include "poll/poll_run.h"

#include "bus/gauge_exchange.h"
#include "gauge/survey_line.h"
#include "poll/reading_format.h"

#include <QTimer>

namespace orv {

QString SurveyBaseOf(const QString &surveyName)
{
    return surveyName.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive) ? SurveyBaseName(surveyName) : surveyName;
}

PollRun::PollRun(GaugeExchange &exchange, const PollOptions &options, LineSink output, LineSink errors,
                 QObject *parent)
    : QObject(parent), exchange_(exchange), options_(options), output_(std::move(output)),
      errors_(std::move(errors)), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &PollRun::PollNext);
    for (std::size_t i = 0; i < 4; ++i) {
        selection_.requestedCodes[i] = options_.variables[i];
        selection_.selectedPositions[i] = PositionOfVariableCode(options_.variables[i]);
    }
    if (options_.command == 33)
        requestData_.assign(options_.variables.begin(), options_.variables.end());
}

PollRun::~PollRun() = default;

bool PollRun::CreateSurveyFiles(QString *error)
{
    if (options_.surveyName.isEmpty())
        return true;
    const QString base = SurveyBaseOf(options_.surveyName);
    const QDateTime created = Now();
    for (std::size_t i = 0; i < options_.addresses.size(); ++i) {
        const int slot = static_cast<int>(i) + 1;
        if (!survey_.Create(slot, SurveyFileName(base, slot), created, options_.addresses[i], error)) {
            survey_.CloseAll();
            return false;
        }
    }
    return true;
}

void PollRun::Start()
{
    running_ = true;
    const QString header = ReadingHeader(options_.format);
    if (!header.isEmpty())
        output_(header);
    next_ = 0;
    cycleClock_.start();
    PollNext();
}

void PollRun::Stop()
{
    if (!running_)
        return;
    stopping_ = true;
    if (!exchange_.Running())
        Finish();
}

void PollRun::PortLost()
{
    lost_ = true;
    Stop();
}

void PollRun::PollNext()
{
    if (!running_)
        return;
    if (stopping_)
        return Finish();
    if (!exchange_.PortOpen()) {
        lost_ = true;
        return Finish();
    }
    if (next_ == 0)
        cycleClock_.start();
    sendClock_.start();
    const bool sent = exchange_.Start(options_.addresses[next_], options_.command, requestData_,
                                      [this](const ExchangeOutcome &outcome) { Outcome(outcome); });
    if (!sent) {
        errors_(QStringLiteral("линия занята: запрос не отправлен"));
        lost_ = true;
        Finish();
    }
}

void PollRun::Outcome(const ExchangeOutcome &outcome)
{
    const QDateTime now = Now();
    const std::size_t index = next_;
    Reading reading;
    reading.time = now;
    reading.address = outcome.address;
    reading.command = outcome.command;
    reading.answered = outcome.answered;
    reading.frame = outcome.frame;
    for (const QString &line : ReadingLines(reading, selection_, options_.format))
        output_(line);
    if (outcome.answered)
        WriteSurveyLine(index, outcome, now);
    else
        silence_ = true;

    ++next_;
    qint64 wait = options_.link.NextTransmitTime - sendClock_.elapsed();
    if (next_ >= options_.addresses.size()) {
        next_ = 0;
        ++cyclesDone_;
        if (options_.count > 0 && cyclesDone_ >= options_.count)
            return Finish();
        // The next cycle starts one period after this one, and never sooner than the spacing allows.
        wait = std::max(wait, options_.periodMs - cycleClock_.elapsed());
    }
    if (stopping_)
        return Finish();
    timer_->start(static_cast<int>(std::max<qint64>(0, wait)));
}

void PollRun::WriteSurveyLine(std::size_t index, const ExchangeOutcome &outcome, const QDateTime &now)
{
    const int slot = static_cast<int>(index) + 1;
    if (!survey_.IsOpen(slot))
        return;
    // Piece by piece, as the registration page writes them: a program that dies loses at most
    // the line it was writing.
    for (const QString &piece : SurveyLinePieces(outcome.View(), selection_, now)) {
        QString error;
        if (!survey_.Append(slot, piece, &error)) {
            errors_(error);
            return;
        }
    }
}

void PollRun::Finish()
{
    if (!running_)
        return;
    running_ = false;
    timer_->stop();
    survey_.CloseAll();
    emit finished(lost_ ? PortFailed : silence_ ? SomeSilent : AllAnswered);
}

} // namespace orv
