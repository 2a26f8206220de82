#include "device/sub_range_dialog.h"

#include "device/device_requests.h"
#include "device/dialog_texts.h"
#include "widgets/widget_names.h"
#include "gauge/pressure_units.h"
#include "widgets/typed_combo_box.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

namespace {

QComboBox *UnitBox(QWidget *parent, const char *name, const QString &accessibleName)
{
    auto *box = Named(new QComboBox(parent), name, accessibleName);
    MakeTypedEntry(box);
    box->addItems(PressureUnitNames());
    box->setCurrentIndex(-1);
    box->setEditText(QString());
    box->setMinimumWidth(110);
    return box;
}

QLineEdit *NumberEdit(QWidget *parent, const QString &text, const char *name, const QString &accessibleName = {})
{
    auto *edit = Named(new QLineEdit(text, parent), name, accessibleName);
    edit->setFixedWidth(95);
    return edit;
}

// A screen reader reads the message itself, so the label has no fixed accessible name.
QLabel *MessageLabel(QWidget *parent, const char *name)
{
    auto *label = Named(new QLabel(text::MessageLabelDefault(), parent), name);
    label->setMinimumHeight(label->sizeHint().height());
    return label;
}

void ShowMessage(QLabel *label, const LabelMessage &message)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, message.colour);
    label->setPalette(palette);
    if (message.text)
        label->setText(*message.text);
}

// "От  (" lower "до" upper ")" unit: the limits of a range read as one line.
QHBoxLayout *RangeLine(QWidget *group, const char *fromName, const char *toName, const char *closeName,
                       QLineEdit *lower, QLineEdit *upper, QComboBox *unit)
{
    auto *line = new QHBoxLayout;
    line->setSpacing(6);
    // The edits carry accessible names of their own; the short words in front are their buddies.
    line->addWidget(LabelFor(Named(new QLabel(text::RangeFrom(), group), fromName), lower));
    line->addWidget(lower);
    line->addWidget(LabelFor(Named(new QLabel(text::RangeTo(), group), toName), upper));
    line->addWidget(upper);
    line->addWidget(Named(new QLabel(text::RangeClose(), group), closeName));
    line->addSpacing(6);
    line->addWidget(unit);
    return line;
}

} // namespace

TPodDiapazon::TPodDiapazon(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PodDiapazon"));
    setWindowTitle(text::SubRangeTitle());
    WithCloseButtonOnly(this);

    // The main range: read only.
    GroupBox2 = Named(new QGroupBox(text::MainRangeGroup(), this), "GroupBox2");
    Edit_Osndiap_Pmin = NumberEdit(GroupBox2, text::LowerLimitDefault(), "Edit_Osndiap_Pmin",
                                   QStringLiteral("Нижний предел основного диапазона"));
    Edit_Osndiap_Pmax = NumberEdit(GroupBox2, text::UpperLimitDefault(), "Edit_Osndiap_Pmax",
                                   QStringLiteral("Верхний предел основного диапазона"));
    Ed_Osndiap = UnitBox(GroupBox2, "Ed_Osndiap", QStringLiteral("Единица основного диапазона"));
    Button_Osn_Read = Named(new QPushButton(text::RangeRead(), GroupBox2), "Button_Osn_Read");
    Label_Error_OsnDiap = MessageLabel(GroupBox2, "Label_Error_OsnDiap");
    {
        auto *line = RangeLine(GroupBox2, "Label1", "Label2", "Label3", Edit_Osndiap_Pmin, Edit_Osndiap_Pmax, Ed_Osndiap);
        line->addStretch();
        line->addWidget(Button_Osn_Read);
        auto *inGroup = new QVBoxLayout(GroupBox2);
        inGroup->addLayout(line);
        inGroup->addWidget(Label_Error_OsnDiap);
    }

    // The sub-range: read, or re-range by its limits.
    GroupBox1 = Named(new QGroupBox(text::SubRangeGroup(), this), "GroupBox1");
    Edit_Poddiap_Pmin = NumberEdit(GroupBox1, text::LowerLimitDefault(), "Edit_Poddiap_Pmin",
                                   QStringLiteral("Нижний предел поддиапазона"));
    Edit_Poddiap_Pmax = NumberEdit(GroupBox1, text::UpperLimitDefault(), "Edit_Poddiap_Pmax",
                                   QStringLiteral("Верхний предел поддиапазона"));
    Ed_Poddiap = UnitBox(GroupBox1, "Ed_Poddiap", QStringLiteral("Единица поддиапазона"));
    Button_Poddiap_Write = Named(new QPushButton(text::RangeWrite(), GroupBox1), "Button_Poddiap_Write");
    Button_Poddiap_Read = Named(new QPushButton(text::RangeRead(), GroupBox1), "Button_Poddiap_Read");
    Label_Error = MessageLabel(GroupBox1, "Label_Error");
    {
        auto *line = RangeLine(GroupBox1, "Label4", "Label5", "Label6", Edit_Poddiap_Pmin, Edit_Poddiap_Pmax, Ed_Poddiap);
        line->addStretch();
        line->addWidget(Button_Poddiap_Write);
        line->addWidget(Button_Poddiap_Read);
        auto *inGroup = new QVBoxLayout(GroupBox1);
        inGroup->addLayout(line);
        inGroup->addWidget(Label_Error);
    }

    // The re-ranging ratio.
    GroupBox3 = Named(new QGroupBox(text::RatioGroup(), this), "GroupBox3");
    Edit_Koeff_Poddiap = NumberEdit(GroupBox3, text::CurrentRatioDefault(), "Edit_Koeff_Poddiap");
    Label8 = LabelFor(Named(new QLabel(text::CurrentRatioLabel(), GroupBox3), "Label8"), Edit_Koeff_Poddiap);
    Button_Koeff_Poddiap_Write = Named(new QPushButton(text::RangeWrite(), GroupBox3), "Button_Koeff_Poddiap_Write");
    Button_Koeff_Poddiap_Read = Named(new QPushButton(text::RangeRead(), GroupBox3), "Button_Koeff_Poddiap_Read");
    Label_Error_Koeff_PodDiap =
        MessageLabel(GroupBox3, "Label_Error_Koeff_PodDiap");
    Label_Text = MessageLabel(GroupBox3, "Label_Text");
    GroupBox4 = Named(new QGroupBox(GroupBox3), "GroupBox4", QStringLiteral("Предельное значение коэффициента"));
    Edit_Koeff_Osndiap = NumberEdit(GroupBox4, text::RatioLimitDefault(), "Edit_Koeff_Osndiap");
    Label9 = LabelFor(Named(new QLabel(text::RatioLimitLabel(), GroupBox4), "Label9"), Edit_Koeff_Osndiap);
    Button_Koeff_Osndiap_Read = Named(new QPushButton(text::RangeRead(), GroupBox4), "Button_Koeff_Osndiap_Read");
    {
        auto *current = new QHBoxLayout;
        current->addWidget(Label8);
        current->addWidget(Edit_Koeff_Poddiap);
        current->addStretch();
        current->addWidget(Button_Koeff_Poddiap_Write);
        current->addWidget(Button_Koeff_Poddiap_Read);
        auto *limit = new QHBoxLayout(GroupBox4);
        limit->addWidget(Label9);
        limit->addWidget(Edit_Koeff_Osndiap);
        limit->addStretch();
        limit->addWidget(Button_Koeff_Osndiap_Read);
        auto *inGroup = new QVBoxLayout(GroupBox3);
        inGroup->addLayout(current);
        inGroup->addWidget(Label_Error_Koeff_PodDiap);
        inGroup->addWidget(Label_Text);
        inGroup->addWidget(GroupBox4);
    }

    BitBtn2 = Named(new QPushButton(text::SubRangeExit(), this), "BitBtn2");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(GroupBox2);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox3);
    layout->addWidget(BitBtn2, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    CloseAfterClick(Button_Osn_Read, this, ModalRetry, [this] { Button_Osn_ReadClick(); });
    CloseAfterClick(Button_Poddiap_Write, this, ModalOk, [this] { Button_Poddiap_WriteClick(); });
    CloseAfterClick(Button_Poddiap_Read, this, ModalRetry, [this] { Button_Poddiap_ReadClick(); });
    CloseAfterClick(Button_Koeff_Poddiap_Write, this, ModalOk, [this] { Button_Koeff_Poddiap_WriteClick(); });
    CloseAfterClick(Button_Koeff_Poddiap_Read, this, ModalRetry, [this] { Button_Koeff_Poddiap_ReadClick(); });
    CloseAfterClick(Button_Koeff_Osndiap_Read, this, ModalRetry, [this] { Button_Koeff_Osndiap_ReadClick(); });
    CloseAfterClick(BitBtn2, this, ModalCancel, [this] { BitBtn2Click(); });
}

void TPodDiapazon::Open()
{
    for (QLabel *label : {Label_Error_OsnDiap, Label_Error, Label_Error_Koeff_PodDiap, Label_Text})
        label->clear();
    SubRangeExitFlag = false;
    RunDialogLoop(*this, SubRangeExitFlag);
}

void TPodDiapazon::FillRangeGroups(const std::optional<RangeGroupFill> &subRange,
                                   const std::optional<RangeGroupFill> &mainRange)
{
    const auto fill = [](const RangeGroup &group, const RangeGroupFill &values) {
        group.unit->setEditText(values.unitText);
        group.lower->setText(values.lowerLimit);
        group.upper->setText(values.upperLimit);
    };
    if (subRange)
        fill(SubGroup(), *subRange);
    if (mainRange)
        fill(MainGroup(), *mainRange);
}

void TPodDiapazon::ShowAnswer(const SubRangeDialogTexts &texts)
{
    FillRangeGroups(texts.subRangeGroup, texts.mainRangeGroup);
    if (texts.labelError)
        ShowMessage(Label_Error, *texts.labelError);
    if (texts.labelErrorKoeffPodDiap)
        ShowMessage(Label_Error_Koeff_PodDiap, *texts.labelErrorKoeffPodDiap);
    if (texts.labelText)
        Label_Text->setText(*texts.labelText);
    if (texts.editKoeffPoddiap)
        Edit_Koeff_Poddiap->setText(*texts.editKoeffPoddiap);
    if (texts.editKoeffOsndiap)
        Edit_Koeff_Osndiap->setText(*texts.editKoeffOsndiap);
}

void TPodDiapazon::ReadRanges(RangeReadTarget target, const RangeGroup &group)
{
    // The answer carries both ranges; the target says which group it is for.
    if (RangeTarget)
        *RangeTarget = target;
    group.lower->clear();
    group.upper->clear();
    group.unit->setEditText(QString());
    Label_Error->clear();
    link_.Send(BuildReadRanges());
}

void TPodDiapazon::Button_Osn_ReadClick()
{
    ReadRanges(RangeReadTarget::MainRange, MainGroup());
}

void TPodDiapazon::Button_Poddiap_ReadClick()
{
    ReadRanges(RangeReadTarget::SubRange, SubGroup());
}

void TPodDiapazon::Button_Poddiap_WriteClick()
{
    const BuiltRequest built =
        BuildSubRangeByLimits({Ed_Poddiap->currentText(), Edit_Poddiap_Pmin->text(), Edit_Poddiap_Pmax->text()});
    if (built.request)
        Label_Error->clear();
    link_.Send(built);
}

void TPodDiapazon::Button_Koeff_Poddiap_WriteClick()
{
    const BuiltRequest built = BuildSubRangeByRatio(Edit_Koeff_Poddiap->text());
    if (built.request) {
        Label_Error_Koeff_PodDiap->clear();
        Label_Text->clear();
    }
    link_.Send(built);
}

void TPodDiapazon::Button_Koeff_Poddiap_ReadClick()
{
    Label_Error_Koeff_PodDiap->clear();
    Label_Text->clear();
    Edit_Koeff_Poddiap->clear();
    link_.Send(BuildReadSubRangeRatio());
}

void TPodDiapazon::Button_Koeff_Osndiap_ReadClick()
{
    Edit_Koeff_Osndiap->clear();
    Label_Error->clear();
    link_.Send(BuildReadMaxRatio());
}

void TPodDiapazon::BitBtn2Click()
{
    SubRangeExitFlag = true;
}

} // namespace orv
