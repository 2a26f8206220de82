#pragma once
// Choice of the averaging count (command 34).
#include <QDialog>

class QPushButton;

namespace orv {

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget *parent = nullptr);

    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
};

} // namespace orv
