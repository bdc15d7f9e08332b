#pragma once

#include "protocol/ByteOrder.h"
#include "protocol/TransferProtocol.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The name of the model with this type code; empty for a code the program does not know, which the
// bus search skips.
QString ModelNameOf(quint16 TypeCode);

// What kind of channel a catalogue entry is; the device window opens a matching channel window.
enum TChannelKind : quint8 {
    ckAnalogOutput2 = 2,
    ckAnalogOutput = 3,
    ckDiscreteInput = 4,
    ckDiscreteInputLineCheck = 5,
    ckDiscreteOutput = 6,
    ckRelayNormallyOff = 7,
    ckRelaySwitching = 8,
    ckAnalogInput = 9,
    ckAnalogInputHeat = 10,
    ckAnalogInput8 = 11,
    ckDioManager = 12,
    ckProtectionUnit = 14,
    ckImpulseGenerator = 15,
    ckFileManager = 16,
    ckTemperature = 17,
    ckFlowmeter = 18,
    ckFlameRegulator = 19,
    ckPhotosensor = 20,
    ckHealthController = 21,
    ckSignalling12 = 22,
    ckStreamInput = 23,
    ckSignallingTemperature = 24,
    ckStepperMap = 25,
    ckHealthControllerDiscrete = 26,
    ckUniversalMap = 27,
    ckAnalogInputSystem = 28,
};

struct TChannelRecord {
    quint8 Kind = 0;
    QString Name;
    QString Note;
};

// The ordered channels of one model; a channel's index here is its catalogue index.
class TChannel {
public:
    quint8 Count() const { return quint8(FItems.size()); }
    // Nothing when Index >= Count.
    const TChannelRecord* Items(int Index) const;
    void Add(TChannelRecord Record) { FItems.push_back(std::move(Record)); }
    int CountOfKind(quint8 Kind) const;

private:
    std::vector<TChannelRecord> FItems;
};

// The type code of the catalogue's last record, the one that stands for every model the program
// does not serve: such a device is listed but has no settings window.
inline constexpr quint32 kUnsupportedTypeCode = 0xFFFF;

struct TDeviceRegisterRecord {
    TChannel Channels;
    quint32 TypeCode = 0; // compared by its low byte
    QString ModelName;
    // Icon of the device list: 0 unsupported, 1 analog in, 2 analog out, 3 discrete in, 4 out/mixed.
    quint32 Family = 0;
};

// The catalogue: every model the program serves, the last record standing for every unknown one.
class TDeviceRegister {
public:
    int Count() const { return int(FItems.size()); }
    // Nothing when Index >= Count.
    const TDeviceRegisterRecord* Items(int Index) const;
    void Add(std::unique_ptr<TDeviceRegisterRecord> Record);
    void Clear() { FItems.clear(); }
    // The first record whose type matches in its low byte, the last one (unsupported) otherwise.
    const TDeviceRegisterRecord* FindByType(quint32 TypeCode) const;
    int IndexOfType(quint32 TypeCode) const;
    // The kind of one channel of a type's record; 0 when it has no such channel.
    quint8 ChannelKindAt(quint32 TypeCode, int ChannelIndex) const;

private:
    std::vector<std::unique_ptr<TDeviceRegisterRecord>> FItems;
};

// The names of the catalogue's texts, for the language tables that provide them.
// clang-format off
#define DVV_CATALOGUE_TEXTS(X)                                                                                   \
    X(AnalogInputChannel) X(AnalogOutputChannel) X(DiscreteInputChannel) X(DiscreteOutputChannel)                \
    X(StreamInputController) X(SystemHealthController) X(Manager) X(ProtectionUnit) X(ImpulseGeneratorChannel)  \
    X(FileManager) X(TemperatureChannel) X(SignallingSystem) X(FlowmeterChannel) X(PhotosensorChannel)           \
    X(FlameRegulator) X(FlameControllerChannel) X(AnalogInputSystem) X(StepperMap) X(UniversalMap)               \
    X(PerChannelIsolation) X(GroupIsolation) X(LoadCurrent100mA) X(RelayNormallyOff5A) X(RelaySwitching5A)       \
    X(RelayNormallyOff) X(Relay) X(ControllersTemperature) X(UniversalMapNote) X(UniversalMapNoteFast)           \
    X(DeviceNotSupported)
// clang-format on

// The texts the catalogue is built from (English here); the language tables provide them per language.
struct TCatalogueTexts {
    QString AnalogInputChannel = QStringLiteral("Analog input channel");
    QString AnalogOutputChannel = QStringLiteral("Analog output channel");
    QString DiscreteInputChannel = QStringLiteral("Discrete input channel");
    QString DiscreteOutputChannel = QStringLiteral("Discrete output channel");
    QString StreamInputController = QStringLiteral("Stream input controller");
    QString SystemHealthController = QStringLiteral("System health controller");
    QString Manager = QStringLiteral("Manager of discrete input/output");
    QString ProtectionUnit = QStringLiteral("GVix protection unit");
    QString ImpulseGeneratorChannel = QStringLiteral("Impulse generator channel");
    QString FileManager = QStringLiteral("File manager");
    QString TemperatureChannel = QStringLiteral("Temperature channel");
    QString SignallingSystem = QStringLiteral("The system of signalling");
    QString FlowmeterChannel = QStringLiteral("Flowmeter's channel");
    QString PhotosensorChannel = QStringLiteral("Photosensor's channel");
    QString FlameRegulator = QStringLiteral("Flame regulator");
    QString FlameControllerChannel = QStringLiteral("Flame controller channel");
    QString AnalogInputSystem = QStringLiteral("Analog Input system");
    QString StepperMap = QStringLiteral("SM Controller Modbus Map");
    QString UniversalMap = QStringLiteral("UMMC");

    QString PerChannelIsolation = QStringLiteral("Per channel isolation");
    QString GroupIsolation = QStringLiteral("Group isolation");
    QString LoadCurrent100mA = QStringLiteral("Load current 100mA");
    QString RelayNormallyOff5A = QStringLiteral("Relay, normally off, current 5A");
    QString RelaySwitching5A = QStringLiteral("Relay, switching, current 5A");
    QString RelayNormallyOff = QStringLiteral("Relay, normally off");
    QString Relay = QStringLiteral("Relay");
    QString ControllersTemperature = QStringLiteral("Controller's temperature");
    QString UniversalMapNote = QStringLiteral("Universal Modbus Map Constructor");
    QString UniversalMapNoteFast =
        QStringLiteral("Universal Modbus Map Constructor (BR115200 is strongly recommended)");

    QString DeviceNotSupported = QStringLiteral("Device not supported");
};

// Clears the catalogue and fills it with every model in its fixed order, the unsupported device last.
void BuildDeviceRegister(TDeviceRegister& Register, const TCatalogueTexts& Texts = {});

// One device found by a search.
struct TDeviceProps {
    quint8 Address = 0;
    quint8 BaudCode = 0; // TBaudRate ordinal of the bus
    quint8 Protocol = tpNerix;
    quint8 ParityCode = 0;
    quint32 TimeoutCode = 0;
    quint8 StopBitsCode = 0;
    quint8 ByteOrder = boNAN;
    quint32 TypeCode = 0;      // low 16 bits of the type register
    quint32 TypeExtension = 0; // high 16 bits
    QString ModelName;
    quint32 SerialNumber = 0;
    quint64 ChannelMask = 0; // bit i: catalogue channel i is present
    int Index = 0;
    bool Selected = false;
    // The bus settings word (system property 3) exactly as a UDP search read it. That search decodes
    // the word its own way, so a rewrite of the word keeps the device's own bits for every field the
    // user left alone. A serial scan takes speed and parity from its own state and leaves it empty.
    std::optional<quint32> BusSettingsWord;

    TDeviceProps() = default;
    // TypeRegister and MaskRegister are the raw system properties 0 and 2.
    TDeviceProps(quint8 address, quint8 baudCode, TTransferProtocol protocol, quint8 parityCode,
                 quint32 typeRegister, const QString& modelName, quint32 serialNumber, quint32 maskRegister,
                 quint8 stopBitsCode);

    // The catalogue channels a device of this type has, from its channel mask register.
    static quint64 ChannelMaskFor(quint32 typeCode, quint32 maskRegister);
};

// The devices found by the last search, as the main window lists them.
class TDevicePropsList {
public:
    int Count() const { return int(FItems.size()); }
    // Nothing when Index is out of range.
    TDeviceProps* Items(int Index) const;
    // Takes the record unless another with its serial number is listed (serial number 1 is what
    // unconfigured devices report, so those are always taken). On refusal the caller keeps it.
    bool Add(std::unique_ptr<TDeviceProps>& Props);
    void Clear();
    int SelectedCount() const;
    bool HasAddress(quint8 Address) const;
    // Bit `Bit` of that device's channel mask; false out of range.
    bool HasChannel(int DeviceIndex, int Bit) const;

    std::function<void()> OnClear;
    std::function<void()> OnAdd;

private:
    std::vector<std::unique_ptr<TDeviceProps>> FItems;
};

// A selection of channel indexes 0 .. 31 for the group operations.
class TChannelMask {
public:
    int Count() const;
    void Clear() { FBits = 0; }
    void Include(int Index);
    bool Contains(int Index) const;
    quint32 Bits() const { return FBits; }

private:
    quint32 FBits = 0;
};
