#include "setup/pie_gauge.h"

#include <QPainter>

#include <algorithm>

namespace orv {

PieGauge::PieGauge(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void PieGauge::SetProgress(int percent)
{
    const int clamped = std::clamp(percent, 0, 100);
    if (clamped == progress_)
        return;
    progress_ = clamped;
    update();
}

void PieGauge::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height()) - 2;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);

    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(BackColor);
    painter.drawEllipse(circle);
    if (progress_ > 0) {
        painter.setBrush(ForeColor);
        // From twelve o'clock, clockwise; Qt counts sixteenths of a degree, anticlockwise.
        const int span = -progress_ * 360 * 16 / 100;
        if (progress_ >= 100)
            painter.drawEllipse(circle);
        else
            painter.drawPie(circle, 90 * 16, span);
    }

    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(circle, Qt::AlignCenter, QString::number(progress_) + QLatin1Char('%'));
}

} // namespace orv
