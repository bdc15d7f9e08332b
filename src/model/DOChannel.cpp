#include "model/DOChannel.h"

#include "model/ChannelTexts.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<int> StepsOf(int Selector) {
    if (Selector == dosAll)
        return {dosProtected, dosStartValue, dosSequence};
    if (Selector >= dosProtected && Selector <= dosSequence)
        return {Selector};
    return {};
}

std::optional<qint32> ReadInteger(TNerixChannel& Accessor, quint16 Property) {
    if (!Accessor.ReadPropertyAs(Property, dtInteger))
        return std::nullopt;
    return Accessor.GetAsInteger();
}

} // namespace

std::vector<int> TDOChannel::SettingSteps() {
    return StepsOf(dosAll);
}

bool KeyedWrite(TNerixChannel& Accessor, TZUVOModule* Module, bool Protected, quint16 KeyProperty,
                quint16 ValueProperty, quint32 Value) {
    Module->Ok = false;
    Module->Modified = true;
    quint32 key = 0;
    if (Protected) {
        const auto read = ReadInteger(Accessor, KeyProperty);
        if (!read)
            return false;
        key = quint32(*read);
    }
    Module->Ok = Accessor.WritePropertyInteger(ValueProperty, qint32(key | Value));
    return Module->Ok;
}

TDOChannel::TDOChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index) : Index(Index), FModule(Module) {
    Accessor.Module = &Module->NerixModule();
    Accessor.ObjectNumber = ObjectNumber;
}

QString TDOChannel::ReadStep(int Step) {
    const TChannelTexts& t = ChannelTexts();
    switch (Step) {
    case dosProtected:
        if (const auto v = ReadInteger(Accessor, doProtected)) {
            Protected = *v != 0;
            return {};
        }
        return t.ReadOutputMode;
    case dosStartValue:
        if (const auto v = ReadInteger(Accessor, doStartValue)) {
            StartValue = *v != 0;
            return {};
        }
        return t.ReadStartValue;
    case dosSequence: {
        const auto count = ReadInteger(Accessor, doStepCount);
        // A count beyond the steps an output holds is no sequence this program can show or write
        // back: the read fails and the fields keep what they had.
        if (!count || *count < 0 || *count > kMaxSteps)
            return t.ReadSteps;
        StepCount = quint8(*count);
        for (int i = 0; i < StepCount; ++i) {
            if (!Accessor.WritePropertyInteger(doStepSelector, i))
                return t.ReadSteps;
            const auto duration = ReadInteger(Accessor, doStepDuration);
            if (!duration)
                return t.ReadSteps;
            Steps[size_t(i)] = quint16(*duration);
        }
        return {};
    }
    default:
        return {};
    }
}

bool TDOChannel::ReadSettings(int Selector, QString& ErrorText) {
    return RunSettingSteps(StepsOf(Selector), FModule->Ok, ErrorText,
                           [this](int Step) { return ReadStep(Step); });
}

QString TDOChannel::WriteStep(int Step) {
    const TChannelTexts& t = ChannelTexts();
    switch (Step) {
    case dosProtected:
        return Accessor.WritePropertyInteger(doProtected, Protected ? 1 : 0) ? QString() : t.WriteOutputMode;
    case dosStartValue:
        return Accessor.WritePropertyInteger(doStartValue, StartValue ? 1 : 0) ? QString()
                                                                               : t.WriteStartValue;
    case dosSequence: {
        const int count = std::min<int>(StepCount, kMaxSteps);
        if (!Accessor.WritePropertyInteger(doStepCount, count))
            return t.WriteSteps;
        for (int i = 0; i < count; ++i)
            if (!Accessor.WritePropertyInteger(doStepSelector, i) ||
                !Accessor.WritePropertyInteger(doStepDuration, Steps[size_t(i)]))
                return t.WriteSteps;
        return {};
    }
    default:
        return {};
    }
}

bool TDOChannel::WriteSettings(int Selector, QString& ErrorText) {
    FModule->Modified = true;
    return RunSettingSteps(StepsOf(Selector), FModule->Ok, ErrorText,
                           [this](int Step) { return WriteStep(Step); });
}

bool TDOChannel::SetOutput(bool Value) {
    if (!KeyedWrite(Accessor, FModule, Protected, doWriteKey, doState, Value ? 1 : 0))
        return false;
    State = Value ? 1 : 0;
    return true;
}

int TDOChannel::ReadOutput() {
    FModule->Ok = false;
    const auto v = ReadInteger(Accessor, doState);
    if (!v)
        return -1;
    State = *v != 0 ? 1 : 0;
    FModule->Ok = true;
    return State;
}

bool TDOChannel::StartSequence() {
    return KeyedWrite(Accessor, FModule, Protected, doWriteKey, doStartSequence, 0);
}

bool TDOChannel::AddStep(quint16 Duration) {
    if (StepCount >= kMaxSteps)
        return false;
    Steps[StepCount++] = Duration;
    return true;
}

void TDOChannel::DeleteStep(int Index) {
    const int count = std::min<int>(StepCount, kMaxSteps);
    if (Index < 0 || Index >= count)
        return;
    std::copy(Steps.begin() + Index + 1, Steps.begin() + count, Steps.begin() + Index);
    Steps[size_t(count - 1)] = 0;
    StepCount = quint8(count - 1);
}

bool TDOChannel::SetFrequency(float Value) {
    FModule->Ok = false;
    FModule->Modified = true;
    FModule->Ok = Accessor.WritePropertyFloat(doState, Value);
    if (FModule->Ok)
        Frequency = Value;
    return FModule->Ok;
}

float TDOChannel::ReadFrequency() {
    FModule->Ok = false;
    FModule->Modified = true;
    if (!Accessor.ReadPropertyAs(doState, dtSingle))
        return 0;
    Frequency = Accessor.GetAsFloat();
    FModule->Ok = true;
    return Frequency;
}

quint32 TDOChannel::ReadPulseCount() {
    FModule->Ok = false;
    const auto first = ReadInteger(Accessor, doPulseCount);
    if (!first)
        return 0;
    const auto second = ReadInteger(Accessor, doWriteKey);
    if (!second)
        return quint32(*first);
    FModule->Ok = true;
    return quint32(*first) + quint32(*second);
}

bool TDOChannel::ResetPulseCount() {
    FModule->Ok = false;
    FModule->Modified = true;
    FModule->Ok = Accessor.WritePropertyInteger(doPulseCount, 0);
    return FModule->Ok;
}
