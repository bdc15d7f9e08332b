#pragma once

#include "model/CustomZUVOChannel.h"

#include <QString>
#include <array>
#include <vector>

// The kinds of flowmeter channel (ChannelType).
enum TFlowChannelType : quint16 {
    fctDiscreteOutput = 0,
    fctDiscreteInput = 1,
    fctPulseCounter = 2,
    fctFrequencyMeter = 3,
    // A counter with a direction: it takes two neighbouring channels, 2k and 2k + 1.
    fctDirectCounter = 4,
};

// What the alarm and the relay follow (AlarmSource, RelaySource).
enum TFlowSource : quint16 { fsOff = 0, fsFlowSpeed = 1, fsConsumption = 2 };

// The settings of a flowmeter channel one at a time, in the order a write of all of them takes.
enum TFlowStep : int {
    fsEnabled = 0,
    fsChannelType = 1,
    fsCountingFront = 2,
    fsResponseTime = 3,
    fsImpulseWeight = 4,
    fsRelayNormalState = 5, // index 0 only
    fsMeasureTime = 6,      // index 0 only
    fsAlarmSource = 7,
    fsAlarmLow = 8,
    fsAlarmHigh = 9,
    fsRelaySource = 10,
    fsRelayLow = 11,
    fsRelayHigh = 12,
    fsPolynomial = 13,
};

// One flowmeter channel of KVD-RS-BUS (13, objects 1..13) or KVD-RS-VIXPro (4, objects 1..4).
// Property 0 of index 0 tells how many channels the device has.
class TFlowChannel : public TCustomZUVOChannel {
public:
    static constexpr int kPolynomialSize = 6;

    TFlowChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index);

    // Settings.
    bool Enabled = false;
    bool CountingFront = false; // false: the rear edge, true: the front edge
    quint16 ChannelType = fctDiscreteOutput;
    float ResponseTime = 0;
    float ImpulseWeight = 0;
    std::array<float, kPolynomialSize> Polynomial{};
    bool RelayNormalState = false; // meaningful on index 0, for the whole module
    float MeasureTime = 0;         // milliseconds; meaningful on index 0
    quint16 AlarmSource = fsOff;
    float AlarmLow = 0;
    float AlarmHigh = 0;
    quint16 RelaySource = fsOff;
    float RelayLow = 0;
    float RelayHigh = 0;

    // Measurements.
    bool OutputOn = false; // the state of the channel's discrete output; writable
    bool InputOn = false;
    qint64 PulseCount = 0;
    float Frequency = 0;
    float Consumption = 0;
    float FlowSpeed = 0;

    // Property 0; -1 when the transfer fails. Ok is the outcome.
    int ReadChannelCount();
    // Each stops at the first failure, the fields read before keeping their new values.
    bool ReadAllSettings();
    bool ReadMeasurements();
    // Clears the pulse counter (its low half := 0).
    bool ResetCounter();
    bool ReadPolynomial();
    // Polynomial takes the values only when all six reached the device.
    bool WritePolynomial(const std::array<float, kPolynomialSize>& Values);

    // One setting each: the field takes the value only when the device took it.
    bool WriteEnabled(bool Value);
    bool WriteOutputOn(bool Value);
    bool WriteCountingFront(bool Value);
    bool WriteChannelType(quint16 Value);
    bool WriteResponseTime(float Value);
    bool WriteImpulseWeight(float Value);
    bool WriteAlarmSource(quint16 Value);
    bool WriteAlarmLow(float Value);
    bool WriteAlarmHigh(float Value);
    bool WriteRelaySource(quint16 Value);
    bool WriteRelayLow(float Value);
    bool WriteRelayHigh(float Value);
    bool WriteRelayNormalState(bool Value);
    bool WriteMeasureTime(float Value);
    // Every setting with the fields' values; the output state only on a discrete output channel;
    // the polynomial last. Stops at the first failure.
    bool WriteAllSettings();

    // The settings one step at a time, as a configuration backup walks them: those of
    // ReadAllSettings and the polynomial, not the output state (a live state) nor the measurements.
    // The relays' normal state and the measuring time are the module's, kept on index 0: the other
    // channels do not list them.
    std::vector<int> SettingSteps() const;
    static QString StepName(int Step);
    // One setting from the device or to it; a step the class does not know fails without traffic.
    bool ReadSetting(int Step);
    bool WriteSetting(int Step);
};

// The channel that shares a direct counter (type 4) with channel Index among Count channels: 2k
// and 2k + 1 form a pair. -1 when the partner would lie beyond the last channel (an odd count
// leaves the last one alone).
int FlowPartnerIndex(int Index, int Count);
