#include "device/dialog_loop.h"

#include <QDialog>
#include <QPointer>
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

void RunDialogLoop(QDialog &dialog, const bool &exitFlag)
{
    QPointer<QDialog> guard(&dialog);
    bool finished = false;
    const QMetaObject::Connection connection =
        QObject::connect(&dialog, &QDialog::finished, &dialog, [&finished] { finished = true; });
    while (!exitFlag) {
        finished = false;
        dialog.exec();
        // A dialog closed by its buttons, Esc or the title bar has finished; an event loop ended
        // by the program's end has not, and showing the dialog again would spin for ever.
        if (!guard || !finished)
            break;
    }
    if (guard)
        QObject::disconnect(connection);
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
