#include "views/PropertySheet.h"

#include "localization/ModbusMapLanguage.h"
#include "model/DOChannel.h"
#include "model/SimpleChannel.h"
#include "model/UMMCChannel.h"
#include "model/ZUVOModule.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

const TPropertySheetLanguage& Texts() {
    return PropertySheetLanguage().Texts(CurrentLanguage());
}

} // namespace

TSheetProperty SheetProperty(const QString& Name, TSheetType Type, const QString& Unit, double Min,
                             double Max, TSheetAccess Access, int Digits) {
    TSheetProperty p;
    p.Name = Name;
    p.Type = Type;
    p.Unit = Unit;
    p.Min = Min;
    p.Max = Max;
    p.Access = Access;
    p.Digits = Digits;
    return p;
}

bool TPropertySheet::ReadAll() {
    const size_t n = Properties.size();
    FValues.assign(n, std::nullopt);
    FTexts.assign(n, std::nullopt);
    FEdits.assign(n, std::nullopt);
    if (ReadBlock && !ReadBlock())
        return false;
    bool all = true;
    for (size_t i = 0; i < n; ++i) {
        const TSheetProperty& p = Properties[i];
        if (p.Access == TSheetAccess::WriteOnly)
            continue;
        if (p.Type == TSheetType::Text) {
            FTexts[i] = p.ReadText ? p.ReadText() : std::nullopt;
            all = all && FTexts[i].has_value();
        } else {
            FValues[i] = p.Read ? p.Read() : std::nullopt;
            all = all && FValues[i].has_value();
        }
    }
    return all;
}

std::optional<double> TPropertySheet::Value(int Index) const {
    const size_t i = size_t(Index);
    if (i >= FValues.size())
        return std::nullopt;
    return FEdits[i] ? FEdits[i] : FValues[i];
}

QString TPropertySheet::ValueText(int Index) const {
    const size_t i = size_t(Index);
    if (i >= Properties.size() || i >= FValues.size())
        return {};
    if (Properties[i].Type == TSheetType::Text)
        return FTexts[i].value_or(QString());
    const std::optional<double> v = Value(Index);
    return v ? Format(Properties[i], *v) : QString();
}

QString TPropertySheet::LimitsText(int Index) const {
    const TSheetProperty& p = Properties.at(size_t(Index));
    if (p.Type == TSheetType::Text || p.Access == TSheetAccess::ReadOnly)
        return {};
    return Format(p, p.Min) + QStringLiteral(" … ") + Format(p, p.Max);
}

bool TPropertySheet::HasChanges() const {
    return std::any_of(FEdits.begin(), FEdits.end(), [](const auto& e) { return e.has_value(); });
}

std::optional<double> TPropertySheet::Parse(const TSheetProperty& Property, const QString& Text) {
    QString text = Text.trimmed();
    bool ok = false;
    switch (Property.Type) {
    case TSheetType::Float: {
        const double d = QLocale::c().toDouble(text, &ok);
        return ok && std::isfinite(d) ? std::optional<double>(d) : std::nullopt;
    }
    case TSheetType::Integer: {
        const qlonglong v = QLocale::c().toLongLong(text, &ok);
        return ok ? std::optional<double>(double(v)) : std::nullopt;
    }
    case TSheetType::Hex: {
        if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            text = text.mid(2);
        const qulonglong v = text.toULongLong(&ok, 16);
        return ok && !text.isEmpty() && v <= 0xFFFFFFFFull ? std::optional<double>(double(v)) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

QString TPropertySheet::Format(const TSheetProperty& Property, double Value) {
    switch (Property.Type) {
    case TSheetType::Float:
        return QLocale::c().toString(Value, 'f', Property.Digits);
    case TSheetType::Hex:
        return QStringLiteral("0x") +
               QStringLiteral("%1").arg(qulonglong(Value), Property.Digits, 16, QLatin1Char('0')).toUpper();
    default:
        return QString::number(qlonglong(Value));
    }
}

TPropertySheet::TEditResult TPropertySheet::SetEdit(int Index, const QString& Text) {
    const size_t i = size_t(Index);
    if (i >= Properties.size())
        return erBadValue;
    if (FEdits.size() != Properties.size()) {
        FValues.resize(Properties.size());
        FTexts.resize(Properties.size());
        FEdits.resize(Properties.size());
    }
    const TSheetProperty& p = Properties[i];
    if (p.Access == TSheetAccess::ReadOnly || p.Type == TSheetType::Text)
        return erReadOnly;
    const std::optional<double> v = Parse(p, Text);
    if (!v)
        return erBadValue;
    if (*v < p.Min || *v > p.Max)
        return erOutOfLimits;
    if (FValues[i] && *FValues[i] == *v)
        FEdits[i].reset();
    else
        FEdits[i] = v;
    return erOk;
}

int TPropertySheet::WriteChanged() {
    for (size_t i = 0; i < FEdits.size(); ++i) {
        if (!FEdits[i])
            continue;
        const TSheetProperty& p = Properties[i];
        if (!p.Write || !p.Write(*FEdits[i]))
            return int(i);
        if (p.Access != TSheetAccess::WriteOnly)
            FValues[i] = FEdits[i];
        FEdits[i].reset();
    }
    return -1;
}

// ---- the tables ----

namespace {

std::function<bool()> FlashOf(TZUVOModule& Module) {
    return [&Module] {
        Module.SystemChannel().SaveToFlash();
        return Module.Ok;
    };
}

} // namespace

int ImpulseGeneratorOutputFor(quint32 TypeCode, int Row) {
    // KVD-DOF-BUS: its outputs are catalogue rows 2..7 in object order, the last two of them the
    // impulse generators.
    if (TypeCode == 19 && (Row == 6 || Row == 7))
        return Row - 2;
    return -1;
}

std::unique_ptr<TPropertySheet> ImpulseGeneratorSheet(TDOChannel& Output, TZUVOModule& Module) {
    const auto& t = Texts();
    auto sheet = std::make_unique<TPropertySheet>();
    TSheetProperty frequency =
        SheetProperty(t.FreqFrequency, TSheetType::Float, t.UnitHz, 0, 300000, TSheetAccess::ReadWrite, 2);
    frequency.Read = [&Output, &Module]() -> std::optional<double> {
        const float f = Output.ReadFrequency();
        return Module.Ok ? std::optional<double>(f) : std::nullopt;
    };
    frequency.Write = [&Output](double v) { return Output.SetFrequency(float(v)); };
    // Writing 0 is the only write the counter takes: it resets it.
    TSheetProperty counter =
        SheetProperty(t.FreqCounter, TSheetType::Integer, QString(), 0, 0, TSheetAccess::ReadWrite, 0);
    counter.Read = [&Output, &Module]() -> std::optional<double> {
        const quint32 n = Output.ReadPulseCount();
        return Module.Ok ? std::optional<double>(n) : std::nullopt;
    };
    counter.Write = [&Output](double) { return Output.ResetPulseCount(); };
    sheet->Properties = {frequency, counter};
    sheet->SaveToFlash = FlashOf(Module);
    return sheet;
}

std::unique_ptr<TPropertySheet> StreamControllerSheet(TAIKDataStreamController& Controller,
                                                      TZUVOModule& Module, int Inputs) {
    const auto& t = Texts();
    auto sheet = std::make_unique<TPropertySheet>();
    TSheetProperty frequency =
        SheetProperty(t.StreamFrequency, TSheetType::Float, t.UnitHz, 0, 100000, TSheetAccess::ReadWrite, 2);
    frequency.Read = [&Controller, &Module]() -> std::optional<double> {
        const float f = Controller.ReadFrequency();
        return Module.Ok ? std::optional<double>(f) : std::nullopt;
    };
    frequency.Write = [&Controller](double v) { return Controller.WriteFrequency(float(v)); };
    const int bits = std::clamp(Inputs, 1, 16);
    TSheetProperty mask = SheetProperty(t.StreamMask, TSheetType::Hex, QString(), 0, double((1u << bits) - 1),
                                        TSheetAccess::ReadWrite, 4);
    mask.Read = [&Controller, &Module]() -> std::optional<double> {
        const quint16 m = Controller.ReadChannelMask();
        return Module.Ok ? std::optional<double>(m) : std::nullopt;
    };
    mask.Write = [&Controller](double v) { return Controller.WriteChannelMask(quint16(v)); };
    TSheetProperty mode =
        SheetProperty(t.StreamMode, TSheetType::Hex, QString(), 0, 4294967295.0, TSheetAccess::ReadWrite, 8);
    mode.Read = [&Controller, &Module]() -> std::optional<double> {
        const quint32 m = Controller.ReadMode();
        return Module.Ok ? std::optional<double>(m) : std::nullopt;
    };
    mode.Write = [&Controller](double v) { return Controller.WriteMode(quint32(v)); };
    sheet->Properties = {frequency, mask, mode};
    sheet->SaveToFlash = FlashOf(Module);
    return sheet;
}

std::unique_ptr<TPropertySheet> MapConstructorSheet(TUMMCChannel& Channel, TZUVOModule& Module) {
    const auto& t = Texts();
    auto sheet = std::make_unique<TPropertySheet>();
    TPropertySheet* s = sheet.get();
    constexpr int kOrder16Row = 2, kOrder32Row = 3;
    sheet->ReadBlock = [&Channel] { return Channel.ReadConfig(); };
    const auto word = [&Channel](int w) {
        return [&Channel, w]() -> std::optional<double> { return double(Channel.ConfigWord(w)); };
    };
    TSheetProperty name =
        SheetProperty(t.MapName, TSheetType::Text, QString(), 0, 0, TSheetAccess::ReadOnly, 0);
    name.ReadText = [&Channel]() -> std::optional<QString> { return Channel.NameText(); };
    TSheetProperty base =
        SheetProperty(t.MapDataBase, TSheetType::Hex, QString(), 0, 0, TSheetAccess::ReadOnly, 4);
    base.Read = word(0);
    // Both orders travel in one options value, so writing either writes the pair as it now stands.
    const auto writeOrders = [&Channel, s](int Which, double v) {
        const double o16 = Which == 16 ? v : s->Value(kOrder16Row).value_or(0);
        const double o32 = Which == 32 ? v : s->Value(kOrder32Row).value_or(0);
        return Channel.WriteByteOrders(TUMMCChannel::ByteOrdersToOptions(quint32(o16), quint32(o32)));
    };
    TSheetProperty order16 =
        SheetProperty(t.MapOrder16, TSheetType::Integer, QString(), 0, 1, TSheetAccess::ReadWrite, 0);
    order16.Read = [&Channel]() -> std::optional<double> {
        return double((Channel.ByteOrderOptions() >> 2) & 1);
    };
    order16.Write = [writeOrders](double v) { return writeOrders(16, v); };
    TSheetProperty order32 =
        SheetProperty(t.MapOrder32, TSheetType::Integer, QString(), 0, 3, TSheetAccess::ReadWrite, 0);
    order32.Read = [&Channel]() -> std::optional<double> { return double(Channel.ByteOrderOptions() & 3); };
    order32.Write = [writeOrders](double v) { return writeOrders(32, v); };
    const auto value = [&](const QString& Name, int w, TSheetAccess Access) {
        TSheetProperty p = SheetProperty(Name, TSheetType::Integer, QString(), 0, 255, Access, 0);
        if (Access != TSheetAccess::WriteOnly)
            p.Read = [&Channel, w]() -> std::optional<double> {
                return double(quint8(Channel.ConfigWord(w)));
            };
        if (Access != TSheetAccess::ReadOnly)
            p.Write = [&Channel, w](double v) { return Channel.WriteConfigValue(w, quint16(v)); };
        return p;
    };
    sheet->Properties = {name,
                         base,
                         order16, // kOrder16Row
                         order32, // kOrder32Row
                         value(t.MapValue1, 1, TSheetAccess::ReadWrite),
                         value(t.MapValue2, 2, TSheetAccess::ReadWrite),
                         value(t.MapValue3, 3, TSheetAccess::ReadOnly),
                         value(t.MapValue6, 6, TSheetAccess::ReadOnly),
                         value(t.MapValue7, 7, TSheetAccess::ReadOnly),
                         value(t.MapValue14, 14, TSheetAccess::ReadOnly),
                         value(t.MapValue15, 15, TSheetAccess::WriteOnly)};
    sheet->SaveToFlash = FlashOf(Module);
    return sheet;
}
