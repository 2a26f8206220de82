#pragma once
// What setup-menu items 9..17 do when the Start button runs them: each either loads the engine's
// request (10, 12, 16, 17) or suppresses the Start button's send and runs its dialog (9, 11, 13,
// 14, 15).
#include "setup/request.h"

#include <functional>
#include <optional>

namespace orv {

class TPodtvergdenie;
class TUkaz_Ed_Davl;
class TransactionEngine;

// The request into the engine's command, byte count and data bytes.
void LoadRequest(TransactionEngine &engine, const Request &request);

// Items 12, 16, 17: on a first attempt the question of the command; the request is loaded on
// every attempt, and "Отмена" suppresses the send.
void ConfirmAndLoad(TransactionEngine &engine, TPodtvergdenie &confirmation, const Request &request);

// Item 10: on a first attempt the unit dialog, once. The unit text is read on every attempt; an
// empty text loads nothing and suppresses the send, so the previous request never goes again.
void ChoosePressureUnit(TransactionEngine &engine, TUkaz_Ed_Davl &dialog);

// Items 9, 11, 13, 14, 15: the dialog sends its own requests; the Start button sends nothing.
// While the dialog is already on the screen, the item runs again only because a request of one of
// its buttons went unanswered and attempts are left: that request goes again, and no second loop
// of the same dialog starts.
void OpenDialogItem(TransactionEngine &engine, bool dialogShown, const std::function<void()> &openDialog,
                    const std::optional<Request> &lastDialogRequest);

} // namespace orv
