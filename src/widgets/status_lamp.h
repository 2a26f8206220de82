#pragma once
// A round lamp whose brush colour the program sets: the status of one device slot.
#include "widgets/display_colours.h"

#include <QColor>
#include <QWidget>

namespace orv {

class StatusLamp : public QWidget {
    Q_OBJECT
public:
    explicit StatusLamp(QWidget *parent = nullptr);

    void SetBrushColor(const QColor &colour);
    QColor BrushColor() const { return colour_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor colour_ = LampSilver();
};

} // namespace orv
