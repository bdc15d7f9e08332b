#pragma once

#include "model/ZUVOChannel.h"

#include <QString>
#include <QtGlobal>
#include <array>

class TZUVOModule;

// Properties of the manager of the smaller discrete modules.
enum TDIOManagerProperty : quint16 {
    dmInputs = 0,  // read: outputs and inputs 0..7 (layout below)
    dmOutputs = 1, // write, keyed: the outputs' states, bit i = output i
    dmWriteKey = 2,
    dmProtected = 3,
    dmOutputsHigh = 4, // read: as property 0 for outputs and inputs 8..15
};

// The manager of the smaller discrete modules: every input and output in one or two words and one
// keyed write for all outputs.
//
// A word read from property 0 holds, from bit 0 up: the fault flags of outputs 0..7, their states,
// the fault flags (line break) of inputs 0..7, their states. Property 4 has the same layout for
// outputs and inputs 8..15; only the models with more than eight of either have it.
class TDIOManager {
public:
    TDIOManager(TZUVOModule* Module, quint8 ObjectNumber);
    TDIOManager(const TDIOManager&) = delete;
    TDIOManager& operator=(const TDIOManager&) = delete;

    TNerixChannel Accessor;
    TZUVOModule* Module() const { return FModule; }
    // The words last read, byte by byte: InputBytes[b] is bits 8b .. 8b + 7 of property 0,
    // OutputBytes[b] those of property 4.
    std::array<quint8, 4> InputBytes{};
    std::array<quint8, 4> OutputBytes{};
    bool Protected = false;

    // Writes the mode from Protected and marks the module Modified. Ok stays False even when the
    // write went through: the windows go by ErrorText, empty on success.
    void WriteMode(QString& ErrorText);
    // Reads the mode into Protected; Ok and ErrorText tell the outcome.
    bool ReadMode(QString& ErrorText);
    // Property 0 / property 4 into the bytes above; they stay when the read fails.
    bool ReadInputs();
    bool ReadOutputs();
    // Keyed while Protected: bit i switches output i on.
    bool WriteOutputs(quint32 Mask);

    quint32 InputsWord() const;
    quint32 OutputsWord() const;
    // What the words last read say of output or input I (0..15); false beyond.
    bool OutputOn(int I) const { return Bit(I, 8); }
    bool OutputFault(int I) const { return Bit(I, 0); }
    bool InputOn(int I) const { return Bit(I, 24); }
    bool InputFault(int I) const { return Bit(I, 16); }

private:
    bool Bit(int I, int Offset) const;
    bool ReadWord(quint16 Property, std::array<quint8, 4>& Bytes);

    TZUVOModule* FModule;
};

// Properties of the manager of the larger discrete modules.
enum TDIOManagerExtProperty : quint16 {
    dxInputWord0 = 0,  // 0..3: input words
    dxOutputWord0 = 4, // 4..7: output words (read, and keyed write)
    dxWriteKey = 8,
    dxProtected = 9,
};

// The manager of the larger discrete modules. Input word k holds inputs 16k .. 16k + 15, two bits
// each (input i at bits 2 (i mod 16) and up: 0 open, 1 closed, 2 line break, 3 short circuit); output
// word k holds outputs 16k .. 16k + 15, one bit each in its low 16 bits. On the models that have
// both, the outputs are numbered after the inputs: a module with n inputs has its output j at
// OutputState (n + j).
class TDIOManagerExt {
public:
    static constexpr int kWords = 4;
    static constexpr int kPoints = 16 * kWords; // inputs or outputs a manager can address

    TDIOManagerExt(TZUVOModule* Module, quint8 ObjectNumber);
    TDIOManagerExt(const TDIOManagerExt&) = delete;
    TDIOManagerExt& operator=(const TDIOManagerExt&) = delete;

    TNerixChannel Accessor;
    std::array<quint32, kWords> InputWords{};
    std::array<quint32, kWords> OutputWords{};
    TZUVOModule* Module() const { return FModule; }
    bool Protected = false;

    // As TDIOManager's.
    void WriteMode(QString& ErrorText);
    bool ReadMode(QString& ErrorText);
    // K outside 0..3 transfers nothing and fails.
    bool ReadInputWord(int K);
    bool ReadOutputWord(int K);
    // Keyed while Protected; OutputWords[K] follows a successful write.
    bool WriteOutputWord(int K, quint16 Mask);

    // The two bits of input I, one bit of output I, from the words last read; 0 outside 0..63.
    int InputState(int I) const;
    int OutputState(int I) const;

    // Reads every word that holds one of Count points from First on: what a module with inputs and
    // outputs spread over several words needs in one call. Stops at the first failure.
    bool ReadInputPoints(int First, int Count);
    bool ReadOutputPoints(int First, int Count);
    // Sets outputs First .. First + Count - 1 (bit j of Mask for output First + j) in every word
    // that holds one of them; the other bits of those words keep what was last read or written.
    bool WriteOutputPoints(int First, int Count, quint64 Mask);

private:
    TZUVOModule* FModule;
};
