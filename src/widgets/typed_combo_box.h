#pragma once
// A combo box whose text is typed as well as picked, and whose typed text stays exactly as typed.
#include <QComboBox>

namespace orv {

// Editable, never adds what is typed to its list, and completes only with the same letter case:
// the default completer ignores case, and on the end of editing the box would then swap «bar» for
// its item «Bar», so the gauge would get a unit the user did not type.
void MakeTypedEntry(QComboBox *box);

} // namespace orv
