#pragma once

#include "model/ZUVOChannel.h"

#include <QtGlobal>
#include <functional>

class TNerixModule;

// What every device search shares: the reads of object 0 through one integer accessor on the
// template module, the running and found flags, and the pause that lets the window breathe between
// probes. Synchronous on the window thread.
class TScanBase {
public:
    static constexpr int kPauseMs = 20;

    explicit TScanBase(TNerixModule& Module);
    virtual ~TScanBase() = default;

    // Ends a running search before its next probe.
    void Stop() { FRunning = false; }
    bool Running() const { return FRunning; }
    bool Found() const { return FFound; }

    std::function<void()> OnScanStart;
    // Progress: the address about to be asked.
    std::function<void(quint8 Address)> OnAddress;

protected:
    // One property of object 0 as an integer.
    bool Read(quint16 Property, quint32& Value);
    // Lets pending events run, then waits kPauseMs while still letting them run.
    static void PauseAfterProbe();

    TNerixModule& FModule;
    TNerixChannel FChannel;
    bool FRunning = false;
    bool FFound = false;
};
