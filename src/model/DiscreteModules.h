#pragma once

#include "model/FileMgrObject.h"
#include "model/IOModule.h"

#include <QString>
#include <memory>
#include <optional>

// The discrete and mixed models. Each maps its registers, creates its channel objects with their
// object numbers and zero-based indexes within their kind, its manager and its health controller.
// The accessors give nothing beyond the last channel of a kind.

// The base of the discrete input models: GetChannel gives their inputs.
class TCustomKVDDIBUS : public TIOModule {
public:
    virtual TDIChannel* GetChannel(int Index) { return nullptr; }
};

// KVD-DI-BUS, KVD-DIDC-BUS (types 4, 10): inputs 1..8, outputs 9, 10, manager 11.
class TKVDDIBUS : public TCustomKVDDIBUS {
public:
    TKVDDIBUS();
    TDIChannel* GetChannel(int Index) override { return DiscreteInput(Index); }
    std::optional<quint16> ZoVuruGroup() const override { return 10; }
    QString ClassName() const override { return QStringLiteral("TKVDDIBUS"); }
};

// KVD-DI14-BUS (type 18): inputs 1..15, extended manager 16.
class TKVDDI14BUS : public TCustomKVDDIBUS {
public:
    TKVDDI14BUS();
    TDIChannel* GetChannel(int Index) override { return DiscreteInput(Index); }
    QString ClassName() const override { return QStringLiteral("TKVDDI14BUS"); }
};

// KVD-DIO-BUS (type 6): inputs 1..8, outputs 9..16, manager 17, health controller 18.
class TKVDDIOBUS : public TIOModule {
public:
    TKVDDIOBUS();
    std::optional<quint16> ZoVuruGroup() const override { return 6; }
    QString ClassName() const override { return QStringLiteral("TKVDDIOBUS"); }
};

// KVD-DO-BUS (type 5): outputs 1..8, manager 9, health controller 10.
class TKVDDOBUS : public TIOModule {
public:
    TKVDDOBUS();
    QString ClassName() const override { return QStringLiteral("TKVDDOBUS"); }
};

// KVD-DOS-BUS (type 7): as KVD-DO-BUS.
class TKVDDOSBUS : public TIOModule {
public:
    TKVDDOSBUS();
    std::optional<quint16> ZoVuruGroup() const override { return 7; }
    QString ClassName() const override { return QStringLiteral("TKVDDOSBUS"); }
};

// KVD-DOS12-BUS (type 17): outputs 1..12, manager 13, health controller 14.
class TKVDDOS12BUS : public TIOModule {
public:
    TKVDDOS12BUS();
    std::optional<quint16> ZoVuruGroup() const override { return 17; }
    QString ClassName() const override { return QStringLiteral("TKVDDOS12BUS"); }
};

// KVD-DOR-BUS (type 8): relay outputs 1..4, manager 5 (without the second word), health
// controller 6.
class TKVDDORBUS : public TIOModule {
public:
    TKVDDORBUS();
    std::optional<quint16> ZoVuruGroup() const override { return 8; }
    QString ClassName() const override { return QStringLiteral("TKVDDORBUS"); }
};

// KVD-DOF-BUS (type 19): inputs 1, 2, outputs 3..8, manager 9, inputs 10..13, outputs 14, 15
// (the frequency outputs), health controller 16.
class TKVDDOFBUS : public TIOModule {
public:
    TKVDDOFBUS();
    QString ClassName() const override { return QStringLiteral("TKVDDOFBUS"); }
};

// KVD-DIO24-QAV (type 64): inputs 1..24, outputs 25..48, extended manager 49, health controller 50.
class TKVDDIO24QAV : public TIOModule {
public:
    TKVDDIO24QAV();
    QString ClassName() const override { return QStringLiteral("TKVDDIO24QAV"); }
};

// KVD-DIO-VIXPro (type 39): inputs 1..4, outputs 5..8, extended manager 9, health controller 10.
class TKVDDIOVIXPro : public TIOModule {
public:
    TKVDDIOVIXPro();
    QString ClassName() const override { return QStringLiteral("TKVDDIOVIXPro"); }

protected:
    struct TNoController {};
    // For the sibling with the other controller class.
    explicit TKVDDIOVIXPro(TNoController);
    void Build();
};

// KVD-DIO4-QAV (type 67): as KVD-DIO-VIXPro, with the QAV family's health controller.
class TKVDDIO4QAV : public TKVDDIOVIXPro {
public:
    TKVDDIO4QAV();
    QString ClassName() const override { return QStringLiteral("TKVDDIO4QAV"); }
};

// KVD-MIO-VIXPro (type 38): analog input 1, analog output 2, inputs 3, 4, outputs 5, 6, manager 7,
// health controller 8. The analog output has no accessor of its own.
class TMIOVIXPro : public TIOModule {
public:
    TMIOVIXPro();
    int AnalogOutputCount() const override { return 0; }
    TAOChannel* AnalogOutput(int Index) override { return nullptr; }
    QString ClassName() const override { return QStringLiteral("TMIOVIXPro"); }
};

// KVD-MIOEx-VIXPro (type 43): analog inputs 1..3, inputs 4..6, analog output 7, outputs 8..10,
// extended manager 11, health controller 12.
class TMIOExVIXPro : public TIOModule {
public:
    TMIOExVIXPro();
    int FirstManagedOutput() const override { return 0; }
    QString ClassName() const override { return QStringLiteral("TMIOExVIXPro"); }
};

// P340 (type 21): analog inputs 1, 2, outputs 3..10, inputs 11..14, analog outputs 15, 16, manager
// 17, file manager 18, analog inputs 19, 20, health controller 21, temperature channels 22..25. The
// file manager and the temperature channels are mapped here; their objects belong to the special
// channels.
class TP340BUS : public TIOModule {
public:
    static constexpr quint8 kFileManagerObject = 18;
    static constexpr quint8 kFirstTemperatureObject = 22;
    static constexpr int kTemperatureCount = 4;

    TP340BUS();
    ~TP340BUS() override;
    QString ClassName() const override { return QStringLiteral("TP340BUS"); }
    TFileMgrObject& FileMgr() { return *FFileMgr; }

private:
    std::unique_ptr<TFileMgrObject> FFileMgr;
};

// P341 (type 44): as P340.
class TP341BUS : public TP340BUS {
public:
    QString ClassName() const override { return QStringLiteral("TP341BUS"); }
};

// P680 (type 33): analog inputs 1..6, inputs 7..14, outputs 15..26, manager 27, health controller 28.
class TP680BUS : public TIOModule {
public:
    TP680BUS();
    QString ClassName() const override { return QStringLiteral("TP680BUS"); }
};

// KVD-W3D-VIX (type 32): analog inputs 1..3, outputs 4..6, manager 7. Its channels are reached
// through the manager only.
class TW3DVIX : public TIOModule {
public:
    TW3DVIX();
    int AnalogInputCount() const override { return 0; }
    TSimpleChannel* AnalogInput(int Index) override { return nullptr; }
    int DiscreteOutputCount() const override { return 0; }
    TDOChannel* DiscreteOutput(int Index) override { return nullptr; }
    QString ClassName() const override { return QStringLiteral("TW3DVIX"); }
};

// Makes these classes available to CreateModuleForType.
void RegisterDiscreteModuleClasses();
