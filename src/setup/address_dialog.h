#pragma once
// Window of the new polling address (command 6).
#include <QDialog>

class QPushButton;

namespace orv {

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);

    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
};

} // namespace orv
