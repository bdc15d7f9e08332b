#include "model/Ranges.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

struct TCatalogueRow {
    quint16 Code;
    TRangeKind Kind;
    const char* Name; // UTF-8
    const char* Unit;
    double Low;
    double High;
};

// Every range the program knows, in ascending code order (the service codes at the top of the code
// space come last by themselves). Lookups are binary searches, so the order matters.
constexpr TCatalogueRow kCatalogue[] = {
    {0, rkVoltage, "0..15 mV", "mV", 0, 15},
    {1, rkVoltage, "0..30 mV", "mV", 0, 30},
    {2, rkVoltage, "0..60 mV", "mV", 0, 60},
    {3, rkVoltage, "0..125 mV", "mV", 0, 125},
    {4, rkVoltage, "0..250 mV", "mV", 0, 250},
    {5, rkVoltage, "0..500 mV", "mV", 0, 500},
    {6, rkVoltage, "0..1 V", "V", 0, 1},
    {7, rkVoltage, "0..2 V", "V", 0, 2},
    {8, rkVoltage, "0..5 V", "V", 0, 5},
    {9, rkVoltage, "0..10 V", "V", 0, 10},
    {10, rkVoltage, "0..20 V", "V", 0, 20},
    {11, rkVoltage, "0..40 V", "V", 0, 40},
    {12, rkVoltage, "0..80 V", "V", 0, 80},
    {13, rkVoltage, "0..160 V", "V", 0, 160},
    {14, rkVoltage, "0..300 V", "V", 0, 300},
    {15, rkVoltage, "0..600 V", "V", 0, 600},
    {23, rkBipolarVoltage, "-15..+15 mV", "mV", -15, 15},
    {24, rkBipolarVoltage, "-30..+30 mV", "mV", -30, 30},
    {25, rkBipolarVoltage, "-60..+60 mV", "mV", -60, 60},
    {26, rkBipolarVoltage, "-125..+125 mV", "mV", -125, 125},
    {27, rkBipolarVoltage, "-250..+250 mV", "mV", -250, 250},
    {28, rkBipolarVoltage, "-500..+500 mV", "mV", -500, 500},
    {29, rkBipolarVoltage, "-1..+1 V", "V", -1, 1},
    {30, rkBipolarVoltage, "-2..+2 V", "V", -2, 2},
    {31, rkBipolarVoltage, "-5..+5 V", "V", -5, 5},
    {32, rkBipolarVoltage, "-10..+10 V", "V", -10, 10},
    {33, rkBipolarVoltage, "-20..+20 V", "V", -20, 20},
    {34, rkBipolarVoltage, "-40..+40 V", "V", -40, 40},
    {35, rkBipolarVoltage, "-80..+80 V", "V", -80, 80},
    {36, rkBipolarVoltage, "-160..+160 V", "V", -160, 160},
    {37, rkBipolarVoltage, "-300..+300 V", "V", -300, 300},
    {38, rkBipolarVoltage, "-600..+600 V", "V", -600, 600},
    {48, rkResistance, "0..15 Ohm", "Ohm", 0, 15},
    {49, rkResistance, "0..30 Ohm", "Ohm", 0, 30},
    {50, rkResistance, "0..60 Ohm", "Ohm", 0, 60},
    {51, rkResistance, "0..125 Ohm", "Ohm", 0, 125},
    {52, rkResistance, "0..250 Ohm", "Ohm", 0, 250},
    {53, rkResistance, "0..500 Ohm", "Ohm", 0, 500},
    {54, rkResistance, "0..1 kOhm", "kOhm", 0, 1},
    {55, rkResistance, "0..2 kOhm", "kOhm", 0, 2},
    {56, rkResistance, "0..5 kOhm", "kOhm", 0, 5},
    {57, rkResistance, "0..10 kOhm", "kOhm", 0, 10},
    {58, rkResistance, "0..20 kOhm", "kOhm", 0, 20},
    {59, rkResistance, "0..40 kOhm", "kOhm", 0, 40},
    {60, rkResistance, "0..80 kOhm", "kOhm", 0, 80},
    {61, rkResistance, "0..160 kOhm", "kOhm", 0, 160},
    {80, rkThermocouple, "Thermocouple TYPE B", "°C", 0, 1820},
    {81, rkThermocouple, "Thermocouple TYPE E", "°C", -270, 1000},
    {82, rkThermocouple, "Thermocouple TYPE J", "°C", -210, 1200},
    {83, rkThermocouple, "Thermocouple TYPE K", "°C", -210, 1370},
    {84, rkThermocouple, "Thermocouple TYPE N", "°C", -270, 1300},
    {85, rkThermocouple, "Thermocouple TYPE R", "°C", -50, 1760},
    {86, rkThermocouple, "Thermocouple TYPE S", "°C", -50, 1760},
    {87, rkThermocouple, "Thermocouple TYPE T", "°C", -270, 400},
    {88, rkThermocouple, "Thermocouple BP 5/20 Gr.3", "°C", 0, 2500},
    {89, rkThermocouple, "Thermocouple TYPE L", "°C", -200, 800},
    {90, rkThermocouple, "Thermocouple BP 5/20 Gr.68", "°C", 0, 2500},
    {91, rkThermocouple, "Thermocouple TYPE C", "°C", 0, 2310},
    {92, rkThermocouple, "Thermocouple TYPE A1", "°C", 0, 2500},
    {93, rkThermocouple, "Thermocouple TYPE A2", "°C", 0, 1800},
    {94, rkThermocouple, "Thermocouple TYPE A3", "°C", 0, 1800},
    {112, rkThermoresistance, "TSM 50", "°C", -180, 200},
    {113, rkThermoresistance, "TSM 100", "°C", -180, 200},
    {114, rkThermoresistance, "TSP 50", "°C", -200, 1100},
    {115, rkThermoresistance, "TSP 100", "°C", -200, 1100},
    {116, rkThermoresistance, "TSP 500 (1.391)", "°C", -200, 1100},
    {117, rkThermoresistance, "TSP 500 (1.385)", "°C", -200, 830},
    {118, rkThermoresistance, "TSP 1000", "°C", -200, 1100},
    {119, rkThermoresistance, "TS Gr.23 (53M)", "°C", -50, 180},
    {120, rkThermoresistance, "TS Gr.21 (46P)", "°C", -200, 500},
    {121, rkThermoresistance, "Pt 100 (1.3851)", "°C", -200, 850},
    {122, rkThermoresistance, "Pt 1000 (1.3851)", "°C", -200, 850},
    {123, rkThermoresistance, "TSP 1088", "°C", -200, 850},
    {124, rkThermoresistance, "S 861", "°C", 0, 150},
    {125, rkThermoresistance, "NI 1000 TK500", "°C", -50, 150},
    {126, rkThermoresistance, "RTS 1000", "°C", -50, 100},
    {127, rkThermoresistance, "NI 1000", "°C", -50, 150},
    {128, rkThermoresistance, "NTC 20k", "°C", -50, 150},
    {129, rkThermoresistance, "NTC 2k", "°C", -50, 120},
    {130, rkThermoresistance, "NTC 50k", "°C", -50, 150},
    {131, rkThermoresistance, "NTC 10k", "°C", -50, 150},
    {132, rkThermoresistance, "NTC 1k", "°C", -50, 120},
    {144, rkCurrent, "0..1 mA", "mA", 0, 1},
    {145, rkCurrent, "0..2 mA", "mA", 0, 2},
    {146, rkCurrent, "0..5 mA", "mA", 0, 5},
    {147, rkCurrent, "1..5 mA", "mA", 1, 5},
    {148, rkCurrent, "0..10 mA", "mA", 0, 10},
    {149, rkCurrent, "0..20 mA", "mA", 0, 20},
    {150, rkCurrent, "4..20 mA", "mA", 4, 20},
    {151, rkCurrent, "0..50 mA", "mA", 0, 50},
    {152, rkCurrent, "0..100 mA", "mA", 0, 100},
    {153, rkCurrent, "0..200 mA", "mA", 0, 200},
    {154, rkCurrent, "0..500 mA", "mA", 0, 500},
    {155, rkCurrent, "0..1 A", "A", 0, 1},
    {156, rkCurrent, "0..2 A", "A", 0, 2},
    {157, rkCurrent, "0..5 A", "A", 0, 5},
    {158, rkCurrent, "0..50 uA", "uA", 0, 50},
    {159, rkCurrent, "0..100 uA", "uA", 0, 100},
    {160, rkCurrent, "0..200 uA", "uA", 0, 200},
    {161, rkCurrent, "0..500 uA", "uA", 0, 500},
    {176, rkFrequency, "0..10 Hz", "Hz", 0, 10},
    {177, rkFrequency, "0..100 Hz", "Hz", 0, 100},
    {178, rkFrequency, "0..1 kHz", "kHz", 0, 1},
    {179, rkFrequency, "0..10 kHz", "kHz", 0, 10},
    {180, rkFrequency, "0..100 kHz", "kHz", 0, 100},
    {181, rkFrequency, "0..1 MHz", "MHz", 0, 1},
    {208, rkAlternatingVoltage, "~15 mV", "mV", 0, 15},
    {256, rkAlternatingVoltage, "~15 mV", "mV", 0, 15},
    {257, rkAlternatingVoltage, "~30 mV", "mV", 0, 30},
    {258, rkAlternatingVoltage, "~60 mV", "mV", 0, 60},
    {259, rkAlternatingVoltage, "~125 mV", "mV", 0, 125},
    {260, rkAlternatingVoltage, "~250 mV", "mV", 0, 250},
    {261, rkAlternatingVoltage, "~500 mV", "mV", 0, 500},
    {262, rkAlternatingVoltage, "~1 V", "V", 0, 1},
    {263, rkAlternatingVoltage, "~2 V", "V", 0, 2},
    {264, rkAlternatingVoltage, "~5 V", "V", 0, 5},
    {265, rkAlternatingVoltage, "~10 V", "V", 0, 10},
    {266, rkAlternatingVoltage, "~20 V", "V", 0, 20},
    {267, rkAlternatingVoltage, "~40 V", "V", 0, 40},
    {268, rkAlternatingVoltage, "~80 V", "V", 0, 80},
    {269, rkAlternatingVoltage, "~160 V", "V", 0, 160},
    {270, rkAlternatingVoltage, "~300 V", "V", 0, 300},
    {271, rkAlternatingVoltage, "~600 V", "V", 0, 600},
    {512, rkAlternatingCurrent, "~1 mA", "mA", 0, 1},
    {513, rkAlternatingCurrent, "~2 mA", "mA", 0, 2},
    {514, rkAlternatingCurrent, "~5 mA", "mA", 0, 5},
    {515, rkAlternatingCurrent, "~10 mA", "mA", 0, 10},
    {516, rkAlternatingCurrent, "~20 mA", "mA", 0, 20},
    {517, rkAlternatingCurrent, "~50 mA", "mA", 0, 50},
    {518, rkAlternatingCurrent, "~100 mA", "mA", 0, 100},
    {519, rkAlternatingCurrent, "~200 mA", "mA", 0, 200},
    {520, rkAlternatingCurrent, "~500 mA", "mA", 0, 500},
    {521, rkAlternatingCurrent, "~1 A", "A", 0, 1},
    {522, rkAlternatingCurrent, "~2 A", "A", 0, 2},
    {523, rkAlternatingCurrent, "~5 A", "A", 0, 5},
    {524, rkAlternatingCurrent, "~10 A", "A", 0, 10},
    {544, rkInductance, "0..10 mH", "mH", 0, 10},
    {560, rkResistance4Wires, "0..15 Ohm - 4x", "Ohm", 0, 15},
    {561, rkResistance4Wires, "0..30 Ohm - 4x", "Ohm", 0, 30},
    {562, rkResistance4Wires, "0..60 Ohm - 4x", "Ohm", 0, 60},
    {563, rkResistance4Wires, "0..125 Ohm - 4x", "Ohm", 0, 125},
    {564, rkResistance4Wires, "0..250 Ohm - 4x", "Ohm", 0, 250},
    {565, rkResistance4Wires, "0..500 Ohm - 4x", "Ohm", 0, 500},
    {566, rkResistance4Wires, "0..1 kOhm - 4x", "kOhm", 0, 1},
    {567, rkResistance4Wires, "0..2 kOhm - 4x", "kOhm", 0, 2},
    {568, rkResistance4Wires, "0..5 kOhm - 4x", "kOhm", 0, 5},
    {569, rkResistance4Wires, "0..10 kOhm - 4x", "kOhm", 0, 10},
    {624, rkThermoresistance4Wires, "TSM 50 - 4x", "°C", -180, 200},
    {625, rkThermoresistance4Wires, "TSM 100 - 4x", "°C", -180, 200},
    {626, rkThermoresistance4Wires, "TSP 50 - 4x", "°C", -200, 1100},
    {627, rkThermoresistance4Wires, "TSP 100 - 4x", "°C", -200, 1100},
    {628, rkThermoresistance4Wires, "TSP 500 (1.391) - 4x", "°C", -200, 1100},
    {629, rkThermoresistance4Wires, "TSP 500 (1.385) - 4x", "°C", -200, 830},
    {630, rkThermoresistance4Wires, "TSP 1000 - 4x", "°C", -200, 1100},
    {631, rkThermoresistance4Wires, "TS Gr.23 (53M) - 4x", "°C", -50, 180},
    {632, rkThermoresistance4Wires, "TS Gr.21 (46P) - 4x", "°C", -200, 500},
    {633, rkThermoresistance4Wires, "Pt 100 (1.3851) - 4x", "°C", -200, 850},
    {634, rkThermoresistance4Wires, "Pt 1000 (1.3851) - 4x", "°C", -200, 850},
    {635, rkThermoresistance4Wires, "TSP 1088 - 4x", "°C", -200, 850},
    {636, rkThermoresistance4Wires, "S 861 - 4x", "°C", 0, 150},
    {637, rkThermoresistance4Wires, "NI 1000 TK500 - 4x", "°C", -50, 150},
    {638, rkThermoresistance4Wires, "RTS 1000 - 4x", "°C", -50, 100},
    {639, rkThermoresistance4Wires, "NI 1000 - 4x", "°C", -50, 150},
    {656, rkBipolarVoltage, "-15..+15 mV", "mV", -15, 15},
    {669, rkBipolarVoltage, "-160..+160 V", "V", -160, 160},
    {722, rkBipolarCurrent, "-5..+5 mA", "mA", -5, 5},
    {723, rkBipolarCurrent, "-10..+10 mA", "mA", -10, 10},
    {724, rkBipolarCurrent, "-20..+20 mA", "mA", -20, 20},
    {725, rkBipolarCurrent, "-50..+50 mA", "mA", -50, 50},
    {726, rkBipolarCurrent, "-100..+100 mA", "mA", -100, 100},
    {727, rkBipolarCurrent, "-200..+200 mA", "mA", -200, 200},
    {729, rkBipolarCurrent, "-1..+1 A", "A", -1, 1},
    {730, rkBipolarCurrent, "-2..+2 A", "A", -2, 2},
    {0xFF00, rkService, "Service range #1", "", 0, 100},
    {0xFF01, rkService, "Service range #2", "", 0, 100},
    {0xFFFF, rkService, "EMPTY", "", 0, 0},
};

constexpr int kCatalogueCount = int(std::size(kCatalogue));
static_assert(kCatalogueCount == 176);

constexpr quint16 kEmptyRange = 0xFFFF;

constexpr bool Ascending() {
    for (int i = 1; i < kCatalogueCount; ++i)
        if (kCatalogue[i - 1].Code >= kCatalogue[i].Code)
            return false;
    return true;
}
static_assert(Ascending(), "the catalogue must stay sorted by code");

const TCatalogueRow* FindRow(quint16 Code) {
    const auto it = std::lower_bound(std::begin(kCatalogue), std::end(kCatalogue), Code,
                                     [](const TCatalogueRow& row, quint16 code) { return row.Code < code; });
    if (it == std::end(kCatalogue) || it->Code != Code)
        return nullptr;
    return it;
}

} // namespace

QString TRangeKindTexts::Text(TRangeKind Kind) const {
    switch (Kind) {
    case rkNone:
        return {};
    case rkVoltage:
        return Voltage;
    case rkBipolarVoltage:
        return BipolarVoltage;
    case rkResistance:
        return Resistance;
    case rkThermocouple:
        return Thermocouple;
    case rkThermoresistance:
        return Thermoresistance;
    case rkCurrent:
        return Current;
    case rkFrequency:
        return Frequency;
    case rkAlternatingVoltage:
        return AlternatingVoltage;
    case rkAlternatingCurrent:
        return AlternatingCurrent;
    case rkInductance:
        return Inductance;
    case rkResistance4Wires:
        return Resistance4Wires;
    case rkThermoresistance4Wires:
        return Thermoresistance4Wires;
    case rkBipolarCurrent:
        return BipolarCurrent;
    case rkService:
        return Service;
    }
    return {};
}

TRangeKind RangeKindOf(quint16 Code) {
    const TCatalogueRow* row = FindRow(Code);
    return row ? row->Kind : rkNone;
}

QString RangeKind(quint16 Code) {
    return TRangeKindTexts().Text(RangeKindOf(Code));
}

QString RangeName(quint16 Code) {
    const TCatalogueRow* row = FindRow(Code);
    return row ? QString::fromUtf8(row->Name) : QString();
}

QString RangeUnit(quint16 Code) {
    const TCatalogueRow* row = FindRow(Code);
    return row ? QString::fromUtf8(row->Unit) : QString();
}

double RangeLow(quint16 Code) {
    const TCatalogueRow* row = FindRow(Code);
    return row ? row->Low : 0.0;
}

double RangeHigh(quint16 Code) {
    const TCatalogueRow* row = FindRow(Code);
    return row ? row->High : 0.0;
}

QString RangeFormat(quint16 Code) {
    // Ranges whose resolution does not follow from the size of their upper limit; the empty range
    // would otherwise get the finest format for its limit of 0.
    switch (Code) {
    case 26:
    case 27:
    case 28:
    case 730:
        return QStringLiteral("00.0000");
    case 87:
    case 89:
        return QStringLiteral("0000.00");
    case 626:
    case kEmptyRange:
        return QStringLiteral("000.000");
    default:
        break;
    }
    const TCatalogueRow* row = FindRow(Code);
    if (!row)
        return QStringLiteral("000.000");
    const double high = std::fabs(row->High);
    if (high < 10)
        return QStringLiteral("0.00000");
    if (high < 100)
        return QStringLiteral("00.0000");
    if (high < 1000)
        return QStringLiteral("000.000");
    return QStringLiteral("0000.00");
}

int RangeCodeCount() {
    return kCatalogueCount;
}

quint16 RangeCodeAt(int Index) {
    if (Index < 0 || Index >= kCatalogueCount)
        return kEmptyRange;
    return kCatalogue[Index].Code;
}

TRangeRec* TRangeList::Items(int Index) {
    if (Index < 0 || Index >= Count())
        return nullptr;
    return FItems[size_t(Index)].get();
}

const TRangeRec* TRangeList::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        return nullptr;
    return FItems[size_t(Index)].get();
}

int TRangeList::IndexOfCode(quint16 Code) const {
    for (int i = 0; i < Count(); ++i)
        if (FItems[size_t(i)]->Code == Code)
            return i;
    return kNoIndex;
}

TRangeRec* TRangeList::FindCode(quint16 Code) {
    for (const auto& item : FItems)
        if (item->Code == Code)
            return item.get();
    return nullptr;
}

TRangeRec* TRangeList::AddRange(quint16 Code, quint8 Attribute, float Coefficient1, float Coefficient2) {
    TRangeRec* rec = NewRange();
    rec->Code = Code;
    rec->Attribute = Attribute;
    rec->Coefficient1 = Coefficient1;
    rec->Coefficient2 = Coefficient2;
    return rec;
}

TRangeRec* TRangeList::NewRange() {
    FItems.push_back(std::make_unique<TRangeRec>());
    return FItems.back().get();
}

TRangeRec* TRangeList::AddCopy(const TRangeRec* Record) {
    if (!Record)
        return nullptr;
    FItems.push_back(std::make_unique<TRangeRec>(*Record));
    return FItems.back().get();
}

void TRangeList::Delete(int Index) {
    if (Index >= 0 && Index < Count())
        FItems.erase(FItems.begin() + Index);
}

TPrTbl::TPrTbl(const TRangeKindTexts& Texts) {
    Rebuild(Texts);
}

void TPrTbl::Rebuild(const TRangeKindTexts& Texts) {
    FRecords.clear();
    FRecords.reserve(size_t(kCatalogueCount));
    for (const TCatalogueRow& row : kCatalogue) {
        TPrTblRecord rec;
        rec.Code = row.Code;
        rec.Kind = row.Kind;
        rec.ParameterName = Texts.Text(row.Kind);
        rec.Description = QString::fromUtf8(row.Name);
        rec.Low = row.Low;
        rec.High = row.High;
        rec.Unit = QString::fromUtf8(row.Unit);
        FRecords.push_back(std::move(rec));
    }
}

const TPrTblRecord* TPrTbl::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        return nullptr;
    return &FRecords[size_t(Index)];
}

const TPrTblRecord* TPrTbl::Find(quint16 Code) const {
    // The records are in catalogue order, which is ascending by code.
    const auto it = std::lower_bound(FRecords.begin(), FRecords.end(), Code,
                                     [](const TPrTblRecord& rec, quint16 code) { return rec.Code < code; });
    if (it == FRecords.end() || it->Code != Code)
        return nullptr;
    return &*it;
}

QString TPrTbl::ParameterName(quint16 Code) const {
    const TPrTblRecord* rec = Find(Code);
    return rec ? rec->ParameterName : QString();
}

QString TPrTbl::Description(quint16 Code) const {
    const TPrTblRecord* rec = Find(Code);
    return rec ? rec->Description : QString();
}

bool TPrTbl::BelongsTo(quint16 Code, const QString& ParameterName) const {
    const TPrTblRecord* rec = Find(Code);
    return rec && rec->ParameterName == ParameterName;
}

TPrTblRecord TPrTbl::Record(quint16 Code) const {
    const TPrTblRecord* rec = Find(Code);
    return rec ? *rec : TPrTblRecord();
}

bool RangeFieldIsFloat(int Field) {
    return Field >= rfCoefficient1 && Field < kRangeFieldCount;
}

double RangeFieldValue(const TRangeRec& Rec, int Field) {
    switch (Field) {
    case rfCode:
        return Rec.Code;
    case rfAttribute:
        return Rec.Attribute;
    case rfCoefficient1:
        return Rec.Coefficient1;
    case rfCoefficient2:
        return Rec.Coefficient2;
    case rfMinValue:
        return Rec.MinValue;
    case rfMaxValue:
        return Rec.MaxValue;
    default:
        return 0;
    }
}

void SetRangeFieldValue(TRangeRec& Rec, int Field, double Value) {
    switch (Field) {
    case rfCode:
        Rec.Code = quint16(qint64(Value));
        break;
    case rfAttribute:
        Rec.Attribute = quint8(qint64(Value));
        break;
    case rfCoefficient1:
        Rec.Coefficient1 = float(Value);
        break;
    case rfCoefficient2:
        Rec.Coefficient2 = float(Value);
        break;
    case rfMinValue:
        Rec.MinValue = float(Value);
        break;
    case rfMaxValue:
        Rec.MaxValue = float(Value);
        break;
    default:
        break;
    }
}
