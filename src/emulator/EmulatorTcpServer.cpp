#include "emulator/EmulatorTcpServer.h"

#include "emulator/ConverterMO.h"
#include "emulator/VirtualDeviceManager.h"
#include "platform/Ticks.h"
#include "protocol/Crc16.h"
#include "protocol/FrameLength.h"
#include "protocol/ModbusTcp.h"
#include "protocol/NerixBuffer.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <array>

namespace {
constexpr quint8 kGatewayTargetFailed = 0x0B;
} // namespace

TEmulatorTcpServer::TEmulatorTcpServer(TVirtualDeviceManager& Manager)
    : FManager(Manager), FServer(std::make_unique<QTcpServer>()) {
    QObject::connect(FServer.get(), &QTcpServer::newConnection, [this] { Accept(); });
}

TEmulatorTcpServer::~TEmulatorTcpServer() {
    Close();
}

bool TEmulatorTcpServer::Listen(quint16 Port, const QHostAddress& Address) {
    Close();
    if (FServer->listen(Address, Port))
        return true;
    FLastError = QStringLiteral("cannot listen on TCP port %1: %2").arg(Port).arg(FServer->errorString());
    return false;
}

void TEmulatorTcpServer::Close() {
    FServer->close();
    for (auto& c : FConnections) {
        QObject::disconnect(c->Socket, nullptr, nullptr, nullptr);
        c->Socket->abort();
        c->Socket->deleteLater();
    }
    FConnections.clear();
}

bool TEmulatorTcpServer::Listening() const {
    return FServer->isListening();
}

quint16 TEmulatorTcpServer::Port() const {
    return FServer->serverPort();
}

void TEmulatorTcpServer::Accept() {
    while (QTcpSocket* socket = FServer->nextPendingConnection()) {
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        auto connection = std::make_unique<TConnection>();
        connection->Socket = socket;
        TConnection* c = connection.get();
        FConnections.push_back(std::move(connection));
        QObject::connect(socket, &QTcpSocket::readyRead, [this, c] { Read(*c); });
        QObject::connect(socket, &QTcpSocket::disconnected, [this, socket] { Forget(socket); });
        if (socket->bytesAvailable() > 0)
            Read(*c);
    }
}

void TEmulatorTcpServer::Forget(QTcpSocket* Socket) {
    const auto it = std::find_if(FConnections.begin(), FConnections.end(),
                                 [Socket](const auto& c) { return c->Socket == Socket; });
    if (it == FConnections.end())
        return;
    QObject::disconnect(Socket, nullptr, nullptr, nullptr);
    Socket->deleteLater();
    FConnections.erase(it);
}

void TEmulatorTcpServer::Read(TConnection& Connection) {
    QTcpSocket* socket = Connection.Socket;
    const qint64 now = qint64(TickCount());
    // A raw request cut short (the master gave up on it) would swallow the start of the next one.
    if (!FMbap && !Connection.Input.isEmpty() && now - Connection.LastInput > kStaleInputMs)
        Connection.Input.clear();
    Connection.Input += socket->readAll();
    Connection.LastInput = now;
    QByteArray output;
    const bool ok = ServeInput(Connection.Input, output);
    if (!output.isEmpty())
        socket->write(output);
    if (!ok) {
        socket->flush();
        socket->disconnectFromHost(); // Forget follows on its disconnected signal
    }
}

bool TEmulatorTcpServer::ServeInput(QByteArray& Input, QByteArray& Output) {
    return FMbap ? ServeMbap(Input, Output) : ServeRaw(Input, Output);
}

bool TEmulatorTcpServer::ServeRaw(QByteArray& Input, QByteArray& Output) {
    while (!Input.isEmpty()) {
        const auto* data = reinterpret_cast<const quint8*>(Input.constData());
        const int count = int(Input.size());
        int length = 0;
        if (FManager.Protocol() == TVirtualDeviceManager::kProtocolNerix) {
            length = kNerixFrameSize;
        } else {
            length = ModbusRequestLength(data, count);
            // A function the emulated devices do not know cannot start a request.
            if (length == 0 && count >= 2 && data[1] != 0x03 && data[1] != 0x10)
                length = -1;
        }
        if (length == 0 || (length > 0 && count < length))
            return true; // the rest is still on its way
        if (length < 0 || Crc16(data, length) != 0) {
            Input.remove(0, 1); // not the start of a request: slide on
            continue;
        }
        QByteArray answer;
        FManager.ServeFrame(data, length, answer);
        Output += answer;
        Input.remove(0, length);
    }
    return true;
}

bool TEmulatorTcpServer::ServeMbap(QByteArray& Input, QByteArray& Output) {
    while (Input.size() >= ModbusTcp::kHeaderSize) {
        const auto* data = reinterpret_cast<const quint8*>(Input.constData());
        ModbusTcp::THeader header;
        if (ModbusTcp::ParseHeader(data, int(Input.size()), header) != ModbusTcp::TParse::Ok) {
            Input.clear();
            return false;
        }
        if (Input.size() < header.FrameSize())
            return true;
        std::array<quint8, ModbusTcp::kMaxFrame> rtu{};
        const int rtuLength = ModbusTcp::RtuFromFrame(data, header.FrameSize(), rtu.data(), int(rtu.size()));
        const quint8 function = rtu[1];
        Input.remove(0, header.FrameSize());
        QByteArray answer;
        if (rtuLength > 0 && FManager.Protocol() == TVirtualDeviceManager::kProtocolModbus)
            FManager.ServeFrame(rtu.data(), rtuLength, answer);
        if (header.Unit == 0)
            continue; // a broadcast is never answered
        std::array<quint8, ModbusTcp::kMaxFrame> frame{};
        int frameLength = -1;
        if (!answer.isEmpty()) {
            frameLength = ModbusTcp::FrameFromRtu(reinterpret_cast<const quint8*>(answer.constData()),
                                                  int(answer.size()), header.TransactionId, frame.data(),
                                                  int(frame.size()));
        }
        if (frameLength < 0) {
            std::array<quint8, 5> exception{header.Unit, quint8(function | 0x80), kGatewayTargetFailed, 0, 0};
            PutCrc16(exception.data(), 3);
            frameLength = ModbusTcp::FrameFromRtu(exception.data(), int(exception.size()),
                                                  header.TransactionId, frame.data(), int(frame.size()));
        }
        Output.append(reinterpret_cast<const char*>(frame.data()), frameLength);
    }
    return true;
}
