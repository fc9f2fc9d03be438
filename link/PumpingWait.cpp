#include "PumpingWait.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

void PumpingWait(quint32 ms)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer wakeUp;
    wakeUp.setSingleShot(true);
    wakeUp.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wakeUp, &QTimer::timeout, &loop, &QEventLoop::quit);
    for (qint64 left = ms; left > 0; left = qint64(ms) - clock.elapsed()) {
        wakeUp.start(static_cast<int>(left));
        loop.exec();
    }
}
