#include "views/SensorChannelTables.h"

#include "model/FlowChannel.h"

#include <algorithm>

TChannelCountCheck CheckChannelCount(int Reported, bool Ok, int Held) {
    TChannelCountCheck check;
    if (!Ok || Reported < 0) {
        check.Failed = true;
        return check;
    }
    check.Rows = std::min(Reported, Held);
    check.Excess = Reported > Held;
    return check;
}

std::vector<TFlowTypeWrite> FlowTypeWrites(int Index, quint16 Type, const std::vector<quint16>& Types) {
    const int count = int(Types.size());
    if (Index < 0 || Index >= count)
        return {};
    std::vector<TFlowTypeWrite> writes{{Index, Type}};
    const int partner = FlowPartnerIndex(Index, count);
    if (partner < 0)
        return writes;
    const bool partnerDirect = Types[size_t(partner)] == fctDirectCounter;
    if (Type == fctDirectCounter || partnerDirect)
        writes.push_back({partner, Type});
    return writes;
}
