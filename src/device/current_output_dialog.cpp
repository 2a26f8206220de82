#include "device/current_output_dialog.h"

#include "device/device_requests.h"
#include "device/device_texts.h"
#include "device/dialog_texts.h"
#include "widgets/lamp.h"
#include "widgets/up_down_buttons.h"
#include "widgets/widget_names.h"
#include "widgets/display_colours.h"
#include "widgets/typed_combo_box.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orv {

namespace {

constexpr int DacCodeMinimum = 1;
constexpr int DacCodeMaximum = 4095;

} // namespace

TUkaz_Tok::TUkaz_Tok(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Ukaz_Tok"));
    setWindowTitle(text::CurrentOutputTitle());
    WithCloseButtonOnly(this);

    // The output range.
    GroupBox1 = Named(new QGroupBox(text::CurrentRangeGroup(), this), "GroupBox1");
    Znachen_Tok = Named(new QComboBox(GroupBox1), "Znachen_Tok", text::CurrentRangeGroup());
    MakeTypedEntry(Znachen_Tok);
    Znachen_Tok->addItems(text::CurrentRangeTexts());
    Znachen_Tok->setCurrentText(text::CurrentRangeDefault());
    Znachen_Tok->setMinimumWidth(150);
    Button_tok_read = Named(new QPushButton(text::CurrentRangeRead(), GroupBox1), "Button_tok_read");
    auto *range = new QHBoxLayout(GroupBox1);
    range->addWidget(Znachen_Tok);
    range->addStretch();
    range->addWidget(Button_tok_read);

    // The DAC codes.
    GroupBox2 = Named(new QGroupBox(text::DacCodesGroup(), this), "GroupBox2");
    const auto codeEdit = [this](const QString &text, const char *name) {
        auto *e = Named(new QLineEdit(text, GroupBox2), name);
        e->setFixedWidth(70);
        return e;
    };
    Edit1 = codeEdit(text::DacLowerDefault(), "Edit1");
    Edit2 = codeEdit(text::DacUpperDefault(), "Edit2");
    UpDownMin = Named(new UpDownButtons(Edit1, DacCodeMinimum, DacCodeMaximum, Edit1->text().toInt(), GroupBox2), "UpDownMin",
                      QStringLiteral("DacMin: больше или меньше"));
    UpDownMax = Named(new UpDownButtons(Edit2, DacCodeMinimum, DacCodeMaximum, Edit2->text().toInt(), GroupBox2), "UpDownMax",
                      QStringLiteral("DacMax: больше или меньше"));
    Label1 = LabelFor(Named(new QLabel(text::DacLowerLabel(), GroupBox2), "Label1"), Edit1);
    Label3 = LabelFor(Named(new QLabel(text::DacUpperLabel(), GroupBox2), "Label3"), Edit2);
    Label2 = Named(new QLabel(text::DacLowerShortLabel(), GroupBox2), "Label2");
    Label4 = Named(new QLabel(text::DacUpperShortLabel(), GroupBox2), "Label4");
    // The two code edits stand one above the other.
    const int shortWidth = std::max(Label2->sizeHint().width(), Label4->sizeHint().width());
    Label2->setFixedWidth(shortWidth);
    Label4->setFixedWidth(shortWidth);
    Button_DAC_read = Named(new QPushButton(text::DacRead(), GroupBox2), "Button_DAC_read");
    Button_DAC_write = Named(new QPushButton(text::DacWrite(), GroupBox2), "Button_DAC_write");

    const auto codeRow = [](QLabel *shortLabel, QLineEdit *edit, UpDownButtons *upDown) {
        auto *row = new QHBoxLayout;
        row->setSpacing(4);
        row->addWidget(shortLabel);
        row->addSpacing(6);
        row->addWidget(edit);
        row->addWidget(upDown);
        row->addStretch();
        return row;
    };

    // The fixed-current modes.
    // Named with its own title: a group inside a group would otherwise be announced by the outer one's.
    GroupBox4 = Named(new QGroupBox(text::FixedCurrentGroup(), GroupBox2), "GroupBox4", text::FixedCurrentGroup());
    Shape1 = Named(new Lamp(GroupBox4), "Shape1", QStringLiteral("Индикатор DacMin"));
    Shape2 = Named(new Lamp(GroupBox4), "Shape2", QStringLiteral("Индикатор DacMax"));
    Shape3 = Named(new Lamp(GroupBox4), "Shape3", QStringLiteral("Индикатор выключения"));
    VKL_Regim_DAC_Min = Named(new QPushButton(text::FixedCurrentDacMinButton(), GroupBox4), "VKL_Regim_DAC_Min");
    VKL_Regim_DAC_Max = Named(new QPushButton(text::FixedCurrentDacMaxButton(), GroupBox4), "VKL_Regim_DAC_Max");
    VIKL_Regim = Named(new QPushButton(text::FixedCurrentOffButton(), GroupBox4), "VIKL_Regim");
    auto *modes = new QHBoxLayout(GroupBox4);
    const std::pair<Lamp *, QPushButton *> lampButtons[] = {
        {Shape1, VKL_Regim_DAC_Min}, {Shape2, VKL_Regim_DAC_Max}, {Shape3, VIKL_Regim}};
    bool first = true;
    for (const auto &[lamp, button] : lampButtons) {
        if (!first)
            modes->addStretch();
        first = false;
        modes->addWidget(lamp);
        modes->addSpacing(4);
        modes->addWidget(button);
    }

    auto *codeButtons = new QVBoxLayout;
    codeButtons->addWidget(Button_DAC_read);
    codeButtons->addWidget(Button_DAC_write);
    codeButtons->addStretch();
    auto *codes = new QVBoxLayout;
    codes->addWidget(Label1);
    codes->addLayout(codeRow(Label2, Edit1, UpDownMin));
    codes->addSpacing(6);
    codes->addWidget(Label3);
    codes->addLayout(codeRow(Label4, Edit2, UpDownMax));
    auto *codesAndButtons = new QHBoxLayout;
    codesAndButtons->addLayout(codes, 1);
    codesAndButtons->addSpacing(10);
    codesAndButtons->addLayout(codeButtons);
    auto *inGroup2 = new QVBoxLayout(GroupBox2);
    inGroup2->addLayout(codesAndButtons);
    inGroup2->addSpacing(4);
    inGroup2->addWidget(GroupBox4);

    Button_tok_vixod = Named(new QPushButton(text::CurrentOutputExit(), this), "Button_tok_vixod");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addWidget(Button_tok_vixod, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    CloseAfterClick(Button_tok_read, this, ModalOk, [this] { Button_tok_readClick(); });
    CloseAfterClick(Button_DAC_read, this, ModalOk, [this] { Button_DAC_readClick(); });
    CloseAfterClick(Button_DAC_write, this, ModalOk, [this] { Button_DAC_writeClick(); });
    CloseAfterClick(VKL_Regim_DAC_Min, this, ModalOk, [this] { FixedCurrentClick(FixedCurrentButton::DacMin); });
    CloseAfterClick(VKL_Regim_DAC_Max, this, ModalOk, [this] { FixedCurrentClick(FixedCurrentButton::DacMax); });
    CloseAfterClick(VIKL_Regim, this, ModalCancel, [this] { FixedCurrentClick(FixedCurrentButton::Off); });
    CloseAfterClick(Button_tok_vixod, this, ModalCancel, [this] { Button_tok_vixodClick(); });
}

void TUkaz_Tok::Open()
{
    // Every opening starts from the defaults: what a previous session showed may no longer hold.
    Znachen_Tok->setCurrentText(text::CurrentRangeDefault());
    Edit1->setText(text::DacLowerDefault());
    Edit2->setText(text::DacUpperDefault());
    for (Lamp *lamp : {Shape1, Shape2, Shape3})
        lamp->SetColour(LampSilver());
    Marks = FixedCurrentMarks{};
    CurrentOutputExitFlag = false;
    RunDialogLoop(*this, CurrentOutputExitFlag);
}

void TUkaz_Tok::ShowCurrentRange(const QString &rangeText)
{
    Znachen_Tok->setCurrentText(rangeText);
}

void TUkaz_Tok::ShowDacCodes(const DacCodeTexts &codes)
{
    Edit1->setText(codes.lower);
    Edit2->setText(codes.upper);
}

void TUkaz_Tok::ApplyFixedCurrent(const FixedCurrentOutcome &outcome)
{
    Marks = outcome.marks;
    if (outcome.lamps) {
        Shape1->SetColour(outcome.lamps->shape1);
        Shape2->SetColour(outcome.lamps->shape2);
        Shape3->SetColour(outcome.lamps->shape3);
    }
}

void TUkaz_Tok::ExchangeFailed()
{
    ApplyFixedCurrent(FixedCurrentFailureOutcome(Marks));
}

void TUkaz_Tok::Button_tok_readClick()
{
    link_.Send(BuildReadCurrentRange());
}

void TUkaz_Tok::Button_DAC_readClick()
{
    link_.Send(BuildReadDacCodes());
}

void TUkaz_Tok::Button_DAC_writeClick()
{
    // The codes travel as typed: the arrows' range binds only the arrows.
    link_.Send(BuildWriteDacCodes(Edit1->text(), Edit2->text()));
}

void TUkaz_Tok::FixedCurrentClick(FixedCurrentButton button)
{
    // The mark is set before the value is converted, so a range text that is neither range
    // leaves the button marked although nothing goes out.
    Marks = MarksAfterPress(button);
    link_.Send(BuildFixedCurrentForButton(button, Znachen_Tok->currentText()));
}

void TUkaz_Tok::Button_tok_vixodClick()
{
    CurrentOutputExitFlag = true;
}

} // namespace orv
