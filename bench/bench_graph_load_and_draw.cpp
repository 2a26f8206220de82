// Figures of the graph viewer with ten survey files of 30000 lines each (300000 points), measured
// in this one process with the window at 1600 x 1000, medians over several rounds:
//   open -> painted   the ten files loaded through the window, the view of all graphs selected and
//                     painted;
//   parse only        the ten files read by the survey file reader, no window;
//   full redraw       one repaint of the unchanged view of all graphs;
//   zoom + paint      zoom to the middle 10 % of the time range (whole data range) and paint;
//   memory growth     resident memory after open -> painted minus before it (first round, on a
//                     fresh heap), and the heap bytes in use after minus before (every round).
#include "graph/graph_chart_view.h"
#include "graph/graph_window.h"
#include "graph/survey_file_reader.h"
#include "graph/wait_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLocale>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTime>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <memory>
#include <vector>

namespace {

constexpr int Files = 10;
constexpr int Lines = 30000;
constexpr int Rounds = 7;

// Wall-clock time and the processor time of this process: on a machine busy with other work the
// second shows what the figure would be without the waiting.
class Stopwatch
{
public:
    Stopwatch() { Restart(); }
    void Restart()
    {
        wall_.start();
        cpu0_ = CpuMs();
    }
    double Wall() const { return double(wall_.nsecsElapsed()) / 1e6; }
    double Cpu() const { return CpuMs() - cpu0_; }

private:
    static double CpuMs()
    {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
    }
    QElapsedTimer wall_;
    double cpu0_ = 0;
};

double ResidentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

double HeapInUseMb()
{
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / (1024.0 * 1024.0);
}

QByteArray LoadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray("?");
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
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

// Counts the paints of the chart's viewport.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Lets the window do what it does after a change until the chart has been painted once (a repaint
// is forced only when nothing was pending).
void Paint(orv::TGrafik &window, PaintCounter &counter)
{
    const int before = counter.paints;
    window.FlushChartLayout();
    QApplication::processEvents();
    if (counter.paints == before)
        window.ChartView()->viewport()->repaint();
}

struct Round
{
    double parse = 0, open = 0, redraw = 0, zoom = 0, rssGrowth = 0, heapGrowth = 0;
    double parseCpu = 0, openCpu = 0, redrawCpu = 0, zoomCpu = 0;
    int points = 0, zoomPoints = 0;
};

Round MeasureRound(const std::vector<QString> &paths)
{
    Round r;
    Stopwatch t;
    for (const QString &path : paths) {
        const auto data = orv::ReadSurveyFile(path, orv::DataAxisKind::Pressure, orv::TimeAxisKind::TimeAndDate,
                                              QLocale());
        if (!data || data->PointCount() != Lines) {
            std::printf("%s: unexpected result\n", qPrintable(path));
            std::exit(1);
        }
    }
    r.parse = t.Wall();
    r.parseCpu = t.Cpu();

    orv::TOgidanie wait;
    auto window = std::make_unique<orv::TGrafik>(&wait);
    window->findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setCurrentIndex(int(orv::TimeAxisKind::TimeAndDate));
    window->resize(1600, 1000);
    window->show();
    PaintCounter counter;
    window->ChartView()->viewport()->installEventFilter(&counter);
    Paint(*window, counter);
    const double rss0 = ResidentMb(), heap0 = HeapInUseMb();

    t.Restart();
    for (const QString &path : paths)
        window->AddGraphFromFile(path);
    window->SelectTab(Files);   // "Все графики"
    Paint(*window, counter);
    r.open = t.Wall();
    r.openCpu = t.Cpu();
    r.rssGrowth = ResidentMb() - rss0;
    r.heapGrowth = HeapInUseMb() - heap0;
    for (int k = 1; k <= Files; ++k)
        r.points += window->SeriesPointCount(k);

    t.Restart();
    window->ChartView()->viewport()->repaint();
    r.redraw = t.Wall();
    r.redrawCpu = t.Cpu();

    const orv::ValueRange x = window->TimeAxisShown(), y = window->DataAxisShown();
    const double w = x.high - x.low;
    t.Restart();
    window->ZoomTo(QRectF(QPointF(x.low + 0.45 * w, y.low), QPointF(x.low + 0.55 * w, y.high)));
    Paint(*window, counter);
    r.zoom = t.Wall();
    r.zoomCpu = t.Cpu();
    for (int k = 1; k <= Files; ++k)
        r.zoomPoints += window->SeriesPointCount(k);
    window->UndoZoom();
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    QTemporaryDir dir;
    std::vector<QString> paths;
    qint64 bytes = 0;
    for (int k = 1; k <= Files; ++k) {
        paths.push_back(WriteSurveyFile(dir, k));
        bytes += QFile(paths.back()).size();
    }
    std::printf("Graph viewer: %d files x %d lines (%.1f MB), window 1600x1000, platform %s, %d rounds\n",
                Files, Lines, double(bytes) / 1e6, qPrintable(QGuiApplication::platformName()), Rounds);
    std::printf("load average at start: %s\n", LoadAverage().constData());

    std::vector<Round> rounds;
    for (int i = 0; i < Rounds; ++i)
        rounds.push_back(MeasureRound(paths));

    auto column = [&rounds](double Round::*field) {
        std::vector<double> v;
        for (const Round &r : rounds)
            v.push_back(r.*field);
        return v;
    };
    auto line = [&column](const char *name, double Round::*field, double Round::*cpu, const char *unit,
                          const char *goal) {
        const std::vector<double> v = column(field);
        std::printf("  %-34s %8.1f %s  %-9s", name, Median(v), unit, goal);
        if (cpu)
            std::printf(" cpu %6.1f ms", Median(column(cpu)));
        std::printf("  rounds:");
        for (double d : v)
            std::printf(" %.1f", d);
        std::printf("\n");
    };
    std::printf("\nmedians of wall time (goal), of processor time, and every round's wall time:\n");
    line("open -> all ten graphs painted", &Round::open, &Round::openCpu, "ms", "(<= 300)");
    line("parsing the ten files", &Round::parse, &Round::parseCpu, "ms", "(<= 150)");
    line("one full redraw", &Round::redraw, &Round::redrawCpu, "ms", "");
    line("zoom to the middle 10 % + paint", &Round::zoom, &Round::zoomCpu, "ms", "(<= 25)");
    line("heap in use growth from the data", &Round::heapGrowth, nullptr, "MB", "");
    std::printf("  %-34s %8.1f MB  %-9s (first round, fresh heap)\n", "memory growth (resident)",
                rounds.front().rssGrowth, "(<= 8)");
    std::printf("  points handed to the chart: %d full view, %d zoomed\n", rounds.front().points,
                rounds.front().zoomPoints);
    std::printf("load average at end: %s\n", LoadAverage().constData());
    return 0;
}
