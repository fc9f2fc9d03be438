#include "VoltageScanRunner.h"

#include "NumberText.h"
#include "ScpiCommands.h"

#include <QCoreApplication>

namespace {

enum ScanColumn { StartColumn = 1, StopColumn = 2, IncrementColumn = 3, IntervalColumn = 4 };

} // namespace

VoltageScanRunner::VoltageScanRunner(GridCells& grid, CommandSink sink, QObject* parent)
    : SequenceRunner(grid, std::move(sink), QStringLiteral("Timer_VoltScan"), parent)
{
    connect(&stepTimer(), &QTimer::timeout, this, &VoltageScanRunner::Timer_VoltScanTimer);
}

QString VoltageScanRunner::Run()
{
    const QString interval = m_grid.cell(IntervalColumn, 1);
    const std::optional<int> intervalMs = StepTimeMs(interval);
    if (!intervalMs)
        return QCoreApplication::translate("VoltageScanRunner",
                                           "Voltage scan: '%1' is not a valid integer value. The "
                                           "interval is a whole number of seconds from 0 to "
                                           "2147483.")
            .arg(interval);
    for (int channel = 1; channel <= 3; ++channel)
        m_scanVoltage[channel - 1] =
            ValueOrN(m_grid.cell(StartColumn, channel), channelTakesPart(channel));
    queueCommand();
    markStarted(*intervalMs);
    return {};
}

void VoltageScanRunner::Timer_VoltScanTimer()
{
    bool allFinished = true;
    for (int channel = 1; channel <= 3; ++channel)
        allFinished = advance(channel) && allFinished;
    queueCommand();
    if (allFinished)
        Stop();
}

bool VoltageScanRunner::channelTakesPart(int channel) const
{
    return TakesPart(m_grid.cell(StartColumn, channel)) &&
           TakesPart(m_grid.cell(StopColumn, channel)) &&
           TakesPart(m_grid.cell(IncrementColumn, channel));
}

bool VoltageScanRunner::advance(int channel)
{
    QString& voltage = m_scanVoltage[channel - 1];
    if (!channelTakesPart(channel)) {
        // a channel that does not take part never finishes: the scan then runs until Stop
        voltage = QStringLiteral("N");
        return false;
    }
    const QString stop = m_grid.cell(StopColumn, channel);
    const double next =
        ParseReplyNumber(voltage) + ParseReplyNumber(m_grid.cell(IncrementColumn, channel));
    if (ParseReplyNumber(stop) > next) {
        voltage = FormatGeneralLocal(next);
        return false;
    }
    voltage = stop;
    return true;
}

void VoltageScanRunner::queueCommand()
{
    m_sink(BuildAppVoltCommand(m_scanVoltage[0], m_scanVoltage[1], m_scanVoltage[2]));
}
