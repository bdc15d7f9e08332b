#pragma once

#include "localization/LanguageTables.h"

#include <vector>

// The two discrete input/output manager windows.
// clang-format off
#define DVV_DIO_MANAGER_TEXTS(X)                                                                                  \
    X(Caption) X(SafeMode) X(DiscreteOutput) X(DiscreteInput) X(AllTo0) X(AllTo1) X(Auto) X(Set) X(Refresh)        \
    X(ToFlash) X(Channel) X(Status) X(AdditionalInfo) X(Temperature) X(Close) X(On) X(Off) X(OnUpper) X(OffUpper)  \
    X(ChannelFault) X(ContactClosed) X(LogicalOne) X(ContactOpened) X(LogicalZero) X(LineBreak) X(ShortCircuit)
// clang-format on

struct TDIDC_ExtChannelUnitLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_DIO_MANAGER_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TDIDC_ExtChannelUnitLanguage::*>>& Fields();
};

using TDIOManagerLanguageLocalization = TLanguageLocalization<TDIDC_ExtChannelUnitLanguage>;
TDIOManagerLanguageLocalization& DIOManagerLanguage();
std::vector<TTableReport> CheckDIOManagerLanguageTables();

// The system health controller windows.
// clang-format off
#define DVV_HEALTH_CTRL_TEXTS(X)                                                                                  \
    X(Caption) X(DeviceAddress) X(BaudRate) X(TimeoutS) X(TimeoutMs) X(ResetCondition) X(DOStates) X(DOMask)      \
    X(Cancel) X(Apply) X(Module) X(Channel) X(ErrorReading) X(ErrorWriting) X(TimeoutPositive) X(AnyData)         \
    X(CallToModule) X(DiscreteOutput) X(FrequencyOutput) X(AnalogOutput) X(BadValue) X(WriteFailedAt)         \
    X(Value) X(InputValue) X(SelectDO) X(UnSelectDO) X(SelectFO) X(UnSelectFO) X(SelectAll) X(UnSelectAll)
// clang-format on

struct TIntactnessControllerDOFLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_HEALTH_CTRL_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TIntactnessControllerDOFLanguage::*>>& Fields();
};
using THealthCtrlLanguageLocalization = TLanguageLocalization<TIntactnessControllerDOFLanguage>;
THealthCtrlLanguageLocalization& HealthCtrlLanguage();
