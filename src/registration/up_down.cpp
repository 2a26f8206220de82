#include "registration/up_down.h"

#include "link/value_text.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orv {

UpDown::UpDown(QLineEdit *associate, int minimum, int maximum, int position, QWidget *parent)
    : QWidget(parent), associate_(associate), minimum_(minimum), maximum_(maximum), position_(position)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const auto makeArrow = [this, layout](Qt::ArrowType arrow, int delta, const QString &name) {
        auto *button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(16, 11);
        button->setAccessibleName(name);
        connect(button, &QToolButton::clicked, this, [this, delta] { Step(delta); });
        layout->addWidget(button);
        return button;
    };
    up_ = makeArrow(Qt::UpArrow, +1, QStringLiteral("Больше"));
    down_ = makeArrow(Qt::DownArrow, -1, QStringLiteral("Меньше"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // The arrow keys in the edit step as the buttons do.
    associate_->installEventFilter(this);
}

void UpDown::Step(int delta)
{
    // The step starts from the number in the edit when it holds one within range.
    const std::optional<int> typed = TextToInteger(associate_->text());
    if (typed)
        position_ = std::clamp(*typed, minimum_, maximum_);
    position_ = std::clamp(position_ + delta, minimum_, maximum_);
    associate_->setText(QString::number(position_));
}

bool UpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == associate_ && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orv
