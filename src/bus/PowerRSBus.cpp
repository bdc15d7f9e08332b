#include "bus/PowerRSBus.h"

#include "platform/ExchangeGuard.h"
#include "platform/SerialLine.h"

#include <algorithm>
#include <cstring>

TPowerRsBus::TPowerRsBus() = default;

TPowerRsBus::~TPowerRsBus() {
    Close();
}

bool TPowerRsBus::Open() {
    if (FOpen)
        return true;
    // Every open asks the driver for 300-byte queues, whatever the properties held.
    FInBufSize = 300;
    FOutBufSize = 300;
    if (!OpenLine())
        return false;
    // A new connection may be another adapter: its echo is learnt again unless it is set.
    FEchoUnknown = !FLocalEcho;
    if (OnChangeStatus)
        OnChangeStatus(this);
    return true;
}

void TPowerRsBus::Close() {
    if (!FOpen)
        return;
    CloseLine();
    if (OnChangeStatus)
        OnChangeStatus(this);
}

quint32 TPowerRsBus::Send(const quint8* Buffer, quint32 Count, quint32 Timeout) {
    return SendBytes(Buffer, Count, Timeout, true, false);
}

quint32 TPowerRsBus::Receive(quint8* Buffer, quint32 Count) {
    return ReceiveBytes(Buffer, Count, true);
}

bool TPowerRsBus::Attempt(quint8* Buffer, quint32 RequestLength, quint32 AnswerLength, quint32& Received,
                          const TAnswerCheck* Check, bool FirstAttempt) {
    Received = 0;
    Purge(true, true);
    if (Send(FRequest.data(), RequestLength, OutputTimeout()) < RequestLength) {
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
    quint32 skipped = 0;
    if (!SkipToAnswer(Buffer, AnswerLength, *Check, skipped)) {
        Purge(true, false);
        return false;
    }
    if (FLocalEcho || !FEchoUnknown)
        return true;
    // Learning whether the line echoes. Only the first attempt of an exchange can tell: a retry may
    // find the late answer of the attempt before it in front of its own.
    const bool skippedRequest =
        skipped == RequestLength && std::memcmp(FSkipped.data(), FRequest.data(), RequestLength) == 0;
    const bool mirrored = skipped == 0 && AnswerLength == RequestLength &&
                          std::memcmp(Buffer, FRequest.data(), RequestLength) == 0;
    if (FirstAttempt && skippedRequest)
        EchoDetected();
    else if (FirstAttempt && mirrored && SecondFrameFollows(Buffer, AnswerLength, Check))
        EchoDetected();
    else if (skipped == 0 && !mirrored)
        FEchoUnknown = false; // a genuine answer came first: this line does not echo
    return true;
}

bool TPowerRsBus::SkipToAnswer(quint8* Buffer, quint32 AnswerLength, const TAnswerCheck& Check,
                               quint32& Skipped) {
    for (Skipped = 0; !Check(Buffer, int(AnswerLength)); ++Skipped) {
        if (Skipped >= kMaxSkippedBytes)
            return false;
        if (Skipped < FSkipped.size())
            FSkipped[Skipped] = Buffer[0];
        std::memmove(Buffer, Buffer + 1, AnswerLength - 1);
        if (Receive(Buffer + AnswerLength - 1, 1) < 1)
            return false;
    }
    return true;
}

bool TPowerRsBus::SecondFrameFollows(quint8* Buffer, quint32 AnswerLength, const TAnswerCheck* Check) {
    // A genuine answer can be identical to its request (a write's confirmation, a read of 0), so
    // only a second frame within the time-out shows that the first one was the echo.
    if (AnswerLength > FEcho.size())
        return false;
    const quint32 got = Receive(FEcho.data(), AnswerLength);
    if (got < AnswerLength || !(*Check)(FEcho.data(), int(AnswerLength))) {
        if (got > 0)
            Purge(true, false);
        return false;
    }
    std::memcpy(Buffer, FEcho.data(), AnswerLength);
    return true;
}

void TPowerRsBus::EchoDetected() {
    FLocalEcho = true;
    FEchoUnknown = false;
    if (OnLocalEchoDetected)
        OnLocalEchoDetected();
}

void TPowerRsBus::SetLocalEcho(bool Value) {
    FLocalEcho = Value;
    FEchoUnknown = !Value;
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
        const bool ok = Attempt(Buffer, RequestLength, AnswerLength, received, Check, attempt == 0);
        if (OnDataTransfer)
            OnDataTransfer(FRequest.data(), quint16(RequestLength), Buffer, quint16(received));
        if (ok)
            return true;
    }
    return false;
}

void TPowerRsBus::SetRTSLevel(int Level) {
    if (!FOpen || (Level != 0 && Level != 1))
        return;
    FLine->SetRts(Level == 1);
    if (OnRtsLevel)
        OnRtsLevel(Level);
}

QString TPowerRsBus::BaudRateText(TBaudRate Rate) {
    return QString::number(BaudRateBits(Rate));
}

void TPowerRsBus::SetBaudRate(TBaudRate Value) {
    if (int(Value) < 0 || int(Value) >= kBaudRateCount)
        return;
    FBaudRate = Value;
    StoreBaudRateValue(Value != brCustom ? BaudRateBits(Value) : BaudRateValue());
}

void TPowerRsBus::SetBaudRateValue(quint32 Value) {
    FBaudRate = brCustom;
    StoreBaudRateValue(Value);
}

void TPowerRsBus::SetTryCount(quint16 Value) {
    if (Value <= 10)
        FTryCount = Value;
}
