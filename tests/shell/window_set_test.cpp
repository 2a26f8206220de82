// The window set as a whole: all nineteen windows in the program's order, and every control
// reachable by screen readers and UI automation.
#include "program_fixture.h"
#include "registration/registration_page.h"
#include "setup/setup_page.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTableWidget>
#include <QTabWidget>
#include <gtest/gtest.h>

TEST(WindowSet, NineteenWindowsInTheProgramsOrder)
{
    testsupport::ProgramFixture program;
    QStringList created;
    created << QString::fromLatin1(program.form1->metaObject()->className());
    for (QObject *child : program.form1->children())
        if (qobject_cast<QDialog *>(child))
            created << QString::fromLatin1(child->metaObject()->className());
    const QStringList expected = {
        "orv::TForm1",         "orv::TForm3",           "orv::TForm5",         "orv::TForm6",
        "orv::TForm9",         "orv::TForm12",          "orv::TForm21",        "orv::TSign_Ustr",
        "orv::TUkaz_Ed_Davl",  "orv::TUkaz_Tok",        "orv::TZavod_Parametrs", "orv::TPodtvergdenie",
        "orv::TPodDiapazon",   "orv::TTime_Intervals",  "orv::TRis_Interf",    "orv::TTime_Delay_Pribor",
        "orv::TPerezap_File",  "orv::TGrafik",          "orv::TOgidanie"};
    EXPECT_EQ(created, expected);

    // The exit question has no caption: a blank, since the window system fills an empty one.
    const QStringList captions = {
        "Введите адрес опроса", "Ввод переменных", "Ввод числа измерений при усреднении",
        "Режим фиксированного тока", " ", "О программе", "Параметры сигнализирующего устройства",
        "Указание единиц измерений", "Настройка токового выходного сигнала", "Сведения о приборе",
        "Подтверждение", "Поддиапазон измерений", "Временные интервалы",
        "Временные интервалы передаваемых сообщений", "Длительность задержки ответа прибора",
        "Перезапись файла", "Графическое представление данных", "Ожидание"};
    QStringList seen;
    for (QObject *child : program.form1->children())
        if (auto *dialog = qobject_cast<QDialog *>(child))
            seen << dialog->windowTitle();
    EXPECT_EQ(seen, captions);
}

namespace {

bool IsControl(const QWidget *w)
{
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QComboBox *>(w) ||
           qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractSlider *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QTableWidget *>(w) ||
           qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QProgressBar *>(w) ||
           qobject_cast<const QTabWidget *>(w);
}

// Parts that Qt builds inside its own composite widgets (a combo box's line edit, a spin box's
// editor, a table's scroll bars, a dialog's internal buttons) are named by their owner.
bool IsInternalPart(const QWidget *w)
{
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QComboBox *>(p) || qobject_cast<const QAbstractSpinBox *>(p) ||
            qobject_cast<const QAbstractScrollArea *>(p) || qobject_cast<const QTabBar *>(p) ||
            QLatin1String(p->metaObject()->className()) == QLatin1String("orv::UpDownButtons"))
            return true;
    return w->objectName().startsWith(QLatin1String("qt_"));
}

// What a screen reader announces: Qt derives it from the accessible name, a button's text or
// the buddy label.
QString SpokenName(QWidget *w)
{
    // A list or an edit would otherwise be announced by its current value alone.
    if (qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractSpinBox *>(w)) {
        if (!w->accessibleName().isEmpty())
            return w->accessibleName();
        for (QLabel *label : w->window()->findChildren<QLabel *>())
            if (label->buddy() == w)
                return label->text();
        return QString();
    }
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name) : QString();
}

} // namespace

TEST(WindowSet, EveryControlIsNamedForAssistiveTechnology)
{
    testsupport::ProgramFixture program;
    QList<QWidget *> windows{program.form1};
    for (QObject *child : program.form1->children())
        if (auto *dialog = qobject_cast<QDialog *>(child))
            windows << dialog;
    QStringList faults;
    for (QWidget *window : windows) {
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (w->window() != window || !IsControl(w) || IsInternalPart(w))
                continue;
            const QString where = QString::fromLatin1(window->metaObject()->className()) + QLatin1Char('/') +
                                  QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') +
                                  w->objectName();
            if (w->objectName().isEmpty())
                faults << where + QStringLiteral(": no name");
            else if (w->accessibleDescription() != w->objectName())
                faults << where + QStringLiteral(": accessible description is not its name");
            if (SpokenName(w).trimmed().isEmpty())
                faults << where + QStringLiteral(": nothing a screen reader could say");
        }
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

TEST(WindowSet, SetupStartResetsTheRegistrationSlotAttempts)
{
    testsupport::ProgramFixture program;
    orv::RegistrationPage *registration = program.form1->TabSheet2;
    registration->SlotAttemptCount = {{3, 2, 1, 5, 1, 1, 1, 1, 1, 4}};
    ASSERT_TRUE(program.form1->TabSheet1->ResetSlotAttempts);
    program.form1->TabSheet1->ResetSlotAttempts();
    for (std::uint8_t count : registration->SlotAttemptCount)
        EXPECT_EQ(count, 1);
}
