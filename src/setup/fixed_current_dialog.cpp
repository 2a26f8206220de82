#include "setup/fixed_current_dialog.h"

#include "link/widget_names.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace orv {

TForm9::TForm9(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Режим фиксированного тока"));
    WithoutBorderIcons(this);
    auto *buttons = new QHBoxLayout(this);
    BitBtn1 = Named(new QPushButton(QStringLiteral("Задать"), this), "BitBtn1");
    buttons->addWidget(BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    BitBtn3 = Named(new QPushButton(QStringLiteral("Отключить"), this), "BitBtn3");
    buttons->addWidget(BitBtn3);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::accept);
    BitBtn2 = Named(new QPushButton(QStringLiteral("Выход"), this), "BitBtn2");
    buttons->addWidget(BitBtn2);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace orv
