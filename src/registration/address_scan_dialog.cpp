#include "registration/address_scan_dialog.h"

#include "link/value_text.h"
#include "widgets/widget_names.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orv {

namespace {
constexpr int DefaultFrom = 0;
constexpr int DefaultTo = 15;
}

AddressScanDialog::AddressScanDialog(AddressScan &scan, SlotTicker ticker, QWidget *parent)
    : QDialog(parent), scan_(scan), ticker_(std::move(ticker))
{
    setObjectName(QStringLiteral("AddressScanDialog"));
    setWindowTitle(QStringLiteral("Поиск приборов"));
    setModal(true);

    FromAddress = Named(new QSpinBox(this), "FromAddress");
    ToAddress = Named(new QSpinBox(this), "ToAddress");
    for (QSpinBox *box : {FromAddress, ToAddress})
        box->setRange(0, 255);
    FromAddress->setValue(DefaultFrom);
    ToAddress->setValue(DefaultTo);
    auto *fromLabel = new QLabel(QStringLiteral("Адреса с"), this);
    auto *toLabel = new QLabel(QStringLiteral("по"), this);
    LabelFor(fromLabel, FromAddress);
    LabelFor(toLabel, ToAddress);
    StartButton = Named(new QPushButton(QStringLiteral("Начать поиск"), this), "StartButton");
    CancelButton = Named(new QPushButton(QStringLiteral("Прервать"), this), "CancelButton");
    Progress = Named(new QProgressBar(this), "Progress", QStringLiteral("Ход поиска"));
    Status = Named(new QLabel(this), "Status");
    FoundTable = Named(new QTableWidget(0, 3, this), "FoundTable", QStringLiteral("Найденные приборы"));
    FoundTable->setHorizontalHeaderLabels(
        {QStringLiteral("Адрес"), QStringLiteral("Давление"), QStringLiteral("Единица")});
    FoundTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FoundTable->verticalHeader()->hide();
    FoundTable->horizontalHeader()->setStretchLastSection(true);
    TickButton = Named(new QPushButton(QStringLiteral("Отметить в свободных слотах"), this), "TickButton");
    CloseButton = Named(new QPushButton(QStringLiteral("Закрыть"), this), "CloseButton");

    auto *range = new QHBoxLayout;
    range->addWidget(fromLabel);
    range->addWidget(FromAddress);
    range->addWidget(toLabel);
    range->addWidget(ToAddress);
    range->addStretch(1);
    range->addWidget(StartButton);
    range->addWidget(CancelButton);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(TickButton);
    buttons->addStretch(1);
    buttons->addWidget(CloseButton);
    auto *v = new QVBoxLayout(this);
    v->addLayout(range);
    v->addWidget(Progress);
    v->addWidget(Status);
    v->addWidget(FoundTable, 1);
    v->addLayout(buttons);
    resize(420, 360);

    connect(StartButton, &QPushButton::clicked, this, &AddressScanDialog::StartScan);
    connect(CancelButton, &QPushButton::clicked, &scan_, &AddressScan::Cancel);
    connect(TickButton, &QPushButton::clicked, this, &AddressScanDialog::TickSlots);
    connect(CloseButton, &QPushButton::clicked, this, &AddressScanDialog::reject);
    connect(&scan_, &AddressScan::progress, this, &AddressScanDialog::ShowProgress);
    connect(&scan_, &AddressScan::finished, this, &AddressScanDialog::ScanFinished);
    SetRunning(false);
    TickButton->setEnabled(false);
}

void AddressScanDialog::SetRunning(bool running)
{
    FromAddress->setEnabled(!running);
    ToAddress->setEnabled(!running);
    StartButton->setEnabled(!running);
    CancelButton->setEnabled(running);
    CloseButton->setEnabled(!running);
    TickButton->setEnabled(!running && !scan_.Found().empty());
}

void AddressScanDialog::StartScan()
{
    const int from = FromAddress->value();
    const int to = ToAddress->value();
    if (from > to) {
        Status->setText(QStringLiteral("Начальный адрес больше конечного"));
        return;
    }
    FoundTable->setRowCount(0);
    Progress->setRange(0, to - from + 1);
    SetRunning(true);
    if (!scan_.Start(from, to))
        SetRunning(false);
}

void AddressScanDialog::ShowProgress(int done, int total, int found)
{
    Progress->setValue(done);
    Status->setText(QStringLiteral("Опрошено адресов: %1 из %2, найдено приборов: %3").arg(done).arg(total).arg(found));
    const std::vector<FoundGauge> &gauges = scan_.Found();
    for (int row = FoundTable->rowCount(); row < static_cast<int>(gauges.size()); ++row) {
        const FoundGauge &g = gauges[static_cast<std::size_t>(row)];
        FoundTable->insertRow(row);
        FoundTable->setItem(row, 0, new QTableWidgetItem(QString::number(g.address)));
        FoundTable->setItem(row, 1, new QTableWidgetItem(FoundPressureText(g, LocaleDecimalSeparator())));
        FoundTable->setItem(row, 2, new QTableWidgetItem(FoundUnitText(g)));
    }
}

void AddressScanDialog::ScanFinished(AddressScan::End end)
{
    const int found = static_cast<int>(scan_.Found().size());
    switch (end) {
    case AddressScan::End::Completed:
        Status->setText(QStringLiteral("Поиск завершён, найдено приборов: %1").arg(found));
        break;
    case AddressScan::End::Cancelled:
        Status->setText(QStringLiteral("Поиск прерван, найдено приборов: %1").arg(found));
        break;
    case AddressScan::End::PortClosed:
        Status->setText(QStringLiteral("Порт закрыт, поиск остановлен"));
        break;
    case AddressScan::End::LineBusy:
        Status->setText(QStringLiteral("Линия занята другим обменом, поиск не начат"));
        break;
    }
    SetRunning(false);
    if (closeWhenDone_) {
        closeWhenDone_ = false;
        QDialog::reject();
    }
}

void AddressScanDialog::TickSlots()
{
    std::vector<int> addresses;
    for (const FoundGauge &g : scan_.Found())
        addresses.push_back(g.address);
    const int ticked = ticker_ ? ticker_(addresses) : 0;
    const int left = static_cast<int>(addresses.size()) - ticked;
    Status->setText(left > 0 ? QStringLiteral("Отмечено слотов: %1; для %2 приборов нет свободного слота").arg(ticked).arg(left)
                             : QStringLiteral("Отмечено слотов: %1").arg(ticked));
}

void AddressScanDialog::reject()
{
    if (scan_.Running()) {
        closeWhenDone_ = true;
        scan_.Cancel();
        return;
    }
    QDialog::reject();
}

} // namespace orv
