#include "model/ChannelTexts.h"

namespace {

TChannelTexts& Current() {
    static TChannelTexts texts;
    return texts;
}

} // namespace

const TChannelTexts& ChannelTexts() {
    return Current();
}

void SetChannelTexts(const TChannelTexts& Texts) {
    Current() = Texts;
}
