#pragma once

#include <QtGlobal>
#include <array>
#include <memory>
#include <vector>

// One device type's translation of Modbus holding-register addresses into Nerix channel and
// register numbers. An entry's index is its channel number; each entry names the table whose
// positions are the channel's Nerix registers, two Modbus registers per Nerix register.
class TDeviceRegisterMap {
public:
    struct TEntry {
        quint16 First = 0;
        quint16 Last = 0;
        quint8 Table = 0;
    };
    // The tables the entries point at.
    enum TTable : quint8 { tblS, tblA, tblB, tblI11, tblI9, tblI5, tblMS, tblI8 };
    // Room for the largest map (channels 0 .. 19).
    static constexpr int kMaxEntries = 20;

    explicit TDeviceRegisterMap(quint16 TypeCode);

    quint16 TypeCode() const { return FTypeCode; }
    quint8 EntryCount() const { return FEntryCount; }
    const TEntry& Entry(int Index) const { return FEntries[size_t(Index)]; }
    // The Nerix register numbers of a table, by position.
    static const std::vector<quint16>& Table(quint8 Table);

    // Translates Address when this map covers it; false for an odd address, one outside every
    // entry, or one past its entry's table.
    bool Lookup(quint16 Address, quint8& Channel, quint16& Register) const;

    // Puts channel Channel at First .. Last with Table; the entry count grows to cover it if need be.
    void SetEntry(quint8 Channel, quint16 First, quint16 Last, quint8 Table);

private:
    quint16 FTypeCode;
    quint8 FEntryCount = 0;
    std::array<TEntry, kMaxEntries> FEntries{};
};

// The maps of every type the emulator speaks Modbus for, in a fixed order.
class TModbusMapManager {
public:
    TModbusMapManager();
    ~TModbusMapManager();
    TModbusMapManager(const TModbusMapManager&) = delete;
    TModbusMapManager& operator=(const TModbusMapManager&) = delete;

    int MapCount() const { return int(FMaps.size()); }
    const TDeviceRegisterMap& MapAt(int Index) const { return *FMaps[size_t(Index)]; }

    // True when some map of TypeCode translates Address.
    bool Lookup(quint16 TypeCode, quint16 Address, quint8& Channel, quint16& Register) const;

private:
    std::vector<std::unique_ptr<TDeviceRegisterMap>> FMaps;
};
