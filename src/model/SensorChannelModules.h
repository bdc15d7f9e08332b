#pragma once

#include "model/FlameChannel.h"
#include "model/FlowChannel.h"
#include "model/FotoSensorChannel.h"
#include "model/IOModule.h"
#include "model/TermoChannel.h"
#include "model/ZUVOModule.h"

#include <QString>
#include <memory>
#include <vector>

// The models whose channels carry device-specific properties: temperature channels, flowmeters and
// the flame controllers. Each maps its registers and creates its objects; the accessors give nothing
// beyond the last channel of a kind.

// KVD-TC-BUS (type 22): 13 temperature channels on objects 1..13 (index 0 is the controller's own
// temperature).
class TKVDTCBUS : public TZUVOModule {
public:
    static constexpr int kChannelCount = 13;

    TKVDTCBUS();
    QString ClassName() const override { return QStringLiteral("TKVDTCBUS"); }

    int ChannelCount() const { return int(FChannels.size()); }
    TTermoChannel* GetChannel(int Index) const;
    int TermoChannelCount() const override { return ChannelCount(); }
    TTermoChannel* TermoChannel(int Index) const override { return GetChannel(Index); }

private:
    std::vector<std::unique_ptr<TTermoChannel>> FChannels;
};

// The flowmeter models: Count channels on objects 1..Count, each with Seq(23) at object × 256.
class TCustomFlowModule : public TZUVOModule {
public:
    int ChannelCount() const { return int(FChannels.size()); }
    TFlowChannel* GetChannel(int Index) const;
    int FlowChannelCount() const override { return ChannelCount(); }
    TFlowChannel* FlowChannel(int Index) const override { return GetChannel(Index); }

protected:
    explicit TCustomFlowModule(int Count);

private:
    std::vector<std::unique_ptr<TFlowChannel>> FChannels;
};

// KVD-RS-BUS (type 23): 13 flowmeter channels.
class TKVDRSBUS : public TCustomFlowModule {
public:
    static constexpr int kChannelCount = 13;

    TKVDRSBUS() : TCustomFlowModule(kChannelCount) {}
    QString ClassName() const override { return QStringLiteral("TKVDRSBUS"); }
};

// KVD-RS-VIXPro (type 40): 4 flowmeter channels.
class TKVDRSVIXPro : public TCustomFlowModule {
public:
    static constexpr int kChannelCount = 4;

    TKVDRSVIXPro() : TCustomFlowModule(kChannelCount) {}
    QString ClassName() const override { return QStringLiteral("TKVDRSVIXPro"); }
};

// The two flame templates: 2 inputs on objects 1, 2 (analog inputs, or photosensors on the detector
// model), 4 discrete outputs (relays K1..K4) on objects 3..6, an analog output on object 7, the
// manager on object 8 and the flame controller on object 9.
class TCustomFlameModule : public TIOModule {
public:
    static constexpr int kRelayCount = 4;
    static constexpr quint8 kFirstRelayObject = 3;
    static constexpr quint8 kAnalogOutputObject = 7;
    static constexpr quint8 kManagerObject = 8;

    ~TCustomFlameModule() override;

    TFlameChannel* FlameChannel() const override { return FFlame.get(); }

protected:
    TCustomFlameModule();
    // The objects 3..8, their rows as every flame model has them.
    void AddCommonObjects();
    void AddFlameChannel(int Properties);

private:
    std::unique_ptr<TFlameChannel> FFlame;
};

// KVD-FLAME-BUS (type 26): analog inputs of the eight-channel layout on objects 1, 2; the flame
// controller with Seq(12) at 2304.
class TKVDFLAMEBUS : public TCustomFlameModule {
public:
    TKVDFLAMEBUS();
    QString ClassName() const override { return QStringLiteral("TKVDFLAMEBUS"); }
};

// KVD-FLAME-BUS with detectors (type 27): photosensor channels on objects 1, 2 (Seq(22) at
// object × 256); the flame controller with Seq(22) at 2304.
class TKVDFLAMEDETECTORBUS : public TCustomFlameModule {
public:
    static constexpr int kFotoSensorCount = 2;

    TKVDFLAMEDETECTORBUS();
    ~TKVDFLAMEDETECTORBUS() override;
    QString ClassName() const override { return QStringLiteral("TKVDFLAMEDETECTORBUS"); }

    int FotoSensorCount() const override { return int(FFotoSensors.size()); }
    TFotoSensorChannel* FotoSensor(int Index) const override;

private:
    std::vector<std::unique_ptr<TFotoSensorChannel>> FFotoSensors;
};

// KVD-uHost-VIXPro (type 36): a host without channel objects; only the system channel.
class TKVDuHostVIXPro : public TZUVOModule {
public:
    QString ClassName() const override { return QStringLiteral("TKVDuHostVIXPro"); }
};

// Makes these classes available to CreateModuleForType.
void RegisterSensorChannelModuleClasses();
