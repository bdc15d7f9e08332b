#include "converters/ConverterCodes.h"

#include "bus/AccessPoint.h"

namespace {

// clang-format off
const TConverterRates kSingle = {{{"br1200", 1200, 96}, {"br2400", 2400, 48}, {"br4800", 4800, 24},
    {"br9600", 9600, 12}, {"br14400", 14400, 8}, {"br19200", 19200, 6}, {"br38400", 38400, 3},
    {"br57600", 57600, 2}, {"br115200", 115200, 1}}};
const TConverterRates kDouble = {{{"br1200", 1200, 150}, {"br2400", 2400, 50}, {"br4800", 4800, 36},
    {"br9600", 9600, 15}, {"br14400", 14400, 9}, {"br19200", 19200, 7}, {"br38400", 38400, 4},
    {"br57600", 57600, 2}, {"br115200", 115200, 1}}};
const TConverterRates kRepeater = {{{"br1200", 1200, 192}, {"br2400", 2400, 102}, {"br4800", 4800, 51},
    {"br9600", 9600, 25}, {"br14400", 14400, 16}, {"br19200", 19200, 12}, {"br38400", 38400, 5},
    {"br57600", 57600, 3}, {"br115200", 115200, 1}}};
// clang-format on

} // namespace

const TConverterRates& ConverterRates(TConverterKind Kind) {
    switch (Kind) {
    case TConverterKind::Double:
        return kDouble;
    case TConverterKind::Repeater:
        return kRepeater;
    case TConverterKind::Single:
        break;
    }
    return kSingle;
}

std::optional<quint8> ConverterCode(TConverterKind Kind, quint32 Baud) {
    for (const TConverterRate& rate : ConverterRates(Kind))
        if (rate.Baud == Baud)
            return rate.Code;
    return std::nullopt;
}

std::optional<TConverterKind> ConverterKindByName(const QString& Name) {
    for (TConverterKind kind : {TConverterKind::Single, TConverterKind::Double, TConverterKind::Repeater})
        if (Name.compare(ConverterKindName(kind), Qt::CaseInsensitive) == 0)
            return kind;
    return std::nullopt;
}

QString ConverterKindName(TConverterKind Kind) {
    switch (Kind) {
    case TConverterKind::Double:
        return QStringLiteral("double");
    case TConverterKind::Repeater:
        return QStringLiteral("repeater");
    case TConverterKind::Single:
        break;
    }
    return QStringLiteral("single");
}

QString ConverterModel(TConverterKind Kind) {
    switch (Kind) {
    case TConverterKind::Double:
        return QStringLiteral("KVD-2xRS232-RS485-ILOOP-BUS");
    case TConverterKind::Repeater:
        return QStringLiteral("KVD-RS485-RS485-BUS");
    case TConverterKind::Single:
        break;
    }
    return QStringLiteral("KVD-RS232(USB)-LAN-RS485-BUS");
}

bool SendConverterCode(TAccessPoint& AP, quint8 Code) {
    const quint8 request[1] = {Code};
    // Room for the longest answer the line can give, though none is expected: an exchange that
    // expects 0 bytes reads none, so a 0- or 1-byte answer is never looked at.
    quint8 answer[TAccessPoint::kMaxAnswer] = {};
    return AP.Exchange(request, 1, 0, answer);
}
