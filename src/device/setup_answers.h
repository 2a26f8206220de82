#pragma once
// The program's setup-mode decoders, filled once from the one table (setup_dispatch.h) with the
// state the program holds when an answer arrives: the rows go to the setup page, the fields to
// the dialog the answer concerns.
#include "device/device_attach.h"
#include "device/setup_dispatch.h"

namespace orv {

class TForm5;

// The dialog fields of a decoded answer.
void ShowInDialogs(const SetupAnswer &answer, const DeviceDialogs &dialogs);

// Called once at start-up, after every window exists: one engine decoder per command of the
// table. `variables` is the list dialog a command-33 answer is read against.
void AttachSetupAnswers(TransactionEngine &engine, SetupPage &setupPage, const TForm5 &variables,
                        const DeviceDialogs &dialogs);

} // namespace orv
