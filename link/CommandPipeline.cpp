#include "CommandPipeline.h"

#include "ScpiCommands.h"
#include "SerialPort.h"

CommandPipeline::CommandPipeline(SerialPort* port, QObject* parent)
    : QObject(parent), m_port(port)
{
    Timer_OverTime.setParent(this);
    Timer_OverTime.setObjectName(QStringLiteral("Timer_OverTime"));
    Timer_OverTime.setInterval(ReplyTimeoutMs);
    connect(&Timer_OverTime, &QTimer::timeout, this, &CommandPipeline::Timer_OverTimeTimer);
}

void CommandPipeline::Append(const QByteArray& command)
{
    m_queue.append(command);
}

void CommandPipeline::Clear()
{
    m_queue.clear();
}

void CommandPipeline::Start(const QByteArrayList& commands)
{
    m_queue = commands;
    writeHead();
}

void CommandPipeline::ArmTimeout()
{
    // Arming an armed time-out keeps its running period.
    if (!Timer_OverTime.isActive())
        Timer_OverTime.start();
}

void CommandPipeline::DisarmTimeout()
{
    Timer_OverTime.stop();
}

void CommandPipeline::Receive()
{
    m_lines.append(m_port->readAll());
    // The time-out stays armed until a whole line has arrived, so a link that stops in the
    // middle of a line is noticed like one that stays silent.
    const std::optional<QByteArray> line = m_lines.takeLine();
    if (!line)
        return;
    DisarmTimeout();
    // A line with no command in flight has nothing to answer; it is dropped.
    if (!m_queue.isEmpty())
        Q_EMIT ReplyReceived(*line);
}

void CommandPipeline::SendNextCommand()
{
    if (m_queue.isEmpty())
        return;
    Q_EMIT CommandSent();
    m_queue.removeFirst();
    if (m_queue.isEmpty())
        m_queue << Scpi::MeasureVoltages << Scpi::MeasureCurrents;
    if (writeHead())
        ArmTimeout();
}

void CommandPipeline::RetryCommand()
{
    if (m_queue.isEmpty())
        return;
    if (++m_retryCount > MaxResends) {
        m_retryCount = 0;
        SendNextCommand();
        return;
    }
    Q_EMIT CommandSent();
    if (writeHead())
        ArmTimeout();
}

void CommandPipeline::Timer_OverTimeTimer()
{
    DisarmTimeout();
    Q_EMIT ReplyTimedOut();
    RetryCommand();
}

bool CommandPipeline::writeHead()
{
    if (m_port->write(m_queue.constFirst()))
        return true;
    Q_EMIT WriteFailed(m_port->errorString());
    return false;
}
