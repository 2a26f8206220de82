#pragma once
// Set points and hysteresis of the signalling device.
#include <QDialog>

class QPushButton;

namespace orv {

class TSign_Ustr : public QDialog {
    Q_OBJECT
public:
    explicit TSign_Ustr(QWidget *parent = nullptr);

    QPushButton *Button_Sign_Ustr_Vixod = nullptr;
};

} // namespace orv
