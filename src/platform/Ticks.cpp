#include "platform/Ticks.h"

#include <QElapsedTimer>
#include <QThread>

quint64 TickCount() {
    static const QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return quint64(clock.elapsed());
}

void SleepMs(int ms) {
    if (ms > 0)
        QThread::msleep(ulong(ms));
}
