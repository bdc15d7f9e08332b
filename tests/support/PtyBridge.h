#pragma once

#include "support/PtyPair.h"

#include <QString>
#include <atomic>
#include <thread>

// Two pseudo-terminal pairs whose master ends a thread joins, so that two programs that both want
// a terminal path (an emulator and a master, each opening a slave) talk to each other as over a
// null-modem cable.
class TPtyBridge {
public:
    TPtyBridge();
    ~TPtyBridge();
    TPtyBridge(const TPtyBridge&) = delete;
    TPtyBridge& operator=(const TPtyBridge&) = delete;

    bool Ok() const { return FA.Ok() && FB.Ok(); }
    QString PathA() const { return FA.SlavePath(); }
    QString PathB() const { return FB.SlavePath(); }

private:
    void Run();

    TPtyPair FA;
    TPtyPair FB;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};
