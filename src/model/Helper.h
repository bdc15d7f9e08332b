#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Numbers in text. Decimals are always written and read with "." whatever the user's locale, so that
// texts stored or exchanged on one machine read back the same on any other.

// Value formatted with a picture mask ("#0.000": '0' a digit always shown, '#' a digit shown when
// needed, '.' the decimal point), with "." as the separator.
QString FloatToText(const QString& Mask, double Value);
// As FloatToText, then trailing zeros and a trailing "." removed; "0" for 0. 1.5 gives "1.5", 2.0 "2".
QString FloatToTrimmedText(const QString& Mask, double Value);
// As FloatToText, with Value held inside what the mask can show: below the mask's smallest step
// (its last character turned into "1") it becomes 0, above the mask's largest number (every
// character but "." turned into "9") it becomes that number.
QString FloatToClampedText(const QString& Mask, double Value);
// The number in Text ("." or "," as the separator); 0 for anything that is not a number.
double TextToFloat(const QString& Text);
// The number in Text, or nothing when it is not one.
std::optional<double> ParseFloat(const QString& Text);
// A signed 32-bit decimal integer, or nothing.
std::optional<qint32> ParseInt32(const QString& Text);
// A signed 64-bit decimal integer, or nothing.
std::optional<qint64> ParseInt64(const QString& Text);

// A and B share a set bit.
inline bool TestBits(quint32 A, quint32 B) {
    return (A & B) != 0;
}
inline quint32 SetBits(quint32 A, quint32 Bits) {
    return A | Bits;
}
inline quint32 ClearBits(quint32 A, quint32 Bits) {
    return A & ~Bits;
}
// Clears the bits when any of them is set, else sets them.
inline quint32 ToggleBits(quint32 A, quint32 Bits) {
    return TestBits(A, Bits) ? ClearBits(A, Bits) : SetBits(A, Bits);
}

// The low Width bits of Value, most significant first, as "0"/"1"; empty unless Width is 1 to 32.
QString BinaryText(quint32 Value, int Width);
// Code 0 reverses the four bytes, 2 exchanges the bytes within each half, 3 exchanges the halves;
// any other code returns Value.
quint32 ReorderBytes32(int Code, quint32 Value);
// Exchanges the two bytes unless Keep.
quint16 SwapBytes16(bool Keep, quint16 Value);
