#pragma once

#include "localization/LanguageTables.h"
#include "model/SensorChannelTexts.h"

// The error texts of the special sensor channel objects, which the model reports in the language
// chosen here.
struct TSensorChannelTextsLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_SENSOR_CHANNEL_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TSensorChannelTextsLanguage::*>>& Fields();
    TSensorChannelTexts SensorChannelTexts() const;
};

using TSensorChannelTextsLanguageLocalization = TLanguageLocalization<TSensorChannelTextsLanguage>;
TSensorChannelTextsLanguageLocalization& SensorChannelTextsLanguage();

// Makes the sensor channels report their errors in the given language (English for an identifier no
// table knows, or before any language was applied).
void ApplySensorChannelTexts(quint8 LanguageID);
