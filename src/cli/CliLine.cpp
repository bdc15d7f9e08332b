#include "cli/CliLine.h"

#include "bus/SerialLineSettings.h"
#include "cli/CliOutput.h"
#include "model/BusSettings.h"
#include "protocol/ModbusTcp.h"

#include <QHostAddress>

TCliOption PortOption() {
    return {QStringLiteral("port"), QStringLiteral("COMn|PATH"),
            QStringLiteral("the serial port, as \"COM\" and a number or as a device path"), false,
            [](TCliOptions& o, const QString& v) -> QString {
                if (v.isEmpty())
                    return QStringLiteral("--port needs COMn or a device path");
                o.Line.Port = v;
                return {};
            }};
}

TCliOption ProtocolOption(const QString& Help) {
    return {QStringLiteral("protocol"), QStringLiteral("P"), Help, false,
            [](TCliOptions& o, const QString& v) -> QString {
                if (v.compare(QLatin1String("nerix"), Qt::CaseInsensitive) == 0)
                    o.Line.Protocol = tpNerix;
                else if (v.compare(QLatin1String("modbus"), Qt::CaseInsensitive) == 0)
                    o.Line.Protocol = tpModbus;
                else
                    return QStringLiteral("--protocol must be nerix or modbus, not \"%1\"").arg(v);
                o.Line.ProtocolGiven = true;
                return {};
            }};
}

TCliOption BaudOption() {
    return {QStringLiteral("baud"), QStringLiteral("N"), QStringLiteral("speed in bit/s (default 9600)"),
            false, [](TCliOptions& o, const QString& v) -> QString {
                const auto n = ParseInteger(v);
                if (!n || *n < 50 || *n > 4000000)
                    return QStringLiteral("--baud must be a speed in bit/s, not \"%1\"").arg(v);
                o.Line.Baud = quint32(*n);
                return {};
            }};
}

bool ParseHostPort(const QString& Text, QString& Host, quint16& Port) {
    const qsizetype colon = Text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    QString host = Text.left(colon);
    // An IPv6 address goes in brackets, as in a URL: [::1]:502.
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    else if (host.contains(QLatin1Char(':')))
        return false;
    const QString portText = Text.mid(colon + 1);
    bool ok = false;
    const int port = portText.toInt(&ok);
    if (host.isEmpty() || host.contains(QLatin1Char(' ')) || !ok || port < 1 || port > 65535 ||
        portText.startsWith(QLatin1Char('+')))
        return false;
    Host = host;
    Port = quint16(port);
    return true;
}

TCliOption MbapOption() {
    return {QStringLiteral("mbap"),
            {},
            QStringLiteral("Modbus TCP framing (MBAP header, no CRC) for a Modbus TCP gateway;\n"
                           "the protocol is modbus then"),
            false,
            [](TCliOptions& o, const QString&) -> QString {
                o.Line.Mbap = true;
                // A Modbus TCP gateway carries nothing else; an explicit "--protocol nerix" is refused
                // when the line is checked.
                if (!o.Line.ProtocolGiven)
                    o.Line.Protocol = tpModbus;
                return {};
            }};
}

namespace {

TCliOption UdpOption() {
    return {QStringLiteral("udp"), QStringLiteral("HOST:PORT"),
            QStringLiteral("instead of --port: the devices behind this UDP gateway"), false,
            [](TCliOptions& o, const QString& v) -> QString {
                quint16 port = 0;
                if (!ParseHostPort(v, o.Line.UdpHost, port))
                    return QStringLiteral("--udp needs HOST:PORT, not \"%1\"").arg(v);
                o.Line.UdpPort = port;
                return {};
            }};
}

TCliOption TcpOption() {
    return {QStringLiteral("tcp"), QStringLiteral("HOST:PORT"),
            QStringLiteral("instead of --port: the devices behind this serial device server\n"
                           "(transparent mode) or, with --mbap, Modbus TCP gateway"),
            false, [](TCliOptions& o, const QString& v) -> QString {
                quint16 port = 0;
                if (!ParseHostPort(v, o.Line.TcpHost, port))
                    return QStringLiteral("--tcp needs HOST:PORT, not \"%1\"").arg(v);
                o.Line.TcpPort = port;
                return {};
            }};
}

TCliOption ParityOption() {
    return {QStringLiteral("parity"), QStringLiteral("P"),
            QStringLiteral("none|odd|even|mark|space (default none)"), false,
            [](TCliOptions& o, const QString& v) -> QString {
                for (int code = 0; code < kParityCount; ++code)
                    if (v.compare(ParityName(code), Qt::CaseInsensitive) == 0) {
                        o.Line.Parity = TParity(code);
                        return {};
                    }
                return QStringLiteral("--parity must be none, odd, even, mark or space, not \"%1\"").arg(v);
            }};
}

TCliOption StopOption() {
    return {QStringLiteral("stop"), QStringLiteral("S"), QStringLiteral("1|1.5|2 stop bits (default 1)"),
            false, [](TCliOptions& o, const QString& v) -> QString {
                for (int code = 0; code < kStopBitsCount; ++code)
                    if (v == StopBitsName(code)) {
                        o.Line.StopBits = TStopBits(code);
                        return {};
                    }
                return QStringLiteral("--stop must be 1, 1.5 or 2, not \"%1\"").arg(v);
            }};
}

TCliOption RtsOption() {
    return {QStringLiteral("rts"), QStringLiteral("M"),
            QStringLiteral("off|on|handshake|toggle (default toggle: raised while sending)"), false,
            [](TCliOptions& o, const QString& v) -> QString {
                // In the order of THwFlowControl.
                static const QStringList names = {QStringLiteral("off"), QStringLiteral("on"),
                                                  QStringLiteral("handshake"), QStringLiteral("toggle")};
                const qsizetype i = names.indexOf(v.toLower());
                if (i < 0)
                    return QStringLiteral("--rts must be off, on, handshake or toggle, not \"%1\"").arg(v);
                o.Line.Rts = THwFlowControl(i);
                return {};
            }};
}

// The line's integer options live in TCliLineOptions, out of IntegerIn's reach.
TCliApply LineIntegerIn(int TCliLineOptions::*Field, const char* Name, qint64 Lo, qint64 Hi) {
    return [=](TCliOptions& o, const QString& text) {
        return ParseIntegerIn(text, Name, Lo, Hi, o.Line.*Field);
    };
}

} // namespace

std::vector<TCliOption> LineOptions() {
    return {
        PortOption(),
        UdpOption(),
        TcpOption(),
        MbapOption(),
        {QStringLiteral("local-port"), QStringLiteral("N"),
         QStringLiteral("with --udp: the gateway answers to this local port\n(default: to the sender)"),
         false, LineIntegerIn(&TCliLineOptions::LocalPort, "--local-port", 1, 65535)},
        ProtocolOption(QStringLiteral("nerix|modbus (default nerix); modbus reaches a property through\n"
                                      "the device's register map (two holding registers)")),
        BaudOption(),
        ParityOption(),
        StopOption(),
        RtsOption(),
        {QStringLiteral("echo"),
         {},
         QStringLiteral("the line echoes what is sent; skip the echo before the answer"),
         false,
         [](TCliOptions& o, const QString&) -> QString {
             o.Line.Echo = true;
             return {};
         }},
        {QStringLiteral("timeout"), QStringLiteral("MS"),
         QStringLiteral("idle time-out of an answer in ms (default 200; UDP: at least 10)"), false,
         LineIntegerIn(&TCliLineOptions::TimeoutMs, "--timeout", 1, 60000)},
        {QStringLiteral("tries"), QStringLiteral("N"),
         QStringLiteral("attempts per exchange, 1 to 10 (default 2)"), false,
         LineIntegerIn(&TCliLineOptions::Tries, "--tries", 1, 10)},
    };
}

QString CheckLine(const TCliLineOptions& Line) {
    if (int(!Line.Port.isEmpty()) + int(Line.Udp()) + int(Line.Tcp()) != 1)
        return QStringLiteral("give one of --port, --udp and --tcp");
    if (Line.Mbap && !Line.Tcp())
        return QStringLiteral("--mbap goes with --tcp");
    if (Line.Mbap && Line.Protocol != tpModbus)
        return QStringLiteral("a Modbus TCP gateway (--mbap) carries Modbus only, not --protocol nerix");
    if (Line.Tcp() && Line.TimeoutMs < 10)
        return QStringLiteral("--timeout must be at least 10 ms over TCP");
    if (Line.Udp() && Line.TimeoutMs < 10)
        return QStringLiteral("--timeout must be at least 10 ms for a UDP gateway");
    if (Line.LocalPort >= 0 && !Line.Udp())
        return QStringLiteral("--local-port goes with --udp");
    return {};
}

void SetUpBus(TPowerRsBus& Bus, const TCliLineOptions& Line) {
    // The same conversion as the window's stored options go through; a path or a "COMn" name both
    // go by name here.
    TSerialLineSettings s;
    s.PortName = Line.Port;
    s.Baud = Line.Baud;
    s.Parity = Line.Parity;
    s.StopBits = Line.StopBits;
    s.HwFlow = Line.Rts;
    s.TimeoutMs = quint32(Line.TimeoutMs);
    s.LocalEcho = Line.Echo;
    s.ApplyTo(Bus);
    Bus.SetTryCount(0);
}

TCliLine::TCliLine(const TCliLineOptions& Line) : FLine(Line) {
    if (Tcp()) {
        FTcpAP.SetHost(Line.TcpHost);
        FTcpAP.SetPort(Line.TcpPort);
        if (Line.Mbap)
            UseModbusTcp(FTcpAP);
        FTcpAP.SetTimeout(Line.TimeoutMs);
        FTcpAP.SetTryCount(Line.Tries);
        return;
    }
    if (Udp()) {
        FClient.SetHost(Line.UdpHost);
        FClient.SetRemotePort(Line.UdpPort);
        FServer.SetDefaultPort(quint16(std::max(Line.LocalPort, 0)));
        FUdpAP.SetUDPClient(&FClient);
        FUdpAP.SetUDPServer(&FServer);
        FUdpAP.SetUseLocalPort(Line.LocalPort >= 0);
        FUdpAP.SetTimeout(Line.TimeoutMs);
        FUdpAP.SetTryCount(Line.Tries);
        return;
    }
    SetUpBus(FBus, Line);
    FAP.SetBus(&FBus);
    FAP.SetTryCount(Line.Tries);
}

TCliLine::~TCliLine() {
    FBus.OnLocalEchoDetected = nullptr;
    AP()->OnTraffic = nullptr;
    AP()->SetActive(false);
}

QString CannotOpenText(const QString& Port, const QString& LastError) {
    // The port's error reads "PATH: reason" when the device exists by name, or says itself which
    // name it could not resolve.
    if (LastError.isEmpty())
        return QStringLiteral("cannot open %1").arg(Port);
    if (LastError.contains(QLatin1String(": ")))
        return QStringLiteral("cannot open ") + LastError;
    if (LastError.startsWith(Port))
        return LastError;
    return QStringLiteral("cannot open %1: %2").arg(Port, LastError);
}

bool TCliLine::Open(TCliIo& Io) {
    if (Udp())
        return OpenUdp(Io);
    if (Tcp()) {
        FTcpAP.SetActive(true);
        if (FTcpAP.Active())
            return true;
        Io.Fail(FTcpAP.LastError(), {{QStringLiteral("tcp"), FTcpAP.PeerText()}});
        return false;
    }
    FBus.OnLocalEchoDetected = [&Io] {
        if (!Io.Json())
            Io.Err() << "dovuvavarovod-cli: the line echoes what is sent; taking the echo back from now on "
                        "(--echo says so from the start)"
                     << Qt::endl;
    };
    AP()->SetActive(true);
    if (AP()->Active())
        return true;
    QString message = CannotOpenText(FLine.Port, FBus.LastError());
    if (FBus.LastErrorIsPermission())
        message +=
            QStringLiteral(" (the user must be in the \"dialout\" group: sudo adduser $USER dialout, then "
                           "log in again)");
    Io.Fail(message, {{QStringLiteral("port"), FLine.Port}});
    return false;
}

bool TCliLine::OpenUdp(TCliIo& Io) {
    const QString gateway = QStringLiteral("%1:%2").arg(FLine.UdpHost).arg(FLine.UdpPort);
    // Names under ".invalid" never resolve (RFC 6761), so there is nothing to ask a name server.
    const bool reserved = FLine.UdpHost.endsWith(QLatin1String(".invalid"), Qt::CaseInsensitive) ||
                          FLine.UdpHost.compare(QLatin1String("invalid"), Qt::CaseInsensitive) == 0;
    // Resolved once here: a name that does not resolve would otherwise only show as "no answer".
    const QHostAddress address = reserved ? QHostAddress() : FClient.ResolveHost();
    if (address.isNull()) {
        Io.Fail(QStringLiteral("cannot resolve host %1").arg(FLine.UdpHost),
                {{QStringLiteral("host"), FLine.UdpHost}});
        return false;
    }
    FClient.SetHost(address.toString());
    AP()->SetActive(true);
    if (AP()->Active())
        return true;
    Io.Fail(QStringLiteral("cannot open the UDP connection to %1%2")
                .arg(gateway, FLine.LocalPort >= 0
                                  ? QStringLiteral(" with local port %1").arg(FLine.LocalPort)
                                  : QString()),
            {{QStringLiteral("gateway"), gateway}});
    return false;
}

void TCliLine::LogTraffic(QTextStream& Err) {
    AP()->OnTraffic = [&Err](const quint8* Buffer, quint16 Length, bool Received) {
        Err << TimeStamp() << (Received ? " RX " : " TX ") << HexBytes(Buffer, Length) << Qt::endl;
    };
}
