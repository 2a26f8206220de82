// Survey data files end to end: names, header lines, data lines byte for byte, the overwrite
// question, closing, the locks they put on the page, and files that cannot be written.
#include "gauge/disk_full.h"
#include "registration/overwrite_prompt.h"
#include "registration/registration_texts.h"
#include "registration_fixture.h"
#include "gauge/gauge_texts.h"
#include "gauge/survey_format.h"
#include "support/modal.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <gtest/gtest.h>

using namespace orv;
using namespace testsupport;

namespace {

void StageGauge(sim::GaugeSimulator &simulator, std::uint8_t address, std::uint8_t unitCode)
{
    simulator.stagePressure(address, 0.8f, 2);
    simulator.modify(address, [unitCode](sim::GaugeState &state) {
        state.temperature = 24.5f;
        state.um = 31500.0f;
        state.settings.unitCode = unitCode;
    });
}

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Decoded(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}

// The lines of a file, each with its CR LF.
QStringList Lines(const QString &path)
{
    QStringList lines;
    const QString text = Decoded(Bytes(path));
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype end = text.indexOf(QStringLiteral("\r\n"), from);
        if (end < 0) {
            lines << text.mid(from);
            break;
        }
        lines << text.mid(from, end + 2 - from);
        from = end + 2;
    }
    return lines;
}

// "14:03:27.045 06.12.2026" in the grid -> "Time: 14:03:27.045 ; Date: 06.12.2026" + CR LF.
QString TimePiece(const QString &gridStamp)
{
    const QStringList parts = gridStamp.split(QLatin1Char(' '));
    return QStringLiteral("Time: ") + parts.value(0) + QStringLiteral(" ; Date: ") + parts.value(1) +
           QStringLiteral("\r\n");
}

// One cycle with a read command: Start, both lamps green, Stop.
bool PollOnce(RegistrationFixture &f, int item)
{
    f.ChooseCommand(item);
    if (!f.Start())
        return false;
    const bool answered = WaitUntil([&] { return f.Lamp(2) == Green && f.Lamp(10) == Green; });
    return f.Stop() && answered;
}

struct FilesFixture : RegistrationFixture {
    QString base;
    FilesFixture()
    {
        base = dir.filePath(QStringLiteral("run"));
    }
    QString FileOf(int slot) const { return base + QStringLiteral("_%1.txt").arg(slot); }
    bool SetUp()
    {
        if (!Connect({22, 100}))
            return false;
        StageGauge(*simulator, 22, 2);
        StageGauge(*simulator, 100, 0);
        Tick(2, 22);
        Tick(10, 100);
        SetPeriod(10);
        return true;
    }
};

} // namespace

TEST(RegistrationFiles, SlotsTwoAndTenWriteHeaderAndDataLinesByteForByte)
{
    FilesFixture f;
    ASSERT_TRUE(f.SetUp());
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    f.TickSaveBox(f.base + QStringLiteral(".txt"));
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    ASSERT_TRUE(f.page->Check_Save_Data_File->isChecked());
    EXPECT_TRUE(f.page->FilesCreated());
    EXPECT_EQ(f.fileChoices, 1);
    ASSERT_TRUE(QFile::exists(f.FileOf(2)));
    ASSERT_TRUE(QFile::exists(f.FileOf(10)));
    for (int k : {1, 3, 9})
        EXPECT_FALSE(QFile::exists(f.FileOf(k))) << k;
    for (int k = 1; k <= 10; ++k) {
        EXPECT_FALSE(f.Check(k)->isEnabled()) << k;
        EXPECT_FALSE(f.Address(k)->isEnabled()) << k;
    }

    const QRegularExpression title(QStringLiteral("^") + text::SurveyTitle() +
                                   QStringLiteral("(\\d\\d:\\d\\d:\\d\\d) (\\d\\d\\.\\d\\d\\.\\d\\d\\d\\d)\r\n$"));
    for (int k : {2, 10}) {
        const QStringList lines = Lines(f.FileOf(k));
        ASSERT_EQ(lines.size(), 2) << k;
        const QRegularExpressionMatch m = title.match(lines[0]);
        ASSERT_TRUE(m.hasMatch()) << lines[0].toStdString();
        const QDateTime created(QDate::fromString(m.captured(2), QStringLiteral("dd.MM.yyyy")),
                                QTime::fromString(m.captured(1), QStringLiteral("HH:mm:ss")));
        EXPECT_TRUE(created >= before.addMSecs(-before.time().msec()) && created <= after) << k;
        EXPECT_EQ(lines[1], text::SurveyDeviceLineStart() + QString::number(k) + text::SurveyDeviceLineAddress() +
                                QString::number(k == 2 ? 22 : 100) + text::SurveyDeviceLineEnd() + QStringLiteral("\r\n"));
    }
    // One byte per character: Windows-1251, not UTF-8.
    EXPECT_EQ(Bytes(f.FileOf(10)).size(), Decoded(Bytes(f.FileOf(10))).size());
    EXPECT_TRUE(Bytes(f.FileOf(10)).contains("\xB9 10 ("));

    const QString degree = QString(QChar(0x00B0)) + QStringLiteral("C");
    const QString list12 = text::VariableListTexts().at(11);
    TForm5 *form5 = f.windows->Form5;
    form5->ComboBox1->setCurrentIndex(0);    // pressure
    form5->ComboBox2->setCurrentIndex(1);    // current
    form5->ComboBox3->setCurrentIndex(2);    // Um
    form5->ComboBox4->setCurrentIndex(11);   // DAC code, a general number
    DialogAnswerer ok(form5, form5->BitBtn1);
    struct Case {
        int item;
        QString slot2;    // the line before its time piece
        QString slot10;
    };
    const std::vector<Case> cases = {
        {0, "Addr: 22 ; Command: 1 ; Pressure: 0,8000000 MPa ; ",
         // A unit code without a name leaves two blanks before the semicolon.
         "Addr: 100 ; Command: 1 ; Pressure: 0,8000000  ; "},
        {1,
         "Addr: 22 ; Command: 3 ; Iout: 12,0000000 mA ; Pressure: 0,8000000 ; Um: 31500,0000000 ; "
         "Udif: 27200,0000000 ;  t_kristall: 24,50 " + degree + " ; ",
         "Addr: 100 ; Command: 3 ; Iout: 12,0000000 mA ; Pressure: 0,8000000 ; Um: 31500,0000000 ; "
         "Udif: 27200,0000000 ;  t_kristall: 24,50 " + degree + " ; "},
        {2,
         "Addr: 22 ; Command: 33 ; 0. Pressure: 0,8000000 MPa ; 1. Iout: 12,0000000 mA ; "
         "2. Um: 31500,0000000  ; " + list12 + ": 50 ; ",
         "Addr: 100 ; Command: 33 ; 0. Pressure: 0,8000000  ; 1. Iout: 12,0000000 mA ; "
         "2. Um: 31500,0000000  ; " + list12 + ": 50 ; "},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(PollOnce(f, c.item)) << c.item;
        const int rows = c.item == 0 ? 1 : c.item == 1 ? 5 : 4;
        const QStringList lines2 = Lines(f.FileOf(2));
        const QStringList lines10 = Lines(f.FileOf(10));
        ASSERT_EQ(lines2.size(), 3 + c.item) << c.item;
        ASSERT_EQ(lines10.size(), 3 + c.item) << c.item;
        EXPECT_EQ(lines2.back(), c.slot2 + TimePiece(f.Cell(1, 5))) << c.item;
        EXPECT_EQ(lines10.back(), c.slot10 + TimePiece(f.Cell(1 + rows, 5))) << c.item;
    }
    EXPECT_EQ(ok.count, 1);

    // Unticking closes the files and unlocks the slots; nothing more is written.
    const QByteArray closed = Bytes(f.FileOf(2));
    QTest::mouseClick(f.page->Check_Save_Data_File, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(f.page->Check_Save_Data_File->isChecked());
    EXPECT_FALSE(f.page->FilesCreated());
    EXPECT_TRUE(f.Check(2)->isEnabled());
    EXPECT_TRUE(f.Address(2)->isEnabled());
    ASSERT_TRUE(PollOnce(f, 0));
    EXPECT_EQ(Bytes(f.FileOf(2)), closed);
}

TEST(RegistrationFiles, ExistingFilesAreOverwrittenOnlyAfterYes)
{
    FilesFixture f;
    ASSERT_TRUE(f.SetUp());
    {
        QFile old(f.FileOf(10));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old lines\r\n");
    }
    TPerezap_File *prompt = f.windows->Perezap_File;
    QString shown;
    bool continuationHidden = false;
    QPoint yesAt, cancelAt;
    WhenModalOpens([&](QWidget *modal) {
        if (modal != prompt)
            return;
        shown = prompt->Edit1->text();
        continuationHidden = !prompt->BitBtn3->isVisible();
        yesAt = prompt->BitBtn1->pos();
        cancelAt = prompt->BitBtn2->pos();
        QTest::mouseClick(prompt->BitBtn2, Qt::LeftButton);
    });
    f.TickSaveBox(f.base + QStringLiteral(".txt"));
    EXPECT_EQ(shown, text::SurveyFilesExistStart() + f.base + text::SurveyFilesExistPattern() + text::SurveyFilesExistEnd());
    EXPECT_EQ(prompt->Label2->text(), regtext::OverwriteQuestion());
    EXPECT_TRUE(continuationHidden);
    EXPECT_EQ(yesAt.x(), 192);
    EXPECT_EQ(cancelAt.x(), 328);
    EXPECT_FALSE(f.page->Check_Save_Data_File->isChecked());
    EXPECT_FALSE(f.page->FilesCreated());
    EXPECT_FALSE(QFile::exists(f.FileOf(2)));
    EXPECT_EQ(Bytes(f.FileOf(10)), QByteArray("old lines\r\n"));
    EXPECT_TRUE(f.Check(2)->isEnabled());

    // Enter is "Отмена" too: old survey files go only on a deliberate "Да".
    WhenModalOpens([&](QWidget *modal) {
        if (modal == prompt)
            QTest::keyClick(modal, Qt::Key_Return);
    });
    f.TickSaveBox(f.base + QStringLiteral(".txt"));
    EXPECT_FALSE(f.page->FilesCreated());
    EXPECT_EQ(Bytes(f.FileOf(10)), QByteArray("old lines\r\n"));

    ClickInNextModal(QStringLiteral("BitBtn1"));
    f.TickSaveBox(f.base + QStringLiteral(".txt"));
    ASSERT_TRUE(f.page->Check_Save_Data_File->isChecked());
    EXPECT_EQ(Lines(f.FileOf(2)).size(), 2);
    EXPECT_EQ(Lines(f.FileOf(10)).size(), 2);
    EXPECT_FALSE(Bytes(f.FileOf(10)).contains("old"));
    QTest::mouseClick(f.page->Check_Save_Data_File, Qt::LeftButton, {}, QPoint(5, 5));

    // Cancelling the file choice leaves the box unticked and asks nothing more.
    f.TickSaveBox(std::nullopt);
    EXPECT_FALSE(f.page->Check_Save_Data_File->isChecked());
    EXPECT_TRUE(f.Check(2)->isEnabled());
}

TEST(RegistrationFiles, OpenFilesLockTheSlotsAndTheExit)
{
    FilesFixture f;
    ASSERT_TRUE(f.SetUp());
    f.SetPeriod(1);
    ASSERT_TRUE(f.Start());
    EXPECT_FALSE(f.page->Check_Save_Data_File->isEnabled()) << "Start takes the box away";
    // Leaving the page and coming back gives it back: files opened now get the next answers.
    f.ShowPage(2);
    f.ShowPage(1);
    ASSERT_TRUE(f.page->Check_Save_Data_File->isEnabled());
    f.TickSaveBox(f.base + QStringLiteral(".txt"));
    ASSERT_TRUE(f.page->FilesCreated());
    ASSERT_TRUE(WaitUntil([&] { return Lines(f.FileOf(10)).size() >= 3; }, 3000));
    ASSERT_TRUE(f.Stop());
    for (int k = 1; k <= 10; ++k)
        EXPECT_FALSE(f.Check(k)->isEnabled()) << "Stop keeps the slots locked while files are open";

    f.messages.clear();
    f.form1->N2Click();
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_TRUE(f.messages[0].contains(regtext::SaveDataFileCaption())) << f.messages[0].toStdString();

    QTest::mouseClick(f.page->Check_Save_Data_File, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(f.page->FilesCreated());
    for (int k = 1; k <= 10; ++k)
        EXPECT_TRUE(f.Check(k)->isEnabled()) << k;
}

TEST(RegistrationFiles, FileThatCannotBeMadeIsReportedAndNothingStaysOpen)
{
    FilesFixture f;
    ASSERT_TRUE(f.SetUp());
    f.SetPeriod(1);
    f.TickSaveBox(f.dir.filePath(QStringLiteral("missing/run.txt")));
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_TRUE(f.messages[0].contains(QStringLiteral("run_2.txt"))) << f.messages[0].toStdString();
    EXPECT_FALSE(f.page->Check_Save_Data_File->isChecked());
    EXPECT_FALSE(f.page->FilesCreated());
    EXPECT_TRUE(f.Check(2)->isEnabled());
    ASSERT_TRUE(f.Start());
    ASSERT_TRUE(WaitUntil([&] { return f.Lamp(2) == Green && f.Lamp(10) == Green; }));
    ASSERT_TRUE(f.Stop());
}

TEST(RegistrationFiles, WriteFaultIsReportedOnceAndPollingGoesOn)
{
    FilesFixture f;
    ASSERT_TRUE(f.SetUp());
    f.SetPeriod(1);
    f.TickSaveBox(f.base + QStringLiteral(".txt"));
    ASSERT_TRUE(f.page->FilesCreated());
    ASSERT_TRUE(FillDiskUnder(f.FileOf(2)));
    ASSERT_TRUE(f.Start());
    ASSERT_TRUE(WaitUntil([&] { return Lines(f.FileOf(10)).size() >= 5; }, 6000));
    ASSERT_TRUE(f.Stop());
    ASSERT_EQ(f.messages.size(), 1) << f.messages.join('|').toStdString();
    EXPECT_TRUE(f.messages[0].contains(QStringLiteral("run_2.txt")));
    // The answer was still shown, and the other file kept its lines whole.
    EXPECT_EQ(f.Lamp(2), Green);
    EXPECT_EQ(f.Cell(1, 0), QStringLiteral("22"));
    EXPECT_EQ(Lines(f.FileOf(2)).size(), 2);
    for (const QString &line : Lines(f.FileOf(10)).mid(2))
        EXPECT_TRUE(line.startsWith(QStringLiteral("Addr: 100 ; ")) && line.endsWith(QStringLiteral("\r\n")));
}
