#pragma once
// Up and down arrows beside an edit. They step the number in the edit within their range; what is
// typed into the edit is not bound by that range, only the arrows are.
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace orv {

class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit *associate, int minimum, int maximum, int position, QWidget *parent = nullptr);

    int Position() const { return position_; }
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    void SetPosition(int position);

    // One step up or down from the number the edit holds (or from the last position when the
    // edit holds no number), kept within the range, written back into the edit.
    void StepUp();
    void StepDown();

    QToolButton *Up = nullptr;
    QToolButton *Down = nullptr;

protected:
    // The arrow keys in the edit step as the arrows do.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Step(int delta);

    QLineEdit *associate_;
    int minimum_;
    int maximum_;
    int position_;
};

} // namespace orv
