#pragma once
// Driving a looping dialog from a test: step i runs once the dialog has been shown for the
// (i + 1)-th time, so each step sees the dialog as its loop shows it again after the previous
// step's click. If the steps do not end the loop in time, `forceExit` does, so that a failing
// test cannot hang.
#include <QDialog>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <vector>

namespace testsupport {

class DialogScript : public QObject {
public:
    using Step = std::function<void()>;

    DialogScript(QDialog *dialog, std::vector<Step> steps, std::function<void()> forceExit, int timeoutMs = 8000)
        : dialog_(dialog), steps_(std::move(steps)), forceExit_(std::move(forceExit))
    {
        dialog->installEventFilter(this);
        deadline_.setSingleShot(true);
        QObject::connect(&deadline_, &QTimer::timeout, this, [this] {
            timedOut_ = true;
            if (dialog_ && dialog_->isVisible() && forceExit_)
                forceExit_();
        });
        deadline_.start(timeoutMs);
    }
    ~DialogScript() override
    {
        if (dialog_)
            dialog_->removeEventFilter(this);
    }

    int Showings() const { return showings_; }
    int StepsRun() const { return stepsRun_; }
    bool TimedOut() const { return timedOut_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == dialog_ && event->type() == QEvent::Show) {
            ++showings_;
            QTimer::singleShot(0, this, [this] { Next(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Next()
    {
        if (!dialog_ || !dialog_->isVisible() || stepsRun_ >= showings_)
            return;
        if (stepsRun_ >= static_cast<int>(steps_.size())) {
            // More showings than steps: the loop did not end where the test expected.
            if (forceExit_)
                forceExit_();
            return;
        }
        const Step step = steps_[static_cast<std::size_t>(stepsRun_++)];
        step();
    }

    QPointer<QDialog> dialog_;
    std::vector<Step> steps_;
    std::function<void()> forceExit_;
    QTimer deadline_;
    int showings_ = 0;
    int stepsRun_ = 0;
    bool timedOut_ = false;
};

} // namespace testsupport
