#pragma once

#include "localization/LanguageTables.h"

// The texts the analog output window, the eight-channel and pulse-counter input windows add to the
// analog input window's table (TAIChannelLanguage keeps the ones they share with it).
// clang-format off
#define DVV_ANALOG_FORMS_TEXTS(X)                                                                                \
    X(OutputParameter) X(OutputValue) X(Set) X(Tester) X(Generator) X(Close) X(ErrorSettingValue)                \
    X(PulseCount) X(Reset) X(CounterResetError) X(GeneratorOnlyInEmulation) X(NotANumber)
// clang-format on

struct TAnalogChannelFormsLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_ANALOG_FORMS_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TAnalogChannelFormsLanguage::*>>& Fields();
};

// The filter dialog of the eight-channel input window.
// clang-format off
#define DVV_ADC_AVERAGE_TEXTS(X)                                                                                 \
    X(Caption) X(FilterFrequency) X(ResponseTime) X(AdcFrequency) X(FilterOff) X(Apply) X(Cancel)
// clang-format on

struct TaiSimpleAdcAverageLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_ADC_AVERAGE_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TaiSimpleAdcAverageLanguage::*>>& Fields();
};

// The sine generator that drives a real analog output.
// clang-format off
#define DVV_SINE_GENERATOR_TEXTS(X)                                                                              \
    X(Caption) X(Start) X(Stop) X(Close) X(Range) X(NumberOfPoints) X(Amplitude) X(Offset)
// clang-format on

struct TSineGeneratorLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_SINE_GENERATOR_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TSineGeneratorLanguage::*>>& Fields();
};

using TAnalogChannelFormsLanguageLocalization = TLanguageLocalization<TAnalogChannelFormsLanguage>;
using TaiSimpleAdcAverageLanguageLocalization = TLanguageLocalization<TaiSimpleAdcAverageLanguage>;
using TSineGeneratorLanguageLocalization = TLanguageLocalization<TSineGeneratorLanguage>;

TAnalogChannelFormsLanguageLocalization& AnalogChannelFormsLanguage();
TaiSimpleAdcAverageLanguageLocalization& AdcAverageLanguage();
TSineGeneratorLanguageLocalization& SineGeneratorLanguage();

std::vector<TTableReport> CheckAnalogChannelFormsLanguageTables();
