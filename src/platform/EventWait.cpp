#include "platform/EventWait.h"

#include "platform/Ticks.h"

#include <QCoreApplication>
#include <QIODevice>
#include <algorithm>

namespace {
// An exchange that completes in well under a millisecond would spend most of its time in the event
// dispatcher if every step let events run; once per millisecond keeps the window just as alive.
constexpr quint64 kMinEventIntervalMs = 1;
quint64 gLastEvents = 0;
bool gEverProcessed = false;
} // namespace

void ProcessPendingEvents() {
    if (!QCoreApplication::instance())
        return;
    const quint64 now = TickCount();
    if (gEverProcessed && now - gLastEvents < kMinEventIntervalMs)
        return;
    gEverProcessed = true;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    gLastEvents = TickCount();
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

void PauseProcessingEvents(int ms) {
    const quint64 start = TickCount();
    ProcessPendingEvents();
    while (TickCount() - start < quint64(std::max(ms, 0))) {
        SleepMs(std::min<int>(kWaitSliceMs, int(quint64(ms) - (TickCount() - start))));
        ProcessPendingEvents();
    }
}
