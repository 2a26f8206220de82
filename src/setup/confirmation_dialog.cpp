#include "setup/confirmation_dialog.h"

#include "setup/confirmation_questions.h"
#include "widgets/display_colours.h"
#include "widgets/widget_names.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TPodtvergdenie::TPodtvergdenie(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Podtvergdenie"));
    setWindowTitle(QStringLiteral("Подтверждение"));
    WithoutBorderIcons(this);
    setFixedSize(351, 128);

    Label1 = Named(new QLabel(this), "Label1");
    QFont font = Label1->font();
    font.setPointSizeF(font.pointSizeF() * 1.25);
    font.setBold(true);
    Label1->setFont(font);
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::WindowText, MessageRed());
    Label1->setPalette(palette);
    // The questions carry leading blanks of their own; they must not be trimmed away.
    Label1->setTextFormat(Qt::PlainText);

    BitBtn1 = Named(new QPushButton(QStringLiteral("Да"), this), "BitBtn1");
    BitBtn2 = Named(new QPushButton(QStringLiteral("Отмена"), this), "BitBtn2");
    BitBtn2->setShortcut(Qt::Key_Escape);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addSpacing(30);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1, 1);
    layout->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

bool TPodtvergdenie::Ask(const QString &question)
{
    Label1->setText(question);
    // Esc or anything else that closes the window counts as "Отмена".
    return exec() == QDialog::Accepted;
}

std::optional<Request> ConfirmRequest(int attempt, TPodtvergdenie &confirmation, const Request &request)
{
    if (attempt == 1 && !confirmation.Ask(ConfirmationQuestion(request.command)))
        return std::nullopt;
    return request;
}

} // namespace orv
