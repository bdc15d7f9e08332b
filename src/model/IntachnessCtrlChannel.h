#pragma once

#include "model/ZUVOChannel.h"

#include <QString>
#include <QtGlobal>

class TZUVOModule;

// Properties of a system health controller object.
enum TIntachnessProperty : quint16 {
    icTimeout = 0,
    icResetCondition = 1, // 0: any exchange on the bus resets the watchdog; 1: only one with this module
    icParameter0 = 2,     // parameters 0 .. 3 at 2 .. 5
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

protected:
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
};
