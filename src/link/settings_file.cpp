#include "link/settings_file.h"

#include "link/value_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace orv {

namespace {

const char FileName[] = "Orvessa.ini";

} // namespace

LoadedSettings LoadSettingsFile(const QString &path)
{
    LoadedSettings out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return out;
    out.fileRead = true;
    QList<QByteArray> lines = file.readAll().split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    const auto line = [&lines](int i) {
        return i < lines.size() ? QString::fromLocal8Bit(lines[i]) : QString();
    };
    int *targets[] = {&out.settings.PostTransmitDelay, &out.settings.ResponseWaitTime,
                      &out.settings.NextTransmitTime, &out.settings.Rs485Delay};
    // A bad line keeps its default and the start goes on; the first fault is reported.
    for (int i = 0; i < 4; ++i) {
        QString error;
        if (const auto value = TextToInteger(line(i), &error))
            *targets[i] = *value;
        else if (out.conversionError.isEmpty())
            out.conversionError = error;
    }
    out.settings.Rs485Mode = line(4) == QLatin1String("1");
    out.timingWarning = LinkTimingWarning(out.settings);
    out.settings = BoundedLinkSettings(out.settings);
    return out;
}

QByteArray SettingsFileContent(const QStringList &fourTexts, bool rs485Mode)
{
    QByteArray content;
    for (int i = 0; i < 4; ++i)
        content += (i < fourTexts.size() ? fourTexts[i] : QString()).toLocal8Bit() + "\r\n";
    content += rs485Mode ? "1\r\n" : "0\r\n";
    return content;
}

bool SaveSettingsFile(const QString &path, const QStringList &fourTexts, bool rs485Mode, QString *error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Written whole or not at all, so a failing disk never leaves a half file behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(SettingsFileContent(fourTexts, rs485Mode)) < 0 ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString SettingsFolder(const QString &programFolder, const QString &configFolder)
{
    // A bin folder is shared by every installed program, even where it can be written (by root).
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable() && folder.fileName() != QLatin1String("bin"))
        return programFolder;
    return configFolder;
}

QString SettingsFilePath()
{
    return QDir(SettingsFolder(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)))
        .filePath(QLatin1String(FileName));
}

QString SettingsReadPath()
{
    const QString own = SettingsFilePath();
    if (QFileInfo::exists(own))
        return own;
    // Until the user saves times of his own, an installed program reads the file it came with.
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(FileName));
}

} // namespace orv
