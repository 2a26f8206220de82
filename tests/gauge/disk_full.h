#pragma once
// Makes an open file behave like one on a full disk: its descriptor in this process is pointed
// at /dev/full, so the next write fails with "No space left on device" while the program still
// holds the file as open.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <fcntl.h>
#include <unistd.h>

namespace testsupport {

inline bool FillDiskUnder(const QString &path)
{
    const QString wanted = QFileInfo(path).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &entry : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        if (QFileInfo(fds.filePath(entry)).symLinkTarget() != wanted)
            continue;
        const int full = ::open("/dev/full", O_WRONLY);
        if (full < 0)
            return false;
        const bool replaced = ::dup2(full, entry.toInt()) >= 0;
        ::close(full);
        return replaced;
    }
    return false;
}

} // namespace testsupport
