#include "support/ModbusSlave.h"

#include <modbus/modbus.h>

TModbusSlave::TModbusSlave(int address, int registerCount) {
    if (!FPty.Ok())
        return;
    // The context talks on the pty master directly; it is never "connected" to a path.
    FCtx = modbus_new_rtu("/dev/null", 9600, 'N', 8, 1);
    FMapping = modbus_mapping_new(0, 0, registerCount, 0);
    if (!FCtx || !FMapping) {
        if (FCtx)
            modbus_free(FCtx);
        FCtx = nullptr;
        return;
    }
    modbus_set_slave(FCtx, address);
    modbus_set_socket(FCtx, FPty.Master());
    modbus_set_indication_timeout(FCtx, 0, 20000);
    FThread = std::thread([this] { Run(); });
}

TModbusSlave::~TModbusSlave() {
    FStop = true;
    if (FThread.joinable())
        FThread.join();
    if (FCtx)
        modbus_free(FCtx); // not modbus_close: the pty is ours to close
    if (FMapping)
        modbus_mapping_free(FMapping);
}

void TModbusSlave::Run() {
    uint8_t query[MODBUS_RTU_MAX_ADU_LENGTH];
    while (!FStop) {
        const int rc = modbus_receive(FCtx, query);
        if (rc > 0) {
            std::lock_guard lock(FMutex);
            modbus_reply(FCtx, query, rc, FMapping);
            ++FRequests;
        }
    }
}

quint16 TModbusSlave::Register(int index) const {
    std::lock_guard lock(FMutex);
    return FMapping->tab_registers[index];
}

void TModbusSlave::SetRegister(int index, quint16 value) {
    std::lock_guard lock(FMutex);
    FMapping->tab_registers[index] = value;
}

void TModbusSlave::SetPair(int index, quint32 value) {
    std::lock_guard lock(FMutex);
    FMapping->tab_registers[index] = quint16(value >> 16);
    FMapping->tab_registers[index + 1] = quint16(value);
}

quint32 TModbusSlave::Pair(int index) const {
    std::lock_guard lock(FMutex);
    return (quint32(FMapping->tab_registers[index]) << 16) | FMapping->tab_registers[index + 1];
}
