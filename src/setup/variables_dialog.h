#pragma once
// Choice of the four variables read with command 33.
#include <QDialog>

class QPushButton;

namespace orv {

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget *parent = nullptr);

    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
};

} // namespace orv
