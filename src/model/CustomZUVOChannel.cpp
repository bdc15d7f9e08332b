#include "model/CustomZUVOChannel.h"

#include "model/ChannelTexts.h"
#include "model/Helper.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

#include <initializer_list>
#include <vector>

namespace {

// The range fields travel through the value text; this many decimals keep the coefficients' digits
// on the way (the accessor's own mask would round small ones away).
const QString kRangeFieldFormat = QStringLiteral("0.000000000000000000");

// The selector index carries the range in one byte, and the device counts its ranges in one.
constexpr int kMaxRanges = 255;

qint32 RangeSelector(int Field, int Range) {
    return qint32(Field + 256 * Range);
}

// The steps a selector stands for, in order; nothing for a selector the class does not know.
std::vector<int> StepsOf(int Selector, std::initializer_list<int> Single) {
    if (Selector == ssCommon)
        return {ssAccuracyClass, ssRangeCode, ssRangeList, ssNormalization};
    for (int step : Single)
        if (step == Selector)
            return {step};
    return {};
}

} // namespace

TCustomZUVOChannel::TCustomZUVOChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index)
    : Index(Index), FModule(Module) {
    Accessor.Module = &Module->NerixModule();
    Accessor.ObjectNumber = ObjectNumber;
}

TCustomZUVOChannel::~TCustomZUVOChannel() = default;

std::vector<int> TCustomZUVOChannel::ReadSteps(int Selector) const {
    return StepsOf(Selector,
                   {ssAccuracyClass, ssRangeCode, ssRangeList, ssNormalization, ssCommand, ssCommandStatus});
}

std::vector<int> TCustomZUVOChannel::WriteSteps(int Selector) const {
    return StepsOf(Selector, {ssAccuracyClass, ssRangeCode, ssRangeList, ssRangeListWithScale,
                              ssNormalization, ssCommand});
}

std::optional<qint32> TCustomZUVOChannel::ReadInteger(quint16 Property, const QString& StepText,
                                                      QString& ErrorText) {
    if (!Accessor.ReadPropertyAs(Property, dtInteger)) {
        ErrorText = StepText;
        return std::nullopt;
    }
    const auto value = Accessor.GetAsInteger();
    if (!value)
        ErrorText = ChannelTexts().ReadChannel;
    return value;
}

std::optional<float> TCustomZUVOChannel::ReadFloat(quint16 Property, const QString& StepText,
                                                   QString& ErrorText) {
    if (!Accessor.ReadPropertyAs(Property, dtSingle)) {
        ErrorText = StepText;
        return std::nullopt;
    }
    const auto value = ParseFloat(Accessor.GetValueText());
    if (!value) {
        ErrorText = ChannelTexts().ReadChannel;
        return std::nullopt;
    }
    return float(*value);
}

QString TCustomZUVOChannel::ReadRangeList(int FieldCount, bool KeepAttribute) {
    Accessor.Fotmat = kRangeFieldFormat;
    QString error;
    const auto count = ReadInteger(apRangeCount, ChannelTexts().ReadRangeList, error);
    if (!count)
        return error;
    RangeCount = quint8(*count);
    Ranges.Clear();
    for (int i = 0; i < RangeCount; ++i) {
        TRangeRec rec;
        for (int field = 0; field < FieldCount; ++field) {
            if (!Accessor.WritePropertyInteger(apRangeSelector, RangeSelector(field, i)))
                return ChannelTexts().ReadRangeList;
            std::optional<double> v;
            if (RangeFieldIsFloat(field))
                v = ReadFloat(apRangeField, ChannelTexts().ReadRangeList, error);
            else
                v = ReadInteger(apRangeField, ChannelTexts().ReadRangeList, error);
            if (!v)
                return error;
            if (KeepAttribute || field != rfAttribute)
                SetRangeFieldValue(rec, field, *v);
        }
        // Only whole records join the list; the ones read before a failure stay.
        Ranges.AddCopy(&rec);
    }
    return {};
}

QString TCustomZUVOChannel::ReadStep(int Selector) {
    QString error;
    switch (Selector) {
    case ssAccuracyClass:
        if (const auto v = ReadInteger(apAccuracyClass, ChannelTexts().ReadAccuracyClass, error))
            AccuracyClass = quint8(*v);
        return error;
    case ssRangeCode:
        if (const auto v = ReadInteger(apRangeCode, ChannelTexts().ReadRangeCode, error))
            RangeCode = quint16(*v);
        return error;
    case ssRangeList:
        return ReadRangeList();
    case ssNormalization: {
        const auto v = ReadInteger(apNormalization, ChannelTexts().ReadNormalization, error);
        Normalization = v && *v != 0;
        return error;
    }
    case ssCommand:
        if (const auto v = ReadInteger(apCommand, ChannelTexts().ReadCommand, error))
            Command = quint8(*v);
        return error;
    case ssCommandStatus:
        if (const auto v = ReadInteger(apCommandStatus, ChannelTexts().ReadCommandStatus, error))
            CommandStatus = quint8(*v);
        return error;
    default:
        return {};
    }
}

bool TCustomZUVOChannel::ReadSettings(int Selector, QString& ErrorText) {
    return RunSettingSteps(ReadSteps(Selector), FModule->Ok, ErrorText, [this](int Step) {
        Accessor.ChannelDirection = cdInput;
        return ReadStep(Step);
    });
}

bool TCustomZUVOChannel::SetUnlock(bool On) {
    return Accessor.WritePropertyInteger(apUnlock, On ? qint32(kUnlockCode) : 0);
}

template <class Writes> bool TCustomZUVOChannel::Unlocked(Writes writes) {
    const bool done = SetUnlock(true) && writes();
    // Locked again even when the unlock itself seemed to fail: the code may have arrived and only
    // the answer got lost.
    const bool locked = SetUnlock(false);
    return done && locked;
}

QString TCustomZUVOChannel::WriteRangeList(int FieldCount) {
    return WriteRangeList(FieldCount, ChannelTexts().WriteRangeList, ChannelTexts().WriteRangeList);
}

QString TCustomZUVOChannel::WriteRangeList(int FieldCount, const QString& FailText,
                                           const QString& SelectorFailText) {
    // A longer list cannot be addressed: its indexes would spill out of the selector's range byte
    // and overwrite the device's first ranges.
    if (Ranges.Count() > kMaxRanges)
        return FailText;
    Accessor.Fotmat = kRangeFieldFormat;
    bool selectorRefused = false;
    const bool ok = Unlocked([&] {
        if (!Accessor.WritePropertyInteger(apRangeCount, Ranges.Count()))
            return false;
        for (int b = 0; b < Ranges.Count(); ++b) {
            const TRangeRec& rec = *Ranges.Items(b);
            for (int field = 0; field < FieldCount; ++field) {
                if (!Accessor.WritePropertyInteger(apRangeSelector, RangeSelector(field, b))) {
                    selectorRefused = true;
                    return false;
                }
                const double value = RangeFieldValue(rec, field);
                const bool written = RangeFieldIsFloat(field)
                                         ? Accessor.WritePropertyFloat(apRangeField, float(value))
                                         : Accessor.WritePropertyInteger(apRangeField, qint32(value));
                if (!written)
                    return false;
            }
        }
        return true;
    });
    if (ok)
        return {};
    return selectorRefused ? SelectorFailText : FailText;
}

QString TCustomZUVOChannel::WriteStep(int Selector) {
    switch (Selector) {
    case ssAccuracyClass: {
        const bool ok =
            Unlocked([this] { return Accessor.WritePropertyInteger(apAccuracyClass, AccuracyClass); });
        return ok ? QString() : ChannelTexts().WriteAccuracyClass;
    }
    case ssRangeCode:
        return Accessor.WritePropertyInteger(apRangeCode, RangeCode) ? QString()
                                                                     : ChannelTexts().WriteRangeCode;
    case ssRangeList:
        return WriteRangeList(kShortRangeFieldCount);
    case ssRangeListWithScale:
        return WriteRangeList(kRangeFieldCount);
    case ssNormalization:
        return Accessor.WritePropertyInteger(apNormalization, Normalization ? 1 : 0)
                   ? QString()
                   : ChannelTexts().WriteNormalization;
    case ssCommand:
        return Accessor.WritePropertyInteger(apCommand, Command) ? QString() : ChannelTexts().WriteCommand;
    default:
        return {};
    }
}

bool TCustomZUVOChannel::WriteSettings(int Selector, QString& ErrorText) {
    FModule->Modified = true;
    Accessor.ChannelDirection = cdOutput;
    return RunSettingSteps(WriteSteps(Selector), FModule->Ok, ErrorText,
                           [this](int Step) { return WriteStep(Step); });
}

QString TCustomZUVOChannel::DisplayFormat() const {
    return Normalization ? RangeFormat(RangeCode) : QStringLiteral("0.00");
}
