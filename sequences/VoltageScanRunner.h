#pragma once

#include "SequenceRunner.h"

#include <array>

// Raises the voltage of up to three channels from start to stop in fixed increments, one
// "APP:VOLT" command per interval, until every channel has reached its stop value.
// Scan grid: rows 1..3 are channels 1..3; columns 1 start, 2 stop, 3 increment, and the
// interval in whole seconds in the merged cell of column 4.
class VoltageScanRunner : public SequenceRunner
{
    Q_OBJECT
public:
    VoltageScanRunner(GridCells& grid, CommandSink sink, QObject* parent = nullptr);

    // Starts the scan; returns an error text and starts nothing when the interval is invalid.
    QString Run();
    void Timer_VoltScanTimer();

    const std::array<QString, 3>& ScanVoltage() const { return m_scanVoltage; }

private:
    bool channelTakesPart(int channel) const;
    // advances one channel; true when it has reached its stop value
    bool advance(int channel);
    void queueCommand();

    std::array<QString, 3> m_scanVoltage;
};
