#include "measurement/DataStore.h"

#include <cmath>

int TDataStore::CapacityFor(int Profiles, quint32 Frequency, int WindowMs) {
    if (Profiles <= 0)
        return 0;
    // Without a frequency there is no period to fill a window with: a block is one sweep.
    const double sweeps = Frequency == 0 ? 1.0 : double(WindowMs) / (1000.0 / double(Frequency)) + 1.0;
    // Rounds half to even, like the rest of the program's roundings. The limit is applied before the
    // conversion: a file's header can claim billions of hertz, whose sample count no int holds.
    const double wanted = std::nearbyint(double(Profiles) * sweeps);
    if (!(wanted <= double(kMaxSamples)))
        return Profiles * (kMaxSamples / Profiles);
    const int capacity = int(wanted);
    return capacity / Profiles * Profiles;
}

void TDataStore::Prepare() {
    FCapacity = CapacityFor(FDm->ChannelProfiles.Count(), FDm->SamplingFrequency, FWindow);
    FCount = 0;
}

void TDataStore::Add(const TSample& Sample) {
    if (FCount < FCapacity)
        FSamples[size_t(FCount++)] = Sample;
    if (FCount < FCapacity)
        return;
    HandOn();
}

void TDataStore::Flush() {
    const int n = FDm->ChannelProfiles.Count();
    FCount = n > 0 ? FCount / n * n : 0;
    if (FCount > 0)
        HandOn();
    else
        Prepare();
}

void TDataStore::HandOn() {
    const TChannelProfileList& profiles = FDm->ChannelProfiles;
    const int n = profiles.Count();
    for (int i = 0; i < FCount && n > 0; ++i) {
        const TChannelProfile* p = profiles.ProfileAt(i % n);
        FSamples[size_t(i)].Value = p->Slope * FSamples[size_t(i)].Value + p->Offset;
    }
    if (OnBlockFull)
        OnBlockFull(this);
    Prepare();
}
