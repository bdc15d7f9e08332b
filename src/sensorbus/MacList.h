#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

// One sensor's 8-byte identifier. Byte 0 is the sensor's family (its kind); the device passes the
// identifier as two 32-bit words, bytes 0..3 and 4..7, the lower byte in the lower bits.
class TOneWireMAC {
public:
    TOneWireMAC() = default;
    static TOneWireMAC FromWords(quint32 Low, quint32 High);
    // Exactly 16 hexadecimal digits (either case); nothing otherwise.
    static std::optional<TOneWireMAC> Parse(const QString& Text);

    // 16 upper-case hexadecimal digits, byte 0 first.
    QString Text() const;
    quint32 Low() const;
    quint32 High() const;
    quint8 Family() const { return FBytes[0]; }
    const std::array<quint8, 8>& Bytes() const { return FBytes; }
    bool operator==(const TOneWireMAC& Other) const { return FBytes == Other.FBytes; }

private:
    std::array<quint8, 8> FBytes{};
};

using TMACList = std::vector<TOneWireMAC>;

// How reading an identifier list ended.
struct TMacReadResult {
    enum TFault { None, BadValue, BadLength, ReadError };
    TFault Fault = None;
    int Line = 0;     // from 1
    QString LineText; // the offending line as it stands
    bool Ok() const { return Fault == None; }
};

// One identifier per line; lines end in CR, LF or CR LF. A line of 16 characters that is no
// identifier and a line of any other length both stop the reading there. An end of line after the
// last identifier is no extra line.
TMacReadResult ReadMacText(const QByteArray& Bytes, TMACList& List);
TMacReadResult ReadMacFile(const QString& Path, TMACList& List);
// The identifiers one per line, each line ended by CR.
QByteArray MacText(const TMACList& List);
// Writes through a temporary file, so a failure leaves the previous file whole.
bool WriteMacFile(const QString& Path, const TMACList& List);
