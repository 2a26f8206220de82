#include "wait_window.h"

#include "graph_texts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

namespace orv {

TOgidanie::TOgidanie(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Label1(new QLabel(this))
{
    setObjectName(QStringLiteral("TOgidanie"));
    setWindowTitle(graph_texts::WaitCaption);
    setModal(false);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAccessibleDescription(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    Label1->setFont(bold);
    Label1->setAlignment(Qt::AlignCenter);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->addWidget(Label1);
}

void TOgidanie::ShowWaiting(const QString &text)
{
    Label1->setText(text);
    adjustSize();
    const QWidget *over = QApplication::activeWindow();
    QRect area = over && over != this ? over->frameGeometry()
                                      : (screen() ? screen()->availableGeometry() : QRect());
    if (area.isValid())
        move(area.center() - rect().center());
    show();
    raise();
    repaint();
    // Let the window appear before the work begins; user input waits until it is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TOgidanie::HideWaiting()
{
    hide();
}

QString TOgidanie::Text() const
{
    return Label1->text();
}

} // namespace orv
