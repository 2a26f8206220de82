#pragma once
// SIGINT and SIGTERM as a Qt signal: the handler only writes the signal's number into a pipe,
// and the event loop reads it, so the poller ends between two exchanges with its files whole.
#include <QObject>

class QSocketNotifier;

namespace orv {

class StopSignals : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(QObject *parent = nullptr);
    ~StopSignals() override;   // the default handlers come back

    bool Installed() const { return notifier_ != nullptr; }

signals:
    void stopRequested(int signalNumber);

private:
    void ReadPipe();

    QSocketNotifier *notifier_ = nullptr;
};

} // namespace orv
