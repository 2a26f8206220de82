#include "device/track_bar.h"

#include <QPainter>
#include <QPolygon>
#include <QProxyStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace orv {

namespace {

constexpr int ThumbWidth = 11;
constexpr int TickSpace = 8;
constexpr int ChannelHeight = 6;
// Room at both ends, so that a scale label centred under the first or last tick fits.
constexpr int EdgePad = 12;

// The thumb's size as the track bar draws it, so that clicks and drags find the thumb where it is.
class TrackBarStyle : public QProxyStyle {
public:
    explicit TrackBarStyle(int thumbLength) : thumbLength_(thumbLength) {}

    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        switch (metric) {
        case PM_SliderLength:
            return ThumbWidth;
        case PM_SliderControlThickness:
            return thumbLength_;
        case PM_SliderThickness:
            return thumbLength_ + TickSpace;
        case PM_SliderTickmarkOffset:
            return 0;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                         const QWidget *widget) const override
    {
        if (control == CC_Slider && (sub == SC_SliderHandle || sub == SC_SliderGroove)) {
            const auto *slider = static_cast<const QStyleOptionSlider *>(option);
            const QRect r = slider->rect.adjusted(EdgePad, 0, -EdgePad, 0);
            const int top = r.top() + 2;
            if (sub == SC_SliderGroove)
                return QRect(r.left(), top, r.width(), thumbLength_);
            const int span = r.width() - ThumbWidth;
            const int x = r.left() + QStyle::sliderPositionFromValue(slider->minimum, slider->maximum,
                                                                     slider->sliderPosition, span,
                                                                     slider->upsideDown);
            return QRect(x, top, ThumbWidth, thumbLength_);
        }
        return QProxyStyle::subControlRect(control, option, sub, widget);
    }

private:
    int thumbLength_;
};

} // namespace

TrackBar::TrackBar(int thumbLength, QWidget *parent)
    : QSlider(Qt::Horizontal, parent), style_(std::make_unique<TrackBarStyle>(thumbLength)), thumbLength_(thumbLength)
{
    setStyle(style_.get());
    setTickPosition(QSlider::TicksBelow);
    setMinimumHeight(thumbLength + TickSpace + 4);
}

TrackBar::~TrackBar()
{
    // The widget must let go of its style before the style goes.
    setStyle(nullptr);
}

void TrackBar::SetSelStart(int value)
{
    selStart_ = std::clamp(value, minimum(), maximum());
    update();
}

void TrackBar::SetSelEnd(int value)
{
    selEnd_ = std::clamp(value, minimum(), maximum());
    update();
}

QRect TrackBar::ThumbRect(int value) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.sliderPosition = value;
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

int TrackBar::ValueCentre(int value) const
{
    const QRect thumb = ThumbRect(value);
    return thumb.left() + thumb.width() / 2;
}

void TrackBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette &pal = palette();
    const QRect thumb = ThumbRect(sliderPosition());
    const int middle = thumb.top() + (thumb.height() - 5) / 2;

    // The channel, sunken, running from the thumb's middle at the minimum to its middle at the maximum.
    const int left = ValueCentre(minimum()) - 3;
    const int right = ValueCentre(maximum()) + 3;
    const QRect channel(left, middle - ChannelHeight / 2, right - left, ChannelHeight);
    p.fillRect(channel, pal.color(QPalette::Base));
    p.setPen(pal.color(QPalette::Dark));
    p.drawLine(channel.topLeft(), channel.topRight());
    p.drawLine(channel.topLeft(), channel.bottomLeft());
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(channel.bottomLeft(), channel.bottomRight());
    p.drawLine(channel.topRight(), channel.bottomRight());

    if (selEnd_ > selStart_) {
        const QRect selection(QPoint(ValueCentre(selStart_), channel.top() + 1),
                              QPoint(ValueCentre(selEnd_), channel.bottom() - 1));
        p.fillRect(selection, pal.color(QPalette::Highlight));
    }

    // Tick marks below the thumb, longer at both ends.
    p.setPen(pal.color(QPalette::WindowText));
    const int tickTop = thumb.bottom() + 2;
    const int step = std::max(1, tickInterval());
    for (int v = minimum(); v <= maximum(); v += step) {
        const int x = ValueCentre(v);
        const bool end = v == minimum() || v == maximum();
        p.drawLine(x, tickTop, x, tickTop + (end ? 5 : 3));
    }

    // The thumb: a key pointing down at the ticks.
    const QRect t = thumb.adjusted(0, 0, -1, -1);
    const int tip = t.bottom();
    const int shoulder = tip - t.width() / 2;
    const QPolygon key({t.topLeft(), t.topRight(), QPoint(t.right(), shoulder),
                        QPoint(t.left() + t.width() / 2, tip), QPoint(t.left(), shoulder)});
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(isEnabled() ? pal.color(QPalette::Button) : pal.color(QPalette::Window));
    p.setPen(pal.color(QPalette::Shadow));
    p.drawPolygon(key);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (hasFocus()) {
        QPen focus(pal.color(QPalette::WindowText), 1, Qt::DotLine);
        p.setPen(focus);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace orv
