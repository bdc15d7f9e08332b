#pragma once

#include <QtGlobal>
#include <vector>

// What the temperature and flowmeter channel windows decide without a window.

// How many rows a channel table shows: as many channels as the device reports, but never more than
// the channel objects the module holds (a device that claims more would have the window read past
// them). Failed: the count could not be read, no rows. Excess: the device claimed more than Held.
struct TChannelCountCheck {
    int Rows = 0;
    bool Failed = false;
    bool Excess = false;
};
// Reported is ReadChannelCount's result with Ok its outcome.
TChannelCountCheck CheckChannelCount(int Reported, bool Ok, int Held);

// One channel type to write when the user chooses a type on a flowmeter channel.
struct TFlowTypeWrite {
    int Index = 0;
    quint16 Type = 0;
    bool operator==(const TFlowTypeWrite&) const = default;
};
// The writes one choice makes, in order: the channel first, then its partner of the pair 2k, 2k + 1
// where the direct counter asks for it. A direct counter takes both channels of its pair, so choosing
// it writes it to the partner as well, and leaving it (on either channel) takes the partner along to
// the same type. Types holds the present type of every shown channel; a channel without a partner
// among them (the last of an odd count) is written alone.
std::vector<TFlowTypeWrite> FlowTypeWrites(int Index, quint16 Type, const std::vector<quint16>& Types);
