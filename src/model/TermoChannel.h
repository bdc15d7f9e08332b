#pragma once

#include "model/CustomZUVOChannel.h"

#include <QString>
#include <vector>

// The settings of a temperature channel one at a time, in the order ReadAll reads them.
enum TTermoStep : int {
    tsEnabled = 0,
    tsAlarmOn = 1,
    tsAlarmLow = 2,
    tsAlarmHigh = 3,
    tsRelayOn = 4,
    tsRelayLow = 5,
    tsRelayHigh = 6,
    tsRelayNormalState = 7, // index 0 only
    tsAuxValue = 8,
};

// One temperature channel of KVD-TC-BUS: index 0 is the controller's own temperature, indexes 1 and
// up the DS1820 sensors. Property 0 of index 0 tells how many channels the device has.
class TTermoChannel : public TCustomZUVOChannel {
public:
    // The temperature a channel reports when its sensor does not answer.
    static constexpr float kNoSensor = -274.0f;

    TTermoChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index);

    bool Enabled = false;
    bool AlarmOn = false;
    float AlarmLow = 0;
    float AlarmHigh = 0;
    bool RelayOn = false;
    float RelayLow = 0;
    float RelayHigh = 0;
    bool RelayNormalState = false; // meaningful on index 0, for the whole module
    float AuxValue = 0;
    // The last temperature read.
    float Temperature = 0;

    // Property 0; -1 when the transfer fails. Ok is the outcome.
    int ReadChannelCount();
    // Property 2; -1 when the transfer fails. Ok is the outcome.
    float ReadTemperature();
    // Every setting in field order; stops at the first failure, the fields read before keeping their
    // new values.
    bool ReadAll();

    // One setting each: the field takes the value only when the device took it.
    bool WriteEnabled(bool Value);
    bool WriteAlarmOn(bool Value);
    bool WriteAlarmLow(float Value);
    bool WriteAlarmHigh(float Value);
    bool WriteRelayOn(bool Value);
    bool WriteRelayLow(float Value);
    bool WriteRelayHigh(float Value);
    bool WriteRelayNormalState(bool Value);
    bool WriteAuxValue(float Value);
    // The nine single writes in field order with the fields' values; stops at the first failure.
    bool WriteAll();

    // The settings one step at a time, as a configuration backup walks them. The relays' normal
    // state is the module's, kept on index 0: the other channels do not list it.
    std::vector<int> SettingSteps() const;
    static QString StepName(int Step);
    // One field from the device or to it; a step the class does not know fails without traffic. A
    // failed read leaves the field as it was.
    bool ReadSetting(int Step);
    bool WriteSetting(int Step);
};
