#include "device/signal_device_dialog.h"

#include "device/dialog_texts.h"
#include "widgets/widget_names.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <tuple>

namespace orv {

TSign_Ustr::TSign_Ustr(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Sign_Ustr"));
    setWindowTitle(text::SignalDeviceTitle());
    WithoutBorderIcons(this);

    const auto edit = [this](const QString &text, const char *name) {
        auto *e = Named(new QLineEdit(text, this), name);
        e->setFixedWidth(120);
        return e;
    };
    // The unit labels show what the gauge answered; a screen reader reads that text itself.
    const auto unit = [this](const char *name) {
        auto *label = Named(new QLabel(text::SignalUnitDefault(), this), name);
        label->setMinimumWidth(70);
        return label;
    };
    Znachen_Ispolnen = edit(text::ExecutionDefault(), "Znachen_Ispolnen");
    Label6 = LabelFor(Named(new QLabel(text::ExecutionLabel(), this), "Label6"), Znachen_Ispolnen);

    auto *group = Named(new QGroupBox(this), "GroupBox1", QStringLiteral("Уставки и гистерезис"));
    V_procentax = Named(new QRadioButton(text::InPercent(), group), "V_procentax");
    V_ed_indikacii = Named(new QRadioButton(text::InPressureUnits(), group), "V_ed_indikacii");
    V_procentax->setChecked(true);
    Znachen_Ustavka_1 = edit(text::SetPoint1Default(), "Znachen_Ustavka_1");
    Znachen_Ustavka_2 = edit(text::SetPoint2Default(), "Znachen_Ustavka_2");
    Znachen_Gisteresis = edit(text::HysteresisDefault(), "Znachen_Gisteresis");
    Label1 = LabelFor(Named(new QLabel(text::SetPoint1Label(), this), "Label1"), Znachen_Ustavka_1);
    Label2 = LabelFor(Named(new QLabel(text::SetPoint2Label(), this), "Label2"), Znachen_Ustavka_2);
    Label5 = LabelFor(Named(new QLabel(text::HysteresisLabel(), this), "Label5"), Znachen_Gisteresis);
    Ed_Ustavka_1 = unit("Ed_Ustavka_1");
    Ed_Ustavka_2 = unit("Ed_Ustavka_2");
    Ed_Gisteresis = unit("Ed_Gisteresis");

    Button_Sign_Ustr_Read = Named(new QPushButton(text::SignalDeviceRead(), this), "Button_Sign_Ustr_Read");
    Button_Sign_Ustr_Write = Named(new QPushButton(text::SignalDeviceWrite(), this), "Button_Sign_Ustr_Write");
    Button_Sign_Ustr_Vixod = Named(new QPushButton(text::SignalDeviceExit(), this), "Button_Sign_Ustr_Vixod");

    auto *execution = new QHBoxLayout;
    execution->addWidget(Label6);
    execution->addSpacing(12);
    execution->addWidget(Znachen_Ispolnen);
    execution->addStretch();

    auto *radios = new QHBoxLayout;
    radios->addWidget(V_procentax);
    radios->addSpacing(24);
    radios->addWidget(V_ed_indikacii);
    radios->addStretch();
    auto *values = new QGridLayout;
    values->setHorizontalSpacing(12);
    const std::tuple<QLabel *, QLineEdit *, QLabel *> rows[] = {
        {Label1, Znachen_Ustavka_1, Ed_Ustavka_1},
        {Label2, Znachen_Ustavka_2, Ed_Ustavka_2},
        {Label5, Znachen_Gisteresis, Ed_Gisteresis},
    };
    int r = 0;
    for (const auto &[name, value, unitLabel] : rows) {
        values->addWidget(name, r, 0);
        values->addWidget(value, r, 1);
        values->addWidget(unitLabel, r, 2);
        ++r;
    }
    values->setColumnStretch(0, 1);
    auto *inGroup = new QVBoxLayout(group);
    inGroup->addLayout(radios);
    inGroup->addSpacing(6);
    inGroup->addLayout(values);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Button_Sign_Ustr_Read);
    buttons->addStretch();
    buttons->addWidget(Button_Sign_Ustr_Write);
    buttons->addStretch();
    buttons->addWidget(Button_Sign_Ustr_Vixod);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(10);
    layout->addLayout(execution);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    CloseAfterClick(Button_Sign_Ustr_Read, this, ModalOk, [this] { Button_Sign_Ustr_ReadClick(); });
    CloseAfterClick(Button_Sign_Ustr_Write, this, ModalOk, [this] { Button_Sign_Ustr_WriteClick(); });
    CloseAfterClick(Button_Sign_Ustr_Vixod, this, ModalCancel, [this] { Button_Sign_Ustr_VixodClick(); });
    connect(V_procentax, &QRadioButton::clicked, this, &TSign_Ustr::RepresentationClick);
    connect(V_ed_indikacii, &QRadioButton::clicked, this, &TSign_Ustr::RepresentationClick);
}

void TSign_Ustr::Open()
{
    SignalDeviceExitFlag = false;
    RunDialogLoop(*this, SignalDeviceExitFlag);
}

SignalUnits TSign_Ustr::Units() const
{
    return V_procentax->isChecked() ? SignalUnits::Percent : SignalUnits::PressureUnits;
}

void TSign_Ustr::ShowValues(const SignalDeviceTexts &texts)
{
    Znachen_Ispolnen->setText(texts.execution);
    Znachen_Ustavka_1->setText(texts.setPoint1);
    Znachen_Ustavka_2->setText(texts.setPoint2);
    Znachen_Gisteresis->setText(texts.hysteresis);
    // An answer without a unit for a value leaves that caption as it is.
    if (texts.setPoint1Unit)
        Ed_Ustavka_1->setText(*texts.setPoint1Unit);
    if (texts.setPoint2Unit)
        Ed_Ustavka_2->setText(*texts.setPoint2Unit);
    if (texts.hysteresisUnit)
        Ed_Gisteresis->setText(*texts.hysteresisUnit);
}

void TSign_Ustr::ClearSetPoints()
{
    for (QLineEdit *e : {Znachen_Ustavka_1, Znachen_Ustavka_2, Znachen_Gisteresis})
        e->clear();
    for (QLabel *l : {Ed_Ustavka_1, Ed_Ustavka_2, Ed_Gisteresis})
        l->clear();
}

void TSign_Ustr::Button_Sign_Ustr_ReadClick()
{
    // Whatever was shown goes, so that a read without an answer leaves nothing stale behind.
    Znachen_Ispolnen->clear();
    ClearSetPoints();
    link_.Send(BuildReadSignalDevice(Units()));
}

void TSign_Ustr::Button_Sign_Ustr_WriteClick()
{
    link_.Send(BuildWriteSignalDevice(Units(), SignalDeviceInput{Znachen_Ispolnen->text(), Znachen_Ustavka_1->text(),
                                                                 Znachen_Ustavka_2->text(),
                                                                 Znachen_Gisteresis->text()}));
}

void TSign_Ustr::Button_Sign_Ustr_VixodClick()
{
    SignalDeviceExitFlag = true;
}

void TSign_Ustr::RepresentationClick()
{
    // The values of the other representation mean nothing here; the execution number stays.
    ClearSetPoints();
}

} // namespace orv
