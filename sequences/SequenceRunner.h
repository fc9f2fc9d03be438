#pragma once

#include "SequenceCells.h"

#include <QObject>
#include <QTimer>

// What the three sequence runners share: a grid to read, a sink for their commands, a step
// timer and the running state. The main window reacts to started/stopped by disabling and
// enabling the controls the run excludes.
class SequenceRunner : public QObject
{
    Q_OBJECT
public:
    SequenceRunner(GridCells& grid, CommandSink sink, const QString& timerName,
                   QObject* parent = nullptr);

    bool isRunning() const { return m_running; }
    // Ends the run; commands already queued are still sent.
    void Stop();
    const QTimer& stepTimer() const { return m_timer; }

Q_SIGNALS:
    void started();
    void stopped();

protected:
    // Sets the time to the next step; 0 means the step lasts until Stop.
    void setStepInterval(int ms);
    void markStarted(int firstIntervalMs);

    GridCells& m_grid;
    CommandSink m_sink;

private:
    QTimer m_timer;
    bool m_running = false;
};
