#include "SimProcess.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QFile>

namespace {
constexpr int startTimeoutMs = 5000;
constexpr int stopTimeoutMs = 3000;
} // namespace

SimProcess::SimProcess(const QStringList& arguments)
    : logPath_(logDir_.filePath(QStringLiteral("received.log")))
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(PSU_PROGRAM_DIR "/psu-sim"),
                   QStringList{QStringLiteral("--log"), logPath_} + arguments);
    if (!process_.waitForStarted(startTimeoutMs)) {
        qWarning() << "psu-sim did not start:" << process_.errorString();
        return;
    }
    portName_ = readOutputLine(startTimeoutMs);
    if (portName_.isEmpty())
        qWarning() << "psu-sim did not report its port";
}

SimProcess::~SimProcess()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(stopTimeoutMs)) {
        process_.kill();
        process_.waitForFinished(stopTimeoutMs);
    }
}

bool SimProcess::control(const QString& line, int timeoutMs)
{
    process_.write(line.toUtf8() + '\n');
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const QString reply = readOutputLine(int(deadline.remainingTime()));
        if (reply == QStringLiteral("ok ") + line)
            return true;
        if (reply.isEmpty() || reply.startsWith(QStringLiteral("error "))) {
            qWarning() << "psu-sim control" << line
                       << "failed:" << (reply.isEmpty() ? QStringLiteral("no answer") : reply);
            return false;
        }
    }
}

QStringList SimProcess::receivedLines() const
{
    QStringList lines;
    for (const auto& timedLine : receivedLinesWithTimes())
        lines << timedLine.second;
    return lines;
}

QVector<QPair<double, QString>> SimProcess::receivedLinesWithTimes() const
{
    QVector<QPair<double, QString>> lines;
    QFile log(logPath_);
    if (!log.open(QIODevice::ReadOnly))
        return lines;
    while (!log.atEnd()) {
        const QByteArray bytes = log.readLine();
        if (!bytes.endsWith('\n'))
            break; // the simulator is still writing this entry
        const QString entry = QString::fromUtf8(bytes.chopped(1));
        const int tab = entry.indexOf(QLatin1Char('\t'));
        lines.append({entry.left(tab).toDouble(), entry.mid(tab + 1)});
    }
    return lines;
}

// Returns the next line of the simulator's standard output, or an empty string on timeout.
QString SimProcess::readOutputLine(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!process_.canReadLine()) {
        if (deadline.hasExpired() || !process_.waitForReadyRead(int(deadline.remainingTime())))
            return {};
    }
    return QString::fromUtf8(process_.readLine()).trimmed();
}
