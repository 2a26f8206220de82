#pragma once
// The gauge's response delay.
#include <QDialog>

class QPushButton;

namespace orv {

class TTime_Delay_Pribor : public QDialog {
    Q_OBJECT
public:
    explicit TTime_Delay_Pribor(QWidget *parent = nullptr);

    QPushButton *Button_Delay_Vixod = nullptr;
};

} // namespace orv
