#pragma once
// Makes an open file behave like one on a full disk: its descriptor in this process is pointed
// at /dev/full, so the next write fails with "No space left on device" while the program still
// holds the file as open. Pointed at a FIFO instead, writes succeed but syncing fails.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <fcntl.h>
#include <unistd.h>

namespace testsupport {

// Points this process's descriptor of an open file at another file opened with `flags`.
inline bool RedirectOpenFile(const QString &path, const char *target, int flags)
{
    const QString wanted = QFileInfo(path).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &entry : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        if (QFileInfo(fds.filePath(entry)).symLinkTarget() != wanted)
            continue;
        const int other = ::open(target, flags);
        if (other < 0)
            return false;
        const bool replaced = ::dup2(other, entry.toInt()) >= 0;
        ::close(other);
        return replaced;
    }
    return false;
}

inline bool FillDiskUnder(const QString &path)
{
    return RedirectOpenFile(path, "/dev/full", O_WRONLY);
}

} // namespace testsupport
