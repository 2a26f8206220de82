#include "setup/averaging_dialog.h"

#include "widgets/widget_names.h"
#include "widgets/display_colours.h"
#include "setup/pie_gauge.h"
#include "setup/setup_window_texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace orv {

TForm6::TForm6(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Ввод числа измерений при усреднении"));
    WithoutBorderIcons(this);

    TrackBar1 = Named(new QSlider(Qt::Horizontal, this), "TrackBar1");
    TrackBar1->setRange(1, MaxMeasurements);
    TrackBar1->setSingleStep(1);
    TrackBar1->setPageStep(1);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    TrackBar1->setValue(1);

    Label1 = Named(LabelFor(new QLabel(text::AveragingLabel(), this), TrackBar1), "Label1");
    Label2 = Named(new QLabel(text::AveragingInitial(), this), "Label2");
    QFont big = Label2->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    Label2->setFont(big);
    Label1->setFont(big);
    QPalette red = Label2->palette();
    red.setColor(QPalette::WindowText, MessageRed());
    Label2->setPalette(red);
    Label2->setMinimumWidth(Label2->fontMetrics().horizontalAdvance(QStringLiteral("000")));

    Gauge1 = Named(new PieGauge(this), "Gauge1", QStringLiteral("Доля от наибольшего числа измерений"));
    TrackBar1Change(TrackBar1->value());
    connect(TrackBar1, &QSlider::valueChanged, this, &TForm6::TrackBar1Change);

    BitBtn1 = Named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = Named(new QPushButton(text::CancelCaption(), this), "BitBtn2");
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto *number = new QHBoxLayout;
    number->addStretch();
    number->addWidget(Label1);
    number->addWidget(Label2);
    number->addStretch();
    auto *gauge = new QHBoxLayout;
    gauge->addStretch();
    gauge->addWidget(Gauge1);
    gauge->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addSpacing(20);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(number);
    layout->addLayout(gauge);
    layout->addWidget(TrackBar1);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

void TForm6::TrackBar1Change(int position)
{
    Label2->setText(QString::number(position));
    // The whole gauge stands for the largest count.
    Gauge1->SetProgress(position * 100 / MaxMeasurements);
}

int TForm6::averaging() const
{
    return TrackBar1->value();
}

} // namespace orv
