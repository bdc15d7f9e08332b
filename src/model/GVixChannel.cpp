#include "model/GVixChannel.h"

#include "model/SensorChannelTexts.h"
#include "model/SensorProperty.h"
#include "model/ZUVOModule.h"

namespace {

enum TGVixProperty : quint16 {
    gpCoefficient1 = 1,
    gpCoefficient2 = 2,
    gpOutputValue = 3,
    gpNormalizationOn = 4,
    gpOutputRange = 5,
    gpConversionIndex = 6,
    gpConversionEntry = 7,
    gpCommand = 8,
};

} // namespace

namespace sp = SensorProperty;

TGVixChannel::TGVixChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index)
    : TCustomZUVOChannel(Module, ObjectNumber, Index) {
    Accessor.ObjectNumber = kObject;
    Accessor.Fotmat = sp::SettingsFormat();
}

std::vector<int> TGVixChannel::ReadSteps(int Selector) const {
    switch (Selector) {
    case gvAll:
        return {gvNormalizationOn, gvOutputRange, gvConversionRanges};
    case gvNormalizationOn:
    case gvOutputRange:
    case gvConversionRanges:
        return {Selector};
    default:
        return {};
    }
}

std::vector<int> TGVixChannel::WriteSteps(int Selector) const {
    switch (Selector) {
    case gvAll:
        return {gvCoefficients, gvNormalizationOn, gvOutputValue, gvOutputRange, gvConversionRanges};
    case gvNormalizationOn:
    case gvCoefficients:
    case gvOutputValue:
    case gvOutputRange:
    case gvConversionRanges:
    case gvCommand:
        return {Selector};
    default:
        return {};
    }
}

bool TGVixChannel::ReadSettings(int Selector, QString& ErrorText) {
    const auto steps = ReadSteps(Selector);
    if (steps.empty()) {
        ErrorText.clear();
        Module()->Ok = false;
        return false;
    }
    return RunSettingSteps(steps, Module()->Ok, ErrorText, [this](int step) { return ReadStep(step); });
}

bool TGVixChannel::WriteSettings(int Selector, QString& ErrorText) {
    const auto steps = WriteSteps(Selector);
    if (steps.empty()) {
        ErrorText.clear();
        Module()->Ok = false;
        return false;
    }
    const bool ok =
        RunSettingSteps(steps, Module()->Ok, ErrorText, [this](int step) { return WriteStep(step); });
    // Whatever reached the device is not in its flash yet.
    if (ok)
        Module()->Modified = true;
    return ok;
}

QString TGVixChannel::ReadStep(int Selector) {
    const TSensorChannelTexts& t = SensorChannelTexts();
    switch (Selector) {
    case gvNormalizationOn: {
        // Only 1 switches normalization on; the device uses other values for states of its own.
        qint32 v = 0;
        if (!sp::ReadInteger(Accessor, gpNormalizationOn, v))
            return t.GVixReadNormalization;
        NormalizationOn = v == 1;
        return {};
    }
    case gvOutputRange:
        return sp::ReadInteger(Accessor, gpOutputRange, OutputRangeCode) ? QString() : t.GVixReadOutputRange;
    case gvConversionRanges:
        for (int i = 0; i < int(ConversionRange.size()); ++i) {
            if (!sp::WriteInteger(Accessor, gpConversionIndex, i) ||
                !sp::ReadFloat(Accessor, gpConversionEntry, ConversionRange[size_t(i)]))
                return t.GVixReadConversionRanges;
        }
        return {};
    default:
        return {};
    }
}

QString TGVixChannel::WriteStep(int Selector) {
    const TSensorChannelTexts& t = SensorChannelTexts();
    switch (Selector) {
    case gvCoefficients: {
        const bool first = sp::WriteFloat(Accessor, gpCoefficient1, NormCoefficient1);
        const bool second = first && sp::WriteFloat(Accessor, gpCoefficient2, NormCoefficient2);
        return second ? QString() : t.GVixWriteCoefficients;
    }
    case gvNormalizationOn:
        return sp::WriteBoolean(Accessor, gpNormalizationOn, NormalizationOn) ? QString()
                                                                              : t.GVixWriteNormalization;
    case gvOutputValue:
        return sp::WriteFloat(Accessor, gpOutputValue, OutputValue) ? QString() : t.GVixWriteOutput;
    case gvOutputRange:
        return sp::WriteInteger(Accessor, gpOutputRange, OutputRangeCode) ? QString()
                                                                          : t.GVixWriteOutputRange;
    case gvConversionRanges:
        for (int i = 0; i < int(ConversionRange.size()); ++i) {
            if (!sp::WriteInteger(Accessor, gpConversionIndex, i) ||
                !sp::WriteFloat(Accessor, gpConversionEntry, ConversionRange[size_t(i)]))
                return t.GVixWriteConversionRanges;
            // The entry keeps what was sent, as the value text holds it.
            ConversionRange[size_t(i)] = Accessor.GetAsFloat();
        }
        return {};
    case gvCommand:
        return sp::WriteInteger(Accessor, gpCommand, 0) ? QString() : t.GVixWriteCommand;
    default:
        return {};
    }
}
