#include "model/BusSettings.h"

#include "bus/PowerRSBus.h"
#include "protocol/TransferProtocol.h"

TBusSettings TBusSettings::Decode(quint32 Word) {
    TBusSettings s;
    s.Address = quint8(Word);
    s.BaudCode = quint8(((Word >> 8) & 0xFF) + 1);
    s.Protocol = quint8(Word >> 16);
    s.ParityCode = quint8((Word >> 24) & 0xF);
    const quint8 stop = quint8(Word >> 28);
    s.StopBitsCode = stop <= 2 ? stop : 0;
    return s;
}

quint32 TBusSettings::Encode() const {
    return quint32(Address) | (quint32(quint8(BaudCode - 1)) << 8) | (quint32(Protocol) << 16) |
           (quint32(ParityCode & 0xF) << 24) | (quint32(StopBitsCode & 0xF) << 28);
}

QString HexAddressText(quint8 Address) {
    return QStringLiteral("0x") + QString::number(Address, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

QString AddressText(quint8 Address) {
    return HexAddressText(Address) + QStringLiteral(" (") + QString::number(Address) + QLatin1Char(')');
}

QString ParityName(int Code) {
    static const char* names[kParityCount] = {"none", "odd", "even", "mark", "space"};
    return Code >= 0 && Code < kParityCount ? QLatin1String(names[Code]) : QString();
}

QString StopBitsName(int Code) {
    static const char* names[kStopBitsCount] = {"1", "1.5", "2"};
    return Code >= 0 && Code < kStopBitsCount ? QLatin1String(names[Code]) : QString();
}

QString TBusSettings::Text() const {
    // Devices speak 1200 bit/s and up; lower codes of the bus's table are no device speed.
    const quint32 bits = BaudCode >= br1200 && BaudCode <= br921600 ? BaudRateBits(TBaudRate(BaudCode)) : 0;
    const QString speed = bits ? QStringLiteral("%1 bit/s").arg(bits)
                               : QStringLiteral("unknown speed code %1").arg(quint8(BaudCode - 1));
    const QString protocol = Protocol < kTransferProtocolCount
                                 ? TransferProtocolName(TTransferProtocol(Protocol))
                                 : QStringLiteral("protocol %1").arg(Protocol);
    const QString parity = ParityCode < kParityCount ? QStringLiteral("parity %1").arg(ParityName(ParityCode))
                                                     : QStringLiteral("parity code %1").arg(ParityCode);
    const QString stops = StopBitsName(StopBitsCode) +
                          (StopBitsCode == 0 ? QStringLiteral(" stop bit") : QStringLiteral(" stop bits"));
    return QStringLiteral("address %1, %2, %3, %4, %5")
        .arg(AddressText(Address), speed, protocol, parity, stops);
}
