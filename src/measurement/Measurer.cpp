#include "measurement/Measurer.h"
#include "platform/EventWait.h"
#include "platform/Ticks.h"

TMeasurer::TMeasurer(TOscDm* Dm, TPowerRsBus* Bus, TAccessPoint* AccessPoint)
    : FDm(Dm), FModbusResponder(std::make_unique<TModbusResponder>(Bus, AccessPoint)),
      FStore(std::make_unique<TDataStore>(Dm)) {
    FTimer.setSingleShot(false);
    FTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Tick(); });
}

TMeasurer::~TMeasurer() {
    FTimer.stop();
}

void TMeasurer::SetLine(TPowerRsBus* Bus, TAccessPoint* AccessPoint) {
    FModbusResponder->SetBus(Bus);
    FModbusResponder->SetAccessPoint(AccessPoint);
}

bool TMeasurer::Prepare() {
    FResponder = FModbusResponder.get();
    int interval = FDm->SamplingFrequency == 0 ? kMinIntervalMs : int(1000 / FDm->SamplingFrequency);
    if (interval < kMinIntervalMs)
        interval = kMinIntervalMs;
    FTimer.setInterval(interval);
    FStore->Prepare();
    return true;
}

void TMeasurer::SetRunning(bool Value) {
    if (Value == FRunning)
        return;
    FRunning = Value;
    if (Value) {
        FStore->Prepare();
        FBusy = false;
        FLastAddress = -1;
        FTimer.start();
    } else {
        FTimer.stop();
    }
}

void TMeasurer::Tick() {
    if (FBusy)
        return;
    FBusy = true;
    const TChannelProfileList& profiles = FDm->ChannelProfiles;
    for (int i = 0; i < profiles.Count(); ++i) {
        TChannelProfile* p = profiles.ProfileAt(i);
        const quint8 address = p->Address();
        if (address != FLastAddress) {
            // A device needs a moment of silence after another one's answer; the first as well.
            SleepMs(kDevicePauseMs);
            FLastAddress = address;
        }
        if (FResponder)
            FResponder->ReadValue(address, p->ChannelIndex, p->Value);
        const float value = p->Value;
        // Stop may run here and end the sweep after this channel.
        ProcessPendingEvents();
        if (!FRunning)
            break;
        FStore->Add({DateTimeToDays(QDateTime::currentDateTime()), value});
        // The window may have changed the experiment while events ran.
        if (profiles.Count() == 0)
            break;
    }
    // Restarting a running timer would shift its beat to the end of every sweep.
    if (FRunning && !FTimer.isActive())
        FTimer.start();
    else if (!FRunning)
        FTimer.stop();
    FBusy = false;
}
