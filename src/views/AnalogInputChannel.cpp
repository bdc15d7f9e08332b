#include "views/AnalogInputChannel.h"

#include "model/ZUVOModule.h"
#include "protocol/TransferProtocol.h"

bool LoadAnalogInputChannel(TSimpleChannel& Channel, quint32 TypeCode, TAiChannelSupport& Support,
                            const std::function<void(int Ms)>& Pause) {
    Support = TAiChannelSupport();
    Channel.SetValueFormat(kAnalogInputValueFormat);
    QString error;
    if (!Channel.ReadSettings(ssCommon, error))
        return false;
    Support.ExtendedRangesSupported = Channel.ReadSettings(ssRangeListWithScale, error);
    if (!Support.ExtendedRangesSupported) {
        // A device without the user scale refuses the long list part-way; give its line a moment
        // before asking for the short one.
        if (Pause)
            Pause(50);
        if (!Channel.ReadSettings(ssRangeList, error))
            return false;
    }
    if (!Channel.Normalization) {
        Channel.Normalization = true;
        if (!Channel.WriteSettings(ssNormalization, error))
            return false;
    }
    if (TypeCode == kProbedTypeCode) {
        Support.PolynomialSupported = ProbePolynomial(Channel);
        Support.LedLimitsSupported = ProbeLedLimits(Channel);
    }
    return true;
}

bool ProbePolynomial(TSimpleChannel& Channel) {
    const quint32 remembered = Channel.Flags;
    QString error;
    Channel.Flags = remembered ^ afPolynomial;
    const bool written = Channel.WriteSettings(ssFlags, error);
    const bool read = Channel.ReadSettings(ssFlags, error);
    const bool kept = written && read && (Channel.Flags ^ afPolynomial) == remembered;
    Channel.Flags = remembered;
    Channel.WriteSettings(ssFlags, error);
    return kept;
}

bool ProbeLedLimits(TSimpleChannel& Channel) {
    const float low = Channel.LedLow;
    const float high = Channel.LedHigh;
    const float raisedLow = low + 1.0f;
    const float raisedHigh = high + 1.0f;
    QString error;
    Channel.LedLow = raisedLow;
    Channel.LedHigh = raisedHigh;
    const bool written = Channel.WriteSettings(ssLedLimits, error);
    const bool read = Channel.ReadSettings(ssLedLimits, error);
    const bool kept = written && read && Channel.LedLow == raisedLow && Channel.LedHigh == raisedHigh;
    Channel.LedLow = low;
    Channel.LedHigh = high;
    Channel.WriteSettings(ssLedLimits, error);
    return kept;
}

void SwitchFlags(TSimpleChannel& Channel, quint32 NewFlags) {
    const quint32 before = Channel.Flags;
    Channel.Flags = NewFlags;
    QString error;
    const bool written = Channel.WriteSettings(ssFlags, error);
    // A failed read-back leaves 0 in Flags, which the device never said, and the next switch would
    // write that 0 back with all the other bits lost; what the device last accepted stands instead.
    if (!Channel.ReadSettings(ssFlags, error))
        Channel.Flags = written ? NewFlags : before;
}

TAiReading ReadMeasurement(TSimpleChannel& Channel, TByteOrder DeviceOrder, bool WithTemperature) {
    TAiReading r;
    r.Integer = Channel.IntegerResult();
    TZUVOModule* module = Channel.Module();
    Channel.ValueOrder = DeviceOrder;
    if (WithTemperature)
        r.Temperature = r.Integer ? Channel.ReadTemperatureInteger() : Channel.ReadTemperature();
    if (r.Integer) {
        const TTransferProtocol protocol = module->TransferProtocol();
        r.Value =
            protocol == tpNerix || protocol == tpModbus ? Channel.ReadValueInteger() : Channel.ReadValue();
    } else {
        r.Value = Channel.ReadValue();
    }
    r.Ok = module->Ok;
    Channel.ValueOrder = boNAN;
    return r;
}
