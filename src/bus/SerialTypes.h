#pragma once

#include "platform/SerialLine.h"

#include <QString>
#include <QtGlobal>

// Line settings shared by the serial bus and the event-driven port. The ordinals are stored in the
// options and shown in dialogs, so the order of every enumeration is fixed.

// 0 = a port named by its path (PortName); n > 0 = "COMn".
using TPortNumber = int;
inline constexpr TPortNumber pnCustom = 0;

enum TDataBits { db5BITS, db6BITS, db7BITS, db8BITS };
enum TStopBits { sb1BITS, sb1HALFBITS, sb2BITS };
enum TParity { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
enum THwFlowControl { hfNONE, hfNONERTSON, hfRTSCTS, hfRTSTOGGLE };
enum TSwFlowControl { sfNONE, sfXONXOFF };

// "\\.\COMn": the name a port number stands for, as the options and the user see it.
QString PortNameOfNumber(TPortNumber number);

// The platform line settings for the given component settings.
TLineSettings MakeLineSettings(quint32 baudRateValue, TDataBits dataBits, TParity parity, TStopBits stopBits,
                               THwFlowControl hwFlow, TSwFlowControl swFlow, bool dtr);
