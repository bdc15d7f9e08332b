#include "bus/CPDrv.h"

#include "platform/SerialLine.h"
#include "platform/Ticks.h"

#include <QTimer>
#include <algorithm>

TCommPortDriver::TCommPortDriver() : FTimer(std::make_unique<QTimer>()) {
    QObject::connect(FTimer.get(), &QTimer::timeout, [this] { Poll(); });
}

TCommPortDriver::~TCommPortDriver() {
    Close();
}

int TCommPortDriver::Handle() const {
    return FOpen && FLine ? FLine->NativeHandle() : -1;
}

bool TCommPortDriver::Open() {
    if (FOpen)
        return true;
    if (!OpenLine())
        return false;
    FReceiveBlock.resize(qsizetype(FInBufSize));
    FPacket.clear();
    FTimer->start(FPollingDelay);
    return true;
}

void TCommPortDriver::Close() {
    FTimer->stop();
    if (!FOpen)
        return;
    CloseLine();
    FPacket.clear();
}

quint32 TCommPortDriver::Send(const quint8* Buffer, quint32 Count) {
    const quint32 sent = SendBytes(Buffer, Count, OutputTimeout(), false, FCheckLineStatus);
    // Push what QSerialPort still holds, so an answer leaves now rather than at the next event.
    const quint64 start = TickCount();
    while (FOpen && FLine->OutputPending() > 0 && TickCount() - start <= OutputTimeout())
        FLine->WaitForOutput(int(OutputTimeout()), false);
    return sent;
}

quint32 TCommPortDriver::Receive(quint8* Buffer, quint32 Count) {
    // The timer must not take the bytes this read is waiting for.
    ++FReading;
    const quint32 got = ReceiveBytes(Buffer, Count, false);
    --FReading;
    return got;
}

void TCommPortDriver::Poll() {
    if (!FOpen || FReading > 0)
        return;
    const qint64 waiting = FLine->BytesWaiting();
    if (waiting < 0)
        return;
    if (FPacketSize <= 0) {
        if (waiting == 0)
            return;
        if (FReceiveBlock.size() < waiting)
            FReceiveBlock.resize(qsizetype(waiting));
        const qint64 n = FLine->Read(reinterpret_cast<quint8*>(FReceiveBlock.data()), waiting);
        if (n > 0 && OnReceiveData)
            OnReceiveData(this, reinterpret_cast<const quint8*>(FReceiveBlock.constData()), quint32(n));
        return;
    }
    if (waiting > 0) {
        QByteArray chunk(qsizetype(waiting), Qt::Uninitialized);
        const qint64 n = FLine->Read(reinterpret_cast<quint8*>(chunk.data()), waiting);
        if (n > 0) {
            if (FPacket.isEmpty())
                FPacketStart = TickCount();
            FPacket.append(chunk.constData(), qsizetype(n));
        }
    }
    DeliverPackets();
}

void TCommPortDriver::DeliverPackets() {
    while (FPacket.size() >= FPacketSize) {
        if (OnReceivePacket)
            OnReceivePacket(this, reinterpret_cast<const quint8*>(FPacket.constData()), quint32(FPacketSize));
        FPacket.remove(0, FPacketSize);
        FPacketStart = TickCount();
    }
    if (!FPacket.isEmpty() && FPacketTimeout > 0 && TickCount() - FPacketStart > quint64(FPacketTimeout)) {
        if (FPacketMode == pmPass && OnReceivePacket)
            OnReceivePacket(this, reinterpret_cast<const quint8*>(FPacket.constData()),
                            quint32(FPacket.size()));
        FPacket.clear();
    }
}

void TCommPortDriver::SetBaudRate(TBaudRate Value) {
    if (Value != brCustom && BaudRateBits(Value) == 0)
        return;
    FBaudRate = Value;
    StoreBaudRateValue(Value != brCustom ? BaudRateBits(Value) : BaudRateValue());
}

void TCommPortDriver::SetBaudRateValue(quint32 Value) {
    FBaudRate = brCustom;
    StoreBaudRateValue(Value);
}

void TCommPortDriver::SetPacketSize(qint16 Value) {
    FPacketSize = Value;
    FPacket.clear();
}

void TCommPortDriver::SetPollingDelay(quint16 Value) {
    FPollingDelay = std::max<quint16>(Value, 5);
    if (FTimer->isActive())
        FTimer->start(FPollingDelay);
}
