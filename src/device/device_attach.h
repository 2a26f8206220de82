#pragma once
// Plugs the device dialogs into the setup page: menu items 9..17, what a failed exchange tells
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
    TSign_Ustr *signalDevice = nullptr;          // item 9
    TUkaz_Ed_Davl *pressureUnit = nullptr;       // item 10
    TUkaz_Tok *currentOutput = nullptr;          // item 11
    TZavod_Parametrs *deviceInfo = nullptr;      // item 13
    TPodDiapazon *subRange = nullptr;            // item 14
    TTime_Delay_Pribor *responseDelay = nullptr; // item 15
};

// `messageSink` shows the conversion messages of the dialogs' buttons; empty: a message box.
void AttachDeviceDialogs(TransactionEngine &engine, SetupPage &setupPage, TPodtvergdenie &confirmation,
                         const DeviceDialogs &dialogs, std::function<void(const QString &text)> messageSink = {});

} // namespace orv
