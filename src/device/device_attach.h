#pragma once
// Plugs the device dialogs into the setup page: menu items 9..17 (menu::SignalDevice on), what a failed exchange tells
// them, and the dialogs' way to the gauge. Their answers come through setup_answers.h.
#include <QString>
#include <functional>

namespace orv {

class SetupPage;
class TPodDiapazon;
class TPodtvergdenie;
class TSign_Ustr;
class TTime_Delay_Pribor;
class TUkaz_Ed_Davl;
class TUkaz_Tok;
class TZavod_Parametrs;
class TransactionEngine;

struct DeviceDialogs {
    TSign_Ustr *signalDevice = nullptr;          // menu::SignalDevice
    TUkaz_Ed_Davl *pressureUnit = nullptr;       // menu::PressureUnit
    TUkaz_Tok *currentOutput = nullptr;          // menu::CurrentOutput
    TZavod_Parametrs *deviceInfo = nullptr;      // menu::DeviceInfo
    TPodDiapazon *subRange = nullptr;            // menu::SubRange
    TTime_Delay_Pribor *responseDelay = nullptr; // menu::ResponseDelay
};

// `messageSink` shows the conversion messages of the dialogs' buttons; empty: a message box.
void AttachDeviceDialogs(TransactionEngine &engine, SetupPage &setupPage, TPodtvergdenie &confirmation,
                         const DeviceDialogs &dialogs, std::function<void(const QString &text)> messageSink = {});

} // namespace orv
