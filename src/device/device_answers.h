#pragma once
// The decoders of the gauge's own answers in setup mode: the result rows go to the setup page,
// the fields to the dialog the answer concerns.
#include "device/device_attach.h"
#include "device/setup_dispatch.h"

#include <cstdint>
#include <vector>

namespace orv {

// The answer commands decoded here: 146 .. 196 as the dispatch table has them.
std::vector<std::uint8_t> DeviceAnswerCommands();

// The dialog fields of a decoded answer.
void ShowInDialogs(const SetupAnswer &answer, const DeviceDialogs &dialogs);

// Decodes one accepted answer: the rows into the result table, then the dialog fields.
void DecodeDeviceAnswer(const ResponseView &answer, SetupPage &setupPage, const DeviceDialogs &dialogs);

} // namespace orv
