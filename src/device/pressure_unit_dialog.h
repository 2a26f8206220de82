#pragma once
// Choice of the pressure unit (command 178).
#include <QDialog>

class QPushButton;

namespace orv {

class TUkaz_Ed_Davl : public QDialog {
    Q_OBJECT
public:
    explicit TUkaz_Ed_Davl(QWidget *parent = nullptr);

    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
};

} // namespace orv
