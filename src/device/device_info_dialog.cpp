#include "device/device_info_dialog.h"

#include "link/widget_names.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace orv {

TZavod_Parametrs::TZavod_Parametrs(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Zavod_Parametrs"));
    setWindowTitle(QStringLiteral("Сведения о приборе"));
    WithoutBorderIcons(this);
    auto *buttons = new QHBoxLayout(this);
    Button_Vixod = Named(new QPushButton(QStringLiteral("Выход"), this), "Button_Vixod");
    buttons->addWidget(Button_Vixod);
    connect(Button_Vixod, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace orv
