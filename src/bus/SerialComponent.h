#pragma once

#include "bus/SerialTypes.h"

#include <QString>
#include <memory>

class TSerialLine;

// What the serial bus and the event-driven port share: the line settings with their setter rules,
// opening by port name, the queue counts and the byte loops of Send and Receive. Setters of line
// settings re-apply them at once while open; the port name and queue sizes only change while closed.
class TSerialComponent {
public:
    virtual ~TSerialComponent();
    TSerialComponent(const TSerialComponent&) = delete;
    TSerialComponent& operator=(const TSerialComponent&) = delete;

    bool IsOpen() const { return FOpen; }
    virtual bool ApplySettings();
    bool Purge(bool Input, bool Output);
    // Bytes waiting to be read; 65535 when closed.
    quint32 InQueueCount();
    // OutBufSize minus the bytes still queued for output; -1 when closed.
    qint16 OutQueueFree() const;

    // Why the last Open or ApplySettings failed, for the message the caller shows.
    QString LastError() const { return FLastError; }
    // The same without the device path, for a message that names the port itself.
    QString LastErrorReason() const { return FLastErrorReason; }
    // The last Open failed for want of permission on the device.
    bool LastErrorIsPermission() const { return FLastErrorIsPermission; }
    // The device path that the current PortName resolves to.
    QString DevicePath() const;
    TModemStatus ModemStatus() const;

    TPortNumber Port() const { return FPort; }
    void SetPort(TPortNumber Value);
    QString PortName() const { return FPortName; }
    void SetPortName(const QString& Value);
    quint32 BaudRateValue() const { return FBaudRateValue; }
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
    // Clamped to 128 .. 8192; ignored while open.
    void SetInBufSize(quint32 Value);
    quint32 OutBufSize() const { return FOutBufSize; }
    void SetOutBufSize(quint32 Value);
    bool EnableDTROnOpen() const { return FEnableDTROnOpen; }
    void SetEnableDTROnOpen(bool Value) { FEnableDTROnOpen = Value; }
    quint16 OutputTimeout() const { return FOutputTimeout; }
    void SetOutputTimeout(quint16 Value) { FOutputTimeout = Value; }
    quint32 InputTimeout() const { return FInputTimeout; }
    void SetInputTimeout(quint32 Value) { FInputTimeout = Value; }

protected:
    TSerialComponent();

    // Opens the port that PortName names and applies the settings; false (with LastError) leaves
    // it closed.
    bool OpenLine();
    void CloseLine();
    // Stores the speed and re-applies the settings when open.
    void StoreBaudRateValue(quint32 Value);
    void SettingsChanged();
    // The RTS mode the line is driven with (a component without toggling maps it).
    virtual THwFlowControl EffectiveHwFlow() const { return FHwFlow; }

    // Writes Count bytes, giving up after Timeout ms without progress. With ProcessEvents the
    // window's events run between chunks and while waiting; with CheckLine the send stops when
    // every modem status line is low.
    quint32 SendBytes(const quint8* Buffer, quint32 Count, quint32 Timeout, bool ProcessEvents,
                      bool CheckLine);
    // Reads Count bytes, giving up after InputTimeout ms without a new byte. A closed port, an I/O
    // error or a read that yields nothing although bytes were reported ends it: waiting on would
    // read nothing for ever.
    quint32 ReceiveBytes(quint8* Buffer, quint32 Count, bool ProcessEvents);

    std::unique_ptr<TSerialLine> FLine;
    bool FOpen = false;
    QString FLastError;
    QString FLastErrorReason;
    bool FLastErrorIsPermission = false;
    quint32 FInBufSize = 2048;
    quint32 FOutBufSize = 2048;

private:
    TPortNumber FPort = 2;
    QString FPortName = PortNameOfNumber(2);
    quint32 FBaudRateValue = 9600;
    TDataBits FDataBits = db8BITS;
    TStopBits FStopBits = sb1BITS;
    TParity FParity = ptNONE;
    THwFlowControl FHwFlow = hfNONERTSON;
    TSwFlowControl FSwFlow = sfNONE;
    bool FEnableDTROnOpen = true;
    quint16 FOutputTimeout = 500;
    quint32 FInputTimeout = 200;
};
