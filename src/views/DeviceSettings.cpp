#include "views/DeviceSettings.h"

#include "bus/BaudRate.h"
#include "localization/DeviceViewsLanguage.h"
#include "model/BusSettings.h"
#include "model/DeviceRegister.h"
#include "protocol/ByteOrder.h"
#include "protocol/TransferProtocol.h"

#include <QRegularExpression>

namespace {

// Field masks of the bus settings word.
constexpr quint32 kAddressBits = 0x000000FF;
constexpr quint32 kBaudBits = 0x0000FF00;
constexpr quint32 kProtocolBits = 0x00FF0000;
constexpr quint32 kParityBits = 0x0F000000;
constexpr quint32 kStopBits = 0xF0000000;

int IndexIn(int Value, int First, int Count) {
    return Value >= First && Value < First + Count ? Value - First : -1;
}

} // namespace

TDeviceParams DeviceParamsOf(const TDeviceProps& Device) {
    TDeviceParams p;
    p.Address = Device.Address;
    p.BaudCode = Device.BaudCode;
    p.Protocol = Device.Protocol;
    p.Parity = Device.ParityCode;
    p.Timeout = qint32(Device.TimeoutCode);
    p.StopBits = Device.StopBitsCode;
    p.ByteOrder = Device.ByteOrder;
    return p;
}

TParamsSelection SelectionOf(const TDeviceProps& Device) {
    TParamsSelection s;
    s.Address = Device.Address;
    s.Rate = IndexIn(Device.BaudCode, kFirstBaudCode, kBaudCodeCount);
    s.Protocol = IndexIn(Device.Protocol, 0, kProtocolChoices);
    s.Parity = IndexIn(Device.ParityCode, 0, kParityCount);
    s.Timeout = IndexIn(qint32(Device.TimeoutCode), 0, kMaxTimeoutCode + 1);
    s.StopBits = IndexIn(Device.StopBitsCode, 0, kStopBitsCount);
    s.ByteOrder = IndexIn(Device.ByteOrder, 0, kByteOrderChoices);
    return s;
}

TDeviceParams EditedParams(const TDeviceProps& Device, const TParamsSelection& Selection) {
    TDeviceParams p = DeviceParamsOf(Device);
    if (Selection.Address >= 0 && Selection.Address <= 255)
        p.Address = Selection.Address;
    if (Selection.Rate >= 0 && Selection.Rate < kBaudCodeCount)
        p.BaudCode = Selection.Rate + kFirstBaudCode;
    if (Selection.Protocol >= 0 && Selection.Protocol < kProtocolChoices)
        p.Protocol = Selection.Protocol;
    if (Selection.Parity >= 0 && Selection.Parity < kParityCount)
        p.Parity = Selection.Parity;
    if (Selection.Timeout >= 0 && Selection.Timeout <= kMaxTimeoutCode)
        p.Timeout = Selection.Timeout;
    if (Selection.StopBits >= 0 && Selection.StopBits < kStopBitsCount)
        p.StopBits = Selection.StopBits;
    if (Selection.ByteOrder >= 0 && Selection.ByteOrder < kByteOrderChoices)
        p.ByteOrder = Selection.ByteOrder;
    return p;
}

std::vector<quint8> AddressChoices(const TDeviceProps& Device, const TDevicePropsList& Devices) {
    const bool ascii = Device.Protocol == tpZoVuru || Device.Protocol == tpZoVuruCheckSum;
    std::vector<quint8> choices;
    for (int a = ascii ? 0 : 1; a <= 255; ++a)
        if (a == Device.Address || !Devices.HasAddress(quint8(a)))
            choices.push_back(quint8(a));
    return choices;
}

int AddressOfEntry(const QString& Text) {
    static const QRegularExpression entry(QStringLiteral(R"(\((\d{1,3})\)\s*$)"));
    const auto m = entry.match(Text);
    if (!m.hasMatch())
        return -1;
    const int a = m.captured(1).toInt();
    return a <= 255 ? a : -1;
}

bool ParamsChanged(const TDeviceParams& Edited, const TDeviceProps& Device) {
    return !(Edited == DeviceParamsOf(Device));
}

bool SaveToFlashAllowed(const TDeviceParams& Edited, const TDeviceProps& Device, bool Lite) {
    return !Lite && !ParamsChanged(Edited, Device);
}

quint32 BusSettingsWordFor(const TDeviceParams& Edited, const TDeviceProps& Device) {
    const quint32 address = quint32(Edited.Address) & kAddressBits;
    // The device counts speeds from 0, the bus from 1.
    const quint32 baud = (quint32(Edited.BaudCode - 1) << 8) & kBaudBits;
    const quint32 protocol = (quint32(Edited.Protocol) << 16) & kProtocolBits;
    const quint32 parity = (quint32(Edited.Parity) << 24) & kParityBits;
    const quint32 stop = (quint32(Edited.StopBits) << 28) & kStopBits;
    if (!Device.BusSettingsWord)
        return address | baud | protocol | parity | stop;

    // The UDP search decoded this word its own way; re-encoding that decoding would rewrite fields
    // the user never touched (a speed it could not place reads as 9600, a parity byte as none).
    const TDeviceParams own = DeviceParamsOf(Device);
    quint32 word = *Device.BusSettingsWord;
    auto replace = [&word](bool changed, quint32 mask, quint32 bits) {
        if (changed)
            word = (word & ~mask) | bits;
    };
    replace(Edited.Address != own.Address, kAddressBits, address);
    replace(Edited.BaudCode != own.BaudCode, kBaudBits, baud);
    replace(Edited.Protocol != own.Protocol, kProtocolBits, protocol);
    replace(Edited.Parity != own.Parity, kParityBits, parity);
    replace(Edited.StopBits != own.StopBits, kStopBits, stop);
    return word;
}

TCloseOutcome CloseOutcomeFor(bool Applied, bool ParamsChanged, bool Modified, bool Lite) {
    if (!Modified)
        return TCloseOutcome::Close;
    // Lite mode never writes flash, so there is nothing to offer: only the reminder.
    if (!Applied || ParamsChanged || Lite)
        return TCloseOutcome::NotSavedMessage;
    return TCloseOutcome::AskToSave;
}

QString RescanMessage(quint8 LanguageID) {
    const TDevicePropsLanguage& t = DevicePropsLanguage().Texts(LanguageID);
    return t.MsgChanging + QLatin1Char('\n') + t.MsgRescan + QStringLiteral("\n\n") + t.MsgAfterDetecting +
           QLatin1Char(' ') + t.MsgSaveIntoFlash;
}

QString RateEntryText(int Index) {
    if (Index < 0 || Index >= kBaudCodeCount)
        return {};
    return QStringLiteral("br") + QString::number(BaudRateBits(TBaudRate(Index + kFirstBaudCode)));
}

QString ParityEntryText(int Index) {
    static const char* names[kParityCount] = {"ptNone", "ptOdd", "ptEven", "ptMark", "ptSpace"};
    return Index >= 0 && Index < kParityCount ? QLatin1String(names[Index]) : QString();
}

QString ByteOrderEntryText(int Index) {
    static const char* names[kByteOrderChoices] = {"3210/10", "0123/10", "1032/10", "2301/10",
                                                   "3210/01", "0123/01", "1032/01", "2301/01"};
    return Index >= 0 && Index < kByteOrderChoices ? QLatin1String(names[Index]) : QString();
}
