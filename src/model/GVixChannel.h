#pragma once

#include "model/CustomZUVOChannel.h"

#include <array>

// Selectors of TGVixChannel::ReadSettings / WriteSettings.
enum TGVixSelector : int {
    gvNormalizationOn = 0,
    gvCoefficients = 1, // write only
    gvOutputValue = 2,  // write only
    gvOutputRange = 3,
    gvConversionRanges = 4,
    gvCommand = 5, // write only, never part of gvAll
    gvAll = 6,     // read: 0, 3, 4; write: 1, 0, 2, 3, 4
};

// The GVix protection unit of KVD-A-VIX: the module's extra channel. Whatever object it is created
// for, it talks to object 2, where the device keeps the unit.
class TGVixChannel : public TCustomZUVOChannel {
public:
    static constexpr quint8 kObject = 2;
    // The conversion range's four entries, chosen by writing the index to property 6.
    enum TConversionEntry { ceInputStart, ceInputStop, ceOutputStart, ceOutputStop };

    TGVixChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index);

    float OutputValue = 0;
    bool NormalizationOn = false;
    float NormCoefficient1 = 0;
    float NormCoefficient2 = 0;
    std::array<float, 4> ConversionRange{};
    qint32 OutputRangeCode = 0;

    // The steps a configuration backup reads and a restore writes back: those that a read fills.
    // The coefficients are only ever written and the output value is the unit's live output, so
    // neither is part of a configuration.
    static std::vector<int> ConfigurationSteps() {
        return {gvNormalizationOn, gvOutputRange, gvConversionRanges};
    }

    // Both return the module's Ok; ErrorText is the first failing step's text, empty on success.
    bool ReadSettings(int Selector, QString& ErrorText) override;
    bool WriteSettings(int Selector, QString& ErrorText) override;

private:
    QString ReadStep(int Selector) override;
    QString WriteStep(int Selector) override;
    std::vector<int> ReadSteps(int Selector) const override;
    std::vector<int> WriteSteps(int Selector) const override;
};
