#include "setup/fixed_current_dialog.h"

#include "widgets/widget_names.h"
#include "setup/setup_window_texts.h"
#include "widgets/up_down_buttons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace orv {

namespace {
constexpr int InitialCurrent = 4;
}

TForm9::TForm9(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Режим фиксированного тока"));
    WithoutBorderIcons(this);

    LabeledEdit1 = Named(new QLineEdit(text::FixedCurrentInitial(), this), "LabeledEdit1");
    LabeledEdit1->setFixedWidth(LabeledEdit1->fontMetrics().horizontalAdvance(QStringLiteral("-00,000")) + 16);
    LabeledEdit1Label = LabelFor(new QLabel(text::FixedCurrentLabel(), this), LabeledEdit1);
    UpDown1 = Named(new UpDownButtons(LabeledEdit1, 0, 20, InitialCurrent, this), "UpDown1",
                    QStringLiteral("Изменить силу тока"));

    BitBtn1 = Named(new QPushButton(text::FixedCurrentSetCaption(), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn3 = Named(new QPushButton(text::FixedCurrentOffCaption(), this), "BitBtn3");
    BitBtn2 = Named(new QPushButton(text::FixedCurrentExitCaption(), this), "BitBtn2");
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn3, &QPushButton::clicked, this, [this] {
        LabeledEdit1->setText(text::FixedCurrentOffText());
        accept();
    });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto *edit = new QHBoxLayout;
    edit->setSpacing(0);
    edit->addWidget(LabeledEdit1Label);
    edit->addWidget(LabeledEdit1);
    edit->addWidget(UpDown1);
    edit->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(edit);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

void TForm9::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        UpDown1->SetPosition(InitialCurrent);
    QDialog::showEvent(event);
}

QString TForm9::currentText() const
{
    return LabeledEdit1->text();
}

} // namespace orv
