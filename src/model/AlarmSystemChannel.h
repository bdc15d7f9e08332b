#pragma once

#include "model/ZUVOChannel.h"

#include <QString>
#include <array>
#include <memory>
#include <vector>

class TZUVOModule;

// One alarm or relay entry of the signalling system: on/off and its band.
struct TAlarmEntry {
    bool On = false;
    float Low = 0;
    float High = 0;

    bool operator==(const TAlarmEntry&) const = default;
};

// The signalling system's table, copied as a whole. Entries 0..11 belong to the module's analog
// inputs 1..12, entry 12 to the controller's temperature.
struct TAlarmTable {
    static constexpr int kEntryCount = 13;

    bool RelayNormalState = false;
    std::array<TAlarmEntry, kEntryCount> Alarms{};
    std::array<TAlarmEntry, kEntryCount> Relays{};

    bool operator==(const TAlarmTable&) const = default;
};

// The signalling system of KVD-AIK12-BUS (object 13). Not a channel: it has no ranges, only its
// table.
class TAlarmSystemChannel {
public:
    static constexpr quint8 kObject = 13;
    // The device needs this long after an entry is selected before it answers for it.
    static constexpr int kEntryPauseMs = 100;

    explicit TAlarmSystemChannel(TZUVOModule* Module);
    ~TAlarmSystemChannel();
    TAlarmSystemChannel(const TAlarmSystemChannel&) = delete;
    TAlarmSystemChannel& operator=(const TAlarmSystemChannel&) = delete;

    TZUVOModule* Module() const { return FModule; }
    TNerixChannel& Accessor() { return *FAccessor; }

    TAlarmTable Table;

    // All or nothing: any failure leaves Table as it was. The pause after each entry's selection
    // lets the windows run; the window that polls the module stops its timers before calling this.
    bool ReadTable();
    // In order; stops at the first failure (the entries before are on the device by then).
    bool WriteTable();

    // The table one step at a time, as a configuration backup walks it: the relays' normal state
    // (step 0), then entry i (the alarm and relay of input i + 1, the last one the temperature's)
    // as step i + 1. A read step changes Table only when all of it was read.
    static std::vector<int> SettingSteps();
    static QString StepName(int Step);
    bool ReadSetting(int Step);
    bool WriteSetting(int Step);

private:
    std::unique_ptr<TNerixChannel> FAccessor;
    TZUVOModule* FModule;
};
