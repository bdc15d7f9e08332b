#pragma once

#include "model/CustomZUVOChannel.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <map>
#include <optional>
#include <vector>

class TZUVOModule;

// Properties of an analog input object besides the common ones of every analog channel.
enum TAnalogInputProperty : quint16 {
    aiValue = 0,        // the measured value (float, or integer with an integer result format)
    aiFilterCutoff = 3, // float, Hz
    aiFlags = 4,
    aiResponseTime = 5,
    aiNetworkQuantity32 = 32, // power-network quantities of the P340 family (floats)
    aiNetworkQuantity34 = 34,
    aiNetworkQuantity35 = 35,
    aiPolynomial = 37, // 37, 38, 39: the user polynomial's coefficients
    aiLedLow = 40,
    aiLedHigh = 41,
    aiTemperature = 50, // the channel's temperature (float, or integer with an integer result format)
};

// Bits of the flags word (property 4).
enum TAnalogInputFlag : quint32 {
    afPolynomial = 0x1,         // the user polynomial is applied
    afThermoCompensation = 0x2, // thermocompensation is on
    afResultFormat = 0xC,       // 0 floating point, 4 integer of 2 bytes, 8 integer of 3 bytes
    afByteSequence = 0x30,      // order code of the value on the line while no device-wide order is set
    afInputEnabled = 0x10,      // on the model with an input switch (type 24) bit 4 alone is that switch
    afRmsPoints = 0xFFFF0000,   // number of points of the RMS calculation
};

// The LED indication of a value against the channel's limits.
enum TDisplayZone { dzBelow = 0, dzWithin = 1, dzAbove = 2 };

// An analog input: one object of the device with, besides the common settings, a filter cutoff, a
// response time, a user polynomial, LED limits and a flags word, and the measured value and
// temperature.
//
// Selectors (read and write unless noted): 1 accuracy class, 2 selected range, 3 range list,
// 4 range list with the user scale, 5 filter cutoff, 6 normalization, 7 polynomial, 8 flags, 9 LED
// limits, 10 response time, 12 command (base), 13 command status (base, read only), 14 all of them:
// reading 1, 2, 3, 5, 10, 6, 7, 8, 9; writing 1, 2, 3, 4, 5, 10, 6, 7, 8, 9.
// Every failure gives its text and leaves the module's Ok False; success leaves the text empty and
// Ok True. Writing the normalization flag, the flags word or the LED limits alone does not mark the
// device as changed; a full write leaves Modified as it was before the call.
class TSimpleChannel : public TCustomZUVOChannel {
public:
    TSimpleChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index);

    TZUVOModule* InputModule() const { return Module(); }

    std::array<float, 3> Polynomial{}; // properties 37, 38, 39
    float FilterCutoff = 0;            // Hz; 0: the filter is off
    quint16 ResponseTime = 0;          // ms
    float LedLow = 0;
    float LedHigh = 0;
    quint32 Flags = 0;
    float LastValue = 0; // the last measured value read

    bool ReadSettings(int Selector, QString& ErrorText) override;
    bool WriteSettings(int Selector, QString& ErrorText) override;

    // Value reads. Each sets the module's Ok to the outcome and returns the number read; after a
    // failed read, the last number read of the same property (0 before any), so that a dialog
    // polling value and temperature never shows one as the other. The value's byte order on the line
    // is the channel's ValueOrder (ReadValueInteger: the module's ByteOrder); while that is boNAN,
    // bits 4..5 of Flags choose it.
    float ReadValue();              // property 0 as float; sets LastValue
    float ReadValueInteger();       // property 0 as integer; sets LastValue
    float ReadTemperature();        // property 50 as float
    float ReadTemperatureInteger(); // property 50 as integer
    // Properties 32, 34, 35 and 0 as floats, in the line's default order (the power-network view).
    float ReadNetworkQuantity(quint16 Property);
    float ReadValueDirect();
    // Writes 0 to property 0 (the heat inputs count pulses there); the outcome, also in Ok.
    bool ResetPulseCounter();
    // The mask the value text of float reads is made with.
    void SetValueFormat(const QString& Mask);

    // The LED state of Value: below LedLow, from LedLow to LedHigh, above LedHigh.
    TDisplayZone DisplayState(float Value) const;

    // The flags word, decoded.
    bool PolynomialOn() const { return (Flags & afPolynomial) != 0; }
    bool ThermoCompensationOn() const { return (Flags & afThermoCompensation) != 0; }
    quint32 ResultFormat() const { return Flags & afResultFormat; } // 0, 4, 8 (or 12)
    bool IntegerResult() const { return ResultFormat() != 0; }
    quint8 ByteSequence() const { return quint8((Flags & afByteSequence) >> 4); } // 0 .. 3
    bool InputEnabled() const { return (Flags & afInputEnabled) != 0; }
    quint16 RmsPoints() const { return quint16(Flags >> 16); }

protected:
    QString ReadStep(int Selector) override;
    QString WriteStep(int Selector) override;
    std::vector<int> ReadSteps(int Selector) const override;
    std::vector<int> WriteSteps(int Selector) const override;

private:
    // One value read with the frame's order set for it and put back right after.
    float ReadOrdered(quint16 Property, TZUVODataType Type, TByteOrder Order);
    float ReadPlain(quint16 Property);
    // The number a read of Property gives back: the accessor's on success, else the last one.
    float Result(quint16 Property, bool Ok);

    // The flag the write call found, for the steps that leave it as it was.
    bool FModifiedBefore = false;
    int FWriteSelector = 0;
    // The value reads' mask; the settings reads use the accessor with masks of their own.
    QString FValueFormat;
    // The last number read of each property the value reads ask for.
    std::map<quint16, float> FLastRead;
};

// The stream input controller of a module: sampling frequency, polled channels and mode of the
// module's data stream. Every operation sets the module's Ok to its outcome; a successful write also
// sets Modified; a failed read returns 0.
class TAIKDataStreamController {
public:
    // The properties of its object; named apart from the system object's, which share numbers.
    enum TProperty : quint16 { dpFrequency = 0, dpChannelMask = 1, dpMode = 2 };
    static constexpr quint32 kMasterMode = 0x2; // bit 1 of the mode word

    TAIKDataStreamController(TZUVOModule* Module, quint8 ObjectNumber);

    TZUVOModule* Module() const { return FModule; }
    TNerixChannel Accessor;

    float ReadFrequency(); // Hz
    bool WriteFrequency(float Hz);
    // Bit k: channel k + 1 is polled.
    quint16 ReadChannelMask();
    bool WriteChannelMask(quint16 Mask);
    quint32 ReadMode();
    bool WriteMode(quint32 Mode);

    // The settings one step at a time, as a configuration backup walks them: each step reads its
    // property into the field below or writes the field; a step the class does not know fails
    // without traffic. A failed read leaves the field as it was.
    enum TStep : int { dssFrequency = 0, dssChannelMask = 1, dssMode = 2 };
    static std::vector<int> SettingSteps() { return {dssFrequency, dssChannelMask, dssMode}; }
    static QString StepName(int Step);
    QString StepMeaning(int Step) const;
    bool ReadSettings(int Step, QString& ErrorText);
    bool WriteSettings(int Step, QString& ErrorText);
    float Frequency = 0;
    quint16 ChannelMask = 0;
    quint32 Mode = 0;

private:
    std::optional<qint32> ReadInteger(quint16 Property);
    bool Written(bool Ok);

    TZUVOModule* FModule;
};
