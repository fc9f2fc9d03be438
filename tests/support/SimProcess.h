#pragma once

#include <QPair>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>

// Runs the psu-sim instrument simulator for a test. The simulator logs every command line it
// receives to a temporary file; control lines on its standard input change its behaviour.
class SimProcess
{
public:
    // Starts the simulator with extra command-line options and waits for its port name.
    explicit SimProcess(const QStringList& arguments = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The pseudo-terminal to open as serial port, e.g. "pts/7"; empty if the start failed.
    QString portName() const { return portName_; }

    // Sends a control line such as "delay 50" and waits until the simulator confirms it.
    bool control(const QString& line, int timeoutMs = 3000);

    // Command lines received so far, oldest first, as logged: bytes outside printable ASCII
    // (and the backslash) appear as \xNN.
    QStringList receivedLines() const;
    // The same with the seconds since the simulator started at which each line was complete.
    QVector<QPair<double, QString>> receivedLinesWithTimes() const;

private:
    QString readOutputLine(int timeoutMs);

    QTemporaryDir logDir_;
    QString logPath_;
    QProcess process_;
    QString portName_;
};
