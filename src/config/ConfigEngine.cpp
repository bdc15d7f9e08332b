#include "config/ConfigEngine.h"

#include "model/AOChannel.h"
#include "model/AlarmSystemChannel.h"
#include "model/BusSettings.h"
#include "model/DIChannel.h"
#include "model/DOChannel.h"
#include "model/DeviceRegister.h"
#include "model/FlameChannel.h"
#include "model/FlowChannel.h"
#include "model/FotoSensorChannel.h"
#include "model/GVixChannel.h"
#include "model/IntachnessCtrlChannel.h"
#include "model/Ranges.h"
#include "model/SimpleChannel.h"
#include "model/TermoChannel.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

#include <QLocale>
#include <algorithm>

namespace {

QString Num(double Value) {
    return QLocale::c().toString(Value, 'g', 7);
}

QString OnOff(bool On) {
    return On ? QStringLiteral("on") : QStringLiteral("off");
}

QString RangeText(quint16 Code) {
    const QString name = RangeName(Code);
    if (name.isEmpty())
        return QStringLiteral("code %1").arg(Code);
    const QString unit = RangeUnit(Code);
    return unit.isEmpty() ? name : QStringLiteral("%1 [%2]").arg(name, unit);
}

QString ModelText(quint16 Type) {
    const QString name = ModelNameOf(Type);
    return name.isEmpty() ? QStringLiteral("type %1").arg(Type)
                          : QStringLiteral("%1 (type %2)").arg(name).arg(Type);
}

bool Contains(const std::vector<int>& List, int Step) {
    return std::find(List.begin(), List.end(), Step) != List.end();
}

// The names of the analog channels' steps, as the selectors name them.
QString AnalogStepName(int Step) {
    switch (Step) {
    case ssAccuracyClass:
        return QStringLiteral("accuracyClass");
    case ssRangeCode:
        return QStringLiteral("range");
    case ssRangeList:
        return QStringLiteral("rangeList");
    case ssRangeListWithScale:
        return QStringLiteral("rangeListWithScale");
    case ssFilterCutoff:
        return QStringLiteral("filterCutoff");
    case ssNormalization:
        return QStringLiteral("normalization");
    case ssPolynomial:
        return QStringLiteral("polynomial");
    case ssFlags:
        return QStringLiteral("flags");
    case ssLedLimits:
        return QStringLiteral("ledLimits");
    case ssResponseTime:
        return QStringLiteral("responseTime");
    case ssCommand:
        return QStringLiteral("command");
    case ssCommandStatus:
        return QStringLiteral("commandStatus");
    default:
        return QStringLiteral("step%1").arg(Step);
    }
}

QString DIStepName(int Step) {
    switch (Step) {
    case disHardwareRange:
        return QStringLiteral("hardwareRange");
    case disLogicOneLevel:
        return QStringLiteral("logicOneLevel");
    case disLineBreakLevel:
        return QStringLiteral("lineBreakLevel");
    case disLineBreakCheck:
        return QStringLiteral("lineBreakCheck");
    case disTemperature:
        return QStringLiteral("temperature");
    case disSeparationLevel:
        return QStringLiteral("separationLevel");
    case disResponseTime:
        return QStringLiteral("responseTime");
    case disThreshold:
        return QStringLiteral("threshold");
    case disPhysicalChannel:
        return QStringLiteral("physicalChannel");
    case disCaptureLevel:
        return QStringLiteral("captureLevel");
    default:
        return QStringLiteral("step%1").arg(Step);
    }
}

QString DOStepName(int Step) {
    switch (Step) {
    case dosProtected:
        return QStringLiteral("protectedMode");
    case dosStartValue:
        return QStringLiteral("startValue");
    case dosSequence:
        return QStringLiteral("sequence");
    default:
        return QStringLiteral("step%1").arg(Step);
    }
}

QString GVixStepName(int Step) {
    switch (Step) {
    case gvNormalizationOn:
        return QStringLiteral("normalization");
    case gvOutputRange:
        return QStringLiteral("outputRange");
    case gvConversionRanges:
        return QStringLiteral("conversionRange");
    default:
        return QStringLiteral("step%1").arg(Step);
    }
}

QString GVixMeaning(const TGVixChannel& c, int Step) {
    switch (Step) {
    case gvNormalizationOn:
        return OnOff(c.NormalizationOn);
    case gvOutputRange:
        return RangeText(quint16(c.OutputRangeCode));
    case gvConversionRanges:
        return QStringLiteral("input %1 .. %2 -> output %3 .. %4")
            .arg(Num(c.ConversionRange[0]), Num(c.ConversionRange[1]), Num(c.ConversionRange[2]),
                 Num(c.ConversionRange[3]));
    default:
        return {};
    }
}

QString FlameStepName(int Step) {
    switch (Step) {
    case fcsACLevel:
        return QStringLiteral("acLevel");
    case fcsDCLevel:
        return QStringLiteral("dcLevel");
    case fcsAlgorithm:
        return QStringLiteral("algorithm");
    case fcsACMax:
        return QStringLiteral("acMax");
    case fcsDOMask:
        return QStringLiteral("relayManualControl");
    case fcsVersion:
        return QStringLiteral("version");
    case fcsRelayLags:
        return QStringLiteral("relayLags");
    case fcsStatus:
        return QStringLiteral("status");
    case fcsAC:
        return QStringLiteral("ac");
    case fcsDC:
        return QStringLiteral("dc");
    case fcsLevels:
        return QStringLiteral("levels");
    case fcsIndication:
        return QStringLiteral("indication");
    case fcsChannelEnabled:
        return QStringLiteral("channelsOff");
    case fcsAnalogOutput:
        return QStringLiteral("analogOutput");
    default:
        return QStringLiteral("step%1").arg(Step);
    }
}

QString FotoStepName(int Step) {
    switch (Step) {
    case pssFilterCutoff:
        return QStringLiteral("filterCutoff");
    case pssFilterCutoff2:
        return QStringLiteral("filterCutoff2");
    case pssDetectorTimeConstant:
        return QStringLiteral("detectorTimeConstant");
    case pssJumpLevel:
        return QStringLiteral("jumpLevel");
    case pssDACCode:
        return QStringLiteral("dacCode");
    case pssChannelTemperature:
        return QStringLiteral("temperature");
    case pssRegulatorOn:
        return QStringLiteral("regulator");
    case pssADCVoltage:
        return QStringLiteral("adcVoltage");
    case pssHPFCutoff:
        return QStringLiteral("highPassCutoff");
    case pssADCCode:
        return QStringLiteral("adcCode");
    case pssPolynomialOn:
        return QStringLiteral("polynomialOn");
    case pssRecoveryCyclesCount:
        return QStringLiteral("recoveryCycles");
    case pssPolynomial:
        return QStringLiteral("polynomial");
    default:
        return QStringLiteral("step%1").arg(Step);
    }
}

QString FlagsText(const TSimpleChannel& c, quint16 Type) {
    // The model with an input switch keeps it where the others have their byte sequence.
    constexpr quint16 kTypeWithInputSwitch = 24;
    static const char* const sequences[] = {"3210", "0123", "1032", "2301"};
    const QString format = c.ResultFormat() == 0   ? QStringLiteral("floating point")
                           : c.ResultFormat() == 4 ? QStringLiteral("integer of 2 bytes")
                           : c.ResultFormat() == 8
                               ? QStringLiteral("integer of 3 bytes")
                               : QStringLiteral("integer (code %1)").arg(c.ResultFormat());
    const QString order =
        Type == kTypeWithInputSwitch
            ? QStringLiteral("input %1").arg(OnOff(c.InputEnabled()))
            : QStringLiteral("byte sequence %1").arg(QLatin1String(sequences[c.ByteSequence()]));
    return QStringLiteral("0x%1: polynomial %2, thermocompensation %3, result %4, %5, RMS points %6")
        .arg(c.Flags, 8, 16, QLatin1Char('0'))
        .arg(OnOff(c.PolynomialOn()), OnOff(c.ThermoCompensationOn()), format, order)
        .arg(c.RmsPoints());
}

// What the analog channel's fields say after Step was read or fed from a document.
QString AnalogMeaning(const TCustomZUVOChannel& c, int Step, quint16 Type) {
    const auto* input = dynamic_cast<const TSimpleChannel*>(&c);
    switch (Step) {
    case ssRangeCode:
        return RangeText(c.RangeCode);
    case ssRangeList: {
        QStringList names;
        for (int i = 0; i < c.Ranges.Count(); ++i)
            names << RangeText(c.Ranges.Items(i)->Code);
        return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
    }
    case ssNormalization:
        return OnOff(c.Normalization);
    case ssAccuracyClass:
        return QString::number(c.AccuracyClass);
    default:
        break;
    }
    if (!input)
        return {};
    switch (Step) {
    case ssFilterCutoff:
        return input->FilterCutoff == 0 ? QStringLiteral("off")
                                        : Num(input->FilterCutoff) + QStringLiteral(" Hz");
    case ssResponseTime:
        return QStringLiteral("%1 ms").arg(input->ResponseTime);
    case ssPolynomial:
        return QStringLiteral("A %1, B %2, C %3")
            .arg(Num(input->Polynomial[0]), Num(input->Polynomial[1]), Num(input->Polynomial[2]));
    case ssFlags:
        return FlagsText(*input, Type);
    case ssLedLimits:
        return QStringLiteral("%1 .. %2").arg(Num(input->LedLow), Num(input->LedHigh));
    default:
        return {};
    }
}

QString DOMeaning(const TDOChannel& c, int Step) {
    switch (Step) {
    case dosProtected:
        return OnOff(c.Protected);
    case dosStartValue:
        return c.StartValue ? QStringLiteral("1") : QStringLiteral("0");
    case dosSequence: {
        QStringList steps;
        for (int i = 0; i < c.StepCount && i < TDOChannel::kMaxSteps; ++i)
            steps << QString::number(c.Steps[size_t(i)]);
        return steps.isEmpty() ? QStringLiteral("no steps") : steps.join(QLatin1Char(' '));
    }
    default:
        return {};
    }
}

// Sets a module hook for one scope and takes it away again, whatever happens in between.
template <class Hook> class TScopedHook {
public:
    TScopedHook(Hook& Slot, Hook Value) : FSlot(Slot) { FSlot = std::move(Value); }
    ~TScopedHook() { FSlot = nullptr; }

private:
    Hook& FSlot;
};

} // namespace

struct TConfigEngine::TChannelAccess {
    QString Kind;
    int Number = 0;
    quint8 Object = 0;
    std::vector<int> ReadSteps;
    std::vector<int> WriteSteps;
    std::function<bool(int, QString&)> Read;
    std::function<bool(int, QString&)> Write;
    std::function<QString(int)> Name;
    std::function<QString(int)> Meaning;

    QString Title() const {
        TConfigChannel c;
        c.Kind = Kind;
        c.Number = Number;
        return c.Title();
    }
};

QString TConfigChange::Line() const {
    return QStringLiteral("%1 %2: %3 -> %4").arg(Channel, SettingTitle(Setting), From, To);
}

TConfigEngine::TConfigEngine(TZUVOModule& Module) : FModule(Module) {}
TConfigEngine::~TConfigEngine() = default;

std::vector<TConfigEngine::TChannelAccess> TConfigEngine::Channels() {
    std::vector<TChannelAccess> list;
    // A model names every channel its family can have; the device's mask says which it has, bit
    // i for object i + 1 (object 0 is the device itself).
    const quint64 mask = TDeviceProps::ChannelMaskFor(FType, FChannelMask);
    const auto listed = [mask](quint8 Object) {
        return Object >= 1 && Object <= 64 && ((mask >> (Object - 1)) & 1);
    };
    const quint16 type = FType;
    auto analog = [&](TCustomZUVOChannel* c, const QString& Kind, int Number) {
        TChannelAccess a;
        a.Kind = Kind;
        a.Number = Number;
        a.Object = c->Accessor.ObjectNumber;
        a.ReadSteps = c->SettingSteps(false);
        a.WriteSteps = c->SettingSteps(true);
        a.Read = [c](int Step, QString& Error) { return c->ReadSettings(Step, Error); };
        a.Write = [c](int Step, QString& Error) { return c->WriteSettings(Step, Error); };
        a.Name = AnalogStepName;
        a.Meaning = [c, type](int Step) { return AnalogMeaning(*c, Step, type); };
        list.push_back(std::move(a));
    };
    // The protection unit's module keeps the unit on the object its template gives its second
    // input: that object is the unit's, and reading it as an input would take the unit's
    // properties for an input's settings (and a restore would write them twice).
    TGVixChannel* const unit = FModule.GVixChannel();
    const auto unitObject = [unit](quint8 Object) { return unit && unit->Accessor.ObjectNumber == Object; };
    for (int i = 0; i < FModule.AnalogInputCount(); ++i)
        if (TSimpleChannel* c = FModule.AnalogInput(i);
            c && listed(c->Accessor.ObjectNumber) && !unitObject(c->Accessor.ObjectNumber))
            analog(c, QStringLiteral("analogInput"), i + 1);
    for (int i = 0; i < FModule.AnalogOutputCount(); ++i)
        if (TAOChannel* c = FModule.AnalogOutput(i); c && listed(c->Accessor.ObjectNumber))
            analog(c, QStringLiteral("analogOutput"), i + 1);
    for (int i = 0; i < FModule.DiscreteInputCount(); ++i) {
        TDIChannel* c = FModule.DiscreteInput(i);
        if (!c || !listed(c->Accessor.ObjectNumber))
            continue;
        TChannelAccess a;
        a.Kind = QStringLiteral("discreteInput");
        a.Number = i + 1;
        a.Object = c->Accessor.ObjectNumber;
        a.ReadSteps = TDIChannel::SettingSteps(false);
        a.WriteSteps = TDIChannel::SettingSteps(true);
        a.Read = [c](int Step, QString& Error) { return c->ReadSettings(Step, Error); };
        a.Write = [c](int Step, QString& Error) { return c->WriteSettings(Step, Error); };
        a.Name = DIStepName;
        a.Meaning = [](int) { return QString(); };
        list.push_back(std::move(a));
    }
    for (int i = 0; i < FModule.DiscreteOutputCount(); ++i) {
        TDOChannel* c = FModule.DiscreteOutput(i);
        if (!c || !listed(c->Accessor.ObjectNumber))
            continue;
        TChannelAccess a;
        a.Kind = QStringLiteral("discreteOutput");
        a.Number = i + 1;
        a.Object = c->Accessor.ObjectNumber;
        a.ReadSteps = TDOChannel::SettingSteps();
        a.WriteSteps = TDOChannel::SettingSteps();
        a.Read = [c](int Step, QString& Error) { return c->ReadSettings(Step, Error); };
        a.Write = [c](int Step, QString& Error) { return c->WriteSettings(Step, Error); };
        a.Name = DOStepName;
        a.Meaning = [c](int Step) { return DOMeaning(*c, Step); };
        list.push_back(std::move(a));
    }
    if (TGVixChannel* c = unit; c && listed(c->Accessor.ObjectNumber)) {
        TChannelAccess a;
        a.Kind = QStringLiteral("protectionUnit");
        a.Number = 1;
        a.Object = c->Accessor.ObjectNumber;
        a.ReadSteps = TGVixChannel::ConfigurationSteps();
        a.WriteSteps = a.ReadSteps;
        a.Read = [c](int Step, QString& Error) { return c->ReadSettings(Step, Error); };
        a.Write = [c](int Step, QString& Error) { return c->WriteSettings(Step, Error); };
        a.Name = GVixStepName;
        a.Meaning = [c](int Step) { return GVixMeaning(*c, Step); };
        list.push_back(std::move(a));
    }
    if (TAIKDataStreamController* c = FModule.StreamController(); c && listed(c->Accessor.ObjectNumber)) {
        TChannelAccess a;
        a.Kind = QStringLiteral("streamController");
        a.Number = 1;
        a.Object = c->Accessor.ObjectNumber;
        a.ReadSteps = TAIKDataStreamController::SettingSteps();
        a.WriteSteps = a.ReadSteps;
        a.Read = [c](int Step, QString& Error) { return c->ReadSettings(Step, Error); };
        a.Write = [c](int Step, QString& Error) { return c->WriteSettings(Step, Error); };
        a.Name = TAIKDataStreamController::StepName;
        a.Meaning = [c](int Step) { return c->StepMeaning(Step); };
        list.push_back(std::move(a));
    }
    // The classes of the sensor models: the fields' values speak for themselves.
    const auto plain = [](int) { return QString(); };
    const auto add = [&](const QString& Kind, int Number, quint8 Object, std::vector<int> ReadSteps,
                         std::vector<int> WriteSteps, std::function<bool(int, QString&)> Read,
                         std::function<bool(int, QString&)> Write, std::function<QString(int)> Name) {
        if (!listed(Object))
            return;
        TChannelAccess a;
        a.Kind = Kind;
        a.Number = Number;
        a.Object = Object;
        a.ReadSteps = std::move(ReadSteps);
        a.WriteSteps = std::move(WriteSteps);
        a.Read = std::move(Read);
        a.Write = std::move(Write);
        a.Name = std::move(Name);
        a.Meaning = plain;
        list.push_back(std::move(a));
    };
    for (int i = 0; i < FModule.FotoSensorCount(); ++i)
        if (TFotoSensorChannel* c = FModule.FotoSensor(i))
            add(
                QStringLiteral("photosensor"), i + 1, c->Accessor.ObjectNumber,
                TFotoSensorChannel::ConfigurationSteps(false), TFotoSensorChannel::ConfigurationSteps(true),
                [c](int Step, QString& Error) { return c->ReadSettings(Step, Error); },
                [c](int Step, QString& Error) { return c->WriteSettings(Step, Error); }, FotoStepName);
    if (TFlameChannel* c = FModule.FlameChannel())
        add(
            QStringLiteral("flameController"), 1, c->Accessor.ObjectNumber,
            TFlameChannel::ConfigurationSteps(false), TFlameChannel::ConfigurationSteps(true),
            [c](int Step, QString& Error) { return c->ReadSettings(Step, Error); },
            [c](int Step, QString& Error) { return c->WriteSettings(Step, Error); }, FlameStepName);
    // These classes' single transfers give no text of their own: the engine names the setting.
    for (int i = 0; i < FModule.TermoChannelCount(); ++i)
        if (TTermoChannel* c = FModule.TermoChannel(i))
            add(
                QStringLiteral("temperatureChannel"), i + 1, c->Accessor.ObjectNumber, c->SettingSteps(),
                c->SettingSteps(), [c](int Step, QString&) { return c->ReadSetting(Step); },
                [c](int Step, QString&) { return c->WriteSetting(Step); }, TTermoChannel::StepName);
    for (int i = 0; i < FModule.FlowChannelCount(); ++i)
        if (TFlowChannel* c = FModule.FlowChannel(i))
            add(
                QStringLiteral("flowChannel"), i + 1, c->Accessor.ObjectNumber, c->SettingSteps(),
                c->SettingSteps(), [c](int Step, QString&) { return c->ReadSetting(Step); },
                [c](int Step, QString&) { return c->WriteSetting(Step); }, TFlowChannel::StepName);
    if (TAlarmSystemChannel* c = FModule.AlarmSystemChannel())
        add(
            QStringLiteral("signallingSystem"), 1, c->Accessor().ObjectNumber,
            TAlarmSystemChannel::SettingSteps(), TAlarmSystemChannel::SettingSteps(),
            [c](int Step, QString&) { return c->ReadSetting(Step); },
            [c](int Step, QString&) { return c->WriteSetting(Step); }, TAlarmSystemChannel::StepName);
    // The health controllers: the mixed modules have a second one for their discrete outputs.
    TIntachnessCtrlChannel* const controllers[] = {FModule.IntachnessCtrl(),
                                                   FModule.DiscreteIntachnessCtrl()};
    for (int i = 0; i < 2; ++i) {
        TIntachnessCtrlChannel* c = controllers[i];
        if (!c || !listed(c->Accessor.ObjectNumber))
            continue;
        TChannelAccess a;
        a.Kind = QStringLiteral("healthController");
        a.Number = i + 1;
        a.Object = c->Accessor.ObjectNumber;
        a.ReadSteps = c->SettingSteps();
        a.WriteSteps = a.ReadSteps;
        a.Read = [c](int Step, QString& Error) { return c->ReadSettings(Step, Error); };
        a.Write = [c](int Step, QString& Error) { return c->WriteSettings(Step, Error); };
        a.Name = [c](int Step) { return c->StepName(Step); };
        a.Meaning = [c](int Step) { return c->StepMeaning(Step); };
        list.push_back(std::move(a));
    }
    return list;
}

QString TConfigEngine::Record(TChannelAccess& Channel, int Step, bool Write, TConfigSetting& Setting) {
    Setting.Transfers.clear();
    TNerixModule& nerix = FModule.NerixModule();
    QString error;
    {
        TScopedHook hook(
            nerix.OnTransferred,
            std::function<void(const TNerixTransfer&, bool)>([&Setting](const TNerixTransfer& t, bool Ok) {
                if (Ok)
                    Setting.Transfers.push_back({t.Write, t.Float, t.Object, t.Property, t.Value});
            }));
        if (!(Write ? Channel.Write(Step, error) : Channel.Read(Step, error)) && error.isEmpty())
            error = QStringLiteral("the step failed");
    }
    if (error.isEmpty())
        Setting.Meaning = Channel.Meaning(Step);
    return error;
}

QString TConfigEngine::Replay(TChannelAccess& Channel, const TConfigSetting& Setting) {
    TNerixModule& nerix = FModule.NerixModule();
    const std::vector<TConfigTransfer>& recorded = Setting.Transfers;
    size_t next = 0;
    bool misfit = false;
    QString error;
    {
        TScopedHook hook(nerix.OnTransfer, std::function<std::optional<bool>(TNerixTransfer&)>(
                                               [&](TNerixTransfer& t) -> std::optional<bool> {
                                                   // The step's own writes (a range selector) go
                                                   // nowhere; its reads take the document's values in
                                                   // the order the step made them.
                                                   if (t.Write)
                                                       return true;
                                                   while (next < recorded.size() && recorded[next].Write)
                                                       ++next;
                                                   if (next == recorded.size() ||
                                                       recorded[next].Object != t.Object ||
                                                       recorded[next].Property != t.Property) {
                                                       misfit = true;
                                                       return false;
                                                   }
                                                   t.Value = recorded[next++].Value;
                                                   return true;
                                               }));
        const bool ok = Channel.Read(Setting.Step, error);
        if (ok && !misfit) {
            while (next < recorded.size() && recorded[next].Write)
                ++next;
            misfit = next != recorded.size();
        }
        if (!ok && error.isEmpty())
            error = QStringLiteral("the step failed");
    }
    if (misfit)
        return QStringLiteral("the file's values do not fit the setting's transfers");
    return error;
}

bool TConfigEngine::Protected(TChannelAccess& Channel, int Step) {
    const std::pair<QString, int> key{Channel.Kind, Step};
    if (std::find(FProtectedKnown.begin(), FProtectedKnown.end(), key) != FProtectedKnown.end())
        return true;
    if (std::find(FOpenKnown.begin(), FOpenKnown.end(), key) != FOpenKnown.end())
        return false;
    // The write runs against nothing: every transfer is answered here. The unlock code is refused,
    // which ends the step at once; the model locks again on its way out, also answered here.
    TNerixModule& nerix = FModule.NerixModule();
    bool unlocks = false;
    const bool modified = FModule.Modified;
    {
        TScopedHook hook(nerix.OnTransfer, std::function<std::optional<bool>(TNerixTransfer&)>(
                                               [&](TNerixTransfer& t) -> std::optional<bool> {
                                                   if (t.Write && t.Value == kUnlockCode) {
                                                       unlocks = true;
                                                       return false;
                                                   }
                                                   if (!t.Write)
                                                       t.Value = 0;
                                                   return true;
                                               }));
        QString ignored;
        Channel.Write(Step, ignored);
    }
    FModule.Modified = modified;
    (unlocks ? FProtectedKnown : FOpenKnown).push_back(key);
    return unlocks;
}

std::optional<quint32> TConfigEngine::ReadSystem(quint16 Property) {
    quint32 value = 0;
    if (!FModule.NerixModule().ReadProperty(Property, 0, value))
        return std::nullopt;
    return value;
}

bool TConfigEngine::WriteSystem(quint16 Property, quint32 Value) {
    return FModule.NerixModule().WriteProperty(Property, 0, Value);
}

std::optional<quint16> TConfigEngine::ReadTypeCode(QString& Error) {
    const auto type = ReadSystem(spTypeCode);
    if (!type) {
        Error = QStringLiteral("no answer from address %1").arg(AddressText(FModule.Address()));
        return std::nullopt;
    }
    FType = quint16(*type & 0xFFFF);
    return FType;
}

std::optional<TConfigDocument> TConfigEngine::Backup(QString& Error) {
    FWarnings.clear();
    const auto type = ReadTypeCode(Error);
    if (!type)
        return std::nullopt;
    TConfigDocument d;
    d.TypeCode = *type;
    d.Model = ModelNameOf(*type);
    const auto serial = ReadSystem(spSerialNumber);
    const auto mask = ReadSystem(spChannelMask);
    const auto bus = ReadSystem(spBusSettings);
    if (!serial || !mask || !bus) {
        Error = QStringLiteral("no answer from address %1").arg(AddressText(FModule.Address()));
        return std::nullopt;
    }
    d.SerialNumber = *serial;
    FChannelMask = *mask;
    d.BusParams.BusSettingsWord = bus;
    // Not every device has these: a device without them does not answer, and the document then
    // has none of them.
    d.FirmwareWord = ReadSystem(spFirmwareVersion);
    d.BusParams.AnswerTimeout = ReadSystem(spAnswerTimeout);
    d.BusParams.ByteOrder = ReadSystem(spByteOrder);

    std::vector<TChannelAccess> channels = Channels();
    int total = 0;
    for (const TChannelAccess& c : channels)
        total += int(c.ReadSteps.size());
    int done = 0;
    // Steps of a kind that a device did not answer on one channel: its siblings have the same
    // object layout, so asking each of them again would only add time-outs.
    std::vector<std::pair<QString, int>> unanswered;
    for (TChannelAccess& c : channels) {
        TConfigChannel channel;
        channel.Kind = c.Kind;
        channel.Number = c.Number;
        channel.Object = c.Object;
        for (int step : c.ReadSteps) {
            if (OnProgress)
                OnProgress(done, total, QStringLiteral("%1 %2").arg(c.Title(), SettingTitle(c.Name(step))));
            ++done;
            const std::pair<QString, int> key{c.Kind, step};
            if (std::find(unanswered.begin(), unanswered.end(), key) != unanswered.end())
                continue;
            TConfigSetting s;
            s.Name = c.Name(step);
            s.Step = step;
            const QString error = Record(c, step, false, s);
            if (!error.isEmpty()) {
                // A device that stopped answering fails the backup; one that lacks this setting
                // leaves it out, and says so.
                if (!ReadSystem(spTypeCode)) {
                    Error = QStringLiteral("%1 %2: %3").arg(c.Title(), SettingTitle(s.Name), error);
                    return std::nullopt;
                }
                unanswered.push_back(key);
                FWarnings << QStringLiteral("%1 %2: %3; the device does not give it, left out (also on the "
                                            "other channels of this kind)")
                                 .arg(c.Title(), SettingTitle(s.Name), error);
                continue;
            }
            s.Writable = Contains(c.WriteSteps, step) && !Protected(c, step);
            channel.Settings.push_back(std::move(s));
        }
        d.Channels.push_back(std::move(channel));
    }
    if (OnProgress)
        OnProgress(total, total, {});
    return d;
}

QString TConfigEngine::TypeMismatch(const TConfigDocument& File, quint16 DeviceType) {
    if (File.TypeCode == DeviceType)
        return {};
    return QStringLiteral("the file is for %1, the device is %2")
        .arg(ModelText(File.TypeCode), ModelText(DeviceType));
}

TRestoreReport TConfigEngine::Restore(const TConfigDocument& File, const TRestoreOptions& Options) {
    TRestoreReport report;
    QString error;
    const auto type = ReadTypeCode(error);
    if (!type) {
        report.Error = error;
        return report;
    }
    report.Error = TypeMismatch(File, *type);
    if (!report.Error.isEmpty())
        return report;
    const auto present = Backup(error);
    report.Warnings = FWarnings;
    if (!present) {
        report.Error = error;
        return report;
    }

    // Pair the document's settings with the device's, in the order the class writes them.
    struct TPlanned {
        size_t Channel;
        const TConfigSetting* Wanted;
        TConfigChange Change;
    };
    std::vector<TPlanned> plan;
    std::vector<TChannelAccess> channels = Channels();
    for (const TConfigChannel& fileChannel : File.Channels) {
        const TConfigChannel* deviceChannel = present->Find(fileChannel.Kind, fileChannel.Number);
        if (!deviceChannel) {
            report.Warnings
                << QStringLiteral("%1: the device has no such channel, skipped").arg(fileChannel.Title());
            continue;
        }
        for (const TConfigSetting& s : fileChannel.Settings)
            if (!deviceChannel->Find(s.Name))
                report.Warnings << QStringLiteral("%1 %2: not a setting of this channel, skipped")
                                       .arg(fileChannel.Title(), SettingTitle(s.Name));
    }
    for (size_t ci = 0; ci < channels.size(); ++ci) {
        const TChannelAccess& c = channels[ci];
        const TConfigChannel* fileChannel = File.Find(c.Kind, c.Number);
        const TConfigChannel* deviceChannel = present->Find(c.Kind, c.Number);
        if (!fileChannel || !deviceChannel)
            continue;
        // Written settings first in the class's write order, then what is only shown.
        std::vector<int> order = c.WriteSteps;
        for (int step : c.ReadSteps)
            if (!Contains(order, step))
                order.push_back(step);
        for (int step : order) {
            const TConfigSetting* have = nullptr;
            for (const TConfigSetting& s : deviceChannel->Settings)
                if (s.Step == step)
                    have = &s;
            if (!have)
                continue;
            const TConfigSetting* want = fileChannel->Find(have->Name);
            if (!want || want->ReadValues() == have->ReadValues())
                continue;
            // What the file asks for is told from its values, as the model reads them: a meaning
            // stored beside the values may no longer fit them in a file edited by hand.
            TConfigSetting asked = *want;
            asked.Step = step;
            const bool modified = FModule.Modified;
            asked.Meaning = Replay(channels[ci], asked).isEmpty() ? c.Meaning(step) : QString();
            FModule.Modified = modified;
            TConfigChange change{c.Title(), have->Name, have->ValueText(), asked.ValueText()};
            if (have->Writable)
                plan.push_back({ci, want, change});
            else
                report.Informational.push_back(change);
        }
    }
    for (const TPlanned& p : plan)
        report.Changes.push_back(p.Change);

    // The bus parameters, compared only when they are to be written.
    struct TBusChange {
        quint16 Property;
        quint32 Value;
    };
    std::vector<TBusChange> busPlan;
    if (Options.WithBusParams) {
        const TConfigBusParams& want = File.BusParams;
        const TConfigBusParams& have = present->BusParams;
        auto compare = [&](const std::optional<quint32>& Want, const std::optional<quint32>& Have,
                           quint16 Property, const QString& Name, auto Text) {
            if (!Want || Want == Have)
                return;
            if (!Have) {
                report.Warnings << QStringLiteral(
                                       "bus parameters %1: the device has no such setting, skipped")
                                       .arg(SettingTitle(Name));
                return;
            }
            report.Changes.push_back({QStringLiteral("bus parameters"), Name, Text(*Have), Text(*Want)});
            busPlan.push_back({Property, *Want});
        };
        const auto number = [](quint32 v) { return QString::number(v); };
        compare(want.AnswerTimeout, have.AnswerTimeout, spAnswerTimeout, QStringLiteral("answerTimeout"),
                number);
        compare(want.ByteOrder, have.ByteOrder, spByteOrder, QStringLiteral("byteOrder"), number);
        // The address, speed and protocol go last: the device answers differently from then on.
        compare(want.BusSettingsWord, have.BusSettingsWord, spBusSettings, QStringLiteral("busSettings"),
                [](quint32 v) { return TBusSettings::Decode(v).Text(); });
    }

    if (Options.DryRun) {
        report.Ok = true;
        return report;
    }

    for (const TPlanned& p : plan) {
        TChannelAccess& c = channels[p.Channel];
        const QString line = p.Change.Line();
        QString failure = Replay(c, *p.Wanted);
        if (failure.isEmpty()) {
            QString written;
            if (!c.Write(p.Wanted->Step, written))
                failure = written.isEmpty() ? QStringLiteral("the device did not take it") : written;
        }
        if (failure.isEmpty()) {
            TConfigSetting check;
            check.Step = p.Wanted->Step;
            const QString readError = Record(c, p.Wanted->Step, false, check);
            if (!readError.isEmpty())
                failure = QStringLiteral("written, but reading it back failed: %1").arg(readError);
            else if (check.ReadValues() != p.Wanted->ReadValues())
                failure = QStringLiteral("written, but the device reads back %1").arg(check.ValueText());
        }
        if (!failure.isEmpty()) {
            report.FailedChange = line;
            report.Error =
                QStringLiteral("%1 %2: %3").arg(p.Change.Channel, SettingTitle(p.Change.Setting), failure);
            return report;
        }
        ++report.Written;
    }

    if (Options.Flash && !plan.empty()) {
        FModule.SystemChannel().SaveToFlash();
        if (!FModule.Ok) {
            report.Error = QStringLiteral("saving to flash failed");
            return report;
        }
        report.Flashed = true;
    }

    for (const TBusChange& b : busPlan) {
        if (!WriteSystem(b.Property, b.Value)) {
            report.FailedChange = report.Changes[size_t(report.Written)].Line();
            report.Error = QStringLiteral("bus parameters: the device did not take %1")
                               .arg(report.Changes[size_t(report.Written)].Setting);
            return report;
        }
        ++report.Written;
        report.BusParamsWritten = true;
    }
    report.Ok = true;
    return report;
}
