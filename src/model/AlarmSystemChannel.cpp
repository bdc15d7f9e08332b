#include "model/AlarmSystemChannel.h"

#include "model/SensorProperty.h"
#include "model/ZUVOModule.h"
#include "platform/EventWait.h"

namespace sp = SensorProperty;

namespace {

enum TAlarmProperty : quint16 {
    asRelayNormalState = 0,
    asEntry = 2,
    asAlarmOn = 3,
    asAlarmLow = 4,
    asAlarmHigh = 5,
    asRelayOn = 6,
    asRelayLow = 7,
    asRelayHigh = 8,
};

bool ReadEntry(TNerixChannel& Accessor, quint16 First, TAlarmEntry& Entry) {
    return sp::ReadBoolean(Accessor, First, Entry.On) &&
           sp::ReadFloat(Accessor, quint16(First + 1), Entry.Low) &&
           sp::ReadFloat(Accessor, quint16(First + 2), Entry.High);
}

bool WriteEntry(TNerixChannel& Accessor, quint16 First, const TAlarmEntry& Entry) {
    return sp::WriteBoolean(Accessor, First, Entry.On) &&
           sp::WriteFloat(Accessor, quint16(First + 1), Entry.Low) &&
           sp::WriteFloat(Accessor, quint16(First + 2), Entry.High);
}

} // namespace

TAlarmSystemChannel::TAlarmSystemChannel(TZUVOModule* Module)
    : FAccessor(std::make_unique<TNerixChannel>()), FModule(Module) {
    FAccessor->Module = &Module->NerixModule();
    FAccessor->ObjectNumber = kObject;
    FAccessor->Fotmat = sp::SettingsFormat();
}

TAlarmSystemChannel::~TAlarmSystemChannel() = default;

bool TAlarmSystemChannel::ReadTable() {
    TNerixChannel& a = *FAccessor;
    TAlarmTable table;
    bool ok = sp::ReadBoolean(a, asRelayNormalState, table.RelayNormalState);
    for (int i = 0; ok && i < TAlarmTable::kEntryCount; ++i) {
        ok = sp::WriteInteger(a, asEntry, i);
        if (!ok)
            break;
        PauseProcessingEvents(kEntryPauseMs);
        ok = ReadEntry(a, asAlarmOn, table.Alarms[size_t(i)]);
        if (!ok)
            break;
        ProcessPendingEvents();
        ok = ReadEntry(a, asRelayOn, table.Relays[size_t(i)]);
    }
    FModule->Ok = ok;
    if (ok)
        Table = table;
    return ok;
}

bool TAlarmSystemChannel::WriteTable() {
    TNerixChannel& a = *FAccessor;
    bool ok = sp::WriteBoolean(a, asRelayNormalState, Table.RelayNormalState);
    for (int i = 0; ok && i < TAlarmTable::kEntryCount; ++i)
        ok = sp::WriteInteger(a, asEntry, i) && WriteEntry(a, asAlarmOn, Table.Alarms[size_t(i)]) &&
             WriteEntry(a, asRelayOn, Table.Relays[size_t(i)]);
    FModule->Ok = ok;
    if (ok)
        FModule->Modified = true;
    return ok;
}

std::vector<int> TAlarmSystemChannel::SettingSteps() {
    std::vector<int> steps;
    for (int step = 0; step <= TAlarmTable::kEntryCount; ++step)
        steps.push_back(step);
    return steps;
}

QString TAlarmSystemChannel::StepName(int Step) {
    if (Step == 0)
        return QStringLiteral("relayNormalState");
    if (Step == TAlarmTable::kEntryCount)
        return QStringLiteral("temperature");
    return QStringLiteral("input%1").arg(Step);
}

bool TAlarmSystemChannel::ReadSetting(int Step) {
    TNerixChannel& a = *FAccessor;
    FModule->Ok = false;
    if (Step == 0) {
        bool v = false;
        FModule->Ok = sp::ReadBoolean(a, asRelayNormalState, v);
        if (FModule->Ok)
            Table.RelayNormalState = v;
        return FModule->Ok;
    }
    if (Step < 1 || Step > TAlarmTable::kEntryCount)
        return false;
    const size_t i = size_t(Step - 1);
    if (!sp::WriteInteger(a, asEntry, qint32(i)))
        return false;
    PauseProcessingEvents(kEntryPauseMs);
    TAlarmEntry alarm, relay;
    if (!ReadEntry(a, asAlarmOn, alarm) || !ReadEntry(a, asRelayOn, relay))
        return false;
    Table.Alarms[i] = alarm;
    Table.Relays[i] = relay;
    return FModule->Ok = true;
}

bool TAlarmSystemChannel::WriteSetting(int Step) {
    TNerixChannel& a = *FAccessor;
    FModule->Ok = false;
    if (Step == 0)
        FModule->Ok = sp::WriteBoolean(a, asRelayNormalState, Table.RelayNormalState);
    else if (Step >= 1 && Step <= TAlarmTable::kEntryCount) {
        const size_t i = size_t(Step - 1);
        FModule->Ok = sp::WriteInteger(a, asEntry, qint32(i)) && WriteEntry(a, asAlarmOn, Table.Alarms[i]) &&
                      WriteEntry(a, asRelayOn, Table.Relays[i]);
    }
    if (FModule->Ok)
        FModule->Modified = true;
    return FModule->Ok;
}
