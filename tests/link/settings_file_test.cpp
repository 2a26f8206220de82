#include "link/settings_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orv;

namespace {

QString WriteFile(const QTemporaryDir &dir, const QByteArray &content)
{
    const QString path = dir.filePath(QStringLiteral("Orvessa.ini"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}

} // namespace

TEST(SettingsFile, LoadCases)
{
    struct Case {
        const char *name;
        const char *content;   // nullptr: no file
        int post, wait, next, rs485Delay;
        bool rs485;
        const char *error;
        bool warned = false;   // the timing warning is due
    };
    const Case cases[] = {
        {"missing", nullptr, 1, 280, 300, 15, false, ""},
        {"defaultsWritten", "1\r\n280\r\n300\r\n15\r\n0\r\n", 1, 280, 300, 15, false, ""},
        {"rs485On", "5\r\n500\r\n600\r\n20\r\n1\r\n", 5, 500, 600, 20, true, ""},
        {"unixLineEnds", "2\n250\n400\n10\n1\n", 2, 250, 400, 10, true, ""},
        {"fifthLineNotExactlyOne", "1\r\n280\r\n300\r\n15\r\n1 \r\n", 1, 280, 300, 15, false, ""},
        {"fifthLineMissing", "1\r\n280\r\n300\r\n15\r\n", 1, 280, 300, 15, false, ""},
        {"badSecondLine", "3\r\nabc\r\n700\r\n15\r\n1\r\n", 3, 280, 700, 15, true, "'abc' is not a valid integer value"},
        {"tooFewLines", "3\r\n200\r\n", 3, 200, 300, 15, false, "'' is not a valid integer value"},
        // Times are bounded as they are read: negative delays mean none, a response wait that
        // cannot work is told, values near the integer limits cannot reach the arithmetic.
        {"negativeDelays", "-4\r\n280\r\n300\r\n-9\r\n0\r\n", 0, 280, 300, 0, false, ""},
        {"responseZero", "1\r\n0\r\n300\r\n15\r\n0\r\n", 1, 1, 300, 15, false, "", true},
        {"responseNotShorter", "1\r\n300\r\n300\r\n15\r\n0\r\n", 1, 300, 300, 15, false, "", true},
        {"huge", "5000\r\n90000\r\n2147483647\r\n3000\r\n1\r\n", 1000, 60000, 600000, 1000, true, "", true},
        {"nearTheLowerLimit", "\n-2147483645", 1, 1, 300, 15, false, "'' is not a valid integer value", true},
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        const QString path =
            c.content ? WriteFile(dir, QByteArray(c.content)) : dir.filePath(QStringLiteral("Orvessa.ini"));
        const LoadedSettings loaded = LoadSettingsFile(path);
        EXPECT_EQ(loaded.fileRead, c.content != nullptr) << c.name;
        EXPECT_EQ(loaded.settings.PostTransmitDelay, c.post) << c.name;
        EXPECT_EQ(loaded.settings.ResponseWaitTime, c.wait) << c.name;
        EXPECT_EQ(loaded.settings.NextTransmitTime, c.next) << c.name;
        EXPECT_EQ(loaded.settings.Rs485Delay, c.rs485Delay) << c.name;
        EXPECT_EQ(loaded.settings.Rs485Mode, c.rs485) << c.name;
        EXPECT_EQ(loaded.conversionError, QString::fromUtf8(c.error)) << c.name;
        EXPECT_EQ(!loaded.timingWarning.isEmpty(), c.warned) << c.name;
    }
}

TEST(SettingsFile, SaveWritesTheTextsAsTyped)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/Orvessa.ini"));
    ASSERT_TRUE(SaveSettingsFile(path, {QStringLiteral("5"), QStringLiteral("500"), QStringLiteral("600"),
                                        QStringLiteral("020")}, true, nullptr));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("5\r\n500\r\n600\r\n020\r\n1\r\n"));
    const LoadedSettings back = LoadSettingsFile(path);
    EXPECT_EQ(back.settings.Rs485Delay, 20);
    EXPECT_TRUE(back.settings.Rs485Mode);
}

TEST(SettingsFile, SaveReportsAnUnwritablePlace)
{
    QTemporaryDir dir;
    const QString blocker = WriteFile(dir, "x");   // a file where a folder is needed
    QString error;
    EXPECT_FALSE(SaveSettingsFile(blocker + QStringLiteral("/Orvessa.ini"), {}, false, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(SettingsFile, FolderOfTheProgramOrOfTheUser)
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("config"));
    const struct {
        const char *programFolder;   // below the temporary folder
        bool exists, beside;
    } cases[] = {{"build/src/shell", true, true}, {"usr/bin", true, false}, {"gone", false, false}};
    for (const auto &c : cases) {
        const QString folder = dir.filePath(QLatin1String(c.programFolder));
        if (c.exists) {
            ASSERT_TRUE(QDir().mkpath(folder));
        }
        EXPECT_EQ(SettingsFolder(folder, config), c.beside ? folder : config) << c.programFolder;
    }
}
