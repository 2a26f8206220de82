#include "widgets/typed_combo_box.h"

#include <QCompleter>

namespace orv {

void MakeTypedEntry(QComboBox *box)
{
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // The box matches the typed text to an item with its completer's case rule.
    if (QCompleter *completer = box->completer())
        completer->setCaseSensitivity(Qt::CaseSensitive);
}

} // namespace orv
