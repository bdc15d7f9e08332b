#pragma once

#include "model/SimpleChannel.h"
#include "protocol/ByteOrder.h"

#include <QString>
#include <QtGlobal>
#include <functional>

// What the analog input window does with its channel, apart from showing it: the preparation when
// it opens, the support probes of the twelve-channel model, the flag switches and the readings of a
// measuring tick. All of it talks to the device through the channel object and nothing here shows a
// message; the window decides what the user sees.

// The type code whose firmware may lack the user polynomial and the LED limits, so that the window
// asks the device before it offers them.
inline constexpr quint32 kProbedTypeCode = 25;
// The type code whose flags word carries an input switch in bit 4.
inline constexpr quint32 kInputSwitchTypeCode = 24;
// The value format of the channel while the window is open.
inline const QString kAnalogInputValueFormat = QStringLiteral("0.0000000");

// What the device turned out to support when the window opened.
struct TAiChannelSupport {
    bool PolynomialSupported = true;
    bool LedLimitsSupported = true;
    bool ExtendedRangesSupported = false; // the range list with the user scale could be read
};

// The steps before the window shows: every setting read (the range list with the user scale where
// the device has it, else the short list after a pause), normalization switched on, and on the
// twelve-channel model the two probes. False when the channel cannot be shown; no message is due
// then. Pause waits the given milliseconds (with events running in the window; tests pass their
// own).
bool LoadAnalogInputChannel(TSimpleChannel& Channel, quint32 TypeCode, TAiChannelSupport& Support,
                            const std::function<void(int Ms)>& Pause);

// Whether the device keeps a toggled polynomial bit: toggles bit 0, writes, reads back and compares;
// the flags it had are written back in every case and stay in Flags.
bool ProbePolynomial(TSimpleChannel& Channel);
// Whether the device keeps LED limits: writes both raised by 1.0, reads back and compares; the
// limits it had are written back in every case and stay in LedLow and LedHigh.
bool ProbeLedLimits(TSimpleChannel& Channel);

// A flag switch: the new flags written and read back, so the window shows what the device keeps.
// Errors are not shown: Flags ends as the device reads back, or, when the read-back fails, as the
// device last accepted them.
void SwitchFlags(TSimpleChannel& Channel, quint32 NewFlags);

// One measuring tick's readings.
struct TAiReading {
    float Temperature = 0;
    float Value = 0;
    bool Integer = false; // an integer result format: both are whole numbers
    bool Ok = false;      // the value read succeeded (the window does not tell the user otherwise)
};
// Temperature, then value, in the result format the flags choose; the channel reads in the device's
// byte order (boNAN: none, the flags choose) and goes back to none afterwards. Integer values are
// read as integers under Nerix and Modbus RTU, as floats under the ASCII protocols. Without
// WithTemperature only the value is read (Temperature stays 0), for overviews of many inputs.
TAiReading ReadMeasurement(TSimpleChannel& Channel, TByteOrder DeviceOrder, bool WithTemperature = true);
