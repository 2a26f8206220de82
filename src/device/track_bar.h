#pragma once
// A horizontal track bar with a selection: a highlighted stretch of the channel between the
// selection start and end, drawn independently of the thumb, with tick marks below the channel
// and a thumb of a given length.
#include <QSlider>
#include <memory>

class QStyle;

namespace orv {

class TrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TrackBar(int thumbLength, QWidget *parent = nullptr);
    ~TrackBar() override;

    int SelStart() const { return selStart_; }
    int SelEnd() const { return selEnd_; }
    void SetSelStart(int value);
    void SetSelEnd(int value);

    // Where, in this widget's coordinates, the middle of the thumb stands at `value`: the scale
    // labels line up with it.
    int ValueCentre(int value) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect ThumbRect(int value) const;

    std::unique_ptr<QStyle> style_;
    int thumbLength_;
    int selStart_ = 0;
    int selEnd_ = 0;
};

} // namespace orv
