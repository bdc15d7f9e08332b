#include "views/AnalogInputSelector.h"

#include "model/CustomZUVOChannel.h"
#include "model/Ranges.h"
#include "views/ChannelWindows.h"

#include <map>

namespace {

TAnalogInputChannelLookup& Lookup() {
    static TAnalogInputChannelLookup lookup;
    return lookup;
}

} // namespace

std::optional<int> AnalogInputIndexFor(quint32 TypeCode, int Row) {
    if (Row < 0)
        return std::nullopt;
    // Models whose analog inputs are scattered among other channels: the rows that are analog
    // inputs, in channel order.
    static const std::map<quint32, std::vector<int>> scattered = {
        {21, {0, 1, 18, 19}},
        {44, {0, 1, 18, 19}},
        {43, {0, 3, 7}},
    };
    if (const auto it = scattered.find(TypeCode); it != scattered.end()) {
        const auto& rows = it->second;
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i] == Row)
                return int(i);
        return std::nullopt;
    }
    switch (TypeCode) {
    case 0:
    case 20:
    case 25:
    case 26:
    case 29:
    case 33:
    case 37:
    case 41:
    case 42:
    case 65:
    case 68:
    case 69:
    case 72:
        return Row;
    case 15: // the protection unit's module has one input
    case 24:
    case 28:
    case 38:
        return 0;
    default:
        return std::nullopt;
    }
}

void SetAnalogInputChannelLookup(TAnalogInputChannelLookup Value) {
    Lookup() = std::move(Value);
}

TCustomZUVOChannel* AnalogInputChannelOf(TZUVOModule& Template, int Index) {
    return Lookup() ? Lookup()(Template, Index) : nullptr;
}

QString PrepareAnalogInputChannel(TCustomZUVOChannel& Channel) {
    QString error;
    if (!Channel.ReadSettings(ssRangeCode, error))
        return {};
    // Knowing the device's own flag spares a write that would mark the device's settings as changed
    // when they are not. A flag that cannot be read counts as off.
    Channel.ReadSettings(ssNormalization, error);
    if (!Channel.Normalization) {
        Channel.Normalization = true;
        if (!Channel.WriteSettings(ssNormalization, error))
            return {};
    }
    Channel.Accessor.Fotmat = QStringLiteral("0.0000000000");
    // By the kind of the range, not by its shown name, which is in the user's language.
    return RangeKindOf(Channel.RangeCode) == rkFrequency ? kAnalogInputHeatWindow : kAnalogInputWindow;
}
