#include "registration/attach_address_scan.h"

#include "bus/address_scan.h"
#include "bus/gauge_exchange.h"
#include "link/port_operations.h"
#include "registration/address_scan_dialog.h"
#include "registration/registration_page.h"
#include "widgets/widget_names.h"

#include <QPushButton>
#include <QTimer>

namespace orv {

namespace {
// How often the button looks at the port and the line: a search needs an open port and a line
// that no run and no setup exchange is using.
constexpr int StateRefreshMs = 200;
}

void AttachAddressScan(RegistrationPage &page, TransactionEngine &engine, PortOperations &port,
                       const LinkSettings &settings)
{
    auto *exchange = new GaugeExchange(engine, port, &page);
    auto *scan = new AddressScan(*exchange, settings, &page);
    auto *button = Named(new QPushButton(QStringLiteral("Поиск приборов")), "Button_Poisk");
    page.AddUnderSlots(button);

    const auto refresh = [&page, &port, exchange, scan, button] {
        button->setEnabled(port.Active() && !page.PollingRunning() && (scan->Running() || !exchange->LineBusy()));
    };
    auto *timer = new QTimer(button);
    QObject::connect(timer, &QTimer::timeout, button, refresh);
    timer->start(StateRefreshMs);
    refresh();

    QObject::connect(button, &QPushButton::clicked, &page, [&page, scan, refresh] {
        refresh();
        AddressScanDialog dialog(*scan, [&page](const std::vector<int> &addresses) { return page.TickFreeSlots(addresses); },
                                 &page);
        dialog.exec();
    });
}

} // namespace orv
