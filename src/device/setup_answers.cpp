#include "device/setup_answers.h"

#include "device/current_output_dialog.h"
#include "device/device_info_dialog.h"
#include "device/response_delay_dialog.h"
#include "device/signal_device_dialog.h"
#include "device/sub_range_dialog.h"
#include "link/transaction_engine.h"
#include "setup/setup_attach.h"
#include "setup/setup_page.h"

namespace orv {

void ShowInDialogs(const SetupAnswer &answer, const DeviceDialogs &dialogs)
{
    if (answer.fixedCurrent && dialogs.currentOutput)
        dialogs.currentOutput->ApplyFixedCurrent(*answer.fixedCurrent);
    if (answer.dacCodes && dialogs.currentOutput)
        dialogs.currentOutput->ShowDacCodes(*answer.dacCodes);
    if (answer.currentRangeText && dialogs.currentOutput)
        dialogs.currentOutput->ShowCurrentRange(*answer.currentRangeText);
    if (answer.deviceInfo && dialogs.deviceInfo)
        dialogs.deviceInfo->ShowDeviceInfo(*answer.deviceInfo);
    if (answer.signalDevice && dialogs.signalDevice)
        dialogs.signalDevice->ShowValues(*answer.signalDevice);
    if (answer.subRangeDialog && dialogs.subRange)
        dialogs.subRange->ShowAnswer(*answer.subRangeDialog);
    if (answer.responseDelay && dialogs.responseDelay)
        dialogs.responseDelay->ShowDelay(*answer.responseDelay);
}

void AttachSetupAnswers(TransactionEngine &engine, SetupPage &setupPage, const TForm5 &variables,
                        const DeviceDialogs &dialogs)
{
    for (std::uint8_t command : SetupDecodedCommands()) {
        const SetupDecoder decode = FindSetupDecoder(command);
        engine.SetSetupDecoder(command, [decode, &engine, &setupPage, &variables, dialogs](const ResponseView &answer) {
            SetupDecodeContext context;
            context.variables = RequestedVariables(engine, variables);
            context.rangeReadTarget = setupPage.RangeTarget;
            if (dialogs.currentOutput)
                context.fixedCurrentMarks = dialogs.currentOutput->Marks;
            const SetupAnswer decoded = decode(answer, context);
            setupPage.WriteAnswerRows(decoded.rows);
            if (decoded.rangeReadTarget)
                setupPage.RangeTarget = *decoded.rangeReadTarget;
            ShowInDialogs(decoded, dialogs);
        });
    }
}

} // namespace orv
