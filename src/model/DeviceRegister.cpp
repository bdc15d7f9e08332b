#include "model/DeviceRegister.h"

#include <algorithm>
#include <bit>
#include <map>

QString ModelNameOf(quint16 TypeCode) {
    // clang-format off
    static const std::map<quint16, const char*> names = {
        {0, "KVD-AIK-BUS"},       {1, "KVD-AIK8-BUS"},       {2, "KVD-AO-BUS"},         {3, "KVD-AO6-BUS"},
        {4, "KVD-DI-BUS"},        {5, "KVD-DO-BUS"},         {6, "KVD-DIO-BUS"},        {7, "KVD-DOS-BUS"},
        {8, "KVD-DOR-BUS"},       {10, "KVD-DIDC-BUS"},      {13, "KVD-EM-BUS"},        {15, "KVD-A-VIX"},
        {17, "KVD-DOS12-BUS"},    {18, "KVD-DI14-BUS"},      {19, "KVD-DOF-BUS"},       {20, "KVD-HC-BUS"},
        {21, "KVD-P340-BUS"},     {22, "KVD-TC-BUS"},        {23, "KVD-RS-BUS"},        {24, "KVD-AJ-VIX"},
        {25, "KVD-AIK12-BUS"},    {26, "KVD-FLAME-BUS"},     {27, "KVD-FD-BUS"},        {28, "KVD-2A-VIX"},
        {29, "KVD-2AR-BUS"},      {30, "KVD-VEVA-BUS"},      {31, "KVD-SM-BUS"},        {32, "KVD-3D-VIX"},
        {33, "KVD-P680-BUS"},     {34, "KVD-AO2-VIXPro"},    {35, "KVD-TC-VIXPro"},     {36, "KVD-uHost-VIXPro"},
        {37, "KVD-AI4-VIXPro"},   {38, "KVD-MIO-VIXPro"},    {39, "KVD-DIO-VIXPro"},    {40, "KVD-RS-VIXPro"},
        {41, "KVD-AI-VIXPro"},    {42, "KVD-AI7-VIXPro"},    {43, "KVD-MIOEx-VIXPro"},  {44, "KVD-P341-BUS"},
        {64, "KVD-DIO24-QAV"},    {65, "KVD-AI24-QAV"},      {66, "KVD-AO16-QAV"},      {67, "KVD-DIO4-QAV"},
        {68, "KVD-AI8-QAV"},      {69, "KVD-MIO-QAV"},       {70, "KVD-RS24-QAV"},      {71, "KVD-TC24-QAV"},
        {72, "KVD-AI-QAV"},       {128, "KVD-CONV-BUS"},     {129, "KVD-CONV-QAV"},     {130, "KVD-CONV-VIX"},
        {131, "KVD-CONV-VIXPro"}, {132, "KVD-CONV-PRO"},     {133, "KVD-CONV-UNI"},
    };
    // clang-format on
    const auto it = names.find(TypeCode);
    return it == names.end() ? QString() : QString::fromLatin1(it->second);
}

const TChannelRecord* TChannel::Items(int Index) const {
    return Index >= 0 && Index < int(FItems.size()) ? &FItems[size_t(Index)] : nullptr;
}

int TChannel::CountOfKind(quint8 Kind) const {
    return int(std::count_if(FItems.begin(), FItems.end(),
                             [Kind](const TChannelRecord& r) { return r.Kind == Kind; }));
}

const TDeviceRegisterRecord* TDeviceRegister::Items(int Index) const {
    return Index >= 0 && Index < int(FItems.size()) ? FItems[size_t(Index)].get() : nullptr;
}

void TDeviceRegister::Add(std::unique_ptr<TDeviceRegisterRecord> Record) {
    if (Record)
        FItems.push_back(std::move(Record));
}

const TDeviceRegisterRecord* TDeviceRegister::FindByType(quint32 TypeCode) const {
    if (FItems.empty())
        return nullptr;
    for (size_t i = 0; i + 1 < FItems.size(); ++i)
        if ((FItems[i]->TypeCode & 0xFF) == (TypeCode & 0xFF))
            return FItems[i].get();
    return FItems.back().get();
}

int TDeviceRegister::IndexOfType(quint32 TypeCode) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if ((FItems[i]->TypeCode & 0xFF) == (TypeCode & 0xFF))
            return int(i);
    return int(FItems.size()) - 1;
}

quint8 TDeviceRegister::ChannelKindAt(quint32 TypeCode, int ChannelIndex) const {
    const TDeviceRegisterRecord* r = FindByType(TypeCode);
    const TChannelRecord* c = r ? r->Channels.Items(ChannelIndex) : nullptr;
    return c ? c->Kind : 0;
}

namespace {

// Fills one record: groups of channels, numbered when a name pattern is given.
class TRecordBuilder {
public:
    TRecordBuilder(TDeviceRegister& reg, quint32 type, quint32 family, const QString& model)
        : FRegister(reg), FRecord(std::make_unique<TDeviceRegisterRecord>()) {
        FRecord->TypeCode = type;
        FRecord->Family = family;
        FRecord->ModelName = model;
    }
    ~TRecordBuilder() { FRegister.Add(std::move(FRecord)); }

    // `count` channels of one kind; with a `numbered` pattern ("%1 №%2") each gets its number,
    // counting from `first`.
    TRecordBuilder& Add(int count, TChannelKind kind, const QString& name, const QString& note = {},
                        const char* numbered = nullptr, int first = 1) {
        for (int i = 0; i < count; ++i) {
            const QString n = numbered ? QString::fromUtf8(numbered).arg(name).arg(first + i) : name;
            FRecord->Channels.Add({quint8(kind), n, note});
        }
        return *this;
    }

private:
    TDeviceRegister& FRegister;
    std::unique_ptr<TDeviceRegisterRecord> FRecord;
};

constexpr const char* kNo = "%1 №%2";     // "Discrete input channel №1"
constexpr const char* kHash = "%1#%2";    // "Discrete input channel#1"
constexpr const char* kNoTight = "%1№%2"; // "Impulse generator channel№1"

} // namespace

void BuildDeviceRegister(TDeviceRegister& Register, const TCatalogueTexts& t) {
    Register.Clear();
    auto rec = [&Register](quint32 type, quint32 family, const char* model) {
        return TRecordBuilder(Register, type, family, QString::fromUtf8(model));
    };
    const QString& AI = t.AnalogInputChannel;
    const QString& AO = t.AnalogOutputChannel;
    const QString& DI = t.DiscreteInputChannel;
    const QString& DO = t.DiscreteOutputChannel;
    const QString& PCI = t.PerChannelIsolation;
    const QString& GI = t.GroupIsolation;

    rec(20, 1, "KVD-AIK-BUS").Add(2, ckAnalogInput, AI, PCI).Add(2, ckAnalogInputHeat, AI, PCI);
    rec(0, 1, "KVD-AIK-BUS").Add(4, ckAnalogInput, AI, PCI).Add(1, ckStreamInput, t.StreamInputController);
    rec(1, 1, "KVD-AIK8-BUS").Add(8, ckAnalogInput8, AI, GI);
    rec(2, 2, "KVD-AO-BUS")
        .Add(4, ckAnalogOutput2, AO, PCI)
        .Add(1, ckHealthController, t.SystemHealthController);
    rec(3, 2, "KVD-AO6-BUS")
        .Add(6, ckAnalogOutput, AO, PCI)
        .Add(1, ckHealthController, t.SystemHealthController);
    rec(4, 3, "KVD-DI-BUS")
        .Add(8, ckDiscreteInput, DI, GI)
        .Add(2, ckDiscreteOutput, DO, t.LoadCurrent100mA)
        .Add(1, ckDioManager, t.Manager);
    rec(5, 4, "KVD-DO-BUS")
        .Add(8, ckDiscreteOutput, DO)
        .Add(1, ckDioManager, t.Manager)
        .Add(1, ckHealthController, t.SystemHealthController);
    rec(6, 3, "KVD-DIO-BUS")
        .Add(8, ckDiscreteInputLineCheck, DI, GI, kNo)
        .Add(8, ckDiscreteOutput, DO, t.LoadCurrent100mA, kNo)
        .Add(1, ckDioManager, t.Manager)
        .Add(1, ckHealthController, t.SystemHealthController);
    rec(7, 4, "KVD-DOS-BUS")
        .Add(8, ckRelayNormallyOff, DO, t.RelayNormallyOff5A)
        .Add(1, ckDioManager, t.Manager)
        .Add(1, ckHealthController, t.SystemHealthController);
    rec(8, 4, "KVD-DOR-BUS")
        .Add(4, ckRelaySwitching, DO, t.RelaySwitching5A)
        .Add(1, ckDioManager, t.Manager)
        .Add(1, ckHealthController, t.SystemHealthController);
    rec(10, 3, "KVD-DIDC-BUS")
        .Add(8, ckDiscreteInputLineCheck, DI)
        .Add(2, ckDiscreteOutput, DO, t.LoadCurrent100mA)
        .Add(1, ckDioManager, t.Manager);
    rec(15, 1, "KVD-A-VIX").Add(1, ckAnalogInput, AI, PCI).Add(1, ckProtectionUnit, t.ProtectionUnit);
    rec(17, 4, "KVD-DOS12-BUS")
        .Add(12, ckRelayNormallyOff, DO, t.RelayNormallyOff5A)
        .Add(1, ckDioManager, t.Manager)
        .Add(1, ckHealthController, t.SystemHealthController);
    rec(18, 3, "KVD-DI14-BUS").Add(15, ckDiscreteInputLineCheck, DI, GI).Add(1, ckDioManager, t.Manager);
    rec(19, 4, "KVD-DOF-BUS")
        .Add(2, ckDiscreteInputLineCheck, DI, GI, kHash)
        .Add(4, ckDiscreteOutput, DO, {}, kHash)
        .Add(2, ckImpulseGenerator, t.ImpulseGeneratorChannel, {}, kNoTight)
        .Add(1, ckDioManager, t.Manager)
        .Add(4, ckDiscreteInputLineCheck, DI, GI, kHash, 3)
        .Add(2, ckDiscreteOutput, DO, {}, kHash, 5)
        .Add(1, ckHealthController, t.SystemHealthController);
    rec(21, 4, "KVD-P340-BUS")
        .Add(2, ckAnalogInput, AI)
        .Add(2, ckDiscreteOutput, DO, t.RelayNormallyOff)
        .Add(6, ckDiscreteOutput, DO)
        .Add(4, ckDiscreteInputLineCheck, DI)
        .Add(2, ckAnalogOutput, AO, PCI)
        .Add(1, ckDioManager, t.Manager)
        .Add(1, ckFileManager, t.FileManager)
        .Add(2, ckAnalogInput, AI)
        .Add(1, ckHealthController, t.SystemHealthController)
        .Add(4, ckTemperature, t.TemperatureChannel);
    rec(32, 4, "KVD-3D-VIX")
        .Add(3, ckAnalogInput, AI)
        .Add(3, ckDiscreteOutput, DO, t.RelayNormallyOff)
        .Add(1, ckDioManager, t.Manager);
    rec(22, 4, "KVD-TC-BUS")
        .Add(1, ckTemperature, t.TemperatureChannel, t.ControllersTemperature)
        .Add(12, ckTemperature, t.TemperatureChannel);
    rec(30, 4, "KVD-TC-BUS")
        .Add(12, ckTemperature, t.TemperatureChannel)
        .Add(1, ckSignallingTemperature, t.SignallingSystem);
    rec(23, 3, "KVD-RS-BUS").Add(12, ckFlowmeter, t.FlowmeterChannel);
    rec(40, 3, "KVD-RS-VIXPro")
        .Add(4, ckFlowmeter, t.FlowmeterChannel)
        .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNote);
    rec(27, 4, "KVD-FLAME-BUS")
        .Add(2, ckPhotosensor, t.PhotosensorChannel, PCI)
        .Add(4, ckDiscreteOutput, DO, PCI)
        .Add(1, ckAnalogOutput, AO, PCI)
        .Add(1, ckDioManager, t.Manager)
        .Add(1, ckFlameRegulator, t.FlameRegulator);
    rec(26, 4, "KVD-FLAME-BUS")
        .Add(2, ckAnalogInput, AI)
        .Add(4, ckDiscreteOutput, DO)
        .Add(1, ckAnalogOutput, DO, GI)
        .Add(1, ckDioManager, t.Manager)
        .Add(1, ckFlameRegulator, t.FlameControllerChannel);
    rec(24, 1, "KVD-AJ-VIX").Add(1, ckAnalogInput, AI).Add(1, ckAnalogOutput, AO);
    rec(28, 1, "KVD-2A-VIX").Add(1, ckAnalogInput, AI, PCI).Add(2, ckAnalogOutput, AO, PCI);
    rec(29, 1, "KVD-2AR-BUS").Add(2, ckAnalogInput, AI, PCI).Add(2, ckAnalogOutput, AO, PCI);
    rec(25, 1, "KVD-AIK12-BUS")
        .Add(12, ckAnalogInput, AI, GI)
        .Add(1, ckSignalling12, t.SignallingSystem)
        .Add(1, ckAnalogInputSystem, t.AnalogInputSystem);
    rec(31, 4, "KVD-STEP-BUS").Add(1, ckStepperMap, t.StepperMap, GI);
    {
        auto p680 = rec(33, 4, "KVD-P680-BUS");
        p680.Add(6, ckAnalogInput, AI, {}, "%1 AI-%2")
            .Add(8, ckDiscreteInputLineCheck, DI, {}, "%1 DI-%2")
            .Add(8, ckDiscreteOutput, DO, {}, "%1 DO-%2")
            .Add(4, ckDiscreteOutput, DO, t.RelayNormallyOff, "%1 DO-%2", 9)
            .Add(1, ckDioManager, t.Manager)
            .Add(1, ckHealthController, t.SystemHealthController)
            .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNoteFast);
    }
    rec(34, 2, "KVD-AO2-VIXPro")
        .Add(2, ckAnalogOutput, AO, PCI)
        .Add(1, ckHealthController, t.SystemHealthController);
    rec(35, 4, "KVD-TC-VIXPro")
        .Add(4, ckTemperature, t.TemperatureChannel)
        .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNote);
    rec(36, 4, "KVD-µHost-VIXPro");
    rec(42, 1, "KVD-AI7-VIXPro")
        .Add(7, ckAnalogInput, AI, GI)
        .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNote);
    rec(37, 1, "KVD-AI4-VIXPro")
        .Add(4, ckAnalogInput, AI, GI)
        .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNote);
    rec(41, 1, "KVD-AI-VIXPro").Add(4, ckAnalogInput, AI, GI);
    rec(64, 3, "KVD-DIO24-QAV")
        .Add(24, ckDiscreteInputLineCheck, DI, GI, kNo)
        .Add(24, ckRelayNormallyOff, DO, t.Relay, kNo)
        .Add(1, ckDioManager, t.Manager)
        .Add(1, ckHealthController, t.SystemHealthController)
        .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNoteFast);
    rec(67, 3, "KVD-DIO4-QAV")
        .Add(4, ckDiscreteInputLineCheck, DI, GI, kNo)
        .Add(4, ckRelayNormallyOff, DO, t.Relay, kNo)
        .Add(1, ckDioManager, t.Manager)
        .Add(1, ckHealthController, t.SystemHealthController)
        .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNote);
    rec(38, 4, "KVD-MIO-VIXPro")
        .Add(1, ckAnalogInput, AI)
        .Add(1, ckAnalogOutput, AO, PCI)
        .Add(2, ckDiscreteInputLineCheck, DI, GI, kNo)
        .Add(2, ckDiscreteOutput, DO, {}, kNo)
        .Add(1, ckDioManager, t.Manager)
        .Add(1, ckHealthController, t.SystemHealthController)
        .Add(2, ckAnalogInput, AI)
        .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNote);
    {
        auto mioEx = rec(43, 4, "KVD-MIO-VIXPro");
        for (int n = 1; n <= 3; ++n) {
            if (n == 3)
                mioEx.Add(1, ckAnalogOutput, AO);
            mioEx.Add(1, ckAnalogInput, AI, {}, kNo, n)
                .Add(1, ckDiscreteInputLineCheck, DI, {}, kNo, n)
                .Add(1, ckDiscreteOutput, DO, {}, kNo, n);
        }
        mioEx.Add(1, ckDioManager, t.Manager)
            .Add(1, ckHealthController, t.SystemHealthController)
            .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNote);
    }
    rec(65, 1, "KVD-AI24-QAV")
        .Add(24, ckAnalogInput, AI, GI)
        .Add(1, ckStreamInput, t.StreamInputController)
        .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNoteFast);
    rec(68, 1, "KVD-AI8-QAV")
        .Add(8, ckAnalogInput, AI, PCI)
        .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNote);
    rec(72, 1, "KVD-AI-QAV")
        .Add(2, ckAnalogInput, AI, PCI)
        .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNote);
    rec(39, 3, "KVD-DIO-VIXPro")
        .Add(4, ckDiscreteInputLineCheck, DI, GI, kNo)
        .Add(4, ckDiscreteOutput, DO, {}, kNo)
        .Add(1, ckDioManager, t.Manager)
        .Add(1, ckHealthController, t.SystemHealthController)
        .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNote);
    rec(66, 2, "KVD-AO16-QAV")
        .Add(16, ckAnalogOutput, AO, PCI)
        .Add(1, ckHealthController, t.SystemHealthController)
        .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNoteFast);
    rec(69, 4, "KVD-MIO-QAV")
        .Add(8, ckAnalogInput, AI, GI, kNo)
        .Add(6, ckAnalogOutput, AO, GI, kNo)
        .Add(1, ckHealthController, t.SystemHealthController)
        .Add(8, ckDiscreteInputLineCheck, DI, GI, kNo)
        .Add(8, ckRelayNormallyOff, DO, t.Relay, kNo)
        .Add(1, ckDioManager, t.Manager)
        .Add(1, ckHealthControllerDiscrete, t.SystemHealthController)
        .Add(1, ckUniversalMap, t.UniversalMap, t.UniversalMapNoteFast);
    // The P340's channels, each numbered through the record.
    rec(44, 4, "KVD-P341-BUS")
        .Add(2, ckAnalogInput, AI, PCI, kNo)
        .Add(2, ckDiscreteOutput, DO, t.RelayNormallyOff, kNo)
        .Add(6, ckDiscreteOutput, DO, GI, kNo, 3)
        .Add(4, ckDiscreteInputLineCheck, DI, GI, kNo)
        .Add(2, ckAnalogOutput, AO, PCI, kNo)
        .Add(1, ckDioManager, t.Manager)
        .Add(1, ckFileManager, t.FileManager)
        .Add(2, ckAnalogInput, AI, PCI, kNo, 3)
        .Add(1, ckHealthController, t.SystemHealthController)
        .Add(4, ckTemperature, t.TemperatureChannel, {}, kNo);
    TRecordBuilder(Register, kUnsupportedTypeCode, 0, t.DeviceNotSupported);
}

TDeviceProps::TDeviceProps(quint8 address, quint8 baudCode, TTransferProtocol protocol, quint8 parityCode,
                           quint32 typeRegister, const QString& modelName, quint32 serialNumber,
                           quint32 maskRegister, quint8 stopBitsCode)
    : Address(address), BaudCode(baudCode), Protocol(quint8(protocol)), ParityCode(parityCode),
      StopBitsCode(stopBitsCode), TypeCode(typeRegister & 0xFFFF), TypeExtension(typeRegister >> 16),
      ModelName(modelName), SerialNumber(serialNumber),
      ChannelMask(ChannelMaskFor(typeRegister & 0xFFFF, maskRegister)) {}

namespace {

quint64 Bit(int n) {
    return quint64(1) << n;
}

quint64 Run(int first, int count) {
    quint64 m = 0;
    for (int i = 0; i < count; ++i)
        m |= Bit(first + i);
    return m;
}

// P universal points, each an input or an output: inputs first, then the outputs on the points after.
quint64 Points(quint32 r, int p) {
    const int d = std::min(int(r & 0x1F), p);
    int o = int((r >> 5) & 0x1F);
    if (d + o > p)
        o = p - d;
    quint64 m = Run(0, d) | Run(p + d, o);
    if (r & (1u << 10))
        m |= Bit(2 * p);
    if (r & (1u << 11))
        m |= Bit(2 * p + 1);
    return m;
}

// The mixed module: analog part as reported, eight universal discrete points.
quint64 Mixed(quint32 r) {
    quint64 m = r & 0x3FFF;
    if (r & (1u << 15))
        m |= Bit(14);
    const int d = std::min(int((r >> 16) & 0xF), 8);
    int o = int((r >> 20) & 0xF);
    if (d + o > 8)
        o = 8 - d;
    m |= Run(15, d) | Run(23 + d, o);
    if (r & (1u << 30))
        m |= Bit(31);
    if (r & (1u << 31))
        m |= Bit(32);
    return m;
}

} // namespace

quint64 TDeviceProps::ChannelMaskFor(quint32 typeCode, quint32 r) {
    switch (typeCode) {
    case 25:
        return r | Bit(13);
    case 33:
        return r | Bit(28);
    case 35:
    case 37:
    case 40:
        return r | Bit(4);
    case 38:
        return r | Bit(10);
    case 42:
        return r | Bit(7);
    case 43:
        return r | Bit(12);
    case 65:
        return r | Bit(25);
    case 66:
        return r | Bit(17);
    case 68:
        return r | Bit(8);
    case 72:
        return r | Bit(2);
    case 64:
        return Points(r, 24) | Bit(50);
    case 39:
    case 67:
        return Points(r, 4) | Bit(10);
    case 69:
        return Mixed(r) | Bit(33);
    default:
        return r;
    }
}

TDeviceProps* TDevicePropsList::Items(int Index) const {
    return Index >= 0 && Index < int(FItems.size()) ? FItems[size_t(Index)].get() : nullptr;
}

bool TDevicePropsList::Add(std::unique_ptr<TDeviceProps>& Props) {
    if (!Props)
        return false;
    const quint32 serial = Props->SerialNumber;
    if (serial != 1 && std::any_of(FItems.begin(), FItems.end(),
                                   [serial](const auto& p) { return p->SerialNumber == serial; }))
        return false;
    FItems.push_back(std::move(Props));
    if (OnAdd)
        OnAdd();
    return true;
}

void TDevicePropsList::Clear() {
    if (OnClear)
        OnClear();
    FItems.clear();
}

int TDevicePropsList::SelectedCount() const {
    return int(std::count_if(FItems.begin(), FItems.end(), [](const auto& p) { return p->Selected; }));
}

bool TDevicePropsList::HasAddress(quint8 Address) const {
    return std::any_of(FItems.begin(), FItems.end(),
                       [Address](const auto& p) { return p->Address == Address; });
}

bool TDevicePropsList::HasChannel(int DeviceIndex, int Bit) const {
    const TDeviceProps* p = Items(DeviceIndex);
    if (!p || Bit < 0 || Bit >= 64)
        return false;
    return (p->ChannelMask >> Bit) & 1;
}

int TChannelMask::Count() const {
    return std::popcount(FBits);
}

void TChannelMask::Include(int Index) {
    if (Index >= 0 && Index < 32)
        FBits |= quint32(1) << Index;
}

bool TChannelMask::Contains(int Index) const {
    return Index >= 0 && Index < 32 && ((FBits >> Index) & 1);
}
