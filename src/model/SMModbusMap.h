#pragma once

#include "bus/PowerRSBus.h"
#include "model/ModbusSpace.h"

#include <vector>

// The register map of the stepper motor controller: one space of fourteen parameters at 8192, its
// manager, a serial port of its own and the transport over it.
class TSMModbusMap {
public:
    TSMModbusMap();
    ~TSMModbusMap();
    TSMModbusMap(const TSMModbusMap&) = delete;
    TSMModbusMap& operator=(const TSMModbusMap&) = delete;

    // Declared first so that they outlive the parameters and the space that point at them.
    TPowerRsBus Port;
    TCOMPortTransport Transport;
    TModbusSpaceManager Manager;
    TModbusSpace Space;

    TModbusParameter Options{QStringLiteral("Options")};
    TModbusParameter MinClock{QStringLiteral("MinClock")};
    TModbusParameter MaxClock{QStringLiteral("MaxClock")};
    TModbusParameter AcceleratingTime{QStringLiteral("AcceleratingTime")};
    TModbusParameter DeltaClk{QStringLiteral("DeltaClk")};
    TModbusParameter ModbusParameter1{QStringLiteral("ModbusParameter1")};
    TModbusParameter Temperature{QStringLiteral("Temperature")};
    TModbusParameter StepCounter{QStringLiteral("StepCounter")};
    TModbusParameter RegStatus{QStringLiteral("RegStatus")};
    TModbusParameter Clock{QStringLiteral("Clock")};
    TModbusParameter MoveRight{QStringLiteral("MoveRight")};
    TModbusParameter StepCount{QStringLiteral("StepCount")};
    TModbusParameter Execute{QStringLiteral("Execute")};
    TModbusParameter CurrClock{QStringLiteral("CurrClock")};

    // The parameters in index order.
    const std::vector<TModbusParameter*>& Parameters() const { return Space.Parameters(); }
    // Options bits 0..1: the byte order of every 32-bit parameter but Options; bit 2: that of every
    // word parameter (0 most significant byte first, 1 exchanged).
    void ApplyOptions();
    void ApplyOptions(quint32 Value);
};
