#pragma once
// What setup-menu items 9..17 do when the Start button runs them: each either gives the request
// the Start button sends (10, 12, 16, 17) or runs its dialog and gives none (9, 11, 13, 14, 15).
#include "setup/request.h"

#include <functional>
#include <optional>

namespace orv {

class TUkaz_Ed_Davl;
class TransactionEngine;

// Items 12, 16, 17 ask first: ConfirmRequest (setup/confirmation_dialog.h).

// Item 10: on a first attempt the unit dialog, once. The unit text is read on every attempt; an
// empty text gives no request, so the previous request never goes again.
std::optional<Request> ChoosePressureUnit(int attempt, TUkaz_Ed_Davl &dialog);

// Items 9, 11, 13, 14, 15: the dialog sends its own requests; the Start button sends nothing.
// While the dialog is already on the screen, the item runs again only because a request of one of
// its buttons went unanswered and attempts are left: that request goes again, and no second loop
// of the same dialog starts.
void OpenDialogItem(TransactionEngine &engine, bool dialogShown, const std::function<void()> &openDialog,
                    const std::optional<Request> &lastDialogRequest);

} // namespace orv
