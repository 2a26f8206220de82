// The graph window driven as a user drives it: loading, tabs, deleting, zoom, messages.
#include "graph/graph_chart_view.h"
#include "graph/graph_window.h"
#include "graph/wait_window.h"
#include "modal_answer.h"
#include "survey_test_files.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace orv {
namespace {

class GraphWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(1100, 850);
        window.show();
        QApplication::processEvents();
    }

    template <class T = QWidget>
    T *Find(const char *name)
    {
        T *w = window.findChild<T *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // A survey file of `count` command-1 lines of device `slot`, values around `base`.
    QString File(int slot, int count, double base, const QString &unit = QStringLiteral("kPa"))
    {
        return test::WriteFile(dir, QStringLiteral("run_%1_%2.txt").arg(slot).arg(++files),
                               test::SurveyFile(slot, slot + 4, test::PressureSeries(slot + 4, count, base, unit)));
    }

    void Load(const QString &path, const QString &axis = QStringLiteral("Давление"))
    {
        Find<QComboBox>("ComboBox2")->setCurrentText(axis);
        window.AddGraphFromFile(path);
    }

    QTemporaryDir dir;
    int files = 0;
    TOgidanie wait;
    TGrafik window{&wait};
};

TEST_F(GraphWindow, StartsEmptyWithItsControls)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Графическое представление данных"));
    EXPECT_FALSE(window.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(wait.windowTitle(), QStringLiteral("Ожидание"));

    const struct
    {
        const char *name;
        QString text;
        bool enabled;
    } buttons[] = {{"Button_Load_Data", "Добавить график", true},
                   {"Button_Delete_Data", "Удалить график", false},
                   {"Button_Copy", "Копировать", true},
                   {"Button_Print", "Печать", true},
                   {"Button_Close", "Выход", true}};
    for (const auto &b : buttons) {
        auto *button = Find<QPushButton>(b.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), b.text);
        EXPECT_EQ(button->isEnabled(), b.enabled) << b.name;
        EXPECT_EQ(button->accessibleDescription(), QLatin1String(b.name));
    }

    auto *dataAxis = Find<QComboBox>("ComboBox2");
    auto *timeAxis = Find<QComboBox>("ComboBox1");
    ASSERT_TRUE(dataAxis && timeAxis);
    QStringList items;
    for (int i = 0; i < dataAxis->count(); ++i)
        items << dataAxis->itemText(i);
    EXPECT_EQ(items, (QStringList{"Давление", "Ток", "Udif", "Um", "t микропроцессора"}));
    EXPECT_EQ(dataAxis->currentText(), QStringLiteral("Давление"));
    EXPECT_FALSE(dataAxis->isEditable());
    items.clear();
    for (int i = 0; i < timeAxis->count(); ++i)
        items << timeAxis->itemText(i);
    EXPECT_EQ(items, (QStringList{"Время", "Дата", "Время / Дата "}));
    EXPECT_EQ(timeAxis->currentIndex(), 0);
    EXPECT_EQ(Find<QLabel>("Label5")->buddy(), dataAxis);
    EXPECT_EQ(Find<QLabel>("Label1")->buddy(), timeAxis);
    EXPECT_EQ(Find<QLabel>("Label5")->text(), QStringLiteral("Ось данных"));
    EXPECT_EQ(Find<QLabel>("Label1")->text(), QStringLiteral("Ось времени"));

    auto *grid = Find<QTableWidget>("StringGrid1");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->columnCount(), 6);
    EXPECT_EQ(grid->rowCount() + 1, 11);
    const int widths[] = {100, 72, 133, 131, 106, 105};
    const QStringList headers{"Прибор", "Адрес", "Минимум", "Максимум", "Ед. изм.", "Кол-во точек"};
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(grid->columnWidth(c), widths[c]);
        EXPECT_EQ(window.SummaryCell(0, c), headers[c]);
    }
    EXPECT_EQ(grid->rowHeight(0), 20);
    EXPECT_EQ(grid->horizontalHeader()->height(), 20);
    EXPECT_FALSE(grid->accessibleName().isEmpty());

    EXPECT_EQ(window.DataAxisTitle(), QStringLiteral("Давление"));
    EXPECT_EQ(window.TimeAxisTitle(), QStringLiteral("Время (час:минута:секунда)"));
    EXPECT_FALSE(window.LegendVisible());
    EXPECT_EQ(window.GraphCount(), 0);
    EXPECT_EQ(window.CurrentGraph(), 1);
    EXPECT_FALSE(window.ZoomActive());
    EXPECT_TRUE(window.TabCaptions().isEmpty());
}

TEST_F(GraphWindow, TimeAxisChoiceSetsTheTitleAndIsLockedWhileGraphsAreLoaded)
{
    auto *timeAxis = Find<QComboBox>("ComboBox1");
    ASSERT_NE(timeAxis, nullptr);
    timeAxis->setCurrentIndex(1);
    EXPECT_EQ(window.TimeAxisTitle(), QStringLiteral("Дата (день.месяц.год)"));
    timeAxis->setCurrentIndex(2);
    // The chart draws titles as rich text, where only a <br> breaks the line.
    EXPECT_EQ(window.TimeAxisTitle(), QStringLiteral("<br>Время (час:минута:секунда) / Дата (день.месяц.год)"));
    timeAxis->setCurrentIndex(0);
    EXPECT_EQ(window.TimeAxisTitle(), QStringLiteral("Время (час:минута:секунда)"));

    Load(File(1, 10, 100));
    EXPECT_FALSE(timeAxis->isEnabled());
    window.SelectTab(0);
    QTest::mouseClick(Find<QPushButton>("Button_Delete_Data"), Qt::LeftButton);
    EXPECT_TRUE(timeAxis->isEnabled());
}

TEST_F(GraphWindow, LoadFillsTheRowTabAndSeries)
{
    Load(File(3, 200, 100));
    EXPECT_EQ(window.GraphCount(), 1);
    EXPECT_EQ(window.CurrentGraph(), 1);
    EXPECT_EQ(window.TabCaptions(), QStringList{"№ 3"});
    EXPECT_EQ(window.SelectedTab(), 0);
    EXPECT_EQ(window.SummaryCell(1, 0), QStringLiteral("№ 3"));
    EXPECT_EQ(window.SummaryCell(1, 1), QStringLiteral("7"));
    EXPECT_EQ(window.SummaryCell(1, 4), QStringLiteral("кПа"));
    EXPECT_EQ(window.SummaryCell(1, 5), QStringLiteral("200"));
    EXPECT_EQ(window.SummaryCell(2, 0), QString());
    EXPECT_EQ(window.DataAxisTitle(), QStringLiteral("Давление, кПа"));
    EXPECT_TRUE(window.SeriesVisible(1));
    EXPECT_EQ(window.SeriesPointCount(1), 200);
    EXPECT_FALSE(window.SeriesVisible(2));
    EXPECT_TRUE(Find<QPushButton>("Button_Delete_Data")->isEnabled());
    EXPECT_FALSE(wait.isVisible());

    // The data axis is the graph's range with 5 % of it below and above.
    const GraphSlot &g = window.Graph(1);
    const ValueRange y = window.DataAxisShown();
    EXPECT_DOUBLE_EQ(y.low, g.minimum - 0.05 * (g.maximum - g.minimum));
    EXPECT_DOUBLE_EQ(y.high, g.maximum + 0.05 * (g.maximum - g.minimum));
    // The time axis spans the points.
    EXPECT_DOUBLE_EQ(window.TimeAxisShown().low, g.x.front());
    EXPECT_DOUBLE_EQ(window.TimeAxisShown().high, g.x.back());
}

TEST_F(GraphWindow, AllGraphsTabComesAndGoesWithTheGraphsOfOneVariable)
{
    Load(File(1, 50, 100));
    EXPECT_FALSE(window.AllGraphsTabPresent());
    Load(File(2, 60, 90));
    EXPECT_TRUE(window.AllGraphsTabPresent());
    EXPECT_EQ(window.TabCaptions(), (QStringList{"№ 1", "№ 2", "Все графики"}));
    EXPECT_EQ(window.SelectedTab(), 1);
    EXPECT_EQ(window.CurrentGraph(), 2);

    // Loading while it exists: removed, then added again after the new graph's tab.
    Load(File(3, 70, 80));
    EXPECT_EQ(window.TabCaptions(), (QStringList{"№ 1", "№ 2", "№ 3", "Все графики"}));
    EXPECT_EQ(window.SelectedTab(), 2);

    // Deleting down to one graph removes it.
    QTest::mouseClick(Find<QPushButton>("Button_Delete_Data"), Qt::LeftButton);
    EXPECT_EQ(window.TabCaptions(), (QStringList{"№ 1", "№ 2", "Все графики"}));
    QTest::mouseClick(Find<QPushButton>("Button_Delete_Data"), Qt::LeftButton);
    EXPECT_EQ(window.TabCaptions(), QStringList{"№ 1"});
    EXPECT_FALSE(window.AllGraphsTabPresent());
    EXPECT_EQ(window.SelectedTab(), 0);
    EXPECT_EQ(window.CurrentGraph(), 1);
    EXPECT_EQ(window.SeriesPointCount(1), 50);
}

TEST_F(GraphWindow, GraphsOfDifferentVariablesGetNoCommonView)
{
    const QString cmd3 = test::WriteFile(
        dir, "cmd3.txt",
        test::SurveyFile(4, 9, {test::Command3Line(9, "12,0000000", "0,5000000", QTime(10, 0), QDate(2026, 12, 6)),
                                test::Command3Line(9, "13,0000000", "0,6000000", QTime(10, 0, 1), QDate(2026, 12, 6))}));
    Load(File(1, 20, 100));
    Load(cmd3, QStringLiteral("Ток"));
    EXPECT_FALSE(window.AllGraphsTabPresent());
    EXPECT_EQ(window.TabCaptions(), (QStringList{"№ 1", "№ 4"}));
    EXPECT_EQ(window.DataAxisTitle(), QStringLiteral("Ток, мА"));
    EXPECT_EQ(window.SummaryCell(2, 2), QStringLiteral("12,0000000"));
    EXPECT_EQ(window.SummaryCell(2, 3), QStringLiteral("13,0000000"));

    // The same command-3 file as pressure has no unit; with a third pressure graph the
    // view of all graphs appears only once the current graph is gone.
    Load(cmd3, QStringLiteral("Давление"));
    EXPECT_EQ(window.DataAxisTitle(), QStringLiteral("Давление"));
    EXPECT_FALSE(window.AllGraphsTabPresent());
    window.SelectTab(1);
    QTest::mouseClick(Find<QPushButton>("Button_Delete_Data"), Qt::LeftButton);
    EXPECT_TRUE(window.AllGraphsTabPresent());
    EXPECT_EQ(window.TabCaptions(), (QStringList{"№ 1", "№ 4", "Все графики"}));
}

TEST_F(GraphWindow, ViewOfAllGraphsUsesTheCommonRangeAndShowsTheLegend)
{
    Load(File(1, 100, 100));
    Load(File(2, 100, 50));
    Load(File(3, 100, 10, QStringLiteral("MPa")));
    window.SelectTab(3);
    EXPECT_TRUE(window.LegendVisible());
    EXPECT_FALSE(Find<QPushButton>("Button_Load_Data")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("Button_Delete_Data")->isEnabled());
    double low = 1e300, high = -1e300;
    for (int k = 1; k <= 3; ++k) {
        EXPECT_TRUE(window.SeriesVisible(k));
        EXPECT_EQ(window.SeriesPointCount(k), 100);
        low = std::min(low, window.Graph(k).minimum);
        high = std::max(high, window.Graph(k).maximum);
    }
    const ValueRange y = window.DataAxisShown();
    EXPECT_DOUBLE_EQ(y.low, low - 0.05 * (high - low));
    EXPECT_DOUBLE_EQ(y.high, high + 0.05 * (high - low));
    // Units differ (кПа and МПа): the title is the variable alone.
    EXPECT_EQ(window.DataAxisTitle(), QStringLiteral("Давление"));
    EXPECT_EQ(window.Chart()->legend()->markers().size(), 10);
    int shownMarkers = 0;
    for (QLegendMarker *m : window.Chart()->legend()->markers())
        shownMarkers += m->isVisible() ? 1 : 0;
    EXPECT_EQ(shownMarkers, 3);

    window.SelectTab(1);
    EXPECT_FALSE(window.LegendVisible());
    EXPECT_EQ(window.CurrentGraph(), 2);
    EXPECT_EQ(window.SeriesPointCount(1), 0);
    EXPECT_EQ(window.SeriesPointCount(2), 100);
    EXPECT_TRUE(Find<QPushButton>("Button_Delete_Data")->isEnabled());
}

TEST_F(GraphWindow, DeletingMovesLaterGraphsUp)
{
    Load(File(1, 10, 100));
    Load(File(2, 20, 100));
    Load(File(3, 30, 100));
    window.SelectTab(0);
    QTest::mouseClick(Find<QPushButton>("Button_Delete_Data"), Qt::LeftButton);
    EXPECT_EQ(window.GraphCount(), 2);
    EXPECT_EQ(window.CurrentGraph(), 1);
    EXPECT_EQ(window.TabCaptions(), (QStringList{"№ 2", "№ 3", "Все графики"}));
    EXPECT_EQ(window.SelectedTab(), 0);
    EXPECT_EQ(window.SummaryCell(1, 0), QStringLiteral("№ 2"));
    EXPECT_EQ(window.SummaryCell(1, 5), QStringLiteral("20"));
    EXPECT_EQ(window.SummaryCell(2, 0), QStringLiteral("№ 3"));
    EXPECT_EQ(window.SummaryCell(3, 0), QString());
    EXPECT_EQ(window.SummaryCell(3, 5), QString());
    EXPECT_EQ(window.SeriesPointCount(1), 20);
}

TEST_F(GraphWindow, DeletingTheOnlyGraphLeavesAnEmptyChart)
{
    Load(File(1, 10, 100));
    QTest::mouseClick(Find<QPushButton>("Button_Delete_Data"), Qt::LeftButton);
    EXPECT_EQ(window.GraphCount(), 0);
    EXPECT_TRUE(window.TabCaptions().isEmpty());
    for (int k = 1; k <= MaxGraphs; ++k) {
        EXPECT_EQ(window.SeriesPointCount(k), 0);
        EXPECT_FALSE(window.SeriesVisible(k));
    }
    EXPECT_FALSE(Find<QPushButton>("Button_Delete_Data")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("Button_Load_Data")->isEnabled());
    EXPECT_EQ(window.SummaryCell(1, 0), QString());
    // The next load starts again at row 1.
    Load(File(5, 10, 100));
    EXPECT_EQ(window.TabCaptions(), QStringList{"№ 5"});
    EXPECT_EQ(window.SummaryCell(1, 0), QStringLiteral("№ 5"));
}

TEST_F(GraphWindow, TenGraphsAtMost)
{
    for (int k = 1; k <= MaxGraphs; ++k)
        Load(File(k, 5, 100 + k));
    EXPECT_EQ(window.GraphCount(), 10);
    EXPECT_FALSE(Find<QPushButton>("Button_Load_Data")->isEnabled());
    EXPECT_EQ(window.TabCaptions().size(), 11);
    window.SelectTab(4);
    EXPECT_FALSE(Find<QPushButton>("Button_Load_Data")->isEnabled());
    QTest::mouseClick(Find<QPushButton>("Button_Delete_Data"), Qt::LeftButton);
    EXPECT_TRUE(Find<QPushButton>("Button_Load_Data")->isEnabled());
    EXPECT_EQ(window.SummaryCell(5, 0), QStringLiteral("№ 6"));
    EXPECT_EQ(window.SummaryCell(10, 0), QString());
}

void Drag(QWidget *viewport, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent press(QEvent::MouseButtonPress, from, viewport->mapToGlobal(from), button, button, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    const QPoint mid = (from + to) / 2;
    QMouseEvent move(QEvent::MouseMove, mid, viewport->mapToGlobal(mid), Qt::NoButton, button, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, viewport->mapToGlobal(to), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
}

TEST_F(GraphWindow, MouseZoomAndItsUndo)
{
    Load(File(1, 3000, 100));
    Load(File(2, 3000, 80));
    QApplication::processEvents();
    const ValueRange x0 = window.TimeAxisShown(), y0 = window.DataAxisShown();
    QWidget *viewport = window.ChartView()->viewport();
    const QRectF plot = window.Chart()->plotArea();
    const QPoint a = window.ChartView()->mapFromScene(plot.topLeft() + QPointF(plot.width() * 0.25, plot.height() * 0.25));
    const QPoint b = window.ChartView()->mapFromScene(plot.topLeft() + QPointF(plot.width() * 0.5, plot.height() * 0.75));

    const struct
    {
        const char *name;
        std::function<void()> undo;
    } undos[] = {
        {"backward drag", [&] { Drag(viewport, b, a); }},
        {"right click", [&] { Drag(viewport, a, a, Qt::RightButton); }},
        {"call", [&] { window.UndoZoom(); }},
    };
    for (const auto &u : undos) {
        Drag(viewport, a, b);
        EXPECT_TRUE(window.ZoomActive()) << u.name;
        const ValueRange x = window.TimeAxisShown(), y = window.DataAxisShown();
        EXPECT_NEAR(x.low, x0.low + 0.25 * (x0.high - x0.low), (x0.high - x0.low) * 0.01) << u.name;
        EXPECT_NEAR(x.high, x0.low + 0.5 * (x0.high - x0.low), (x0.high - x0.low) * 0.01) << u.name;
        EXPECT_NEAR(y.high, y0.high - 0.25 * (y0.high - y0.low), (y0.high - y0.low) * 0.01) << u.name;
        EXPECT_NEAR(y.low, y0.high - 0.75 * (y0.high - y0.low), (y0.high - y0.low) * 0.01) << u.name;
        u.undo();
        EXPECT_FALSE(window.ZoomActive()) << u.name;
        EXPECT_DOUBLE_EQ(window.DataAxisShown().low, y0.low) << u.name;
        EXPECT_DOUBLE_EQ(window.DataAxisShown().high, y0.high) << u.name;
        EXPECT_DOUBLE_EQ(window.TimeAxisShown().low, x0.low) << u.name;
        EXPECT_DOUBLE_EQ(window.TimeAxisShown().high, x0.high) << u.name;
    }

    // In the view of all graphs the undo goes back to the common range.
    window.SelectTab(2);
    const ValueRange common = window.DataAxisShown();
    window.ZoomTo(QRectF(QPointF(x0.low, 90), QPointF(x0.high, 95)));
    EXPECT_DOUBLE_EQ(window.DataAxisShown().low, 90);
    window.UndoZoom();
    EXPECT_DOUBLE_EQ(window.DataAxisShown().low, common.low);
    EXPECT_DOUBLE_EQ(window.DataAxisShown().high, common.high);
}

TEST_F(GraphWindow, LongLinesAreThinnedToThePixelsAndRefilledOnZoom)
{
    Load(File(1, MaxGraphPoints, 100));
    QApplication::processEvents();
    const int columns = int(std::ceil(window.Chart()->plotArea().width() * window.ChartView()->devicePixelRatioF()));
    const int thinned = window.SeriesPointCount(1);
    EXPECT_GT(thinned, columns);
    // Two points a column; the columns are counted again only when the plot narrows by a tenth.
    EXPECT_LE(thinned, 2 * columns * 10 / 9 + 2);

    // Zoomed into a tenth, every point of that part fits and is shown.
    const GraphSlot &g = window.Graph(1);
    const double from = g.x[1000], to = g.x[1000 + columns];
    window.ZoomTo(QRectF(QPointF(from, g.minimum), QPointF(to, g.maximum)));
    EXPECT_EQ(window.SeriesPointCount(1), columns + 1 + 2);

    window.SetPointReduction(false);
    window.UndoZoom();
    EXPECT_EQ(window.SeriesPointCount(1), MaxGraphPoints);
}

TEST_F(GraphWindow, MessagesOfTheLoad)
{
    // A file that cannot be opened.
    const QString missing = dir.filePath("missing_1.txt");
    QString text;
    test::AnswerNextModal([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        ASSERT_NE(box, nullptr);
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    Load(missing);
    EXPECT_EQ(text, QStringLiteral("Ошибка доступа к файлу ") + QDir::toNativeSeparators(missing));
    EXPECT_EQ(window.GraphCount(), 0);
    EXPECT_TRUE(window.TabCaptions().isEmpty());
    EXPECT_FALSE(Find<QPushButton>("Button_Delete_Data")->isEnabled());

    // 30001 usable lines: the message, and the first 30000 points.
    text.clear();
    test::AnswerNextModal([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        ASSERT_NE(box, nullptr);
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    Load(File(1, MaxGraphPoints + 1, 100));
    EXPECT_EQ(text, QStringLiteral("Количество данных в файле превышает 30000. \nОстальные данные не будут загружены"));
    EXPECT_EQ(window.SummaryCell(1, 5), QStringLiteral("30000"));

    // A value written with another decimal separator: the load stops, the view of all graphs
    // that was there before comes back.
    Load(File(2, 10, 100));
    ASSERT_TRUE(window.AllGraphsTabPresent());
    text.clear();
    test::AnswerNextModal([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        ASSERT_NE(box, nullptr);
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    Load(test::WriteFile(dir, "point.txt",
                         test::SurveyFile(3, 3, {test::Command1Line(3, "1.5", "kPa", QTime(10, 0), QDate(2026, 12, 6))})));
    EXPECT_EQ(text, QStringLiteral("'1.5' is not a valid floating point value"));
    EXPECT_EQ(window.GraphCount(), 2);
    EXPECT_EQ(window.TabCaptions(), (QStringList{"№ 1", "№ 2", "Все графики"}));
}

TEST_F(GraphWindow, FileWithoutUsableLinesIsAGraphOfNoPoints)
{
    Load(test::WriteFile(dir, "empty.txt", test::ToWindows1251("Файл данных опроса от 14:03:27 06.12.2026\r\n")));
    EXPECT_EQ(window.GraphCount(), 1);
    EXPECT_EQ(window.TabCaptions(), QStringList{"№ ?"});
    EXPECT_EQ(window.SummaryCell(1, 2), QString());
    EXPECT_EQ(window.SummaryCell(1, 3), QString());
    EXPECT_EQ(window.SummaryCell(1, 5), QStringLiteral("0"));
    EXPECT_EQ(window.SeriesPointCount(1), 0);
}

TEST_F(GraphWindow, RoundTripOfFilesInTheWritersFormat)
{
    const QDate day(2026, 12, 6);
    const struct
    {
        int slot, address;
        QStringList lines;
        QString axis;
        int count;
        QString minimum, maximum, unit;
    } cases[] = {
        {2, 17,
         {test::Command1Line(17, "101,3250000", "kPa", QTime(14, 3, 27, 45), day),
          test::Command1Line(17, "99,0000000", "kPa", QTime(14, 3, 28, 45), day),
          test::Command1Line(17, "102,5000000", "kPa", QTime(14, 3, 29, 45), day)},
         "Давление", 3, "99,0000000", "102,5000000", "кПа"},
        {10, 200,
         {test::Command3Line(200, "12,0031000", "0,5012000", QTime(14, 3, 27, 345), day),
          test::Command3Line(200, "4,0000000", "0,1000000", QTime(14, 3, 28, 345), day)},
         "Ток", 2, "4,0000000", "12,0031000", "мА"},
        {1, 0,
         {test::Command1Line(0, "0,0000000", "", QTime(23, 59, 59), day),
          test::Command1Line(0, "-1,5000000", "", QTime(0, 0, 0), day.addDays(1))},
         "Давление", 2, "-1,5000000", "0,0000000", ""},
    };
    int row = 0;
    for (const auto &f : cases) {
        ++row;
        Load(test::WriteFile(dir, QStringLiteral("trip_%1.txt").arg(f.slot), test::SurveyFile(f.slot, f.address, f.lines)),
             f.axis);
        EXPECT_EQ(window.SummaryCell(row, 0), QStringLiteral("№ %1").arg(f.slot));
        EXPECT_EQ(window.SummaryCell(row, 1), QString::number(f.address));
        EXPECT_EQ(window.SummaryCell(row, 2), f.minimum);
        EXPECT_EQ(window.SummaryCell(row, 3), f.maximum);
        EXPECT_EQ(window.SummaryCell(row, 4), f.unit);
        EXPECT_EQ(window.SummaryCell(row, 5), QString::number(f.count));
        EXPECT_EQ(window.Graph(row).count, f.count);
    }
}

TEST_F(GraphWindow, ShowUntilClosedReopensUntilExit)
{
    int shown = 0;
    // First the window is closed another way (Esc): it comes back; "Выход" ends it.
    std::function<void()> answer = [&] {
        QWidget *modal = QApplication::activeModalWidget();
        ++shown;
        if (modal != &window) {
            if (modal)
                modal->close();
            return;
        }
        if (shown == 1) {
            QTest::keyClick(modal, Qt::Key_Escape);
            QTimer::singleShot(0, answer);
        } else {
            QTest::mouseClick(window.findChild<QPushButton *>("Button_Close"), Qt::LeftButton);
        }
    };
    window.hide();
    QTimer::singleShot(0, answer);
    window.ShowUntilClosed();
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(window.GraphCloseRequested());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(GraphWindow, LoadButtonOpensTheFileDialogInTheProgramsFolder)
{
    QString title, directory, filter;
    test::AnswerNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), QStringLiteral("DialogOpenFile"));
        title = dialog->windowTitle();
        directory = dialog->directory().absolutePath();
        filter = dialog->nameFilters().join(';');
        dialog->reject();
    });
    QTest::mouseClick(Find<QPushButton>("Button_Load_Data"), Qt::LeftButton);
    EXPECT_EQ(title, QStringLiteral("Загрузка данных из файла"));
    EXPECT_EQ(directory, QDir(QCoreApplication::applicationDirPath()).absolutePath());
    EXPECT_EQ(filter, QStringLiteral("Файл данных (*.txt)"));
    EXPECT_EQ(window.GraphCount(), 0);

    // Choosing a file in the dialog loads it; the next dialog starts from its folder.
    const QString path = File(6, 12, 100);
    test::AnswerNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
    QTest::mouseClick(Find<QPushButton>("Button_Load_Data"), Qt::LeftButton);
    EXPECT_EQ(window.TabCaptions(), QStringList{"№ 6"});
    test::AnswerNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        directory = dialog->directory().absolutePath();
        dialog->reject();
    });
    QTest::mouseClick(Find<QPushButton>("Button_Load_Data"), Qt::LeftButton);
    EXPECT_EQ(directory, QDir(dir.path()).absolutePath());
}

TEST_F(GraphWindow, CopyPutsTheChartOnTheClipboard)
{
    Load(File(1, 100, 100));
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(Find<QPushButton>("Button_Copy"), Qt::LeftButton);
    const QImage image = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), window.ChartView()->size() * window.ChartView()->devicePixelRatioF());
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
    // The red line of graph 1 is in the picture.
    bool red = false;
    for (int y = 0; y < image.height() && !red; ++y)
        for (int x = 0; x < image.width() && !red; ++x)
            red = image.pixelColor(x, y) == QColor(0xFF, 0, 0);
    EXPECT_TRUE(red);
}

TEST_F(GraphWindow, PrintPreviewWithFivePercentMargins)
{
    Load(File(1, 100, 100));
    bool seen = false;
    test::AnswerNextModal([&](QWidget *modal) {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(modal);
        ASSERT_NE(preview, nullptr);
        const QPageLayout layout = preview->printer()->pageLayout();
        const QRectF sheet = layout.fullRect(QPageLayout::Millimeter);
        const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
        EXPECT_NEAR(margins.left(), sheet.width() * 0.05, 0.5);
        EXPECT_NEAR(margins.right(), sheet.width() * 0.05, 0.5);
        EXPECT_NEAR(margins.top(), sheet.height() * 0.05, 0.5);
        EXPECT_NEAR(margins.bottom(), sheet.height() * 0.05, 0.5);
        seen = true;
        preview->reject();
    }, 100);
    QTest::mouseClick(Find<QPushButton>("Button_Print"), Qt::LeftButton);
    EXPECT_TRUE(seen);
}

} // namespace
} // namespace orv
