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

std::vector<int> TTermoChannel::SettingSteps() const {
    std::vector<int> steps{tsEnabled, tsAlarmOn, tsAlarmLow, tsAlarmHigh, tsRelayOn, tsRelayLow, tsRelayHigh};
    if (Index == 0)
        steps.push_back(tsRelayNormalState);
    steps.push_back(tsAuxValue);
    return steps;
}

QString TTermoChannel::StepName(int Step) {
    switch (Step) {
    case tsEnabled:
        return QStringLiteral("enabled");
    case tsAlarmOn:
        return QStringLiteral("alarmOn");
    case tsAlarmLow:
        return QStringLiteral("alarmLow");
    case tsAlarmHigh:
        return QStringLiteral("alarmHigh");
    case tsRelayOn:
        return QStringLiteral("relayOn");
    case tsRelayLow:
        return QStringLiteral("relayLow");
    case tsRelayHigh:
        return QStringLiteral("relayHigh");
    case tsRelayNormalState:
        return QStringLiteral("relayNormalState");
    case tsAuxValue:
        return QStringLiteral("auxValue");
    default:
        return QStringLiteral("step%1").arg(Step);
    }
}

bool TTermoChannel::ReadSetting(int Step) {
    TZUVOModule& m = *Module();
    switch (Step) {
    case tsEnabled:
        return m.Ok = sp::ReadField(Accessor, tpEnabled, Enabled);
    case tsAlarmOn:
        return m.Ok = sp::ReadField(Accessor, tpAlarmOn, AlarmOn);
    case tsAlarmLow:
        return m.Ok = sp::ReadField(Accessor, tpAlarmLow, AlarmLow);
    case tsAlarmHigh:
        return m.Ok = sp::ReadField(Accessor, tpAlarmHigh, AlarmHigh);
    case tsRelayOn:
        return m.Ok = sp::ReadField(Accessor, tpRelayOn, RelayOn);
    case tsRelayLow:
        return m.Ok = sp::ReadField(Accessor, tpRelayLow, RelayLow);
    case tsRelayHigh:
        return m.Ok = sp::ReadField(Accessor, tpRelayHigh, RelayHigh);
    case tsRelayNormalState:
        return m.Ok = sp::ReadField(Accessor, tpRelayNormalState, RelayNormalState);
    case tsAuxValue:
        return m.Ok = sp::ReadField(Accessor, tpAuxValue, AuxValue);
    default:
        return m.Ok = false;
    }
}

bool TTermoChannel::WriteSetting(int Step) {
    switch (Step) {
    case tsEnabled:
        return WriteEnabled(Enabled);
    case tsAlarmOn:
        return WriteAlarmOn(AlarmOn);
    case tsAlarmLow:
        return WriteAlarmLow(AlarmLow);
    case tsAlarmHigh:
        return WriteAlarmHigh(AlarmHigh);
    case tsRelayOn:
        return WriteRelayOn(RelayOn);
    case tsRelayLow:
        return WriteRelayLow(RelayLow);
    case tsRelayHigh:
        return WriteRelayHigh(RelayHigh);
    case tsRelayNormalState:
        return WriteRelayNormalState(RelayNormalState);
    case tsAuxValue:
        return WriteAuxValue(AuxValue);
    default:
        return Module()->Ok = false;
    }
}
