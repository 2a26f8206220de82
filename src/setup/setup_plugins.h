#pragma once
// What the device-specific dialogs plug into the setup page: the menu items that open them or
// send their commands, and what a failed exchange tells them.
#include "setup/setup_menu.h"

#include <array>
#include <functional>

namespace orv {

struct SetupPlugins {
    // Menu items menu::FirstDeviceItem..menu::ItemCount (index = item number): run by the Start
    // handler in place of a builder. Like a builder, each fills the engine's request or sets the
    // engine's SendSuppressed.
    std::array<std::function<void()>, menu::ItemCount + 1> menuItems;
    // Called at the end of every failed setup exchange (the current-output dialog's lamps).
    std::function<void()> exchangeFailed;
};

} // namespace orv
