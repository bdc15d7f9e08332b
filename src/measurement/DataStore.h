#pragma once

#include "measurement/OscDm.h"

#include <array>
#include <functional>

class TDataStore;
using TDataStoreEvent = std::function<void(TDataStore* Sender)>;

// A block of samples, round-robin over the experiment's profiles (sample i belongs to profile
// i mod N). A full block is scaled with each profile's slope and offset and handed on; the store
// never allocates after it is made.
class TDataStore {
public:
    static constexpr int kMaxSamples = 200;

    explicit TDataStore(TOscDm* Dm) : FDm(Dm) {}

    // The capacity from the profile count, the sampling frequency and the window; empties the block.
    void Prepare();
    // Stores the sample; at a full block scales it, raises OnBlockFull and starts a new block.
    void Add(const TSample& Sample);
    // Hands on the complete sweeps of a partly filled block as a block of its own, scaled, and
    // starts over; the samples of an unfinished sweep are dropped. For an ending recording that
    // should keep its last fraction of a block.
    void Flush();
    // The block length asked for, in milliseconds.
    void SetWindow(int Milliseconds) { FWindow = Milliseconds; }
    int Window() const { return FWindow; }

    int Count() const { return FCount; }
    int Capacity() const { return FCapacity; }
    const TSample& Samples(int Index) const { return FSamples[size_t(Index)]; }
    const TSample* Data() const { return FSamples.data(); }

    // The capacity rule alone: samples per block for Profiles channels at Frequency Hz and a
    // window of WindowMs.
    static int CapacityFor(int Profiles, quint32 Frequency, int WindowMs);

    TDataStoreEvent OnBlockFull;

private:
    void HandOn();

    TOscDm* FDm;
    int FCount = 0;
    int FCapacity = 0;
    int FWindow = 500;
    std::array<TSample, kMaxSamples> FSamples{};
};
