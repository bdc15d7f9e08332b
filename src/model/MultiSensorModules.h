#pragma once

#include "model/CustomZUVOChannel.h"
#include "model/ZUVOModule.h"

#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>
#include <vector>

// One sensor bus of a multi-sensor thermometer: every property the sensor bus window uses is a
// 32-bit integer, so the object only needs plain integer reads and writes. Each sets the module's
// Ok to its outcome.
class TTermoMultiSensorChannel : public TCustomZUVOChannel {
public:
    using TCustomZUVOChannel::TCustomZUVOChannel;

    std::optional<qint32> ReadProperty(quint16 Property);
    bool WriteProperty(quint16 Property, qint32 Value);
};

// The signalling object of the thermometer (relay default and the limits of every sensor); the same
// integer access as the buses.
class TTermoMultiSensorAlarmChannel : public TTermoMultiSensorChannel {
public:
    using TTermoMultiSensorChannel::TTermoMultiSensorChannel;
};

// What the sensor bus window needs of every module whose temperature channels are sensor buses.
class TCustomMultiSensorModule : public TZUVOModule {
public:
    ~TCustomMultiSensorModule() override;
    int SensorBusCount() const { return int(FBuses.size()); }
    // Nothing beyond the last bus.
    TTermoMultiSensorChannel* SensorBus(int Index);
    // Nothing on a model without one.
    TTermoMultiSensorAlarmChannel* SensorAlarm() { return FAlarm.get(); }

protected:
    void AddBus(quint8 Object, bool WithHumidity);
    void AddAlarm(quint8 Object, quint16 Base, int Properties);

private:
    std::vector<std::unique_ptr<TTermoMultiSensorChannel>> FBuses;
    std::unique_ptr<TTermoMultiSensorAlarmChannel> FAlarm;
};

// KVD-VEVA-BUS (type 30): sensor buses on objects 1..12, the signalling object 13.
class TKVDTCMSBUS : public TCustomMultiSensorModule {
public:
    TKVDTCMSBUS();
    QString ClassName() const override { return QStringLiteral("TKVDTCMSBUS"); }
};

// KVD-TC-VIXPro (type 35): sensor buses on objects 1..4.
class TKVDTCVIXPro : public TCustomMultiSensorModule {
public:
    TKVDTCVIXPro();
    QString ClassName() const override { return QStringLiteral("TKVDTCVIXPro"); }
};

// Makes these classes available to CreateModuleForType.
void RegisterMultiSensorModuleClasses();
