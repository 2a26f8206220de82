#pragma once
// A pair of arrow buttons that steps the whole number in an edit beside it, within limits. The
// edit stays free text: what is typed there is taken as it stands, and only the arrows (and the
// arrow keys in the edit) are held to the limits.
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace orv {

// The number the arrows give, from the edit's text (or the last position when the text is no
// whole number), clamped to min..max and moved by `steps`.
int SteppedPosition(const QString &editText, int lastPosition, int min, int max, int steps);

class UpDownButtons : public QWidget {
    Q_OBJECT
public:
    UpDownButtons(QLineEdit *associate, int min, int max, int position, QWidget *parent = nullptr);

    int Position() const { return position_; }
    void SetPosition(int position);   // also writes the edit
    int Min() const { return min_; }
    int Max() const { return max_; }
    void Step(int steps);

    QToolButton *UpButton = nullptr;
    QToolButton *DownButton = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *associate_;
    int min_;
    int max_;
    int position_;
};

} // namespace orv
