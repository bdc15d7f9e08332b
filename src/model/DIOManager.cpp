#include "model/DIOManager.h"

#include "model/ChannelTexts.h"
#include "model/DOChannel.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

#include <algorithm>

namespace {

void Bind(TNerixChannel& Accessor, TZUVOModule* Module, quint8 ObjectNumber) {
    Accessor.Module = &Module->NerixModule();
    Accessor.ObjectNumber = ObjectNumber;
}

std::optional<quint32> ReadWordOf(TNerixChannel& Accessor, quint16 Property) {
    if (!Accessor.ReadPropertyAs(Property, dtInteger))
        return std::nullopt;
    const auto v = Accessor.GetAsInteger();
    if (!v)
        return std::nullopt;
    return quint32(*v);
}

// The mode transfers of both managers; only the property differs.
void WriteModeOf(TNerixChannel& Accessor, TZUVOModule* Module, quint16 Property, bool Protected,
                 QString& ErrorText) {
    ErrorText.clear();
    Module->Modified = true;
    Module->Ok = false;
    if (!Accessor.WritePropertyInteger(Property, Protected ? 1 : 0))
        ErrorText = ChannelTexts().WriteOutputMode;
}

bool ReadModeOf(TNerixChannel& Accessor, TZUVOModule* Module, quint16 Property, bool& Protected,
                QString& ErrorText) {
    ErrorText.clear();
    Module->Ok = false;
    const auto v = ReadWordOf(Accessor, Property);
    if (!v) {
        ErrorText = ChannelTexts().ReadOutputMode;
        return false;
    }
    Protected = *v != 0;
    Module->Ok = true;
    return true;
}

quint32 Join(const std::array<quint8, 4>& Bytes) {
    return quint32(Bytes[0]) | quint32(Bytes[1]) << 8 | quint32(Bytes[2]) << 16 | quint32(Bytes[3]) << 24;
}

} // namespace

TDIOManager::TDIOManager(TZUVOModule* Module, quint8 ObjectNumber) : FModule(Module) {
    Bind(Accessor, Module, ObjectNumber);
}

void TDIOManager::WriteMode(QString& ErrorText) {
    WriteModeOf(Accessor, FModule, dmProtected, Protected, ErrorText);
}

bool TDIOManager::ReadMode(QString& ErrorText) {
    return ReadModeOf(Accessor, FModule, dmProtected, Protected, ErrorText);
}

bool TDIOManager::ReadWord(quint16 Property, std::array<quint8, 4>& Bytes) {
    FModule->Ok = false;
    const auto v = ReadWordOf(Accessor, Property);
    if (!v)
        return false;
    for (int b = 0; b < 4; ++b)
        Bytes[size_t(b)] = quint8(*v >> (8 * b));
    FModule->Ok = true;
    return true;
}

bool TDIOManager::ReadInputs() {
    return ReadWord(dmInputs, InputBytes);
}

bool TDIOManager::ReadOutputs() {
    return ReadWord(dmOutputsHigh, OutputBytes);
}

bool TDIOManager::WriteOutputs(quint32 Mask) {
    return KeyedWrite(Accessor, FModule, Protected, dmWriteKey, dmOutputs, Mask);
}

quint32 TDIOManager::InputsWord() const {
    return Join(InputBytes);
}

quint32 TDIOManager::OutputsWord() const {
    return Join(OutputBytes);
}

bool TDIOManager::Bit(int I, int Offset) const {
    if (I < 0 || I >= 16)
        return false;
    const quint32 word = I < 8 ? InputsWord() : OutputsWord();
    return (word >> (Offset + I % 8)) & 1u;
}

TDIOManagerExt::TDIOManagerExt(TZUVOModule* Module, quint8 ObjectNumber) : FModule(Module) {
    Bind(Accessor, Module, ObjectNumber);
}

void TDIOManagerExt::WriteMode(QString& ErrorText) {
    WriteModeOf(Accessor, FModule, dxProtected, Protected, ErrorText);
}

bool TDIOManagerExt::ReadMode(QString& ErrorText) {
    return ReadModeOf(Accessor, FModule, dxProtected, Protected, ErrorText);
}

bool TDIOManagerExt::ReadInputWord(int K) {
    FModule->Ok = false;
    if (K < 0 || K >= kWords)
        return false;
    const auto v = ReadWordOf(Accessor, quint16(dxInputWord0 + K));
    if (!v)
        return false;
    InputWords[size_t(K)] = *v;
    FModule->Ok = true;
    return true;
}

bool TDIOManagerExt::ReadOutputWord(int K) {
    FModule->Ok = false;
    if (K < 0 || K >= kWords)
        return false;
    const auto v = ReadWordOf(Accessor, quint16(dxOutputWord0 + K));
    if (!v)
        return false;
    OutputWords[size_t(K)] = *v;
    FModule->Ok = true;
    return true;
}

bool TDIOManagerExt::WriteOutputWord(int K, quint16 Mask) {
    FModule->Ok = false;
    if (K < 0 || K >= kWords)
        return false;
    if (!KeyedWrite(Accessor, FModule, Protected, dxWriteKey, quint16(dxOutputWord0 + K), Mask))
        return false;
    OutputWords[size_t(K)] = Mask;
    return true;
}

int TDIOManagerExt::InputState(int I) const {
    if (I < 0 || I >= kPoints)
        return 0;
    return int((InputWords[size_t(I / 16)] >> (2 * (I % 16))) & 3u);
}

int TDIOManagerExt::OutputState(int I) const {
    if (I < 0 || I >= kPoints)
        return 0;
    return int((OutputWords[size_t(I / 16)] >> (I % 16)) & 1u);
}

namespace {

// The words that hold points First .. First + Count - 1, clipped to what a manager addresses.
std::pair<int, int> WordsOf(int First, int Count) {
    const int first = std::max(First, 0);
    const int last = std::min(First + Count, TDIOManagerExt::kPoints) - 1;
    if (Count <= 0 || last < first)
        return {0, -1};
    return {first / 16, last / 16};
}

} // namespace

bool TDIOManagerExt::ReadInputPoints(int First, int Count) {
    const auto [from, to] = WordsOf(First, Count);
    FModule->Ok = false;
    for (int k = from; k <= to; ++k)
        if (!ReadInputWord(k))
            return false;
    return FModule->Ok;
}

bool TDIOManagerExt::ReadOutputPoints(int First, int Count) {
    const auto [from, to] = WordsOf(First, Count);
    FModule->Ok = false;
    for (int k = from; k <= to; ++k)
        if (!ReadOutputWord(k))
            return false;
    return FModule->Ok;
}

bool TDIOManagerExt::WriteOutputPoints(int First, int Count, quint64 Mask) {
    const auto [from, to] = WordsOf(First, Count);
    FModule->Ok = false;
    for (int k = from; k <= to; ++k) {
        quint32 word = OutputWords[size_t(k)] & 0xFFFFu;
        for (int bit = 0; bit < 16; ++bit) {
            const int point = 16 * k + bit;
            const int j = point - First;
            if (j < 0 || j >= Count || j >= 64)
                continue;
            word = (word & ~(1u << bit)) | (quint32((Mask >> j) & 1u) << bit);
        }
        if (!WriteOutputWord(k, quint16(word)))
            return false;
    }
    return FModule->Ok;
}
