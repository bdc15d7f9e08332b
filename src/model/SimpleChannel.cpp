#include "model/SimpleChannel.h"

#include "model/ChannelTexts.h"
#include "model/Helper.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace {

// The frame carries a value order for one transaction only: whatever the read does, the next
// transaction of the module (another channel's, a settings write) must find the defaults again.
class TValueOrderScope {
public:
    TValueOrderScope(TBuffer& Frame, TByteOrder Order, quint8 Fallback) : FFrame(Frame) {
        FFrame.ValueOrder = Order;
        FFrame.FallbackOrder = Fallback;
    }
    ~TValueOrderScope() {
        FFrame.ValueOrder = boNAN;
        FFrame.FallbackOrder = 0;
    }
    TValueOrderScope(const TValueOrderScope&) = delete;
    TValueOrderScope& operator=(const TValueOrderScope&) = delete;

private:
    TBuffer& FFrame;
};

// The settings travel through the value text: enough decimals that every single comes back as the
// same single, however small (the dialogs' value mask would round a polynomial coefficient away).
const QString kSettingsFormat = QStringLiteral("#0.") + QString(60, QLatin1Char('#'));

// A setting that is no finite number has no place in the device: the step fails before anything is
// sent, as a value text that is no number does.
bool WriteSetting(TNerixChannel& Accessor, quint16 Property, float Value) {
    return std::isfinite(Value) && Accessor.WritePropertyFloat(Property, Value);
}

bool Contains(const std::vector<int>& Steps, int Step) {
    for (int s : Steps)
        if (s == Step)
            return true;
    return false;
}

} // namespace

TSimpleChannel::TSimpleChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index)
    : TCustomZUVOChannel(Module, ObjectNumber, Index), FValueFormat(Accessor.Fotmat) {}

std::vector<int> TSimpleChannel::ReadSteps(int Selector) const {
    if (Selector == ssCommon)
        return {ssAccuracyClass, ssRangeCode,  ssRangeList, ssFilterCutoff, ssResponseTime,
                ssNormalization, ssPolynomial, ssFlags,     ssLedLimits};
    static const std::vector<int> single = {
        ssAccuracyClass, ssRangeCode, ssRangeList, ssRangeListWithScale, ssFilterCutoff, ssNormalization,
        ssPolynomial,    ssFlags,     ssLedLimits, ssResponseTime,       ssCommand,      ssCommandStatus};
    return Contains(single, Selector) ? std::vector<int>{Selector} : std::vector<int>{};
}

std::vector<int> TSimpleChannel::WriteSteps(int Selector) const {
    if (Selector == ssCommon)
        return {ssAccuracyClass, ssRangeCode,    ssRangeList,     ssRangeListWithScale,
                ssFilterCutoff,  ssResponseTime, ssNormalization, ssPolynomial,
                ssFlags,         ssLedLimits};
    static const std::vector<int> single = {
        ssAccuracyClass, ssRangeCode, ssRangeList, ssRangeListWithScale, ssFilterCutoff, ssNormalization,
        ssPolynomial,    ssFlags,     ssLedLimits, ssResponseTime,       ssCommand};
    return Contains(single, Selector) ? std::vector<int>{Selector} : std::vector<int>{};
}

QString TSimpleChannel::ReadStep(int Selector) {
    const TChannelTexts& t = ChannelTexts();
    Accessor.Fotmat = kSettingsFormat;
    QString error;
    switch (Selector) {
    case ssRangeListWithScale:
        return ReadRangeList(kRangeFieldCount);
    case ssFilterCutoff:
        if (const auto v = ReadFloat(aiFilterCutoff, t.ReadFilterCutoff, error))
            FilterCutoff = *v;
        return error;
    case ssResponseTime:
        if (const auto v = ReadInteger(aiResponseTime, t.ReadResponseTime, error))
            ResponseTime = quint16(*v);
        return error;
    case ssPolynomial:
        // Every coefficient is asked for; one that does not come is 0, so the dialog never shows a
        // stale coefficient beside fresh ones.
        for (int i = 0; i < int(Polynomial.size()); ++i) {
            QString failed;
            const auto v = ReadFloat(quint16(aiPolynomial + i), t.ReadPolynomial, failed);
            Polynomial[size_t(i)] = v.value_or(0.0f);
            if (error.isEmpty())
                error = failed;
        }
        return error;
    case ssFlags: {
        const auto v = ReadInteger(aiFlags, t.ReadFlags, error);
        Flags = v ? quint32(*v) : 0;
        return error;
    }
    case ssLedLimits: {
        QString failed;
        const auto low = ReadFloat(aiLedLow, t.ReadLedLimits, error);
        const auto high = ReadFloat(aiLedHigh, t.ReadLedLimits, failed);
        LedLow = low.value_or(0.0f);
        LedHigh = high.value_or(0.0f);
        return error.isEmpty() ? failed : error;
    }
    default:
        return TCustomZUVOChannel::ReadStep(Selector);
    }
}

bool TSimpleChannel::ReadSettings(int Selector, QString& ErrorText) {
    return TCustomZUVOChannel::ReadSettings(Selector, ErrorText);
}

QString TSimpleChannel::WriteStep(int Selector) {
    const TChannelTexts& t = ChannelTexts();
    Accessor.Fotmat = kSettingsFormat;
    TZUVOModule* module = Module();
    switch (Selector) {
    case ssRangeCode:
        return Accessor.WritePropertyInteger(apRangeCode, RangeCode) ? QString() : t.WriteSelectedRange;
    case ssRangeList:
    case ssRangeListWithScale:
        // A refused selector means the device cannot reach the range at all, which it reports as a
        // failure to read the list.
        return WriteRangeList(Selector == ssRangeList ? kShortRangeFieldCount : kRangeFieldCount,
                              t.WriteRangeList, t.ReadRangeList);
    case ssFilterCutoff:
        return WriteSetting(Accessor, aiFilterCutoff, FilterCutoff) ? QString() : t.WriteFilterCutoff;
    case ssResponseTime:
        return Accessor.WritePropertyInteger(aiResponseTime, ResponseTime) ? QString() : t.WriteResponseTime;
    case ssNormalization: {
        const QString error = TCustomZUVOChannel::WriteStep(Selector);
        if (error.isEmpty())
            module->Modified = FModifiedBefore;
        return error;
    }
    case ssPolynomial: {
        bool ok = true;
        for (int i = 0; i < int(Polynomial.size()); ++i)
            ok = WriteSetting(Accessor, quint16(aiPolynomial + i), Polynomial[size_t(i)]) && ok;
        return ok ? QString() : t.WritePolynomial;
    }
    case ssFlags:
        if (!Accessor.WritePropertyInteger(aiFlags, qint32(Flags)))
            return t.WriteFlags;
        if (FWriteSelector == ssFlags && !FModifiedBefore)
            module->Modified = false;
        return {};
    case ssLedLimits: {
        const bool low = WriteSetting(Accessor, aiLedLow, LedLow);
        const bool high = WriteSetting(Accessor, aiLedHigh, LedHigh);
        if (!low || !high)
            return t.WriteLedLimits;
        if (FWriteSelector == ssLedLimits && !FModifiedBefore)
            module->Modified = false;
        return {};
    }
    default:
        return TCustomZUVOChannel::WriteStep(Selector);
    }
}

bool TSimpleChannel::WriteSettings(int Selector, QString& ErrorText) {
    FModifiedBefore = Module()->Modified;
    FWriteSelector = Selector;
    return TCustomZUVOChannel::WriteSettings(Selector, ErrorText);
}

float TSimpleChannel::Result(quint16 Property, bool Ok) {
    // The accessor serves every property of the channel: after a failure it holds whatever was read
    // last, maybe the temperature, which must not pass for the value.
    if (Ok)
        FLastRead[Property] = float(TextToFloat(Accessor.GetValueText()));
    const auto it = FLastRead.find(Property);
    return it == FLastRead.end() ? 0.0f : it->second;
}

float TSimpleChannel::ReadOrdered(quint16 Property, TZUVODataType Type, TByteOrder Order) {
    TZUVOModule* module = Module();
    module->Ok = false;
    Accessor.Fotmat = FValueFormat;
    bool ok = false;
    {
        TValueOrderScope scope(module->NerixModule().Buffer(), Order, ByteSequence());
        ok = Accessor.ReadPropertyAs(Property, Type);
    }
    module->Ok = ok;
    return Result(Property, ok);
}

float TSimpleChannel::ReadPlain(quint16 Property) {
    TZUVOModule* module = Module();
    module->Ok = false;
    Accessor.Fotmat = FValueFormat;
    module->Ok = Accessor.ReadPropertyAs(Property, dtSingle);
    return Result(Property, module->Ok);
}

float TSimpleChannel::ReadValue() {
    LastValue = ReadOrdered(aiValue, dtSingle, ValueOrder);
    return LastValue;
}

float TSimpleChannel::ReadValueInteger() {
    LastValue = ReadOrdered(aiValue, dtInteger, Module()->ByteOrder());
    return LastValue;
}

float TSimpleChannel::ReadTemperature() {
    return ReadOrdered(aiTemperature, dtSingle, ValueOrder);
}

float TSimpleChannel::ReadTemperatureInteger() {
    return ReadOrdered(aiTemperature, dtInteger, ValueOrder);
}

float TSimpleChannel::ReadNetworkQuantity(quint16 Property) {
    return ReadPlain(Property);
}

float TSimpleChannel::ReadValueDirect() {
    return ReadPlain(aiValue);
}

bool TSimpleChannel::ResetPulseCounter() {
    TZUVOModule* module = Module();
    module->Ok = false;
    module->Ok = Accessor.WritePropertyInteger(aiValue, 0);
    return module->Ok;
}

void TSimpleChannel::SetValueFormat(const QString& Mask) {
    FValueFormat = Mask;
    Accessor.Fotmat = Mask;
}

TDisplayZone TSimpleChannel::DisplayState(float Value) const {
    if (Value < LedLow)
        return dzBelow;
    if (Value > LedHigh)
        return dzAbove;
    return dzWithin;
}

TAIKDataStreamController::TAIKDataStreamController(TZUVOModule* Module, quint8 ObjectNumber)
    : FModule(Module) {
    Accessor.Module = &Module->NerixModule();
    Accessor.ObjectNumber = ObjectNumber;
}

std::optional<qint32> TAIKDataStreamController::ReadInteger(quint16 Property) {
    FModule->Ok = false;
    if (!Accessor.ReadPropertyAs(Property, dtInteger))
        return std::nullopt;
    const auto v = Accessor.GetAsInteger();
    FModule->Ok = v.has_value();
    return v;
}

bool TAIKDataStreamController::Written(bool Ok) {
    FModule->Ok = Ok;
    if (Ok)
        FModule->Modified = true;
    return Ok;
}

float TAIKDataStreamController::ReadFrequency() {
    FModule->Ok = false;
    if (!Accessor.ReadPropertyAs(dpFrequency, dtSingle))
        return 0;
    const auto v = ParseFloat(Accessor.GetValueText());
    FModule->Ok = v.has_value();
    return float(v.value_or(0.0));
}

bool TAIKDataStreamController::WriteFrequency(float Hz) {
    FModule->Ok = false;
    return Written(std::isfinite(Hz) && Accessor.WritePropertyFloat(dpFrequency, Hz));
}

quint16 TAIKDataStreamController::ReadChannelMask() {
    return quint16(ReadInteger(dpChannelMask).value_or(0));
}

bool TAIKDataStreamController::WriteChannelMask(quint16 Mask) {
    FModule->Ok = false;
    return Written(Accessor.WritePropertyInteger(dpChannelMask, Mask));
}

quint32 TAIKDataStreamController::ReadMode() {
    return quint32(ReadInteger(dpMode).value_or(0));
}

bool TAIKDataStreamController::WriteMode(quint32 Mode) {
    FModule->Ok = false;
    return Written(Accessor.WritePropertyInteger(dpMode, qint32(Mode)));
}

QString TAIKDataStreamController::StepName(int Step) {
    switch (Step) {
    case dssFrequency:
        return QStringLiteral("frequency");
    case dssChannelMask:
        return QStringLiteral("polledChannels");
    case dssMode:
        return QStringLiteral("mode");
    default:
        return QStringLiteral("step%1").arg(Step);
    }
}

QString TAIKDataStreamController::StepMeaning(int Step) const {
    switch (Step) {
    case dssFrequency:
        return QLocale::c().toString(double(Frequency), 'g', 7) + QStringLiteral(" Hz");
    case dssChannelMask: {
        QStringList channels;
        for (int i = 0; i < 16; ++i)
            if (ChannelMask & (1u << i))
                channels << QString::number(i + 1);
        return channels.isEmpty() ? QStringLiteral("none")
                                  : QStringLiteral("channels ") + channels.join(QStringLiteral(", "));
    }
    case dssMode:
        return QStringLiteral("0x%1%2")
            .arg(Mode, 8, 16, QLatin1Char('0'))
            .arg(Mode & kMasterMode ? QStringLiteral(", master") : QString());
    default:
        return {};
    }
}

bool TAIKDataStreamController::ReadSettings(int Step, QString& ErrorText) {
    ErrorText.clear();
    FModule->Ok = false;
    switch (Step) {
    case dssFrequency: {
        const float v = ReadFrequency();
        if (FModule->Ok)
            Frequency = v;
        break;
    }
    case dssChannelMask: {
        const quint16 v = ReadChannelMask();
        if (FModule->Ok)
            ChannelMask = v;
        break;
    }
    case dssMode: {
        const quint32 v = ReadMode();
        if (FModule->Ok)
            Mode = v;
        break;
    }
    default:
        return false;
    }
    if (!FModule->Ok)
        ErrorText = QStringLiteral("the stream controller did not give its %1").arg(StepName(Step));
    return FModule->Ok;
}

bool TAIKDataStreamController::WriteSettings(int Step, QString& ErrorText) {
    ErrorText.clear();
    FModule->Ok = false;
    switch (Step) {
    case dssFrequency:
        WriteFrequency(Frequency);
        break;
    case dssChannelMask:
        WriteChannelMask(ChannelMask);
        break;
    case dssMode:
        WriteMode(Mode);
        break;
    default:
        return false;
    }
    if (!FModule->Ok)
        ErrorText = QStringLiteral("the stream controller did not take its %1").arg(StepName(Step));
    return FModule->Ok;
}
