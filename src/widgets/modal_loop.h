#pragma once
// The guarded "show until closed" loop of every window that shows itself again until its own
// button has been pressed (the timing dialog and its picture, the device dialogs).
class QDialog;

namespace orv {

// Shows the dialog modally until `exitFlag` is set. Returns at once, without showing it again,
// when the dialog's event loop was ended from outside (the program is quitting, as at a desktop
// logout) or the dialog is gone: showing it again would return at once, for ever.
void RunDialogLoop(QDialog &dialog, const bool &exitFlag);

} // namespace orv
