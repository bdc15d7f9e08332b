#pragma once

#include "protocol/TransferProtocol.h"

#include <QtGlobal>

// How long a frame on the line will be, told from its first bytes: the one place that knows, for
// whoever cuts a byte stream into frames (the emulator listening for requests, the monitor watching
// both directions).

// A request or its answer: in Modbus RTU the two differ in layout.
enum class TFrameRole { Request, Answer };

// The length the frame that Data[0 .. Count-1] begins with will have once complete, read as Role:
// > 0 the length; 0 when more bytes are needed to tell; -1 when the frame's length cannot be told
// from its bytes (an unknown Modbus function, a protocol without fixed frames) and only silence
// can end it.
int FrameLength(TTransferProtocol Protocol, TFrameRole Role, const quint8* Data, int Count);

// Modbus RTU requests: 8 bytes for functions 1 to 6, 7 + byte count + 2 for 15 and 16; 0 while
// that cannot be told yet or for any other function.
int ModbusRequestLength(const quint8* Data, int Count);
// Modbus RTU answers: 5 + byte count for functions 1 to 4, 8 for 5, 6, 15 and 16, 5 for an
// exception answer; 0 while that cannot be told yet or for any other function.
int ModbusAnswerLength(const quint8* Data, int Count);
