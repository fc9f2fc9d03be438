#include "GoNGRunner.h"

#include "NumberText.h"
#include "ScpiCommands.h"

namespace {

enum GoNGColumn
{
    SettingColumn = 2,
    MeasuredColumn = 3,
    MaxColumn = 4,
    MinColumn = 5,
    TimeColumn = 6,
    VerdictColumn = 7
};

} // namespace

GoNGRunner::GoNGRunner(GridCells& grid, CommandSink sink, QObject* parent)
    : SequenceRunner(grid, std::move(sink), QStringLiteral("Timer_RunGoNG"), parent)
{
    connect(&stepTimer(), &QTimer::timeout, this, &GoNGRunner::Timer_RunGoNGTimer);
}

QString GoNGRunner::Run()
{
    const StepTimes times = ReadStepTimes(m_grid, TimeColumn);
    if (!times.error.isEmpty() || times.ms.isEmpty())
        return times.error;
    m_stepTimesMs = times.ms;
    m_stepIndex = 0;
    // The first step sends only the channels that are judged; later steps send every
    // channel with a voltage.
    queueStep(true);
    markStarted(m_stepTimesMs.first());
    return {};
}

void GoNGRunner::Timer_RunGoNGTimer()
{
    if (++m_stepIndex >= StepCount()) {
        Stop();
        Q_EMIT completed();
        return;
    }
    setStepInterval(m_stepTimesMs.at(m_stepIndex));
    queueStep(false);
}

void GoNGRunner::Judge(const std::array<double, 3>& currents)
{
    if (!isRunning())
        return;
    for (int channel = 1; channel <= 3; ++channel) {
        const int row = StepRow(m_stepIndex, channel);
        if (!fullyTakesPart(row))
            continue;
        const double current = currents[static_cast<size_t>(channel - 1)];
        m_grid.setCell(MeasuredColumn, row, FormatGeneralLocal(current));
        const double upper = ParseReplyNumber(m_grid.cell(MaxColumn, row));
        const double lower = ParseReplyNumber(m_grid.cell(MinColumn, row));
        const bool pass = upper >= current && lower <= current;
        m_grid.setCell(VerdictColumn, row, pass ? QStringLiteral("Pass") : QStringLiteral("NoPass"));
    }
}

bool GoNGRunner::fullyTakesPart(int row) const
{
    return TakesPart(m_grid.cell(SettingColumn, row)) && TakesPart(m_grid.cell(MaxColumn, row)) &&
           TakesPart(m_grid.cell(MinColumn, row));
}

QString GoNGRunner::stepVoltage(int row, bool fullTest) const
{
    const QString setting = m_grid.cell(SettingColumn, row);
    return ValueOrN(setting, fullTest ? fullyTakesPart(row) : TakesPart(setting));
}

void GoNGRunner::queueStep(bool fullTest)
{
    const int first = StepRow(m_stepIndex, 1);
    m_grid.setCurrentRow(first);
    m_sink(BuildAppVoltCommand(stepVoltage(first, fullTest), stepVoltage(first + 1, fullTest),
                               stepVoltage(first + 2, fullTest)));
}
