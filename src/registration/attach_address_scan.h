#pragma once
// Start-up wiring of «Поиск приборов»: its button under the device slots of the registration
// page, the search through the program's engine and port, and the ticking of free slots.
#include <vector>

namespace orv {

class PortOperations;
class RegistrationPage;
class TransactionEngine;
struct LinkSettings;

void AttachAddressScan(RegistrationPage &page, TransactionEngine &engine, PortOperations &port,
                       const LinkSettings &settings);

} // namespace orv
