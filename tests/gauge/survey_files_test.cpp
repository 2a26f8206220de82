#include "gauge/disk_full.h"
#include "gauge/survey_files.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

using namespace orv;

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QString FromWindows1251(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}

const QDateTime Created(QDate(2026, 12, 6), QTime(14, 3, 27, 45));

} // namespace

TEST(SurveyFileNames, BaseNamesAndSlotFiles)
{
    struct Case {
        QString chosen;
        QString base;
        QString slot10;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("/data/Опыт.txt"), QStringLiteral("/data/Опыт"), QStringLiteral("/data/Опыт_10.txt")},
        {QStringLiteral("/data/run.TXT"), QStringLiteral("/data/run"), QStringLiteral("/data/run_10.txt")},
        // Whatever the last four characters are, they go.
        {QStringLiteral("/data/run.csv"), QStringLiteral("/data/run"), QStringLiteral("/data/run_10.txt")},
        {QStringLiteral("/data/run.text"), QStringLiteral("/data/run."), QStringLiteral("/data/run._10.txt")},
        {QStringLiteral("abc"), QString(), QStringLiteral("_10.txt")},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(SurveyBaseName(c.chosen), c.base) << c.chosen.toStdString();
        EXPECT_EQ(SurveyFileName(SurveyBaseName(c.chosen), 10), c.slot10) << c.chosen.toStdString();
    }
    EXPECT_EQ(SurveyFileName(QStringLiteral("/d/Опыт"), 3), QStringLiteral("/d/Опыт_3.txt"));
    EXPECT_EQ(SurveyFilesExistText(QStringLiteral("/d/run")), QStringLiteral("Файлы /d/run_*.txt существуют!"));
}

TEST(SurveyFileSet, HeaderAndPiecesReachTheDiskAtOnceInWindows1251)
{
    QTemporaryDir dir;
    SurveyFileSet files;
    const QString path = dir.filePath(QStringLiteral("Опыт_2.txt"));
    QString error;
    ASSERT_TRUE(files.Create(2, path, Created, 261, &error)) << error.toStdString();
    EXPECT_TRUE(files.IsOpen(2));
    EXPECT_FALSE(files.IsOpen(3));
    EXPECT_TRUE(files.AnyOpen());

    const QByteArray header = ReadAll(path);
    EXPECT_EQ(FromWindows1251(header),
              QStringLiteral("Файл данных опроса от 14:03:27 06.12.2026\r\nПрибор № 2 (адрес - 261)\r\n"));
    // One byte per Cyrillic letter: "Прибор № " is nine bytes, № being 0xB9.
    EXPECT_TRUE(header.contains(QByteArray("\xCF\xF0\xE8\xE1\xEE\xF0 \xB9 2")));

    // Every piece is in the file before the next one is written, without closing.
    ASSERT_TRUE(files.Append(2, QStringLiteral("Addr: 2 ; "), &error));
    EXPECT_TRUE(ReadAll(path).endsWith("Addr: 2 ; "));
    ASSERT_TRUE(files.Append(2, QStringLiteral(" t_kristall: 24,50 °C ; "), &error));
    EXPECT_TRUE(ReadAll(path).endsWith(" t_kristall: 24,50 \xB0" "C ; "));

    // A slot without a file takes nothing.
    EXPECT_TRUE(files.Append(5, QStringLiteral("x"), &error));
    files.CloseAll();
    EXPECT_FALSE(files.AnyOpen());
}

TEST(SurveyFileSet, CreatingEmptiesAnOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run_1.txt"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
    }
    SurveyFileSet files;
    ASSERT_TRUE(files.Create(1, path, Created, 1, nullptr));
    EXPECT_FALSE(ReadAll(path).contains('x'));
}

TEST(SurveyFileSet, FaultsAreReportedAndLeaveNoFileOpen)
{
    QTemporaryDir dir;
    SurveyFileSet files;
    QString error;
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/run_1.txt"));
    EXPECT_FALSE(files.Create(1, missing, Created, 1, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("run_1.txt"))) << error.toStdString();
    EXPECT_FALSE(files.IsOpen(1));

    // A disk that is full: the header cannot be written.
    const QString full = dir.filePath(QStringLiteral("run_2.txt"));
    ASSERT_EQ(::symlink("/dev/full", QFile::encodeName(full).constData()), 0);
    error.clear();
    EXPECT_FALSE(files.Create(2, full, Created, 2, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(files.IsOpen(2));
    EXPECT_FALSE(files.AnyOpen());
}

TEST(SurveyFileSet, AWriteFaultClosesTheFileAndIsReportedOnce)
{
    QTemporaryDir dir;
    SurveyFileSet files;
    const QString path = dir.filePath(QStringLiteral("run_4.txt"));
    ASSERT_TRUE(files.Create(4, path, Created, 4, nullptr));
    ASSERT_TRUE(testsupport::FillDiskUnder(path));
    QString error;
    EXPECT_FALSE(files.Append(4, QStringLiteral("Addr: 4 ; "), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("run_4.txt"))) << error.toStdString();
    EXPECT_FALSE(files.IsOpen(4));
    error.clear();
    EXPECT_TRUE(files.Append(4, QStringLiteral("Command: 1 ; "), &error));
    EXPECT_TRUE(error.isEmpty());
}

TEST(SurveyFileSet, EachCycleSyncsTheFilesWrittenSinceTheLastAndReportsOneThatCannot)
{
    QTemporaryDir dir;
    SurveyFileSet files;
    for (int k : {1, 2, 3})
        ASSERT_TRUE(files.Create(k, dir.filePath(QStringLiteral("run_%1.txt").arg(k)), Created, k, nullptr));
    struct Step {
        const char *what;
        std::vector<int> written;   // slots a line was written to before the sync
        int synced;
    };
    const std::vector<Step> steps = {
        {"the new files' header lines", {}, 3},
        {"nothing new", {}, 0},
        {"one line in slot 2", {2}, 1},
        {"lines in slots 1 and 3", {1, 3, 3}, 2},
    };
    for (const Step &s : steps) {
        for (int k : s.written)
            ASSERT_TRUE(files.Append(k, QStringLiteral("Addr: 1 ; "), nullptr));
        QString error;
        int synced = 0;
        EXPECT_TRUE(files.SyncWritten(&error, &synced)) << s.what;
        EXPECT_EQ(synced, s.synced) << s.what;
        EXPECT_TRUE(error.isEmpty()) << s.what;
    }

    // Slot 2's data can be written but not put on the disk: reported with its file, and closed.
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(testsupport::RedirectOpenFile(dir.filePath(QStringLiteral("run_2.txt")),
                                              QFile::encodeName(fifo).constData(), O_RDWR));
    for (int k : {1, 2})
        ASSERT_TRUE(files.Append(k, QStringLiteral("Addr: 1 ; "), nullptr));
    QString error;
    int synced = 0;
    EXPECT_FALSE(files.SyncWritten(&error, &synced));
    EXPECT_EQ(synced, 1);
    EXPECT_TRUE(error.contains(QStringLiteral("run_2.txt"))) << error.toStdString();
    EXPECT_FALSE(files.IsOpen(2));
    EXPECT_TRUE(files.IsOpen(1) && files.IsOpen(3));
    EXPECT_TRUE(files.SyncWritten(&error, &synced));
}
