#pragma once

#include "model/SimpleChannel.h"
#include "views/AnalogInputChannel.h"

#include <QString>
#include <QtGlobal>

// The live part of the analog input window without its timers: the window forwards each timer's
// tick here and shows what this says, so the rules can be checked tick by tick.
//
// While measuring, every reading moves the indicator's zone and lights the working marker, which a
// short timer puts out again; the LED follows the zone on the blink timer, which runs only with the
// floating-point result format: dark below the minimum, lit within the limits, blinking above.
class TAiMeasuring {
public:
    static constexpr int kProcessIntervalMs = 500;
    static constexpr int kBlinkIntervalMs = 300;
    static constexpr int kMarkerIntervalMs = 100;

    bool Measuring() const { return FMeasuring; }
    // The blink timer runs.
    bool Blinking() const { return FBlinking; }
    TDisplayZone Zone() const { return FZone; }
    bool LedVisible() const { return FLed; }
    bool MarkerVisible() const { return FMarker; }
    // The settings may be changed (every block button and drop-down).
    bool ControlsEnabled() const { return !FMeasuring; }

    // "Start": the blink timer only with the floating-point result format.
    void Start(bool FloatFormat);
    // "Stop": the LED and the marker go dark.
    void Stop();
    // A reading of a process tick: the zone of Value against the limits; the marker lights.
    void Reading(float Value, float LedLow, float LedHigh);
    // The marker timer ran out.
    void MarkerElapsed() { FMarker = false; }
    void BlinkTick();
    // The window closed: nothing lit, zone 0, not measuring.
    void Reset();

private:
    bool FMeasuring = false;
    bool FBlinking = false;
    TDisplayZone FZone = dzBelow;
    bool FLed = false;
    bool FMarker = false;
};

// The zone of Value: below Low 0, above High 2, else 1.
TDisplayZone ZoneOf(float Value, float Low, float High);

// How the flags and the support probes show in the window.
enum TAiStateLook { slOff, slOn, slUnsupported }; // green "0", red "1", grey "X"
struct TAiFlagsView {
    TAiStateLook Polynomial = slOff;
    bool PolynomialMarker = false; // the red marker of a switched-on block
    bool PolynomialLegend = true;  // the "0"/"1" legend
    bool PolynomialEnabled = true; // its two buttons and its caption
    TAiStateLook ThermoCompensation = slOff;
    bool ThermoCompensationMarker = false;
    int ResultFormatIndex = 0; // entry of the format list; -1 for bits 2-3 that no entry has
    int ByteSequenceIndex = 0; // entry of the byte order list
    bool InputSwitchVisible = false;
    bool InputOn = false;
    bool LedLimitsEnabled = true; // the indicator's button, LED and limit values
};
TAiFlagsView FlagsViewOf(quint32 Flags, quint32 TypeCode, const TAiChannelSupport& Support);
// "1", "0" or "X".
QString StateText(TAiStateLook Look);
// The flags word with the result format (0, 4 or 8) or the byte sequence entry (0 .. 3) put in.
quint32 WithResultFormat(quint32 Flags, int Index);
quint32 WithByteSequence(quint32 Flags, int Index);
quint32 WithInputSwitch(quint32 Flags, bool On);

// Texts of the window's values.
// The cutoff with two decimals; empty for 0, which the window shows as the filter being off.
QString CutoffText(float Cutoff);
// The measured value: rounded to a whole number with an integer result format, else five decimals.
QString ResultText(float Value, bool Integer);
QString TemperatureText(float Celsius);
// A limit of the indicator in the range's format.
QString LimitText(const QString& Format, float Value);
