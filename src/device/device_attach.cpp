#include "device/device_attach.h"

#include "device/current_output_dialog.h"
#include "device/device_info_dialog.h"
#include "device/device_menu_items.h"
#include "device/device_requests.h"
#include "device/pressure_unit_dialog.h"
#include "device/response_delay_dialog.h"
#include "device/signal_device_dialog.h"
#include "device/sub_range_dialog.h"
#include "link/transaction_engine.h"
#include "setup/confirmation_dialog.h"
#include "setup/setup_page.h"
#include "widgets/message_box.h"

#include <QApplication>

#include <memory>
#include <optional>

namespace orv {

void AttachDeviceDialogs(TransactionEngine &engine, SetupPage &setupPage, TPodtvergdenie &confirmation,
                         const DeviceDialogs &dialogs, std::function<void(const QString &text)> messageSink)
{
    if (!messageSink) {
        messageSink = [](const QString &text) {
            ShowErrorBox(QApplication::activeModalWidget(), text);
        };
    }
    // The request a dialog button sent last, for a repeated attempt.
    auto lastDialogRequest = std::make_shared<std::optional<Request>>();
    DialogLink link;
    link.send = [&engine, lastDialogRequest](const Request &r) {
        *lastDialogRequest = r;
        engine.StartDialogExchange(r.command, r.data);
    };
    link.message = messageSink;
    dialogs.signalDevice->SetLink(link);
    dialogs.currentOutput->SetLink(link);
    dialogs.deviceInfo->SetLink(link);
    dialogs.subRange->SetLink(link);
    dialogs.responseDelay->SetLink(link);
    dialogs.subRange->RangeTarget = &setupPage.RangeTarget;

    SetupPlugins &plugins = setupPage.Plugins();
    TransactionEngine *e = &engine;
    TPodtvergdenie *ask = &confirmation;
    const auto dialogItem = [e, lastDialogRequest](auto *dialog) -> std::function<std::optional<Request>()> {
        return [e, lastDialogRequest, dialog]() -> std::optional<Request> {
            if (!dialog->isVisible())
                lastDialogRequest->reset();
            OpenDialogItem(*e, dialog->isVisible(), [dialog] { dialog->Open(); }, *lastDialogRequest);
            return std::nullopt;
        };
    };
    plugins.menuItems[menu::SignalDevice] = dialogItem(dialogs.signalDevice);
    plugins.menuItems[menu::PressureUnit] = [e, d = dialogs.pressureUnit] { return ChoosePressureUnit(e->Attempt(), *d); };
    plugins.menuItems[menu::CurrentOutput] = dialogItem(dialogs.currentOutput);
    plugins.menuItems[menu::SaveParameters] = [e, ask] { return ConfirmRequest(e->Attempt(), *ask, BuildSaveParameters()); };
    plugins.menuItems[menu::DeviceInfo] = dialogItem(dialogs.deviceInfo);
    plugins.menuItems[menu::SubRange] = dialogItem(dialogs.subRange);
    plugins.menuItems[menu::ResponseDelay] = dialogItem(dialogs.responseDelay);
    plugins.menuItems[menu::RestoreSettings] = [e, ask] { return ConfirmRequest(e->Attempt(), *ask, BuildRestoreSettings()); };
    plugins.menuItems[menu::Restart] = [e, ask] { return ConfirmRequest(e->Attempt(), *ask, BuildRestart()); };

    TUkaz_Tok *tok = dialogs.currentOutput;
    plugins.exchangeFailed = [tok] { tok->ExchangeFailed(); };
}

} // namespace orv
