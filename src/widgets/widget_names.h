#pragma once
// Every control carries its own name three ways: as objectName (tests and automation find it),
// as accessible description (screen readers and UI automation see it), and, for controls with
// no text of their own, as a readable accessible name.
#include <QLabel>
#include <QString>
#include <QWidget>

namespace orv {

template <typename W>
W *Named(W *widget, const char *name, const QString &accessibleName = QString())
{
    widget->setObjectName(QLatin1String(name));
    widget->setAccessibleDescription(QLatin1String(name));
    if (!accessibleName.isEmpty())
        widget->setAccessibleName(accessibleName);
    return widget;
}

// A label that names an edit or list: buddy and accessible name in one step.
inline QLabel *LabelFor(QLabel *label, QWidget *buddy)
{
    label->setBuddy(buddy);
    if (buddy->accessibleName().isEmpty())
        buddy->setAccessibleName(label->text().trimmed());
    return label;
}

// Windows whose only ways out are their own buttons: a title bar without border icons.
inline void WithoutBorderIcons(QWidget *window)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

} // namespace orv
