#include "model/FotoSensorChannel.h"

#include "model/SensorChannelTexts.h"
#include "model/SensorProperty.h"
#include "model/ZUVOModule.h"

namespace sp = SensorProperty;

namespace {

enum TFotoSensorProperty : quint16 {
    ppResult = 0,
    ppAmplitude = 1,
    ppFilterCutoff = 2,
    ppDetectorTimeConstant = 3,
    ppDACCode = 4,
    ppChannelTemperature = 5,
    ppRegulatorOn = 6,
    ppADCVoltage = 7,
    ppHPFCutoff = 8,
    ppPolynomialOn = 9,
    ppPolynomialStart = 10,
    ppPolynomial = 11,
    ppADCCode = 14,
    ppNormCoefficient1 = 15,
    ppNormCoefficient2 = 16,
    ppJumpLevel = 17,
    ppFilterCutoff2 = 19,
    ppRecoveryCyclesCount = 20,
};

QString Step(bool Ok, const QString& FailText) {
    return Ok ? QString() : FailText;
}

std::vector<int> StepsOf(int Selector, int All, const std::vector<int>& Order) {
    if (Selector == All)
        return Order;
    for (int step : Order)
        if (step == Selector)
            return {step};
    return {};
}

} // namespace

TFotoSensorChannel::TFotoSensorChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index)
    : TCustomZUVOChannel(Module, ObjectNumber, Index) {
    Accessor.Fotmat = sp::SettingsFormat();
}

std::vector<int> TFotoSensorChannel::ReadSteps(int Selector) const {
    static const std::vector<int> order{pssFilterCutoff, pssFilterCutoff2, pssDetectorTimeConstant,
                                        pssJumpLevel,    pssDACCode,       pssChannelTemperature,
                                        pssRegulatorOn,  pssADCVoltage,    pssHPFCutoff,
                                        pssADCCode,      pssPolynomialOn,  pssRecoveryCyclesCount,
                                        pssPolynomial};
    return StepsOf(Selector, pssAll, order);
}

std::vector<int> TFotoSensorChannel::WriteSteps(int Selector) const {
    static const std::vector<int> order{pssFilterCutoff,        pssFilterCutoff2,    pssDetectorTimeConstant,
                                        pssJumpLevel,           pssDACCode,          pssRegulatorOn,
                                        pssHPFCutoff,           pssNormCoefficients, pssPolynomialOn,
                                        pssRecoveryCyclesCount, pssPolynomial};
    return StepsOf(Selector, pssAll, order);
}

bool TFotoSensorChannel::ReadSettings(int Selector, QString& ErrorText) {
    Accessor.ChannelDirection = cdInput;
    return RunSettingSteps(ReadSteps(Selector), Module()->Ok, ErrorText,
                           [this](int step) { return ReadStep(step); });
}

bool TFotoSensorChannel::WriteSettings(int Selector, QString& ErrorText) {
    // Marked before anything is sent: a write that fails half-way may still have changed the device.
    Module()->Modified = true;
    Accessor.ChannelDirection = cdOutput;
    return RunSettingSteps(WriteSteps(Selector), Module()->Ok, ErrorText,
                           [this](int step) { return WriteStep(step); });
}

float TFotoSensorChannel::ReadResult() {
    float v = 0;
    Module()->Ok = sp::ReadFloat(Accessor, ppResult, v);
    return Module()->Ok ? v : 0.0f;
}

float TFotoSensorChannel::ReadAmplitude() {
    float v = 0;
    Module()->Ok = sp::ReadFloat(Accessor, ppAmplitude, v);
    return Module()->Ok ? v : 0.0f;
}

QString TFotoSensorChannel::ReadStep(int Selector) {
    const TSensorChannelTexts& t = SensorChannelTexts();
    TNerixChannel& a = Accessor;
    switch (Selector) {
    case pssFilterCutoff:
        return Step(sp::ReadFloat(a, ppFilterCutoff, FilterCutoff), t.FotoReadFilterCutoff);
    case pssFilterCutoff2:
        return Step(sp::ReadFloat(a, ppFilterCutoff2, FilterCutoff2), t.FotoReadFilterCutoff2);
    case pssDetectorTimeConstant:
        return Step(sp::ReadFloat(a, ppDetectorTimeConstant, DetectorTimeConstant), t.FotoReadTimeConstant);
    case pssJumpLevel:
        return Step(sp::ReadFloat(a, ppJumpLevel, JumpLevel), t.FotoReadJumpLevel);
    case pssDACCode:
        return Step(sp::ReadFloat(a, ppDACCode, DACCode), t.FotoReadDACCode);
    case pssChannelTemperature:
        return Step(sp::ReadFloat(a, ppChannelTemperature, ChannelTemperature), t.FotoReadTemperature);
    case pssRegulatorOn:
        return Step(sp::ReadBoolean(a, ppRegulatorOn, RegulatorOn), t.FotoReadRegulator);
    case pssADCVoltage:
        return Step(sp::ReadFloat(a, ppADCVoltage, ADCVoltage), t.FotoReadRegulator);
    case pssHPFCutoff:
        return Step(sp::ReadFloat(a, ppHPFCutoff, HPFCutoff), t.FotoReadHPFCutoff);
    case pssADCCode:
        return Step(sp::ReadFloat(a, ppADCCode, ADCCode), t.FotoReadADCCode);
    case pssPolynomialOn:
        return Step(sp::ReadBoolean(a, ppPolynomialOn, PolynomialOn), t.FotoReadPolynomialOn);
    case pssRecoveryCyclesCount: {
        qint32 v = 0;
        if (!sp::ReadInteger(a, ppRecoveryCyclesCount, v))
            return t.FotoReadRecoveryCycles;
        RecoveryCyclesCount = quint8(quint32(v));
        return {};
    }
    case pssPolynomial:
        if (!sp::WriteInteger(a, ppPolynomialStart, 0))
            return t.FotoReadPolynomial;
        // The device gives the coefficients from the highest index down.
        for (int k = 0; k < int(Polynomial.size()); ++k)
            if (!sp::ReadFloat(a, ppPolynomial, Polynomial[Polynomial.size() - 1 - size_t(k)]))
                return t.FotoReadPolynomial;
        return {};
    default:
        return {};
    }
}

QString TFotoSensorChannel::WriteStep(int Selector) {
    const TSensorChannelTexts& t = SensorChannelTexts();
    TNerixChannel& a = Accessor;
    switch (Selector) {
    case pssFilterCutoff:
        return Step(sp::WriteFloat(a, ppFilterCutoff, FilterCutoff), t.FotoWriteFilterCutoff);
    case pssFilterCutoff2:
        return Step(sp::WriteFloat(a, ppFilterCutoff2, FilterCutoff2), t.FotoWriteFilterCutoff2);
    case pssDetectorTimeConstant:
        return Step(sp::WriteFloat(a, ppDetectorTimeConstant, DetectorTimeConstant), t.FotoWriteTimeConstant);
    case pssJumpLevel:
        return Step(sp::WriteFloat(a, ppJumpLevel, JumpLevel), t.FotoWriteJumpLevel);
    case pssDACCode:
        return Step(sp::WriteFloat(a, ppDACCode, DACCode), t.FotoWriteDACCode);
    case pssRegulatorOn:
        return Step(sp::WriteBoolean(a, ppRegulatorOn, RegulatorOn), t.FotoWriteRegulator);
    case pssHPFCutoff:
        return Step(sp::WriteFloat(a, ppHPFCutoff, HPFCutoff), t.FotoWriteHPFCutoff);
    case pssNormCoefficients: {
        const bool first = !NormCoefficient1 || sp::WriteFloat(a, ppNormCoefficient1, *NormCoefficient1);
        const bool second =
            first && (!NormCoefficient2 || sp::WriteFloat(a, ppNormCoefficient2, *NormCoefficient2));
        return Step(second, t.FotoWriteNormCoefficients);
    }
    case pssPolynomialOn:
        return Step(sp::WriteBoolean(a, ppPolynomialOn, PolynomialOn), t.FotoWritePolynomialOn);
    case pssRecoveryCyclesCount:
        return Step(sp::WriteInteger(a, ppRecoveryCyclesCount, RecoveryCyclesCount),
                    t.FotoWriteRecoveryCycles);
    case pssPolynomial:
        if (!sp::WriteInteger(a, ppPolynomialStart, 0))
            return t.SetLevels;
        for (size_t k = 0; k < Polynomial.size(); ++k)
            if (!sp::WriteFloat(a, ppPolynomial, Polynomial[Polynomial.size() - 1 - k]))
                return t.SetLevels;
        return {};
    default:
        return {};
    }
}

std::vector<int> TFotoSensorChannel::ConfigurationSteps(bool Write) {
    if (!Write)
        return {pssFilterCutoff, pssFilterCutoff2, pssDetectorTimeConstant,
                pssJumpLevel,    pssDACCode,       pssChannelTemperature,
                pssRegulatorOn,  pssADCVoltage,    pssHPFCutoff,
                pssADCCode,      pssPolynomialOn,  pssRecoveryCyclesCount,
                pssPolynomial};
    return {
        pssFilterCutoff, pssFilterCutoff2, pssDetectorTimeConstant, pssJumpLevel,           pssDACCode,
        pssRegulatorOn,  pssHPFCutoff,     pssPolynomialOn,         pssRecoveryCyclesCount, pssPolynomial};
}
