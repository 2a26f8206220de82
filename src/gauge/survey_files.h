#pragma once
// The survey data files of the ten device slots: names, creation with the two header lines, and
// appending the pieces of a line. Every piece goes to the operating system as soon as it is
// written, so a program that dies loses at most the line it was writing; once per polling cycle
// the files written to go on to the disk itself, so a power cut loses at most that cycle.

#include <QDateTime>
#include <QString>

#include <array>
#include <memory>

class QFile;

namespace orv {

// The registration page's ten device slots, each with a file of its own.
constexpr int DeviceSlotCount = 10;

// The chosen file name without its last four characters (meant to be ".txt"; they go whatever
// they are).
QString SurveyBaseName(const QString &chosenName);
// The file of slot k: base + "_" + k + ".txt".
QString SurveyFileName(const QString &baseName, int slot);
// The overwrite prompt's message: "Файлы " + base + "_*.txt" + " существуют!".
QString SurveyFilesExistText(const QString &baseName);

// Text of a file: Windows-1251, so the files stay exchangeable with those of other
// installations; the line ends (CR LF) are part of the pieces.
QByteArray SurveyFileBytes(const QString &text);

class SurveyFileSet {
public:
    SurveyFileSet();
    ~SurveyFileSet();
    SurveyFileSet(const SurveyFileSet &) = delete;
    SurveyFileSet &operator=(const SurveyFileSet &) = delete;

    // Creates the file of a slot (an existing one is emptied) and writes the header lines.
    // On failure the file is not kept open and `error` says why.
    bool Create(int slot, const QString &path, const QDateTime &created, int address, QString *error);
    // Writes one piece to the slot's file. A slot without an open file takes nothing and
    // succeeds. On failure the file is closed, so a broken file is reported once.
    bool Append(int slot, const QString &piece, QString *error);
    // Puts the data of every file written to since the last call on the disk (fdatasync). A file
    // that fails is closed and reported like a write fault (the first one in `error`); `synced`
    // counts the files that went to the disk.
    bool SyncWritten(QString *error, int *synced = nullptr);
    // Closes the slot's file, its last lines put on the disk first.
    void Close(int slot);
    void CloseAll();

    bool IsOpen(int slot) const;
    bool AnyOpen() const;
    QString Path(int slot) const;

private:
    bool Write(int slot, const QByteArray &bytes, QString *error);
    bool Sync(int slot, QString *reason);

    std::array<std::unique_ptr<QFile>, DeviceSlotCount> files_;
    std::array<bool, DeviceSlotCount> unsynced_{};
};

} // namespace orv
