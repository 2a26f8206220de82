#include "port/timing_diagram.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace orv {

namespace {

constexpr qreal DesignWidth = 960;
constexpr qreal DesignHeight = 330;

void Box(QPainter &p, const QRectF &r, const QString &text, bool dashed, bool vertical, const QColor &fill)
{
    p.save();
    QPen pen(Qt::black, 1.5);
    if (dashed)
        pen.setStyle(Qt::DashLine);
    p.setPen(pen);
    p.setBrush(fill);
    p.drawRect(r);
    QFont f = p.font();
    f.setPointSizeF(vertical ? 8.5 : 9.5);
    f.setBold(!vertical);
    p.setFont(f);
    p.setPen(Qt::black);
    if (vertical) {
        p.translate(r.center());
        p.rotate(-90);
        p.drawText(QRectF(-r.height() / 2, -r.width() / 2, r.height(), r.width()), Qt::AlignCenter, text);
    } else {
        p.drawText(r.adjusted(4, 2, -4, -2), Qt::AlignCenter | Qt::TextWordWrap, text);
    }
    p.restore();
}

void Arrowhead(QPainter &p, QPointF tip, qreal direction)
{
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip + QPointF(-8 * direction, -4));
    head.lineTo(tip + QPointF(-8 * direction, 4));
    head.closeSubpath();
    p.fillPath(head, Qt::black);
}

// A dimension line between two x positions at height y with extension lines down to the boxes.
void Dimension(QPainter &p, qreal x1, qreal x2, qreal y, qreal extendTo, const QString &symbol,
               const QString &subscript)
{
    p.save();
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawLine(QPointF(x1, y - 6), QPointF(x1, extendTo));
    p.drawLine(QPointF(x2, y - 6), QPointF(x2, extendTo));
    p.setPen(QPen(Qt::black, 1.2));
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
    Arrowhead(p, QPointF(x2, y), 1);
    Arrowhead(p, QPointF(x1, y), -1);
    QFont f = p.font();
    f.setPointSizeF(11);
    f.setItalic(true);
    f.setBold(true);
    p.setFont(f);
    const QFontMetricsF m(f);
    QFont sub = f;
    sub.setPointSizeF(8);
    const QFontMetricsF ms(sub);
    const qreal width = m.horizontalAdvance(symbol) + ms.horizontalAdvance(subscript);
    // A span too short for its symbol gets the symbol beside it.
    const qreal x = width + 12 > x2 - x1 ? x2 + 6 : (x1 + x2) / 2 - width / 2;
    p.fillRect(QRectF(x - 3, y - m.ascent() - 2, width + 6, m.height()), Qt::white);
    p.drawText(QPointF(x, y - 3), symbol);
    p.setFont(sub);
    p.drawText(QPointF(x + m.horizontalAdvance(symbol), y + 1), subscript);
    p.restore();
}

} // namespace

void PaintTimingDiagram(QPainter &p, const QRectF &target)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(target, Qt::white);
    const qreal scale = qMin(target.width() / DesignWidth, target.height() / DesignHeight);
    p.translate(target.center().x() - DesignWidth * scale / 2, target.center().y() - DesignHeight * scale / 2);
    p.scale(scale, scale);

    const qreal top = 190, bottom = 270;
    const QColor sent(0xDD, 0xEB, 0xF7), rts(0xF2, 0xF2, 0xF2), answer(0xFF, 0xF7, 0xE0);
    // First cycle.
    const qreal rts1 = 30, msg1 = 60, msg1End = 270, rts0 = 300, ans = 340, ansEnd = 530, wait = 555;
    const qreal rts1b = 590, msg2 = 620, msg2End = 830, rts0b = 860;
    Box(p, QRectF(rts1, top, msg1 - rts1, bottom - top), QStringLiteral("RTS = 1"), false, true, rts);
    Box(p, QRectF(msg1, top, msg1End - msg1, bottom - top), QStringLiteral("ОТПРАВЛЯЕМОЕ СООБЩЕНИЕ № 1"), false,
        false, sent);
    Box(p, QRectF(msg1End, top, rts0 - msg1End, bottom - top), QStringLiteral("RTS = 0"), false, true, rts);
    Box(p, QRectF(ans, top, ansEnd - ans, bottom - top), QStringLiteral("ОТВЕТНОЕ СООБЩЕНИЕ № 1"), true, false,
        answer);
    Box(p, QRectF(rts1b, top, msg2 - rts1b, bottom - top), QStringLiteral("RTS = 1"), false, true, rts);
    Box(p, QRectF(msg2, top, msg2End - msg2, bottom - top), QStringLiteral("ОТПРАВЛЯЕМОЕ СООБЩЕНИЕ № 2"), false,
        false, sent);
    Box(p, QRectF(msg2End, top, rts0b - msg2End, bottom - top), QStringLiteral("RTS = 0"), false, true, rts);
    QFont f = p.font();
    f.setPointSizeF(16);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(rts0b + 8, top, 60, bottom - top), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("..."));

    // Time axis.
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(15, bottom + 20), QPointF(945, bottom + 20));
    Arrowhead(p, QPointF(949, bottom + 20), 1);
    f.setPointSizeF(10);
    f.setBold(false);
    f.setItalic(true);
    p.setFont(f);
    p.drawText(QRectF(760, bottom + 24, 185, 24), Qt::AlignRight | Qt::AlignTop, QStringLiteral("Время, с"));

    // Dimensions, nearest first.
    Dimension(p, msg1End, rts0, top - 18, top, QStringLiteral("T"), QStringLiteral("ЗС"));
    Dimension(p, rts1, wait, top - 60, top, QStringLiteral("T"), QStringLiteral("ОС"));
    Dimension(p, rts1, rts1b, top - 105, top, QStringLiteral("T"), QStringLiteral("НС"));
    Dimension(p, rts1, 935, top - 150, top, QStringLiteral("T"), QStringLiteral("ОП"));
    // The end of the wait for the answer.
    p.setPen(QPen(QColor(0xC0, 0, 0), 1.5, Qt::DashDotLine));
    p.drawLine(QPointF(wait, top - 60), QPointF(wait, bottom + 20));
    p.restore();
}

TimingDiagramView::TimingDiagramView(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setAccessibleName(QStringLiteral("Диаграмма временных интервалов"));
}

QSize TimingDiagramView::sizeHint() const
{
    return QSize(static_cast<int>(DesignWidth * 0.6), static_cast<int>(DesignHeight * 0.6));
}

int TimingDiagramView::heightForWidth(int width) const
{
    return static_cast<int>(width * DesignHeight / DesignWidth);
}

void TimingDiagramView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    PaintTimingDiagram(p, QRectF(rect()));
}

void TimingDiagramView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace orv
