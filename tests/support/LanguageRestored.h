#pragma once

#include "localization/Localization.h"
#include "model/ChannelTexts.h"
#include "model/SensorChannelTexts.h"

// Leaves the program in English, and the toolkit's own translations with it, when the object goes; the
// channels' error texts go back to their defaults. A
// test that switches languages holds one (as a fixture member, or first in its body) so that a failed
// ASSERT, which leaves the test at once, does not leave the next test in another language.
//
// English by its number rather than the language found at the start: before the main window applies
// one, the current language is 0, and a language table keeps its last selection for a number it does
// not know, so putting 0 back would leave the next window in the language of this test.
class TLanguageRestored {
public:
    TLanguageRestored() = default;
    ~TLanguageRestored() {
        SetCurrentLanguage(liEnglish);
        InstallToolkitTranslation(liEnglish);
        SetChannelTexts(TChannelTexts());
        SetSensorChannelTexts(TSensorChannelTexts());
    }
    TLanguageRestored(const TLanguageRestored&) = delete;
    TLanguageRestored& operator=(const TLanguageRestored&) = delete;
};
