#include "registration/overwrite_prompt.h"

#include "link/widget_names.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace orv {

TPerezap_File::TPerezap_File(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Perezap_File"));
    setWindowTitle(QStringLiteral("Перезапись файла"));
    WithoutBorderIcons(this);
    auto *buttons = new QHBoxLayout(this);
    BitBtn1 = Named(new QPushButton(QStringLiteral("Да"), this), "BitBtn1");
    buttons->addWidget(BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    BitBtn2 = Named(new QPushButton(QStringLiteral("Отмена"), this), "BitBtn2");
    buttons->addWidget(BitBtn2);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
    BitBtn3 = Named(new QPushButton(QStringLiteral("Открыть для продолжения записи"), this), "BitBtn3");
    buttons->addWidget(BitBtn3);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace orv
