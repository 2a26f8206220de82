#pragma once
// What the device-specific dialogs plug into the setup page: the menu items that open them or
// send their commands, and the dialog fields that the setup page's own answers feed.
#include "setup/fixed_current.h"
#include "setup/request.h"
#include "setup/setup_decoders.h"

#include <array>
#include <functional>
#include <optional>

namespace orv {

struct SetupPlugins {
    // Menu items 9..17 (index = item number): run by the Start handler in place of a builder.
    // Like a builder, each gives the request to send, or none when the Start button sends nothing.
    std::array<std::function<std::optional<Request>()>, 18> menuItems;
    // The marks of the current-output dialog's fixed-current buttons, read by command 40's decoder,
    // and what that decoder decided about them and the lamps.
    std::function<FixedCurrentMarks()> fixedCurrentMarks;
    std::function<void(const FixedCurrentOutcome &outcome)> applyFixedCurrent;
    // A command-33 answer that fills a range group of the sub-range dialog.
    std::function<void(const DeviceVariablesAnswer &answer)> applyRangeGroups;
    // Called at the end of every failed setup exchange (the current-output dialog's lamps).
    std::function<void()> exchangeFailed;
};

} // namespace orv
