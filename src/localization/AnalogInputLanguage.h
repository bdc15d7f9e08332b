#pragma once

#include "localization/LanguageTables.h"

// The analog input channel window (shared by the analog input windows of every model) and its
// dialogs: range selection, filter parameters, LED limits, user polynomial, channel flags.
// clang-format off
#define DVV_AI_CHANNEL_TEXTS(X)                                                                                  \
    X(Module) X(Channel) X(DeviceAddress) X(BaudRate) X(ChannelSettings) X(InputParameter) X(Range)              \
    X(FilterFrequency) X(HzSuffix) X(ResponseTime) X(MsSuffix) X(ADC) X(UserPolynomial) X(ThermalCompensator)    \
    X(Indicator) X(Minimum) X(Maximum) X(Result) X(Generator) X(GeneratorHint) X(Format) X(FloatingPoint)        \
    X(IntegerType) X(TwoBytes) X(ThreeBytes) X(ByteOrder) X(Off) X(On) X(Flags) X(Start) X(Stop) X(FilterOff)    \
    X(Code) X(InputSwitch) X(BtnSelect) X(BtnFilter) X(BtnCoefficients) X(BtnSwitch) X(BtnLimits)               \
    X(BtnGenerator) X(Legend)
// clang-format on

struct TAIChannelLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_AI_CHANNEL_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TAIChannelLanguage::*>>& Fields();
};

// clang-format off
#define DVV_AI_INPUT_PARAM_TEXTS(X)                                                                              \
    X(Caption) X(InputParameter) X(Range) X(PossibleValues) X(Min) X(Max) X(Apply) X(Cancel)
// clang-format on

struct TAiInputParamLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_AI_INPUT_PARAM_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TAiInputParamLanguage::*>>& Fields();
};

// clang-format off
#define DVV_FILTER_PARAM_TEXTS(X)                                                                                \
    X(Caption) X(FilterFrequency) X(ResponseTime) X(DisableFilter) X(Apply) X(Cancel) X(MsgBadCutoff)            \
    X(MsgBadResponseTime)
// clang-format on

struct TFilterParamLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_FILTER_PARAM_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TFilterParamLanguage::*>>& Fields();
};

// clang-format off
#define DVV_AI_LED_LIMIT_TEXTS(X) X(Caption) X(Min) X(Max) X(Apply) X(Cancel) X(MsgMaxBelowMin)
// clang-format on

struct TAiLedLimitLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_AI_LED_LIMIT_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TAiLedLimitLanguage::*>>& Fields();
};

// MsgIncorrectValue: %1 the column's caption, %2 the point's.
// clang-format off
#define DVV_AI_USER_POLYNOM_TEXTS(X)                                                                             \
    X(Caption) X(Calibration) X(Point1) X(Point2) X(Point3) X(RawValue) X(MadeValue) X(GetValue) X(LockHint)     \
    X(MsgDataReadingError) X(MsgIncorrectValue) X(MsgIncorrectRaw) X(MsgIncorrectA) X(MsgIncorrectB)             \
    X(MsgIncorrectC) X(Apply) X(Cancel)
// clang-format on

struct TAiUserPolynomLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_AI_USER_POLYNOM_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TAiUserPolynomLanguage::*>>& Fields();
};

// clang-format off
#define DVV_AI_FLAGS_TEXTS(X)                                                                                    \
    X(Caption) X(DataFormat) X(ByteLayout) X(ThermoCompensation) X(UserPolynomial) X(Off) X(On) X(RmsPoints)     \
    X(Ok) X(Cancel) X(MsgBadRms)
// clang-format on

struct TAIFlagsLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_AI_FLAGS_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TAIFlagsLanguage::*>>& Fields();
};

using TAIChannelLanguageLocalization = TLanguageLocalization<TAIChannelLanguage>;
using TAiInputParamLanguageLocalization = TLanguageLocalization<TAiInputParamLanguage>;
using TFilterParamLanguageLocalization = TLanguageLocalization<TFilterParamLanguage>;
using TAiLedLimitLanguageLocalization = TLanguageLocalization<TAiLedLimitLanguage>;
using TAiUserPolynomLanguageLocalization = TLanguageLocalization<TAiUserPolynomLanguage>;
using TAIFlagsLanguageLocalization = TLanguageLocalization<TAIFlagsLanguage>;

TAIChannelLanguageLocalization& AIChannelLanguage();
TAiInputParamLanguageLocalization& AiInputParamLanguage();
TFilterParamLanguageLocalization& FilterParamLanguage();
TAiLedLimitLanguageLocalization& AiLedLimitLanguage();
TAiUserPolynomLanguageLocalization& AiUserPolynomLanguage();
TAIFlagsLanguageLocalization& AIFlagsLanguage();

// These tables, for the check over every table.
std::vector<TTableReport> CheckAnalogInputLanguageTables();
