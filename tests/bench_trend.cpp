// Trend store and trend plot benchmark: a week-long run at the fastest polling rate, built up in
// steps. At each size it prints the redraw time of a trend plot 1000 pixels wide, the memory the
// trend data hold and the cost of appending a row.

#include "TrendPlot.h"
#include "TrendStore.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <qwt_plot_canvas.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// 38400 baud polls about 62 times a second; each polling cycle appends two rows.
constexpr double kCycleMs = 1000.0 / 62;
constexpr int kCanvasWidth = 1000;
constexpr int kRedraws = 9;

qint64 ResidentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

double ClockReadNs()
{
    constexpr int kReads = 1000000;
    const auto start = Clock::now();
    for (int i = 0; i < kReads; ++i)
        Clock::now();
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / kReads;
}

// Measured values as a polled supply gives them: steady outputs with a little noise, a load
// step now and then, and one short spike.
class ReadingSource
{
public:
    TrendValues next(qint64 row)
    {
        m_noise = m_noise * 6364136223846793005ULL + 1442695040888963407ULL;
        const double noise = double(m_noise >> 40) / double(1 << 24) - 0.5;
        const double load = (row / 500000) % 2 ? 1.2 : 0.4;
        const double spike = row == 12345 ? 25.0 : 0.0;
        return {12.0 + noise * 0.01 + spike, 5.0 + noise * 0.02,   3.3 + noise * 0.005,
                load + noise * 0.01,         0.25 + noise * 0.002, 0.1 + noise * 0.001};
    }

private:
    quint64 m_noise = 1;
};

struct AppendFigures
{
    double meanNs = 0;
    double worstUs = 0;
    qint64 over10Us = 0; // appends that took longer than 10 us
    double wallSeconds = 0;
};

AppendFigures Fill(TrendStore& store, ReadingSource& source, qint64 rows, qint64 startMs,
                   double clockReadNs)
{
    AppendFigures figures;
    Clock::duration worst{};
    const qint64 first = store.rowCount();
    const auto start = Clock::now();
    for (qint64 row = first; row < rows; ++row) {
        const TrendValues values = source.next(row);
        const qint64 time = startMs + qint64(row * kCycleMs / 2);
        const auto before = Clock::now();
        store.append(time, values);
        const Clock::duration took = Clock::now() - before;
        worst = std::max(worst, took);
        figures.over10Us += took > std::chrono::microseconds(10);
    }
    const double wallNs = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    const qint64 appended = rows - first;
    figures.wallSeconds = wallNs / 1e9;
    figures.meanNs = wallNs / double(appended) - 2 * clockReadNs;
    figures.worstUs = std::chrono::duration<double, std::micro>(worst).count();
    return figures;
}

// replot and render to an image after one new row, so every redraw reduces the store afresh
double MedianRedrawMs(TrendPlot& plot, TrendStore& store, ReadingSource& source, qint64 startMs)
{
    std::vector<double> times;
    for (int i = 0; i < kRedraws; ++i) {
        const qint64 row = store.rowCount();
        store.append(startMs + qint64(row * kCycleMs / 2), source.next(row));
        QElapsedTimer clock;
        clock.start();
        plot.refresh();
        const QImage image = plot.grab().toImage();
        times.push_back(clock.nsecsElapsed() / 1e6);
        if (image.isNull())
            std::fprintf(stderr, "error: empty plot image\n");
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    const double clockReadNs = ClockReadNs();
    const qint64 residentAtStart = ResidentBytes();
    const qint64 startMs = QDateTime::currentMSecsSinceEpoch();
    TrendStore store;
    ReadingSource source;
    TrendPlot plot(store, 0, QwtInterval(0, 100));
    plot.setPlotTitle(QStringLiteral("Voltage(V)"));
    plot.resize(kCanvasWidth + 100, 400);
    plot.show();
    QApplication::processEvents();
    plot.resize(kCanvasWidth + plot.width() - plot.canvas()->width(), 400);
    QApplication::processEvents();

    std::printf("trend plot canvas %d x %d pixels; append cost excludes %.0f ns of clock reads\n",
                plot.canvas()->width(), plot.canvas()->height(), 2 * clockReadNs);
    std::printf("%12s %12s %12s %12s %12s %12s %12s %8s %10s\n", "cycles", "rows", "redraw ms",
                "store MB", "RSS+ MB", "append ns", "worst us", ">10us", "fill s");
    for (const qint64 cycles :
         {qint64(10000), qint64(100000), qint64(1000000), qint64(10000000), qint64(37000000)}) {
        const AppendFigures append = Fill(store, source, 2 * cycles, startMs, clockReadNs);
        const double redrawMs = MedianRedrawMs(plot, store, source, startMs);
        std::printf("%12lld %12lld %12.2f %12.1f %12.1f %12.0f %12.1f %8lld %10.1f\n",
                    static_cast<long long>(cycles), static_cast<long long>(store.rowCount()),
                    redrawMs, store.memoryBytes() / 1048576.0,
                    (ResidentBytes() - residentAtStart) / 1048576.0, append.meanNs, append.worstUs,
                    static_cast<long long>(append.over10Us), append.wallSeconds);
        std::fflush(stdout);
    }
    std::printf("goals: redraw flat and < 50 ms, store < 256 MB at 3.7e7 cycles, appends a few "
                "microseconds\n");
    return 0;
}
