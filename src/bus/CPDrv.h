#pragma once

#include "bus/BaudRate.h"
#include "bus/SerialComponent.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QTimer;
class TCommPortDriver;

enum TPacketMode { pmDiscard, pmPass };

using TReceiveDataEvent =
    std::function<void(TCommPortDriver* Sender, const quint8* DataPtr, quint32 DataSize)>;
using TReceivePacketEvent =
    std::function<void(TCommPortDriver* Sender, const quint8* Packet, quint32 DataSize)>;

// A serial port that listens instead of asking: a window timer polls it every PollingDelay ms and
// hands whatever arrived to OnReceiveData, on the window thread. Used where the program is the one
// being asked (emulated devices) or assembles frames itself.
class TCommPortDriver : public TSerialComponent {
public:
    TCommPortDriver();
    ~TCommPortDriver() override;

    bool Open();
    void Close();
    // Neither waits for window events: they run on the window thread from the timer.
    quint32 Send(const quint8* Buffer, quint32 Count);
    quint32 Receive(quint8* Buffer, quint32 Count);
    // The open line's file descriptor, so that a caller can hear a request the moment it arrives
    // instead of at the next timer tick; -1 while closed.
    int Handle() const;

    TBaudRate BaudRate() const { return FBaudRate; }
    // Any rate with a speed; brCustom keeps the speed in bits as it is.
    void SetBaudRate(TBaudRate Value);
    void SetBaudRateValue(quint32 Value);
    qint16 PacketSize() const { return FPacketSize; }
    void SetPacketSize(qint16 Value);
    int PacketTimeout() const { return FPacketTimeout; }
    void SetPacketTimeout(int Value) { FPacketTimeout = Value; }
    TPacketMode PacketMode() const { return FPacketMode; }
    void SetPacketMode(TPacketMode Value) { FPacketMode = Value; }
    quint16 PollingDelay() const { return FPollingDelay; }
    // At least 5 ms; a change restarts the timer.
    void SetPollingDelay(quint16 Value);
    bool CheckLineStatus() const { return FCheckLineStatus; }
    void SetCheckLineStatus(bool Value) { FCheckLineStatus = Value; }

    TReceiveDataEvent OnReceiveData;
    TReceivePacketEvent OnReceivePacket;

    // One poll, as the timer does it; public so that tests and callers in a hurry need not wait.
    void Poll();

protected:
    // This port has no RTS toggling: it holds RTS on instead.
    THwFlowControl EffectiveHwFlow() const override {
        return HwFlow() == hfRTSTOGGLE ? hfNONERTSON : HwFlow();
    }

private:
    void DeliverPackets();

    std::unique_ptr<QTimer> FTimer;
    int FReading = 0;
    QByteArray FReceiveBlock;
    QByteArray FPacket;
    quint64 FPacketStart = 0;

    TBaudRate FBaudRate = br9600;
    qint16 FPacketSize = -1;
    int FPacketTimeout = -1;
    TPacketMode FPacketMode = pmDiscard;
    quint16 FPollingDelay = 50;
    bool FCheckLineStatus = false;
};
