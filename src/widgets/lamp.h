#pragma once
// A small square lamp: a filled square with a thin dark border whose fill colour the program sets.
#include <QColor>
#include <QWidget>

namespace orv {

class Lamp : public QWidget {
    Q_OBJECT
public:
    explicit Lamp(QWidget *parent = nullptr, int side = 16);

    void SetColour(const QColor &colour);
    QColor Colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor colour_;
};

} // namespace orv
