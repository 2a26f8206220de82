#include "device/device_menu_items.h"

#include "device/device_requests.h"
#include "device/pressure_unit_dialog.h"
#include "link/transaction_engine.h"

namespace orv {

std::optional<Request> ChoosePressureUnit(int attempt, TUkaz_Ed_Davl &dialog)
{
    const bool refused = attempt == 1 && !dialog.Ask();
    const BuiltRequest built = BuildSetPressureUnit(dialog.unitText());
    if (refused)
        return std::nullopt;
    return built.request;
}

void OpenDialogItem(TransactionEngine &engine, bool dialogShown, const std::function<void()> &openDialog,
                    const std::optional<Request> &lastDialogRequest)
{
    if (!dialogShown) {
        openDialog();
        return;
    }
    if (lastDialogRequest)
        engine.StartDialogExchange(lastDialogRequest->command, lastDialogRequest->data);
}

} // namespace orv
