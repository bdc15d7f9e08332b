#include "localization/ChannelLanguage.h"
#include "localization/SensorChannelTextsLanguage.h"

#include <gtest/gtest.h>

namespace {

// The channel texts' fields by name, for checks over all of them.
const std::vector<std::pair<const char*, QString TChannelTexts::*>>& ModelFields() {
#define DVV_MODEL_FIELD(name) {#name, &TChannelTexts::name},
    static const std::vector<std::pair<const char*, QString TChannelTexts::*>> fields = {
        DVV_CHANNEL_TEXTS(DVV_MODEL_FIELD)};
#undef DVV_MODEL_FIELD
    return fields;
}

TEST(ChannelLanguage, RussianIsTheModelsOwnTextsAndTheOthersAreTranslated) {
    const TChannelTexts defaults;
    const TChannelTexts russian = ChannelLanguage().Texts(liRussian).ChannelTexts();
    const TChannelTexts english = ChannelLanguage().Texts(liEnglish).ChannelTexts();
    ASSERT_EQ(ModelFields().size(), TChannelLanguage::Fields().size());
    for (const auto& [name, field] : ModelFields()) {
        SCOPED_TRACE(name);
        EXPECT_EQ(russian.*field, defaults.*field);
        EXPECT_NE(english.*field, defaults.*field);
        for (int i = 2; i < kLanguageCount; ++i) {
            const TChannelTexts other = ChannelLanguage().Language(i).ChannelTexts();
            EXPECT_NE(other.*field, english.*field) << i;
            EXPECT_NE(other.*field, defaults.*field) << i;
        }
    }
}

TEST(ChannelLanguage, ApplyingALanguageSwitchesWhatTheChannelsReport) {
    ApplyChannelTexts(liUkrainian);
    EXPECT_EQ(ChannelTexts().ReadAccuracyClass, QStringLiteral("Помилка під час зчитування класу точності"));
    ApplyChannelTexts(liEnglish);
    EXPECT_EQ(ChannelTexts().WriteLedLimits, QStringLiteral("Error writing the LED indication limits."));
    ApplyChannelTexts(liRussian);
    EXPECT_EQ(ChannelTexts().ReadChannel, QStringLiteral("Ошибка при чтении с канала"));
    SetChannelTexts(TChannelTexts());
}

// The sensor channels' texts by name.
const std::vector<std::pair<const char*, QString TSensorChannelTexts::*>>& SensorFields() {
#define DVV_MODEL_FIELD(name) {#name, &TSensorChannelTexts::name},
    static const std::vector<std::pair<const char*, QString TSensorChannelTexts::*>> fields = {
        DVV_SENSOR_CHANNEL_TEXTS(DVV_MODEL_FIELD)};
#undef DVV_MODEL_FIELD
    return fields;
}

TEST(SensorChannelLanguage, RussianIsTheModelsOwnTextsAndTheOthersAreTranslated) {
    const TSensorChannelTexts defaults;
    const TSensorChannelTexts russian = SensorChannelTextsLanguage().Texts(liRussian).SensorChannelTexts();
    const TSensorChannelTexts english = SensorChannelTextsLanguage().Texts(liEnglish).SensorChannelTexts();
    ASSERT_EQ(SensorFields().size(), TSensorChannelTextsLanguage::Fields().size());
    for (const auto& [name, field] : SensorFields()) {
        SCOPED_TRACE(name);
        EXPECT_EQ(russian.*field, defaults.*field);
        EXPECT_NE(english.*field, defaults.*field);
        for (int i = 2; i < kLanguageCount; ++i) {
            const TSensorChannelTexts other = SensorChannelTextsLanguage().Language(i).SensorChannelTexts();
            EXPECT_NE(other.*field, english.*field) << i;
            EXPECT_NE(other.*field, defaults.*field) << i;
        }
    }
}

TEST(SensorChannelLanguage, ApplyingALanguageSwitchesWhatTheSensorChannelsReport) {
    ApplySensorChannelTexts(liUkrainian);
    EXPECT_EQ(SensorChannelTexts().FlameRestart, QStringLiteral("Помилка під час перезапуску контролера"));
    ApplySensorChannelTexts(liEnglish);
    EXPECT_EQ(SensorChannelTexts().GVixWriteOutput, QStringLiteral("Error setting the output!"));
    // A language no table knows keeps the last one.
    ApplySensorChannelTexts(99);
    EXPECT_EQ(SensorChannelTexts().GVixWriteOutput, QStringLiteral("Error setting the output!"));
    ApplySensorChannelTexts(liRussian);
    EXPECT_EQ(SensorChannelTexts().FotoReadADCCode, QStringLiteral("Ошибка при считывании кода АЦП"));
    SetSensorChannelTexts(TSensorChannelTexts());
}

} // namespace
