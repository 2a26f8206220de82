#pragma once
// What the device-specific dialogs plug into the setup page: the menu items that open them or
// send their commands, and what a failed exchange tells them.
#include "setup/request.h"
#include "setup/setup_menu.h"

#include <array>
#include <functional>
#include <optional>

namespace orv {

struct SetupPlugins {
    // Menu items menu::FirstDeviceItem..menu::ItemCount (index = item number): run by the Start
    // handler in place of a builder. Like a builder, each gives the request to send, or none when
    // the Start button sends nothing.
    std::array<std::function<std::optional<Request>()>, menu::ItemCount + 1> menuItems;
    // Called at the end of every failed setup exchange (the current-output dialog's lamps).
    std::function<void()> exchangeFailed;
};

} // namespace orv
