#pragma once

#include "model/CustomZUVOChannel.h"

#include <array>
#include <optional>

// Selectors of TFotoSensorChannel::ReadSettings / WriteSettings. pssAll reads in the order 0, 13,
// 1, 11, 2, 6, 3, 4, 5, 9, 8, 12, 7 and writes in the order 0, 13, 1, 11, 2, 3, 5, 10, 8, 12, 7.
enum TFotoSensorSelector : int {
    pssFilterCutoff = 0,
    pssDetectorTimeConstant = 1,
    pssDACCode = 2,
    pssRegulatorOn = 3,
    pssADCVoltage = 4, // read only
    pssHPFCutoff = 5,
    pssChannelTemperature = 6, // read only
    pssPolynomial = 7,
    pssPolynomialOn = 8,
    pssADCCode = 9,           // read only
    pssNormCoefficients = 10, // write only
    pssJumpLevel = 11,
    pssRecoveryCyclesCount = 12,
    pssFilterCutoff2 = 13,
    pssAll = 14,
};

// A photosensor channel of KVD-FLAME-BUS with detectors (objects 1 and 2). Properties 0 and 1 are
// its two measured results.
class TFotoSensorChannel : public TCustomZUVOChannel {
public:
    TFotoSensorChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index);

    float HPFCutoff = 0;     // high-pass cut-off, Hz
    float FilterCutoff = 0;  // low-pass filter 1 cut-off, Hz
    float FilterCutoff2 = 0; // low-pass filter 2 cut-off, Hz
    float DetectorTimeConstant = 0;
    float JumpLevel = 0; // µA
    quint8 RecoveryCyclesCount = 0;
    float DACCode = 0;
    float ChannelTemperature = 0;
    bool RegulatorOn = false; // the current regulator of the sensor supply
    float ADCVoltage = 0;
    bool PolynomialOn = false;
    // The device keeps the coefficients from the highest index down: the first value it gives is
    // entry 5.
    std::array<float, 6> Polynomial{};
    float ADCCode = 0;
    // The device never tells them: each is written only once someone has set it, so that writing
    // all settings cannot put zeros over the device's own coefficients.
    std::optional<float> NormCoefficient1;
    std::optional<float> NormCoefficient2;

    // The steps of a configuration: every step a read of all settings makes (Write false), and of
    // those the ones a configuration writes back (Write true). The normalisation coefficients are
    // not among them: the device never tells them, so no configuration holds them.
    static std::vector<int> ConfigurationSteps(bool Write);

    // Both return the module's Ok; ErrorText is the first failing step's text, empty on success.
    bool ReadSettings(int Selector, QString& ErrorText) override;
    bool WriteSettings(int Selector, QString& ErrorText) override;

    // The measured results (properties 0 and 1); 0 when the transfer fails. Ok is the outcome.
    float ReadResult();
    float ReadAmplitude();

private:
    QString ReadStep(int Selector) override;
    QString WriteStep(int Selector) override;
    std::vector<int> ReadSteps(int Selector) const override;
    std::vector<int> WriteSteps(int Selector) const override;
};
