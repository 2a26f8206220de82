#include "device/pressure_unit_dialog.h"

#include "device/dialog_texts.h"
#include "widgets/widget_names.h"
#include "gauge/pressure_units.h"
#include "widgets/typed_combo_box.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

namespace {

// The toolkit's own caption of an OK button, in the language the program runs in.
QString StandardOkText()
{
    QDialogButtonBox box(QDialogButtonBox::Ok);
    return box.button(QDialogButtonBox::Ok)->text();
}

} // namespace

TUkaz_Ed_Davl::TUkaz_Ed_Davl(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Ukaz_Ed_Davl"));
    setWindowTitle(text::PressureUnitTitle());
    WithoutBorderIcons(this);

    Ed_Davlen = Named(new QComboBox(this), "Ed_Davlen");
    MakeTypedEntry(Ed_Davlen);
    Ed_Davlen->addItems(PressureUnitNames());
    Ed_Davlen->setCurrentText(text::PressureUnitDefault());
    Ed_Davlen->setMinimumWidth(140);
    Label1 = LabelFor(Named(new QLabel(text::PressureUnitPrompt(), this), "Label1"), Ed_Davlen);

    Button_Ed_Davlenie = Named(new QPushButton(StandardOkText(), this), "Button_Ed_Davlenie");
    Button_Ed_Davlenie->setDefault(true);
    BitBtn1 = Named(new QPushButton(text::PressureUnitCancel(), this), "BitBtn1");

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_Ed_Davlenie);
    buttons->addSpacing(20);
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(Label1);
    layout->addWidget(Ed_Davlen, 0, Qt::AlignHCenter);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button_Ed_Davlenie, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

bool TUkaz_Ed_Davl::Ask()
{
    setWindowTitle(text::PressureUnitTitle());
    Label1->setText(text::PressureUnitPrompt());
    return exec() == QDialog::Accepted;
}

QString TUkaz_Ed_Davl::unitText() const
{
    return Ed_Davlen->currentText();
}

} // namespace orv
