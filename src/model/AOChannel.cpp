#include "model/AOChannel.h"

#include "model/ChannelTexts.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

#include <cmath>

namespace {

// The range fields travel through the value text; this many decimals keep a coefficient's digits.
const QString kRangeFieldFormat = QStringLiteral("0.000000000000000000");
constexpr int kMaxRanges = 255;

qint32 RangeSelector(int Field, int Range) {
    return qint32(Field + 256 * Range);
}

// The module's value order holds for one output transfer only; every other transaction of the
// module must find the default again, whatever happened.
class TOutputOrderScope {
public:
    TOutputOrderScope(TZUVOModule* Module) : FFrame(Module->NerixModule().Buffer()) {
        FFrame.ValueOrder = Module->ByteOrder();
    }
    ~TOutputOrderScope() { FFrame.ValueOrder = boNAN; }
    TOutputOrderScope(const TOutputOrderScope&) = delete;
    TOutputOrderScope& operator=(const TOutputOrderScope&) = delete;

private:
    TBuffer& FFrame;
};

} // namespace

TAOChannel::TAOChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index)
    : TCustomZUVOChannel(Module, ObjectNumber, Index) {}

std::vector<int> TAOChannel::ReadSteps(int Selector) const {
    if (Selector == ssCommon)
        return {ssAccuracyClass, ssRangeCode, ssRangeList};
    if (Selector == ssAccuracyClass || Selector == ssRangeCode || Selector == ssRangeList)
        return {Selector};
    return {};
}

std::vector<int> TAOChannel::WriteSteps(int Selector) const {
    if (Selector == ssCommon)
        return {ssAccuracyClass, ssRangeCode, ssRangeList};
    if (Selector >= ssAccuracyClass && Selector <= ssRangeListWithScale)
        return {Selector};
    return {};
}

QString TAOChannel::ReadStep(int Selector) {
    return Selector == ssRangeList ? ReadRangeList(kShortRangeFieldCount, false)
                                   : TCustomZUVOChannel::ReadStep(Selector);
}

QString TAOChannel::WriteStep(int Selector) {
    return Selector == ssRangeList ? WriteOutputRanges() : TCustomZUVOChannel::WriteStep(Selector);
}

QString TAOChannel::WriteOutputRanges() {
    const QString& failText = ChannelTexts().WriteRangeList;
    if (Ranges.Count() > kMaxRanges)
        return failText;
    Accessor.Fotmat = kRangeFieldFormat;
    bool selectorRefused = false;
    bool ok = SetUnlock(true);
    if (ok)
        ok = Accessor.WritePropertyInteger(apRangeCount, Ranges.Count());
    for (int b = 0; ok && b < Ranges.Count(); ++b) {
        const TRangeRec& rec = *Ranges.Items(b);
        for (int field = 0; ok && field < kShortRangeFieldCount; ++field) {
            if (!Accessor.WritePropertyInteger(apRangeSelector, RangeSelector(field, b))) {
                selectorRefused = true;
                ok = false;
                break;
            }
            // Field 1 of an output's range carries the selector value, as the devices take it.
            if (field == rfAttribute)
                ok = Accessor.WritePropertyInteger(apRangeField, RangeSelector(field, b));
            else if (RangeFieldIsFloat(field))
                ok = Accessor.WritePropertyFloat(apRangeField, float(RangeFieldValue(rec, field)));
            else
                ok = Accessor.WritePropertyInteger(apRangeField, qint32(RangeFieldValue(rec, field)));
        }
    }
    // Locked again whatever happened: a failed write must not leave the list open.
    const bool locked = SetUnlock(false);
    if (ok && locked)
        return {};
    return selectorRefused ? ChannelTexts().ReadRangeList : failText;
}

float TAOChannel::ReadOutput() {
    TZUVOModule* module = Module();
    module->Ok = false;
    bool ok = false;
    {
        TOutputOrderScope scope(module);
        ok = Accessor.ReadPropertyAs(aoValue, dtSingle);
    }
    if (!ok)
        return -1;
    module->Ok = true;
    OutputValue = Accessor.GetAsFloat();
    return OutputValue;
}

bool TAOChannel::WriteOutput(float Value) {
    TZUVOModule* module = Module();
    module->Ok = false;
    if (!std::isfinite(Value))
        return false;
    bool ok = false;
    {
        TOutputOrderScope scope(module);
        ok = Accessor.WritePropertyFloat(aoValue, Value);
    }
    module->Ok = ok;
    if (ok)
        OutputValue = Value;
    return ok;
}

QString TAOChannel::DisplayFormat() const {
    return RangeFormat(RangeCode);
}
