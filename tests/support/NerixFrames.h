#pragma once

#include <QByteArray>
#include <QtGlobal>

// Builds a Nerix frame (value most significant byte first) with its CRC.
QByteArray NerixFrame(quint8 address, quint8 operation, quint8 object, quint16 property, quint32 value);

// "05 00 00 ..." for failure messages and vectors.
QByteArray Hex(const QByteArray& bytes);
QByteArray FromHex(const char* spaced);
