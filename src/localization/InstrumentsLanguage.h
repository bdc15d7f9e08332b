#pragma once

#include "localization/LanguageTables.h"

#include <vector>

// The virtual instruments of the emulator: the signal generator, the tester and the remote contact.
// clang-format off
#define DVV_INSTRUMENTS_TEXTS(X)                                                                                  \
    X(GeneratorCaption) X(GeneratorPoint) X(Device) X(Channel) X(SignalParameters) X(SignalLevel)                 \
    X(SignalNoiseLevel) X(NoiseLevel) X(GeneratorSignal) X(ChannelValue) X(TesterCaption) X(TesterPoint) X(Value) \
    X(ContactCaption) X(ContactPoint) X(RelayContact) X(OnOff) X(LineBreak) X(Address) X(Waveform) X(WaveLevel)   \
    X(WaveSine) X(WaveRamp) X(PeriodS) X(EmulatorStopped) X(NoDevices)
// clang-format on

struct TVirtualInstrumentsLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_INSTRUMENTS_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TVirtualInstrumentsLanguage::*>>& Fields();
};
using TVirtualInstrumentsLanguageLocalization = TLanguageLocalization<TVirtualInstrumentsLanguage>;
TVirtualInstrumentsLanguageLocalization& VirtualInstrumentsLanguage();
TTableReport CheckVirtualInstrumentsLanguageTable();
