#pragma once
// "Подтверждение": the yes/no question asked before a command that changes the gauge.
#include <QDialog>

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

} // namespace orv
