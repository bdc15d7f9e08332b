#pragma once

#include "model/ZUVOChannel.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

class TZUVOModule;

// Properties of a discrete output object.
enum TDOProperty : quint16 {
    doState = 0,         // output state; an impulse generator's frequency (float)
    doPulseCount = 1,    // impulse generator: pulses counted (write 0 resets)
    doWriteKey = 2,      // each read gives a fresh key; an impulse generator's second count word
    doProtected = 3,     // keyed writes
    doStartSequence = 4, // keyed write of 0 starts the pulse sequence
    doStartValue = 5,
    doStepCount = 6,
    doStepSelector = 7, // write: which step property 8 transfers
    doStepDuration = 8,
};

// ReadSettings / WriteSettings selectors of a discrete output.
enum TDOSelector : int { dosProtected = 0, dosStartValue = 1, dosSequence = 2, dosAll = 3 };

// A write of a value property that, while Protected, carries a key just read from KeyProperty in its
// upper bits (the key's low byte is 0, the value goes there). The module's Ok tells the outcome and
// Modified is set, as the write changes what the device does. A failed key read writes nothing.
bool KeyedWrite(TNerixChannel& Accessor, TZUVOModule* Module, bool Protected, quint16 KeyProperty,
                quint16 ValueProperty, quint32 Value);

// One discrete output of a module: its state, the keyed-write mode and a pulse sequence of up to 15
// steps that the device runs on its own once started. Channels of the impulse-generator kind use
// property 0 as a frequency and count pulses.
//
// Every operation reports its outcome in the module's Ok; the settings transfers also give their
// error text (in the language the application chose), empty on success.
class TDOChannel {
public:
    static constexpr int kMaxSteps = 15;

    TDOChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index);
    TDOChannel(const TDOChannel&) = delete;
    TDOChannel& operator=(const TDOChannel&) = delete;

    TNerixChannel Accessor;
    TZUVOModule* Module() const { return FModule; }
    int Index = 0;       // among the module's outputs
    float Frequency = 0; // impulse generator: last set or read
    quint8 State = 0;    // last set or read
    bool Protected = false;
    bool StartValue = false;
    quint8 StepCount = 0;                   // at most kMaxSteps
    std::array<quint16, kMaxSteps> Steps{}; // step durations

    // Selector 0 protected mode, 1 start value, 2 sequence (count and steps), 3 all three. The first
    // failing transfer ends the call with its text; earlier steps stay done. A device that reports
    // more steps than an output can hold fails the sequence read and leaves StepCount and Steps as
    // they were.
    bool ReadSettings(int Selector, QString& ErrorText);
    // Marks the module Modified. Only the first StepCount steps (at most kMaxSteps) are written.
    bool WriteSettings(int Selector, QString& ErrorText);

    // The steps of dosAll, in order; reading and writing take the same.
    static std::vector<int> SettingSteps();
    // Keyed while Protected; State follows a successful write.
    bool SetOutput(bool Value);
    // The state read (0 or 1, also in State), or -1 when the read failed (State stays).
    int ReadOutput();
    // Keyed write of 0 to the sequence start.
    bool StartSequence();

    void ClearSteps() { StepCount = 0; }
    // Appends a step; false when all steps are taken.
    bool AddStep(quint16 Duration);
    // Removes step Index and moves the later ones down; nothing outside 0 .. StepCount - 1.
    void DeleteStep(int Index);

    // Impulse generator use.
    bool SetFrequency(float Value);
    // The frequency read (also in Frequency), 0 when the read failed.
    float ReadFrequency();
    // Both count words added; only the first when the second cannot be read (Ok then False); 0 when
    // the first cannot be read.
    quint32 ReadPulseCount();
    bool ResetPulseCount();

private:
    QString ReadStep(int Step);
    QString WriteStep(int Step);

    TZUVOModule* FModule;
};
