#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>
#include <vector>

// A TCP peer on 127.0.0.1 whose answers a test scripts: every chunk a connection receives goes to
// OnData, which writes back what it likes (or closes). It runs on the test's thread, driven by the
// events that the access point under test processes while it waits.
class TTcpPeer {
public:
    TTcpPeer() {
        QObject::connect(&FServer, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = FServer.nextPendingConnection()) {
                ++Accepted;
                FSockets.push_back(s);
                QObject::connect(s, &QTcpSocket::readyRead, [this, s] {
                    const QByteArray data = s->readAll();
                    Received += data;
                    if (OnData)
                        OnData(s, data);
                });
            }
        });
        FServer.listen(QHostAddress::LocalHost, 0);
    }
    ~TTcpPeer() {
        for (QTcpSocket* s : FSockets)
            QObject::disconnect(s, nullptr, nullptr, nullptr);
    }
    bool Ok() const { return FServer.isListening(); }
    // Closes every connection from this side, as a converter that restarts does.
    void CloseAll() {
        for (QTcpSocket* s : FSockets)
            s->disconnectFromHost();
    }
    quint16 Port() const { return FServer.serverPort(); }

    std::function<void(QTcpSocket* Socket, const QByteArray& Data)> OnData;
    QByteArray Received;
    int Accepted = 0;

private:
    QTcpServer FServer;
    std::vector<QTcpSocket*> FSockets;
};
