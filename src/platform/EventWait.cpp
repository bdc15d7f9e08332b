#include "platform/EventWait.h"

#include <QCoreApplication>
#include <QIODevice>
#include <algorithm>

void ProcessPendingEvents() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitForDevice(QIODevice& device, TIoWait what, int maxMs, bool processEvents) {
    const int slice = std::clamp(maxMs, 0, kWaitSliceMs);
    if (what == TIoWait::Read)
        device.waitForReadyRead(slice);
    else
        device.waitForBytesWritten(slice);
    if (processEvents)
        ProcessPendingEvents();
}
