#include "model/IntachnessCtrlChannel.h"

#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

#include <cmath>

namespace {

bool ValidParameter(int Index) {
    return Index >= 0 && Index < TIntachnessCtrlChannel::kParameterCount;
}

} // namespace

TIntachnessCtrlChannel::TIntachnessCtrlChannel(TZUVOModule* Module, quint8 ObjectNumber) : FModule(Module) {
    Accessor.Module = &Module->NerixModule();
    Accessor.ObjectNumber = ObjectNumber;
    // Safe values travel through the value text: keep every digit of a single.
    Accessor.Fotmat = QStringLiteral("#0.") + QString(60, QLatin1Char('#'));
}

qint32 TIntachnessCtrlChannel::ReadInteger(quint16 Property) {
    FModule->Ok = false;
    if (!Accessor.ReadPropertyAs(Property, dtInteger))
        return 0;
    const auto v = Accessor.GetAsInteger();
    if (!v)
        return 0;
    FModule->Ok = true;
    return *v;
}

bool TIntachnessCtrlChannel::WriteInteger(quint16 Property, qint32 Value) {
    FModule->Ok = Accessor.WritePropertyInteger(Property, Value);
    if (FModule->Ok)
        FModule->Modified = true;
    return FModule->Ok;
}

quint32 TIntachnessCtrlChannel::ReadTimeout() {
    return quint32(ReadInteger(icTimeout));
}

bool TIntachnessCtrlChannel::WriteTimeout(quint32 Value) {
    FModule->Ok = false;
    Accessor.ChannelDirection = cdOutput;
    Accessor.PropertyNumber = icTimeout;
    Accessor.SetAsCardinal(Value);
    Accessor.Transfer();
    FModule->Ok = Accessor.LastOk;
    if (FModule->Ok)
        FModule->Modified = true;
    return FModule->Ok;
}

bool TIntachnessCtrlChannel::ReadResetCondition() {
    return ReadInteger(icResetCondition) != 0;
}

bool TIntachnessCtrlChannel::WriteResetCondition(bool Value) {
    return WriteInteger(icResetCondition, Value ? 1 : 0);
}

qint32 TIntachnessCtrlChannel::ReadParameterInteger(int Index) {
    FModule->Ok = false;
    return ValidParameter(Index) ? ReadInteger(quint16(icParameter0 + Index)) : 0;
}

bool TIntachnessCtrlChannel::WriteParameterInteger(int Index, qint32 Value) {
    FModule->Ok = false;
    return ValidParameter(Index) && WriteInteger(quint16(icParameter0 + Index), Value);
}

float TIntachnessCtrlChannel::ReadParameterFloat(int Index) {
    FModule->Ok = false;
    if (!ValidParameter(Index) || !Accessor.ReadPropertyAs(quint16(icParameter0 + Index), dtSingle))
        return 0;
    FModule->Ok = true;
    return Accessor.GetAsFloat();
}

bool TIntachnessCtrlChannel::WriteParameterFloat(int Index, float Value) {
    FModule->Ok = false;
    if (!ValidParameter(Index) || !std::isfinite(Value))
        return false;
    FModule->Ok = Accessor.WritePropertyFloat(quint16(icParameter0 + Index), Value);
    if (FModule->Ok)
        FModule->Modified = true;
    return FModule->Ok;
}

float TAOIntachnessCtrlChannel::ReadSafeValue(int Output) {
    if (!WriteParameterInteger(0, Output))
        return 0;
    return ReadParameterFloat(1);
}

bool TAOIntachnessCtrlChannel::WriteSafeValue(int Output, float Value) {
    return WriteParameterInteger(0, Output) && WriteParameterFloat(1, Value);
}
