#include "bus/UdpSockets.h"

#include "platform/EventWait.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QUdpSocket>

TUdpClientSocket::TUdpClientSocket() = default;
TUdpClientSocket::~TUdpClientSocket() = default;

bool TUdpClientSocket::SetActive(bool Active) {
    if (!Active) {
        FSocket.reset();
        return true;
    }
    if (FSocket)
        return true;
    auto socket = std::make_unique<QUdpSocket>();
    if (!socket->bind(QHostAddress(QHostAddress::AnyIPv4), 0))
        return false;
    FSocket = std::move(socket);
    return true;
}

bool TUdpClientSocket::Active() const {
    return FSocket != nullptr;
}

QHostAddress TUdpClientSocket::ResolveHost() const {
    QHostAddress address;
    if (address.setAddress(FHost))
        return address;
    // A name: look it up (the system caches it; an unknown name gives nothing).
    const QHostInfo info = QHostInfo::fromName(FHost);
    for (const QHostAddress& a : info.addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a;
    return {};
}

TUdpServerSocket::TUdpServerSocket() = default;
TUdpServerSocket::~TUdpServerSocket() = default;

bool TUdpServerSocket::SetActive(bool Active) {
    if (!Active) {
        FSocket.reset();
        return true;
    }
    if (FSocket)
        return true;
    auto socket = std::make_unique<QUdpSocket>();
    QHostAddress bindTo;
    if (!bindTo.setAddress(FBindAddress))
        bindTo = QHostAddress(QHostAddress::AnyIPv4);
    if (!socket->bind(bindTo, FDefaultPort))
        return false;
    QObject::connect(socket.get(), &QUdpSocket::readyRead, [this] { ReadPending(); });
    FSocket = std::move(socket);
    return true;
}

bool TUdpServerSocket::Active() const {
    return FSocket != nullptr;
}

quint16 TUdpServerSocket::LocalPort() const {
    return FSocket ? FSocket->localPort() : 0;
}

void TUdpServerSocket::Discard() {
    while (FSocket && FSocket->hasPendingDatagrams())
        FSocket->receiveDatagram();
}

void TUdpServerSocket::Wait(int maxMs) {
    if (FSocket)
        WaitForDevice(*FSocket, TIoWait::Read, maxMs, true);
    else
        ProcessPendingEvents();
}

void TUdpServerSocket::ReadPending() {
    while (FSocket && FSocket->hasPendingDatagrams()) {
        const QNetworkDatagram d = FSocket->receiveDatagram();
        if (OnDatagram)
            OnDatagram(d.data(), d.senderAddress());
    }
}
