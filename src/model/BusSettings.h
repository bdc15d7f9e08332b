#pragma once

#include <QString>
#include <QtGlobal>

// The bus settings word of a device (system property 3): bits 0..7 address, 8..15 the bus speed
// code minus 1 (the device counts from 0), 16..23 transfer protocol, 24..27 parity code
// (none, odd, even, mark, space), 28..31 stop-bits code (1, 1.5, 2).
struct TBusSettings {
    quint8 Address = 1;
    quint8 BaudCode = 7; // the bus's TBaudRate ordinal: 7 = 9600 bit/s
    quint8 Protocol = 0;
    quint8 ParityCode = 0;
    quint8 StopBitsCode = 0; // codes above 2 read as 0

    static TBusSettings Decode(quint32 Word);
    quint32 Encode() const;
    // "address 0x05 (5), 9600 bit/s, Nerix, parity none, 1 stop bit"; a speed field outside the bus's
    // table (1200 .. 921600 bit/s) reads "unknown speed code N" with N the field as the word holds it.
    QString Text() const;
};

// The names of parity codes ("none", "odd", "even", "mark", "space") and stop-bits codes ("1", "1.5",
// "2"), as the program shows and accepts them; empty for codes outside.
inline constexpr int kParityCount = 5;
inline constexpr int kStopBitsCount = 3;
QString ParityName(int Code);
QString StopBitsName(int Code);

// "0x1F (31)": how addresses are shown everywhere.
QString AddressText(quint8 Address);
// "0x1F": the short form of lists without room for the decimal.
QString HexAddressText(quint8 Address);
