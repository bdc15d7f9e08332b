#pragma once

#include "measurement/DataStore.h"
#include "measurement/Responder.h"

#include <QTimer>
#include <functional>
#include <memory>

class TAccessPoint;
class TPowerRsBus;

// Reads every chosen channel once per sampling period, in list order, and feeds the store. It runs
// on the window thread; the window stays alive because each read lets pending events run.
class TMeasurer {
public:
    TMeasurer(TOscDm* Dm, TPowerRsBus* Bus, TAccessPoint* AccessPoint);
    ~TMeasurer();
    TMeasurer(const TMeasurer&) = delete;
    TMeasurer& operator=(const TMeasurer&) = delete;

    // Takes the own responder, sets the timer from the sampling frequency (every 10 ms at the
    // fastest) and prepares the store.
    bool Prepare();
    void SetRunning(bool Value);
    bool IsRunning() const { return FRunning; }

    // One sweep over the profiles: the timer's handler.
    void Tick();

    int Interval() const { return FTimer.interval(); }
    TDataStore& Store() { return *FStore; }
    // The responder in use; none until Prepare.
    TCustomResponder* Responder() const { return FResponder; }
    // Lets a test or a benchmark read through another responder; Prepare takes the own one back.
    void SetResponder(TCustomResponder* Value) { FResponder = Value; }
    TModbusResponder& ModbusResponder() { return *FModbusResponder; }
    // Where the bus and access point change (a new connection), the responder follows.
    void SetLine(TPowerRsBus* Bus, TAccessPoint* AccessPoint);

    // The pause before each change of device on the line, in ms. A sweep that starts with the device
    // the previous sweep ended with changes nothing on the line, so one device alone pauses only
    // before its first sweep.
    static constexpr int kDevicePauseMs = 20;
    static constexpr int kMinIntervalMs = 10;

    std::function<void(int Code, int Data)> OnEvent;

private:
    TOscDm* FDm;
    bool FRunning = false;
    bool FBusy = false;
    // The device polled last, -1 before the first poll of a run.
    int FLastAddress = -1;
    QTimer FTimer;
    std::unique_ptr<TModbusResponder> FModbusResponder;
    TCustomResponder* FResponder = nullptr;
    std::unique_ptr<TDataStore> FStore;
};
