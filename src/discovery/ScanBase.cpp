#include "discovery/ScanBase.h"

#include "platform/EventWait.h"
#include "platform/Ticks.h"

#include <algorithm>

TScanBase::TScanBase(TNerixModule& Module) : FModule(Module) {
    FChannel.Module = &FModule;
    FChannel.ObjectNumber = 0;
    FChannel.DataType = dtInteger;
}

bool TScanBase::Read(quint16 Property, quint32& Value) {
    if (!FChannel.ReadPropertyAs(Property, dtInteger))
        return false;
    const auto v = FChannel.GetAsInteger();
    if (!v)
        return false;
    Value = quint32(*v);
    return true;
}

void TScanBase::PauseAfterProbe() {
    ProcessPendingEvents();
    const quint64 start = TickCount();
    while (TickCount() - start < quint64(kPauseMs)) {
        SleepMs(std::min<int>(kWaitSliceMs, int(kPauseMs - (TickCount() - start))));
        ProcessPendingEvents();
    }
}
