#include "model/UMMCChannel.h"

#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

#include <QLocale>
#include <bit>
#include <cmath>
#include <limits>

TUMMCChannel::TUMMCChannel(TZUVOModule* Module)
    : FModule(Module), FConfigChannel(Module ? &Module->NerixModule() : nullptr),
      FDataChannel(Module ? &Module->NerixModule() : nullptr) {
    FConfigChannel.SetBase(kConfigBase);
    FDataChannel.SetBase(kDefaultDataBase);
}

quint16 TUMMCChannel::ConfigWord(int Word) const {
    return Word >= 0 && Word < kConfigWords ? FConfig[size_t(Word)] : 0;
}

quint8 TUMMCChannel::ByteOrderOptions() const {
    // Words 4 and 5 hold one 32-bit value, high word first; only its low byte means anything.
    return quint8(FConfig[5]);
}

void TUMMCChannel::ApplyOptions() {
    const quint8 options = ByteOrderOptions();
    FDataChannel.SetOrder16(quint8((options >> 2) & 1));
    FDataChannel.SetOrder32(quint8(options & 3));
}

bool TUMMCChannel::ReadConfig() {
    FConfigChannel.SetBase(kConfigBase);
    FConfigChannel.SetOrder16(0);
    FConfigChannel.SetOrder32(0);
    Ok = FConfigChannel.Read(kConfigWords);
    if (!Ok)
        return false;
    for (quint16& word : FConfig)
        word = FConfigChannel.TakeWord();
    FName.clear();
    for (int w = 8; w < 14; ++w) {
        FName += QChar(QLatin1Char(char(FConfig[size_t(w)] >> 8)));
        FName += QChar(QLatin1Char(char(FConfig[size_t(w)] & 0xFF)));
    }
    FDataChannel.SetBase(DataBase());
    ApplyOptions();
    return true;
}

bool TUMMCChannel::WriteByteOrders(quint32 Options) {
    FConfigChannel.SetBase(kConfigBase);
    FConfigChannel.SetOffset(4);
    FConfigChannel.BeginWrite();
    FConfigChannel.AddLong(Options);
    Ok = FConfigChannel.SendWrite();
    FConfigChannel.SetOffset(0);
    if (!Ok)
        return false;
    FConfig[4] = quint16(Options >> 16);
    FConfig[5] = quint16(Options & 0xFF);
    ApplyOptions();
    return true;
}

bool TUMMCChannel::WriteConfigValue(int Word, quint16 Value) {
    if (Word != 1 && Word != 2 && Word != 15) {
        Ok = false;
        return false;
    }
    FConfigChannel.SetBase(kConfigBase);
    FConfigChannel.SetOffset(quint8(Word));
    FConfigChannel.BeginWrite();
    FConfigChannel.AddWord(Value);
    Ok = FConfigChannel.SendWrite();
    FConfigChannel.SetOffset(0);
    if (!Ok)
        return false;
    if (Word == 15)
        FValue15 = quint8(Value);
    else
        FConfig[size_t(Word)] = quint8(Value);
    return true;
}

quint32 TUMMCChannel::ByteOrdersToOptions(quint32 Order16Code, quint32 Order32Code) {
    return ((Order16Code & 1) << 2) | (Order32Code & 3) | ((Order16Code >> 8) << 10);
}

bool TUMMCChannel::ReadData(quint8 Offset, int Count) {
    FDataChannel.SetOffset(Offset);
    const bool ok = FDataChannel.Read(Count);
    FRemaining = ok ? Count : 0;
    return ok;
}

quint16 TUMMCChannel::TakeUnsigned16() {
    if (FRemaining < 1)
        return 0;
    FRemaining -= 1;
    return FDataChannel.TakeWord();
}

qint32 TUMMCChannel::DecodeSigned16(quint16 Word) {
    return Word <= 32767 ? qint32(Word) : qint32(Word) - 32769;
}

qint64 TUMMCChannel::DecodeSigned32(quint32 Value) {
    return Value <= 0x7FFFFFFFu ? qint64(Value) : qint64(Value) - qint64(0x80000001u);
}

qint32 TUMMCChannel::TakeSigned16() {
    if (FRemaining < 1)
        return 0;
    return DecodeSigned16(TakeUnsigned16());
}

quint32 TUMMCChannel::TakeUnsigned32() {
    if (FRemaining < 2)
        return 0;
    FRemaining -= 2;
    return FDataChannel.TakeLong();
}

qint64 TUMMCChannel::TakeSigned32() {
    if (FRemaining < 2)
        return 0;
    return DecodeSigned32(TakeUnsigned32());
}

float TUMMCChannel::TakeFloat() {
    return std::bit_cast<float>(TakeUnsigned32());
}

std::optional<quint32> TUMMCChannel::EncodeData(const QString& Text, int Type, TWriteError* Error) {
    const auto fail = [&](TWriteError Why) -> std::optional<quint32> {
        if (Error)
            *Error = Why;
        return std::nullopt;
    };
    if (Error)
        *Error = weNone;
    const QString text = Text.trimmed();
    const QLocale c = QLocale::c();
    if (Type == dtFloat) {
        bool ok = false;
        const double d = c.toDouble(text, &ok);
        if (!ok || !std::isfinite(d))
            return fail(weNotANumber);
        if (std::fabs(d) > double(std::numeric_limits<float>::max()))
            return fail(weOutOfRange);
        return std::bit_cast<quint32>(float(d));
    }
    if (Type < dtSigned16 || Type > dtFloat)
        return fail(weBadType);
    bool ok = false;
    const qint64 n = c.toLongLong(text, &ok);
    if (!ok)
        return fail(weNotANumber);
    // The devices' signed encoding reads a register back as the number written only for the
    // non-negative numbers and for -1; any other negative number would come back as a different
    // (positive) one, so it is refused rather than stored.
    switch (Type) {
    case dtSigned16:
        if (n > 32767 || n < -1)
            return fail(weOutOfRange);
        return quint32(n >= 0 ? n : n + 32769);
    case dtUnsigned16:
        if (n < 0 || n > 0xFFFF)
            return fail(weOutOfRange);
        return quint32(n);
    case dtSigned32:
        if (n > 0x7FFFFFFF || n < -1)
            return fail(weOutOfRange);
        return quint32(n >= 0 ? n : n + qint64(0x80000001u));
    default: // dtUnsigned32
        if (n < 0 || n > qint64(0xFFFFFFFFu))
            return fail(weOutOfRange);
        return quint32(n);
    }
}

bool TUMMCChannel::WriteData(quint8 Offset, const QString& Text, int Type) {
    const std::optional<quint32> value = EncodeData(Text, Type, &FLastWriteError);
    if (!value)
        return false;
    FDataChannel.SetOffset(Offset);
    FDataChannel.BeginWrite();
    if (Type == dtSigned16 || Type == dtUnsigned16)
        FDataChannel.AddWord(quint16(*value));
    else
        FDataChannel.AddLong(*value);
    if (!FDataChannel.SendWrite()) {
        FLastWriteError = weTransfer;
        return false;
    }
    return true;
}
