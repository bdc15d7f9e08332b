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

QString TBusSettings::Text() const {
    static const char* parities[] = {"none", "odd", "even", "mark", "space"};
    static const char* stops[] = {"1 stop bit", "1.5 stop bits", "2 stop bits"};
    const quint32 bits = BaudRateBits(TBaudRate(BaudCode < kBaudRateCount ? BaudCode : 0));
    const QString speed = bits ? QStringLiteral("%1 bit/s").arg(bits) : QStringLiteral("speed code %1").arg(BaudCode);
    const QString protocol = Protocol < kTransferProtocolCount ? TransferProtocolName(TTransferProtocol(Protocol))
                                                               : QStringLiteral("protocol %1").arg(Protocol);
    const QString parity = ParityCode < 5 ? QStringLiteral("parity %1").arg(QLatin1String(parities[ParityCode]))
                                          : QStringLiteral("parity code %1").arg(ParityCode);
    return QStringLiteral("address %1, %2, %3, %4, %5")
        .arg(AddressText(Address), speed, protocol, parity, QLatin1String(stops[StopBitsCode]));
}
