#pragma once

#include "localization/LanguageTables.h"

#include <vector>

// The twelve-channel module's window: its signalling table and its analog input overview.
// clang-format off
#define DVV_AIK12_DLG_TEXTS(X)                                                                                   \
    X(Caption) X(InputsCaption) X(Module) X(DeviceAddress) X(ColChannel) X(ColValue) X(ColAlarm)                 \
    X(ColAlarmLow) X(ColAlarmHigh) X(ColRelay) X(ColRelayLow) X(ColRelayHigh) X(ColInput) X(ColRange)            \
    X(ColUnit) X(InputN) X(Temperature) X(RelayNormalState) X(Read) X(Write) X(Start) X(Stop) X(Close)           \
    X(NoAnswer) X(UnknownRange) X(Code) X(ReadFailed) X(WriteFailed) X(NotANumber) X(LowAboveHigh)              \
    X(NoInputs) X(OpenFailed)
// clang-format on

struct TAIK12DlgLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_AIK12_DLG_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TAIK12DlgLanguage::*>>& Fields();
};

using TAIK12DlgLanguageLocalization = TLanguageLocalization<TAIK12DlgLanguage>;
TAIK12DlgLanguageLocalization& AIK12DlgLanguage();
