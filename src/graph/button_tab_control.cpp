#include "button_tab_control.h"

#include <QButtonGroup>
#include <QLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace orv {

// Lays its items out left to right and starts a new row when the next one does not fit.
class FlowLayout : public QLayout
{
public:
    explicit FlowLayout(QWidget *parent) : QLayout(parent) { setContentsMargins(0, 0, 0, 0); }
    ~FlowLayout() override
    {
        while (QLayoutItem *item = takeAt(0))
            delete item;
    }
    void addItem(QLayoutItem *item) override { items_.append(item); }
    int count() const override { return int(items_.size()); }
    QLayoutItem *itemAt(int index) const override { return items_.value(index); }
    QLayoutItem *takeAt(int index) override
    {
        return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
    }
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return Arrange(QRect(0, 0, width, 0), false); }
    QSize sizeHint() const override { return minimumSize(); }
    QSize minimumSize() const override
    {
        QSize size;
        for (const QLayoutItem *item : items_)
            size = size.expandedTo(item->minimumSize());
        return size;
    }
    void setGeometry(const QRect &rect) override
    {
        QLayout::setGeometry(rect);
        Arrange(rect, true);
    }

private:
    int Arrange(const QRect &rect, bool apply) const
    {
        constexpr int gap = 2;
        int x = rect.x();
        int y = rect.y();
        int rowHeight = 0;
        for (QLayoutItem *item : items_) {
            const QSize hint = item->sizeHint();
            if (x + hint.width() > rect.right() + 1 && x > rect.x()) {
                x = rect.x();
                y += rowHeight + gap;
                rowHeight = 0;
            }
            if (apply)
                item->setGeometry(QRect(QPoint(x, y), hint));
            x += hint.width() + gap;
            rowHeight = std::max(rowHeight, hint.height());
        }
        return y + rowHeight - rect.y();
    }

    QList<QLayoutItem *> items_;
};

ButtonTabControl::ButtonTabControl(QWidget *parent)
    : QWidget(parent),
      layout_(new QVBoxLayout(this)),
      strip_(new QWidget(this)),
      flow_(new FlowLayout(strip_)),
      group_(new QButtonGroup(this))
{
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(2);
    layout_->addWidget(strip_);
    group_->setExclusive(false);   // the control keeps exactly one tab checked itself
    connect(group_, &QButtonGroup::buttonClicked, this, &ButtonTabControl::OnClicked);
}

void ButtonTabControl::SetPage(QWidget *page)
{
    page->setParent(this);
    layout_->addWidget(page, 1);
}

int ButtonTabControl::Count() const
{
    return int(buttons_.size());
}

int ButtonTabControl::AddTab(const QString &caption)
{
    auto *button = new QToolButton(strip_);
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setText(caption);
    button->setAccessibleName(caption);
    button->setFocusPolicy(Qt::StrongFocus);
    group_->addButton(button);
    flow_->addWidget(button);
    buttons_.append(button);
    button->show();
    strip_->updateGeometry();
    UpdateChecks();
    return int(buttons_.size()) - 1;
}

void ButtonTabControl::RemoveTab(int index)
{
    if (index < 0 || index >= buttons_.size())
        return;
    QAbstractButton *button = buttons_.takeAt(index);
    group_->removeButton(button);
    flow_->removeWidget(button);
    delete button;
    if (current_ > index || current_ >= buttons_.size())
        --current_;
    if (current_ < 0 && !buttons_.isEmpty())
        current_ = 0;
    strip_->updateGeometry();
    UpdateChecks();
}

QString ButtonTabControl::TabText(int index) const
{
    return index >= 0 && index < buttons_.size() ? buttons_.at(index)->text() : QString();
}

void ButtonTabControl::SetTabText(int index, const QString &caption)
{
    if (index < 0 || index >= buttons_.size())
        return;
    buttons_.at(index)->setText(caption);
    buttons_.at(index)->setAccessibleName(caption);
}

void ButtonTabControl::SetCurrentIndex(int index)
{
    if (index < -1 || index >= buttons_.size())
        return;
    current_ = index;
    UpdateChecks();
}

QAbstractButton *ButtonTabControl::TabButton(int index) const
{
    return buttons_.value(index);
}

void ButtonTabControl::OnClicked(QAbstractButton *button)
{
    const int index = int(buttons_.indexOf(button));
    if (index < 0)
        return;
    if (index == current_) {
        UpdateChecks();
        return;
    }
    current_ = index;
    UpdateChecks();
    emit TabChanged(index);
}

void ButtonTabControl::UpdateChecks()
{
    for (int i = 0; i < buttons_.size(); ++i)
        buttons_.at(i)->setChecked(i == current_);
}

} // namespace orv
