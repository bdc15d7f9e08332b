#pragma once

#include "emulator/VirtualChannel.h"

#include <QtGlobal>
#include <vector>

class TVirtualDOChannel;
class TVirtualDIChannel;

// The objects of an emulated discrete module besides its inputs and outputs: the manager, which
// shows every input and output in one word and switches all outputs at once, and the system health
// controller. They answer on their object numbers but are no channels of the device: they do not
// count among its channels, and the instrument windows never see them.

// The manager of the smaller discrete modules. Register 0 holds, from bit 0 up: fault flags of
// outputs 0..7 (never set here), their states, line-break flags of inputs 0..7, their states
// (closed contact); register 4 the same for outputs and inputs 8..15. Register 1 takes the outputs'
// states, bit i for output i, keyed while the outputs are protected; register 2 gives a fresh key
// whose low 16 bits are 0, register 3 is the device's protection flag.
class TVirtualDIOManager : public TCustomVirtualChannel {
public:
    static constexpr quint32 kInitialWriteKey = 0x3C5A0000;
    static constexpr quint32 kWriteKeyStep = 0x1D2B0000;

    // Properties: 5, or 4 on the model without the second word.
    TVirtualDIOManager(TVirtualDevice* Device, quint8 Number, int Properties = 5);

    quint32 WriteKey() const { return FWriteKey; }

protected:
    std::optional<quint32> ReadRegister(quint16 Register) override;
    bool WriteRegister(quint16 Register, quint32 Value) override;

protected:
    void AdvanceKey() { FWriteKey += kWriteKeyStep; }
    std::vector<TVirtualDOChannel*> Outputs() const;
    std::vector<TVirtualDIChannel*> Inputs() const;

private:
    quint32 Word(int First) const;

    int FProperties;
    quint32 FWriteKey = kInitialWriteKey;
};

// The larger manager of the modules with configurable points, where the inputs take the first
// points and the outputs the points after them. Registers 0..3 are the input words (two bits per
// point, sixteen points a word: 0 open contact, 1 closed contact, 2 line break), 4..7 the output
// words (bit i of word K = point 16 K + i; written, they switch the outputs on those points, keyed
// while protected), 8 a fresh key whose low 16 bits are 0, 9 the protection flag.
class TVirtualDIOManagerExt : public TVirtualDIOManager {
public:
    static constexpr int kWords = 4;
    TVirtualDIOManagerExt(TVirtualDevice* Device, quint8 Number, int FirstOutputPoint)
        : TVirtualDIOManager(Device, Number), FFirstOutputPoint(FirstOutputPoint) {}

protected:
    std::optional<quint32> ReadRegister(quint16 Register) override;
    bool WriteRegister(quint16 Register, quint32 Value) override;

private:
    int FFirstOutputPoint;
};

// The system health controller: timeout, reset condition and the family's parameters, kept as
// written (a float parameter as its bit pattern). Store keeps them in flash.
class TVirtualHealthController : public TCustomVirtualChannel {
public:
    TVirtualHealthController(TVirtualDevice* Device, quint8 Number, int Properties = 5);

    quint32 Value(int Register) const;

    void Store() override { FFlash = FValues; }
    void Restore() override { FValues = FFlash; }

protected:
    std::optional<quint32> ReadRegister(quint16 Register) override;
    bool WriteRegister(quint16 Register, quint32 Value) override;

protected:
    std::vector<quint32> FValues;
    std::vector<quint32> FFlash;
};

// The health controller of the analog output modules: parameter 0 (register 2) selects an output,
// parameter 1 (register 3) is the selected output's safe value; each output keeps its own.
class TVirtualAOHealthController : public TVirtualHealthController {
public:
    static constexpr int kOutputs = 16;

    TVirtualAOHealthController(TVirtualDevice* Device, quint8 Number);

    quint32 SafeValue(int Output) const;

    void Store() override;
    void Restore() override;

protected:
    std::optional<quint32> ReadRegister(quint16 Register) override;
    bool WriteRegister(quint16 Register, quint32 Value) override;

private:
    std::vector<quint32> FSafe;
    std::vector<quint32> FSafeFlash;
};
