#pragma once
// "Введите адрес опроса": the new polling address written with command 6.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);

    // The address as typed; the request builder converts it.
    QString address() const;

    // The edit keeps its text between uses. Closed with OK: Accepted; with "Отмена" or Esc: Rejected.
    QLabel *LabeledEdit1Label = nullptr;
    QLineEdit *LabeledEdit1 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
};

} // namespace orv
