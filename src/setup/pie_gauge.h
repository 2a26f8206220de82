#pragma once
// A round gauge drawn by the program: a share of a whole as a pie slice with its percentage.
#include <QColor>
#include <QWidget>

namespace orv {

// Sky blue of the averaging window's gauge.
inline QColor PieGaugeSkyBlue() { return QColor(166, 202, 240); }

class PieGauge : public QWidget {
    Q_OBJECT
public:
    explicit PieGauge(QWidget *parent = nullptr);

    int Progress() const { return progress_; }   // percent, 0..100
    void SetProgress(int percent);
    QColor ForeColor = PieGaugeSkyBlue();
    QColor BackColor = Qt::white;

    QSize sizeHint() const override { return QSize(120, 120); }
    QSize minimumSizeHint() const override { return QSize(60, 60); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int progress_ = 0;
};

} // namespace orv
