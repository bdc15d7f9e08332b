#include "emulator/VirtualAuxiliaryChannels.h"

#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDiscreteChannels.h"

namespace {

enum : quint16 { mrInputs = 0, mrOutputs = 1, mrWriteKey = 2, mrProtected = 3, mrHigh = 4 };

// Channel numbers are one byte.
constexpr int kLastNumber = 255;

} // namespace

TVirtualDIOManager::TVirtualDIOManager(TVirtualDevice* Device, quint8 Number, int Properties)
    : TCustomVirtualChannel(Device, Number, vkAuxiliary), FProperties(Properties) {}

std::vector<TVirtualDOChannel*> TVirtualDIOManager::Outputs() const {
    std::vector<TVirtualDOChannel*> outputs;
    for (int i = 0; i < kLastNumber; ++i)
        if (TCustomVirtualChannel* c = Device()->ChannelAt(i); c && c->Kind() == vkDiscreteOutput)
            outputs.push_back(static_cast<TVirtualDOChannel*>(c));
    return outputs;
}

std::vector<TVirtualDIChannel*> TVirtualDIOManager::Inputs() const {
    std::vector<TVirtualDIChannel*> inputs;
    for (int i = 0; i < kLastNumber; ++i)
        if (TCustomVirtualChannel* c = Device()->ChannelAt(i); c && c->Kind() == vkDiscreteInput)
            inputs.push_back(static_cast<TVirtualDIChannel*>(c));
    return inputs;
}

quint32 TVirtualDIOManager::Word(int First) const {
    quint32 word = 0;
    const auto outputs = Outputs();
    const auto inputs = Inputs();
    for (int i = 0; i < 8; ++i) {
        if (First + i < int(outputs.size()) && (outputs[size_t(First + i)]->State() & 1u))
            word |= 1u << (8 + i);
        if (First + i < int(inputs.size())) {
            const quint32 state = inputs[size_t(First + i)]->State();
            if (state == 2)
                word |= 1u << (16 + i);
            if (state == 1)
                word |= 1u << (24 + i);
        }
    }
    return word;
}

std::optional<quint32> TVirtualDIOManager::ReadRegister(quint16 Register) {
    switch (Register) {
    case mrInputs:
        return Word(0);
    case mrWriteKey:
        FWriteKey += kWriteKeyStep;
        return FWriteKey;
    case mrProtected: {
        const auto outputs = Outputs();
        return !outputs.empty() && outputs.front()->Protected() ? 1 : 0;
    }
    case mrHigh:
        if (FProperties <= mrHigh)
            return std::nullopt;
        return Word(8);
    default:
        return std::nullopt;
    }
}

bool TVirtualDIOManager::WriteRegister(quint16 Register, quint32 Value) {
    const auto outputs = Outputs();
    switch (Register) {
    case mrOutputs: {
        if (!outputs.empty() && outputs.front()->Protected()) {
            // As the outputs' own keys: one attempt per key, matched or not.
            const bool match = (Value & 0xFFFF0000u) == FWriteKey;
            FWriteKey += kWriteKeyStep;
            if (!match)
                return false;
        }
        for (size_t i = 0; i < outputs.size() && i < 16; ++i)
            outputs[i]->Switch((Value >> i) & 1u);
        return true;
    }
    case mrProtected:
        if (Value > 1)
            return false;
        for (TVirtualDOChannel* output : outputs)
            output->SetProtected(Value == 1);
        MarkSettingsChanged();
        return true;
    default:
        return false;
    }
}

namespace {
enum : quint16 { xrInputWord0 = 0, xrOutputWord0 = 4, xrWriteKey = 8, xrProtected = 9 };
} // namespace

std::optional<quint32> TVirtualDIOManagerExt::ReadRegister(quint16 Register) {
    if (Register < xrOutputWord0) {
        const auto inputs = Inputs();
        quint32 word = 0;
        for (int i = 0; i < 16; ++i)
            if (const size_t at = size_t(16 * Register + i); at < inputs.size())
                word |= (inputs[at]->State() & 3u) << (2 * i);
        return word;
    }
    if (Register < xrOutputWord0 + kWords) {
        const auto outputs = Outputs();
        quint32 word = 0;
        for (int i = 0; i < 16; ++i) {
            const int at = 16 * (Register - xrOutputWord0) + i - FFirstOutputPoint;
            if (at >= 0 && at < int(outputs.size()) && (outputs[size_t(at)]->State() & 1u))
                word |= 1u << i;
        }
        return word;
    }
    // The key and the protection flag sit where the smaller manager has them, four words on.
    if (Register == xrWriteKey) {
        AdvanceKey();
        return WriteKey();
    }
    if (Register == xrProtected)
        return TVirtualDIOManager::ReadRegister(mrProtected);
    return std::nullopt;
}

bool TVirtualDIOManagerExt::WriteRegister(quint16 Register, quint32 Value) {
    if (Register == xrProtected)
        return TVirtualDIOManager::WriteRegister(mrProtected, Value);
    if (Register < xrOutputWord0 || Register >= xrOutputWord0 + kWords)
        return false;
    const auto outputs = Outputs();
    if (!outputs.empty() && outputs.front()->Protected()) {
        // One attempt per key, matched or not, as the smaller manager.
        const bool match = (Value & 0xFFFF0000u) == WriteKey();
        AdvanceKey();
        if (!match)
            return false;
    }
    for (int i = 0; i < 16; ++i) {
        const int at = 16 * (Register - xrOutputWord0) + i - FFirstOutputPoint;
        if (at >= 0 && at < int(outputs.size()))
            outputs[size_t(at)]->Switch((Value >> i) & 1u);
    }
    return true;
}

TVirtualHealthController::TVirtualHealthController(TVirtualDevice* Device, quint8 Number, int Properties)
    : TCustomVirtualChannel(Device, Number, vkAuxiliary), FValues(size_t(Properties), 0) {
    FFlash = FValues;
}

quint32 TVirtualHealthController::Value(int Register) const {
    return Register >= 0 && Register < int(FValues.size()) ? FValues[size_t(Register)] : 0;
}

std::optional<quint32> TVirtualHealthController::ReadRegister(quint16 Register) {
    if (Register >= FValues.size())
        return std::nullopt;
    return FValues[Register];
}

bool TVirtualHealthController::WriteRegister(quint16 Register, quint32 Value) {
    if (Register >= FValues.size())
        return false;
    // The reset condition is a choice of two.
    if (Register == 1 && Value > 1)
        return false;
    FValues[Register] = Value;
    MarkSettingsChanged();
    return true;
}

TVirtualAOHealthController::TVirtualAOHealthController(TVirtualDevice* Device, quint8 Number)
    : TVirtualHealthController(Device, Number, 5), FSafe(kOutputs, 0), FSafeFlash(kOutputs, 0) {}

quint32 TVirtualAOHealthController::SafeValue(int Output) const {
    return Output >= 0 && Output < kOutputs ? FSafe[size_t(Output)] : 0;
}

void TVirtualAOHealthController::Store() {
    TVirtualHealthController::Store();
    FSafeFlash = FSafe;
}

void TVirtualAOHealthController::Restore() {
    TVirtualHealthController::Restore();
    FSafe = FSafeFlash;
}

std::optional<quint32> TVirtualAOHealthController::ReadRegister(quint16 Register) {
    if (Register == 3)
        return FSafe[FValues[2] % kOutputs];
    return TVirtualHealthController::ReadRegister(Register);
}

bool TVirtualAOHealthController::WriteRegister(quint16 Register, quint32 Value) {
    if (Register == 2 && Value >= kOutputs)
        return false;
    if (Register == 3) {
        FSafe[FValues[2] % kOutputs] = Value;
        MarkSettingsChanged();
        return true;
    }
    return TVirtualHealthController::WriteRegister(Register, Value);
}
