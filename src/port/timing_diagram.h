#pragma once
// The picture that explains the link times: two requests with their RTS phases and the answer
// between them, with dimension lines for T_ЗС, T_ОС, T_НС and T_ОП.
#include <QWidget>

class QPainter;

namespace orv {

// Draws the diagram into the rectangle, scaled to it (the design size is 900 x 330).
void PaintTimingDiagram(QPainter &painter, const QRectF &target);

// The diagram as a widget; clickable when used as the small picture of the timing dialog.
class TimingDiagramView : public QWidget {
    Q_OBJECT
public:
    explicit TimingDiagramView(QWidget *parent = nullptr);
    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace orv
