#pragma once
// The search for the gauges on a line: command 1 to each address of a range in turn, spaced by
// the next-transmit time, each awaited for the response wait. The registration page's search
// dialog and the command-line poller's --scan both run it.
#include "link/link_settings.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <cstdint>
#include <vector>

class QTimer;

namespace orv {

class GaugeExchange;

struct FoundGauge {
    std::uint8_t address = 0;
    std::vector<std::uint8_t> frame;   // its command-1 answer, protocol positions 1..length
};

// The pressure of a command-1 answer as the program shows it (seven decimals) and its unit's name
// (empty for a unit code without one).
QString FoundPressureText(const FoundGauge &gauge, QChar decimalSeparator);
QString FoundUnitText(const FoundGauge &gauge);

class AddressScan : public QObject {
    Q_OBJECT
public:
    enum class End { Completed, Cancelled, PortClosed, LineBusy };

    AddressScan(GaugeExchange &exchange, const LinkSettings &settings, QObject *parent = nullptr);

    // Starts with the first address; false (nothing sent) when a scan runs or the range is not
    // within 0..255 with from <= to.
    bool Start(int from, int to);
    // The exchange on the line is completed (the line stays in step), no other is started.
    void Cancel();
    bool Running() const { return running_; }

    int Done() const { return done_; }
    int Total() const { return to_ - from_ + 1; }
    const std::vector<FoundGauge> &Found() const { return found_; }

signals:
    void progress(int done, int total, int found);
    void finished(orv::AddressScan::End end);

private:
    void Next();
    void Stop(End end);

    GaugeExchange &exchange_;
    const LinkSettings &settings_;
    QTimer *spacing_ = nullptr;
    QElapsedTimer sinceSend_;
    int from_ = 0;
    int to_ = -1;
    int next_ = 0;
    int done_ = 0;
    bool running_ = false;
    bool cancelled_ = false;
    std::vector<FoundGauge> found_;
};

} // namespace orv
