#pragma once
// Question before survey data files are overwritten.
#include <QDialog>

class QPushButton;

namespace orv {

class TPerezap_File : public QDialog {
    Q_OBJECT
public:
    explicit TPerezap_File(QWidget *parent = nullptr);

    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QPushButton *BitBtn3 = nullptr;
};

} // namespace orv
