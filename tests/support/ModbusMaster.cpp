#include "support/ModbusMaster.h"

#include <modbus/modbus.h>

TModbusMaster::TModbusMaster(int Fd, int Address, int ResponseTimeoutMs) {
    // The context talks on the descriptor directly; it is never "connected" to a path, so the
    // speed given here sets nothing on the line.
    FCtx = modbus_new_rtu("/dev/null", 9600, 'N', 8, 1);
    if (!FCtx)
        return;
    modbus_set_socket(FCtx, Fd);
    modbus_set_slave(FCtx, Address);
    modbus_set_response_timeout(FCtx, uint32_t(ResponseTimeoutMs / 1000),
                                uint32_t(ResponseTimeoutMs % 1000) * 1000);
}

TModbusMaster::~TModbusMaster() {
    if (FCtx)
        modbus_free(FCtx); // not modbus_close: the descriptor is the caller's
}

int TModbusMaster::ReadRegisters(int Start, int Count, quint16* Values) {
    return FCtx ? modbus_read_registers(FCtx, Start, Count, Values) : -1;
}

int TModbusMaster::WriteRegisters(int Start, int Count, const quint16* Values) {
    return FCtx ? modbus_write_registers(FCtx, Start, Count, Values) : -1;
}
