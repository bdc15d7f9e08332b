#include "support/ModbusTcpServer.h"

#include <modbus/modbus.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

TModbusTcpServer::TModbusTcpServer(int registerCount) {
    FCtx = modbus_new_tcp("127.0.0.1", 0);
    FMapping = modbus_mapping_new(0, 0, registerCount, 0);
    if (!FCtx || !FMapping)
        return;
    FListen = modbus_tcp_listen(FCtx, 1);
    if (FListen < 0)
        return;
    sockaddr_in a{};
    socklen_t len = sizeof a;
    if (::getsockname(FListen, reinterpret_cast<sockaddr*>(&a), &len) != 0)
        return;
    FPort = ntohs(a.sin_port);
    // The server answers every unit id, as a gateway in front of one device would.
    modbus_set_slave(FCtx, MODBUS_TCP_SLAVE);
    modbus_set_indication_timeout(FCtx, 0, 50000);
    FThread = std::thread([this] { Run(); });
}

TModbusTcpServer::~TModbusTcpServer() {
    FStop = true;
    if (FThread.joinable())
        FThread.join();
    if (FListen >= 0)
        ::close(FListen);
    if (FCtx) {
        modbus_close(FCtx);
        modbus_free(FCtx);
    }
    if (FMapping)
        modbus_mapping_free(FMapping);
}

void TModbusTcpServer::Run() {
    uint8_t query[MODBUS_TCP_MAX_ADU_LENGTH];
    while (!FStop) {
        pollfd p{FListen, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        int listen = FListen;
        if (modbus_tcp_accept(FCtx, &listen) < 0)
            continue;
        while (!FStop) {
            const int rc = modbus_receive(FCtx, query);
            if (rc > 0) {
                std::lock_guard lock(FMutex);
                modbus_reply(FCtx, query, rc, FMapping);
                ++FRequests;
            } else if (rc < 0 && errno != ETIMEDOUT) {
                break; // the client went away: wait for the next one
            }
        }
        modbus_close(FCtx);
    }
}

void TModbusTcpServer::SetPair(int index, quint32 value) {
    std::lock_guard lock(FMutex);
    FMapping->tab_registers[index] = quint16(value >> 16);
    FMapping->tab_registers[index + 1] = quint16(value);
}

quint32 TModbusTcpServer::Pair(int index) const {
    std::lock_guard lock(FMutex);
    return (quint32(FMapping->tab_registers[index]) << 16) | FMapping->tab_registers[index + 1];
}
