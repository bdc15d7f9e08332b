#pragma once

#include <QString>
#include <memory>

class QSocketNotifier;

// A null-modem cable between two pseudo-terminals: what one program writes to the first device
// path is read from the second, and back. The bytes are relayed on the window thread as they arrive
// (by socket notifiers), so it needs no thread of its own. Used by the demo bus.
class TPtyCable {
public:
    TPtyCable();
    ~TPtyCable();
    TPtyCable(const TPtyCable&) = delete;
    TPtyCable& operator=(const TPtyCable&) = delete;

    bool Ok() const { return FMaster[0] >= 0 && FMaster[1] >= 0; }
    // The two ends, to be opened like serial ports.
    QString EndA() const { return FPath[0]; }
    QString EndB() const { return FPath[1]; }

private:
    void Relay(int from);

    int FMaster[2] = {-1, -1};
    int FSlave[2] = {-1, -1};
    QString FPath[2];
    std::unique_ptr<QSocketNotifier> FNotifier[2];
};
