#include "bus/PowerRSBus.h"

#include "platform/EventWait.h"
#include "platform/ExchangeGuard.h"
#include "platform/PortNames.h"
#include "platform/SerialLine.h"
#include "platform/Ticks.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr quint32 kRateBits[kBaudRateCount] = {
    0,      110,    300,    600,    1200,   2400,   4800,   9600,   14400,  19200,  38400,
    56000,  57600,  115200, 153600, 230400, 345600, 460800, 576000, 691200, 921600,
};

quint32 ClampQueue(quint32 v) {
    return std::clamp<quint32>(v, 128, 8192);
}

} // namespace

quint32 BaudRateBits(TBaudRate rate) {
    const int i = int(rate);
    return i >= 0 && i < kBaudRateCount ? kRateBits[i] : 0;
}

TBaudRate BaudRateOfBits(quint32 bits) {
    for (int i = 1; i < kBaudRateCount; ++i)
        if (kRateBits[i] == bits)
            return TBaudRate(i);
    return brCustom;
}

TPowerRsBus::TPowerRsBus() : FLine(std::make_unique<TSerialLine>()) {}

TPowerRsBus::~TPowerRsBus() {
    Close();
}

QString TPowerRsBus::DevicePath() const {
    return ResolvePortPath(FPortName);
}

bool TPowerRsBus::IsOpen() const {
    return FOpen;
}

bool TPowerRsBus::Open() {
    if (FOpen)
        return true;
    FInBufSize = 300;
    FOutBufSize = 300;
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
        FLine->Close();
        FOpen = false;
        FLastError = why;
        return false;
    }
    FLastError.clear();
    if (OnChangeStatus)
        OnChangeStatus(this);
    return true;
}

void TPowerRsBus::Close() {
    if (!FOpen)
        return;
    FLine->Close();
    FOpen = false;
    if (OnChangeStatus)
        OnChangeStatus(this);
}

bool TPowerRsBus::ApplySettings() {
    if (!FOpen)
        return false;
    FLine->SetWriteTimeout(FOutputTimeout);
    const auto settings =
        MakeLineSettings(FBaudRateValue, FDataBits, FParity, FStopBits, FHwFlow, FSwFlow, FEnableDTROnOpen);
    if (!FLine->Apply(settings)) {
        FLastError = QStringLiteral("%1: %2").arg(FLine->DevicePath(), FLine->ErrorText());
        return false;
    }
    // Queue sizes are the kernel's business on Linux; the values only bound OutQueueFree.
    return Purge(true, true);
}

bool TPowerRsBus::Purge(bool Input, bool Output) {
    return FOpen && FLine->Purge(Input, Output);
}

quint32 TPowerRsBus::InQueueCount() {
    if (!FOpen)
        return 65535;
    const qint64 n = FLine->BytesWaiting();
    return n < 0 ? 65535 : quint32(std::min<qint64>(n, 65535));
}

qint16 TPowerRsBus::OutQueueFree() const {
    if (!FOpen)
        return -1;
    const qint64 pending = FLine->OutputPending();
    if (pending < 0)
        return -1;
    return qint16(std::clamp<qint64>(qint64(FOutBufSize) - pending, 0, 32767));
}

quint32 TPowerRsBus::Send(const quint8* Buffer, quint32 Count, quint32 Timeout) {
    quint32 sent = 0;
    quint64 last = TickCount();
    while (sent < Count && FOpen) {
        const qint16 room = OutQueueFree();
        if (room < 0)
            break; // closed under us, or the device vanished
        if (room > 0) {
            ProcessPendingEvents();
            if (!FOpen)
                break;
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
        if (idle > Timeout)
            break;
        FLine->WaitForOutput(int(Timeout - idle) + 1, true);
    }
    return sent;
}

quint32 TPowerRsBus::Receive(quint8* Buffer, quint32 Count) {
    quint32 got = 0;
    quint64 last = TickCount();
    while (got < Count && FOpen) {
        // A closed port, an I/O error or a read that yields nothing although bytes were reported
        // ends the attempt: waiting on would read nothing for ever.
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
        FLine->WaitForInput(int(FInputTimeout - idle) + 1, true);
    }
    return got;
}

bool TPowerRsBus::Attempt(quint8* Buffer, quint32 RequestLength, quint32 AnswerLength, quint32& Received,
                          const TAnswerCheck* Check) {
    Received = 0;
    Purge(true, true);
    if (Send(FRequest.data(), RequestLength, FOutputTimeout) < RequestLength) {
        Purge(false, true);
        return false;
    }
    if (FLocalEcho && RequestLength > 0) {
        const quint32 echoed = Receive(FEcho.data(), RequestLength);
        if (echoed < RequestLength || std::memcmp(FEcho.data(), FRequest.data(), RequestLength) != 0) {
            Purge(true, false);
            return false;
        }
    }
    Received = Receive(Buffer, AnswerLength);
    if (Received < AnswerLength) {
        Purge(true, false);
        return false;
    }
    if (!Check || !*Check || AnswerLength == 0)
        return true;
    for (quint32 skipped = 0; !(*Check)(Buffer, int(AnswerLength)); ++skipped) {
        if (skipped >= kMaxSkippedBytes) {
            Purge(true, false);
            return false;
        }
        std::memmove(Buffer, Buffer + 1, AnswerLength - 1);
        if (Receive(Buffer + AnswerLength - 1, 1) < 1) {
            Purge(true, false);
            return false;
        }
    }
    return true;
}

bool TPowerRsBus::SendReceive(quint8* Buffer, quint32 RequestLength, quint32 AnswerLength,
                              const TAnswerCheck* Check) {
    if (RequestLength > quint32(kMaxRequest))
        return false;
    TExchangeGuard guard(FBusy);
    if (!guard.Acquired())
        return false;
    std::memcpy(FRequest.data(), Buffer, RequestLength);
    for (int attempt = 0; attempt <= int(FTryCount); ++attempt) {
        if (!FOpen)
            return false;
        quint32 received = 0;
        const bool ok = Attempt(Buffer, RequestLength, AnswerLength, received, Check);
        if (OnDataTransfer)
            OnDataTransfer(FRequest.data(), quint16(RequestLength), Buffer, quint16(received));
        if (ok)
            return true;
    }
    return false;
}

void TPowerRsBus::SetRTSLevel(int Level) {
    if (FOpen && (Level == 0 || Level == 1))
        FLine->SetRts(Level == 1);
}

TModemStatus TPowerRsBus::ModemStatus() const {
    return FOpen ? FLine->ModemStatus() : TModemStatus{};
}

QString TPowerRsBus::BaudRateText(TBaudRate Rate) {
    return QString::number(BaudRateBits(Rate));
}

void TPowerRsBus::SetPort(TPortNumber Value) {
    if (FOpen || Value < 0)
        return;
    FPort = Value;
    if (Value > 0)
        FPortName = PortNameOfNumber(Value);
}

void TPowerRsBus::SetPortName(const QString& Value) {
    if (FOpen)
        return;
    FPortName = Value;
    FPort = pnCustom;
}

void TPowerRsBus::SetBaudRate(TBaudRate Value) {
    if (int(Value) < 0 || int(Value) >= kBaudRateCount)
        return;
    FBaudRate = Value;
    if (Value != brCustom)
        FBaudRateValue = BaudRateBits(Value);
    if (FOpen)
        ApplySettings();
}

void TPowerRsBus::SetBaudRateValue(quint32 Value) {
    FBaudRateValue = Value;
    FBaudRate = brCustom;
    if (FOpen)
        ApplySettings();
}

void TPowerRsBus::SetDataBits(TDataBits Value) {
    FDataBits = Value;
    if (FOpen)
        ApplySettings();
}

void TPowerRsBus::SetStopBits(TStopBits Value) {
    FStopBits = Value;
    if (FOpen)
        ApplySettings();
}

void TPowerRsBus::SetParity(TParity Value) {
    FParity = Value;
    if (FOpen)
        ApplySettings();
}

void TPowerRsBus::SetHwFlow(THwFlowControl Value) {
    FHwFlow = Value;
    if (FOpen)
        ApplySettings();
}

void TPowerRsBus::SetSwFlow(TSwFlowControl Value) {
    FSwFlow = Value;
    if (FOpen)
        ApplySettings();
}

void TPowerRsBus::SetInBufSize(quint32 Value) {
    if (!FOpen)
        FInBufSize = ClampQueue(Value);
}

void TPowerRsBus::SetOutBufSize(quint32 Value) {
    if (!FOpen)
        FOutBufSize = ClampQueue(Value);
}

void TPowerRsBus::SetTryCount(quint16 Value) {
    if (Value <= 10)
        FTryCount = Value;
}
