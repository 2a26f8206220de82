#include "device/device_menu_items.h"

#include "device/device_requests.h"
#include "device/pressure_unit_dialog.h"
#include "link/transaction_engine.h"
#include "setup/confirmation_dialog.h"
#include "setup/confirmation_questions.h"

#include <algorithm>

namespace orv {

void LoadRequest(TransactionEngine &engine, const Request &request)
{
    engine.RequestCommand = request.command;
    engine.RequestByteCount = request.ByteCount();
    std::copy_n(request.data.begin(), std::min<std::size_t>(request.data.size(), MaxRequestDataBytes),
                engine.RequestData());
}

void ConfirmAndLoad(TransactionEngine &engine, TPodtvergdenie &confirmation, const Request &request)
{
    // A repeated attempt rebuilds the request without asking again.
    if (engine.RetryCounter == 1)
        engine.SendSuppressed = !confirmation.Ask(ConfirmationQuestion(request.command));
    LoadRequest(engine, request);
}

void ChoosePressureUnit(TransactionEngine &engine, TUkaz_Ed_Davl &dialog)
{
    if (engine.RetryCounter == 1 && !dialog.Ask())
        engine.SendSuppressed = true;
    const BuiltRequest built = BuildSetPressureUnit(dialog.unitText());
    if (built.request)
        LoadRequest(engine, *built.request);
    else
        engine.SendSuppressed = true;
}

void OpenDialogItem(TransactionEngine &engine, bool dialogShown, const std::function<void()> &openDialog,
                    const std::optional<Request> &lastDialogRequest)
{
    engine.SendSuppressed = true;
    if (!dialogShown) {
        openDialog();
        return;
    }
    if (lastDialogRequest) {
        const Request &r = *lastDialogRequest;
        engine.StartDialogExchange(r.command, r.ByteCount(), r.data.data());
    }
}

} // namespace orv
