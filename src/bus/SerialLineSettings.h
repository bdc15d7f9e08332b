#pragma once

#include "bus/SerialTypes.h"

#include <QString>
#include <QtGlobal>

class TPowerRsBus;

// Everything a master needs to put the serial bus on a line, whoever decided it: the stored options
// of the window or the command line's arguments. One place turns it into bus settings, so the two
// cannot drift apart.
struct TSerialLineSettings {
    TPortNumber Port = pnCustom; // "COMn"; pnCustom: PortName is used as it is
    QString PortName;            // a device path or "COMn", with Port = pnCustom
    quint32 Baud = 9600;
    TParity Parity = ptNONE;
    TStopBits StopBits = sb1BITS;
    THwFlowControl HwFlow = hfRTSTOGGLE;
    // 0 or 1: RTS is set to that level once the port is open (a fixed-direction converter); -1
    // leaves RTS to HwFlow.
    int RtsLevel = -1;
    quint32 TimeoutMs = 50;
    bool LocalEcho = false;

    // The settings, before the bus is opened.
    void ApplyTo(TPowerRsBus& Bus) const;
    // What must wait until the port is open: the fixed RTS level.
    void AfterOpen(TPowerRsBus& Bus) const;
};
