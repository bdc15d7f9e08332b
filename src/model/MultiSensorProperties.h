#pragma once

#include <QtGlobal>

// The properties of a thermometer's sensor bus object and of its signalling object, and the two
// command words, as both the sensor bus window and the emulated thermometer use them.
enum TSensorBusProperty : quint16 {
    sbScan = 0,
    sbCount = 1,
    sbSelect = 2,
    sbKind = 3,
    sbTemperature = 4,
    sbCpuTemperature = 5,
    sbSwap = 6,
    sbBusOptions = 8,
    sbDeviceOptions = 9,
    sbStore = 11,
    sbSerialLow = 12,
    sbSerialHigh = 13,
    sbHumidity = 15,
    sbErrorHumidity = 20,
};
enum TSignallingProperty : quint16 {
    slRelayDefault = 0,
    slBus = 1,
    slSensor = 2,
    slFlags = 3, // then alarm minimum, alarm maximum, relay minimum, relay maximum
};

inline constexpr quint32 kScanCommand = 0x2C6B91D3;
inline constexpr quint32 kStoreCommand = 0x9A40E57B;
// The sensor number the signalling object gives the processor's own sensor.
inline constexpr int kCpuSensor = 255;
// Sensors are numbered by one byte and 255 is the processor: a bus can hold no more.
inline constexpr int kMaxSensors = 255;
// The sensor kind whose humidity the bus reports.
inline constexpr quint8 kHumidityKind = 34;
