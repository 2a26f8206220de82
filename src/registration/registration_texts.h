#pragma once
// Texts of the registration page, its overwrite prompt and its data files.
// Copied from the program's text list: never retype these texts, several differ
// from look-alikes only by a Cyrillic or Latin letter or by blanks.
#include <QString>

namespace orv::regtext {

// Caption of slot 1; slots 1..9 share its prefix (two blanks)
QString SlotCaptionFirst();
// Caption of slot 10 (one blank)
QString SlotCaptionTenth();
QString StopCaption();
QString SaveDataFileCaption();
QString PeriodPanelCaption();
// A blank and the Latin letter c
QString SecondsSuffix();
QString NextPollCaption();
QString ReadPrimaryItem();
QString ReadCurrentItem();
QString ReadVariablesItem();
QString NoSlotSelected();
QString AddressZeroTwice();
QString SameAddresses();
QString TimeoutTraceStart();
QString TimeoutTraceEnd();
QString OpenDialogTitle();
// Description and pattern, separated by a bar
QString OpenDialogFilter();
QString OpenDialogSuffix();
QString OverwriteCaption();
QString OverwriteQuestion();
QString OverwriteYes();
QString OverwriteCancel();
QString OverwriteContinue();
// Label of the address edits
QString AddressLabel();
// The graph button caption, two lines
QString GraphButtonCaption();

} // namespace orv::regtext
