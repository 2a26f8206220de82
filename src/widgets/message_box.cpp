#include "widgets/message_box.h"

namespace orv {

QString MessageBoxCaption() { return QStringLiteral("Orvessa"); }

void ShowErrorBox(QWidget *parent, const QString &text, QMessageBox::Icon icon)
{
    QMessageBox box(icon, MessageBoxCaption(), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace orv
