#pragma once
// "Перезапись файла": asked before survey data files that exist already are overwritten.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class TPerezap_File : public QDialog {
    Q_OBJECT
public:
    explicit TPerezap_File(QWidget *parent = nullptr);

    // Shows the message with the question, only "Да" and "Отмена" offered; true for "Да".
    bool AskOverwrite(const QString &message);

    QLineEdit *Edit1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *BitBtn1 = nullptr;   // "Да"
    QPushButton *BitBtn2 = nullptr;   // "Отмена", also the Esc key
    QPushButton *BitBtn3 = nullptr;   // "Открыть для продолжения записи"

    // Set by "Да", cleared by the two other buttons.
    bool OverwriteConfirmed = false;
};

} // namespace orv
