#pragma once
// "О программе".
#include <QDialog>

namespace orv {

class TForm21 : public QDialog {
    Q_OBJECT
public:
    explicit TForm21(QWidget *parent = nullptr);
};

// The program's picture: a dial gauge, drawn rather than stored.
QPixmap ProgramPicture(int size);

} // namespace orv
