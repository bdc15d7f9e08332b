#pragma once

#include "support/PtyPair.h"

#include <QString>
#include <atomic>
#include <thread>

// A bridge between two pseudo-terminal pairs (a master program on A, the emulator on B) with a tap:
// every byte that crosses, either way, is also written to a third pair, M, where a monitor listens,
// in the order it crossed. What the monitor sends on M goes nowhere and is counted.
class TPtyTap {
public:
    TPtyTap();
    ~TPtyTap();
    TPtyTap(const TPtyTap&) = delete;
    TPtyTap& operator=(const TPtyTap&) = delete;

    bool Ok() const { return FA.Ok() && FB.Ok() && FM.Ok(); }
    QString PathA() const { return FA.SlavePath(); }
    QString PathB() const { return FB.SlavePath(); }
    QString PathM() const { return FM.SlavePath(); }
    // Bytes copied to the monitor, and bytes the monitor sent.
    qint64 Tapped() const { return FTapped; }
    qint64 MonitorSent() const { return FMonitorSent; }

private:
    void Run();

    TPtyPair FA;
    TPtyPair FB;
    TPtyPair FM;
    std::atomic<bool> FStop{false};
    std::atomic<qint64> FTapped{0};
    std::atomic<qint64> FMonitorSent{0};
    std::thread FThread;
};
