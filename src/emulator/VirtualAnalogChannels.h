#pragma once

#include "emulator/VirtualChannel.h"
#include "measurement/LPFilter.h"
#include "model/Ranges.h"

#include <QtGlobal>

// The settings of an analog input that Store keeps in flash. Reserved is a further coefficient the
// devices keep that no register reaches; it still travels with the block.
struct TVirtualAISettings {
    float A0 = 0.0f;
    float A1 = 1.0f;
    float A2 = 0.0f;
    float Reserved = 10.0f;
    float C1 = 1.0f;
    float C2 = 1.0f;
    bool PolynomialEnabled = false;
    quint16 RangeCode = 0;

    bool operator==(const TVirtualAISettings&) const = default;
};

// An emulated analog input. Its output follows the simulated input through the calibration
// polynomial (when enabled) and a two-stage low-pass filter; it changes only when the input is set.
class TCustomVirtualChannelAI : public TCustomVirtualChannel {
public:
    // The cutoff a new channel smooths with.
    static constexpr double kInitialCutoff = 5.0;

    TCustomVirtualChannelAI(TVirtualDevice* Device, quint8 Number);

    float Fs() const { return FFs; }
    bool Enabled() const { return FEnabled; }
    quint16 RangeCode() const { return FSettings.RangeCode; }
    const TVirtualAISettings& Settings() const { return FSettings; }
    const TVirtualAISettings& FlashCopy() const { return FFlash; }
    const TRangeList& Ranges() const { return FRanges; }
    quint8 RangeSelector() const { return FRangeSelector; }
    quint8 RangeIndex() const { return FRangeIndex; }
    const TLPFilter& Filter() const { return FFilter; }
    // The filter's cutoff in Hz, as register 3 reads it.
    float Cutoff() const;

    void Store() override { FFlash = FSettings; }
    void Restore() override { FSettings = FFlash; }

protected:
    std::optional<quint32> ReadRegister(quint16 Register) override;
    bool WriteRegister(quint16 Register, quint32 Value) override;
    // The auxiliary coefficients (registers 40 and 41); the eight-channel module has none.
    virtual bool HasAuxCoefficients() const { return true; }

private:
    void InputChanged();

    float FFs = 170.0f;
    bool FEnabled = true;
    quint8 FRangeSelector = 0;
    quint8 FRangeIndex = 0;
    TRangeList FRanges;
    TLPFilter FFilter;
    TVirtualAISettings FSettings;
    TVirtualAISettings FFlash;
};

class TVirtualAIChannel : public TCustomVirtualChannelAI {
public:
    using TCustomVirtualChannelAI::TCustomVirtualChannelAI;
};

class TVirtualAI8Channel : public TCustomVirtualChannelAI {
public:
    using TCustomVirtualChannelAI::TCustomVirtualChannelAI;

protected:
    bool HasAuxCoefficients() const override { return false; }
};

// An emulated analog output: register 0 holds whatever 32 bits a client wrote last, which the
// tester window shows as a float.
class TCustomVirtualChannelAO : public TCustomVirtualChannel {
public:
    TCustomVirtualChannelAO(TVirtualDevice* Device, quint8 Number);

    bool Enabled() const { return FEnabled; }
    quint16 RangeCode() const { return FRangeCode; }
    quint16 FlashRangeCode() const { return FFlashRangeCode; }
    const TRangeList& Ranges() const { return FRanges; }
    quint8 RangeSelector() const { return FRangeSelector; }
    quint8 RangeIndex() const { return FRangeIndex; }

    void Store() override { FFlashRangeCode = FRangeCode; }
    void Restore() override { FRangeCode = FFlashRangeCode; }

protected:
    std::optional<quint32> ReadRegister(quint16 Register) override;
    bool WriteRegister(quint16 Register, quint32 Value) override;

private:
    bool FEnabled = true;
    quint8 FRangeSelector = 0;
    quint8 FRangeIndex = 0;
    TRangeList FRanges;
    quint8 FRegister16 = 0; // what register 16 reads: the devices report 0 here
    quint16 FRangeCode = 0;
    quint16 FFlashRangeCode = 0;
};

class TVirtualAOChannel : public TCustomVirtualChannelAO {
public:
    using TCustomVirtualChannelAO::TCustomVirtualChannelAO;
};
