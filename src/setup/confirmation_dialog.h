#pragma once
// "Подтверждение": the yes/no question asked before a command that changes the gauge.
#include "setup/request.h"

#include <QDialog>
#include <optional>

class QLabel;
class QPushButton;

namespace orv {

class TPodtvergdenie : public QDialog {
    Q_OBJECT
public:
    explicit TPodtvergdenie(QWidget *parent = nullptr);

    // Puts the question and waits for the answer; true when the user said "Да".
    bool Ask(const QString &question);

    QLabel *Label1 = nullptr;
    QPushButton *BitBtn1 = nullptr;   // "Да"
    QPushButton *BitBtn2 = nullptr;   // "Отмена"
};

// The request of a menu item that asks first (6, 7, 12, 16, 17): on a first attempt (`attempt` 1)
// the question of its command, and no request for "Отмена". A repeated attempt gives the request
// without asking again.
std::optional<Request> ConfirmRequest(int attempt, TPodtvergdenie &confirmation, const Request &request);

} // namespace orv
