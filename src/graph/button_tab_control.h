#pragma once
// A tab control whose tabs are buttons that wrap onto further rows when they do not fit one row,
// with one page widget under them that every tab shares (the chart). The program chooses what a
// tab shows; changing the tab from the program does not signal, only a click by the user does.
#include <QWidget>

class QButtonGroup;
class QAbstractButton;
class QVBoxLayout;

namespace orv {

class FlowLayout;

class ButtonTabControl : public QWidget
{
    Q_OBJECT
public:
    explicit ButtonTabControl(QWidget *parent = nullptr);

    void SetPage(QWidget *page);

    int Count() const;
    int AddTab(const QString &caption);
    void RemoveTab(int index);
    QString TabText(int index) const;
    void SetTabText(int index, const QString &caption);
    int CurrentIndex() const { return current_; }
    void SetCurrentIndex(int index);
    QAbstractButton *TabButton(int index) const;

signals:
    // The user selected another tab.
    void TabChanged(int index);

private:
    void OnClicked(QAbstractButton *button);
    void UpdateChecks();

    QVBoxLayout *layout_;
    QWidget *strip_;
    FlowLayout *flow_;
    QButtonGroup *group_;
    QList<QAbstractButton *> buttons_;
    int current_ = -1;
};

} // namespace orv
