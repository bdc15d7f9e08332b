#pragma once

#include "localization/LanguageTables.h"

#include <vector>

// The KVD-A-VIX window and its conversion range dialog.
// clang-format off
#define DVV_A_VIX_FORM_TEXTS(X)                                                                                  \
    X(Caption) X(Module) X(DeviceAddress) X(InputChannel) X(OutputChannel) X(InputRange) X(OutputRange)          \
    X(UnknownRange) X(Normalization) X(ConversionRange) X(RangeArrow) X(InputStart) X(InputStop)                 \
    X(OutputStart) X(OutputStop) X(Change) X(OutputValue) X(Set) X(Refresh) X(Close) X(Ok) X(Cancel)             \
    X(ZeroInputSpan) X(SaveRangesFailed) X(NotANumber)
// clang-format on

struct TKVD_A_VIX_FormLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_A_VIX_FORM_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TKVD_A_VIX_FormLanguage::*>>& Fields();
};

using TKVD_A_VIX_FormLanguageLocalization = TLanguageLocalization<TKVD_A_VIX_FormLanguage>;
TKVD_A_VIX_FormLanguageLocalization& KVD_A_VIX_FormLanguage();

std::vector<TTableReport> CheckSensorChannelLanguageTables();
