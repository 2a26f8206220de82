#include "device/device_info_dialog.h"

#include "device/device_requests.h"
#include "device/dialog_texts.h"
#include "widgets/widget_names.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

TZavod_Parametrs::TZavod_Parametrs(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Zavod_Parametrs"));
    setWindowTitle(text::DeviceInfoTitle());
    WithCloseButtonOnly(this);

    Edit1 = Named(new QLineEdit(text::SerialNumberDefault(), this), "Edit1");
    Edit2 = Named(new QLineEdit(text::YearDefault(), this), "Edit2");
    Label1 = LabelFor(Named(new QLabel(text::SerialNumberLabel(), this), "Label1"), Edit1);
    Label2 = LabelFor(Named(new QLabel(text::YearLabel(), this), "Label2"), Edit2);
    Button_Read = Named(new QPushButton(text::DeviceInfoRead(), this), "Button_Read");
    Button_Vixod = Named(new QPushButton(text::DeviceInfoExit(), this), "Button_Vixod");
    for (QLineEdit *edit : {Edit1, Edit2})
        edit->setFixedWidth(90);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(Edit1, 0, 1);
    fields->addWidget(Label2, 1, 0);
    fields->addWidget(Edit2, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_Read);
    buttons->addSpacing(20);
    buttons->addWidget(Button_Vixod);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    CloseAfterClick(Button_Read, this, ModalOk, [this] { Button_ReadClick(); });
    CloseAfterClick(Button_Vixod, this, ModalCancel, [this] { Button_VixodClick(); });
}

void TZavod_Parametrs::Open()
{
    DeviceInfoExitFlag = false;
    RunDialogLoop(*this, DeviceInfoExitFlag);
}

void TZavod_Parametrs::ShowDeviceInfo(const DeviceInfoTexts &texts)
{
    Edit1->setText(texts.serialNumber);
    Edit2->setText(texts.year);
}

void TZavod_Parametrs::Button_ReadClick()
{
    // The edits keep their texts until the answer replaces them.
    link_.Send(BuildReadDeviceInfo());
}

void TZavod_Parametrs::Button_VixodClick()
{
    DeviceInfoExitFlag = true;
}

} // namespace orv
