#pragma once

#include "model/ZUVOChannel.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

class TZUVOModule;

// Properties of a system health controller object.
enum TIntachnessProperty : quint16 {
    icTimeout = 0,
    icResetCondition = 1, // 0: any exchange on the bus resets the watchdog; 1: only one with this module
    icParameter0 = 2,     // parameters 0 .. 3 at 2 .. 5
};

// Selectors of ReadSettings / WriteSettings: one setting each. The parameters are the family's; a
// class lists the ones it has in SettingSteps.
enum TIntachnessStep : int {
    icsTimeout = 0,
    icsResetCondition = 1,
    icsParameter0 = 2, // parameters 0 .. 3 at 2 .. 5
    icsSafeValues = 6, // the analog output modules: every output's safe value through the selector
};

// The system health controller: a bus watchdog that drives the module's outputs to safe states when
// the bus falls silent for longer than the timeout. Its four parameters are typed by the family; the
// descendants give them names.
//
// Every operation clears the module's Ok first and sets it to the outcome; a successful write marks
// the module Modified. A failed read gives 0. A parameter index outside 0 .. 3 transfers nothing,
// reads 0 and leaves Ok False.
class TIntachnessCtrlChannel {
public:
    static constexpr int kParameterCount = 4;

    TIntachnessCtrlChannel(TZUVOModule* Module, quint8 ObjectNumber);
    virtual ~TIntachnessCtrlChannel() = default;
    TIntachnessCtrlChannel(const TIntachnessCtrlChannel&) = delete;
    TIntachnessCtrlChannel& operator=(const TIntachnessCtrlChannel&) = delete;

    TNerixChannel Accessor;
    TZUVOModule* Module() const { return FModule; }
    virtual QString ClassName() const { return QStringLiteral("TIntachnessCtrlChannel"); }

    quint32 ReadTimeout();
    bool WriteTimeout(quint32 Value);
    bool ReadResetCondition();
    bool WriteResetCondition(bool Value);
    qint32 ReadParameterInteger(int Index);
    bool WriteParameterInteger(int Index, qint32 Value);
    float ReadParameterFloat(int Index);
    bool WriteParameterFloat(int Index, float Value);

    // The settings as the last ReadSettings of each step left them; WriteSettings writes them.
    quint32 Timeout = 0;
    bool ResetCondition = false;
    std::array<qint32, kParameterCount> IntegerParameters{};
    std::array<float, kParameterCount> FloatParameters{};
    std::vector<float> SafeValues; // icsSafeValues: one per analog output of the module

    // The steps this class's settings take, in the order it reads and writes them.
    virtual std::vector<int> SettingSteps() const { return {icsTimeout, icsResetCondition}; }
    // "timeout", "resetCondition", "safeStates" ...: the step's setting, as the family names it.
    virtual QString StepName(int Step) const;
    // What the step's fields say: "250 ms", "outputs 1, 3", "0.5; 4" ...
    virtual QString StepMeaning(int Step) const;
    // One step from the device into the fields, or from the fields to the device; a step the
    // class does not list transfers nothing and fails. Every one sets the module's Ok; a
    // successful write marks the module Modified.
    virtual bool ReadSettings(int Step, QString& ErrorText);
    virtual bool WriteSettings(int Step, QString& ErrorText);

protected:
    // Whether the class keeps parameter Index as a single.
    virtual bool FloatParameter(int Index) const { return false; }
    // The name of parameter Index in this family.
    virtual QString ParameterName(int Index) const { return QStringLiteral("parameter%1").arg(Index); }
    bool Lists(int Step) const;

    // Parameters 1 and 2 hold values of outputs 0 and 1 in some families; another output names no
    // parameter, and the transfer then fails without traffic.
    static int TwoOutputs(int Output) { return Output == 0 || Output == 1 ? 1 + Output : kParameterCount; }

private:
    qint32 ReadInteger(quint16 Property);
    bool WriteInteger(quint16 Property, qint32 Value);

    TZUVOModule* FModule;
};

// Discrete output modules (DO, DOS, DOS12, DOR, DIO, P680): parameter 0 holds the outputs' safe
// states, bit i for output i.
class TDOS12IntachnessCtrlChannel : public TIntachnessCtrlChannel {
public:
    using TIntachnessCtrlChannel::TIntachnessCtrlChannel;
    QString ClassName() const override { return QStringLiteral("TDOS12IntachnessCtrlChannel"); }
    quint32 ReadSafeStates() { return quint32(ReadParameterInteger(0)); }
    bool WriteSafeStates(quint32 Mask) { return WriteParameterInteger(0, qint32(Mask)); }
    std::vector<int> SettingSteps() const override { return {icsTimeout, icsResetCondition, icsParameter0}; }

protected:
    QString ParameterName(int) const override { return QStringLiteral("safeStates"); }
};

// KVD-DOF-BUS: parameter 0 the discrete outputs' safe states, 1 and 2 the two frequency outputs' safe
// frequencies, 3 the mask of controlled outputs.
class TDOFIntachnessCtrlChannel : public TIntachnessCtrlChannel {
public:
    using TIntachnessCtrlChannel::TIntachnessCtrlChannel;
    QString ClassName() const override { return QStringLiteral("TDOFIntachnessCtrlChannel"); }
    quint32 ReadSafeStates() { return quint32(ReadParameterInteger(0)); }
    bool WriteSafeStates(quint32 Mask) { return WriteParameterInteger(0, qint32(Mask)); }
    // Output 0 or 1; nothing for another.
    float ReadSafeFrequency(int Output) { return ReadParameterFloat(TwoOutputs(Output)); }
    bool WriteSafeFrequency(int Output, float Value) {
        return WriteParameterFloat(TwoOutputs(Output), Value);
    }
    quint32 ReadControlledOutputs() { return quint32(ReadParameterInteger(3)); }
    bool WriteControlledOutputs(quint32 Mask) { return WriteParameterInteger(3, qint32(Mask)); }
    std::vector<int> SettingSteps() const override {
        return {icsTimeout,        icsResetCondition, icsParameter0,
                icsParameter0 + 1, icsParameter0 + 2, icsParameter0 + 3};
    }

protected:
    bool FloatParameter(int Index) const override { return Index == 1 || Index == 2; }
    QString ParameterName(int Index) const override;
};

// P340, P341: parameter 0 the discrete outputs' safe states, 1 and 2 the two analog outputs' safe
// values.
class TP340IntachnessCtrlChannel : public TIntachnessCtrlChannel {
public:
    using TIntachnessCtrlChannel::TIntachnessCtrlChannel;
    QString ClassName() const override { return QStringLiteral("TP340IntachnessCtrlChannel"); }
    quint32 ReadSafeStates() { return quint32(ReadParameterInteger(0)); }
    bool WriteSafeStates(quint32 Mask) { return WriteParameterInteger(0, qint32(Mask)); }
    float ReadSafeAnalogValue(int Output) { return ReadParameterFloat(TwoOutputs(Output)); }
    bool WriteSafeAnalogValue(int Output, float Value) {
        return WriteParameterFloat(TwoOutputs(Output), Value);
    }
    std::vector<int> SettingSteps() const override {
        return {icsTimeout, icsResetCondition, icsParameter0, icsParameter0 + 1, icsParameter0 + 2};
    }

protected:
    bool FloatParameter(int Index) const override { return Index == 1 || Index == 2; }
    QString ParameterName(int Index) const override;
};

// Analog output modules: parameter 0 selects an output, parameter 1 is the selected output's safe
// value, parameter 2 the mask of controlled outputs.
class TAOIntachnessCtrlChannel : public TIntachnessCtrlChannel {
public:
    using TIntachnessCtrlChannel::TIntachnessCtrlChannel;
    QString ClassName() const override { return QStringLiteral("TAOIntachnessCtrlChannel"); }
    // Selects the output, then reads its value; 0 when either fails.
    float ReadSafeValue(int Output);
    // Selects the output, then writes its value.
    bool WriteSafeValue(int Output, float Value);
    quint32 ReadControlledOutputs() { return quint32(ReadParameterInteger(2)); }
    bool WriteControlledOutputs(quint32 Mask) { return WriteParameterInteger(2, qint32(Mask)); }
    // The safe values of as many outputs as the module has analog outputs.
    std::vector<int> SettingSteps() const override {
        return {icsTimeout, icsResetCondition, icsSafeValues, icsParameter0 + 2};
    }
    bool ReadSettings(int Step, QString& ErrorText) override;
    bool WriteSettings(int Step, QString& ErrorText) override;

protected:
    QString ParameterName(int Index) const override;
};

// DIO24-QAV, DIO4-QAV, MIO-QAV: parameter 0 the outputs' safe states, 1 the mask of controlled
// outputs.
class TICDIO24QAV : public TIntachnessCtrlChannel {
public:
    using TIntachnessCtrlChannel::TIntachnessCtrlChannel;
    QString ClassName() const override { return QStringLiteral("TICDIO24QAV"); }
    quint32 ReadSafeStates() { return quint32(ReadParameterInteger(0)); }
    bool WriteSafeStates(quint32 Mask) { return WriteParameterInteger(0, qint32(Mask)); }
    quint32 ReadControlledOutputs() { return quint32(ReadParameterInteger(1)); }
    bool WriteControlledOutputs(quint32 Mask) { return WriteParameterInteger(1, qint32(Mask)); }
    std::vector<int> SettingSteps() const override {
        return {icsTimeout, icsResetCondition, icsParameter0, icsParameter0 + 1};
    }

protected:
    QString ParameterName(int Index) const override {
        return Index == 0 ? QStringLiteral("safeStates") : QStringLiteral("controlledOutputs");
    }
};

// DIO-VIXPro: as the QAV family's.
class TICDIOVIXPro : public TICDIO24QAV {
public:
    using TICDIO24QAV::TICDIO24QAV;
    QString ClassName() const override { return QStringLiteral("TICDIOVIXPro"); }
};

// MIO-VIXPro, MIOEx-VIXPro: parameter 0 the discrete outputs' safe states, 1 the analog output's safe
// value, 2 the mask of controlled outputs.
class TICMIOVIXPro : public TIntachnessCtrlChannel {
public:
    using TIntachnessCtrlChannel::TIntachnessCtrlChannel;
    QString ClassName() const override { return QStringLiteral("TICMIOVIXPro"); }
    quint32 ReadSafeStates() { return quint32(ReadParameterInteger(0)); }
    bool WriteSafeStates(quint32 Mask) { return WriteParameterInteger(0, qint32(Mask)); }
    float ReadSafeAnalogValue() { return ReadParameterFloat(1); }
    bool WriteSafeAnalogValue(float Value) { return WriteParameterFloat(1, Value); }
    quint32 ReadControlledOutputs() { return quint32(ReadParameterInteger(2)); }
    bool WriteControlledOutputs(quint32 Mask) { return WriteParameterInteger(2, qint32(Mask)); }
    std::vector<int> SettingSteps() const override {
        return {icsTimeout, icsResetCondition, icsParameter0, icsParameter0 + 1, icsParameter0 + 2};
    }

protected:
    bool FloatParameter(int Index) const override { return Index == 1; }
    QString ParameterName(int Index) const override;
};
