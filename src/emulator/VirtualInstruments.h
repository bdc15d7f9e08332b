#pragma once

#include "emulator/VirtualChannel.h"

#include <QPointF>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

class QRandomGenerator;
class TVirtualDevice;
class TVirtualDeviceManager;

// What the virtual instruments decide without a window: which emulated devices and channels they
// may be connected to, what they feed into a channel, and how they show its values.
//
// The emulated devices are served from the window thread's event loop (the port's readiness, the
// poll and send timers, the TCP sockets), so an instrument's timer never runs in the middle of a
// request, and the instruments may work on the channel objects directly. The only other threads
// are the pulse sequences of discrete outputs, which no instrument touches. What can go wrong is
// lifetime: stopping the emulator frees every device, so an instrument keeps the manager's
// DevicesGeneration beside its pointers and drops them once it has moved on.

// The devices an instrument of Kind is offered, in the manager's order: those with at least one
// channel of that kind.
std::vector<TVirtualDevice*> InstrumentDevices(const TVirtualDeviceManager& Manager,
                                               TVirtualChannelKind Kind);
// The device's channels of Kind, in channel order.
std::vector<TCustomVirtualChannel*> InstrumentChannels(const TVirtualDevice& Device,
                                                       TVirtualChannelKind Kind);
// The device box's text: the model name, a blank, the word for the address in the user's language,
// " = " and the address ("KVD-AIK-BUS Address = 1").
QString InstrumentDeviceText(const TVirtualDevice& Device, const QString& AddressWord);
// The emulated channel of Kind that stands for a real device's channel: on the device at the same
// bus address, the Index-th (from 0) of the kind. Nothing when there is none.
TCustomVirtualChannel* MatchingVirtualChannel(const TVirtualDeviceManager& Manager, int Address,
                                              TVirtualChannelKind Kind, int Index);

// The display format of a range code in the generator (Generator true) and the tester; nothing
// for a code whose values keep the format shown before.
std::optional<QString> InstrumentFormat(quint16 Code, bool Generator);

// What an instrument keeps of its channel's range: limits, unit and format; reloaded when the
// channel's range code changes.
struct TInstrumentRange {
    static constexpr int kNoCode = -1;
    int Code = kNoCode;
    double Low = 0;
    double High = 0;
    QString Unit;
    QString Format = QStringLiteral("0.000");
    // Takes the catalogue's record of Code; the format changes only where the table gives one.
    void Load(quint16 Code, bool Generator);
    double Span() const { return High - Low; }
    // The value in the range's format, a blank and the unit.
    QString Text(double Value) const;
};

// The generator's waveforms: the level with noise is the instrument as it always was; the sine and
// the ramp move the signal between the range's low limit and the level, so that a client under
// test sees a changing value.
enum TGeneratorWave { gwLevel, gwSine, gwRamp };

inline constexpr int kGeneratorBarMax = 50;

struct TGeneratorValues {
    double Signal = 0;
    double Noise = 0;
};
// One tick of the generator: the level bar sets signal = low + span / 50 × position; the noise bar
// an amplitude A = span / 100 / 50 × position, and noise = A / 2 − r / 100000 with r drawn from
// 0 .. Round(A × 100000) − 1 (none to draw from: no noise). ElapsedMs and PeriodMs place the sine
// and the ramp in their period.
TGeneratorValues GeneratorValues(const TInstrumentRange& Range, int SignalPosition, int NoisePosition,
                                 TGeneratorWave Wave, qint64 ElapsedMs, qint64 PeriodMs,
                                 QRandomGenerator& Random);

// The remote contact: what its two switches put on a discrete input (2.1 line break, 1.1 contact
// on, 0.1 contact off; the input's own rule makes the state of it).
float ContactInput(bool RelayContact, bool LineBreak);

// The charts keep the last 30 seconds.
inline constexpr qint64 kInstrumentChartSpanMs = 30000;
// Drops the points older than the span before NowMs (x in milliseconds).
void TrimChartPoints(std::vector<QPointF>& Points, qint64 NowMs);

// The generator's vertical axis: it only widens, to take in each new value with a relative margin
// of 1e-6 (an absolute one around 0, so that the axis never has zero height).
class TWideningAxis {
public:
    void Clear() { FEmpty = true; }
    bool Empty() const { return FEmpty; }
    void Include(double Value);
    double Min() const { return FMin; }
    double Max() const { return FMax; }

private:
    bool FEmpty = true;
    double FMin = 0;
    double FMax = 0;
};
