#pragma once
// Up and down arrows beside an address edit: a step writes the next number within the range
// into the edit. The edit stays free text, as the user may type anything there.
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace orv {

class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit *associate, int minimum, int maximum, int position, QWidget *parent = nullptr);

    int Position() const { return position_; }
    void Step(int delta);

    QToolButton *UpButton() const { return up_; }
    QToolButton *DownButton() const { return down_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *associate_;
    int minimum_;
    int maximum_;
    int position_;
    QToolButton *up_;
    QToolButton *down_;
};

} // namespace orv
