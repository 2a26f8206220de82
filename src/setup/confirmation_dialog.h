#pragma once
// Yes/no question before commands that change the gauge.
#include <QDialog>

class QPushButton;

namespace orv {

class TPodtvergdenie : public QDialog {
    Q_OBJECT
public:
    explicit TPodtvergdenie(QWidget *parent = nullptr);

    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
};

} // namespace orv
