#pragma once

#include "support/NerixFrames.h"

#include <QByteArray>
#include <QtGlobal>
#include <array>
#include <bit>
#include <map>
#include <mutex>
#include <set>
#include <vector>

// One analog input object of a scripted device, for what the emulator does not show: a device that
// acknowledges some writes without keeping them, a range list with the user scale, and a trace of
// what was asked. Answers Nerix frames for one address and object from the line thread.
class TAnalogInputObject {
public:
    using TRange = std::array<quint32, 6>;

    TAnalogInputObject(quint8 Address, quint8 Object) : FAddress(Address), FObject(Object) {
        // A floating-point channel in its first range, every setting readable.
        for (const auto& [p, v] : std::map<quint16, quint32>{{0, Bits(2.5f)},
                                                             {1, 6},
                                                             {2, 1},
                                                             {3, Bits(10.0f)},
                                                             {4, 0},
                                                             {5, 20},
                                                             {15, 0},
                                                             {16, 1},
                                                             {37, Bits(0.0f)},
                                                             {38, Bits(1.0f)},
                                                             {39, Bits(0.0f)},
                                                             {40, Bits(0.0f)},
                                                             {41, Bits(10.0f)},
                                                             {50, Bits(24.0f)}})
            FProps[p] = v;
        FRanges = {{6, 1, Bits(1.0f), 0, Bits(0.0f), Bits(100.0f)}, {9, 1, Bits(1.0f), 0, 0, 0}};
    }

    static quint32 Bits(float f) { return std::bit_cast<quint32>(f); }

    void Set(quint16 Property, quint32 Value) {
        std::lock_guard lock(FMutex);
        FProps[Property] = Value;
    }
    quint32 Get(quint16 Property) const {
        std::lock_guard lock(FMutex);
        const auto it = FProps.find(Property);
        return it == FProps.end() ? 0 : it->second;
    }
    // Writes of these properties are answered as accepted but change nothing.
    void Forget(std::set<quint16> Properties) {
        std::lock_guard lock(FMutex);
        FForgotten = std::move(Properties);
    }
    // How many fields of a range the selector reaches (4: a device without the user scale).
    void SetRangeFields(int Fields) {
        std::lock_guard lock(FMutex);
        FRangeFields = Fields;
    }
    // "r16", "w4=1", in the order asked.
    std::vector<QString> Trace() const {
        std::lock_guard lock(FMutex);
        return FTrace;
    }
    void ClearTrace() {
        std::lock_guard lock(FMutex);
        FTrace.clear();
    }

    QByteArray Answer(const QByteArray& r) {
        std::lock_guard lock(FMutex);
        if (r.size() != 11 || quint8(r[0]) != FAddress || quint8(r[2]) != FObject)
            return {};
        const bool write = r[1] == 1;
        const auto property = quint16((quint8(r[3]) << 8) | quint8(r[4]));
        const quint32 value = (quint32(quint8(r[5])) << 24) | (quint32(quint8(r[6])) << 16) |
                              (quint32(quint8(r[7])) << 8) | quint8(r[8]);
        FTrace.push_back(write ? QStringLiteral("w%1=%2").arg(property).arg(value)
                               : QStringLiteral("r%1").arg(property));
        quint32 answer = value;
        const size_t index = FSelector >> 8;
        const size_t field = FSelector & 0xFF;
        switch (property) {
        case 14:
            if (write)
                FRanges.resize(value);
            answer = quint32(FRanges.size());
            break;
        case 48:
            if (write) {
                if ((value & 0xFF) >= quint32(FRangeFields))
                    return {};
                FSelector = value;
            }
            break;
        case 49:
            if (field >= size_t(FRangeFields) || index >= FRanges.size())
                return {};
            if (write)
                FRanges[index][field] = value;
            answer = FRanges[index][field];
            break;
        default: {
            const auto it = FProps.find(property);
            if (it == FProps.end())
                return {};
            if (write && !FForgotten.count(property))
                it->second = value;
            if (!write)
                answer = it->second;
        }
        }
        return NerixFrame(FAddress, quint8(r[1]), FObject, property, answer);
    }

private:
    const quint8 FAddress;
    const quint8 FObject;
    mutable std::mutex FMutex;
    std::map<quint16, quint32> FProps;
    std::set<quint16> FForgotten;
    std::vector<TRange> FRanges;
    int FRangeFields = 6;
    quint32 FSelector = 0;
    std::vector<QString> FTrace;
};
