#pragma once

#include "support/SimulatedDevices.h"

#include <QByteArray>
#include <QtGlobal>
#include <atomic>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// A UDP gateway on 127.0.0.1 with simulated devices behind it, in a thread of its own: each request
// datagram is answered as the devices would, either to the sender or to a fixed local port, with
// knobs for answers in pieces, extra bytes, late answers and silence.
class TUdpGateway {
public:
    TUdpGateway();
    ~TUdpGateway();
    TUdpGateway(const TUdpGateway&) = delete;
    TUdpGateway& operator=(const TUdpGateway&) = delete;

    bool Ok() const { return FSocket >= 0; }
    quint16 Port() const { return FPort; }
    TSimulatedDevices& Devices() { return FDevices; }

    // Answers go to 127.0.0.1:port instead of back to the sender (0: to the sender).
    void SetAnswerPort(quint16 port) { FAnswerPort = port; }
    // The answer as two datagrams, the first `firstPart` bytes long (0: one datagram).
    void SetSplit(int firstPart) { FSplit = firstPart; }
    // Bytes appended to every answer.
    void SetTail(const QByteArray& tail);
    void DelayNextAnswers(std::vector<int> ms);
    void SetSilent(bool silent) { FSilent = silent; }

    // Sends a datagram to 127.0.0.1:port from another host (127.0.0.2).
    static void SendForeign(const QByteArray& bytes, quint16 port);

    std::vector<QByteArray> Requests() const;
    int RequestCount() const;

private:
    void Run();

    int FSocket = -1;
    quint16 FPort = 0;
    std::thread FThread;
    std::atomic<bool> FStop{false};
    std::atomic<quint16> FAnswerPort{0};
    std::atomic<int> FSplit{0};
    std::atomic<bool> FSilent{false};
    TSimulatedDevices FDevices;
    mutable std::mutex FMutex;
    QByteArray FTail;
    std::deque<int> FDelays;
    std::vector<QByteArray> FRequests;
};
