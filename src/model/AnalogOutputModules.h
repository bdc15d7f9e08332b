#pragma once

#include "model/IOModule.h"

#include <QString>
#include <optional>

// The analog output models: GetChannel gives their outputs, nothing beyond the last one.
class TCustomKVDAOBUS : public TIOModule {
public:
    virtual TAOChannel* GetChannel(int Index) { return nullptr; }
};

// KVD-AO-BUS (type 2): outputs 1..4, health controller 5.
class TKVDAOBUS : public TCustomKVDAOBUS {
public:
    TKVDAOBUS();
    TAOChannel* GetChannel(int Index) override { return AnalogOutput(Index); }
    std::optional<quint16> ZoVuruGroup() const override { return 2; }
    QString ClassName() const override { return QStringLiteral("TKVDAOBUS"); }
};

// KVD-AO6-BUS (type 3): outputs 1..6, health controller 7.
class TKVDAO6BUS : public TCustomKVDAOBUS {
public:
    TKVDAO6BUS();
    TAOChannel* GetChannel(int Index) override { return AnalogOutput(Index); }
    std::optional<quint16> ZoVuruGroup() const override { return 3; }
    QString ClassName() const override { return QStringLiteral("TKVDAO6BUS"); }
};

// KVD-AO2-VIXPro (type 34): outputs 1, 2, health controller 7.
class TKVDAO2VIXPro : public TCustomKVDAOBUS {
public:
    TKVDAO2VIXPro();
    TAOChannel* GetChannel(int Index) override { return AnalogOutput(Index); }
    QString ClassName() const override { return QStringLiteral("TKVDAO2VIXPro"); }
};

// KVD-AO16-QAV (type 66): outputs 1..16, health controller 17.
class TKVDAO16QAV : public TCustomKVDAOBUS {
public:
    TKVDAO16QAV();
    TAOChannel* GetChannel(int Index) override { return AnalogOutput(Index); }
    QString ClassName() const override { return QStringLiteral("TKVDAO16QAV"); }
};

// KVD-MIO-QAV (type 69): analog inputs 1..8, analog outputs 9..14, their health controller 15,
// discrete inputs 16..23, discrete outputs 24..31, extended manager 32, the discrete health
// controller 33. GetChannel gives the analog outputs; the analog inputs have their own accessor.
class TKVDMIOQAV : public TCustomKVDAOBUS {
public:
    TKVDMIOQAV();
    ~TKVDMIOQAV() override;
    TAOChannel* GetChannel(int Index) override { return AnalogOutput(Index); }
    TIntachnessCtrlChannel* DiscreteIntachnessCtrl() override { return FDiscreteIntachnessCtrl.get(); }
    QString ClassName() const override { return QStringLiteral("TKVDMIOQAV"); }

private:
    std::unique_ptr<TICDIO24QAV> FDiscreteIntachnessCtrl;
};

// Makes these classes available to CreateModuleForType.
void RegisterAnalogOutputModuleClasses();
