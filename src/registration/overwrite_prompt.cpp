#include "registration/overwrite_prompt.h"

#include "widgets/display_colours.h"
#include "widgets/widget_names.h"
#include "registration/registration_texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

namespace {

// The window is laid out on a fixed grid: the two buttons of the overwrite question sit at
// 192 and 328, centred under the message.
constexpr int FormWidth = 633;
constexpr int FormHeight = 140;
constexpr int ButtonTop = 94;
constexpr int ButtonWidth = 113;
constexpr int ButtonHeight = 30;
constexpr int YesLeft = 192;
constexpr int CancelLeft = 328;

} // namespace

TPerezap_File::TPerezap_File(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Perezap_File"));
    setWindowTitle(regtext::OverwriteCaption());
    WithoutBorderIcons(this);
    setFixedSize(FormWidth, FormHeight);

    Edit1 = Named(new QLineEdit(this), "Edit1", QStringLiteral("Сообщение"));
    Edit1->setReadOnly(true);
    Edit1->setGeometry(16, 16, FormWidth - 32, 26);

    Label2 = Named(new QLabel(regtext::OverwriteQuestion(), this), "Label2");
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(16, 54, FormWidth - 32, 24);
    QPalette red = Label2->palette();
    red.setColor(QPalette::WindowText, MessageRed());
    Label2->setPalette(red);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);

    BitBtn1 = Named(new QPushButton(regtext::OverwriteYes(), this), "BitBtn1");
    BitBtn3 = Named(new QPushButton(regtext::OverwriteContinue(), this), "BitBtn3");
    BitBtn2 = Named(new QPushButton(regtext::OverwriteCancel(), this), "BitBtn2");
    // With all three offered: "Да", the continuation, "Отмена" from left to right.
    BitBtn1->setGeometry(16, ButtonTop, ButtonWidth, ButtonHeight);
    BitBtn3->setGeometry(16 + ButtonWidth + 16, ButtonTop, FormWidth - 2 * (16 + ButtonWidth + 16), ButtonHeight);
    BitBtn2->setGeometry(FormWidth - 16 - ButtonWidth, ButtonTop, ButtonWidth, ButtonHeight);
    // Enter must not wipe a survey: recreating the files takes a deliberate click on "Да".
    BitBtn2->setDefault(true);

    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        OverwriteConfirmed = true;
        accept();
    });
    connect(BitBtn3, &QPushButton::clicked, this, [this] {
        OverwriteConfirmed = false;
        accept();
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        OverwriteConfirmed = false;
        reject();
    });
    // Esc closes the window as "Отмена" does.
    connect(this, &QDialog::rejected, this, [this] { OverwriteConfirmed = false; });
}

bool TPerezap_File::AskOverwrite(const QString &message)
{
    OverwriteConfirmed = false;
    Edit1->setText(message);
    Edit1->setCursorPosition(0);
    Label2->setText(regtext::OverwriteQuestion());
    BitBtn3->hide();
    BitBtn1->move(YesLeft, ButtonTop);
    BitBtn2->move(CancelLeft, ButtonTop);
    exec();
    return OverwriteConfirmed;
}

} // namespace orv
