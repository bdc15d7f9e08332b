#include "model/DIChannel.h"

#include "model/ChannelTexts.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {

// The levels travel through the value text: enough decimals that a single comes back as the same
// single.
const QString kLevelFormat = QStringLiteral("#0.") + QString(60, QLatin1Char('#'));

std::vector<int> ReadStepsOf(int Selector) {
    if (Selector == disAll)
        return {disHardwareRange,  disResponseTime,   disThreshold,   disCaptureLevel,    disLogicOneLevel,
                disLineBreakLevel, disLineBreakCheck, disTemperature, disPhysicalChannel, disSeparationLevel};
    if (Selector >= disHardwareRange && Selector <= disCaptureLevel && Selector != 5)
        return {Selector};
    return {};
}

std::vector<int> WriteStepsOf(int Selector) {
    if (Selector == disAll)
        return {disHardwareRange, disResponseTime,   disThreshold,      disCaptureLevel,
                disLogicOneLevel, disLineBreakLevel, disLineBreakCheck, disPhysicalChannel};
    switch (Selector) {
    case disHardwareRange:
    case disResponseTime:
    case disThreshold:
    case disCaptureLevel:
    case disLogicOneLevel:
    case disLineBreakLevel:
    case disLineBreakCheck:
    case disPhysicalChannel:
        return {Selector};
    default:
        return {};
    }
}

} // namespace

std::vector<int> TDIChannel::SettingSteps(bool Write) {
    return Write ? WriteStepsOf(disAll) : ReadStepsOf(disAll);
}

TDIChannel::TDIChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index) : Index(Index), FModule(Module) {
    Accessor.Module = &Module->NerixModule();
    Accessor.ObjectNumber = ObjectNumber;
    Accessor.Fotmat = kLevelFormat;
}

QString TDIChannel::ReadStep(int Step) {
    const TChannelTexts& t = ChannelTexts();
    auto integer = [this](quint16 Property, qint32& Field, const QString& Text) -> QString {
        if (!Accessor.ReadPropertyAs(Property, dtInteger))
            return Text;
        const auto v = Accessor.GetAsInteger();
        if (!v)
            return Text;
        Field = *v;
        return {};
    };
    auto real = [this](quint16 Property, float& Field, const QString& Text) -> QString {
        if (!Accessor.ReadPropertyAs(Property, dtSingle))
            return Text;
        Field = Accessor.GetAsFloat();
        return {};
    };
    switch (Step) {
    case disHardwareRange:
        return integer(diHardwareRange, HardwareRange, t.ReadHardwareRange);
    case disResponseTime:
        return integer(diResponseTime, ResponseTime, t.ReadResponseTime);
    case disThreshold:
        return real(diLevel, Threshold, t.ReadThreshold);
    case disCaptureLevel:
        return integer(diLevel, CaptureLevel, t.ReadCaptureLevel);
    case disLogicOneLevel:
        return real(diLogicOneLevel, LogicOneLevel, t.ReadLogicOneLevel);
    case disLineBreakLevel:
        return real(diLineBreakLevel, LineBreakLevel, t.ReadLineBreakLevel);
    case disLineBreakCheck:
        return integer(diLineBreakCheck, LineBreakCheck, t.ReadLineBreakCheck);
    case disTemperature:
        return real(diTemperature, Temperature, t.ReadTemperature);
    case disPhysicalChannel:
        return integer(diPhysicalChannel, PhysicalChannel, t.ReadPhysicalChannel);
    case disSeparationLevel:
        return real(diSeparationLevel, SeparationLevel, t.ReadSeparationLevel);
    default:
        return {};
    }
}

bool TDIChannel::ReadSettings(int Selector, QString& ErrorText) {
    return RunSettingSteps(ReadStepsOf(Selector), FModule->Ok, ErrorText,
                           [this](int Step) { return ReadStep(Step); });
}

QString TDIChannel::WriteStep(int Step) {
    const TChannelTexts& t = ChannelTexts();
    // A level that is no finite number has no place in the device: the step fails before anything
    // is sent.
    auto real = [this](quint16 Property, float Value, const QString& Text) -> QString {
        return std::isfinite(Value) && Accessor.WritePropertyFloat(Property, Value) ? QString() : Text;
    };
    auto integer = [this](quint16 Property, qint32 Value, const QString& Text) -> QString {
        return Accessor.WritePropertyInteger(Property, Value) ? QString() : Text;
    };
    switch (Step) {
    case disHardwareRange:
        if (!Accessor.WritePropertyInteger(diUnlock, qint32(kUnlockCode)))
            return t.WriteHardwareRange;
        return integer(diHardwareRange, HardwareRange, t.WriteHardwareRange);
    case disResponseTime:
        return integer(diResponseTime, ResponseTime, t.WriteResponseTime);
    case disThreshold:
        return real(diLevel, Threshold, t.WriteThreshold);
    case disCaptureLevel:
        return integer(diLevel, CaptureLevel, t.WriteCaptureLevel);
    case disLogicOneLevel:
        return real(diLogicOneLevel, LogicOneLevel, t.WriteLogicOneLevel);
    case disLineBreakLevel:
        return real(diLineBreakLevel, LineBreakLevel, t.WriteLineBreakLevel);
    case disLineBreakCheck:
        return integer(diLineBreakCheck, LineBreakCheck != 0 ? 1 : 0, t.WriteLineBreakCheck);
    case disPhysicalChannel:
        return integer(diPhysicalChannel, PhysicalChannel, t.WritePhysicalChannel);
    default:
        return {};
    }
}

bool TDIChannel::WriteSettings(int Selector, QString& ErrorText) {
    FModule->Modified = true;
    return RunSettingSteps(WriteStepsOf(Selector), FModule->Ok, ErrorText,
                           [this](int Step) { return WriteStep(Step); });
}

bool TDIChannel::ReadState() {
    FModule->Ok = false;
    if (!Accessor.ReadPropertyAs(diState, dtInteger))
        return false;
    const auto v = Accessor.GetAsInteger();
    if (!v)
        return false;
    State = *v;
    FModule->Ok = true;
    return true;
}
