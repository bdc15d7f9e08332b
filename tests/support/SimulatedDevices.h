#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <map>
#include <mutex>

// A table of simulated devices that answers request frames as the devices would: Nerix reads and
// writes of their properties, or Modbus RTU functions 3 and 16 on the register pairs of object 0.
// Thread-safe: the test thread sets it up while a line thread asks it.
class TSimulatedDevices {
public:
    // Reads answer from the table, writes store into it; a property that is not in the table is not
    // answered. A Nerix request to address 0 is answered by the only device there is (with its own
    // address in the answer), as the scan by speeds expects.
    void AddNerixDevice(quint8 address, std::map<std::pair<quint8, quint16>, quint32> properties);
    // The device answers only while the line runs at `baud` (0: at any speed).
    void SetDeviceBaud(quint8 address, quint32 baud);
    // The device speaks Modbus RTU instead of Nerix; its object 0 properties sit at the registers
    // every device maps them to.
    void SetDeviceModbus(quint8 address, bool modbus);
    // As a real device does: after answering a write of its bus settings word (object 0, property
    // 3) at its present address, the device answers at the address in the word's low byte.
    void SetAddressFollowsBusSettings(quint8 address, bool follows);
    quint32 Property(quint8 address, quint8 object, quint16 property) const;
    bool HasDevice(quint8 address) const;

    // The answer to one request at the given line speed (0 when the line has none); empty: silence.
    QByteArray Answer(const QByteArray& request, quint32 lineSpeed);

private:
    struct TSimDevice {
        std::map<std::pair<quint8, quint16>, quint32> Properties;
        quint32 Baud = 0;
        bool Modbus = false;
        bool AddressFollowsBusSettings = false;
    };
    // A written bus settings word moves a device that follows it.
    void AfterWrite(quint8 address, quint8 object, quint16 property);
    TSimDevice* DeviceFor(quint8 address, bool modbus, quint32 lineSpeed, quint8* realAddress);
    QByteArray AnswerNerix(const QByteArray& request, quint32 lineSpeed);
    QByteArray AnswerModbus(const QByteArray& request, quint32 lineSpeed);

    mutable std::mutex FMutex;
    std::map<quint8, TSimDevice> FDevices;
};
