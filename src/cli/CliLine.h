#pragma once

#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "bus/TcpPortAccessPoint.h"
#include "bus/UdpPortAccessPoint.h"
#include "bus/UdpSockets.h"
#include "cli/CliArgs.h"

#include <QTextStream>

class TCliIo;

// The options of the line: --port, --udp with --local-port or --tcp with --mbap, the serial
// settings, time-out, tries
// and protocol. A command that only listens (emulate) takes the first three alone.
TCliOption PortOption();
TCliOption ProtocolOption(const QString& Help);
TCliOption BaudOption();
std::vector<TCliOption> LineOptions();
// --mbap, on its own for the emulator.
TCliOption MbapOption();
// "HOST:PORT" with a port of 1 .. 65535 (an IPv6 host in brackets); false for anything else.
bool ParseHostPort(const QString& Text, QString& Host, quint16& Port);
// The checks that span the line's options: exactly one of --port, --udp and --tcp, and what goes
// with UDP and TCP.
QString CheckLine(const TCliLineOptions& Line);

// The serial bus as the line options describe it: port, speed, framing, RTS, echo and time-out.
// Retries are the access point's, so the bus itself tries once.
void SetUpBus(TPowerRsBus& Bus, const TCliLineOptions& Line);

// The line a command talks over: a serial port, a UDP gateway or a TCP converter; with --log, every
// request and answer goes to stderr.
class TCliLine {
public:
    explicit TCliLine(const TCliLineOptions& Line);
    ~TCliLine();
    TCliLine(const TCliLine&) = delete;
    TCliLine& operator=(const TCliLine&) = delete;

    bool Udp() const { return FLine.Udp(); }
    bool Tcp() const { return FLine.Tcp(); }
    // Opens the port, the gateway's sockets or the TCP connection; false after telling Io why.
    bool Open(TCliIo& Io);
    // Prints every request sent and answer received on Err, with a time stamp.
    void LogTraffic(QTextStream& Err);

    TAccessPoint* AP() {
        if (Tcp())
            return &FTcpAP;
        return Udp() ? static_cast<TAccessPoint*>(&FUdpAP) : &FAP;
    }
    TComPortAccessPoint& ComAP() { return FAP; }
    TUdpPortAccessPoint& UdpAP() { return FUdpAP; }
    TTcpPortAccessPoint& TcpAP() { return FTcpAP; }
    TPowerRsBus& Bus() { return FBus; }

private:
    bool OpenUdp(TCliIo& Io);

    const TCliLineOptions FLine;
    TPowerRsBus FBus;
    TComPortAccessPoint FAP;
    TUdpClientSocket FClient;
    TUdpServerSocket FServer;
    TUdpPortAccessPoint FUdpAP;
    TTcpPortAccessPoint FTcpAP;
};

// "cannot open /dev/x: No such file or directory" from the port's own error text, which already
// names the device.
QString CannotOpenText(const QString& Port, const QString& LastError);
