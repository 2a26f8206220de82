#pragma once
// "Режим фиксированного тока": the output current fixed with command 40, or the mode left.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class UpDownButtons;

class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget *parent = nullptr);

    // The current in mA as typed ("-1" after "Отключить"); the request builder converts it.
    QString currentText() const;

    // "Задать" and "Отключить" (which first puts "-1" into the edit): Accepted; "Выход" or Esc:
    // Rejected, nothing to send.
    QLabel *LabeledEdit1Label = nullptr;
    QLineEdit *LabeledEdit1 = nullptr;
    UpDownButtons *UpDown1 = nullptr;
    QPushButton *BitBtn1 = nullptr;   // "Задать"
    QPushButton *BitBtn3 = nullptr;   // "Отключить"
    QPushButton *BitBtn2 = nullptr;   // "Выход"

protected:
    // Every showing offers 4 mA again. Only the showing: a repaint while the user types must
    // leave the typed current alone.
    void showEvent(QShowEvent *event) override;
};

} // namespace orv
