#pragma once

#include "bus/SerialTypes.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QTimer;
class TSerialLine;
class TCommPortDriver;

namespace CPDrv {
// The event-driven port's own speed list (it differs from the bus's).
enum TBaudRate {
    brCustom,
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000,
};
inline constexpr int kBaudRateCount = 16;
quint32 BaudRateBits(TBaudRate rate);
} // namespace CPDrv

enum TPacketMode { pmDiscard, pmPass };

using TReceiveDataEvent = std::function<void(TCommPortDriver* Sender, const quint8* DataPtr, quint32 DataSize)>;
using TReceivePacketEvent = std::function<void(TCommPortDriver* Sender, const quint8* Packet, quint32 DataSize)>;

// A serial port that listens instead of asking: a window timer polls it every PollingDelay ms and
// hands whatever arrived to OnReceiveData, on the window thread. Used where the program is the one
// being asked (emulated devices) or assembles frames itself.
class TCommPortDriver {
public:
    TCommPortDriver();
    ~TCommPortDriver();
    TCommPortDriver(const TCommPortDriver&) = delete;
    TCommPortDriver& operator=(const TCommPortDriver&) = delete;

    bool Open();
    void Close();
    bool IsOpen() const;
    bool ApplySettings();
    bool Purge(bool Input, bool Output);
    quint32 InQueueCount();
    qint16 OutQueueFree() const;
    // Neither waits for window events: they run on the window thread from the timer.
    quint32 Send(const quint8* Buffer, quint32 Count);
    quint32 Receive(quint8* Buffer, quint32 Count);

    QString LastError() const { return FLastError; }
    QString DevicePath() const;

    TPortNumber Port() const { return FPort; }
    void SetPort(TPortNumber Value);
    QString PortName() const { return FPortName; }
    void SetPortName(const QString& Value);
    CPDrv::TBaudRate BaudRate() const { return FBaudRate; }
    void SetBaudRate(CPDrv::TBaudRate Value);
    quint32 BaudRateValue() const { return FBaudRateValue; }
    void SetBaudRateValue(quint32 Value);
    TDataBits DataBits() const { return FDataBits; }
    void SetDataBits(TDataBits Value);
    TStopBits StopBits() const { return FStopBits; }
    void SetStopBits(TStopBits Value);
    TParity Parity() const { return FParity; }
    void SetParity(TParity Value);
    // hfRTSTOGGLE does not exist for this port and is taken as hfNONERTSON.
    THwFlowControl HwFlow() const { return FHwFlow; }
    void SetHwFlow(THwFlowControl Value);
    TSwFlowControl SwFlow() const { return FSwFlow; }
    void SetSwFlow(TSwFlowControl Value);
    quint32 InBufSize() const { return FInBufSize; }
    void SetInBufSize(quint32 Value);
    quint32 OutBufSize() const { return FOutBufSize; }
    void SetOutBufSize(quint32 Value);
    qint16 PacketSize() const { return FPacketSize; }
    void SetPacketSize(qint16 Value);
    int PacketTimeout() const { return FPacketTimeout; }
    void SetPacketTimeout(int Value) { FPacketTimeout = Value; }
    TPacketMode PacketMode() const { return FPacketMode; }
    void SetPacketMode(TPacketMode Value) { FPacketMode = Value; }
    quint16 PollingDelay() const { return FPollingDelay; }
    // At least 5 ms; a change restarts the timer.
    void SetPollingDelay(quint16 Value);
    bool EnableDTROnOpen() const { return FEnableDTROnOpen; }
    void SetEnableDTROnOpen(bool Value) { FEnableDTROnOpen = Value; }
    quint16 OutputTimeout() const { return FOutputTimeout; }
    void SetOutputTimeout(quint16 Value) { FOutputTimeout = Value; }
    quint32 InputTimeout() const { return FInputTimeout; }
    void SetInputTimeout(quint32 Value) { FInputTimeout = Value; }
    bool CheckLineStatus() const { return FCheckLineStatus; }
    void SetCheckLineStatus(bool Value) { FCheckLineStatus = Value; }

    TReceiveDataEvent OnReceiveData;
    TReceivePacketEvent OnReceivePacket;

    // One poll, as the timer does it; public so that tests and callers in a hurry need not wait.
    void Poll();

private:
    void DeliverPackets();

    std::unique_ptr<TSerialLine> FLine;
    std::unique_ptr<QTimer> FTimer;
    bool FOpen = false;
    int FReading = 0;
    QString FLastError;
    QByteArray FReceiveBlock;
    QByteArray FPacket;
    quint64 FPacketStart = 0;

    TPortNumber FPort = 2;
    QString FPortName = PortNameOfNumber(2);
    CPDrv::TBaudRate FBaudRate = CPDrv::br9600;
    quint32 FBaudRateValue = 9600;
    TDataBits FDataBits = db8BITS;
    TStopBits FStopBits = sb1BITS;
    TParity FParity = ptNONE;
    THwFlowControl FHwFlow = hfNONERTSON;
    TSwFlowControl FSwFlow = sfNONE;
    quint32 FInBufSize = 2048;
    quint32 FOutBufSize = 2048;
    qint16 FPacketSize = -1;
    int FPacketTimeout = -1;
    TPacketMode FPacketMode = pmDiscard;
    quint16 FPollingDelay = 50;
    bool FEnableDTROnOpen = true;
    quint16 FOutputTimeout = 500;
    quint32 FInputTimeout = 200;
    bool FCheckLineStatus = false;
};
