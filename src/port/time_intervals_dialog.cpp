#include "port/time_intervals_dialog.h"

#include "widgets/modal_loop.h"
#include "link/settings_file.h"
#include "port/timing_diagram.h"
#include "widgets/widget_names.h"
#include "link/value_text.h"
#include "widgets/message_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

namespace {

// The symbols of the link times, set as formulas: a bold italic T with its subscript.
QLabel *Symbol(const QString &subscript, QWidget *parent)
{
    auto *label = new QLabel(QStringLiteral("<b><i>T</i></b><sub><b><i>%1</i></b></sub>").arg(subscript), parent);
    label->setTextFormat(Qt::RichText);
    label->setAccessibleName(QStringLiteral("T") + subscript);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * 1.3);
    label->setFont(f);
    return label;
}

QLabel *Formula(const QString &html, QWidget *parent)
{
    auto *label = new QLabel(html, parent);
    label->setTextFormat(Qt::RichText);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * 1.3);
    label->setFont(f);
    return label;
}

QLineEdit *TimeEdit(const char *name, const QString &accessibleName, QWidget *parent)
{
    auto *edit = Named(new QLineEdit(parent), name, accessibleName);
    edit->setFixedWidth(70);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

} // namespace

TTime_Intervals::TTime_Intervals(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Time_Intervals"));
    setWindowTitle(QStringLiteral("Временные интервалы"));
    WithoutBorderIcons(this);

    Image1 = Named(new TimingDiagramView(this), "Image1", QStringLiteral("Диаграмма временных интервалов"));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(QStringLiteral("Временные интервалы передаваемых сообщений"));
    Image1->setMinimumSize(540, 198);

    Edit_T_Posle_Trans = TimeEdit("Edit_T_Posle_Trans", QStringLiteral("Задержка после отправки сообщения, мс"), this);
    Edit_T_Posle_Trans_RS485 =
        TimeEdit("Edit_T_Posle_Trans_RS485", QStringLiteral("Дополнительная задержка RS-485, мс"), this);
    Edit_T_Ogidan_Otvet =
        TimeEdit("Edit_T_Ogidan_Otvet", QStringLiteral("Время ожидания ответного сообщения, мс"), this);
    Edit_T_New_Trans =
        TimeEdit("Edit_T_New_Trans", QStringLiteral("Задержка перед отправлением нового сообщения, мс"), this);
    CheckBox_RS485 = Named(new QCheckBox(QStringLiteral("RS-485"), this), "CheckBox_RS485");
    BitBtn1 = Named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    const auto eq = [this] { return new QLabel(QStringLiteral("="), this); };
    grid->addWidget(Symbol(QStringLiteral("ЗС"), this), 0, 0);
    grid->addWidget(eq(), 0, 1);
    grid->addWidget(Edit_T_Posle_Trans, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("+"), this), 0, 3);
    auto *rs485Column = new QVBoxLayout;
    rs485Column->addWidget(Edit_T_Posle_Trans_RS485);
    rs485Column->addWidget(CheckBox_RS485);
    grid->addLayout(rs485Column, 0, 4);
    grid->addWidget(new QLabel(QStringLiteral(", мс  - задержка после отправки сообщения"), this), 0, 5);

    grid->addWidget(Symbol(QStringLiteral("ОС"), this), 1, 0);
    grid->addWidget(eq(), 1, 1);
    grid->addWidget(Edit_T_Ogidan_Otvet, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral(", мс  - время ожидания ответного сообщения"), this), 1, 3, 1, 3);

    grid->addWidget(Symbol(QStringLiteral("НС"), this), 2, 0);
    grid->addWidget(eq(), 2, 1);
    grid->addWidget(Edit_T_New_Trans, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral(", мс  - задержка перед отправлением нового сообщения"), this), 2, 3, 1,
                    3);

    grid->addWidget(Symbol(QStringLiteral("ОП"), this), 3, 0);
    grid->addWidget(new QLabel(QStringLiteral("- период опроса"), this), 3, 1, 1, 5);
    grid->setColumnStretch(5, 1);

    auto *rules = new QGridLayout;
    rules->addWidget(Formula(QStringLiteral("<b><i>T</i></b><sub><b><i>ОС</i></b></sub> &lt; "
                                            "<b><i>T</i></b><sub><b><i>НС</i></b></sub>"),
                             this),
                     0, 0);
    rules->addWidget(Formula(QStringLiteral("<b><i>N</i></b> &times; <b><i>T</i></b><sub><b><i>НС</i></b></sub> "
                                            "&lt; <b><i>T</i></b><sub><b><i>ОП</i></b></sub>"),
                             this),
                     1, 0);
    rules->addWidget(new QLabel(QStringLiteral("<b><i>N</i></b>"), this), 2, 0, Qt::AlignRight);
    rules->addWidget(new QLabel(QStringLiteral("- количество одновременно опрашиваемых приборов"), this), 2, 1);
    rules->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Image1);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(10);
    layout->addLayout(rules);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtn1, &QPushButton::clicked, this, &TTime_Intervals::BitBtn1Click);
    // The state, however it changes (mouse, keyboard, assistive technology), sets the field.
    connect(CheckBox_RS485, &QCheckBox::toggled, this, &TTime_Intervals::CheckBox_RS485Click);
    connect(Image1, &TimingDiagramView::clicked, this, &TTime_Intervals::Image1Click);
}

void TTime_Intervals::ShowMessage(const QString &title, const QString &text)
{
    if (messages_)
        messages_(title, text);
    else
        QMessageBox::warning(this, title, text);
}

void TTime_Intervals::CheckBox_RS485Click()
{
    const bool on = CheckBox_RS485->isChecked();
    Edit_T_Posle_Trans_RS485->setEnabled(on);
    // Window colour while editable, button face while not.
    QPalette palette = Edit_T_Posle_Trans_RS485->palette();
    palette.setColor(QPalette::Base, on ? QApplication::palette().color(QPalette::Base)
                                        : QApplication::palette().color(QPalette::Button));
    Edit_T_Posle_Trans_RS485->setPalette(palette);
}

void TTime_Intervals::Image1Click()
{
    if (picture_)
        picture_->ShowUntilClosed();
}

void TTime_Intervals::EditSettings(LinkSettings &settings)
{
    settings_ = &settings;
    Edit_T_Posle_Trans->setText(QString::number(settings.PostTransmitDelay));
    Edit_T_Ogidan_Otvet->setText(QString::number(settings.ResponseWaitTime));
    Edit_T_New_Trans->setText(QString::number(settings.NextTransmitTime));
    Edit_T_Posle_Trans_RS485->setText(QString::number(settings.Rs485Delay));
    CheckBox_RS485->setChecked(settings.Rs485Mode);
    CheckBox_RS485Click();
    finished_ = false;
    RunDialogLoop(*this, finished_);
    settings_ = nullptr;
}

void TTime_Intervals::BitBtn1Click()
{
    finished_ = true;
    accept();
    if (!settings_)
        return;
    const QStringList texts = {Edit_T_Posle_Trans->text(), Edit_T_Ogidan_Otvet->text(), Edit_T_New_Trans->text(),
                               Edit_T_Posle_Trans_RS485->text()};
    int LinkSettings::*targets[] = {&LinkSettings::PostTransmitDelay, &LinkSettings::ResponseWaitTime,
                                    &LinkSettings::NextTransmitTime, &LinkSettings::Rs485Delay};
    // Each value is stored, bounded, as soon as it is converted; a bad one stops here and nothing
    // is saved.
    LinkSettings typed = *settings_;
    for (int i = 0; i < 4; ++i) {
        QString error;
        const auto value = TextToInteger(texts[i], &error);
        if (!value) {
            ShowMessage(MessageBoxCaption(), error);
            return;
        }
        typed.*targets[i] = *value;
        *settings_ = BoundedLinkSettings(typed);
    }
    settings_->Rs485Mode = CheckBox_RS485->isChecked();

    QString error;
    const QString path = settingsPath_.isEmpty() ? SettingsFilePath() : settingsPath_;
    if (!SaveSettingsFile(path, texts, settings_->Rs485Mode, &error))
        ShowMessage(QStringLiteral("Ошибка ввода-вывода"),
                    QStringLiteral("Не удалось записать файл %1: %2").arg(path, error));

    // The dialog shows these rules but the exchanges depend on them: say so when they are broken.
    const QString warning = LinkTimingWarning(typed);
    if (!warning.isEmpty())
        ShowMessage(QStringLiteral("Временные интервалы"), warning);
}

TRis_Interf::TRis_Interf(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Ris_Interf"));
    setWindowTitle(QStringLiteral("Временные интервалы передаваемых сообщений"));
    WithoutBorderIcons(this);
    auto *picture = Named(new TimingDiagramView(this), "Image1", QStringLiteral("Диаграмма временных интервалов"));
    picture->setMinimumSize(960, 330);
    BitBtn2 = Named(new QPushButton(QStringLiteral("OK"), this), "BitBtn2");
    BitBtn2->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn2);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        finished_ = true;
        accept();
    });
}

void TRis_Interf::ShowUntilClosed()
{
    finished_ = false;
    RunDialogLoop(*this, finished_);
}

} // namespace orv
