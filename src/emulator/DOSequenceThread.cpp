#include "emulator/DOSequenceThread.h"

#include "platform/Ticks.h"

#include <algorithm>

TDOSequenceThread::TDOSequenceThread(std::atomic<quint32>& State, quint8 StartState, quint8 Steps,
                                     const TDurations& Durations)
    : FState(State), FStartState(StartState), FSteps(std::min<quint8>(Steps, kMaxSteps)),
      FDurations(Durations) {}

TDOSequenceThread::~TDOSequenceThread() {
    Terminate();
    WaitFor();
}

void TDOSequenceThread::Start() {
    if (FThread.joinable() || FFinished.load())
        return;
    FThread = std::thread([this] { Execute(); });
}

void TDOSequenceThread::WaitFor() {
    if (FThread.joinable())
        FThread.join();
}

void TDOSequenceThread::Execute() {
    FState.store(FStartState);
    for (int i = 0; i < FSteps; ++i) {
        const quint64 start = TickCount();
        const quint64 duration = quint64(FDurations[size_t(i)]) * kTickMs;
        while (!Terminated() && TickCount() - start < duration)
            SleepMs(kPollMs);
        // Only this thread writes the state while it runs; the window thread writes it only
        // after it has waited for the thread to end.
        FState.store(1 - FState.load());
        if (Terminated())
            break;
    }
    FFinished.store(true);
}
