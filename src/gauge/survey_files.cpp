#include "gauge/survey_files.h"

#include "gauge/gauge_texts.h"
#include "gauge/survey_format.h"
#include "gauge/survey_line.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>

#include <unistd.h>

namespace orv {

namespace {

constexpr int ExtensionLength = 4;

// The messages of a file that cannot be made or written: the file and the system's reason.
QString CreateErrorText(const QString &path, const QString &reason)
{
    return QStringLiteral("Ошибка ввода-вывода: не удалось создать файл %1 (%2)")
        .arg(QDir::toNativeSeparators(path), reason);
}

QString WriteErrorText(const QString &path, const QString &reason)
{
    return QStringLiteral("Ошибка ввода-вывода: не удалось записать в файл %1 (%2)")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

QString SurveyBaseName(const QString &chosenName)
{
    return chosenName.left(std::max<qsizetype>(0, chosenName.size() - ExtensionLength));
}

QString SurveyFileName(const QString &baseName, int slot)
{
    return baseName + text::SurveyFileSeparator() + QString::number(slot) + text::SurveyFileExtension();
}

QString SurveyFilesExistText(const QString &baseName)
{
    return text::SurveyFilesExistStart() + baseName + text::SurveyFilesExistPattern() + text::SurveyFilesExistEnd();
}

QByteArray SurveyFileBytes(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

SurveyFileSet::SurveyFileSet() = default;
SurveyFileSet::~SurveyFileSet() = default;

bool SurveyFileSet::Create(int slot, const QString &path, const QDateTime &created, int address, QString *error)
{
    if (slot < 1 || slot > DeviceSlotCount)
        return false;
    Close(slot);
    auto file = std::make_unique<QFile>(path);
    // Unbuffered: each write is a system call, nothing waits in the program's own buffer.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        if (error)
            *error = CreateErrorText(path, file->errorString());
        return false;
    }
    files_[static_cast<std::size_t>(slot - 1)] = std::move(file);
    const QByteArray header = SurveyFileBytes(SurveyTitleLine(created) + SurveyDeviceLine(slot, address));
    QString writeError;
    if (!Write(slot, header, &writeError)) {
        if (error)
            *error = CreateErrorText(path, writeError);
        return false;
    }
    return true;
}

bool SurveyFileSet::Append(int slot, const QString &piece, QString *error)
{
    if (!IsOpen(slot))
        return true;
    const QString path = Path(slot);
    QString reason;
    if (Write(slot, SurveyFileBytes(piece), &reason))
        return true;
    if (error)
        *error = WriteErrorText(path, reason);
    return false;
}

bool SurveyFileSet::Write(int slot, const QByteArray &bytes, QString *reason)
{
    QFile &file = *files_[static_cast<std::size_t>(slot - 1)];
    const qint64 written = file.write(bytes);
    const bool flushed = file.flush();
    if (written == bytes.size() && flushed) {
        unsynced_[static_cast<std::size_t>(slot - 1)] = true;
        return true;
    }
    if (reason)
        *reason = file.errorString();
    Close(slot);
    return false;
}

bool SurveyFileSet::Sync(int slot, QString *reason)
{
    const std::size_t i = static_cast<std::size_t>(slot - 1);
    if (!files_[i] || !unsynced_[i])
        return true;
    unsynced_[i] = false;
    // Data only: the file's times need not be on the disk, its length (part of the data) is.
    int result;
    do
        result = ::fdatasync(files_[i]->handle());
    while (result != 0 && errno == EINTR);
    if (result == 0)
        return true;
    if (reason)
        *reason = qt_error_string(errno);
    return false;
}

bool SurveyFileSet::SyncWritten(QString *error, int *synced)
{
    bool allSynced = true;
    for (int k = 1; k <= DeviceSlotCount; ++k) {
        if (!IsOpen(k) || !unsynced_[static_cast<std::size_t>(k - 1)])
            continue;
        QString reason;
        if (Sync(k, &reason)) {
            if (synced)
                ++*synced;
            continue;
        }
        if (allSynced && error)
            *error = WriteErrorText(Path(k), reason);
        allSynced = false;
        Close(k);
    }
    return allSynced;
}

void SurveyFileSet::Close(int slot)
{
    if (slot < 1 || slot > DeviceSlotCount)
        return;
    // A file closed after a failed sync is not synced again: that would fail the same way.
    Sync(slot, nullptr);
    auto &file = files_[static_cast<std::size_t>(slot - 1)];
    if (file)
        file->close();
    file.reset();
    unsynced_[static_cast<std::size_t>(slot - 1)] = false;
}

void SurveyFileSet::CloseAll()
{
    for (int k = 1; k <= DeviceSlotCount; ++k)
        Close(k);
}

bool SurveyFileSet::IsOpen(int slot) const
{
    if (slot < 1 || slot > DeviceSlotCount)
        return false;
    const auto &file = files_[static_cast<std::size_t>(slot - 1)];
    return file && file->isOpen();
}

bool SurveyFileSet::AnyOpen() const
{
    for (int k = 1; k <= DeviceSlotCount; ++k) {
        if (IsOpen(k))
            return true;
    }
    return false;
}

QString SurveyFileSet::Path(int slot) const
{
    if (!IsOpen(slot))
        return QString();
    return files_[static_cast<std::size_t>(slot - 1)]->fileName();
}

} // namespace orv
