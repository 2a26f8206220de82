#include "device/sub_range_dialog.h"

#include "link/widget_names.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace orv {

TPodDiapazon::TPodDiapazon(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PodDiapazon"));
    setWindowTitle(QStringLiteral("Поддиапазон измерений"));
    WithoutBorderIcons(this);
    auto *buttons = new QHBoxLayout(this);
    BitBtn2 = Named(new QPushButton(QStringLiteral("Выход"), this), "BitBtn2");
    buttons->addWidget(BitBtn2);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace orv
