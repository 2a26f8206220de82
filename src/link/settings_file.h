#pragma once
// The five-line settings file "Orvessa.ini": the four link times as typed and the RS-485 flag.
#include "link/link_settings.h"

#include <QString>
#include <QStringList>

namespace orv {

struct LoadedSettings {
    LinkSettings settings;        // defaults where the file gave nothing usable; bounded
    bool fileRead = false;        // the file existed and could be read
    QString conversionError;      // "'x' is not a valid integer value" for the first bad line
    QString timingWarning;        // times that cannot work or were bounded (LinkTimingWarning)
};

// Reads the file; a missing or unreadable file gives the defaults without an error. Every time
// is bounded as it is read, so no value in the file can stop the exchanges or overflow.
LoadedSettings LoadSettingsFile(const QString &path);

// The file's content for four edit texts (written as they stand) and the RS-485 flag.
QByteArray SettingsFileContent(const QStringList &fourTexts, bool rs485Mode);

// Rewrites the file; returns false with the system's reason when it cannot be written.
bool SaveSettingsFile(const QString &path, const QStringList &fourTexts, bool rs485Mode, QString *error);

// Where the file lives: beside the executable when that folder can be written and is no bin folder,
// otherwise (an installed program) in the user's configuration folder, ~/.config/Orvessa.
QString SettingsFolder(const QString &programFolder, const QString &configFolder);
QString SettingsFilePath();
// Where start-up reads it: that file, or, while it does not exist yet, the one beside the program.
QString SettingsReadPath();

} // namespace orv
