#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

class TAccessPoint;

// The interface converters whose working speed a one-byte code sets.
enum class TConverterKind { Single, Double, Repeater };

struct TConverterRate {
    const char* Name; // "br9600"
    quint32 Baud;
    quint8 Code;
};
inline constexpr int kConverterRateCount = 9;
using TConverterRates = std::array<TConverterRate, kConverterRateCount>;

// The fixed table of one converter, in the order the dialog lists it (br1200 first). The codes follow
// no rule from the speed and are sent as they stand.
const TConverterRates& ConverterRates(TConverterKind Kind);
// The code for a speed in bit/s; nothing for a speed the table does not have.
std::optional<quint8> ConverterCode(TConverterKind Kind, quint32 Baud);
// "single", "double", "repeater" (as the command line names them); nothing for another word.
std::optional<TConverterKind> ConverterKindByName(const QString& Name);
QString ConverterKindName(TConverterKind Kind);
// The model the kind configures: "KVD-RS232(USB)-LAN-RS485-BUS" ...
QString ConverterModel(TConverterKind Kind);

// Sends the code byte through the access point: a one-byte request, no answer expected. The
// converter answers nothing; whatever comes back is not read. True when the request went out.
bool SendConverterCode(TAccessPoint& AP, quint8 Code);
