#include "registration/registration_page.h"

#include "gauge/gauge_texts.h"
#include "widgets/display_colours.h"
#include "widgets/widget_names.h"
#include "registration/registration_texts.h"
#include "widgets/status_lamp.h"
#include "widgets/up_down_buttons.h"
#include "widgets/message_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace orv {

namespace {

constexpr int GridDataRows = 254;   // rows 1..254 under the header row
constexpr int GridColumns = 6;
// Column widths for an 8-point MS Sans Serif, whose characters are 5 pixels wide on average;
// a wider font widens the columns in proportion, so that the time stamp and the values fit.
constexpr int ColumnWidths[GridColumns] = {46, 65, 151, 221, 86, 139};
constexpr double DesignCharWidth = 5.0;
constexpr int PeriodMaximum = 10000;
constexpr int PeriodTicks = 500;
constexpr int BarMaximum = 10000;

QFrame *Panel(QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    return frame;
}

} // namespace

QColor SlotStatusColour(std::uint8_t status)
{
    switch (status) {
    case SlotNoAnswer:
        return LampRed();
    case SlotAnswered:
        return LampGreen();
    default:
        return LampSilver();
    }
}

RegistrationPage::RegistrationPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet2"));
    SlotAttemptCount.fill(1);

    StringGrid2 = Named(new QTableWidget(GridDataRows, GridColumns, this), "StringGrid2",
                        QStringLiteral("Результаты опроса"));
    StringGrid2->setHorizontalHeaderLabels(text::ResultHeaders());
    StringGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid2->verticalHeader()->hide();
    StringGrid2->verticalHeader()->setDefaultSectionSize(StringGrid2->fontMetrics().height() + 6);
    StringGrid2->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    StringGrid2->horizontalHeader()->setHighlightSections(false);
    const double scale = std::max(1.0, StringGrid2->fontMetrics().averageCharWidth() / DesignCharWidth);
    for (int c = 0; c < GridColumns; ++c)
        StringGrid2->setColumnWidth(c, qRound(ColumnWidths[c] * scale));

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(BuildControls(), 0);
    layout->addWidget(StringGrid2, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &RegistrationPage::Timer1Timer);
    Timer31 = new QTimer(this);
    Timer31->setObjectName(QStringLiteral("Timer31"));
    // Polls are spaced only 20 ms more than the response wait: a coarse timer could eat that.
    Timer31->setTimerType(Qt::PreciseTimer);
    connect(Timer31, &QTimer::timeout, this, &RegistrationPage::PollNextSlot);

    OpenDialogOpros = new QFileDialog(this, regtext::OpenDialogTitle());
    OpenDialogOpros->setObjectName(QStringLiteral("OpenDialogOpros"));
    OpenDialogOpros->setNameFilter(regtext::OpenDialogFilter().section(QLatin1Char('|'), 0, 0));
    OpenDialogOpros->setDefaultSuffix(regtext::OpenDialogSuffix());
    OpenDialogOpros->setDirectory(QCoreApplication::applicationDirPath());
    OpenDialogOpros->setFileMode(QFileDialog::AnyFile);
    OpenDialogOpros->setAcceptMode(QFileDialog::AcceptOpen);
}

RegistrationPage::~RegistrationPage() = default;

QWidget *RegistrationPage::BuildControls()
{
    auto *column = new QWidget(this);
    auto *v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);

    auto *slotsPanel = Panel(column);
    BuildSlots(slotsPanel);
    v->addWidget(slotsPanel);

    // The period: track bar and its label, the countdown to the next cycle and its bar.
    auto *period = Panel(column);
    auto *pg = new QGridLayout(period);
    TrackBar1 = Named(new QSlider(Qt::Horizontal, period), "TrackBar1");
    TrackBar1->setRange(1, PeriodMaximum);
    TrackBar1->setTickInterval(PeriodTicks);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setPageStep(PeriodTicks);
    TrackBar1->setValue(1);
    Label3 = Named(new QLabel(regtext::PeriodPanelCaption(), period), "Label3");
    LabelFor(Label3, TrackBar1);
    Label1 = Named(new QLabel(SecondsText(1), period), "Label1");
    Label32 = Named(new QLabel(regtext::NextPollCaption(), period), "Label32");
    Label33 = Named(new QLabel(SecondsText(1), period), "Label33");
    QFont bold = Label33->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label33->setFont(bold);
    ProgressBar1 = Named(new QProgressBar(period), "ProgressBar1", QStringLiteral("Время до следующего опроса"));
    ProgressBar1->setOrientation(Qt::Vertical);
    ProgressBar1->setRange(0, BarMaximum);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedWidth(18);
    pg->addWidget(Label3, 0, 0);
    pg->addWidget(Label1, 0, 1, Qt::AlignRight);
    pg->addWidget(TrackBar1, 1, 0, 1, 2);
    pg->addWidget(Label32, 2, 0);
    pg->addWidget(Label33, 2, 1, Qt::AlignRight);
    pg->addWidget(ProgressBar1, 0, 2, 3, 1);
    v->addWidget(period);
    connect(TrackBar1, &QSlider::valueChanged, this, &RegistrationPage::TrackBar1Change);

    ComboBox2 = Named(new QComboBox(column), "ComboBox2", QStringLiteral("Команда опроса"));
    ComboBox2->addItems({regtext::ReadPrimaryItem(), regtext::ReadCurrentItem(), regtext::ReadVariablesItem()});
    ComboBox2->setCurrentIndex(0);
    v->addWidget(ComboBox2);

    Button2 = Named(new QPushButton(text::StartCaption(), column), "Button2");
    connect(Button2, &QPushButton::clicked, this, &RegistrationPage::Button2Click);
    v->addWidget(Button2);

    Check_Save_Data_File = Named(new QCheckBox(regtext::SaveDataFileCaption(), column), "Check_Save_Data_File");
    connect(Check_Save_Data_File, &QCheckBox::toggled, this, &RegistrationPage::Check_Save_Data_FileClick);
    v->addWidget(Check_Save_Data_File);

    Button_Grafik = Named(new QPushButton(regtext::GraphButtonCaption(), column), "Button_Grafik");
    Button_Grafik->setAccessibleName(regtext::GraphButtonCaption().replace(QLatin1Char('\n'), QLatin1Char(' ')));
    QFont serif(QStringLiteral("Times New Roman"));
    serif.setStyleHint(QFont::Serif);
    serif.setBold(true);
    serif.setPointSize(font().pointSize() + 2);
    Button_Grafik->setFont(serif);
    Button_Grafik->setMinimumHeight(56);
    connect(Button_Grafik, &QPushButton::clicked, this, &RegistrationPage::graphRequested);
    v->addWidget(Button_Grafik);
    v->addStretch(1);
    return column;
}

void RegistrationPage::BuildSlots(QWidget *box)
{
    auto *grid = new QGridLayout(box);
    grid->setVerticalSpacing(2);
    for (int k = 1; k <= DeviceSlotCount; ++k) {
        const std::size_t i = static_cast<std::size_t>(k - 1);
        const QString number = QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0'));
        const QByteArray check = "CheckBox_D" + number.toLatin1();
        const QByteArray addr = "Addr_D" + number.toLatin1();
        const QByteArray updown = "UpDown_D" + number.toLatin1();
        const QByteArray shape = "Shape" + QByteArray::number(k);

        CheckBox_D[i] = Named(new QCheckBox(SlotCaption(k), box), check.constData());
        Addr_D[i] = Named(new QLineEdit(QString::number(k), box), addr.constData(),
                          QStringLiteral("Адрес прибора %1").arg(k));
        Addr_D[i]->setFixedWidth(44);
        auto *label = new QLabel(regtext::AddressLabel(), box);
        LabelFor(label, Addr_D[i]);
        UpDown_D[i] = Named(new UpDownButtons(Addr_D[i], 0, 255, k, box), updown.constData(),
                            QStringLiteral("Изменение адреса прибора %1").arg(k));
        Shape[i] = Named(new StatusLamp(box), shape.constData(), QStringLiteral("Состояние прибора %1").arg(k));
        Shape[i]->SetBrushColor(SlotStatusColour(SlotNoResult));

        grid->addWidget(CheckBox_D[i], k - 1, 0);
        grid->addWidget(label, k - 1, 1);
        grid->addWidget(Addr_D[i], k - 1, 2);
        grid->addWidget(UpDown_D[i], k - 1, 3);
        grid->addWidget(Shape[i], k - 1, 4);
        // However the tick changes (mouse, keyboard, assistive technology), the selection is checked.
        connect(CheckBox_D[i], &QCheckBox::toggled, this, [this, k] { CheckBoxSlotClick(k); });
    }
    grid->setColumnStretch(0, 1);
}

int RegistrationPage::TickFreeSlots(const std::vector<int> &addresses)
{
    int covered = 0;
    for (int address : addresses) {
        const QString text = QString::number(address);
        bool placed = false;
        for (int k = 1; k <= DeviceSlotCount && !placed; ++k) {
            const std::size_t i = static_cast<std::size_t>(k - 1);
            placed = CheckBox_D[i]->isChecked() && Addr_D[i]->text().trimmed() == text;
        }
        for (int k = 1; k <= DeviceSlotCount && !placed; ++k) {
            const std::size_t i = static_cast<std::size_t>(k - 1);
            if (CheckBox_D[i]->isChecked() || !CheckBox_D[i]->isEnabled() || !Addr_D[i]->isEnabled())
                continue;
            Addr_D[i]->setText(text);
            CheckBox_D[i]->click();
            placed = CheckBox_D[i]->isChecked();
        }
        if (placed)
            ++covered;
    }
    return covered;
}

void RegistrationPage::AddUnderSlots(QWidget *widget)
{
    QWidget *slotsPanel = CheckBox_D[0]->parentWidget();
    widget->setParent(slotsPanel);
    if (auto *grid = qobject_cast<QGridLayout *>(slotsPanel->layout()))
        grid->addWidget(widget, DeviceSlotCount, 0, 1, grid->columnCount());
}

void RegistrationPage::SetLinks(const Links &links)
{
    links_ = links;
}

QString RegistrationPage::SecondsText(int seconds) const
{
    return QString::number(seconds) + regtext::SecondsSuffix();
}

void RegistrationPage::TrackBar1Change()
{
    Label1->setText(SecondsText(TrackBar1->value()));
    Label33->setText(SecondsText(TrackBar1->value()));
}

void RegistrationPage::ShowMessage(const QString &text)
{
    if (messageSink_)
        messageSink_(text);
    else
        ShowErrorBox(this, text, QMessageBox::Warning);
}

std::array<QString, DeviceSlotCount> RegistrationPage::AddressTexts() const
{
    std::array<QString, DeviceSlotCount> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = Addr_D[i]->text();
    return texts;
}

void RegistrationPage::SetSlotControlsEnabled(bool enabled)
{
    for (std::size_t i = 0; i < CheckBox_D.size(); ++i) {
        CheckBox_D[i]->setEnabled(enabled);
        Addr_D[i]->setEnabled(enabled);
        UpDown_D[i]->setEnabled(enabled);
    }
}

QString RegistrationPage::CellText(int row, int column) const
{
    const QTableWidgetItem *item = StringGrid2->item(row - 1, column);
    return item ? item->text() : QString();
}

void RegistrationPage::SetCell(int row, int column, const QString &text)
{
    // Grid row 0 is the header; data row r is the table's row r - 1.
    if (row < 1 || row > GridDataRows)
        return;
    if (QTableWidgetItem *item = StringGrid2->item(row - 1, column))
        item->setText(text);
    else
        StringGrid2->setItem(row - 1, column, new QTableWidgetItem(text));
}

void RegistrationPage::ClearRegistrationGrid()
{
    for (int r = 1; r <= GridDataRows; ++r) {
        for (int c = 0; c < GridColumns; ++c) {
            if (QTableWidgetItem *item = StringGrid2->item(r - 1, c))
                item->setText(QString());
        }
    }
}

void RegistrationPage::RefreshStatusLamps()
{
    for (std::size_t i = 0; i < Shape.size(); ++i)
        Shape[i]->SetBrushColor(SlotStatusColour(SlotStatus[i]));
}

void RegistrationPage::ResetSlotAttempts()
{
    SlotAttemptCount.fill(1);
}

} // namespace orv
