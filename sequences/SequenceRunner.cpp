#include "SequenceRunner.h"

SequenceRunner::SequenceRunner(GridCells& grid, CommandSink sink, const QString& timerName,
                               QObject* parent)
    : QObject(parent), m_grid(grid), m_sink(std::move(sink))
{
    m_timer.setParent(this);
    m_timer.setObjectName(timerName);
}

void SequenceRunner::setStepInterval(int ms)
{
    // A timer with no interval would fire continuously; a step of 0 s simply has no end.
    if (ms <= 0) {
        m_timer.stop();
        return;
    }
    m_timer.start(ms);
}

void SequenceRunner::markStarted(int firstIntervalMs)
{
    m_running = true;
    setStepInterval(firstIntervalMs);
    Q_EMIT started();
}

void SequenceRunner::Stop()
{
    m_timer.stop();
    if (!m_running)
        return;
    m_running = false;
    Q_EMIT stopped();
}
