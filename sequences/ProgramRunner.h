#pragma once

#include "SequenceRunner.h"

#include <QVector>

// Plays the program list: each step's voltages and currents go out as one "APP:VOLT" and one
// "APP:CURR" command when the step begins, and the step lasts its own time; the list is
// played once, again and again, or a chosen number of times.
// Program grid: step k has rows 3k+1..3k+3 for channels 1..3; column 2 voltage, column 3
// current, and the step time in whole seconds in the merged cell of column 4.
class ProgramRunner : public SequenceRunner
{
    Q_OBJECT
public:
    enum RunMode { Once, Repeat, Custom };

    ProgramRunner(GridCells& grid, CommandSink sink, QObject* parent = nullptr);

    // Read at the end of every pass, so a change during a run takes effect then.
    void setRunMode(RunMode mode) { m_mode = mode; }
    void setCustomPasses(int passes) { m_customPasses = passes; }

    // Starts the run; returns an error text and starts nothing when a step time is invalid.
    // A grid without any step starts nothing.
    QString Run();
    void Timer_RunProgramTimer();

    int StepIndex() const { return m_stepIndex; }
    int StepCount() const { return m_stepTimesMs.size(); }
    int RunNumber() const { return m_runNumber; }

Q_SIGNALS:
    // a new pass began (RunNumber from 1)
    void passStarted(int runNumber);

private:
    bool passesComplete() const;
    void beginStep();

    RunMode m_mode = Once;
    int m_customPasses = 2;
    int m_stepIndex = 0;
    int m_runNumber = 0;
    QVector<int> m_stepTimesMs;
};
