#include "bus/CPDrv.h"

#include "platform/PortNames.h"
#include "platform/SerialLine.h"
#include "platform/Ticks.h"

#include <QTimer>
#include <algorithm>

namespace CPDrv {
quint32 BaudRateBits(TBaudRate rate) {
    static constexpr quint32 bits[kBaudRateCount] = {0,     110,   300,   600,    1200,   2400,   4800,   9600,
                                                     14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
    const int i = int(rate);
    return i >= 0 && i < kBaudRateCount ? bits[i] : 0;
}
} // namespace CPDrv

TCommPortDriver::TCommPortDriver() : FLine(std::make_unique<TSerialLine>()), FTimer(std::make_unique<QTimer>()) {
    QObject::connect(FTimer.get(), &QTimer::timeout, [this] { Poll(); });
}

TCommPortDriver::~TCommPortDriver() {
    Close();
}

QString TCommPortDriver::DevicePath() const {
    return ResolvePortPath(FPortName);
}

bool TCommPortDriver::IsOpen() const {
    return FOpen;
}

bool TCommPortDriver::Open() {
    if (FOpen)
        return true;
    const QString path = DevicePath();
    if (path.isEmpty()) {
        FLastError = QStringLiteral("%1 names no serial device").arg(FPortName);
        return false;
    }
    if (!FLine->Open(path)) {
        FLastError = QStringLiteral("%1: %2").arg(path, FLine->ErrorText());
        return false;
    }
    FOpen = true;
    if (!ApplySettings()) {
        const QString why = FLastError;
        Close();
        FLastError = why;
        return false;
    }
    FReceiveBlock.resize(qsizetype(FInBufSize));
    FPacket.clear();
    FLastError.clear();
    FTimer->start(FPollingDelay);
    return true;
}

void TCommPortDriver::Close() {
    FTimer->stop();
    if (!FOpen)
        return;
    FLine->Close();
    FOpen = false;
    FPacket.clear();
}

bool TCommPortDriver::ApplySettings() {
    if (!FOpen)
        return false;
    FLine->SetWriteTimeout(FOutputTimeout);
    const auto flow = FHwFlow == hfRTSTOGGLE ? hfNONERTSON : FHwFlow;
    const auto settings =
        MakeLineSettings(FBaudRateValue, FDataBits, FParity, FStopBits, flow, FSwFlow, FEnableDTROnOpen);
    if (!FLine->Apply(settings)) {
        FLastError = QStringLiteral("%1: %2").arg(FLine->DevicePath(), FLine->ErrorText());
        return false;
    }
    return Purge(true, true);
}

bool TCommPortDriver::Purge(bool Input, bool Output) {
    if (Input)
        FPacket.clear();
    return FOpen && FLine->Purge(Input, Output);
}

quint32 TCommPortDriver::InQueueCount() {
    if (!FOpen)
        return 65535;
    const qint64 n = FLine->BytesWaiting();
    return n < 0 ? 65535 : quint32(std::min<qint64>(n, 65535));
}

qint16 TCommPortDriver::OutQueueFree() const {
    if (!FOpen)
        return -1;
    const qint64 pending = FLine->OutputPending();
    if (pending < 0)
        return -1;
    return qint16(std::clamp<qint64>(qint64(FOutBufSize) - pending, 0, 32767));
}

quint32 TCommPortDriver::Send(const quint8* Buffer, quint32 Count) {
    quint32 sent = 0;
    quint64 last = TickCount();
    while (sent < Count && FOpen) {
        if (FCheckLineStatus) {
            const auto st = FLine->ModemStatus();
            if (!st.Cts && !st.Dsr && !st.Ring && !st.Dcd)
                break;
        }
        const qint16 room = OutQueueFree();
        if (room < 0)
            break;
        if (room > 0) {
            const qint64 n = FLine->Write(Buffer + sent, std::min<qint64>(Count - sent, room));
            if (n < 0)
                break;
            if (n > 0) {
                sent += quint32(n);
                last = TickCount();
                continue;
            }
        }
        const quint64 idle = TickCount() - last;
        if (idle > FOutputTimeout)
            break;
        FLine->WaitForOutput(int(FOutputTimeout - idle) + 1, false);
    }
    // Push what QSerialPort still holds, so an answer leaves now rather than at the next event.
    const quint64 start = TickCount();
    while (FOpen && FLine->OutputPending() > 0 && TickCount() - start <= FOutputTimeout)
        FLine->WaitForOutput(int(FOutputTimeout), false);
    return sent;
}

quint32 TCommPortDriver::Receive(quint8* Buffer, quint32 Count) {
    ++FReading;
    quint32 got = 0;
    quint64 last = TickCount();
    while (got < Count && FOpen) {
        const qint64 waiting = FLine->BytesWaiting();
        if (waiting < 0)
            break;
        if (waiting > 0) {
            const qint64 n = FLine->Read(Buffer + got, std::min<qint64>(Count - got, waiting));
            if (n <= 0)
                break;
            got += quint32(n);
            last = TickCount();
            continue;
        }
        const quint64 idle = TickCount() - last;
        if (idle > FInputTimeout)
            break;
        FLine->WaitForInput(int(FInputTimeout - idle) + 1, false);
    }
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
            OnReceivePacket(this, reinterpret_cast<const quint8*>(FPacket.constData()), quint32(FPacket.size()));
        FPacket.clear();
    }
}

void TCommPortDriver::SetPort(TPortNumber Value) {
    if (FOpen || Value < 0)
        return;
    FPort = Value;
    if (Value > 0)
        FPortName = PortNameOfNumber(Value);
}

void TCommPortDriver::SetPortName(const QString& Value) {
    if (FOpen)
        return;
    FPortName = Value;
    FPort = pnCustom;
}

void TCommPortDriver::SetBaudRate(CPDrv::TBaudRate Value) {
    if (int(Value) < 0 || int(Value) >= CPDrv::kBaudRateCount)
        return;
    FBaudRate = Value;
    if (Value != CPDrv::brCustom)
        FBaudRateValue = CPDrv::BaudRateBits(Value);
    if (FOpen)
        ApplySettings();
}

void TCommPortDriver::SetBaudRateValue(quint32 Value) {
    FBaudRateValue = Value;
    FBaudRate = CPDrv::brCustom;
    if (FOpen)
        ApplySettings();
}

void TCommPortDriver::SetDataBits(TDataBits Value) {
    FDataBits = Value;
    if (FOpen)
        ApplySettings();
}

void TCommPortDriver::SetStopBits(TStopBits Value) {
    FStopBits = Value;
    if (FOpen)
        ApplySettings();
}

void TCommPortDriver::SetParity(TParity Value) {
    FParity = Value;
    if (FOpen)
        ApplySettings();
}

void TCommPortDriver::SetHwFlow(THwFlowControl Value) {
    FHwFlow = Value;
    if (FOpen)
        ApplySettings();
}

void TCommPortDriver::SetSwFlow(TSwFlowControl Value) {
    FSwFlow = Value;
    if (FOpen)
        ApplySettings();
}

void TCommPortDriver::SetInBufSize(quint32 Value) {
    if (!FOpen)
        FInBufSize = std::clamp<quint32>(Value, 128, 8192);
}

void TCommPortDriver::SetOutBufSize(quint32 Value) {
    if (!FOpen)
        FOutBufSize = std::clamp<quint32>(Value, 128, 8192);
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
