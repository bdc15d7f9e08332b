#pragma once

#include "support/PtyPair.h"

#include <QString>
#include <QtGlobal>
#include <atomic>
#include <mutex>
#include <thread>

struct _modbus;
struct _modbus_mapping_t;

// An independent Modbus RTU slave (libmodbus) on the far end of a pseudo-terminal, answering in a
// thread of its own from a table of holding registers: proves our frames against code we did not
// write.
class TModbusSlave {
public:
    TModbusSlave(int address, int registerCount);
    ~TModbusSlave();
    TModbusSlave(const TModbusSlave&) = delete;
    TModbusSlave& operator=(const TModbusSlave&) = delete;

    bool Ok() const { return FCtx != nullptr; }
    QString PortPath() const { return FPty.SlavePath(); }

    quint16 Register(int index) const;
    void SetRegister(int index, quint16 value);
    // Two registers, most significant first.
    void SetPair(int index, quint32 value);
    quint32 Pair(int index) const;
    int Requests() const { return FRequests; }

private:
    void Run();

    TPtyPair FPty;
    _modbus* FCtx = nullptr;
    _modbus_mapping_t* FMapping = nullptr;
    mutable std::mutex FMutex;
    std::thread FThread;
    std::atomic<bool> FStop{false};
    std::atomic<int> FRequests{0};
};
