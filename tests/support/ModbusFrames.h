#pragma once

#include <QByteArray>

// The frame with its CRC appended as Modbus RTU carries it, e.g. WithCrc(FromHex("01 03 00 20 00 02")).
QByteArray WithCrc(QByteArray Body);
// A string literal would be taken as the frame's bytes, not as the hex it spells.
QByteArray WithCrc(const char*) = delete;
