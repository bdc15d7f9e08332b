#pragma once

#include "bus/AccessPoint.h"

#include <QHostAddress>
#include <array>
#include <memory>

class TUdpClientSocket;
class TUdpServerSocket;

// One way of receiving the answers of a UDP gateway.
class TUdpPortAccessPointState {
public:
    static constexpr int kBufferSize = 2048;
    virtual ~TUdpPortAccessPointState() = default;
    virtual bool StateExchange(const quint8* Request, int RequestLength, quint8* Answer, int AnswerLength,
                               int Timeout) = 0;
    virtual bool StateOpen() = 0;
    virtual void StateClose() = 0;
    virtual bool StateIsOpen() const = 0;

    TUdpClientSocket* Client = nullptr;
    // Datagrams dropped because they did not come from the gateway.
    int ForeignDatagrams = 0;

protected:
    // Sends the request to the gateway; false when it cannot go out.
    bool Send(const quint8* Request, int RequestLength);
    static bool LengthsOk(int RequestLength, int AnswerLength) {
        return RequestLength > 0 && RequestLength <= kBufferSize && AnswerLength >= 0 &&
               AnswerLength <= kBufferSize;
    }

    std::array<quint8, kBufferSize> FBuffer{};
    QHostAddress FGateway; // where the last request went; answers must come from there
};

// The gateway answers to the sender: the answer is one datagram on the client socket.
class TUdpPortAccessPointNotLocalState : public TUdpPortAccessPointState {
public:
    bool StateExchange(const quint8* Request, int RequestLength, quint8* Answer, int AnswerLength,
                       int Timeout) override;
    bool StateOpen() override;
    void StateClose() override;
    bool StateIsOpen() const override;
};

// The gateway answers to a fixed local port: the answer may come in several datagrams on the server.
class TUdpPortAccessPointUseLocalState : public TUdpPortAccessPointState {
public:
    bool StateExchange(const quint8* Request, int RequestLength, quint8* Answer, int AnswerLength,
                       int Timeout) override;
    bool StateOpen() override;
    void StateClose() override;
    bool StateIsOpen() const override;

    void AttachServer(TUdpServerSocket* Server);
    TUdpServerSocket* Server() const { return FServer; }
    // The server's datagram handler: appends what the gateway sent.
    void DatagramArrived(const QByteArray& Data, const QHostAddress& Sender);
    int Received() const { return FReceived; }

private:
    TUdpServerSocket* FServer = nullptr;
    int FReceived = 0;
};

// The access point of devices behind an Ethernet gateway: each request is one datagram to the
// gateway, each answer comes back in UDP.
class TUdpPortAccessPoint : public TAccessPoint {
public:
    TUdpPortAccessPoint();
    ~TUdpPortAccessPoint() override;

    TUdpClientSocket* UDPClient() const { return FClient; }
    void SetUDPClient(TUdpClientSocket* Value);
    TUdpServerSocket* UDPServer() const { return FLocalState->Server(); }
    // Ignored while the local-port state is open.
    void SetUDPServer(TUdpServerSocket* Value);

    bool UseLocalPort() const { return FUseLocalPort; }
    // Ignored while open.
    void SetUseLocalPort(bool Value);
    // Datagrams dropped because they came from somewhere else than the gateway.
    int ForeignDatagrams() const;

    bool DoExchange(const quint8* Request, int RequestLength, quint8* Answer, int AnswerLength) override;
    // Values below 10 ms are ignored.
    void SetTimeout(int Value) override;
    int GetTimeout() const override { return FTimeout; }
    bool DoOpen() override;
    void DoClose() override;
    bool IsOpen() const override;

private:
    TUdpPortAccessPointState* FState;
    std::unique_ptr<TUdpPortAccessPointNotLocalState> FNotLocalState;
    std::unique_ptr<TUdpPortAccessPointUseLocalState> FLocalState;
    TUdpClientSocket* FClient = nullptr;
    bool FUseLocalPort = false;
    int FTimeout = 100;
};
