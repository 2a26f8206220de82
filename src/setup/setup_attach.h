#pragma once
// Ties the setup page to the transaction engine and to its small dialogs: what Start does and
// the engine's setup-mode hooks. The decoders are filled from the one table (device/setup_answers.h).
#include "gauge/measurement_decoders.h"

#include <functional>

class QString;

namespace orv {

class PortOperations;
class SetupPage;
class TForm3;
class TForm5;
class TForm6;
class TForm9;
class TPodtvergdenie;
class TransactionEngine;

struct SetupDialogs {
    TForm3 *form3 = nullptr;                    // polling address (item 3)
    TForm5 *form5 = nullptr;                    // variables (item 4)
    TForm6 *form6 = nullptr;                    // averaging (item 5)
    TForm9 *form9 = nullptr;                    // fixed current (item 8)
    TPodtvergdenie *podtvergdenie = nullptr;    // confirmation (items 6 and 7)
};

// Called once at start-up, after every window exists. `messageSink`, when set, receives the
// conversion errors instead of a message box. Every pointer in `dialogs` must be set.
// What a command-33 answer is read against, in setup and registration mode alike.
VariableSelection RequestedVariables(const TransactionEngine &engine, const TForm5 &form5);

void AttachSetupPage(SetupPage &page, TransactionEngine &engine, PortOperations &port, const SetupDialogs &dialogs,
                     std::function<void(const QString &text)> messageSink = {});

} // namespace orv
