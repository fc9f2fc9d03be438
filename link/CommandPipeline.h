#pragma once

#include "LineAssembler.h"

#include <QByteArrayList>
#include <QObject>
#include <QTimer>

class SerialPort;

// The strictly alternating command pipeline to the instrument: one command on the line at a
// time, the next sent only when a reply line to the current one has been dispatched or the
// current one has been given up. Producers append complete commands; the head of the queue is
// the command in flight. When the queue runs dry the polling pair is queued, so the instrument
// is polled without pause.
class CommandPipeline : public QObject
{
    Q_OBJECT
public:
    static constexpr int ReplyTimeoutMs = 5000;
    static constexpr int MaxResends = 3;

    explicit CommandPipeline(SerialPort* port, QObject* parent = nullptr);

    void Append(const QByteArray& command);
    const QByteArrayList& CommandQueue() const { return m_queue; }
    void Clear();

    // Replaces the queue with `commands` and writes the first (a new connection's opening).
    void Start(const QByteArrayList& commands);

    void ArmTimeout();
    void DisarmTimeout();
    bool IsTimeoutArmed() const { return Timer_OverTime.isActive(); }

    // The receive event: reads what waits at the port and dispatches at most one complete line.
    void Receive();

    void SendNextCommand();
    void RetryCommand();
    void Timer_OverTimeTimer();

    int RetryCount() const { return m_retryCount; }
    const QByteArray& RxBuffer() const { return m_lines.buffer(); }

Q_SIGNALS:
    // A complete reply line to the head; the receiver answers with SendNextCommand or
    // RetryCommand.
    void ReplyReceived(const QByteArray& line);
    // A command went out by SendNextCommand or RetryCommand.
    void CommandSent();
    // Nothing came back in time; the head is about to be sent again or given up.
    void ReplyTimedOut();
    // The port refused a write; the pipeline stays idle until the next Start.
    void WriteFailed(const QString& message);

private:
    bool writeHead();

    SerialPort* m_port;
    QByteArrayList m_queue;
    LineAssembler m_lines;
    int m_retryCount = 0;
    QTimer Timer_OverTime;
};
