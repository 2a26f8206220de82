#include "widgets/lamp.h"

#include "widgets/display_colours.h"

#include <QPainter>

namespace orv {

Lamp::Lamp(QWidget *parent, int side) : QWidget(parent), colour_(LampSilver())
{
    setFixedSize(side, side);
}

void Lamp::SetColour(const QColor &colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    update();
}

void Lamp::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace orv
