#pragma once

#include <QtGlobal>

struct _modbus;

// An independent Modbus RTU master (libmodbus) on the test's end of a pseudo-terminal, asking one
// slave address. Its calls block until the answer or the response time-out, so a test runs it in a
// thread of its own while the test's thread serves our side. The descriptor stays the caller's to
// close; the context is freed with the object.
class TModbusMaster {
public:
    TModbusMaster(int Fd, int Address, int ResponseTimeoutMs);
    ~TModbusMaster();
    TModbusMaster(const TModbusMaster&) = delete;
    TModbusMaster& operator=(const TModbusMaster&) = delete;

    bool Ok() const { return FCtx != nullptr; }
    // Function 3 and function 16: libmodbus's results, the number of registers or -1.
    int ReadRegisters(int Start, int Count, quint16* Values);
    int WriteRegisters(int Start, int Count, const quint16* Values);

private:
    _modbus* FCtx = nullptr;
};
