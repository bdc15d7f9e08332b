#include "model/SensorChannelTexts.h"

namespace {

TSensorChannelTexts& Current() {
    static TSensorChannelTexts texts;
    return texts;
}

} // namespace

const TSensorChannelTexts& SensorChannelTexts() {
    return Current();
}

void SetSensorChannelTexts(const TSensorChannelTexts& Texts) {
    Current() = Texts;
}
