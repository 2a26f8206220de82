#include "shell/exit_question.h"

#include "link/serial_port.h"
#include "widgets/widget_names.h"
#include "shell/main_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TForm12::TForm12(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form12"));
    // The window has no caption; an empty title would make the window system show the program's name.
    setWindowTitle(QStringLiteral(" "));
    WithoutBorderIcons(this);
    Text = Named(new QLabel(this), "Text");
    QFont font = Text->font();
    font.setPointSizeF(font.pointSizeF() * 1.2);
    font.setBold(true);
    Text->setFont(font);
    Button_YES = Named(new QPushButton(QStringLiteral("ДА"), this), "Button_YES");
    Button_NO = Named(new QPushButton(QStringLiteral("НЕТ"), this), "Button_NO");
    Button_NO->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_YES);
    buttons->addSpacing(24);
    buttons->addWidget(Button_NO);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Text);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    setMinimumWidth(320);
    connect(Button_YES, &QPushButton::clicked, this, &TForm12::Button_YESClick);
    connect(Button_NO, &QPushButton::clicked, this, &TForm12::Button_NOClick);
}

void TForm12::Button_YESClick()
{
    if (form1_) {
        form1_->ExitConfirmed = true;
        if (form1_->ExitQuestionPending) {
            form1_->ExitQuestionPending = false;
            form1_->VaComm1->ClosePort();
            if (!form1_->ExitFromWindowFrame)
                form1_->close();
        }
    }
    accept();
}

void TForm12::Button_NOClick()
{
    if (form1_) {
        form1_->ExitConfirmed = false;
        hide();
        form1_->ExitQuestionPending = false;
    }
    QDialog::reject();
}

void TForm12::reject()
{
    Button_NOClick();
}

} // namespace orv
