#pragma once
// The fixed output current (command 40).
#include <QDialog>

class QPushButton;

namespace orv {

class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget *parent = nullptr);

    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn3 = nullptr;
    QPushButton *BitBtn2 = nullptr;
};

} // namespace orv
