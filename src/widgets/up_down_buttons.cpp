#include "widgets/up_down_buttons.h"

#include "link/value_text.h"
#include "widgets/widget_names.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orv {

int SteppedPosition(const QString &editText, int lastPosition, int min, int max, int steps)
{
    const std::optional<int> typed = TextToInteger(editText);
    const long long from = std::clamp<long long>(typed ? *typed : lastPosition, min, max);
    return static_cast<int>(std::clamp<long long>(from + steps, min, max));
}

UpDownButtons::UpDownButtons(QLineEdit *associate, int min, int max, int position, QWidget *parent)
    : QWidget(parent), associate_(associate), min_(min), max_(max), position_(std::clamp(position, min, max))
{
    const auto arrow = [this](Qt::ArrowType type, const char *objectName, const QString &name) {
        auto *button = Named(new QToolButton(this), objectName, name);
        button->setArrowType(type);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    UpButton = arrow(Qt::UpArrow, "UpButton", QStringLiteral("Больше"));
    DownButton = arrow(Qt::DownArrow, "DownButton", QStringLiteral("Меньше"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(UpButton);
    layout->addWidget(DownButton);
    // As tall as the edit beside it, each arrow half of that.
    const int height = associate_ ? associate_->sizeHint().height() : 24;
    UpButton->setFixedSize(16, height / 2);
    DownButton->setFixedSize(16, height - height / 2);
    setFixedSize(16, height);
    connect(UpButton, &QToolButton::clicked, this, [this] { Step(1); });
    connect(DownButton, &QToolButton::clicked, this, [this] { Step(-1); });
    if (associate_)
        associate_->installEventFilter(this);
}

void UpDownButtons::SetPosition(int position)
{
    position_ = std::clamp(position, min_, max_);
    if (associate_)
        associate_->setText(QString::number(position_));
}

void UpDownButtons::Step(int steps)
{
    SetPosition(SteppedPosition(associate_ ? associate_->text() : QString(), position_, min_, max_, steps));
}

bool UpDownButtons::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == associate_ && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orv
