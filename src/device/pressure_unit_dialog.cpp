#include "device/pressure_unit_dialog.h"

#include "link/widget_names.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace orv {

TUkaz_Ed_Davl::TUkaz_Ed_Davl(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Ukaz_Ed_Davl"));
    setWindowTitle(QStringLiteral("Указание единиц измерений"));
    WithoutBorderIcons(this);
    auto *buttons = new QHBoxLayout(this);
    BitBtn1 = Named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    buttons->addWidget(BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    BitBtn2 = Named(new QPushButton(QStringLiteral("Отмена"), this), "BitBtn2");
    buttons->addWidget(BitBtn2);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace orv
