#pragma once
// The looping device dialogs: every button closes the dialog after its action, and the dialog is
// shown again until its exit button has set the exit flag. Closing it any other way (the title
// bar, Esc) shows it again too.
#include "widgets/modal_loop.h"
#include "setup/request.h"

#include <QString>
#include <functional>

class QDialog;
class QPushButton;
class QWidget;

namespace orv {

// The result a button closes its dialog with; only the exit flag decides whether it shows again.
enum ModalResult { ModalOk = 1, ModalCancel = 2, ModalAbort = 3, ModalRetry = 4 };

// How a dialog button reaches the gauge and the user.
struct DialogLink {
    // Sends the request (the engine's dialog exchange).
    std::function<void(const Request &request)> send;
    // Shows a conversion message ("'x' is not a valid floating point value").
    std::function<void(const QString &text)> message;

    void Send(const Request &request) const;
    // Sends a built request, or shows why it cannot be built.
    void Send(const BuiltRequest &built) const;
};

// A title bar with the close button only, as the dialogs that can be closed from the title bar have.
void WithCloseButtonOnly(QWidget *window);

// The button runs its action and then closes the dialog with the given result.
void CloseAfterClick(QPushButton *button, QDialog *dialog, int result, std::function<void()> action);

} // namespace orv
