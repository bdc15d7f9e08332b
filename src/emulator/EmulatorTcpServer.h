#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <memory>
#include <vector>

class QTcpServer;
class QTcpSocket;
class TVirtualDeviceManager;

// A TCP front end of the emulated bus: it stands where a serial device server or a Modbus TCP
// gateway would, so a master on the network reaches the emulated devices. Several masters may be
// connected at once; each connection's requests are answered in the order they came. Raw: the bytes
// of the stream are the bus frames of the manager's protocol, and bytes that start no request are
// skipped. Modbus TCP: each MBAP frame is one Modbus request to the unit id's address; a unit no
// device answers gets exception 0x0B (the gateway's target did not respond), as gateways do.
class TEmulatorTcpServer {
public:
    // A partial request older than this is taken for the rest of a broken one and dropped.
    static constexpr int kStaleInputMs = 500;

    explicit TEmulatorTcpServer(TVirtualDeviceManager& Manager);
    ~TEmulatorTcpServer();
    TEmulatorTcpServer(const TEmulatorTcpServer&) = delete;
    TEmulatorTcpServer& operator=(const TEmulatorTcpServer&) = delete;

    bool Mbap() const { return FMbap; }
    void SetMbap(bool Value) { FMbap = Value; }

    // Port 0 takes any free port (Port() tells which). False (LastError says why) when the port
    // cannot be listened on.
    bool Listen(quint16 Port, const QHostAddress& Address = QHostAddress::Any);
    void Close();
    bool Listening() const;
    quint16 Port() const;
    QString LastError() const { return FLastError; }
    int ConnectionCount() const { return int(FConnections.size()); }

    // The data of one connection, fed as it arrives; public for tests that need no socket.
    struct TConnection {
        QTcpSocket* Socket = nullptr;
        QByteArray Input;
        qint64 LastInput = 0;
    };
    // Serves every whole request at the front of Input; the answers are appended to Output. False
    // when the stream broke beyond repair (a Modbus TCP header out of range) and must be closed.
    bool ServeInput(QByteArray& Input, QByteArray& Output);

private:
    void Accept();
    void Read(TConnection& Connection);
    void Forget(QTcpSocket* Socket);
    bool ServeRaw(QByteArray& Input, QByteArray& Output);
    bool ServeMbap(QByteArray& Input, QByteArray& Output);

    TVirtualDeviceManager& FManager;
    std::unique_ptr<QTcpServer> FServer;
    std::vector<std::unique_ptr<TConnection>> FConnections;
    bool FMbap = false;
    QString FLastError;
};
