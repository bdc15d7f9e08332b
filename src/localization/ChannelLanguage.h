#pragma once

#include "localization/LanguageTables.h"
#include "model/ChannelTexts.h"

// The error texts of the channel objects, which the model reports in the language chosen here.
struct TChannelLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_CHANNEL_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TChannelLanguage::*>>& Fields();
    TChannelTexts ChannelTexts() const;
};

using TChannelLanguageLocalization = TLanguageLocalization<TChannelLanguage>;
TChannelLanguageLocalization& ChannelLanguage();

// Makes the channels (the special sensor channels too) report their errors in the given language
// (English for an identifier no table knows, or before any language was applied).
void ApplyChannelTexts(quint8 LanguageID);
