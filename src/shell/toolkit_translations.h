#pragma once
class QObject;

namespace orv {

// Installs Qt's own Russian texts (standard buttons, file and print dialogs); false when the
// translation files are not installed.
bool InstallToolkitTranslations(QObject *owner);

} // namespace orv
