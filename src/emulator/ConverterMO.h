#pragma once

#include "emulator/ModbusMap.h"

#include <QByteArray>
#include <QtGlobal>
#include <array>
#include <memory>

class TVirtualDeviceManager;

// Answers Modbus RTU requests (functions 3 and 16) as the emulated devices: a device's own register
// block where it has one, otherwise the request becomes a Nerix request through the device type's
// register map. One buffer holds the request and, once processed, the answer.
class TConverterMO {
public:
    static constexpr int kBufferSize = 70;

    explicit TConverterMO(TVirtualDeviceManager* Manager);
    ~TConverterMO();
    TConverterMO(const TConverterMO&) = delete;
    TConverterMO& operator=(const TConverterMO&) = delete;

    // Puts a received request into the buffer; false, and an empty buffer, when it cannot hold it.
    bool SetRequest(const quint8* Data, int Count);
    // Validates the buffered request, then serves it by TryDirectRead or else ConvertAndServe. True
    // when the buffer now holds an answer of Count() bytes.
    bool ProcessModbusRequest();
    // The device's own block (the KVD-AIK-BUS measurement block).
    bool TryDirectRead();
    // Through the register map and the device's Nerix registers.
    bool ConvertAndServe();

    // Request and answer in one: the answer's bytes, or false for no answer.
    bool Process(const QByteArray& Request, QByteArray& Answer);

    const quint8* Buffer() const { return FBuffer.data(); }
    int Count() const { return FCount; }
    void Clear() { FCount = 0; }
    const TModbusMapManager& Maps() const { return *FMaps; }

private:
    quint16 Word(int Offset) const {
        return quint16((FBuffer[size_t(Offset)] << 8) | FBuffer[size_t(Offset) + 1]);
    }
    void Finish(int Length);

    TVirtualDeviceManager* FManager;
    std::unique_ptr<TModbusMapManager> FMaps;
    std::array<quint8, kBufferSize> FBuffer{};
    int FCount = 0;
};
