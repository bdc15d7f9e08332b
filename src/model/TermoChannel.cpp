#include "model/TermoChannel.h"

#include "model/SensorProperty.h"
#include "model/ZUVOModule.h"

namespace sp = SensorProperty;

namespace {

enum TTermoProperty : quint16 {
    tpChannelCount = 0,
    tpEnabled = 1,
    tpTemperature = 2,
    tpAlarmOn = 3,
    tpAlarmLow = 4,
    tpAlarmHigh = 5,
    tpRelayOn = 6,
    tpRelayLow = 7,
    tpRelayHigh = 8,
    tpRelayNormalState = 9,
    tpAuxValue = 10,
};

} // namespace

TTermoChannel::TTermoChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index)
    : TCustomZUVOChannel(Module, ObjectNumber, Index) {
    Accessor.Fotmat = sp::SettingsFormat();
}

int TTermoChannel::ReadChannelCount() {
    qint32 v = 0;
    Module()->Ok = sp::ReadInteger(Accessor, tpChannelCount, v);
    return Module()->Ok ? int(v) : -1;
}

float TTermoChannel::ReadTemperature() {
    float v = 0;
    Module()->Ok = sp::ReadFloat(Accessor, tpTemperature, v);
    if (!Module()->Ok)
        return -1;
    Temperature = v;
    return v;
}

bool TTermoChannel::ReadAll() {
    TZUVOModule& m = *Module();
    m.Ok = sp::ReadField(Accessor, tpEnabled, Enabled) && sp::ReadField(Accessor, tpAlarmOn, AlarmOn) &&
           sp::ReadField(Accessor, tpAlarmLow, AlarmLow) && sp::ReadField(Accessor, tpAlarmHigh, AlarmHigh) &&
           sp::ReadField(Accessor, tpRelayOn, RelayOn) && sp::ReadField(Accessor, tpRelayLow, RelayLow) &&
           sp::ReadField(Accessor, tpRelayHigh, RelayHigh) &&
           sp::ReadField(Accessor, tpRelayNormalState, RelayNormalState) &&
           sp::ReadField(Accessor, tpAuxValue, AuxValue);
    return m.Ok;
}

bool TTermoChannel::WriteEnabled(bool Value) {
    return sp::WriteField(*Module(), Accessor, tpEnabled, Enabled, Value);
}

bool TTermoChannel::WriteAlarmOn(bool Value) {
    return sp::WriteField(*Module(), Accessor, tpAlarmOn, AlarmOn, Value);
}

bool TTermoChannel::WriteAlarmLow(float Value) {
    return sp::WriteField(*Module(), Accessor, tpAlarmLow, AlarmLow, Value);
}

bool TTermoChannel::WriteAlarmHigh(float Value) {
    return sp::WriteField(*Module(), Accessor, tpAlarmHigh, AlarmHigh, Value);
}

bool TTermoChannel::WriteRelayOn(bool Value) {
    return sp::WriteField(*Module(), Accessor, tpRelayOn, RelayOn, Value);
}

bool TTermoChannel::WriteRelayLow(float Value) {
    return sp::WriteField(*Module(), Accessor, tpRelayLow, RelayLow, Value);
}

bool TTermoChannel::WriteRelayHigh(float Value) {
    return sp::WriteField(*Module(), Accessor, tpRelayHigh, RelayHigh, Value);
}

bool TTermoChannel::WriteRelayNormalState(bool Value) {
    return sp::WriteField(*Module(), Accessor, tpRelayNormalState, RelayNormalState, Value);
}

bool TTermoChannel::WriteAuxValue(float Value) {
    return sp::WriteField(*Module(), Accessor, tpAuxValue, AuxValue, Value);
}

bool TTermoChannel::WriteAll() {
    return WriteEnabled(Enabled) && WriteAlarmOn(AlarmOn) && WriteAlarmLow(AlarmLow) &&
           WriteAlarmHigh(AlarmHigh) && WriteRelayOn(RelayOn) && WriteRelayLow(RelayLow) &&
           WriteRelayHigh(RelayHigh) && WriteRelayNormalState(RelayNormalState) && WriteAuxValue(AuxValue);
}
