#pragma once

#include <QtGlobal>

// CRC-16 with the Modbus parameters (reflected polynomial 0xA001, initial 0xFFFF, no final XOR),
// returned with its two bytes exchanged: the high byte of the result is the CRC's low byte, so
// writing the result high byte first puts the CRC on the wire low byte first. Over a whole intact
// frame, CRC included, the result is 0.
quint16 Crc16(const quint8* Data, int Count);

// Appends the CRC of Data[0 .. Count-1] at Data[Count], Data[Count+1] in wire order.
void PutCrc16(quint8* Data, int Count);
