#pragma once

#include <QtGlobal>
#include <atomic>
#include <mutex>
#include <thread>

struct _modbus;
struct _modbus_mapping_t;

// An independent Modbus TCP server (libmodbus) on 127.0.0.1 and a free port, answering one
// connection at a time in a thread of its own from a table of holding registers.
class TModbusTcpServer {
public:
    explicit TModbusTcpServer(int registerCount);
    ~TModbusTcpServer();
    TModbusTcpServer(const TModbusTcpServer&) = delete;
    TModbusTcpServer& operator=(const TModbusTcpServer&) = delete;

    bool Ok() const { return FPort != 0; }
    quint16 Port() const { return FPort; }
    void SetPair(int index, quint32 value);
    quint32 Pair(int index) const;
    int Requests() const { return FRequests; }

private:
    void Run();

    _modbus* FCtx = nullptr;
    _modbus_mapping_t* FMapping = nullptr;
    int FListen = -1;
    quint16 FPort = 0;
    mutable std::mutex FMutex;
    std::thread FThread;
    std::atomic<bool> FStop{false};
    std::atomic<int> FRequests{0};
};
