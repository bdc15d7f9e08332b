#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>
#include <map>
#include <vector>

// Faults the emulated bus can be told to make, so that a master's time-outs, retries and checks can
// be tried against a bus that misbehaves on purpose. Every fault is off by default.
//
// The text form (one parser for the command line and the emulator window):
//   ITEM[,ITEM...]             ITEM = KEY=VALUE, or device=ADDRESS:KEY=VALUE[:KEY=VALUE...]
//   delay=MS | delay=MIN-MAX   answer after MS, or after a time drawn evenly from MIN..MAX (0..60000)
//   drop=P                     no answer, with probability P (0..1)
//   crc=P                      the answer's CRC corrupted, with probability P
//   split=N@MS                 the answer's first N bytes, then a gap of MS, then the rest
//   garbage=N                  N random bytes (1..64) before the answer
//   wrong-address=P            the answer comes from another address (its CRC intact), probability P
//   stop-after=N               the device answers N requests, then no more ...
//   resume-after=M             ... until M more requests went unanswered (0: never again)
// Keys outside a device= item apply to every device; a device= item's keys replace, for that address
// only, the same keys of the whole bus. A key given twice for the same scope keeps the last value.
struct TFaultSet {
    enum TKey : quint32 {
        kDelay = 1,
        kDrop = 2,
        kCrc = 4,
        kSplit = 8,
        kGarbage = 16,
        kWrongAddress = 32,
        kStopAfter = 64,
        kResumeAfter = 128,
    };
    // Which keys this set gives (a device's set replaces only these).
    quint32 Given = 0;
    int DelayMin = 0;
    int DelayMax = 0;
    double Drop = 0;
    double Crc = 0;
    int SplitAt = 0; // 0: not split
    int SplitGap = 0;
    int Garbage = 0;
    double WrongAddress = 0;
    int StopAfter = 0; // 0: never stops
    int ResumeAfter = 0;

    // The keys Other gives replace this set's.
    void Merge(const TFaultSet& Other);
    bool Any() const;
    bool operator==(const TFaultSet&) const = default;
};

struct TEmulatorFaults {
    TFaultSet Bus;
    std::map<int, TFaultSet> Devices; // by address
    // The faults of the device at Address: the bus's, with the device's own keys over them.
    TFaultSet For(int Address) const;
    bool Any() const;
    bool operator==(const TEmulatorFaults&) const = default;
};

// Reads the text form; false with Error naming the bad part (and Out untouched). An empty or
// all-blank text is no faults. BadPart, when given, receives the bad item (or key of a device
// item) alone, for a message in another language than Error's English.
bool ParseEmulatorFaults(const QString& Text, TEmulatorFaults& Out, QString& Error,
                         QString* BadPart = nullptr);
// The text form of Faults, in a fixed order; empty for no faults. Parses back to the same faults.
QString EmulatorFaultsText(const TEmulatorFaults& Faults);
// The syntax, a line per key, for --help and the emulator window.
QStringList EmulatorFaultsSyntax();

// One generator for every random fault, so that a run given the same seed, faults and requests makes
// the same faults. Its own arithmetic (splitmix64), not the standard library's distributions, whose
// results differ between library versions.
class TFaultRandom {
public:
    explicit TFaultRandom(quint64 Seed = 1) : FState(Seed) {}
    quint64 Next();
    // Evenly in [0, 1).
    double Unit();
    // Evenly in [Low, High].
    int Between(int Low, int High);
    // True with probability P (never draws for P <= 0 or P >= 1, so a fault that is off or always on
    // does not shift the faults drawn after it).
    bool Chance(double P);

private:
    quint64 FState;
};

// A seed for a run that was given none.
quint64 NewFaultSeed();

// What is to be done with one answer.
struct TFaultPlan {
    bool Drop = false;    // no answer at all
    bool Stopped = false; // dropped because the device is in its stop-after silence
    int Delay = 0;        // ms before the first byte
    QByteArray Bytes;     // what goes out, faults applied
    int SplitAt = 0;      // 0: in one piece; otherwise the first piece's length
    int SplitGap = 0;     // ms between the pieces
};

// Decides the faults of each answer. Keeps the generator and each device's request count for
// stop-after; both start again with Reset.
class TFaultPlanner {
public:
    void Reset(const TEmulatorFaults& Faults, quint64 Seed);
    const TEmulatorFaults& Faults() const { return FFaults; }
    quint64 Seed() const { return FSeed; }
    // The plan for Answer, the answer of the device at Address to a request it took.
    TFaultPlan Plan(int Address, const QByteArray& Answer);

private:
    TEmulatorFaults FFaults;
    quint64 FSeed = 1;
    TFaultRandom FRandom;
    std::map<int, quint64> FRequests; // by address
};

// Why a request got no answer. In the order they are checked: a frame whose CRC fails says nothing
// reliable about its function or address.
enum class TEmulatorRefusal : int {
    Crc = 0,       // the CRC does not match
    Function = 1,  // a Modbus function the devices do not serve
    Malformed = 2, // the wrong length for its function, or a write of other than one register pair
    Address = 3,   // no emulated device has the address
    Register = 4,  // the device has no such channel or register, or refuses the value
};
constexpr int kEmulatorRefusalCount = 5;
// "bad CRC", "unsupported function", ... as the command line prints them.
QString EmulatorRefusalText(TEmulatorRefusal Cause);

// Counters of one emulated device (or, for the bus row, of requests no device took).
struct TEmulatorDeviceStats {
    quint64 Received = 0;
    quint64 Answered = 0;
    quint64 Dropped = 0; // by a fault
    quint64 Refused = 0; // every cause together
    std::array<quint64, kEmulatorRefusalCount> RefusedBy{};
    // Answer times (request complete to last byte sent) in microseconds, with how often each came.
    std::map<qint64, quint64> Times;
    quint64 TimeCount = 0;

    void AddTime(qint64 Us);
    void Refuse(TEmulatorRefusal Cause) {
        ++Refused;
        ++RefusedBy[size_t(Cause)];
    }
    quint64 RefusedFor(TEmulatorRefusal Cause) const { return RefusedBy[size_t(Cause)]; }
    // In microseconds; 0 while no answer went out.
    qint64 MinTime() const;
    qint64 MedianTime() const;
    qint64 MaxTime() const;
};

// "received 10, answered 8, dropped 1, refused 3 (bad CRC 2, unknown address 1), answer time
// min/median/max 0.1/0.2/12.0 ms": only the causes that occurred are named.
QString EmulatorStatsText(const TEmulatorDeviceStats& Stats);
// "3 (bad CRC 2, unknown address 1)"; "0" when nothing was refused.
QString EmulatorRefusedText(const TEmulatorDeviceStats& Stats);
// Milliseconds with one decimal.
QString EmulatorTimeText(qint64 Us);

// A seed as typed: decimal, or hexadecimal after "0x"; 0 to 2^64 - 1 (blanks around it allowed).
bool ParseFaultSeed(const QString& Text, quint64& Seed);
