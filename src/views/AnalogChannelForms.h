#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <QtGlobal>
#include <functional>
#include <optional>

// What the analog output window, the eight-channel and pulse-counter input windows and the sine
// generator decide without a window.

// --- The analog output window ---

// The analog output of the template that a channel row of a device stands for; -1 when the row is no
// analog output of that type code.
int AnalogOutputIndexFor(quint32 TypeCode, int Row);

// The track bar spans the output's range in 500 steps. A range whose limits are equal has no steps:
// every position stands for that one value, and every value for position 0.
inline constexpr int kAoTrackSteps = 500;
double AoTrackValue(double Low, double High, int Position);
// The position of Value, rounded and kept within 0..500.
int AoTrackPosition(double Low, double High, double Value);

// A typed value: a number with "." or "," as its decimal separator; nothing for text that is none.
std::optional<double> ParseTypedValue(const QString& Text);

// --- The eight-channel and pulse-counter input windows ---

// The analog input of the template the pulse-counter window shows for a row of a kind 10 channel:
// the row itself for type codes 0 and 20, input 0 for type code 15; -1 otherwise.
int HeatInputIndexFor(quint32 TypeCode, int Row);

// The filter dialog of the eight-channel window: 100 steps of 0.5 Hz and a response time of
// 0..254 ms on its track (a longer one the device holds is kept as it is).
inline constexpr int kAdcAverageSteps = 100;
inline constexpr int kAdcResponseTrackMax = 254;
// The frequency track's position for a cutoff: below 0 (or no number) 0, above 50 Hz 100.
int AdcCutoffPosition(float Cutoff);
inline float AdcCutoffOf(int Position) {
    return float(Position) * 0.5f;
}
// The converter's rate shown for the eight-channel module: 1000 with the filter off, else 100.
inline int AdcRateOf(int Position) {
    return Position == 0 ? 1000 : 100;
}

// --- The sine generator ---

// One period of N points: point a of it is sin(6.28 / N × a) × Amplitude + Offset, kept within the
// range. 6.28 and not 2π: the devices' users know the waveform it gives.
double SinePoint(int A, int N, double Amplitude, double Offset, double Low, double High);
// The value of a 0..100 position of the amplitude and offset bars.
double SineBarValue(double Low, double High, int Position);
// The amplitude bar's first position for a start value X; 0 for a range without span.
int SineAmplitudePosition(double Low, double High, double X);

// What one point's write came to.
enum TSineWrite {
    swDone,    // the device took the value
    swFailed,  // the device did not answer or refused it
    swRefused, // another exchange was still waiting on the bus: nothing was sent, the point comes again
};

// Plays the sine one point per turn of the event loop: each turn writes one point (the write waits
// for the device while events keep running) and returns to the loop, which runs the next turn when
// nothing else is pending. No loop of its own runs events, so nothing a click or a timer does while a
// point is written can start a second point inside the first, and a Stop (or closing the window)
// takes effect when the point under way is done.
class TSinePlayer : public QObject {
    Q_OBJECT
public:
    explicit TSinePlayer(QObject* parent = nullptr);
    ~TSinePlayer() override;

    double Low = 0;
    double High = 0;
    // Read at the start of every period.
    std::function<int()> Points;
    std::function<double()> Amplitude;
    std::function<double()> Offset;
    // Writes one value to the output.
    std::function<TSineWrite(float Value)> Write;
    // After every write (also a failed one), with what was written.
    std::function<void(float Value, TSineWrite Result)> OnPoint;
    // When playing ends (Stop, or a Stop made while a point was written).
    std::function<void()> OnStopped;

    bool Running() const { return FRunning; }
    // The point of the period that comes next, and the period's number of points.
    int Index() const { return FIndex; }
    int PeriodPoints() const { return FN; }
    quint64 PointsWritten() const { return FWritten; }

    void Start();
    // Ends playing; a point under way is finished first.
    void Stop();

private:
    void Turn();

    QTimer FTimer;
    bool FRunning = false;
    bool FInTurn = false;
    int FIndex = 0;
    int FN = 64;
    quint64 FWritten = 0;
};

// The pulse counter's LED on a tick of its 300 ms blink timer: dark in zone 0, lit in zone 1,
// toggled in zone 2.
inline bool HeatLedAfterBlink(int Zone, bool Lit) {
    return Zone == 0 ? false : Zone == 1 ? true : !Lit;
}

// The unit the eight-channel window shows with the result: the range's while the emulator runs or
// the device normalizes, else the raw converter code.
inline QString AI8ResultUnit(bool EmulatorActive, bool Normalization, const QString& RangeUnit,
                             const QString& Code) {
    return EmulatorActive || Normalization ? RangeUnit : Code;
}
