#pragma once
// Main range and measuring sub-range.
#include <QDialog>

class QPushButton;

namespace orv {

class TPodDiapazon : public QDialog {
    Q_OBJECT
public:
    explicit TPodDiapazon(QWidget *parent = nullptr);

    QPushButton *BitBtn2 = nullptr;
};

} // namespace orv
