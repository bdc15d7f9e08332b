#include "model/Ranges.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// The catalogue written down group by group, the way the range sheets list it: codes, kind, the
// names in code order, where each unit starts, and the limits (read from the name when not given).
struct Group {
    std::vector<int> codes;
    const char* kind;
    QStringList names;
    std::vector<std::pair<int, const char*>> units; // unit from this code on
    std::vector<std::pair<double, double>> limits;  // empty: "a..b" or "~b" in the name
};

std::vector<int> Run(int first, int last) {
    std::vector<int> codes;
    for (int c = first; c <= last; ++c)
        codes.push_back(c);
    return codes;
}

QStringList Names(const char* commaSeparated) {
    return QString::fromUtf8(commaSeparated).split(QStringLiteral(", "));
}

const QStringList kThermoresistanceNames = Names(
    "TSM 50, TSM 100, TSP 50, TSP 100, TSP 500 (1.391), TSP 500 (1.385), TSP 1000, TS Gr.23 (53M), "
    "TS Gr.21 (46P), Pt 100 (1.3851), Pt 1000 (1.3851), TSP 1088, S 861, NI 1000 TK500, RTS 1000, NI 1000, "
    "NTC 20k, NTC 2k, NTC 50k, NTC 10k, NTC 1k");
const std::vector<std::pair<double, double>> kThermoresistanceLimits = {
    {-180, 200}, {-180, 200}, {-200, 1100}, {-200, 1100}, {-200, 1100}, {-200, 830}, {-200, 1100},
    {-50, 180},  {-200, 500}, {-200, 850},  {-200, 850},  {-200, 850},  {0, 150},    {-50, 150},
    {-50, 100},  {-50, 150},  {-50, 150},   {-50, 120},   {-50, 150},   {-50, 150},  {-50, 120}};

std::vector<Group> Catalogue() {
    QStringList fourWireNames;
    for (int i = 0; i < 16; ++i)
        fourWireNames << kThermoresistanceNames[i] + QStringLiteral(" - 4x");
    const std::vector<std::pair<double, double>> fourWireLimits(kThermoresistanceLimits.begin(),
                                                                kThermoresistanceLimits.begin() + 16);
    std::vector<int> alternatingVoltage = Run(256, 271);
    alternatingVoltage.insert(alternatingVoltage.begin(), 208);
    std::vector<int> bipolarCurrent = Run(722, 727);
    bipolarCurrent.insert(bipolarCurrent.end(), {729, 730});

    return {
        {Run(0, 15),
         "Voltage",
         Names("0..15 mV, 0..30 mV, 0..60 mV, 0..125 mV, 0..250 mV, 0..500 mV, 0..1 V, 0..2 V, "
               "0..5 V, 0..10 V, 0..20 V, 0..40 V, 0..80 V, 0..160 V, 0..300 V, 0..600 V"),
         {{0, "mV"}, {6, "V"}},
         {}},
        {Run(23, 38),
         "Bipolar voltage",
         Names("-15..+15 mV, -30..+30 mV, -60..+60 mV, -125..+125 mV, -250..+250 mV, -500..+500 mV, "
               "-1..+1 V, -2..+2 V, -5..+5 V, -10..+10 V, -20..+20 V, -40..+40 V, -80..+80 V, "
               "-160..+160 V, -300..+300 V, -600..+600 V"),
         {{0, "mV"}, {29, "V"}},
         {}},
        {Run(48, 61),
         "Resistance",
         Names("0..15 Ohm, 0..30 Ohm, 0..60 Ohm, 0..125 Ohm, 0..250 Ohm, 0..500 Ohm, 0..1 kOhm, 0..2 kOhm, "
               "0..5 kOhm, 0..10 kOhm, 0..20 kOhm, 0..40 kOhm, 0..80 kOhm, 0..160 kOhm"),
         {{0, "Ohm"}, {54, "kOhm"}},
         {}},
        {Run(80, 94),
         "Thermocouple",
         Names("Thermocouple TYPE B, Thermocouple TYPE E, Thermocouple TYPE J, Thermocouple TYPE K, "
               "Thermocouple TYPE N, Thermocouple TYPE R, Thermocouple TYPE S, Thermocouple TYPE T, "
               "Thermocouple BP 5/20 Gr.3, Thermocouple TYPE L, Thermocouple BP 5/20 Gr.68, "
               "Thermocouple TYPE C, Thermocouple TYPE A1, Thermocouple TYPE A2, Thermocouple TYPE A3"),
         {{0, "°C"}},
         {{0, 1820},
          {-270, 1000},
          {-210, 1200},
          {-210, 1370},
          {-270, 1300},
          {-50, 1760},
          {-50, 1760},
          {-270, 400},
          {0, 2500},
          {-200, 800},
          {0, 2500},
          {0, 2310},
          {0, 2500},
          {0, 1800},
          {0, 1800}}},
        {Run(112, 132), "Thermoresistance", kThermoresistanceNames, {{0, "°C"}}, kThermoresistanceLimits},
        {Run(144, 161),
         "Current",
         Names("0..1 mA, 0..2 mA, 0..5 mA, 1..5 mA, 0..10 mA, 0..20 mA, 4..20 mA, 0..50 mA, "
               "0..100 mA, 0..200 mA, 0..500 mA, 0..1 A, 0..2 A, 0..5 A, 0..50 uA, 0..100 uA, "
               "0..200 uA, 0..500 uA"),
         {{0, "mA"}, {155, "A"}, {158, "uA"}},
         {}},
        {Run(176, 181),
         "Frequency",
         Names("0..10 Hz, 0..100 Hz, 0..1 kHz, 0..10 kHz, 0..100 kHz, 0..1 MHz"),
         {{0, "Hz"}, {178, "kHz"}, {181, "MHz"}},
         {}},
        {alternatingVoltage,
         "Alternating voltage",
         Names("~15 mV, ~15 mV, ~30 mV, ~60 mV, ~125 mV, ~250 mV, ~500 mV, ~1 V, ~2 V, ~5 V, "
               "~10 V, ~20 V, ~40 V, ~80 V, ~160 V, ~300 V, ~600 V"),
         {{0, "mV"}, {262, "V"}},
         {}},
        {Run(512, 524),
         "Alternating current",
         Names("~1 mA, ~2 mA, ~5 mA, ~10 mA, ~20 mA, ~50 mA, ~100 mA, ~200 mA, ~500 mA, "
               "~1 A, ~2 A, ~5 A, ~10 A"),
         {{0, "mA"}, {521, "A"}},
         {}},
        {{544}, "Inductance", Names("0..10 mH"), {{0, "mH"}}, {}},
        {Run(560, 569),
         "Resistance - 4 wires",
         Names("0..15 Ohm - 4x, 0..30 Ohm - 4x, 0..60 Ohm - 4x, 0..125 Ohm - 4x, 0..250 Ohm - 4x, "
               "0..500 Ohm - 4x, 0..1 kOhm - 4x, 0..2 kOhm - 4x, 0..5 kOhm - 4x, 0..10 kOhm - 4x"),
         {{0, "Ohm"}, {566, "kOhm"}},
         {}},
        {Run(624, 639), "Thermoresistance - 4 wires", fourWireNames, {{0, "°C"}}, fourWireLimits},
        {{656}, "Bipolar voltage", Names("-15..+15 mV"), {{0, "mV"}}, {}},
        {{669}, "Bipolar voltage", Names("-160..+160 V"), {{0, "V"}}, {}},
        {bipolarCurrent,
         "Bipolar current",
         Names("-5..+5 mA, -10..+10 mA, -20..+20 mA, -50..+50 mA, -100..+100 mA, -200..+200 mA, -1..+1 A, "
               "-2..+2 A"),
         {{0, "mA"}, {729, "A"}},
         {}},
        {{0xFF00, 0xFF01, 0xFFFF},
         "Service",
         Names("Service range #1, Service range #2, EMPTY"),
         {{0, ""}},
         {{0, 100}, {0, 100}, {0, 0}}},
    };
}

std::pair<double, double> LimitsInName(const QString& name) {
    const QString number = name.section(QLatin1Char(' '), 0, 0);
    if (number.startsWith(QLatin1Char('~')))
        return {0, number.mid(1).toDouble()};
    const QStringList ends = number.split(QStringLiteral(".."));
    return {ends[0].toDouble(), ends[1].toDouble()};
}

TEST(RangeCatalogue, EveryCodeAgainstTheRangeSheets) {
    int index = 0;
    for (const Group& g : Catalogue()) {
        ASSERT_EQ(g.names.size(), qsizetype(g.codes.size())) << g.kind;
        for (size_t i = 0; i < g.codes.size(); ++i, ++index) {
            const auto code = quint16(g.codes[i]);
            SCOPED_TRACE(testing::Message() << "code " << code);
            const char* unit = "";
            for (const auto& [from, u] : g.units)
                if (code >= from)
                    unit = u;
            const auto [low, high] = g.limits.empty() ? LimitsInName(g.names[qsizetype(i)]) : g.limits[i];

            EXPECT_EQ(RangeCodeAt(index), code);
            EXPECT_EQ(RangeKind(code), QString::fromUtf8(g.kind));
            EXPECT_EQ(RangeName(code), g.names[qsizetype(i)]);
            EXPECT_EQ(RangeUnit(code), QString::fromUtf8(unit));
            EXPECT_EQ(RangeLow(code), low);
            EXPECT_EQ(RangeHigh(code), high);
            EXPECT_NE(RangeKindOf(code), rkNone);
        }
    }
    EXPECT_EQ(index, 176);
    EXPECT_EQ(RangeCodeCount(), 176);
}

TEST(RangeCatalogue, CodesOutsideTheCatalogueAndPastTheEnd) {
    for (quint16 code : {16, 22, 39, 95, 133, 207, 209, 255, 272, 545, 655, 728, 731, 1000, 0xFEFF, 0xFF02}) {
        EXPECT_EQ(RangeKindOf(code), rkNone) << code;
        EXPECT_TRUE(RangeName(code).isEmpty()) << code;
        EXPECT_TRUE(RangeKind(code).isEmpty()) << code;
        EXPECT_TRUE(RangeUnit(code).isEmpty()) << code;
        EXPECT_EQ(RangeLow(code), 0.0) << code;
        EXPECT_EQ(RangeHigh(code), 0.0) << code;
        EXPECT_EQ(RangeFormat(code), QStringLiteral("000.000")) << code;
    }
    EXPECT_EQ(RangeName(208), QStringLiteral("~15 mV"));
    EXPECT_EQ(RangeName(256), QStringLiteral("~15 mV"));
    EXPECT_EQ(RangeCodeAt(175), 0xFFFF);
    EXPECT_EQ(RangeCodeAt(176), 0xFFFF);
    EXPECT_EQ(RangeCodeAt(200), 0xFFFF);
    EXPECT_EQ(RangeCodeAt(-1), 0xFFFF);
}

TEST(RangeCatalogue, FormatFollowsTheUpperLimitWithItsExceptions) {
    const std::vector<std::pair<quint16, const char*>> formats = {
        {7, "0.00000"},   {181, "0.00000"}, {9, "00.0000"},      {0, "00.0000"},      {3, "000.000"},
        {5, "000.000"},   {80, "0000.00"},  {117, "000.000"},    {114, "0000.00"},    {23, "00.0000"},
        {25, "00.0000"},  {26, "00.0000"},  {27, "00.0000"},     {28, "00.0000"},     {29, "0.00000"},
        {730, "00.0000"}, {729, "0.00000"}, {87, "0000.00"},     {89, "0000.00"},     {88, "0000.00"},
        {626, "000.000"}, {627, "0000.00"}, {0xFF00, "000.000"}, {0xFFFF, "000.000"}, {1000, "000.000"},
    };
    for (const auto& [code, format] : formats)
        EXPECT_EQ(RangeFormat(code), QString::fromUtf8(format)) << code;
}

TEST(RangeList, LookUpsAddAndDelete) {
    TRangeList list;
    EXPECT_EQ(list.IndexOfCode(0), 255);
    EXPECT_FALSE(list.HasCode(0));
    EXPECT_EQ(list.FindCode(0), nullptr);
    EXPECT_EQ(list.Items(0), nullptr);
    EXPECT_EQ(list.AddCopy(nullptr), nullptr);
    EXPECT_EQ(list.Count(), 0);

    TRangeRec* first = list.AddRange(9, 1, 1.0f, 0.5f);
    first->MinValue = 3; // AddRange itself leaves the user scale at 0..0
    TRangeRec full{150, 2, 1.5f, -2.5f, 0xDEADBEEF, -1.0f, 21.0f};
    TRangeRec* copy = list.AddCopy(&full);
    list.AddRange(9, 7, 0, 0); // the same code twice: the first one is found
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(0), first);
    EXPECT_EQ(list.Items(0)->MaxValue, 0.0f);
    EXPECT_EQ(list.IndexOfCode(9), 0);
    EXPECT_EQ(list.FindCode(9), first);
    EXPECT_EQ(list.IndexOfCode(150), 1);
    ASSERT_NE(copy, &full);
    EXPECT_EQ(copy->Reserved, 0xDEADBEEFu);
    EXPECT_EQ(copy->MaxValue, 21.0f);
    EXPECT_EQ(list.NewRange()->Code, 0);

    list.Delete(7);
    list.Delete(-1);
    EXPECT_EQ(list.Count(), 4);
    list.Delete(0);
    EXPECT_EQ(list.Items(0), copy); // the others keep their place
    EXPECT_EQ(list.IndexOfCode(9), 1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.IndexOfCode(150), 255);
}

TEST(PrTbl, RowsFollowTheCatalogueInTheGivenLanguage) {
    TPrTbl table;
    ASSERT_EQ(table.Count(), RangeCodeCount());
    for (int i = 0; i < table.Count(); ++i) {
        const TPrTblRecord& rec = *table.Items(i);
        ASSERT_EQ(rec.Code, RangeCodeAt(i));
        EXPECT_EQ(rec.ParameterName, RangeKind(rec.Code)) << rec.Code;
        EXPECT_EQ(rec.Description, RangeName(rec.Code)) << rec.Code;
        EXPECT_EQ(rec.Unit, RangeUnit(rec.Code)) << rec.Code;
        EXPECT_EQ(rec.Low, RangeLow(rec.Code)) << rec.Code;
        EXPECT_EQ(rec.High, RangeHigh(rec.Code)) << rec.Code;
    }
    EXPECT_EQ(table.Items(176), nullptr);

    TRangeKindTexts ukrainian;
    ukrainian.Voltage = QStringLiteral("Напруга");
    ukrainian.Service = QStringLiteral("Сервіс");
    table.Rebuild(ukrainian);
    EXPECT_EQ(table.Count(), 176);
    EXPECT_EQ(table.ParameterName(9), QStringLiteral("Напруга"));
    EXPECT_EQ(table.ParameterName(0xFFFF), QStringLiteral("Сервіс"));
    EXPECT_EQ(table.ParameterName(150), QStringLiteral("Current")); // not translated: stays English
    EXPECT_EQ(table.Description(150), QStringLiteral("4..20 mA"));
    EXPECT_TRUE(table.BelongsTo(9, QStringLiteral("Напруга")));
    EXPECT_FALSE(table.BelongsTo(9, QStringLiteral("Voltage")));
    EXPECT_FALSE(table.BelongsTo(16, QString()));

    const TPrTblRecord rec = table.Record(83);
    EXPECT_EQ(rec.Kind, rkThermocouple);
    EXPECT_EQ(rec.Low, -210.0);
    EXPECT_EQ(rec.High, 1370.0);
    EXPECT_EQ(rec.Unit, QStringLiteral("°C"));
    const TPrTblRecord unknown = table.Record(16);
    EXPECT_EQ(unknown.Code, 0);
    EXPECT_EQ(unknown.Kind, rkNone);
    EXPECT_TRUE(unknown.ParameterName.isEmpty() && unknown.Description.isEmpty() && unknown.Unit.isEmpty());
}

} // namespace
