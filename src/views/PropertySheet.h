#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TAIKDataStreamController;
class TDOChannel;
class TUMMCChannel;
class TZUVOModule;

// The channel kinds whose window is a list of typed properties share one window; what differs is
// the table below: what each property is called, its type, unit, limits and access, and how it is
// read and written.
enum class TSheetType { Float, Integer, Hex, Text };
enum class TSheetAccess { ReadOnly, ReadWrite, WriteOnly };

struct TSheetProperty {
    QString Name;
    TSheetType Type = TSheetType::Integer;
    QString Unit;
    double Min = 0;
    double Max = 0;
    TSheetAccess Access = TSheetAccess::ReadWrite;
    int Digits = 2; // decimals of a float, digits of a hexadecimal value
    // Nothing when the read failed. Text properties read through ReadText instead.
    std::function<std::optional<double>()> Read;
    std::function<std::optional<QString>()> ReadText;
    std::function<bool(double Value)> Write;
};

TSheetProperty SheetProperty(const QString& Name, TSheetType Type, const QString& Unit, double Min,
                             double Max, TSheetAccess Access, int Digits);

class TPropertySheet {
public:
    enum TEditResult { erOk, erBadValue, erOutOfLimits, erReadOnly };

    std::vector<TSheetProperty> Properties;
    // Run once before the properties are read, for tables that read one block and take their values
    // from it; false fails the whole read.
    std::function<bool()> ReadBlock;
    // Saves the device's settings to its flash memory; nothing when the kind has no such thing.
    std::function<bool()> SaveToFlash;

    int Count() const { return int(Properties.size()); }
    // Reads every readable property; edits are dropped. True when all of them were read.
    bool ReadAll();
    bool Read(int Index) const {
        return FValues.at(size_t(Index)).has_value() || FTexts.at(size_t(Index)).has_value();
    }
    // The value read, or the edit waiting to be written.
    std::optional<double> Value(int Index) const;
    QString ValueText(int Index) const;
    QString LimitsText(int Index) const;
    bool Edited(int Index) const { return FEdits.at(size_t(Index)).has_value(); }
    bool HasChanges() const;

    // Checks Text against the property's type and limits; an accepted value waits for WriteChanged.
    // An entry equal to the value read withdraws the edit.
    TEditResult SetEdit(int Index, const QString& Text);
    static std::optional<double> Parse(const TSheetProperty& Property, const QString& Text);
    static QString Format(const TSheetProperty& Property, double Value);

    // Writes the edited properties in table order and stops at the first failure; what was written
    // becomes the value read. Returns the index that failed, or -1 when everything was written.
    int WriteChanged();

private:
    std::vector<std::optional<double>> FValues;
    std::vector<std::optional<QString>> FTexts;
    std::vector<std::optional<double>> FEdits;
};

// The tables of the kinds that use the sheet; the names are in the current language.
// Kind 15, the impulse generator: an output's frequency and pulse counter.
std::unique_ptr<TPropertySheet> ImpulseGeneratorSheet(TDOChannel& Output, TZUVOModule& Module);
// Kind 23, the stream input controller: sampling frequency, polled channels (one bit per input)
// and mode word.
std::unique_ptr<TPropertySheet> StreamControllerSheet(TAIKDataStreamController& Controller,
                                                      TZUVOModule& Module, int Inputs);
// Kind 27, the map constructor's configuration block.
std::unique_ptr<TPropertySheet> MapConstructorSheet(TUMMCChannel& Channel, TZUVOModule& Module);
// Which output of the module an impulse generator row of the catalogue is; -1 when none.
int ImpulseGeneratorOutputFor(quint32 TypeCode, int Row);
