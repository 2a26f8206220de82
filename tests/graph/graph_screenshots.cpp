// Not a check: shows the graph window in its main states and saves a picture of the screen of
// each, for people to look at. Run under a real or virtual X server with
//   QT_QPA_PLATFORM=xcb graph_tests --gtest_also_run_disabled_tests --gtest_filter='*Screenshots*'
// and ORV_SCREENSHOT_DIR set to the folder for the pictures.
#include "graph/graph_window.h"
#include "graph/wait_window.h"
#include "survey_test_files.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace orv {
namespace {

void Settle()
{
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QTest::qWait(50);
    }
}

void SaveScreen(const QString &dir, const QString &name)
{
    Settle();
    QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QPixmap shot = screen->grabWindow(0);
    ASSERT_TRUE(shot.save(QDir(dir).filePath(name)));
}

TEST(GraphScreenshots, DISABLED_MainStates)
{
    const QString out = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
    ASSERT_FALSE(out.isEmpty());
    QTemporaryDir dir;
    TOgidanie wait;
    TGrafik window(&wait);
    window.move(0, 0);
    window.show();
    const double bases[] = {101.3, 96.5, 110.0};
    for (int i = 0; i < 3; ++i)
        window.AddGraphFromFile(test::WriteFile(dir, QStringLiteral("run_%1.txt").arg(i + 1),
                                                test::SurveyFile(i + 1, 5 + i,
                                                                 test::PressureSeries(5 + i, 3000, bases[i]))));
    window.SelectTab(0);
    SaveScreen(out, QStringLiteral("graph_single.png"));

    window.SelectTab(3);
    SaveScreen(out, QStringLiteral("graph_all.png"));

    const ValueRange x = window.TimeAxisShown();
    const ValueRange y = window.DataAxisShown();
    window.ZoomTo(QRectF(QPointF(x.low + (x.high - x.low) * 0.2, y.low + (y.high - y.low) * 0.3),
                         QPointF(x.low + (x.high - x.low) * 0.45, y.low + (y.high - y.low) * 0.8)));
    SaveScreen(out, QStringLiteral("graph_zoomed.png"));
    window.UndoZoom();

    bool shot = false;
    QTimer::singleShot(1500, [&] {
        QWidget *preview = QApplication::activeModalWidget();
        auto closeIt = qScopeGuard([&] {
            if (QApplication::activeModalWidget())
                QApplication::activeModalWidget()->close();
        });
        ASSERT_NE(preview, nullptr);
        preview->move(0, 0);
        SaveScreen(out, QStringLiteral("graph_print_preview.png"));
        shot = true;
    });
    QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("Button_Print")), Qt::LeftButton);
    EXPECT_TRUE(shot);

    // Time and date under each other, over two days.
    TGrafik dated(&wait);
    dated.move(0, 0);
    dated.show();
    window.hide();
    dated.findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setCurrentIndex(2);
    QStringList lines = test::PressureSeries(5, 40000, 0.5, QStringLiteral("MPa"), 0.1);
    lines = lines.mid(0, 30000);
    for (int i = 0; i < lines.size(); i += 3)
        lines[i] = lines[i];
    QStringList spread;
    for (int i = 0; i < 400; ++i)
        spread << test::Command1Line(5, test::ValueText(0.5 + 0.1 * std::sin(i / 20.0)), QStringLiteral("MPa"),
                                     QTime(0, 0).addSecs((i * 437) % 86400), QDate(2026, 12, 6).addDays(i * 437 / 86400));
    dated.AddGraphFromFile(test::WriteFile(dir, QStringLiteral("dated.txt"), test::SurveyFile(4, 5, spread)));
    SaveScreen(out, QStringLiteral("graph_time_date.png"));
}

} // namespace
} // namespace orv
