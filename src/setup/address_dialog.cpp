#include "setup/address_dialog.h"

#include "widgets/widget_names.h"
#include "setup/setup_window_texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TForm3::TForm3(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Введите адрес опроса"));
    WithoutBorderIcons(this);

    LabeledEdit1 = Named(new QLineEdit(text::AddressDialogInitial(), this), "LabeledEdit1",
                         QStringLiteral("Новый адрес опроса"));
    LabeledEdit1->setMaxLength(3);
    LabeledEdit1->setAlignment(Qt::AlignCenter);
    QFont font = LabeledEdit1->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    LabeledEdit1->setFont(font);
    LabeledEdit1->setFixedWidth(LabeledEdit1->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    // The label is a single blank: the window's caption says what to type.
    LabeledEdit1Label = LabelFor(new QLabel(QStringLiteral(" "), this), LabeledEdit1);

    BitBtn1 = Named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = Named(new QPushButton(text::CancelCaption(), this), "BitBtn2");
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto *edit = new QHBoxLayout;
    edit->addStretch();
    edit->addWidget(LabeledEdit1Label);
    edit->addWidget(LabeledEdit1);
    edit->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(edit);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(300);
}

QString TForm3::address() const
{
    return LabeledEdit1->text();
}

} // namespace orv
