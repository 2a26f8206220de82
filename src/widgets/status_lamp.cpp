#include "widgets/status_lamp.h"

#include <QPainter>

namespace orv {

StatusLamp::StatusLamp(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void StatusLamp::SetBrushColor(const QColor &colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    update();
}

QSize StatusLamp::sizeHint() const
{
    return {22, 22};
}

void StatusLamp::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour_);
    const int side = qMin(width(), height()) - 2;
    painter.drawEllipse(QRectF((width() - side) / 2.0, (height() - side) / 2.0, side, side));
}

} // namespace orv
