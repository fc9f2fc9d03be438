#include "ProgramRunner.h"

#include "ScpiCommands.h"

namespace {

enum ProgramColumn { VoltageColumn = 2, CurrentColumn = 3, TimeColumn = 4 };

} // namespace

ProgramRunner::ProgramRunner(GridCells& grid, CommandSink sink, QObject* parent)
    : SequenceRunner(grid, std::move(sink), QStringLiteral("Timer_RunProgram"), parent)
{
    connect(&stepTimer(), &QTimer::timeout, this, &ProgramRunner::Timer_RunProgramTimer);
}

QString ProgramRunner::Run()
{
    // Every step time is checked before anything is queued: the grid cannot change while
    // the run goes on, so a run that starts also runs to its end.
    const StepTimes times = ReadStepTimes(m_grid, TimeColumn);
    if (!times.error.isEmpty() || times.ms.isEmpty())
        return times.error;
    m_stepTimesMs = times.ms;
    m_stepIndex = 0;
    m_runNumber = 1;
    beginStep();
    markStarted(m_stepTimesMs.first());
    Q_EMIT passStarted(m_runNumber);
    return {};
}

void ProgramRunner::Timer_RunProgramTimer()
{
    if (++m_stepIndex >= StepCount()) {
        if (passesComplete()) {
            Stop();
            return;
        }
        m_stepIndex = 0;
        Q_EMIT passStarted(++m_runNumber);
    }
    setStepInterval(m_stepTimesMs.at(m_stepIndex));
    beginStep();
}

bool ProgramRunner::passesComplete() const
{
    switch (m_mode) {
    case Once:
        return true;
    case Custom:
        return m_runNumber >= m_customPasses;
    case Repeat:
        break;
    }
    return false;
}

void ProgramRunner::beginStep()
{
    QString volts[3];
    QString amps[3];
    for (int channel = 1; channel <= 3; ++channel) {
        const int row = StepRow(m_stepIndex, channel);
        const QString voltage = m_grid.cell(VoltageColumn, row);
        const QString current = m_grid.cell(CurrentColumn, row);
        const bool takesPart = TakesPart(voltage) && TakesPart(current);
        volts[channel - 1] = ValueOrN(voltage, takesPart);
        amps[channel - 1] = ValueOrN(current, takesPart);
    }
    m_grid.setCurrentRow(StepRow(m_stepIndex, 1));
    m_sink(BuildAppVoltCommand(volts[0], volts[1], volts[2]));
    m_sink(BuildAppCurrCommand(amps[0], amps[1], amps[2]));
}
