#pragma once

#include "localization/LanguageTables.h"

#include <vector>

// The flame controller window, its tolerance levels dialog and the photosensor channel window.
// clang-format off
#define DVV_FLAME_FORM_TEXTS(X)                                                                                  \
    X(Caption) X(Module) X(DeviceAddress) X(Measurements) X(AC) X(DC) X(ACMax) X(Version) X(Status)             \
    X(StatusNoLink1) X(StatusNoLink2) X(StatusSurge) X(StatusOverload) X(SetPoints) X(ACLevel) X(DCLevel)        \
    X(RelayLags) X(RelayK1) X(RelayK2) X(RelayK3) X(RelayK4) X(Algorithm) X(DimmingRelayOff) X(AutoRestart)      \
    X(IndicationOff) X(Channel1Off) X(Channel2Off) X(Relays) X(ManualControl) X(RelayState) X(Levels)           \
    X(LevelsCaption) X(Level) X(AnalogOutput) X(AOSource) X(SourceAC) X(SourceDC) X(SourceOther) X(InputStart)  \
    X(InputStop) X(OutputStart) X(OutputStop) X(Apply) X(Set) X(Restart) X(ZeroCorrection) X(Refresh) X(Start)  \
    X(Stop) X(Close) X(Ok) X(Cancel) X(NotANumber) X(NotALag) X(RetryWrite) X(SwitchFailed) X(RestartSent)      \
    X(ZeroCorrected) X(RelayNotRead)

#define DVV_FOTO_FORM_TEXTS(X)                                                                                   \
    X(Caption) X(Module) X(DeviceAddress) X(Settings) X(HPFCutoff) X(FilterCutoff) X(FilterCutoff2)              \
    X(TimeConstant) X(JumpLevel) X(RecoveryCycles) X(DACCode) X(RegulatorOn) X(PolynomialOn) X(Polynomial)      \
    X(NormCoefficients) X(NormCoefficient1) X(NormCoefficient2) X(NotWritten) X(Values) X(Temperature)          \
    X(ADCVoltage) X(ADCCode) X(Result) X(Amplitude) X(Read) X(Write) X(Start) X(Stop) X(Close) X(NotANumber)    \
    X(NotACount) X(Written) X(NoAnswer)
// clang-format on

struct TFlameChannelFormLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_FLAME_FORM_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TFlameChannelFormLanguage::*>>& Fields();
};
using TFlameChannelFormLanguageLocalization = TLanguageLocalization<TFlameChannelFormLanguage>;
TFlameChannelFormLanguageLocalization& FlameChannelFormLanguage();

struct TFotoSensorChannelFormLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_FOTO_FORM_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TFotoSensorChannelFormLanguage::*>>& Fields();
};
using TFotoSensorChannelFormLanguageLocalization = TLanguageLocalization<TFotoSensorChannelFormLanguage>;
TFotoSensorChannelFormLanguageLocalization& FotoSensorChannelFormLanguage();

std::vector<TTableReport> CheckFlameLanguageTables();
