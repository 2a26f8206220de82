#include "device/signal_device_dialog.h"

#include "link/widget_names.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace orv {

TSign_Ustr::TSign_Ustr(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Sign_Ustr"));
    setWindowTitle(QStringLiteral("Параметры сигнализирующего устройства"));
    WithoutBorderIcons(this);
    auto *buttons = new QHBoxLayout(this);
    Button_Sign_Ustr_Vixod = Named(new QPushButton(QStringLiteral("Выход"), this), "Button_Sign_Ustr_Vixod");
    buttons->addWidget(Button_Sign_Ustr_Vixod);
    connect(Button_Sign_Ustr_Vixod, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace orv
