#pragma once

#include "bus/PowerRSBus.h"
#include "protocol/ByteOrder.h"
#include "protocol/TransferProtocol.h"

#include <QString>
#include <QStringList>
#include <optional>

// Everything a command line can say, validated. Each command accepts its own subset of options.
struct TCliOptions {
    QString Command; // "read", "write", "info", "scan", "emulate", "help"

    // Where the bus is.
    QString Port; // "COMn" or a device path
    QString UdpHost; // instead of a port: a UDP gateway
    quint16 UdpPort = 0;
    int LocalPort = -1; // the gateway answers to this local port; -1: to the sender
    quint32 Baud = 9600;
    TParity Parity = ptNONE;
    TStopBits StopBits = sb1BITS;
    THwFlowControl Rts = hfRTSTOGGLE;
    bool Echo = false;
    int TimeoutMs = 200;
    int Tries = 2;

    // What to read or write, and how.
    TTransferProtocol Protocol = tpNerix;
    int Address = -1;
    int Object = -1;
    int Property = -1;
    bool Float = false;
    TByteOrder Order = boNAN;
    std::optional<quint32> Value; // the raw 32 bits to write

    // How to scan.
    QString From = QStringLiteral("1");
    QString To = QStringLiteral("255");
    quint32 SpeedMask = 0; // bits of the scan's speed set; none: --baud
    bool FirstOnly = false;
    bool BySpeeds = false;
    bool Json = false;

    // What to emulate: the device rows with their counts, as given; and whether every request and
    // answer is printed.
    QString Devices;
    bool Log = false;
};

struct TCliParseResult {
    bool Ok = false;
    QString Error; // why the command line was refused
    TCliOptions Options;
};

// Parses the arguments after the program name.
TCliParseResult ParseCliArguments(const QStringList& args);

// The usage text shown with --help and after a refused command line.
QString CliUsage();

// A 32-bit value from a command line: signed or unsigned decimal, or "0x" hexadecimal.
std::optional<quint32> ParseValue32(const QString& text);
// A single-precision number with "." as separator, whatever the locale.
std::optional<float> ParseFloatText(const QString& text);
// The shortest text that reads back as exactly `value`, with "." as separator.
QString FloatText(float value);
