#pragma once
// Texts of the setup page and its small dialogs.
// Copied from the program's text list: never retype these texts, several
// differ from look-alikes only by blanks.
#include <QString>
#include <QStringList>

namespace orv::text {

// The seventeen items of the command menu, item 1 first
const QStringList &SetupMenuItems();
// Label17
QString CommandLabel();
// LabeledEdit4
QString AddressLabel();
// LabeledEdit4 at start
QString AddressInitial();
// LabeledEdit15 (hidden)
QString AttemptsLabel();
// LabeledEdit15: one attempt
QString AttemptsInitial();
// Column "Значение" of a command given up
QString NoAnswer();
// TForm3 edit at start
QString AddressDialogInitial();
// BitBtn2 of TForm3, TForm5, TForm6
QString CancelCaption();
// TForm5 list labels
QString FirstVariable();
QString SecondVariable();
QString ThirdVariable();
QString FourthVariable();
// TForm6
QString AveragingLabel();
// Label2 of TForm6 at start
QString AveragingInitial();
// TForm9; ends with two blanks
QString FixedCurrentLabel();
// TForm9 edit whenever it is shown
QString FixedCurrentInitial();
QString FixedCurrentSetCaption();
QString FixedCurrentOffCaption();
// What "Отключить" puts into the edit
QString FixedCurrentOffText();
QString FixedCurrentExitCaption();

} // namespace orv::text
