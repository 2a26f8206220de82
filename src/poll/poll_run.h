#pragma once
// The poll loop of orvessa-poll: every cycle sends the command to each address in turn, spaced
// by the next-transmit time, turns each outcome into output lines and, with --survey, into the
// lines of the survey data files, exactly as the registration page writes them.
#include "gauge/measurement_decoders.h"
#include "gauge/survey_files.h"
#include "poll/poll_options.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>

#include <functional>
#include <vector>

class QTimer;

namespace orv {

class GaugeExchange;
struct ExchangeOutcome;

// Exit statuses of the poller.
enum PollExitStatus { AllAnswered = 0, SomeSilent = 1, BadUsage = 2, PortFailed = 3 };

// The survey files' base name: a name ending in ".txt" loses it, as the window's file dialog's
// choice does; any other name is the base itself.
QString SurveyBaseOf(const QString &surveyName);

class PollRun : public QObject {
    Q_OBJECT
public:
    using LineSink = std::function<void(const QString &line)>;

    PollRun(GaugeExchange &exchange, const PollOptions &options, LineSink output, LineSink errors,
            QObject *parent = nullptr);
    ~PollRun() override;

    // The survey files of the addresses, slot k for the k-th address; false with the reason when
    // one cannot be made.
    bool CreateSurveyFiles(QString *error);
    // Tests fix the clock so that time stamps can be compared.
    void SetClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

    void Start();
    // Ends the run once the exchange on the line has its outcome: output and files stay whole.
    void Stop();
    // The port went away: the run ends with PortFailed.
    void PortLost();
    bool Running() const { return running_; }

signals:
    void finished(int exitStatus);

private:
    void PollNext();
    void Outcome(const ExchangeOutcome &outcome);
    void WriteSurveyLine(std::size_t index, const ExchangeOutcome &outcome, const QDateTime &now);
    void Finish();
    QDateTime Now() const { return clock_ ? clock_() : QDateTime::currentDateTime(); }

    GaugeExchange &exchange_;
    const PollOptions options_;
    LineSink output_;
    LineSink errors_;
    std::function<QDateTime()> clock_;
    VariableSelection selection_;
    std::vector<std::uint8_t> requestData_;
    SurveyFileSet survey_;
    QTimer *timer_ = nullptr;
    QElapsedTimer cycleClock_;
    QElapsedTimer sendClock_;
    int cyclesDone_ = 0;
    std::size_t next_ = 0;
    bool running_ = false;
    bool stopping_ = false;
    bool silence_ = false;
    bool lost_ = false;
};

} // namespace orv
