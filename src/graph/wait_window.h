#pragma once
// TOgidanie: the small "please wait" window shown while graphs are being built.
#include <QDialog>

class QLabel;

namespace orv {

class TOgidanie : public QDialog
{
    Q_OBJECT
public:
    explicit TOgidanie(QWidget *parent = nullptr);

    // Shows the window with `text` over the active window and paints it at once, because the
    // work that follows keeps the event loop busy.
    void ShowWaiting(const QString &text);
    void HideWaiting();

    QString Text() const;

private:
    QLabel *Label1;
};

} // namespace orv
