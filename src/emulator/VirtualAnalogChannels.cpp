#include "emulator/VirtualAnalogChannels.h"

#include <QRandomGenerator>
#include <algorithm>
#include <bit>
#include <cmath>

namespace {

// Registers of the analog channels.
enum : quint16 {
    arOutput = 0,
    arRangeCode = 1,
    arEnabled = 2,
    arCutoff = 3,
    arPolynomialEnabled = 4,
    arTimeResponse = 5,
    arRangeCount = 14,
    arUnlock = 15,
    arAccuracyClass = 16,
    arA0 = 37,
    arA1 = 38,
    arA2 = 39,
    arC1 = 40,
    arC2 = 41,
    arRangeSelector = 48,
    arRangeField = 49,
    arTemperature = 50,
};

// Every range of an emulated list carries the same fields: attribute 1, coefficients 1.0 and 0.0.
void FillRanges(TRangeList& Ranges, std::initializer_list<quint16> Codes) {
    for (quint16 code : Codes)
        Ranges.AddRange(code, 1, 1.0f, 0.0f);
}

// Register 48: field number in byte 0 (the short record's four), range index in byte 1 (an entry of the
// list).
bool SelectRangeField(quint32 Value, const TRangeList& Ranges, quint8& Selector, quint8& Index) {
    const quint8 field = quint8(Value);
    const quint8 entry = quint8(Value >> 8);
    if (field >= kShortRangeFieldCount || entry >= Ranges.Count())
        return false;
    Selector = field;
    Index = entry;
    return true;
}

float AsFloat(quint32 Bits) {
    return std::bit_cast<float>(Bits);
}

quint32 Bits(float Value) {
    return std::bit_cast<quint32>(Value);
}

} // namespace

TCustomVirtualChannelAI::TCustomVirtualChannelAI(TVirtualDevice* Device, quint8 Number)
    : TCustomVirtualChannel(Device, Number, vkAnalogInput) {
    FillRanges(FRanges, {0, 6, 9, 48, 51, 55});
    FFilter.SetFilterOrder(2);
    FFilter.SetTimeResponse(0);
    // A new channel smooths at 5 Hz. The filter takes only 0.1 < Alfa <= 0.999, so the Alfa of the
    // cutoff is held inside that range rather than dropped: a dropped Alfa would leave the filter
    // unsmoothed while register 3 claimed the full half sampling rate.
    const double alfa = 1.0 - kInitialCutoff / (double(FFs) / 2);
    FFilter.SetAlfa(std::clamp(alfa, std::nextafter(0.1, 1.0), 0.999));
    FFlash = FSettings;
    OnInputChange = [this] { InputChanged(); };
}

float TCustomVirtualChannelAI::Cutoff() const {
    return float((1.0 - FFilter.Alfa()) * double(FFs) / 2);
}

void TCustomVirtualChannelAI::InputChanged() {
    const double x = Input();
    double y = x;
    if (FSettings.PolynomialEnabled)
        y = double(FSettings.A2) * x * x + double(FSettings.A1) * x + double(FSettings.A0);
    SetOutputFloat(float(FFilter.FilterSample(y)));
}

std::optional<quint32> TCustomVirtualChannelAI::ReadRegister(quint16 Register) {
    switch (Register) {
    case arOutput:
        return Output();
    case arRangeCode:
        return FSettings.RangeCode;
    case arEnabled:
        return FEnabled ? 1 : 0;
    case arCutoff:
        return Bits(Cutoff());
    case arPolynomialEnabled:
        return FSettings.PolynomialEnabled ? 1 : 0;
    case arTimeResponse:
        return FFilter.TimeResponse();
    case arRangeCount:
        return quint32(FRanges.Count());
    case arAccuracyClass:
        return 1;
    case arA0:
        return Bits(FSettings.A0);
    case arA1:
        return Bits(FSettings.A1);
    case arA2:
        return Bits(FSettings.A2);
    case arC1:
        if (!HasAuxCoefficients())
            return std::nullopt;
        return Bits(FSettings.C1);
    case arC2:
        if (!HasAuxCoefficients())
            return std::nullopt;
        return Bits(FSettings.C2);
    case arRangeField: {
        const TRangeRec* range = FRanges.Items(FRangeIndex);
        if (!range)
            return std::nullopt;
        const double value = RangeFieldValue(*range, FRangeSelector);
        return RangeFieldIsFloat(FRangeSelector) ? Bits(float(value)) : quint32(value);
    }
    case arTemperature:
        // The module's own temperature, a little restless like a real sensor.
        return Bits(25.0f + float(QRandomGenerator::global()->bounded(20)) / 100.0f);
    default:
        return std::nullopt;
    }
}

bool TCustomVirtualChannelAI::WriteRegister(quint16 Register, quint32 Value) {
    switch (Register) {
    case arRangeCode:
        if (!FRanges.HasCode(quint16(Value)))
            return false;
        FSettings.RangeCode = quint16(Value);
        MarkSettingsChanged();
        return true;
    case arEnabled:
        FEnabled = (Value & 1) != 0;
        return true;
    case arCutoff: {
        // Written as a float; NaN fails both comparisons and is refused with the rest.
        const float cutoff = AsFloat(Value);
        if (!(cutoff >= 0.5f && cutoff <= 50.0f))
            return false;
        FFilter.SetAlfa(1.0 - double(cutoff) / (double(FFs) / 2));
        return true;
    }
    case arPolynomialEnabled:
        FSettings.PolynomialEnabled = (Value & 1) != 0;
        MarkSettingsChanged();
        return true;
    case arTimeResponse:
        if (Value >= 255)
            return false;
        FFilter.SetTimeResponse(quint8(Value));
        return true;
    case arRangeCount:
    case arUnlock:
    case arAccuracyClass:
    case arRangeField:
        return true;
    case arA0:
    case arA1:
    case arA2: {
        float* target[] = {&FSettings.A0, &FSettings.A1, &FSettings.A2};
        *target[Register - arA0] = AsFloat(Value);
        MarkSettingsChanged();
        return true;
    }
    case arC1:
    case arC2:
        if (!HasAuxCoefficients())
            return false;
        (Register == arC1 ? FSettings.C1 : FSettings.C2) = AsFloat(Value);
        MarkSettingsChanged();
        return true;
    case arRangeSelector:
        return SelectRangeField(Value, FRanges, FRangeSelector, FRangeIndex);
    default:
        return false;
    }
}

TCustomVirtualChannelAO::TCustomVirtualChannelAO(TVirtualDevice* Device, quint8 Number)
    : TCustomVirtualChannel(Device, Number, vkAnalogOutput) {
    FillRanges(FRanges, {0, 6, 9, 149, 154, 157});
}

std::optional<quint32> TCustomVirtualChannelAO::ReadRegister(quint16 Register) {
    switch (Register) {
    case arOutput:
        return Output();
    case arRangeCode:
        return FRangeCode;
    case arEnabled:
        return FEnabled ? 1 : 0;
    case arRangeCount:
        return quint32(FRanges.Count());
    case arAccuracyClass:
        return FRegister16;
    case arRangeField: {
        const TRangeRec* range = FRanges.Items(FRangeIndex);
        if (!range)
            return std::nullopt;
        // The output modules number the fields without the attribute byte.
        switch (FRangeSelector) {
        case 0:
            return range->Code;
        case 1:
            return Bits(range->Coefficient1);
        case 2:
            return Bits(range->Coefficient2);
        default:
            return 0;
        }
    }
    default:
        return std::nullopt;
    }
}

bool TCustomVirtualChannelAO::WriteRegister(quint16 Register, quint32 Value) {
    switch (Register) {
    case arOutput:
        SetOutput(Value);
        return true;
    case arRangeCode:
        if (!FRanges.HasCode(quint16(Value)))
            return false;
        FRangeCode = quint16(Value);
        MarkSettingsChanged();
        return true;
    case arEnabled:
        FEnabled = (Value & 1) != 0;
        return true;
    case arRangeCount:
    case arUnlock:
    case arAccuracyClass:
    case arRangeField:
        return true;
    case arRangeSelector:
        return SelectRangeField(Value, FRanges, FRangeSelector, FRangeIndex);
    default:
        return false;
    }
}
