#include "bus/UdpPortAccessPoint.h"

#include "bus/UdpSockets.h"
#include "platform/EventWait.h"
#include "platform/Ticks.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <cstring>

namespace {
bool SameHost(const QHostAddress& a, const QHostAddress& b) {
    return a.isEqual(b, QHostAddress::TolerantConversion);
}
} // namespace

bool TUdpPortAccessPointState::Send(const quint8* Request, int RequestLength) {
    if (!Client || !Client->Socket())
        return false;
    FGateway = Client->ResolveHost();
    if (FGateway.isNull())
        return false;
    std::memcpy(FBuffer.data(), Request, size_t(RequestLength));
    const qint64 sent = Client->Socket()->writeDatagram(reinterpret_cast<const char*>(FBuffer.data()),
                                                        RequestLength, FGateway, Client->RemotePort());
    return sent == RequestLength;
}

bool TUdpPortAccessPointNotLocalState::StateExchange(const quint8* Request, int RequestLength, quint8* Answer,
                                                     int AnswerLength, int Timeout) {
    if (!LengthsOk(RequestLength, AnswerLength) || !StateIsOpen())
        return false;
    QUdpSocket* socket = Client->Socket();
    // A late answer to an earlier request may still wait here; it is not this request's answer.
    while (socket->hasPendingDatagrams())
        socket->receiveDatagram();
    if (!Send(Request, RequestLength))
        return false;
    const quint64 start = TickCount();
    while (true) {
        while (socket->hasPendingDatagrams()) {
            const qint64 size = socket->pendingDatagramSize();
            const QNetworkDatagram d = socket->receiveDatagram();
            if (!SameHost(d.senderAddress(), FGateway)) {
                ++ForeignDatagrams;
                continue;
            }
            // One datagram is the whole answer: shorter or longer fails the attempt.
            if (size != AnswerLength)
                return false;
            std::memcpy(FBuffer.data(), d.data().constData(), size_t(AnswerLength));
            if (AnswerLength > 0)
                std::memcpy(Answer, FBuffer.data(), size_t(AnswerLength));
            return true;
        }
        const quint64 elapsed = TickCount() - start;
        if (elapsed >= quint64(Timeout) || !StateIsOpen())
            return false;
        WaitForDevice(*socket, TIoWait::Read, int(quint64(Timeout) - elapsed), true);
        if (!StateIsOpen()) // closed by a handler while waiting
            return false;
    }
}

bool TUdpPortAccessPointNotLocalState::StateOpen() {
    return Client && Client->SetActive(true);
}

void TUdpPortAccessPointNotLocalState::StateClose() {
    if (Client)
        Client->SetActive(false);
}

bool TUdpPortAccessPointNotLocalState::StateIsOpen() const {
    return Client && Client->Active();
}

void TUdpPortAccessPointUseLocalState::AttachServer(TUdpServerSocket* Server) {
    if (FServer)
        FServer->OnDatagram = nullptr;
    FServer = Server;
    if (FServer)
        FServer->OnDatagram = [this](const QByteArray& data, const QHostAddress& sender) {
            DatagramArrived(data, sender);
        };
}

void TUdpPortAccessPointUseLocalState::DatagramArrived(const QByteArray& Data, const QHostAddress& Sender) {
    // The server listens on all interfaces: only the gateway may answer.
    if (!SameHost(Sender, FGateway)) {
        ++ForeignDatagrams;
        return;
    }
    const int n = std::min(int(Data.size()), kBufferSize - FReceived);
    if (n > 0)
        std::memcpy(FBuffer.data() + FReceived, Data.constData(), size_t(n));
    FReceived += std::max(n, 0);
}

bool TUdpPortAccessPointUseLocalState::StateExchange(const quint8* Request, int RequestLength, quint8* Answer,
                                                     int AnswerLength, int Timeout) {
    if (!LengthsOk(RequestLength, AnswerLength) || !StateIsOpen())
        return false;
    // What is still waiting answered an earlier request; this one starts from nothing.
    FServer->Discard();
    FReceived = 0;
    if (!Send(Request, RequestLength))
        return false;
    // Datagrams are handed in while events run; the count is theirs.
    const quint64 start = TickCount();
    while (FReceived != AnswerLength) {
        const quint64 elapsed = TickCount() - start;
        if (elapsed >= quint64(Timeout) || !StateIsOpen())
            return false;
        FServer->Wait(int(quint64(Timeout) - elapsed));
    }
    if (AnswerLength > 0)
        std::memcpy(Answer, FBuffer.data(), size_t(AnswerLength));
    return true;
}

bool TUdpPortAccessPointUseLocalState::StateOpen() {
    if (!Client || !FServer)
        return false;
    Client->SetActive(true);
    FServer->SetActive(true);
    if (!StateIsOpen()) {
        StateClose();
        return false;
    }
    return true;
}

void TUdpPortAccessPointUseLocalState::StateClose() {
    if (Client)
        Client->SetActive(false);
    if (FServer)
        FServer->SetActive(false);
}

bool TUdpPortAccessPointUseLocalState::StateIsOpen() const {
    return Client && FServer && Client->Active() && FServer->Active();
}

TUdpPortAccessPoint::TUdpPortAccessPoint()
    : FNotLocalState(std::make_unique<TUdpPortAccessPointNotLocalState>()),
      FLocalState(std::make_unique<TUdpPortAccessPointUseLocalState>()) {
    FState = FLocalState.get();
}

TUdpPortAccessPoint::~TUdpPortAccessPoint() {
    FLocalState->AttachServer(nullptr);
}

void TUdpPortAccessPoint::SetUDPClient(TUdpClientSocket* Value) {
    FClient = Value;
    FNotLocalState->Client = Value;
    FLocalState->Client = Value;
}

void TUdpPortAccessPoint::SetUDPServer(TUdpServerSocket* Value) {
    if (FLocalState->StateIsOpen())
        return;
    FLocalState->AttachServer(Value);
}

void TUdpPortAccessPoint::SetUseLocalPort(bool Value) {
    if (FState->StateIsOpen())
        return;
    FUseLocalPort = Value;
    FState = Value ? static_cast<TUdpPortAccessPointState*>(FLocalState.get()) : FNotLocalState.get();
}

int TUdpPortAccessPoint::ForeignDatagrams() const {
    return FNotLocalState->ForeignDatagrams + FLocalState->ForeignDatagrams;
}

bool TUdpPortAccessPoint::DoExchange(const quint8* Request, int RequestLength, quint8* Answer,
                                     int AnswerLength) {
    if (!FState->StateIsOpen())
        return false;
    return FState->StateExchange(Request, RequestLength, Answer, AnswerLength, FTimeout);
}

void TUdpPortAccessPoint::SetTimeout(int Value) {
    if (Value > 9)
        FTimeout = Value;
}

bool TUdpPortAccessPoint::DoOpen() {
    return FState->StateOpen();
}

void TUdpPortAccessPoint::DoClose() {
    FState->StateClose();
}

bool TUdpPortAccessPoint::IsOpen() const {
    return FState->StateIsOpen();
}
