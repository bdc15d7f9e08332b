#pragma once

#include "bus/SerialLineSettings.h"
#include "options/XMLClass.h"

#include <QString>
#include <QtGlobal>
#include <memory>

// The program's persistent settings, stored in "Options.xml". The property order is the element
// order of the file; property names are its element names, spelling included (RemoutePort).

// The address the UDP and TCP settings start with: a gateway on a private local network, which the
// user normally replaces in the UDP settings dialog.
inline constexpr char kDefaultGatewayHost[] = "192.168.0.100";

// The answer time-out range of the serial and UDP access points, in milliseconds.
inline constexpr int kMinAPTimeout = 20;
inline constexpr int kMaxAPTimeout = 10000;

// The access points as AccessPointID stores them (the TCP one has no connection behind it).
enum TAccessPointId { kAccessPointCom = 0, kAccessPointTcp = 1, kAccessPointUdp = 2 };

// How the serial access point drives RTS, as RTSMode stores it.
enum TRtsMode { rmLow = 0, rmHigh = 1, rmToggle = 2 };

class TComPortAPOptions : public TXMLClass {
    Q_OBJECT
    Q_PROPERTY(int Port READ Port WRITE SetPort)
    Q_PROPERTY(int RateID READ RateID WRITE SetRateID)
    Q_PROPERTY(int ParityID READ ParityID WRITE SetParityID)
    Q_PROPERTY(int RTSMode READ RTSMode WRITE SetRTSMode)
    Q_PROPERTY(int Timeout READ Timeout WRITE SetTimeout)
    Q_PROPERTY(int StopBitsID READ StopBitsID WRITE SetStopBitsID)
    Q_PROPERTY(bool LocalEcho READ LocalEcho WRITE SetLocalEcho)
public:
    Q_INVOKABLE explicit TComPortAPOptions(TXMLClass* Owner = nullptr);

    // Zero-based: the port is COM(Port + 1).
    int Port() const { return FPort; }
    void SetPort(int Value) { FPort = Value; }
    // Index into 110 ... 115200 bit/s; the bus's rate code is RateID + 1.
    int RateID() const { return FRateID; }
    void SetRateID(int Value) { FRateID = Value; }
    // TParity ordinal.
    int ParityID() const { return FParityID; }
    void SetParityID(int Value) { FParityID = Value; }
    // 0 RTS low, 1 RTS high, 2 RTS raised around each transmission. Anything else is no mode and is
    // ignored, negative numbers included.
    int RTSMode() const { return FRTSMode; }
    void SetRTSMode(int Value);
    // Answer time-out in milliseconds, 20 to 10000; other values are ignored.
    int Timeout() const { return FTimeout; }
    void SetTimeout(int Value);
    // TStopBits ordinal. SetDefaults leaves it alone.
    int StopBitsID() const { return FStopBitsID; }
    void SetStopBitsID(int Value);
    // The adapter echoes what is sent (absent from older files: off).
    bool LocalEcho() const { return FLocalEcho; }
    void SetLocalEcho(bool Value) { FLocalEcho = Value; }

    void SetDefaults() override;

    // The bus settings these options stand for. A value that a hand-edited file spoilt gives that
    // setting's default rather than a wrong line.
    TSerialLineSettings LineSettings() const;

private:
    bool FLocalEcho = false;
    int FPort = 0;
    int FRateID = 0;
    int FParityID = 0;
    int FRTSMode = 0;
    int FTimeout = 0;
    int FStopBitsID = 0;
};

class TUdpPortAPOptions : public TXMLClass {
    Q_OBJECT
    Q_PROPERTY(QString Host READ Host WRITE SetHost)
    Q_PROPERTY(quint16 RemoutePort READ RemoutePort WRITE SetRemoutePort)
    Q_PROPERTY(bool UseLocalPort READ UseLocalPort WRITE SetUseLocalPort)
    Q_PROPERTY(quint16 LocalPort READ LocalPort WRITE SetLocalPort)
    Q_PROPERTY(int Timeout READ Timeout WRITE SetTimeout)
public:
    Q_INVOKABLE explicit TUdpPortAPOptions(TXMLClass* Owner = nullptr);

    QString Host() const { return FHost; }
    void SetHost(const QString& Value) { FHost = Value; }
    quint16 RemoutePort() const { return FRemoutePort; }
    void SetRemoutePort(quint16 Value) { FRemoutePort = Value; }
    // Answers arrive on the fixed LocalPort.
    bool UseLocalPort() const { return FUseLocalPort; }
    void SetUseLocalPort(bool Value) { FUseLocalPort = Value; }
    quint16 LocalPort() const { return FLocalPort; }
    void SetLocalPort(quint16 Value) { FLocalPort = Value; }
    // Answer time-out in milliseconds, 20 to 10000; other values are ignored.
    int Timeout() const { return FTimeout; }
    void SetTimeout(int Value);

    void SetDefaults() override;

private:
    QString FHost;
    quint16 FRemoutePort = 0;
    bool FUseLocalPort = false;
    quint16 FLocalPort = 0;
    int FTimeout = 0;
};

// The TCP connection: a serial device server or a Modbus TCP gateway. Framing and Timeout came later
// than Host and RemoutePort; a file without them loads with their defaults.
class TTcpPortAPOptions : public TXMLClass {
    Q_OBJECT
    Q_PROPERTY(QString Host READ Host WRITE SetHost)
    Q_PROPERTY(quint16 RemoutePort READ RemoutePort WRITE SetRemoutePort)
    Q_PROPERTY(int Framing READ Framing WRITE SetFraming)
    Q_PROPERTY(int Timeout READ Timeout WRITE SetTimeout)
public:
    Q_INVOKABLE explicit TTcpPortAPOptions(TXMLClass* Owner = nullptr);

    QString Host() const { return FHost; }
    void SetHost(const QString& Value) { FHost = Value; }
    quint16 RemoutePort() const { return FRemoutePort; }
    void SetRemoutePort(quint16 Value) { FRemoutePort = Value; }
    // 0 the bus's bytes unchanged (serial device server), 1 Modbus TCP; other values are ignored.
    int Framing() const { return FFraming; }
    void SetFraming(int Value);
    // Answer time-out in milliseconds, 20 to 10000; other values are ignored.
    int Timeout() const { return FTimeout; }
    void SetTimeout(int Value);

    void SetDefaults() override;

private:
    QString FHost;
    quint16 FRemoutePort = 0;
    int FFraming = 0;
    int FTimeout = 200;
};

class TAccessPointsOptions : public TXMLClass {
    Q_OBJECT
    Q_PROPERTY(TComPortAPOptions* ComPortAPOptions READ ComPortAPOptions CONSTANT)
    Q_PROPERTY(TUdpPortAPOptions* UdpPortAPOptions READ UdpPortAPOptions CONSTANT)
    Q_PROPERTY(TTcpPortAPOptions* TcpPortAPOptions READ TcpPortAPOptions CONSTANT)
    Q_PROPERTY(int AccessPointID READ AccessPointID WRITE SetAccessPointID)
public:
    Q_INVOKABLE explicit TAccessPointsOptions(TXMLClass* Owner = nullptr);
    ~TAccessPointsOptions() override;

    TComPortAPOptions* ComPortAPOptions() const { return FComPortAPOptions.get(); }
    TUdpPortAPOptions* UdpPortAPOptions() const { return FUdpPortAPOptions.get(); }
    TTcpPortAPOptions* TcpPortAPOptions() const { return FTcpPortAPOptions.get(); }
    // The access point chosen in the main window: 0 serial port, 1 TCP port, 2 UDP port.
    int AccessPointID() const { return FAccessPointID; }
    void SetAccessPointID(int Value) { FAccessPointID = Value; }

    void SetDefaults() override;

private:
    // Serial, TCP, UDP: the order they have always been made in.
    std::unique_ptr<TComPortAPOptions> FComPortAPOptions;
    std::unique_ptr<TTcpPortAPOptions> FTcpPortAPOptions;
    std::unique_ptr<TUdpPortAPOptions> FUdpPortAPOptions;
    int FAccessPointID = 0;
};

class TEmulatorOptions : public TXMLClass {
    Q_OBJECT
    Q_PROPERTY(int Port READ Port WRITE SetPort)
    Q_PROPERTY(int RateID READ RateID WRITE SetRateID)
    Q_PROPERTY(int Protocol READ Protocol WRITE SetProtocol)
    Q_PROPERTY(QString Faults READ Faults WRITE SetFaults)
    Q_PROPERTY(QString FaultSeed READ FaultSeed WRITE SetFaultSeed)
    Q_PROPERTY(bool TcpListen READ TcpListen WRITE SetTcpListen)
    Q_PROPERTY(int TcpPort READ TcpPort WRITE SetTcpPort)
    Q_PROPERTY(bool Mbap READ Mbap WRITE SetMbap)
public:
    static constexpr int kDefaultTcpPort = 5020;

    Q_INVOKABLE explicit TEmulatorOptions(TXMLClass* Owner = nullptr);

    // Index in the emulator's port list: the port is COM(Port + 1).
    int Port() const { return FPort; }
    void SetPort(int Value) { FPort = Value; }
    // Index in the same rate list as the serial settings.
    int RateID() const { return FRateID; }
    void SetRateID(int Value) { FRateID = Value; }
    // 0 Nerix, 1 Modbus RTU. SetDefaults leaves it alone.
    int Protocol() const { return FProtocol; }
    void SetProtocol(int Value) { FProtocol = Value; }
    // The faults in the text form the emulate command takes, kept as typed (the window checks
    // them before they are used); empty: none. A file from before faults existed leaves it empty.
    QString Faults() const { return FFaults; }
    void SetFaults(const QString& Value) { FFaults = Value; }
    // The faults' seed as typed; empty: a new seed each time the emulator starts.
    QString FaultSeed() const { return FFaultSeed; }
    void SetFaultSeed(const QString& Value) { FFaultSeed = Value; }
    // TCP masters on TcpPort instead of the serial port; with Mbap as a Modbus TCP gateway. A file
    // from before the TCP choice existed leaves the serial port, on the default TCP port.
    bool TcpListen() const { return FTcpListen; }
    void SetTcpListen(bool Value) { FTcpListen = Value; }
    // 1 .. 65535; a value outside is taken as the default.
    int TcpPort() const { return FTcpPort; }
    void SetTcpPort(int Value) { FTcpPort = Value >= 1 && Value <= 65535 ? Value : kDefaultTcpPort; }
    bool Mbap() const { return FMbap; }
    void SetMbap(bool Value) { FMbap = Value; }

    void SetDefaults() override;

private:
    int FPort = 0;
    int FRateID = 0;
    int FProtocol = 0;
    QString FFaults;
    QString FFaultSeed;
    bool FTcpListen = false;
    int FTcpPort = kDefaultTcpPort;
    bool FMbap = false;
};

// The root of the options.
class TAdminOptions : public TXMLClass {
    Q_OBJECT
    Q_PROPERTY(int LanguageID READ LanguageID WRITE SetLanguageID)
    Q_PROPERTY(bool LiteVersion READ LiteVersion WRITE SetLiteVersion)
    Q_PROPERTY(TEmulatorOptions* EmulatorPoints READ EmulatorPoints CONSTANT)
    Q_PROPERTY(TAccessPointsOptions* AccessPoints READ AccessPoints CONSTANT)
public:
    Q_INVOKABLE explicit TAdminOptions(TXMLClass* Owner = nullptr);
    ~TAdminOptions() override;

    // The interface language as a Windows primary language identifier (9 English, 34 Ukrainian).
    int LanguageID() const { return FLanguageID; }
    void SetLanguageID(int Value) { FLanguageID = Value; }
    // True: Lite mode, writes to a device's flash memory are refused.
    bool LiteVersion() const { return FLiteVersion; }
    void SetLiteVersion(bool Value) { FLiteVersion = Value; }
    TEmulatorOptions* EmulatorPoints() const { return FEmulatorPoints.get(); }
    TAccessPointsOptions* AccessPoints() const { return FAccessPoints.get(); }

    void SetDefaults() override;

private:
    int FLanguageID = 0;
    bool FLiteVersion = false;
    std::unique_ptr<TAccessPointsOptions> FAccessPoints;
    std::unique_ptr<TEmulatorOptions> FEmulatorPoints;
};
