#pragma once

#include "SequenceRunner.h"

#include <QVector>

#include <array>

// Tests a device under the steps of the GO/NG list: each step's voltages go out as one
// "APP:VOLT" command, and while the step lasts every measured current is judged against the
// step's upper and lower limits. After the last step's time the run stops and completes.
// GO/NG grid: step k has rows 3k+1..3k+3 for channels 1..3; column 2 voltage setting,
// 3 measured current (written by the run), 4 upper limit, 5 lower limit, the step time in the
// merged cell of column 6, and 7 the verdict "Pass" or "NoPass" (written by the run).
class GoNGRunner : public SequenceRunner
{
    Q_OBJECT
public:
    GoNGRunner(GridCells& grid, CommandSink sink, QObject* parent = nullptr);

    // Starts the run; returns an error text and starts nothing when a step time is invalid.
    // A grid without any step starts nothing.
    QString Run();
    void Timer_RunGoNGTimer();

    // The verdict rule, for the measured currents of channels 1..3 just taken in.
    void Judge(const std::array<double, 3>& currents);

    int StepIndex() const { return m_stepIndex; }
    int StepCount() const { return m_stepTimesMs.size(); }

Q_SIGNALS:
    // The last step's time has run out; the run has stopped and its grid is to be recorded.
    void completed();

private:
    bool fullyTakesPart(int row) const;
    QString stepVoltage(int row, bool fullTest) const;
    void queueStep(bool fullTest);

    int m_stepIndex = 0;
    QVector<int> m_stepTimesMs;
};
