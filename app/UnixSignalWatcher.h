#pragma once

#include <QObject>

#include <initializer_list>
#include <vector>

class QSocketNotifier;

// Turns POSIX signals (SIGTERM, SIGINT) into a Qt signal on the event loop, so a logout or a
// Ctrl-C closes the main window through its normal close sequence.
class UnixSignalWatcher : public QObject
{
    Q_OBJECT
public:
    explicit UnixSignalWatcher(std::initializer_list<int> signalNumbers,
                               QObject* parent = nullptr);
    ~UnixSignalWatcher() override;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readSignal();

    std::vector<int> m_signalNumbers;
    QSocketNotifier* m_notifier = nullptr;
};
