#pragma once

#include "model/AOChannel.h"
#include "model/AlarmSystemChannel.h"
#include "model/CustomZUVOChannel.h"
#include "model/GVixChannel.h"
#include "model/SimpleChannel.h"
#include "model/ZUVOModule.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

// The models whose channels are analog inputs. Each adds its register map, creates its inputs on
// objects 1 .. n (index 0 .. n - 1) and its auxiliary objects; AnalogInput gives nothing beyond the
// last input.

// The analog inputs of one module, owned.
class TSimpleChannelList {
public:
    void Create(TZUVOModule* Module, quint8 FirstObject, int Count);
    int Count() const { return int(FItems.size()); }
    // Nothing outside 0 .. Count() - 1.
    TSimpleChannel* At(int Index) const;

private:
    std::vector<std::unique_ptr<TSimpleChannel>> FItems;
};

// A module with analog inputs and, on some models, a stream input controller. Not a model itself.
class TAnalogInputModule : public TZUVOModule {
public:
    int AnalogInputCount() const override { return FInputs.Count(); }
    TSimpleChannel* AnalogInput(int Index) override { return FInputs.At(Index); }
    TAIKDataStreamController* StreamController() override { return FStreamController.get(); }
    int AnalogOutputCount() const override { return int(FOutputs.size()); }
    TAOChannel* AnalogOutput(int Index) override;

protected:
    // Inputs on objects FirstObject .. FirstObject + Count - 1, each with the given register layout
    // at object × 256.
    void AddInputs(int Count, TRegisterLayout Layout, quint8 FirstObject = 1);
    // The stream controller on Object, its Seq(Properties) rows at object × 256.
    void AddStreamController(quint8 Object, int Properties);

    // An analog output on Object with its rows from Base on.
    void AddOutput(quint8 Object, quint16 Base);

    TSimpleChannelList FInputs;
    std::unique_ptr<TAIKDataStreamController> FStreamController;
    std::vector<std::unique_ptr<TAOChannel>> FOutputs;
};

// KVD-AIK-BUS (types 0, 20, 31): 4 inputs, objects 1..4; stream controller, object 5.
class TKVDAIKBUS : public TAnalogInputModule {
public:
    TKVDAIKBUS();
    std::optional<quint16> ZoVuruGroup() const override { return 0; }
    QString ClassName() const override { return QStringLiteral("TKVDAIKBUS"); }
};

// KVD-A-VIX (type 15): as KVD-AIK-BUS, plus the GVix protection unit (its extra channel), which
// always addresses object 2. Its properties 6, 7 and 8 have no register, so the conversion ranges and
// the command cannot travel over the tunnelled protocol.
class TKVDAVIX : public TKVDAIKBUS {
public:
    static constexpr quint8 kGVixObject = TGVixChannel::kObject;

    TKVDAVIX();
    QString ClassName() const override { return QStringLiteral("TKVDAVIX"); }
    TGVixChannel* GVixChannel() override { return GVix.get(); }

    std::unique_ptr<TGVixChannel> GVix;
};

// KVD-AIK8-BUS (type 1): 8 inputs of the eight-channel kind, objects 1..8.
class TKVDAI8BUS : public TAnalogInputModule {
public:
    TKVDAI8BUS();
    std::optional<quint16> ZoVuruGroup() const override { return 1; }
    QString ClassName() const override { return QStringLiteral("TKVDAI8BUS"); }
};

// KVD-AIK12-BUS (type 25): 12 inputs, objects 1..12; signalling system, object 13; stream
// controller, object 14.
class TKVDAIK12BUS : public TAnalogInputModule {
public:
    static constexpr quint8 kAlarmSystemObject = TAlarmSystemChannel::kObject;
    static constexpr quint8 kStreamObject = 14;

    TKVDAIK12BUS();
    QString ClassName() const override { return QStringLiteral("TKVDAIK12BUS"); }

    TAlarmSystemChannel* AlarmSystemChannel() const override { return AlarmSystem.get(); }

    // The signalling system: alarms and relays of the twelve inputs and the temperature.
    std::unique_ptr<TAlarmSystemChannel> AlarmSystem;
};

// KVD-AI4-VIXPro (type 37): 4 inputs, objects 1..4; stream controller, object 5.
class TKVDAI4VIXPro : public TAnalogInputModule {
public:
    TKVDAI4VIXPro();
    QString ClassName() const override { return QStringLiteral("TKVDAI4VIXPro"); }
};

// KVD-AI-VIXPro (type 41): as KVD-AI4-VIXPro.
class TKVDAIVIXPro : public TKVDAI4VIXPro {
public:
    QString ClassName() const override { return QStringLiteral("TKVDAIVIXPro"); }
};

// KVD-AI7-VIXPro (type 42): 7 inputs, objects 1..7; stream controller, object 8.
class TKVDAI7VIXPro : public TAnalogInputModule {
public:
    TKVDAI7VIXPro();
    QString ClassName() const override { return QStringLiteral("TKVDAI7VIXPro"); }
};

// KVD-AI24-QAV (type 65): 24 inputs, objects 1..24.
class TKVDAI24QAV : public TAnalogInputModule {
public:
    TKVDAI24QAV();
    QString ClassName() const override { return QStringLiteral("TKVDAI24QAV"); }
};

// KVD-AI8-QAV (type 68): 8 inputs, objects 1..8.
class TKVDAI8QAV : public TAnalogInputModule {
public:
    TKVDAI8QAV();
    QString ClassName() const override { return QStringLiteral("TKVDAI8QAV"); }
};

// KVD-AI-QAV (type 72): 2 inputs, objects 1, 2.
class TKVDAIQAV : public TAnalogInputModule {
public:
    TKVDAIQAV();
    QString ClassName() const override { return QStringLiteral("TKVDAIQAV"); }
};

// The models with analog outputs besides their inputs, on objects kFirstOutputObject ..
// kFirstOutputObject + kOutputCount - 1.

// KVD-AJ-VIX (type 24): 1 input, object 1; 1 output, object 2 (registers from 48).
class TKVDAVIX_EXT : public TAnalogInputModule {
public:
    static constexpr quint8 kFirstOutputObject = 2;
    static constexpr int kOutputCount = 1;

    TKVDAVIX_EXT();
    QString ClassName() const override { return QStringLiteral("TKVDAVIX_EXT"); }
};

// KVD-2A-VIX (type 28): 1 input, object 1; 2 outputs, objects 2, 3.
class TKVD2AVIX : public TAnalogInputModule {
public:
    static constexpr quint8 kFirstOutputObject = 2;
    static constexpr int kOutputCount = 2;

    TKVD2AVIX();
    QString ClassName() const override { return QStringLiteral("TKVD2AVIX"); }
};

// KVD-2AR-BUS (type 29): 2 inputs, objects 1, 2; 2 outputs, objects 3, 4.
class TKVD2ARVIX : public TAnalogInputModule {
public:
    static constexpr quint8 kFirstOutputObject = 3;
    static constexpr int kOutputCount = 2;

    TKVD2ARVIX();
    QString ClassName() const override { return QStringLiteral("TKVD2ARVIX"); }
};

// Makes these classes available to CreateModuleForType.
void RegisterAnalogInputModuleClasses();
