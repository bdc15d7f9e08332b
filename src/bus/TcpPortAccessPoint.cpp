#include "bus/TcpPortAccessPoint.h"

#include "platform/EventWait.h"
#include "platform/Ticks.h"

#include <QCoreApplication>
#include <QTcpSocket>
#include <algorithm>
#include <array>
#include <cstring>

namespace {
// How many stray bytes a raw attempt skips at most while it looks for an answer its check accepts,
// as the serial bus does.
constexpr int kMaxSkippedBytes = 256;
// Room for any wrapped frame.
constexpr int kMaxWireFrame = 300;
} // namespace

TTcpPortAccessPoint::TTcpPortAccessPoint() : FSocket(std::make_unique<QTcpSocket>()) {
    // Requests are small and each waits for its answer: Nagle's delay would only add latency.
    FSocket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // A peer that closes between requests is only seen here: no exchange is waiting to notice it.
    QObject::connect(FSocket.get(), &QAbstractSocket::disconnected, [this] {
        if (!FAborting && FActive)
            ReportClosed(QStringLiteral("%1 closed the connection").arg(PeerText()));
    });
}

TTcpPortAccessPoint::~TTcpPortAccessPoint() {
    OnLinkChange = nullptr;
    Abort();
}

void TTcpPortAccessPoint::Abort() {
    FAborting = true;
    FSocket->abort();
    FAborting = false;
}

void TTcpPortAccessPoint::Notify(TLinkEvent Event, const QString& Why) {
    if (OnLinkChange)
        OnLinkChange(Event, Why);
}

void TTcpPortAccessPoint::ReportClosed(const QString& Why) {
    // The socket's signal and the exchange that ran into the closed stream may both see one drop.
    if (FLinkDown)
        return;
    FLinkDown = true;
    Notify(TLinkEvent::Closed, Why);
}

void TTcpPortAccessPoint::SetFraming(TTcpFraming Value) {
    if (Value == TTcpFraming::Raw || Value == TTcpFraming::ModbusTcp)
        FFraming = Value;
}

void TTcpPortAccessPoint::SetConnectTimeout(int Value) {
    if (Value >= 100 && Value <= 60000)
        FConnectTimeout = Value;
}

void TTcpPortAccessPoint::SetTimeout(int Value) {
    if (Value > 9)
        FTimeout = Value;
}

QString TTcpPortAccessPoint::PeerText() const {
    // An IPv6 address goes in brackets, or its colons would run into the port's.
    if (FHost.contains(QLatin1Char(':')))
        return QStringLiteral("[%1]:%2").arg(FHost).arg(FPort);
    return QStringLiteral("%1:%2").arg(FHost).arg(FPort);
}

bool TTcpPortAccessPoint::Connected() const {
    return FSocket->state() == QAbstractSocket::ConnectedState;
}

QString TTcpPortAccessPoint::RefuseRequest(const quint8* Request, int RequestLength) const {
    if (FFraming != TTcpFraming::ModbusTcp)
        return {};
    if (!FCodec)
        return QStringLiteral("no Modbus TCP framing was given to the access point");
    return FCodec->Refuse(Request, RequestLength);
}

int TTcpPortAccessPoint::MaxRequestLength() const {
    return FFraming == TTcpFraming::ModbusTcp && FCodec ? FCodec->MaxRequest() : kMaxAnswer;
}

bool TTcpPortAccessPoint::DoOpen() {
    FActive = Connect();
    return FActive;
}

void TTcpPortAccessPoint::DoClose() {
    FActive = false;
    Abort();
    FInput.clear();
}

bool TTcpPortAccessPoint::Connect() {
    Abort();
    FInput.clear();
    if (FHost.isEmpty() || FPort == 0) {
        SetLastError(QStringLiteral("no TCP end point: give a host and a port"));
        return false;
    }
    FSocket->connectToHost(FHost, FPort);
    const quint64 start = TickCount();
    const auto remaining = [&] { return int(qint64(FConnectTimeout) - qint64(TickCount() - start)); };
    if (QCoreApplication::instance()) {
        // Events keep running while the connection is made, so the window stays alive; a sliced
        // waitForConnected would give up on an address at the first slice.
        while (FSocket->state() != QAbstractSocket::ConnectedState &&
               FSocket->state() != QAbstractSocket::UnconnectedState && remaining() > 0)
            PauseProcessingEvents(std::min(kWaitSliceMs, remaining()));
    } else {
        FSocket->waitForConnected(std::max(remaining(), 1));
    }
    if (FSocket->state() == QAbstractSocket::ConnectedState) {
        ++FConnects;
        FLinkDown = false;
        Notify(TLinkEvent::Connected, {});
        return true;
    }
    QString reason;
    if (FSocket->state() != QAbstractSocket::UnconnectedState)
        reason = QStringLiteral("no answer within %1 ms").arg(FConnectTimeout);
    else if (FSocket->error() == QAbstractSocket::ConnectionRefusedError)
        reason = QStringLiteral("connection refused");
    else if (FSocket->error() == QAbstractSocket::HostNotFoundError)
        reason = QStringLiteral("host not found");
    else
        reason = FSocket->errorString();
    Abort();
    SetLastError(QStringLiteral("cannot connect to %1: %2").arg(PeerText(), reason));
    return false;
}

void TTcpPortAccessPoint::Drop(const QString& Why) {
    Abort();
    FInput.clear();
    SetLastError(Why);
    if (FActive)
        ReportClosed(Why);
}

bool TTcpPortAccessPoint::Send(const quint8* Data, int Count) {
    if (Count == 0)
        return true;
    if (FSocket->write(reinterpret_cast<const char*>(Data), Count) != Count) {
        Drop(QStringLiteral("cannot send to %1: %2").arg(PeerText(), FSocket->errorString()));
        return false;
    }
    FSocket->flush();
    return true;
}

bool TTcpPortAccessPoint::WaitForInput(quint64 Deadline) {
    while (true) {
        if (FSocket->bytesAvailable() > 0) {
            FInput += FSocket->readAll();
            return true;
        }
        if (!FActive || FSocket->state() != QAbstractSocket::ConnectedState) {
            if (FActive)
                Drop(QStringLiteral("%1 closed the connection").arg(PeerText()));
            return false;
        }
        const quint64 now = TickCount();
        if (now >= Deadline)
            return false;
        WaitForDevice(*FSocket, TIoWait::Read, int(Deadline - now), true);
    }
}

bool TTcpPortAccessPoint::DoExchange(const quint8* Request, int RequestLength, quint8* Answer,
                                     int AnswerLength) {
    if (!FActive || RequestLength < 0 || AnswerLength < 0 || AnswerLength > kMaxAnswer)
        return false;
    // A connection that dropped since the last attempt gets one new try here.
    if (FSocket->state() != QAbstractSocket::ConnectedState && !Connect()) {
        Notify(TLinkEvent::ReconnectFailed, LastError());
        return false;
    }
    return FFraming == TTcpFraming::ModbusTcp ? ExchangeMbap(Request, RequestLength, Answer, AnswerLength)
                                              : ExchangeRaw(Request, RequestLength, Answer, AnswerLength);
}

bool TTcpPortAccessPoint::ExchangeRaw(const quint8* Request, int RequestLength, quint8* Answer,
                                      int AnswerLength) {
    // Whatever is still waiting answered an earlier request (a late answer, noise): not this one's.
    FSocket->readAll();
    FInput.clear();
    if (!Send(Request, RequestLength))
        return false;
    if (AnswerLength == 0)
        return true;
    const TAnswerCheck* check = AnswerCheck();
    int skipped = 0;
    // The time-out is the stream's idle time: every piece that arrives gives the rest a new one.
    quint64 deadline = TickCount() + quint64(FTimeout);
    while (true) {
        while (FInput.size() >= AnswerLength) {
            const auto* data = reinterpret_cast<const quint8*>(FInput.constData());
            if (!check || !*check || (*check)(data, AnswerLength)) {
                std::memcpy(Answer, data, size_t(AnswerLength));
                FInput.remove(0, AnswerLength);
                return true;
            }
            // Slide over a stray byte, as the serial bus does after its line's turn-round.
            if (skipped >= kMaxSkippedBytes)
                return false;
            FInput.remove(0, 1);
            ++skipped;
            ++FSkippedBytes;
        }
        if (!WaitForInput(deadline))
            return false;
        deadline = TickCount() + quint64(FTimeout);
    }
}

bool TTcpPortAccessPoint::ExchangeMbap(const quint8* Request, int RequestLength, quint8* Answer,
                                       int AnswerLength) {
    if (!FCodec)
        return false;
    std::array<quint8, kMaxWireFrame> frame{};
    const quint16 id = ++FTransactionId;
    const int length = FCodec->Wrap(Request, RequestLength, id, frame.data(), int(frame.size()));
    if (length < 0)
        return false;
    if (!Send(frame.data(), length))
        return false;
    if (AnswerLength == 0)
        return true;
    quint64 deadline = TickCount() + quint64(FTimeout);
    while (true) {
        // Frames in the stream are taken whole; one that is not this request's (the late answer of
        // an attempt given up) is dropped and the wait goes on.
        while (!FInput.isEmpty()) {
            const auto* data = reinterpret_cast<const quint8*>(FInput.constData());
            quint16 frameId = 0;
            QString why;
            const int size = FCodec->FrameSize(data, int(FInput.size()), frameId, why);
            if (size < 0) {
                // Past a broken header nothing in the stream can be trusted to start a frame.
                Drop(QStringLiteral("%1 sent %2; connection dropped").arg(PeerText(), why));
                return false;
            }
            if (size == 0 || FInput.size() < size)
                break;
            if (frameId != id) {
                ++FStaleFrames;
                FInput.remove(0, size);
                continue;
            }
            std::array<quint8, kMaxWireFrame> rtu{};
            const int rtuLength = FCodec->Unwrap(data, size, rtu.data(), int(rtu.size()));
            FInput.remove(0, size);
            if (rtuLength != AnswerLength) {
                if (rtuLength == 5 && (rtu[1] & 0x80) != 0)
                    SetLastError(QStringLiteral("the gateway answered with Modbus exception %1").arg(rtu[2]));
                else
                    SetLastError(QStringLiteral("the gateway answered with %1 bytes where %2 were expected")
                                     .arg(rtuLength)
                                     .arg(AnswerLength));
                return false;
            }
            std::memcpy(Answer, rtu.data(), size_t(AnswerLength));
            return true;
        }
        if (!WaitForInput(deadline))
            return false;
        deadline = TickCount() + quint64(FTimeout);
    }
}
