#include "model/FlowChannel.h"

#include "model/SensorProperty.h"
#include "model/ZUVOModule.h"

namespace sp = SensorProperty;

namespace {

enum TFlowProperty : quint16 {
    fpChannelCount = 0,
    fpEnabled = 1,
    fpInputOn = 2,
    fpOutputOn = 3,
    fpPulseCountHigh = 4,
    fpPulseCountLow = 5,
    fpFrequency = 6,
    fpFlowSpeed = 7,
    fpConsumption = 8,
    fpCountingFront = 9,
    fpChannelType = 10,
    fpResponseTime = 11,
    fpImpulseWeight = 12,
    fpPolynomialStart = 13,
    fpPolynomial = 14,
    fpAlarmSource = 15,
    fpAlarmLow = 16,
    fpAlarmHigh = 17,
    fpRelaySource = 18,
    fpRelayLow = 19,
    fpRelayHigh = 20,
    fpRelayNormalState = 21,
    fpMeasureTime = 22,
};

} // namespace

TFlowChannel::TFlowChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index)
    : TCustomZUVOChannel(Module, ObjectNumber, Index) {
    Accessor.Fotmat = sp::SettingsFormat();
}

int TFlowChannel::ReadChannelCount() {
    qint32 v = 0;
    Module()->Ok = sp::ReadInteger(Accessor, fpChannelCount, v);
    return Module()->Ok ? int(v) : -1;
}

bool TFlowChannel::ReadAllSettings() {
    Module()->Ok =
        sp::ReadField(Accessor, fpEnabled, Enabled) &&
        sp::ReadField(Accessor, fpCountingFront, CountingFront) &&
        sp::ReadField(Accessor, fpChannelType, ChannelType) &&
        sp::ReadField(Accessor, fpResponseTime, ResponseTime) &&
        sp::ReadField(Accessor, fpImpulseWeight, ImpulseWeight) &&
        sp::ReadField(Accessor, fpAlarmSource, AlarmSource) &&
        sp::ReadField(Accessor, fpAlarmLow, AlarmLow) && sp::ReadField(Accessor, fpAlarmHigh, AlarmHigh) &&
        sp::ReadField(Accessor, fpRelaySource, RelaySource) &&
        sp::ReadField(Accessor, fpRelayLow, RelayLow) && sp::ReadField(Accessor, fpRelayHigh, RelayHigh) &&
        sp::ReadField(Accessor, fpRelayNormalState, RelayNormalState) &&
        sp::ReadField(Accessor, fpMeasureTime, MeasureTime);
    return Module()->Ok;
}

bool TFlowChannel::ReadMeasurements() {
    TZUVOModule& m = *Module();
    m.Ok = sp::ReadField(Accessor, fpInputOn, InputOn) && sp::ReadField(Accessor, fpOutputOn, OutputOn);
    if (!m.Ok)
        return false;
    // The count's high half is signed, the low half a plain 32-bit word.
    qint32 high = 0;
    qint32 low = 0;
    m.Ok =
        sp::ReadInteger(Accessor, fpPulseCountHigh, high) && sp::ReadInteger(Accessor, fpPulseCountLow, low);
    if (!m.Ok)
        return false;
    PulseCount = qint64(quint64(qint64(high)) << 32 | quint64(quint32(low)));
    m.Ok = sp::ReadField(Accessor, fpFrequency, Frequency) &&
           sp::ReadField(Accessor, fpFlowSpeed, FlowSpeed) &&
           sp::ReadField(Accessor, fpConsumption, Consumption);
    return m.Ok;
}

bool TFlowChannel::ResetCounter() {
    TZUVOModule& m = *Module();
    m.Ok = sp::WriteInteger(Accessor, fpPulseCountLow, 0);
    if (m.Ok)
        m.Modified = true;
    return m.Ok;
}

bool TFlowChannel::ReadPolynomial() {
    TZUVOModule& m = *Module();
    m.Ok = sp::WriteInteger(Accessor, fpPolynomialStart, 0);
    for (size_t i = 0; m.Ok && i < Polynomial.size(); ++i)
        m.Ok = sp::ReadFloat(Accessor, fpPolynomial, Polynomial[i]);
    return m.Ok;
}

bool TFlowChannel::WritePolynomial(const std::array<float, kPolynomialSize>& Values) {
    TZUVOModule& m = *Module();
    m.Ok = sp::WriteInteger(Accessor, fpPolynomialStart, 0);
    for (size_t i = 0; m.Ok && i < Values.size(); ++i)
        m.Ok = sp::WriteFloat(Accessor, fpPolynomial, Values[i]);
    if (m.Ok) {
        Polynomial = Values;
        m.Modified = true;
    }
    return m.Ok;
}

bool TFlowChannel::WriteEnabled(bool Value) {
    return sp::WriteField(*Module(), Accessor, fpEnabled, Enabled, Value);
}

bool TFlowChannel::WriteOutputOn(bool Value) {
    return sp::WriteField(*Module(), Accessor, fpOutputOn, OutputOn, Value);
}

bool TFlowChannel::WriteCountingFront(bool Value) {
    return sp::WriteField(*Module(), Accessor, fpCountingFront, CountingFront, Value);
}

bool TFlowChannel::WriteChannelType(quint16 Value) {
    return sp::WriteField(*Module(), Accessor, fpChannelType, ChannelType, Value);
}

bool TFlowChannel::WriteResponseTime(float Value) {
    return sp::WriteField(*Module(), Accessor, fpResponseTime, ResponseTime, Value);
}

bool TFlowChannel::WriteImpulseWeight(float Value) {
    return sp::WriteField(*Module(), Accessor, fpImpulseWeight, ImpulseWeight, Value);
}

bool TFlowChannel::WriteAlarmSource(quint16 Value) {
    return sp::WriteField(*Module(), Accessor, fpAlarmSource, AlarmSource, Value);
}

bool TFlowChannel::WriteAlarmLow(float Value) {
    return sp::WriteField(*Module(), Accessor, fpAlarmLow, AlarmLow, Value);
}

bool TFlowChannel::WriteAlarmHigh(float Value) {
    return sp::WriteField(*Module(), Accessor, fpAlarmHigh, AlarmHigh, Value);
}

bool TFlowChannel::WriteRelaySource(quint16 Value) {
    return sp::WriteField(*Module(), Accessor, fpRelaySource, RelaySource, Value);
}

bool TFlowChannel::WriteRelayLow(float Value) {
    return sp::WriteField(*Module(), Accessor, fpRelayLow, RelayLow, Value);
}

bool TFlowChannel::WriteRelayHigh(float Value) {
    return sp::WriteField(*Module(), Accessor, fpRelayHigh, RelayHigh, Value);
}

bool TFlowChannel::WriteRelayNormalState(bool Value) {
    return sp::WriteField(*Module(), Accessor, fpRelayNormalState, RelayNormalState, Value);
}

bool TFlowChannel::WriteMeasureTime(float Value) {
    return sp::WriteField(*Module(), Accessor, fpMeasureTime, MeasureTime, Value);
}

bool TFlowChannel::WriteAllSettings() {
    if (!WriteEnabled(Enabled) || !WriteChannelType(ChannelType))
        return false;
    // Only a discrete output has a state to set; on the other kinds property 3 is the device's own.
    if (ChannelType == fctDiscreteOutput && !WriteOutputOn(OutputOn))
        return false;
    return WriteCountingFront(CountingFront) && WriteResponseTime(ResponseTime) &&
           WriteImpulseWeight(ImpulseWeight) && WriteRelayNormalState(RelayNormalState) &&
           WriteMeasureTime(MeasureTime) && WriteAlarmSource(AlarmSource) && WriteAlarmLow(AlarmLow) &&
           WriteAlarmHigh(AlarmHigh) && WriteRelaySource(RelaySource) && WriteRelayLow(RelayLow) &&
           WriteRelayHigh(RelayHigh) && WritePolynomial(Polynomial);
}

int FlowPartnerIndex(int Index, int Count) {
    if (Index < 0 || Index >= Count)
        return -1;
    const int partner = Index ^ 1;
    return partner < Count ? partner : -1;
}

std::vector<int> TFlowChannel::SettingSteps() const {
    std::vector<int> steps;
    for (int step = fsEnabled; step <= fsPolynomial; ++step)
        if (Index == 0 || (step != fsRelayNormalState && step != fsMeasureTime))
            steps.push_back(step);
    return steps;
}

QString TFlowChannel::StepName(int Step) {
    static const char* const names[] = {"enabled",       "channelType",      "countingFront", "responseTime",
                                        "impulseWeight", "relayNormalState", "measureTime",   "alarmSource",
                                        "alarmLow",      "alarmHigh",        "relaySource",   "relayLow",
                                        "relayHigh",     "polynomial"};
    if (Step < fsEnabled || Step > fsPolynomial)
        return QStringLiteral("step%1").arg(Step);
    return QLatin1String(names[Step]);
}

bool TFlowChannel::ReadSetting(int Step) {
    TZUVOModule& m = *Module();
    switch (Step) {
    case fsEnabled:
        return m.Ok = sp::ReadField(Accessor, fpEnabled, Enabled);
    case fsChannelType:
        return m.Ok = sp::ReadField(Accessor, fpChannelType, ChannelType);
    case fsCountingFront:
        return m.Ok = sp::ReadField(Accessor, fpCountingFront, CountingFront);
    case fsResponseTime:
        return m.Ok = sp::ReadField(Accessor, fpResponseTime, ResponseTime);
    case fsImpulseWeight:
        return m.Ok = sp::ReadField(Accessor, fpImpulseWeight, ImpulseWeight);
    case fsRelayNormalState:
        return m.Ok = sp::ReadField(Accessor, fpRelayNormalState, RelayNormalState);
    case fsMeasureTime:
        return m.Ok = sp::ReadField(Accessor, fpMeasureTime, MeasureTime);
    case fsAlarmSource:
        return m.Ok = sp::ReadField(Accessor, fpAlarmSource, AlarmSource);
    case fsAlarmLow:
        return m.Ok = sp::ReadField(Accessor, fpAlarmLow, AlarmLow);
    case fsAlarmHigh:
        return m.Ok = sp::ReadField(Accessor, fpAlarmHigh, AlarmHigh);
    case fsRelaySource:
        return m.Ok = sp::ReadField(Accessor, fpRelaySource, RelaySource);
    case fsRelayLow:
        return m.Ok = sp::ReadField(Accessor, fpRelayLow, RelayLow);
    case fsRelayHigh:
        return m.Ok = sp::ReadField(Accessor, fpRelayHigh, RelayHigh);
    case fsPolynomial: {
        // All six or none: a read that stops half way leaves the polynomial as it was.
        const auto before = Polynomial;
        if (!ReadPolynomial())
            Polynomial = before;
        return m.Ok;
    }
    default:
        return m.Ok = false;
    }
}

bool TFlowChannel::WriteSetting(int Step) {
    switch (Step) {
    case fsEnabled:
        return WriteEnabled(Enabled);
    case fsChannelType:
        return WriteChannelType(ChannelType);
    case fsCountingFront:
        return WriteCountingFront(CountingFront);
    case fsResponseTime:
        return WriteResponseTime(ResponseTime);
    case fsImpulseWeight:
        return WriteImpulseWeight(ImpulseWeight);
    case fsRelayNormalState:
        return WriteRelayNormalState(RelayNormalState);
    case fsMeasureTime:
        return WriteMeasureTime(MeasureTime);
    case fsAlarmSource:
        return WriteAlarmSource(AlarmSource);
    case fsAlarmLow:
        return WriteAlarmLow(AlarmLow);
    case fsAlarmHigh:
        return WriteAlarmHigh(AlarmHigh);
    case fsRelaySource:
        return WriteRelaySource(RelaySource);
    case fsRelayLow:
        return WriteRelayLow(RelayLow);
    case fsRelayHigh:
        return WriteRelayHigh(RelayHigh);
    case fsPolynomial:
        return WritePolynomial(Polynomial);
    default:
        return Module()->Ok = false;
    }
}
