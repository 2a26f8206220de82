// Figures of the graph viewer with ten survey files of 30000 lines each: reading time per file,
// time to the first painted view of all ten graphs, repaint after a zoom, and resident memory.
// The drawing figures are taken twice: with lines thinned to the plot's pixel columns (what the
// window does) and with every point handed to the chart (for comparison).
#include "graph/graph_chart_view.h"
#include "graph/graph_window.h"
#include "graph/survey_file_reader.h"
#include "graph/wait_window.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTime>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int Files = 10;
constexpr int Lines = 30000;

double Ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

long ResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// A file as the registration page writes it: Windows-1251, CR LF, heading, device line, then
// command-1 lines one second apart.
QString WriteSurveyFile(const QTemporaryDir &dir, int slot)
{
    QString text = QStringLiteral("Файл данных опроса от 08:00:00 06.12.2026\r\nПрибор № %1 (адрес - %2)\r\n")
                       .arg(slot)
                       .arg(slot + 10);
    text.reserve(Lines * 100);
    const QDate day(2026, 12, 6);
    for (int i = 0; i < Lines; ++i) {
        const int second = 8 * 3600 + i;
        const QTime time = QTime(0, 0).addSecs(second % 86400);
        const double value = 100 + 10 * slot + 8 * std::sin(i / (200.0 + 30 * slot)) + (i * 7919 % 101) * 0.01;
        text += QStringLiteral("Addr: %1 ; Command: 1 ; Pressure: %2 kPa ; Time: %3.%4 ; Date: %5\r\n")
                    .arg(slot + 10)
                    .arg(QString::number(value, 'f', 7).replace(QLatin1Char('.'), QLatin1Char(',')))
                    .arg(time.toString(QStringLiteral("HH:mm:ss")))
                    .arg(i % 1000, 3, 10, QLatin1Char('0'))
                    .arg(day.addDays(second / 86400).toString(QStringLiteral("dd.MM.yyyy")));
    }
    const QString path = dir.filePath(QStringLiteral("survey_%1.txt").arg(slot));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    QStringEncoder encoder("windows-1251");
    file.write(encoder.encode(text));
    return path;
}

void Repaint(orv::TGrafik &window)
{
    window.FlushChartLayout();
    QApplication::processEvents();
    window.ChartView()->viewport()->repaint();
}

struct DrawFigures
{
    double loadAll = 0;
    double firstAllView = 0;
    double zoom = 0;
    double undo = 0;
    double backToOne = 0;
    long rssKb = 0;
    int seriesPoints = 0;
};

DrawFigures MeasureWindow(const std::vector<QString> &paths, bool thinning)
{
    DrawFigures f;
    orv::TOgidanie wait;
    orv::TGrafik window(&wait);
    window.SetPointReduction(thinning);
    window.resize(1180, 900);
    window.show();
    QApplication::processEvents();

    QElapsedTimer t;
    t.start();
    for (const QString &path : paths)
        window.AddGraphFromFile(path);
    Repaint(window);
    f.loadAll = Ms(t);

    t.restart();
    window.SelectTab(Files);   // "Все графики"
    Repaint(window);
    f.firstAllView = Ms(t);
    for (int k = 1; k <= Files; ++k)
        f.seriesPoints += window.SeriesPointCount(k);
    f.rssKb = ResidentKb();

    const orv::ValueRange x = window.TimeAxisShown(), y = window.DataAxisShown();
    const QRectF zoom(QPointF(x.low + (x.high - x.low) * 0.30, y.low + (y.high - y.low) * 0.2),
                      QPointF(x.low + (x.high - x.low) * 0.55, y.low + (y.high - y.low) * 0.7));
    t.restart();
    window.ZoomTo(zoom);
    Repaint(window);
    f.zoom = Ms(t);

    t.restart();
    window.UndoZoom();
    Repaint(window);
    f.undo = Ms(t);

    t.restart();
    window.SelectTab(0);
    Repaint(window);
    f.backToOne = Ms(t);
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const long rssStart = ResidentKb();

    QTemporaryDir dir;
    std::vector<QString> paths;
    for (int k = 1; k <= Files; ++k)
        paths.push_back(WriteSurveyFile(dir, k));
    std::printf("Graph viewer figures: %d files x %d lines, platform %s\n\n", Files, Lines,
                qPrintable(QGuiApplication::platformName()));

    // Reading: best of three rounds per file (the first round also warms the file cache).
    std::vector<double> best(Files, 1e300);
    for (int round = 0; round < 3; ++round) {
        for (int k = 0; k < Files; ++k) {
            QElapsedTimer t;
            t.start();
            const auto data = orv::ReadSurveyFile(paths[size_t(k)], orv::DataAxisKind::Pressure,
                                                  orv::TimeAxisKind::TimeAndDate, QLocale());
            const double ms = Ms(t);
            if (!data || data->PointCount() != Lines) {
                std::printf("file %d: unexpected result\n", k + 1);
                return 1;
            }
            best[size_t(k)] = std::min(best[size_t(k)], ms);
        }
    }
    double total = 0, worst = 0;
    std::printf("Reading one file (LoadSurveyFile's parsing), best of 3, goal < 60 ms per file:\n  ");
    for (int k = 0; k < Files; ++k) {
        std::printf("%.1f ", best[size_t(k)]);
        total += best[size_t(k)];
        worst = std::max(worst, best[size_t(k)]);
    }
    std::printf("ms\n  worst %.1f ms, all ten %.1f ms (goal < 600 ms)\n\n", worst, total);

    const DrawFigures thin = MeasureWindow(paths, true);
    const long rssAfterThin = thin.rssKb;
    const DrawFigures plain = MeasureWindow(paths, false);

    std::printf("Window 1180x900, ten graphs of %d points (thinned | every point):\n", Lines);
    std::printf("  ten loads incl. drawing          %8.1f | %8.1f ms\n", thin.loadAll, plain.loadAll);
    std::printf("  first painted view of all graphs %8.1f | %8.1f ms (goal < 500 ms)\n", thin.firstAllView,
                plain.firstAllView);
    std::printf("  points handed to the chart       %8d | %8d\n", thin.seriesPoints, plain.seriesPoints);
    std::printf("  zoom + repaint                   %8.1f | %8.1f ms (goal < 50 ms)\n", thin.zoom, plain.zoom);
    std::printf("  undo zoom + repaint              %8.1f | %8.1f ms\n", thin.undo, plain.undo);
    std::printf("  back to one graph + repaint      %8.1f | %8.1f ms\n\n", thin.backToOne, plain.backToOne);
    std::printf("Resident memory (VmRSS): at start %.1f MB, ten graphs loaded and shown %.1f MB (goal < 150 MB)\n",
                rssStart / 1024.0, rssAfterThin / 1024.0);
    return 0;
}
