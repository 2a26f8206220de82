#pragma once
// Answering modal windows from a test: the answer is queued before the action that opens the
// window, and whatever happens, no modal window is left open to hang the test.
#include <QApplication>
#include <QElapsedTimer>
#include <memory>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace testsupport {

// Runs `act` on the next modal window that opens (polling for it up to timeoutMs).
inline void WhenModalOpens(std::function<void(QWidget *modal)> act, int timeoutMs = 3000)
{
    auto *poll = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(poll, &QTimer::timeout, [poll, act, started, timeoutMs] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            if (started->elapsed() > timeoutMs)
                poll->deleteLater();
            return;
        }
        poll->stop();
        poll->deleteLater();
        auto closeAnyway = qScopeGuard([modal] {
            if (modal->isVisible() && QApplication::activeModalWidget() == modal)
                modal->close();
        });
        act(modal);
    });
    poll->start(10);
}

// Clicks the named button of the next modal window.
inline void ClickInNextModal(const QString &buttonName, int timeoutMs = 3000)
{
    WhenModalOpens(
        [buttonName](QWidget *modal) {
            if (auto *button = modal->findChild<QPushButton *>(buttonName))
                QTest::mouseClick(button, Qt::LeftButton);
        },
        timeoutMs);
}

} // namespace testsupport
