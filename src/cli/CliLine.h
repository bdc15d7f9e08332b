#pragma once

#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "bus/UdpPortAccessPoint.h"
#include "bus/UdpSockets.h"
#include "cli/CliArgs.h"

#include <QTextStream>

class TCliIo;

// The options of the line: --port or --udp with --local-port, the serial settings, time-out, tries
// and protocol. A command that only listens (emulate) takes the first three alone.
TCliOption PortOption();
TCliOption ProtocolOption(const QString& Help);
TCliOption BaudOption();
std::vector<TCliOption> LineOptions();
// The checks that span the line's options: exactly one of --port and --udp, and what goes with UDP.
QString CheckLine(const TCliLineOptions& Line);

// The serial bus as the line options describe it: port, speed, framing, RTS, echo and time-out.
// Retries are the access point's, so the bus itself tries once.
void SetUpBus(TPowerRsBus& Bus, const TCliLineOptions& Line);

// The line a command talks over: a serial port, or a UDP gateway; with --log, every request and
// answer goes to stderr.
class TCliLine {
public:
    explicit TCliLine(const TCliLineOptions& Line);
    ~TCliLine();
    TCliLine(const TCliLine&) = delete;
    TCliLine& operator=(const TCliLine&) = delete;

    bool Udp() const { return FLine.Udp(); }
    // Opens the port or the gateway's sockets; false after telling Io why.
    bool Open(TCliIo& Io);
    // Prints every request sent and answer received on Err, with a time stamp.
    void LogTraffic(QTextStream& Err);

    TAccessPoint* AP() { return Udp() ? static_cast<TAccessPoint*>(&FUdpAP) : &FAP; }
    TComPortAccessPoint& ComAP() { return FAP; }
    TUdpPortAccessPoint& UdpAP() { return FUdpAP; }
    TPowerRsBus& Bus() { return FBus; }

private:
    bool OpenUdp(TCliIo& Io);

    const TCliLineOptions FLine;
    TPowerRsBus FBus;
    TComPortAccessPoint FAP;
    TUdpClientSocket FClient;
    TUdpServerSocket FServer;
    TUdpPortAccessPoint FUdpAP;
};

// "cannot open /dev/x: No such file or directory" from the port's own error text, which already
// names the device.
QString CannotOpenText(const QString& Port, const QString& LastError);
