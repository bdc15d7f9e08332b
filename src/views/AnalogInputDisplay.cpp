#include "views/AnalogInputDisplay.h"

#include "model/Helper.h"

#include <cmath>

void TAiMeasuring::Start(bool FloatFormat) {
    FMeasuring = true;
    FBlinking = FloatFormat;
}

void TAiMeasuring::Stop() {
    FMeasuring = false;
    FBlinking = false;
    FLed = false;
    FMarker = false;
}

void TAiMeasuring::Reading(float Value, float LedLow, float LedHigh) {
    FZone = ZoneOf(Value, LedLow, LedHigh);
    FMarker = true;
}

void TAiMeasuring::BlinkTick() {
    if (!FBlinking)
        return;
    switch (FZone) {
    case dzBelow:
        FLed = false;
        break;
    case dzWithin:
        FLed = true;
        break;
    case dzAbove:
        FLed = !FLed;
        break;
    }
}

void TAiMeasuring::Reset() {
    Stop();
    FZone = dzBelow;
}

TDisplayZone ZoneOf(float Value, float Low, float High) {
    if (Value < Low)
        return dzBelow;
    if (Value > High)
        return dzAbove;
    return dzWithin;
}

TAiFlagsView FlagsViewOf(quint32 Flags, quint32 TypeCode, const TAiChannelSupport& Support) {
    TAiFlagsView v;
    const bool polynomial = (Flags & afPolynomial) != 0;
    const bool thermo = (Flags & afThermoCompensation) != 0;
    v.Polynomial = polynomial ? slOn : slOff;
    v.PolynomialMarker = polynomial;
    v.ThermoCompensation = thermo ? slOn : slOff;
    v.ThermoCompensationMarker = thermo;
    const quint32 format = Flags & afResultFormat;
    v.ResultFormatIndex = format == 12 ? -1 : int(format >> 2);
    v.ByteSequenceIndex = int((Flags & afByteSequence) >> 4);
    v.InputSwitchVisible = TypeCode == kInputSwitchTypeCode;
    v.InputOn = (Flags & afInputEnabled) != 0;
    // Only the twelve-channel model is ever probed; the others keep what they were opened with.
    if (TypeCode == kProbedTypeCode) {
        if (!Support.PolynomialSupported) {
            v.Polynomial = slUnsupported;
            v.PolynomialMarker = false;
            v.PolynomialLegend = false;
            v.PolynomialEnabled = false;
        }
        v.LedLimitsEnabled = Support.LedLimitsSupported;
    }
    return v;
}

QString StateText(TAiStateLook Look) {
    switch (Look) {
    case slOn:
        return QStringLiteral("1");
    case slOff:
        return QStringLiteral("0");
    case slUnsupported:
        break;
    }
    return QStringLiteral("X");
}

quint32 WithResultFormat(quint32 Flags, int Index) {
    if (Index < 0 || Index > 2)
        return Flags;
    return (Flags & ~quint32(afResultFormat)) | (quint32(Index) << 2);
}

quint32 WithByteSequence(quint32 Flags, int Index) {
    if (Index < 0 || Index > 3)
        return Flags;
    return (Flags & ~quint32(afByteSequence)) | (quint32(Index) << 4);
}

quint32 WithInputSwitch(quint32 Flags, bool On) {
    return On ? SetBits(Flags, afInputEnabled) : ClearBits(Flags, afInputEnabled);
}

QString CutoffText(float Cutoff) {
    if (Cutoff == 0)
        return {};
    return FloatToText(QStringLiteral("0.00"), Cutoff);
}

QString ResultText(float Value, bool Integer) {
    if (Integer && std::isfinite(Value))
        return FloatToText(QStringLiteral("0"), std::round(double(Value)));
    return FloatToText(QStringLiteral("0.00000"), Value);
}

QString TemperatureText(float Celsius) {
    return FloatToText(QStringLiteral("0.0"), Celsius);
}

QString LimitText(const QString& Format, float Value) {
    return FloatToText(Format, Value);
}
