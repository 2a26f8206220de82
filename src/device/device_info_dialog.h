#pragma once
// Serial number and year of manufacture.
#include <QDialog>

class QPushButton;

namespace orv {

class TZavod_Parametrs : public QDialog {
    Q_OBJECT
public:
    explicit TZavod_Parametrs(QWidget *parent = nullptr);

    QPushButton *Button_Vixod = nullptr;
};

} // namespace orv
