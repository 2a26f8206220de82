// Error boxes carry the program's name as caption, whichever window opens them.
#include "widgets/message_box.h"
#include "support/modal.h"

#include <QDialog>
#include <QMessageBox>
#include <QWidget>
#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(MessageBox, OneCaptionWhicheverWindowOpensIt)
{
    QWidget mainWindow;
    mainWindow.setWindowTitle(QStringLiteral("Программа для работы с цифровыми манометрами КВ-310"));
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Поддиапазон измерений"));
    const QString text = QStringLiteral("'12,3.4' is not a valid floating point value");
    for (QWidget *parent : {&mainWindow, static_cast<QWidget *>(&dialog), static_cast<QWidget *>(nullptr)}) {
        QString caption;
        QString shown;
        testsupport::WhenModalOpens([&](QWidget *modal) {
            caption = modal->windowTitle();
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                shown = box->text();
            modal->close();
        });
        ShowErrorBox(parent, text);
        EXPECT_EQ(caption, QStringLiteral("Orvessa"));
        EXPECT_EQ(shown, text);
    }
}

} // namespace
} // namespace orv
