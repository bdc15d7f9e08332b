#include "emulator/ModbusMap.h"

namespace {

std::vector<quint16> Range(quint16 Count) {
    std::vector<quint16> v(Count);
    for (quint16 i = 0; i < Count; ++i)
        v[i] = i;
    return v;
}

using T = TDeviceRegisterMap;

// Channels First .. Last at 256k + Low .. 256k + High.
void Block(T& Map, int First, int Last, int Low, int High, quint8 Table) {
    for (int k = First; k <= Last; ++k)
        Map.SetEntry(quint8(k), quint16(256 * k + Low), quint16(256 * k + High), Table);
}

// The entry counts the maps declare; the discrete maps count entries beyond their last channel,
// which stay { 0, 0, 0 } and never match. A map that puts the manager or the health controller past
// its count grows to cover them (KVD-DIO-BUS 19, KVD-DOR-BUS 7).
quint8 EntryCountOf(quint16 TypeCode) {
    switch (TypeCode) {
    case 0:
        return 5;
    case 1:
        return 9;
    case 2:
        return 5;
    case 3:
        return 7;
    case 4:
    case 10:
    case 5:
        return 18;
    case 6:
        return 17;
    case 7:
        return 16;
    case 8:
        return 6;
    case 17:
        return 20;
    default:
        return 1;
    }
}

void Fill(T& Map) {
    switch (Map.TypeCode()) {
    case 0: // KVD-AIK-BUS
        Block(Map, 1, 4, 0, 32, T::tblA);
        break;
    case 1: // KVD-AIK8-BUS
        Block(Map, 1, 8, 0, 32, T::tblA);
        break;
    case 2: // KVD-AO-BUS
    case 3: // KVD-AO6-BUS
        for (int k = 1; k <= (Map.TypeCode() == 2 ? 4 : 6); ++k)
            Map.SetEntry(quint8(k), quint16(32 * k - 16), quint16(32 * k - 2), T::tblB);
        break;
    case 4:  // KVD-DI-BUS
    case 10: // KVD-DIDC-BUS
        Block(Map, 1, 8, 16, Map.TypeCode() == 4 ? 38 : 36, T::tblI11);
        Block(Map, 9, 10, 16, 34, T::tblI9);
        Map.SetEntry(11, 2832, 2840, T::tblI5);
        break;
    case 5: // KVD-DO-BUS
        Block(Map, 1, 8, 16, 34, T::tblI9);
        Block(Map, 9, 10, 16, 36, T::tblI11);
        Map.SetEntry(11, 2832, 2840, T::tblI5);
        break;
    case 6: // KVD-DIO-BUS
        Block(Map, 1, 4, 16, 36, T::tblI11);
        Block(Map, 13, 16, 16, 36, T::tblI9);
        Block(Map, 17, 18, 16, 24, T::tblI5); // the manager and the health controller
        break;
    case 7: // KVD-DOS-BUS
        Block(Map, 1, 8, 16, 34, T::tblI9);
        // The manager and the health controller on their own pages, where a module's tunnel
        // looks for them (object 9 at 2320, not on page 11).
        Block(Map, 9, 10, 16, 24, T::tblI5);
        break;
    case 8: // KVD-DOR-BUS
        Block(Map, 1, 4, 16, 34, T::tblI9);
        Map.SetEntry(5, 1296, 1304, T::tblI5);
        Map.SetEntry(6, 1552, 1560, T::tblI5);
        break;
    case 17: // KVD-DOS12-BUS
        Block(Map, 1, 12, 16, 34, T::tblI9);
        Map.SetEntry(13, 3344, 3352, T::tblI5);
        Map.SetEntry(14, 3600, 3608, T::tblI5);
        break;
    case 30: // KVD-VEVA-BUS: the sensor buses, then the signalling object's eight properties
        Block(Map, 1, 12, 0, 30, T::tblMS);
        Map.SetEntry(13, 3328, 3342, T::tblI8);
        break;
    default:
        break;
    }
}

} // namespace

TDeviceRegisterMap::TDeviceRegisterMap(quint16 TypeCode) : FTypeCode(TypeCode) {
    FEntryCount = EntryCountOf(TypeCode);
    SetEntry(0, 0, 15, tblS);
    Fill(*this);
}

const std::vector<quint16>& TDeviceRegisterMap::Table(quint8 Table) {
    static const std::vector<quint16> s = {0, 1, 2, 3, 5, 6, 15};
    static const std::vector<quint16> a = {0, 1, 2, 3, 4, 5, 16, 14, 15, 37, 38, 39, 40, 41, 48, 49, 50};
    static const std::vector<quint16> b = {0, 1, 2, 16, 14, 15, 48, 49};
    static const std::vector<quint16> i11 = Range(11);
    static const std::vector<quint16> i9 = Range(9);
    static const std::vector<quint16> i5 = Range(5);
    // A sensor bus: properties 0 .. 13 in order, then the humidity of a dead sensor and the humidity.
    static const std::vector<quint16> ms = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 20, 15};
    static const std::vector<quint16> i8 = Range(8);
    static const std::vector<quint16> none;
    switch (Table) {
    case tblS:
        return s;
    case tblA:
        return a;
    case tblB:
        return b;
    case tblI11:
        return i11;
    case tblI9:
        return i9;
    case tblI5:
        return i5;
    case tblMS:
        return ms;
    case tblI8:
        return i8;
    default:
        return none;
    }
}

void TDeviceRegisterMap::SetEntry(quint8 Channel, quint16 First, quint16 Last, quint8 Table) {
    if (Channel >= kMaxEntries)
        return;
    FEntries[Channel] = {First, Last, Table};
    FEntryCount = std::max<quint8>(FEntryCount, quint8(Channel + 1));
}

bool TDeviceRegisterMap::Lookup(quint16 Address, quint8& Channel, quint16& Register) const {
    if (Address % 2 != 0)
        return false;
    for (int i = 0; i < FEntryCount; ++i) {
        const TEntry& e = FEntries[size_t(i)];
        if (Address < e.First || Address > e.Last)
            continue;
        // Positions count within the 256-register page, so a channel's block reads the same on
        // every page.
        const int position = (((Address % 256) - (e.First % 256)) % 256 + 256) % 256 / 2;
        const std::vector<quint16>& table = Table(e.Table);
        if (position >= int(table.size()))
            return false;
        Channel = quint8(i);
        Register = table[size_t(position)];
        return true;
    }
    return false;
}

TModbusMapManager::TModbusMapManager() {
    for (quint16 code : {0, 1, 2, 3, 4, 10, 5, 6, 7, 8, 17, 30})
        FMaps.push_back(std::make_unique<TDeviceRegisterMap>(code));
}

TModbusMapManager::~TModbusMapManager() = default;

bool TModbusMapManager::Lookup(quint16 TypeCode, quint16 Address, quint8& Channel, quint16& Register) const {
    for (const auto& map : FMaps)
        if (map->TypeCode() == TypeCode && map->Lookup(Address, Channel, Register))
            return true;
    return false;
}
