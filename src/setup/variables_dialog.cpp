#include "setup/variables_dialog.h"

#include "link/widget_names.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace orv {

TForm5::TForm5(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Ввод переменных"));
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
