#pragma once

#include "model/ZUVOChannel.h"
#include "protocol/ByteOrder.h"
#include "protocol/TransferProtocol.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

class TAccessPoint;
class TNerixModule;
class TPlugZoVuru;
class TModbusToNerix;
class TZUVOModule;
class TSimpleChannel;
class TAIKDataStreamController;
class TDIChannel;
class TDOChannel;
class TAOChannel;
class TDIOManager;
class TDIOManagerExt;
class TIntachnessCtrlChannel;
class TGVixChannel;
class TFlameChannel;
class TFotoSensorChannel;
class TTermoChannel;
class TFlowChannel;
class TAlarmSystemChannel;

// Written to an object's unlock slot right before its protected properties.
inline constexpr quint32 kUnlockCode = 0x5A3C91E4;

// Properties of object 0, the device itself.
enum TSystemProperty : quint16 {
    spTypeCode = 0,
    spSerialNumber = 1,
    spChannelMask = 2,
    spBusSettings = 3,
    spSaveToFlash = 5,
    spRestoreFromFlash = 6,
    spUnlock = 15,
    spFirmwareVersion = 100,
    spAnswerTimeout = 101,
    spMachineTime = 102,
    spByteOrder = 160,
};

// The accessor of object 0 with the service operations. Each clears the module's Ok first and sets
// it to the outcome.
class TSystemChannel {
public:
    explicit TSystemChannel(TZUVOModule* module);

    // The connection test: the serial number, or 0 when the device did not answer.
    quint32 ReadSerialNumber();
    void SaveToFlash();
    void RestoreFromFlash();
    quint32 ReadFirmwareVersion();
    quint32 ReadMachineTime();
    quint32 WriteMachineTime(quint32 Seconds);

    quint32 SerialNumber() const { return FSerialNumber; }
    TNerixChannel& Channel() { return FChannel; }

private:
    std::optional<quint32> Read(quint16 property);
    bool Write(quint16 property, qint32 value);

    TZUVOModule* FModule;
    TNerixChannel FChannel;
    quint32 FSerialNumber = 0;
};

// The register layouts that module classes give their channel objects in the Modbus map; B is the
// object's base register and each property takes a pair of registers.
enum class TRegisterLayout {
    AI4,    // 0..5, 16, 14, 15, 37..41, 48..51, 52
    AI8,    // 0..5, 16, 14, 15, 37..41, 48, 49, 50, 64, 65
    AIV,    // 0..5, 16, 14, 15, 37..41, 48, 49, 50, 32..36
    AIVExt, // AIV, then 51 and 52
    AO,     // 0, 1, 2, 16, 14, 15, 48, 49
};
// Adds the rows of `layout` for `object` from register `base` on.
void AddRegisterLayout(TModbusToNerix& tunnel, TRegisterLayout layout, quint8 object, quint16 base);
// Seq(n): properties 0 .. n-1 of `object` at base, base + 2, ...
void AddRegisterSequence(TModbusToNerix& tunnel, quint8 object, quint16 base, int count);

// The base of every device model class. The device is reached through the owned protocol engine;
// every operation reports its outcome in Ok.
class TZUVOModule {
public:
    TZUVOModule();
    virtual ~TZUVOModule();
    TZUVOModule(const TZUVOModule&) = delete;
    TZUVOModule& operator=(const TZUVOModule&) = delete;

    quint8 Address() const;
    // 255 is not an address a device can have: the write is ignored.
    void SetAddress(quint8 Value);
    TAccessPoint* AP() const;
    void SetAP(TAccessPoint* Value);
    TPlugZoVuru* ZoVuruPlug() const;
    // Stores the plug and makes this module the plug's module.
    void SetZoVuruPlug(TPlugZoVuru* Value);
    TTransferProtocol TransferProtocol() const;
    // Under an ASCII protocol the plug also selects this class's command group, if it has one.
    void SetTransferProtocol(TTransferProtocol Value);
    TByteOrder ByteOrder() const { return FByteOrder; }
    void SetByteOrder(TByteOrder Value) { FByteOrder = Value; }

    bool Ok = false;
    bool Modified = false;

    TNerixModule& NerixModule() { return *FNerixModule; }
    TSystemChannel& SystemChannel() { return *FSystemChannel; }

    // The command group of the ASCII catalogue that this class selects; a class inherits its
    // ancestor's. Nothing for classes without one.
    virtual std::optional<quint16> ZoVuruGroup() const { return std::nullopt; }
    // The class name, as the catalogue's module table gives it.
    virtual QString ClassName() const = 0;

    // What the windows need of every model alike, so that they do not have to know each class.
    // The analog inputs by zero-based index: nothing beyond the last one, and nothing at all on a
    // model without analog inputs.
    virtual int AnalogInputCount() const { return 0; }
    virtual TSimpleChannel* AnalogInput(int Index) { return nullptr; }
    // The stream input controller; nothing on a model without one.
    virtual TAIKDataStreamController* StreamController() { return nullptr; }
    // The discrete inputs and outputs and the analog outputs by zero-based index, in the same way.
    virtual int DiscreteInputCount() const { return 0; }
    virtual TDIChannel* DiscreteInput(int Index) { return nullptr; }
    virtual int DiscreteOutputCount() const { return 0; }
    virtual TDOChannel* DiscreteOutput(int Index) { return nullptr; }
    virtual int AnalogOutputCount() const { return 0; }
    virtual TAOChannel* AnalogOutput(int Index) { return nullptr; }
    // The manager of all discrete inputs and outputs, of the smaller or of the larger kind; a
    // module has at most one of them.
    virtual TDIOManager* DIOManager() { return nullptr; }
    virtual TDIOManagerExt* DIOManagerExt() { return nullptr; }
    // The system health controller; the mixed module with two has the discrete one second.
    virtual TIntachnessCtrlChannel* IntachnessCtrl() { return nullptr; }
    virtual TIntachnessCtrlChannel* DiscreteIntachnessCtrl() { return nullptr; }
    // The GVix protection unit of the modules that have one.
    virtual TGVixChannel* GVixChannel() { return nullptr; }
    // The flame controller and the photosensor channels of the flame models.
    virtual TFlameChannel* FlameChannel() const { return nullptr; }
    virtual int FotoSensorCount() const { return 0; }
    virtual TFotoSensorChannel* FotoSensor(int Index) const { return nullptr; }
    // The temperature channels, the flowmeter channels and the signalling system of the models
    // that have them.
    virtual int TermoChannelCount() const { return 0; }
    virtual TTermoChannel* TermoChannel(int Index) const { return nullptr; }
    virtual int FlowChannelCount() const { return 0; }
    virtual TFlowChannel* FlowChannel(int Index) const { return nullptr; }
    virtual TAlarmSystemChannel* AlarmSystemChannel() const { return nullptr; }

protected:
    // Module classes add their channel objects' rows in their constructors.
    TModbusToNerix& Tunnel();

private:
    std::unique_ptr<TNerixModule> FNerixModule;
    std::unique_ptr<TSystemChannel> FSystemChannel;
    TByteOrder FByteOrder = boNAN;
};
