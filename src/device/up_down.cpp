#include "device/up_down.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orv {

UpDown::UpDown(QLineEdit *associate, int minimum, int maximum, int position, QWidget *parent)
    : QWidget(parent), associate_(associate), minimum_(minimum), maximum_(maximum),
      position_(std::clamp(position, minimum, maximum))
{
    const auto arrow = [this](Qt::ArrowType type, const QString &name) {
        auto *button = new QToolButton(this);
        button->setArrowType(type);
        button->setAutoRepeat(true);
        button->setAccessibleName(name);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(16, 11);
        return button;
    };
    Up = arrow(Qt::UpArrow, QStringLiteral("Больше"));
    Down = arrow(Qt::DownArrow, QStringLiteral("Меньше"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Up);
    layout->addWidget(Down);
    connect(Up, &QToolButton::clicked, this, &UpDown::StepUp);
    connect(Down, &QToolButton::clicked, this, &UpDown::StepDown);
    associate_->installEventFilter(this);
}

bool UpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == associate_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::SetPosition(int position)
{
    position_ = std::clamp(position, minimum_, maximum_);
    associate_->setText(QString::number(position_));
}

void UpDown::StepUp()
{
    Step(1);
}

void UpDown::StepDown()
{
    Step(-1);
}

void UpDown::Step(int delta)
{
    bool ok = false;
    const int typed = associate_->text().trimmed().toInt(&ok);
    const int from = ok ? std::clamp(typed, minimum_, maximum_) : position_;
    SetPosition(from + delta);
}

} // namespace orv
