#include "device/response_delay_dialog.h"

#include "link/widget_names.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace orv {

TTime_Delay_Pribor::TTime_Delay_Pribor(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Time_Delay_Pribor"));
    setWindowTitle(QStringLiteral("Длительность задержки ответа прибора"));
    WithoutBorderIcons(this);
    auto *buttons = new QHBoxLayout(this);
    Button_Delay_Vixod = Named(new QPushButton(QStringLiteral("Выход"), this), "Button_Delay_Vixod");
    buttons->addWidget(Button_Delay_Vixod);
    connect(Button_Delay_Vixod, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace orv
