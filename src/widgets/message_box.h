#pragma once
// The program's error boxes: one caption everywhere, the program's own name, as the toolkit
// gives it to any error it reports, whichever window the box is opened from.
#include <QMessageBox>
#include <QString>

class QWidget;

namespace orv {

QString MessageBoxCaption();

// A value typed into a field cannot be used, or another error a user's action has met.
void ShowErrorBox(QWidget *parent, const QString &text, QMessageBox::Icon icon = QMessageBox::Critical);

} // namespace orv
