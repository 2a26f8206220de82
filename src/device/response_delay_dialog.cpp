#include "device/response_delay_dialog.h"

#include "device/device_requests.h"
#include "device/device_texts.h"
#include "device/dialog_texts.h"
#include "device/track_bar.h"
#include "widgets/widget_names.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

namespace {

constexpr int DelayMaximum = 250;
constexpr int ArrowKeyStep = 10;
constexpr int TickEvery = 5;
constexpr int ThumbLength = 30;

} // namespace

TTime_Delay_Pribor::TTime_Delay_Pribor(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Time_Delay_Pribor"));
    setWindowTitle(text::ResponseDelayTitle());
    WithoutBorderIcons(this);

    Time_Delay = Named(new TrackBar(ThumbLength, this), "Time_Delay", QStringLiteral("Задержка ответа, мс"));
    Time_Delay->setRange(0, DelayMaximum);
    Time_Delay->setSingleStep(ArrowKeyStep);
    Time_Delay->setPageStep(ArrowKeyStep);
    Time_Delay->setTickInterval(TickEvery);
    Time_Delay->setValue(0);
    Time_Delay->setFixedWidth(340);

    scale_ = new QWidget(this);
    const QStringList &scaleTexts = text::ResponseDelayScale();
    static const char *const scaleNames[] = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"};
    for (int i = 0; i < static_cast<int>(ScaleLabels.size()); ++i) {
        ScaleLabels[static_cast<std::size_t>(i)] = Named(new QLabel(scaleTexts.at(i), scale_), scaleNames[i]);
        ScaleLabels[static_cast<std::size_t>(i)]->adjustSize();
    }
    scale_->setFixedHeight(ScaleLabels[0]->sizeHint().height());

    Delay_ms = Named(new QLabel(text::ResponseDelayDefault(), this), "Delay_ms");   // says its value itself
    QFont bold = Delay_ms->font();
    bold.setBold(true);
    Delay_ms->setFont(bold);
    Delay_ms->setMinimumWidth(Delay_ms->fontMetrics().horizontalAdvance(QStringLiteral("0000 мс")));

    Button_Delay_Read = Named(new QPushButton(text::ResponseDelayReadButton(), this), "Button_Delay_Read");
    Button_Delay_Write = Named(new QPushButton(text::ResponseDelayWriteButton(), this), "Button_Delay_Write");
    Button_Delay_Vixod = Named(new QPushButton(text::ResponseDelayExitButton(), this), "Button_Delay_Vixod");

    auto *bar = new QVBoxLayout;
    bar->setSpacing(0);
    bar->addWidget(Time_Delay);
    bar->addWidget(scale_);
    auto *top = new QHBoxLayout;
    top->addLayout(bar);
    top->addSpacing(14);
    top->addWidget(Delay_ms, 0, Qt::AlignVCenter);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Button_Delay_Read);
    buttons->addStretch();
    buttons->addWidget(Button_Delay_Write);
    buttons->addStretch();
    buttons->addWidget(Button_Delay_Vixod);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Time_Delay->installEventFilter(this);
    scale_->installEventFilter(this);
    connect(Time_Delay, &QSlider::valueChanged, this, &TTime_Delay_Pribor::Time_DelayChange);
    CloseAfterClick(Button_Delay_Read, this, ModalOk, [this] { Button_Delay_ReadClick(); });
    CloseAfterClick(Button_Delay_Write, this, ModalOk, [this] { Button_Delay_WriteClick(); });
    CloseAfterClick(Button_Delay_Vixod, this, ModalAbort, [this] { Button_Delay_VixodClick(); });
}

bool TTime_Delay_Pribor::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == Time_Delay || watched == scale_) && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        PlaceScaleLabels();
    return QDialog::eventFilter(watched, event);
}

void TTime_Delay_Pribor::PlaceScaleLabels()
{
    // Each scale label stands centred under the tick of its value.
    for (int i = 0; i < static_cast<int>(ScaleLabels.size()); ++i) {
        QLabel *label = ScaleLabels[static_cast<std::size_t>(i)];
        const int value = i * DelayMaximum / (static_cast<int>(ScaleLabels.size()) - 1);
        const QPoint tick = scale_->mapFrom(this, Time_Delay->mapTo(this, QPoint(Time_Delay->ValueCentre(value), 0)));
        label->move(tick.x() - label->width() / 2, 0);
    }
}

void TTime_Delay_Pribor::Open()
{
    ResponseDelayExitFlag = false;
    RunDialogLoop(*this, ResponseDelayExitFlag);
}

void TTime_Delay_Pribor::ShowDelay(const ResponseDelayEffect &effect)
{
    // Moving the thumb runs the change handler only when the position really changes.
    Time_Delay->setValue(effect.trackBarPosition);
    Time_Delay->SetSelEnd(0);
    if (effect.delayCaption)
        Delay_ms->setText(*effect.delayCaption);
}

void TTime_Delay_Pribor::Time_DelayChange()
{
    Time_Delay->SetSelEnd(Time_Delay->value());
    Delay_ms->setText(QString::number(Time_Delay->value()) + text::MillisecondsSuffix());
}

void TTime_Delay_Pribor::Button_Delay_ReadClick()
{
    link_.Send(BuildReadResponseDelay());
}

void TTime_Delay_Pribor::Button_Delay_WriteClick()
{
    link_.Send(BuildWriteResponseDelay(Time_Delay->value()));
}

void TTime_Delay_Pribor::Button_Delay_VixodClick()
{
    ResponseDelayExitFlag = true;
}

} // namespace orv
