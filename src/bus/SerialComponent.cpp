#include "bus/SerialComponent.h"

#include "platform/EventWait.h"
#include "platform/PortNames.h"
#include "platform/SerialLine.h"
#include "platform/Ticks.h"

#include <algorithm>

TSerialComponent::TSerialComponent() : FLine(std::make_unique<TSerialLine>()) {}

TSerialComponent::~TSerialComponent() = default;

QString TSerialComponent::DevicePath() const {
    return ResolvePortPath(FPortName);
}

bool TSerialComponent::OpenLine() {
    const QString path = DevicePath();
    FLastErrorIsPermission = false;
    if (path.isEmpty()) {
        FLastErrorReason = QStringLiteral("no serial device has this name");
        FLastError = QStringLiteral("%1 names no serial device").arg(FPortName);
        return false;
    }
    if (!FLine->Open(path)) {
        FLastErrorReason = FLine->ErrorText();
        FLastErrorIsPermission = FLine->PermissionDenied();
        FLastError = QStringLiteral("%1: %2").arg(path, FLastErrorReason);
        return false;
    }
    FOpen = true;
    if (!ApplySettings()) {
        const QString why = FLastError;
        const QString reason = FLastErrorReason;
        CloseLine();
        FLastError = why;
        FLastErrorReason = reason;
        return false;
    }
    FLastError.clear();
    FLastErrorReason.clear();
    return true;
}

void TSerialComponent::CloseLine() {
    FLine->Close();
    FOpen = false;
}

bool TSerialComponent::ApplySettings() {
    if (!FOpen)
        return false;
    FLine->SetWriteTimeout(FOutputTimeout);
    const auto settings = MakeLineSettings(FBaudRateValue, FDataBits, FParity, FStopBits, EffectiveHwFlow(),
                                           FSwFlow, FEnableDTROnOpen);
    if (!FLine->Apply(settings)) {
        FLastErrorReason = FLine->ErrorText();
        FLastError = QStringLiteral("%1: %2").arg(FLine->DevicePath(), FLastErrorReason);
        return false;
    }
    // Queue sizes are the kernel's business on Linux; the values only bound OutQueueFree.
    return Purge(true, true);
}

bool TSerialComponent::Purge(bool Input, bool Output) {
    return FOpen && FLine->Purge(Input, Output);
}

quint32 TSerialComponent::InQueueCount() {
    if (!FOpen)
        return 65535;
    const qint64 n = FLine->BytesWaiting();
    return n < 0 ? 65535 : quint32(std::min<qint64>(n, 65535));
}

qint16 TSerialComponent::OutQueueFree() const {
    if (!FOpen)
        return -1;
    const qint64 pending = FLine->OutputPending();
    if (pending < 0)
        return -1;
    return qint16(std::clamp<qint64>(qint64(FOutBufSize) - pending, 0, 32767));
}

TModemStatus TSerialComponent::ModemStatus() const {
    return FOpen ? FLine->ModemStatus() : TModemStatus{};
}

quint32 TSerialComponent::SendBytes(const quint8* Buffer, quint32 Count, quint32 Timeout, bool ProcessEvents,
                                    bool CheckLine) {
    quint32 sent = 0;
    quint64 last = TickCount();
    while (sent < Count && FOpen) {
        if (CheckLine) {
            const auto st = FLine->ModemStatus();
            if (!st.Cts && !st.Dsr && !st.Ring && !st.Dcd)
                break;
        }
        const qint16 room = OutQueueFree();
        if (room < 0)
            break; // closed under us, or the device vanished
        if (room > 0) {
            if (ProcessEvents) {
                ProcessPendingEvents();
                if (!FOpen)
                    break;
            }
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
        FLine->WaitForOutput(int(Timeout - idle) + 1, ProcessEvents);
    }
    return sent;
}

quint32 TSerialComponent::ReceiveBytes(quint8* Buffer, quint32 Count, bool ProcessEvents) {
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
        FLine->WaitForInput(int(FInputTimeout - idle) + 1, ProcessEvents);
    }
    return got;
}

void TSerialComponent::SettingsChanged() {
    if (FOpen)
        ApplySettings();
}

void TSerialComponent::StoreBaudRateValue(quint32 Value) {
    FBaudRateValue = Value;
    SettingsChanged();
}

void TSerialComponent::SetPort(TPortNumber Value) {
    if (FOpen || Value < 0)
        return;
    FPort = Value;
    if (Value > 0)
        FPortName = PortNameOfNumber(Value);
}

void TSerialComponent::SetPortName(const QString& Value) {
    if (FOpen)
        return;
    FPortName = Value;
    FPort = pnCustom;
}

void TSerialComponent::SetDataBits(TDataBits Value) {
    FDataBits = Value;
    SettingsChanged();
}

void TSerialComponent::SetStopBits(TStopBits Value) {
    FStopBits = Value;
    SettingsChanged();
}

void TSerialComponent::SetParity(TParity Value) {
    FParity = Value;
    SettingsChanged();
}

void TSerialComponent::SetHwFlow(THwFlowControl Value) {
    FHwFlow = Value;
    SettingsChanged();
}

void TSerialComponent::SetSwFlow(TSwFlowControl Value) {
    FSwFlow = Value;
    SettingsChanged();
}

void TSerialComponent::SetInBufSize(quint32 Value) {
    if (!FOpen)
        FInBufSize = std::clamp<quint32>(Value, 128, 8192);
}

void TSerialComponent::SetOutBufSize(quint32 Value) {
    if (!FOpen)
        FOutBufSize = std::clamp<quint32>(Value, 128, 8192);
}
