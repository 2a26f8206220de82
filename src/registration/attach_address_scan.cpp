#include "registration/attach_address_scan.h"

#include "bus/address_scan.h"
#include "bus/gauge_exchange.h"
#include "link/port_operations.h"
#include "registration/address_scan_dialog.h"
#include "registration/registration_page.h"
#include "widgets/widget_names.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace orv {

namespace {
// How often the button looks at the port and the line: a search needs an open port and a line
// that no run and no setup exchange is using.
constexpr int StateRefreshMs = 200;
}

int TickFreeSlots(RegistrationPage &page, const std::vector<int> &addresses)
{
    int covered = 0;
    for (int address : addresses) {
        const QString text = QString::number(address);
        bool placed = false;
        for (int k = 1; k <= DeviceSlotCount && !placed; ++k) {
            const std::size_t i = static_cast<std::size_t>(k - 1);
            placed = page.CheckBox_D[i]->isChecked() && page.Addr_D[i]->text().trimmed() == text;
        }
        for (int k = 1; k <= DeviceSlotCount && !placed; ++k) {
            const std::size_t i = static_cast<std::size_t>(k - 1);
            if (page.CheckBox_D[i]->isChecked() || !page.CheckBox_D[i]->isEnabled() || !page.Addr_D[i]->isEnabled())
                continue;
            page.Addr_D[i]->setText(text);
            page.CheckBox_D[i]->click();
            placed = page.CheckBox_D[i]->isChecked();
        }
        if (placed)
            ++covered;
    }
    return covered;
}

void AttachAddressScan(RegistrationPage &page, TransactionEngine &engine, PortOperations &port,
                       const LinkSettings &settings)
{
    auto *exchange = new GaugeExchange(engine, port, &page);
    auto *scan = new AddressScan(*exchange, settings, &page);
    QWidget *slotsPanel = page.CheckBox_D[0]->parentWidget();
    auto *button = Named(new QPushButton(QStringLiteral("Поиск приборов"), slotsPanel), "Button_Poisk");
    if (auto *grid = qobject_cast<QGridLayout *>(slotsPanel->layout()))
        grid->addWidget(button, DeviceSlotCount, 0, 1, grid->columnCount());

    const auto refresh = [&page, &port, exchange, scan, button] {
        button->setEnabled(port.Active() && !page.PollingRunning() && (scan->Running() || !exchange->LineBusy()));
    };
    auto *timer = new QTimer(button);
    QObject::connect(timer, &QTimer::timeout, button, refresh);
    timer->start(StateRefreshMs);
    refresh();

    QObject::connect(button, &QPushButton::clicked, &page, [&page, scan, refresh] {
        refresh();
        AddressScanDialog dialog(*scan, [&page](const std::vector<int> &addresses) { return TickFreeSlots(page, addresses); },
                                 &page);
        dialog.exec();
    });
}

} // namespace orv
