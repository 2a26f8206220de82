#pragma once
// "О программе".
#include <QDialog>

namespace orv {

class TForm21 : public QDialog {
    Q_OBJECT
public:
    explicit TForm21(QWidget *parent = nullptr);
};

} // namespace orv
