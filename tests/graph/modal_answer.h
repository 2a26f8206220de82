#pragma once
// Answers the next modal window from inside its own event loop. Whatever happens in `answer`
// (a failed check returns early), the modal window is closed afterwards so the test cannot hang.
#include <QApplication>
#include <QPointer>
#include <QScopeGuard>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace orv::test {

inline void AnswerNextModal(std::function<void(QWidget *)> answer, int delayMs = 0)
{
    QTimer::singleShot(delayMs, [answer = std::move(answer)] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        auto closeIt = qScopeGuard([modal] {
            if (modal && modal->isVisible())
                modal->close();
        });
        answer(modal);
    });
}

} // namespace orv::test
