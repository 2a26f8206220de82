#include "shell/program_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace orv {

void PaintProgramPicture(QPainter &p, int size)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face(4, 4, size - 8, size - 8);
    const QPointF centre = face.center();
    const qreal radius = face.width() / 2;
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 4));
    p.setBrush(QColor(0xF4, 0xF4, 0xEE));
    p.drawEllipse(face);
    // Scale from -135° to +135°, a red zone at the top end.
    for (int i = 0; i <= 20; ++i) {
        const qreal angle = qDegreesToRadians(225.0 - i * 13.5);
        const qreal outer = radius - 8, inner = radius - (i % 5 == 0 ? 20 : 14);
        p.setPen(QPen(i >= 17 ? QColor(0xC0, 0x10, 0x10) : QColor(0x20, 0x20, 0x20), i % 5 == 0 ? 2.5 : 1.2));
        p.drawLine(centre + QPointF(qCos(angle) * inner, -qSin(angle) * inner),
                   centre + QPointF(qCos(angle) * outer, -qSin(angle) * outer));
    }
    QFont font;
    font.setPixelSize(qMax(8, size / 9));
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x20, 0x20, 0x60));
    p.drawText(QRectF(centre.x() - radius, centre.y() + radius * 0.25, 2 * radius, radius * 0.4), Qt::AlignCenter,
               QStringLiteral("КВ-310"));
    // The needle.
    const qreal needle = qDegreesToRadians(225.0 - 12 * 13.5);
    QPainterPath path;
    path.moveTo(centre + QPointF(qCos(needle) * (radius - 16), -qSin(needle) * (radius - 16)));
    path.lineTo(centre + QPointF(qCos(needle + 1.57) * 4, -qSin(needle + 1.57) * 4));
    path.lineTo(centre + QPointF(qCos(needle - 1.57) * 4, -qSin(needle - 1.57) * 4));
    path.closeSubpath();
    p.fillPath(path, QColor(0xC0, 0x10, 0x10));
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.setPen(Qt::NoPen);
    p.drawEllipse(centre, 6, 6);
}

QPixmap ProgramPicture(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintProgramPicture(painter, size);
    return pixmap;
}

} // namespace orv
