#pragma once

#include "bus/AccessPoint.h"
#include "bus/SerialTypes.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>

class TSerialLine;

// Speeds of the bus; the ordinal is the "rate ID" that the scan and the device list carry (the options
// store it minus 1). brCustom means BaudRateValue is used as it is.
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
    br153600,
    br230400,
    br345600,
    br460800,
    br576000,
    br691200,
    br921600,
};
inline constexpr int kBaudRateCount = 21;

// Bits per second of a rate; 0 for brCustom and out-of-range values.
quint32 BaudRateBits(TBaudRate rate);
// The rate whose speed is exactly `bits`, or brCustom.
TBaudRate BaudRateOfBits(quint32 bits);

class TPowerRsBus;
using TNotifyEvent = std::function<void(TPowerRsBus* Sender)>;
using TRsDataTransferEvent =
    std::function<void(const quint8* TxBuffer, quint16 TxSize, const quint8* RxBuffer, quint16 RxSize)>;

// The serial bus: one RS-485/RS-232 port on which requests are sent and answers collected
// synchronously. While it waits it processes pending window events, so the window stays alive.
class TPowerRsBus {
public:
    static constexpr int kMaxRequest = 1000;

    TPowerRsBus();
    ~TPowerRsBus();
    TPowerRsBus(const TPowerRsBus&) = delete;
    TPowerRsBus& operator=(const TPowerRsBus&) = delete;

    bool Open();
    void Close();
    bool IsOpen() const;
    bool ApplySettings();
    bool Purge(bool Input, bool Output);

    // Bytes waiting to be read; 65535 when closed.
    quint32 InQueueCount();
    // OutBufSize minus the bytes still queued for output; -1 when closed.
    qint16 OutQueueFree() const;

    quint32 Send(const quint8* Buffer, quint32 Count, quint32 Timeout);
    quint32 Receive(quint8* Buffer, quint32 Count);

    // Sends the first RequestLength bytes of Buffer and reads AnswerLength answer bytes into it, so
    // Buffer must hold the larger of the two. A call made while another exchange of this bus is
    // waiting fails at once, without touching the line.
    //
    // With a Check, an answer it rejects is not given up at once: the window slides on byte by byte
    // (each new byte under the same idle time-out) until a frame passes, so noise on the line's
    // turn-round or the tail of a late answer in front of the real one does not cost the attempt.
    bool SendReceive(quint8* Buffer, quint32 RequestLength, quint32 AnswerLength,
                     const TAnswerCheck* Check = nullptr);

    // 0 lowers RTS, 1 raises it; only while open.
    void SetRTSLevel(int Level);
    TModemStatus ModemStatus() const;

    static QString BaudRateText(TBaudRate Rate);

    // Why the last Open or ApplySettings failed, for the message the caller shows.
    QString LastError() const { return FLastError; }
    // The device path that the current PortName resolves to.
    QString DevicePath() const;

    TPortNumber Port() const { return FPort; }
    void SetPort(TPortNumber Value);
    QString PortName() const { return FPortName; }
    void SetPortName(const QString& Value);
    TBaudRate BaudRate() const { return FBaudRate; }
    void SetBaudRate(TBaudRate Value);
    quint32 BaudRateValue() const { return FBaudRateValue; }
    void SetBaudRateValue(quint32 Value);
    TDataBits DataBits() const { return FDataBits; }
    void SetDataBits(TDataBits Value);
    TStopBits StopBits() const { return FStopBits; }
    void SetStopBits(TStopBits Value);
    TParity Parity() const { return FParity; }
    void SetParity(TParity Value);
    THwFlowControl HwFlow() const { return FHwFlow; }
    void SetHwFlow(THwFlowControl Value);
    TSwFlowControl SwFlow() const { return FSwFlow; }
    void SetSwFlow(TSwFlowControl Value);
    quint32 InBufSize() const { return FInBufSize; }
    void SetInBufSize(quint32 Value);
    quint32 OutBufSize() const { return FOutBufSize; }
    void SetOutBufSize(quint32 Value);
    bool EnableDTROnOpen() const { return FEnableDTROnOpen; }
    void SetEnableDTROnOpen(bool Value) { FEnableDTROnOpen = Value; }
    quint16 OutputTimeout() const { return FOutputTimeout; }
    void SetOutputTimeout(quint16 Value) { FOutputTimeout = Value; }
    quint32 InputTimeout() const { return FInputTimeout; }
    void SetInputTimeout(quint32 Value) { FInputTimeout = Value; }
    quint16 TryCount() const { return FTryCount; }
    // Accepts 0 .. 10 extra attempts; larger values are ignored.
    void SetTryCount(quint16 Value);

    // A line whose converter echoes every byte sent (common with RS-485 adapters). An echo is
    // byte-identical to the request and, for this protocol, to a genuine answer of a write, so it
    // cannot be told apart by content: with this set, each attempt first takes back exactly the
    // request's bytes and then reads the answer.
    bool LocalEcho() const { return FLocalEcho; }
    void SetLocalEcho(bool Value) { FLocalEcho = Value; }

    TNotifyEvent OnChangeStatus;
    TRsDataTransferEvent OnDataTransfer;

private:
    bool Attempt(quint8* Buffer, quint32 RequestLength, quint32 AnswerLength, quint32& Received,
                 const TAnswerCheck* Check);
    // How many stray bytes an attempt skips at most while it looks for an answer its check accepts.
    static constexpr quint32 kMaxSkippedBytes = 256;

    std::unique_ptr<TSerialLine> FLine;
    bool FOpen = false;
    bool FBusy = false;
    QString FLastError;
    std::array<quint8, kMaxRequest> FRequest{};
    std::array<quint8, kMaxRequest> FEcho{};

    TPortNumber FPort = 2;
    QString FPortName = PortNameOfNumber(2);
    TBaudRate FBaudRate = br9600;
    quint32 FBaudRateValue = 9600;
    TDataBits FDataBits = db8BITS;
    TStopBits FStopBits = sb1BITS;
    TParity FParity = ptNONE;
    THwFlowControl FHwFlow = hfNONERTSON;
    TSwFlowControl FSwFlow = sfNONE;
    quint32 FInBufSize = 2048;
    quint32 FOutBufSize = 2048;
    bool FEnableDTROnOpen = true;
    quint16 FOutputTimeout = 500;
    quint32 FInputTimeout = 200;
    quint16 FTryCount = 0;
    bool FLocalEcho = false;
};
