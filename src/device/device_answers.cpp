#include "device/device_answers.h"

#include "device/current_output_dialog.h"
#include "device/device_info_dialog.h"
#include "device/response_delay_dialog.h"
#include "device/signal_device_dialog.h"
#include "device/sub_range_dialog.h"
#include "setup/setup_page.h"

namespace orv {

namespace {

// The gauge's own commands start here; the codes below belong to the setup page's decoders.
constexpr std::uint8_t FirstDeviceCommand = 146;

} // namespace

std::vector<std::uint8_t> DeviceAnswerCommands()
{
    std::vector<std::uint8_t> commands;
    for (std::uint8_t command : SetupDecodedCommands())
        if (command >= FirstDeviceCommand)
            commands.push_back(command);
    return commands;
}

void ShowInDialogs(const SetupAnswer &answer, const DeviceDialogs &dialogs)
{
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

void DecodeDeviceAnswer(const ResponseView &answer, SetupPage &setupPage, const DeviceDialogs &dialogs)
{
    const SetupAnswer decoded = DecodeSetupAnswer(answer, SetupDecodeContext{});
    setupPage.WriteAnswerRows(decoded.rows);
    ShowInDialogs(decoded, dialogs);
}

} // namespace orv
