#include "widgets/modal_loop.h"

#include <QDialog>
#include <QPointer>

namespace orv {

void RunDialogLoop(QDialog &dialog, const bool &exitFlag)
{
    QPointer<QDialog> guard(&dialog);
    bool finished = false;
    const QMetaObject::Connection connection =
        QObject::connect(&dialog, &QDialog::finished, &dialog, [&finished] { finished = true; });
    while (!exitFlag) {
        finished = false;
        dialog.exec();
        // A dialog closed by its buttons, Esc or the title bar has finished; an event loop ended
        // by the program's end has not.
        if (!guard || !finished)
            break;
    }
    if (guard)
        QObject::disconnect(connection);
}

} // namespace orv
