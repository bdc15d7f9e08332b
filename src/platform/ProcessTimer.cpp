#include "platform/ProcessTimer.h"

#include "platform/EventWait.h"

TProcessTimer::TProcessTimer(QObject* parent) : QObject(parent) {
    FTimer.setSingleShot(false);
    connect(&FTimer, &QTimer::timeout, this, &TProcessTimer::Tick);
}

TProcessTimer::~TProcessTimer() {
    FTimer.stop();
}

void TProcessTimer::FireStop() {
    if (OnStop)
        OnStop();
}

void TProcessTimer::Start() {
    if (FRunning)
        return;
    // A stop earlier in this very tick is reported before the new run begins, so the owner sees
    // every run end.
    if (FStopOwed) {
        FStopOwed = false;
        FireStop();
    }
    if (OnStart)
        OnStart();
    FRunning = true;
    // Inside a tick the timer stays off: the tick re-arms it when it ends, so ticks never overlap.
    if (!FInTick)
        FTimer.start();
}

void TProcessTimer::Stop() {
    if (!FRunning)
        return;
    FRunning = false;
    FTimer.stop();
    if (FInTick) {
        FStopOwed = true;
        return;
    }
    if (Pause)
        Pause(kStopPauseMs);
    else
        PauseProcessingEvents(kStopPauseMs);
    // Started again while pausing: that run is going, reporting a stop now would be false.
    if (!FRunning)
        FireStop();
}

void TProcessTimer::Tick() {
    if (FInTick || !FRunning)
        return;
    FTimer.stop();
    FInTick = true;
    try {
        if (OnTimer)
            OnTimer();
    } catch (...) {
        // A failing handler must not take the window down; the next tick tries again.
    }
    FInTick = false;
    if (FRunning) {
        FTimer.start();
        return;
    }
    if (FStopOwed) {
        FStopOwed = false;
        FireStop();
    }
}
