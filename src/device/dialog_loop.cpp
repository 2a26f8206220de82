#include "device/dialog_loop.h"

#include <QDialog>
#include <QPushButton>

namespace orv {

void DialogLink::Send(const Request &request) const
{
    if (send)
        send(request);
}

void DialogLink::Send(const BuiltRequest &built) const
{
    if (built.request)
        Send(*built.request);
    else if (!built.errorMessage.isEmpty() && message)
        message(built.errorMessage);
}

void WithCloseButtonOnly(QWidget *window)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

void CloseAfterClick(QPushButton *button, QDialog *dialog, int result, std::function<void()> action)
{
    // Enter in an edit must not press a button that sends.
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, dialog, [dialog, result, action = std::move(action)] {
        if (action)
            action();
        dialog->done(result);
    });
}

} // namespace orv
