#include "device/device_attach.h"

#include "device/current_output_dialog.h"
#include "device/device_answers.h"
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

    for (std::uint8_t command : DeviceAnswerCommands())
        engine.SetSetupDecoder(command, [&setupPage, dialogs](const ResponseView &answer) {
            DecodeDeviceAnswer(answer, setupPage, dialogs);
        });

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
    plugins.menuItems[9] = dialogItem(dialogs.signalDevice);
    plugins.menuItems[10] = [e, d = dialogs.pressureUnit] { return ChoosePressureUnit(e->Attempt(), *d); };
    plugins.menuItems[11] = dialogItem(dialogs.currentOutput);
    plugins.menuItems[12] = [e, ask] { return ConfirmRequest(e->Attempt(), *ask, BuildSaveParameters()); };
    plugins.menuItems[13] = dialogItem(dialogs.deviceInfo);
    plugins.menuItems[14] = dialogItem(dialogs.subRange);
    plugins.menuItems[15] = dialogItem(dialogs.responseDelay);
    plugins.menuItems[16] = [e, ask] { return ConfirmRequest(e->Attempt(), *ask, BuildRestoreSettings()); };
    plugins.menuItems[17] = [e, ask] { return ConfirmRequest(e->Attempt(), *ask, BuildRestart()); };

    TUkaz_Tok *tok = dialogs.currentOutput;
    plugins.fixedCurrentMarks = [tok] { return tok->Marks; };
    plugins.applyFixedCurrent = [tok](const FixedCurrentOutcome &outcome) { tok->ApplyFixedCurrent(outcome); };
    plugins.exchangeFailed = [tok] { tok->ExchangeFailed(); };
    TPodDiapazon *sub = dialogs.subRange;
    plugins.applyRangeGroups = [sub](const DeviceVariablesAnswer &answer) {
        sub->FillRangeGroups(answer.subRange, answer.mainRange);
    };
}

} // namespace orv
