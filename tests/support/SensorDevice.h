#pragma once

#include "support/NerixFrames.h"

#include <QByteArray>
#include <QtGlobal>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

// The objects of a scripted Nerix device (see TScriptedDevice::SetResponder): plain properties, and lists
// behind a selecting property. A list is either indexed (writing the selecting property chooses the entry
// that its data properties show) or sequential (writing 0 to the selecting property goes back to the first
// entry, and every transfer of the data property moves on by one). Unknown properties and requests Refuse
// picks are not answered.
class TSensorDevice {
public:
    explicit TSensorDevice(quint8 Address = 1) : FAddress(Address) {}

    struct TList {
        std::vector<quint16> Data; // the data properties, one field of the entry each
        bool Sequential = false;
        std::vector<std::vector<quint32>> Entries;
        size_t Cursor = 0;
    };

    void Set(quint8 Object, quint16 Property, quint32 Value) {
        std::lock_guard lock(FMutex);
        FProps[{Object, Property}] = Value;
    }
    quint32 Get(quint8 Object, quint16 Property) const {
        std::lock_guard lock(FMutex);
        const auto it = FProps.find({Object, Property});
        return it == FProps.end() ? 0xDEADBEEF : it->second;
    }
    void AddList(quint8 Object, quint16 Select, std::vector<quint16> Data, size_t Count, bool Sequential) {
        std::lock_guard lock(FMutex);
        TList list;
        list.Data = std::move(Data);
        list.Sequential = Sequential;
        list.Entries.assign(Count, std::vector<quint32>(list.Data.size(), 0));
        FLists[{Object, Select}] = std::move(list);
    }
    void SetEntry(quint8 Object, quint16 Select, size_t Entry, size_t Field, quint32 Value) {
        std::lock_guard lock(FMutex);
        FLists[{Object, Select}].Entries[Entry][Field] = Value;
    }
    quint32 Entry(quint8 Object, quint16 Select, size_t Entry, size_t Field) const {
        std::lock_guard lock(FMutex);
        return FLists.at({Object, Select}).Entries[Entry][Field];
    }
    // (write, object, property, value) -> stay silent
    void SetRefuse(std::function<bool(bool, quint8, quint16, quint32)> Refuse) {
        std::lock_guard lock(FMutex);
        FRefuse = std::move(Refuse);
    }

    QByteArray Answer(const QByteArray& r) {
        std::lock_guard lock(FMutex);
        if (r.size() != 11 || quint8(r[0]) != FAddress)
            return {};
        const bool write = r[1] == 1;
        const auto object = quint8(r[2]);
        const auto property = quint16((quint8(r[3]) << 8) | quint8(r[4]));
        const quint32 value = (quint32(quint8(r[5])) << 24) | (quint32(quint8(r[6])) << 16) |
                              (quint32(quint8(r[7])) << 8) | quint8(r[8]);
        if (FRefuse && FRefuse(write, object, property, value))
            return {};
        const auto reply = [&](quint32 v) { return NerixFrame(FAddress, quint8(r[1]), object, property, v); };
        for (auto& [key, list] : FLists) {
            if (key.first != object)
                continue;
            if (key.second == property) {
                if (!write)
                    return reply(quint32(list.Cursor));
                list.Cursor = value;
                return reply(value);
            }
            for (size_t f = 0; f < list.Data.size(); ++f) {
                if (list.Data[f] != property)
                    continue;
                if (list.Cursor >= list.Entries.size())
                    return {};
                quint32& slot = list.Entries[list.Cursor][f];
                if (write)
                    slot = value;
                const quint32 answer = slot;
                if (list.Sequential)
                    ++list.Cursor;
                return reply(answer);
            }
        }
        const auto it = FProps.find({object, property});
        if (it == FProps.end())
            return {};
        if (write)
            it->second = value;
        return reply(it->second);
    }

private:
    quint8 FAddress;
    mutable std::mutex FMutex;
    std::map<std::pair<quint8, quint16>, quint32> FProps;
    std::map<std::pair<quint8, quint16>, TList> FLists;
    std::function<bool(bool, quint8, quint16, quint32)> FRefuse;
};
