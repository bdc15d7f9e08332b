#pragma once

#include <QHostAddress>
#include <QString>
#include <functional>
#include <memory>

class QUdpSocket;

// The client socket of the UDP access point: sends each request to the gateway's host and port
// (and, when the gateway answers to the sender, receives the answer).
class TUdpClientSocket {
public:
    TUdpClientSocket();
    ~TUdpClientSocket();

    QString Host() const { return FHost; }
    void SetHost(const QString& Host) { FHost = Host; }
    quint16 RemotePort() const { return FRemotePort; }
    void SetRemotePort(quint16 Port) { FRemotePort = Port; }

    // Binds an ephemeral local port.
    bool SetActive(bool Active);
    bool Active() const;
    QUdpSocket* Socket() const { return FSocket.get(); }
    // The host as an address; an empty address when the name does not resolve.
    QHostAddress ResolveHost() const;

private:
    QString FHost;
    quint16 FRemotePort = 0;
    std::unique_ptr<QUdpSocket> FSocket;
};

// The server socket: bound to a local port on all interfaces, it hands every datagram that arrives
// to its handler on the window thread.
class TUdpServerSocket {
public:
    using TDatagramEvent = std::function<void(const QByteArray& Data, const QHostAddress& Sender)>;

    TUdpServerSocket();
    ~TUdpServerSocket();

    QString BindAddress() const { return FBindAddress; }
    void SetBindAddress(const QString& Address) { FBindAddress = Address; }
    quint16 DefaultPort() const { return FDefaultPort; }
    void SetDefaultPort(quint16 Port) { FDefaultPort = Port; }

    bool SetActive(bool Active);
    bool Active() const;
    // The port actually bound (DefaultPort 0 binds any free one); 0 while inactive.
    quint16 LocalPort() const;

    TDatagramEvent OnDatagram;

    // Drops what has arrived and not been handed to the handler yet.
    void Discard();
    // One bounded step of a wait for datagrams (their handler runs inside), then pending events.
    void Wait(int maxMs);

private:
    void ReadPending();

    QString FBindAddress = QStringLiteral("0.0.0.0");
    quint16 FDefaultPort = 8080;
    std::unique_ptr<QUdpSocket> FSocket;
};
