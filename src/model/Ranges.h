#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

// Measurement ranges. A range is named by a 16-bit code that the devices and the program share; the
// catalogue below gives every code the program knows its kind of quantity, name, unit, limits and
// the format its values are shown in. A device keeps its own list of the ranges a channel offers
// (TRangeList), read and written by the channel objects.

// The kind of quantity a range measures.
enum TRangeKind {
    rkNone, // a code the catalogue does not know
    rkVoltage,
    rkBipolarVoltage,
    rkResistance,
    rkThermocouple,
    rkThermoresistance,
    rkCurrent,
    rkFrequency,
    rkAlternatingVoltage,
    rkAlternatingCurrent,
    rkInductance,
    rkResistance4Wires,
    rkThermoresistance4Wires,
    rkBipolarCurrent,
    rkService,
};

// The shown names of the kinds, one per kind; the defaults are the English names, which is also
// what RangeKind returns. The language tables supply the other languages.
// clang-format off
#define DVV_RANGE_KIND_TEXTS(X)                                                                                  \
    X(Voltage) X(BipolarVoltage) X(Resistance) X(Thermocouple) X(Thermoresistance) X(Current) X(Frequency)       \
    X(AlternatingVoltage) X(AlternatingCurrent) X(Inductance) X(Resistance4Wires) X(Thermoresistance4Wires)      \
    X(BipolarCurrent) X(Service)
// clang-format on

struct TRangeKindTexts {
    QString Voltage = QStringLiteral("Voltage");
    QString BipolarVoltage = QStringLiteral("Bipolar voltage");
    QString Resistance = QStringLiteral("Resistance");
    QString Thermocouple = QStringLiteral("Thermocouple");
    QString Thermoresistance = QStringLiteral("Thermoresistance");
    QString Current = QStringLiteral("Current");
    QString Frequency = QStringLiteral("Frequency");
    QString AlternatingVoltage = QStringLiteral("Alternating voltage");
    QString AlternatingCurrent = QStringLiteral("Alternating current");
    QString Inductance = QStringLiteral("Inductance");
    QString Resistance4Wires = QStringLiteral("Resistance - 4 wires");
    QString Thermoresistance4Wires = QStringLiteral("Thermoresistance - 4 wires");
    QString BipolarCurrent = QStringLiteral("Bipolar current");
    QString Service = QStringLiteral("Service");

    // The field of Kind; empty for rkNone.
    QString Text(TRangeKind Kind) const;
};

// The range catalogue: pure functions of the code. A code the catalogue does not know has an empty
// name, kind and unit and the limits 0 and 0.
TRangeKind RangeKindOf(quint16 Code);
// The English kind name ("Voltage").
QString RangeKind(quint16 Code);
QString RangeName(quint16 Code);
QString RangeUnit(quint16 Code);
double RangeLow(quint16 Code);
double RangeHigh(quint16 Code);
// The format mask the values of the range are shown with; "000.000" for a code not in the catalogue.
QString RangeFormat(quint16 Code);
// The catalogued codes in ascending order: RangeCodeAt(0 .. RangeCodeCount() - 1). An index past
// the end (or before the start) gives 0xFFFF, the empty range.
int RangeCodeCount();
quint16 RangeCodeAt(int Index);

// One entry of a device's list of ranges. Code and Attribute travel as integers, the rest as
// floats; Reserved is copied with the record and never transferred.
struct TRangeRec {
    quint16 Code = 0;
    quint8 Attribute = 0;
    float Coefficient1 = 0;
    float Coefficient2 = 0;
    quint32 Reserved = 0;
    float MinValue = 0; // the user scale of the range
    float MaxValue = 0;
};

// The fields of a range record in the order a device numbers them in its range-selector register.
// A list of the short form carries the first four, the long form all six.
enum TRangeField { rfCode, rfAttribute, rfCoefficient1, rfCoefficient2, rfMinValue, rfMaxValue };
inline constexpr int kShortRangeFieldCount = 4;
inline constexpr int kRangeFieldCount = 6;

// Whether the field travels as a float (coefficients and limits) rather than as an integer.
bool RangeFieldIsFloat(int Field);
// The field of a record by its number; 0 for a number outside the table.
double RangeFieldValue(const TRangeRec& Rec, int Field);
// Integer fields take the low bits of the value, as the record's types hold them.
void SetRangeFieldValue(TRangeRec& Rec, int Field, double Value);

// A channel's list of ranges, in the device's order. Records stay where they are while the list
// grows, so a record pointer is good until that record is deleted or the list cleared.
class TRangeList {
public:
    // IndexOfCode's answer for a code the list does not hold.
    static constexpr int kNoIndex = 255;

    int Count() const { return int(FItems.size()); }
    // Nothing when Index is not in the list.
    TRangeRec* Items(int Index);
    const TRangeRec* Items(int Index) const;
    void Clear() { FItems.clear(); }
    // The index of the first record with Code, kNoIndex when there is none.
    int IndexOfCode(quint16 Code) const;
    TRangeRec* FindCode(quint16 Code);
    bool HasCode(quint16 Code) const { return IndexOfCode(Code) != kNoIndex; }
    // Appends a record with the user scale 0..0.
    TRangeRec* AddRange(quint16 Code, quint8 Attribute, float Coefficient1, float Coefficient2);
    // Appends an empty record.
    TRangeRec* NewRange();
    // Appends a copy of every field of Record; nothing for nothing.
    TRangeRec* AddCopy(const TRangeRec* Record);
    // Ignored when Index is not in the list.
    void Delete(int Index);

private:
    std::vector<std::unique_ptr<TRangeRec>> FItems;
};

// One row of the ranges table: a catalogued range as the windows show it.
struct TPrTblRecord {
    quint16 Code = 0;
    TRangeKind Kind = rkNone;
    QString ParameterName; // the kind's shown name in the table's language
    QString Description;   // the range name, "0..15 mV"
    double Low = 0;
    double High = 0;
    QString Unit;
};

// The table of every catalogued range, in catalogue order, with the kind names in one language. It
// is data only; the shell rebuilds it from the language tables whenever the language changes.
class TPrTbl {
public:
    explicit TPrTbl(const TRangeKindTexts& Texts = TRangeKindTexts());
    void Rebuild(const TRangeKindTexts& Texts = TRangeKindTexts());

    int Count() const { return int(FRecords.size()); }
    // Nothing when Index is not in the table.
    const TPrTblRecord* Items(int Index) const;
    const std::vector<TPrTblRecord>& Records() const { return FRecords; }

    // The parameter name (the kind) and the description of a code; empty for an unknown code.
    QString ParameterName(quint16 Code) const;
    QString Description(quint16 Code) const;
    // The code is catalogued and its kind is shown as ParameterName.
    bool BelongsTo(quint16 Code, const QString& ParameterName) const;
    // The whole record of Code; an empty record for an unknown code.
    TPrTblRecord Record(quint16 Code) const;

private:
    const TPrTblRecord* Find(quint16 Code) const;

    std::vector<TPrTblRecord> FRecords;
};
