#include "model/FlameChannel.h"

#include "model/SensorChannelTexts.h"
#include "model/SensorProperty.h"
#include "model/ZUVOModule.h"

namespace sp = SensorProperty;

namespace {

enum TFlameProperty : quint16 {
    fpDCLevel = 0,
    fpAlgorithm = 1,
    fpACLevel = 2,
    fpACMax = 3,
    fpDOMask = 4,
    fpVersion = 5,
    fpRestart = 6,
    fpStatus = 7,
    fpZeroCorrection = 8,
    fpIndication = 9,
    fpAC = 10,
    fpDC = 11,
    fpLevelsStart = 12,
    fpLevels = 13,
    fpRelayLagsStart = 14,
    fpRelayLags = 15,
    fpChannelEnabled = 16,
    fpAOSource = 19,
    fpAOConversionStart = 20,
    fpAOConversion = 21,
};

// An integer property into a narrower field: the device keeps these in the low bits.
template <class T> bool ReadNarrow(TNerixChannel& Accessor, quint16 Property, T& Field) {
    qint32 v = 0;
    if (!sp::ReadInteger(Accessor, Property, v))
        return false;
    Field = T(quint32(v));
    return true;
}

// Writing 0 to Start points the device at the first entry of a list; each transfer of Property then
// moves on to the next one.
template <class T, size_t N>
bool ReadList(TNerixChannel& Accessor, quint16 Start, quint16 Property, std::array<T, N>& List) {
    if (!sp::WriteInteger(Accessor, Start, 0))
        return false;
    for (T& item : List) {
        bool ok = false;
        if constexpr (std::is_same_v<T, float>)
            ok = sp::ReadFloat(Accessor, Property, item);
        else
            ok = ReadNarrow(Accessor, Property, item);
        if (!ok)
            return false;
    }
    return true;
}

template <class T, size_t N>
bool WriteList(TNerixChannel& Accessor, quint16 Start, quint16 Property, const std::array<T, N>& List) {
    if (!sp::WriteInteger(Accessor, Start, 0))
        return false;
    for (const T& item : List) {
        bool ok = false;
        if constexpr (std::is_same_v<T, float>)
            ok = sp::WriteFloat(Accessor, Property, item);
        else
            ok = sp::WriteInteger(Accessor, Property, qint32(item));
        if (!ok)
            return false;
    }
    return true;
}

QString Step(bool Ok, const QString& FailText) {
    return Ok ? QString() : FailText;
}

} // namespace

TFlameChannel::TFlameChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index)
    : TCustomZUVOChannel(Module, ObjectNumber, Index) {
    Accessor.Fotmat = sp::SettingsFormat();
}

std::vector<int> TFlameChannel::ReadSteps(int Selector) const {
    static const std::vector<int> all{fcsACLevel, fcsACMax,      fcsDCLevel,        fcsAlgorithm,   fcsDOMask,
                                      fcsVersion, fcsRelayLags,  fcsStatus,         fcsAC,          fcsDC,
                                      fcsLevels,  fcsIndication, fcsChannelEnabled, fcsAnalogOutput};
    if (Selector == fcsAll)
        return all;
    for (int step : all)
        if (step == Selector)
            return {step};
    return {};
}

std::vector<int> TFlameChannel::WriteSteps(int Selector) const {
    static const std::vector<int> all{fcsACLevel,    fcsDCLevel,        fcsAlgorithm,   fcsDOMask,
                                      fcsRestart,    fcsRelayLags,      fcsLevels,      fcsZeroCorrection,
                                      fcsIndication, fcsChannelEnabled, fcsAnalogOutput};
    if (Selector == fcsAll)
        return all;
    for (int step : all)
        if (step == Selector)
            return {step};
    return {};
}

bool TFlameChannel::ReadSettings(int Selector, QString& ErrorText) {
    Accessor.ChannelDirection = cdInput;
    return RunSettingSteps(ReadSteps(Selector), Module()->Ok, ErrorText,
                           [this](int step) { return ReadStep(step); });
}

bool TFlameChannel::WriteSettings(int Selector, QString& ErrorText) {
    // Marked before anything is sent: a write that fails half-way may still have changed the device.
    Module()->Modified = true;
    Accessor.ChannelDirection = cdOutput;
    return RunSettingSteps(WriteSteps(Selector), Module()->Ok, ErrorText,
                           [this](int step) { return WriteStep(step); });
}

QString TFlameChannel::ReadStep(int Selector) {
    const TSensorChannelTexts& t = SensorChannelTexts();
    TNerixChannel& a = Accessor;
    switch (Selector) {
    case fcsACLevel:
        return Step(sp::ReadFloat(a, fpACLevel, ACLevel), t.FlameReadACLevel);
    case fcsACMax:
        return Step(sp::ReadFloat(a, fpACMax, ACMax), t.FlameReadACMax);
    case fcsDCLevel:
        return Step(sp::ReadFloat(a, fpDCLevel, DCLevel), t.FlameReadDCLevel);
    case fcsAlgorithm:
        return Step(ReadNarrow(a, fpAlgorithm, Algorithm), t.FlameReadAlgorithm);
    case fcsDOMask:
        return Step(ReadNarrow(a, fpDOMask, DOMask), t.FlameReadDOMask);
    case fcsVersion:
        return Step(ReadNarrow(a, fpVersion, Version), t.FlameReadVersion);
    case fcsRelayLags:
        return Step(ReadList(a, fpRelayLagsStart, fpRelayLags, RelayLags), t.FlameReadRelayLags);
    case fcsStatus:
        return Step(ReadNarrow(a, fpStatus, Status), t.FlameReadStatus);
    case fcsAC:
        return Step(sp::ReadFloat(a, fpAC, AC), t.FlameReadAC);
    case fcsDC:
        return Step(sp::ReadFloat(a, fpDC, DC), t.FlameReadDC);
    case fcsLevels:
        return Step(ReadList(a, fpLevelsStart, fpLevels, Levels), t.SetLevels);
    case fcsIndication:
        // The device's documentation gives this step the DC text.
        return Step(ReadNarrow(a, fpIndication, Indication), t.FlameReadDC);
    case fcsChannelEnabled:
        return Step(ReadNarrow(a, fpChannelEnabled, ChannelEnabled), t.FlameReadChannelEnabled);
    case fcsAnalogOutput:
        return Step(ReadNarrow(a, fpAOSource, AOSource) &&
                        ReadList(a, fpAOConversionStart, fpAOConversion, AOConversion),
                    t.FlameReadAOConversion);
    default:
        return {};
    }
}

QString TFlameChannel::WriteStep(int Selector) {
    const TSensorChannelTexts& t = SensorChannelTexts();
    TNerixChannel& a = Accessor;
    switch (Selector) {
    case fcsACLevel:
        return Step(sp::WriteFloat(a, fpACLevel, ACLevel), t.FlameWriteACLevel);
    case fcsDCLevel:
        return Step(sp::WriteFloat(a, fpDCLevel, DCLevel), t.FlameWriteDCLevel);
    case fcsAlgorithm:
        return Step(sp::WriteInteger(a, fpAlgorithm, Algorithm), t.FlameWriteAlgorithm);
    case fcsDOMask:
        return Step(sp::WriteInteger(a, fpDOMask, DOMask), t.FlameWriteDOMask);
    case fcsRestart:
        return Step(sp::WriteInteger(a, fpRestart, 1), t.FlameRestart);
    case fcsRelayLags:
        // The device's documentation names this failure as a read.
        return Step(WriteList(a, fpRelayLagsStart, fpRelayLags, RelayLags), t.FlameReadRelayLags);
    case fcsLevels:
        return Step(WriteList(a, fpLevelsStart, fpLevels, Levels), t.SetLevels);
    case fcsZeroCorrection:
        return Step(sp::WriteInteger(a, fpZeroCorrection, 0), t.FlameZeroCorrection);
    case fcsIndication:
        return Step(sp::WriteInteger(a, fpIndication, Indication), t.FlameWriteIndication);
    case fcsChannelEnabled:
        return Step(sp::WriteInteger(a, fpChannelEnabled, ChannelEnabled), t.FlameWriteChannelEnabled);
    case fcsAnalogOutput:
        return Step(sp::WriteInteger(a, fpAOSource, AOSource) &&
                        WriteList(a, fpAOConversionStart, fpAOConversion, AOConversion),
                    t.SetLevels);
    default:
        return {};
    }
}

std::vector<int> TFlameChannel::ConfigurationSteps(bool Write) {
    if (!Write)
        return {fcsACLevel, fcsACMax,      fcsDCLevel,        fcsAlgorithm,   fcsDOMask,
                fcsVersion, fcsRelayLags,  fcsStatus,         fcsAC,          fcsDC,
                fcsLevels,  fcsIndication, fcsChannelEnabled, fcsAnalogOutput};
    return {fcsACLevel, fcsDCLevel,    fcsAlgorithm,      fcsRelayLags,
            fcsLevels,  fcsIndication, fcsChannelEnabled, fcsAnalogOutput};
}
