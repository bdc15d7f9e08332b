#include "support/UdpGateway.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
sockaddr_in Loopback(const char* ip, quint16 port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    inet_pton(AF_INET, ip, &a.sin_addr);
    return a;
}
} // namespace

TUdpGateway::TUdpGateway() {
    FSocket = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a = Loopback("127.0.0.1", 0);
    if (FSocket < 0 || ::bind(FSocket, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        if (FSocket >= 0)
            ::close(FSocket);
        FSocket = -1;
        return;
    }
    socklen_t len = sizeof a;
    ::getsockname(FSocket, reinterpret_cast<sockaddr*>(&a), &len);
    FPort = ntohs(a.sin_port);
    FThread = std::thread([this] { Run(); });
}

TUdpGateway::~TUdpGateway() {
    FStop = true;
    if (FThread.joinable())
        FThread.join();
    if (FSocket >= 0)
        ::close(FSocket);
}

void TUdpGateway::SetTail(const QByteArray& tail) {
    std::lock_guard lock(FMutex);
    FTail = tail;
}

void TUdpGateway::DelayNextAnswers(std::vector<int> ms) {
    std::lock_guard lock(FMutex);
    FDelays.assign(ms.begin(), ms.end());
}

std::vector<QByteArray> TUdpGateway::Requests() const {
    std::lock_guard lock(FMutex);
    return FRequests;
}

int TUdpGateway::RequestCount() const {
    std::lock_guard lock(FMutex);
    return int(FRequests.size());
}

void TUdpGateway::SendForeign(const QByteArray& bytes, quint16 port) {
    const int s = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in from = Loopback("127.0.0.2", 0);
    ::bind(s, reinterpret_cast<sockaddr*>(&from), sizeof from);
    sockaddr_in to = Loopback("127.0.0.1", port);
    ::sendto(s, bytes.constData(), size_t(bytes.size()), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    ::close(s);
}

void TUdpGateway::Run() {
    while (!FStop) {
        pollfd p{FSocket, POLLIN, 0};
        if (::poll(&p, 1, 5) <= 0)
            continue;
        char buf[4096];
        sockaddr_in sender{};
        socklen_t len = sizeof sender;
        const ssize_t n = ::recvfrom(FSocket, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&sender), &len);
        if (n <= 0)
            continue;
        const QByteArray request(buf, qsizetype(n));
        int delay = 0;
        QByteArray tail;
        {
            std::lock_guard lock(FMutex);
            FRequests.push_back(request);
            if (!FDelays.empty()) {
                delay = FDelays.front();
                FDelays.pop_front();
            }
            tail = FTail;
        }
        if (FSilent)
            continue;
        QByteArray answer = FDevices.Answer(request, 0);
        if (answer.isEmpty())
            continue;
        answer += tail;
        if (delay > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        sockaddr_in to = sender;
        if (FAnswerPort != 0)
            to = Loopback("127.0.0.1", FAnswerPort);
        auto send = [&](const QByteArray& d) {
            ::sendto(FSocket, d.constData(), size_t(d.size()), 0, reinterpret_cast<sockaddr*>(&to),
                     sizeof to);
        };
        const int split = FSplit;
        if (split > 0 && split < answer.size()) {
            send(answer.left(split));
            send(answer.mid(split));
        } else {
            send(answer);
        }
    }
}
