// Polling loop benchmark: the real main window polls psu-sim over a pseudo-terminal.
//  (a) without line pacing: exchanges per second and the program's CPU time per exchange;
//  (b) with the simulator pacing both directions at 9600 and 38400 baud (10 bits per byte):
//      the exchange rate reached as a share of what the line allows for the bytes exchanged.

#include "ErrorReport.h"
#include "PumpingWait.h"
#include "SettingsFile.h"
#include "TForm_Main.h"
#include "support/SimProcess.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kSettleMs = 2500;
constexpr int kMeasureMs = 6000;

// CPU time of the user-interface thread. The scheduler's own nanosecond account is used where
// the kernel offers it: tick-sampled accounting (getrusage on many virtual machines) charges a
// process that wakes a thousand times a second for whole ticks at random.
double CpuSeconds()
{
    QFile schedstat(QStringLiteral("/proc/thread-self/schedstat"));
    if (schedstat.open(QIODevice::ReadOnly))
        return schedstat.readAll().split(' ').value(0).toDouble() / 1e9;
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Figures
{
    int exchanges = 0;
    qint64 lineBytes = 0; // command and reply bytes of the exchanges, both directions
    double wallSeconds = 0;
    double cpuSeconds = 0;
};

Figures Measure(int baudRate)
{
    SimProcess sim(baudRate ? QStringList{QStringLiteral("--baud"), QString::number(baudRate)}
                            : QStringList{});
    QTemporaryDir programDir;
    SettingsImage settings = DefaultSettingsImage();
    settings.comm->setPortName(sim.portName());
    WriteSettingsImage(programDir.filePath(QStringLiteral("Config.dat")), settings);

    TForm_Main window(programDir.path());
    window.show();
    PumpingWait(kSettleMs);

    Figures figures;
    CommandPipeline& pipeline = window.Pipeline();
    QObject::connect(&pipeline, &CommandPipeline::ReplyReceived, [&](const QByteArray& line) {
        ++figures.exchanges;
        figures.lineBytes += line.size() + 1 + pipeline.CommandQueue().constFirst().size();
    });
    const double cpuStart = CpuSeconds();
    QElapsedTimer clock;
    clock.start();
    PumpingWait(kMeasureMs);
    figures.wallSeconds = clock.nsecsElapsed() / 1e9;
    figures.cpuSeconds = CpuSeconds() - cpuStart;
    return figures;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ErrorReport::SetPresenter([](const QString& text) {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    });

    const Figures own = Measure(0);
    std::printf("polling, no line pacing: %d exchanges in %.2f s = %.0f exchanges/s, "
                "CPU %.1f us per exchange\n",
                own.exchanges, own.wallSeconds, own.exchanges / own.wallSeconds,
                own.cpuSeconds / own.exchanges * 1e6);

    for (const int baudRate : {9600, 38400}) {
        const Figures paced = Measure(baudRate);

        const double lineSeconds = paced.lineBytes * 10.0 / baudRate;
        const double limit = paced.exchanges / lineSeconds;
        std::printf("polling at %5d baud: %.1f exchanges/s, line-rate limit for these bytes "
                    "%.1f exchanges/s, ratio %.3f (goal >= 0.95)\n",
                    baudRate, paced.exchanges / paced.wallSeconds, limit,
                    lineSeconds / paced.wallSeconds);
    }
    return 0;
}
