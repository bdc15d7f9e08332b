#include "emulator/VirtualInstruments.h"
#include "emulator/VirtualAnalogChannels.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "emulator/VirtualDiscreteChannels.h"
#include "model/Ranges.h"

#include "EmulatorRequests.h"

#include <QRandomGenerator>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Type codes of the emulated modules the tests use.
constexpr quint32 kAik = 0;  // four analog inputs
constexpr quint32 kAo = 2;   // four analog outputs
constexpr quint32 kDo = 5;   // eight outputs and two inputs (channels 9 and 10)
constexpr quint32 kDi = 10;  // eight inputs
constexpr quint32 kAik8 = 1; // eight analog inputs without auxiliary coefficients

TEST(InstrumentFormat, ByRangeCodeAndInstrument) {
    struct Row {
        quint16 Code;
        const char* Generator; // nullptr: no change
        const char* Tester;
    };
    // The edges of every span of the table, and codes just outside them.
    const Row rows[] = {
        {0, "00.0000", "00.0000"},   {2, "00.0000", "00.0000"},   {3, "000.000", "000.000"},
        {5, "000.000", "000.000"},   {6, "0.00000", "0.00000"},   {8, "0.00000", "0.00000"},
        {9, "00.0000", "00.0000"},   {12, "00.0000", "00.0000"},  {13, "000.000", "000.000"},
        {15, "000.000", "000.000"},  {16, nullptr, nullptr},      {47, nullptr, nullptr},
        {48, "00.0000", "00.0000"},  {50, "00.0000", "00.0000"},  {51, "000.000", "000.000"},
        {53, "000.000", "000.000"},  {54, "0.00000", "0.00000"},  {55, "0.00000", "0.00000"},
        {56, nullptr, nullptr},      {79, nullptr, nullptr},      {80, "0000.00", nullptr},
        {87, "0000.00", nullptr},    {88, nullptr, nullptr},      {111, nullptr, nullptr},
        {112, "0000.00", nullptr},   {115, "0000.00", nullptr},   {116, nullptr, nullptr},
        {143, nullptr, nullptr},     {144, "0.00000", "0.00000"}, {147, "0.00000", "0.00000"},
        {148, "00.0000", "00.0000"}, {151, "00.0000", "00.0000"}, {152, "000.000", "000.000"},
        {154, "000.000", "000.000"}, {155, "0.00000", "0.00000"}, {157, "0.00000", "0.00000"},
        {158, nullptr, nullptr},     {175, nullptr, nullptr},     {176, "00.0000", "00.0000"},
        {177, "000.000", "000.000"}, {178, "0.00000", "0.00000"}, {179, "00.0000", "00.0000"},
        {180, "000.000", "000.000"}, {181, "0.00000", "0.00000"}, {182, nullptr, nullptr},
        {0xFFFF, nullptr, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Code);
        const auto expect = [](const std::optional<QString>& got, const char* want) {
            if (want)
                EXPECT_EQ(got.value_or(QStringLiteral("none")), QString::fromLatin1(want));
            else
                EXPECT_FALSE(got.has_value()) << got->toStdString();
        };
        expect(InstrumentFormat(r.Code, true), r.Generator);
        expect(InstrumentFormat(r.Code, false), r.Tester);
    }
}

TEST(InstrumentRange, AnUnlistedCodeKeepsTheFormatShownBefore) {
    TInstrumentRange range;
    range.Load(6, true);
    EXPECT_EQ(range.Format, QStringLiteral("0.00000"));
    range.Load(16, true);
    EXPECT_EQ(range.Code, 16);
    EXPECT_EQ(range.Format, QStringLiteral("0.00000"));
    EXPECT_EQ(range.Low, RangeLow(16));
    EXPECT_EQ(range.High, RangeHigh(16));
    EXPECT_EQ(range.Unit, RangeUnit(16));
}

TEST(InstrumentConnection, OnlyDevicesWithChannelsOfTheKindAreOffered) {
    TVirtualDeviceManager manager;
    manager.AddDevices(kAo, 1);   // address 1
    manager.AddDevices(kAik, 1);  // 2
    manager.AddDevices(kDi, 1);   // 3
    manager.AddDevices(kDo, 1);   // 4
    manager.AddDevices(kAik8, 1); // 5
    const auto addresses = [&](TVirtualChannelKind kind) {
        std::vector<int> a;
        for (const TVirtualDevice* d : InstrumentDevices(manager, kind))
            a.push_back(d->Address());
        return a;
    };
    // The analog output module has no analog input: the generator does not offer it.
    EXPECT_EQ(addresses(vkAnalogInput), (std::vector<int>{2, 5}));
    EXPECT_EQ(addresses(vkAnalogOutput), (std::vector<int>{1}));
    // The output module's two inputs make it a place for the remote contact.
    EXPECT_EQ(addresses(vkDiscreteInput), (std::vector<int>{3, 4}));

    const std::vector<TCustomVirtualChannel*> inputs =
        InstrumentChannels(*manager.DeviceAt(3), vkDiscreteInput);
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(inputs[0]->Number(), 9);
    EXPECT_EQ(inputs[1]->Number(), 10);

    EXPECT_EQ(InstrumentDeviceText(*manager.DeviceAt(1), QStringLiteral("Address")),
              QStringLiteral("KVD-AIK-BUS Address = 2"));
    EXPECT_EQ(InstrumentDeviceText(*manager.DeviceAt(2), QStringLiteral("Адреса")),
              QStringLiteral("KVD-DIDC-BUS Адреса = 3"));

    // A real channel finds its stand-in by the bus address and its index among the kind.
    EXPECT_EQ(MatchingVirtualChannel(manager, 4, vkDiscreteInput, 1), inputs[1]);
    EXPECT_EQ(MatchingVirtualChannel(manager, 2, vkAnalogInput, 3)->Number(), 4);
    EXPECT_EQ(MatchingVirtualChannel(manager, 2, vkAnalogInput, 4), nullptr);
    EXPECT_EQ(MatchingVirtualChannel(manager, 2, vkAnalogInput, -1), nullptr);
    EXPECT_EQ(MatchingVirtualChannel(manager, 1, vkAnalogInput, 0), nullptr);
    EXPECT_EQ(MatchingVirtualChannel(manager, 9, vkAnalogOutput, 0), nullptr);

    // Freeing the devices tells whoever kept pointers.
    const quint32 generation = manager.DevicesGeneration();
    manager.AddDevices(kAik, 1);
    EXPECT_EQ(manager.DevicesGeneration(), generation);
    manager.ClearDevices();
    EXPECT_NE(manager.DevicesGeneration(), generation);
}

// The emulated input itself gets the value, on every tick, through SetInput.
TEST(Generator, BarAt25WithoutNoiseGivesTheMiddleOfTheRangeOnEveryTick) {
    TVirtualDeviceManager manager;
    manager.AddDevices(kAik, 1);
    TCustomVirtualChannel* channel = MatchingVirtualChannel(manager, 1, vkAnalogInput, 0);
    ASSERT_NE(channel, nullptr);
    QRandomGenerator random(7);
    for (quint16 code : {quint16(0), quint16(6), quint16(48), quint16(55)}) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(WriteReg(manager, 1, 1, 1, code));
        TInstrumentRange range;
        range.Load(static_cast<TCustomVirtualChannelAI*>(channel)->RangeCode(), true);
        ASSERT_EQ(range.Code, code);
        ASSERT_LT(range.Low, range.High);
        for (int tick = 0; tick < 20; ++tick) {
            const TGeneratorValues v = GeneratorValues(range, 25, 0, gwLevel, tick * 100, 10000, random);
            EXPECT_EQ(v.Noise, 0.0);
            channel->SetInput(float(v.Signal + v.Noise));
            EXPECT_FLOAT_EQ(channel->Input(), float((range.Low + range.High) / 2));
        }
    }
}

TEST(Generator, FullNoiseStaysWithinTheTwoHundredthOfTheSpanAndVaries) {
    TInstrumentRange range;
    range.Load(55, true);
    const double span = range.Span();
    ASSERT_GT(span, 0);
    QRandomGenerator random(1);
    double lowest = 1e300, highest = -1e300;
    for (int i = 0; i < 5000; ++i) {
        const TGeneratorValues v = GeneratorValues(range, 10, kGeneratorBarMax, gwLevel, 0, 0, random);
        EXPECT_EQ(v.Signal, range.Low + span / 50 * 10);
        EXPECT_LE(std::fabs(v.Noise), span / 200 + 1e-12);
        lowest = std::min(lowest, v.Noise);
        highest = std::max(highest, v.Noise);
    }
    // Noise that never moved would pass the bound too.
    EXPECT_GT(highest - lowest, span / 200);
}

TEST(Generator, AnEmptySpanGivesTheSingleValueAndNoNoise) {
    TInstrumentRange range;
    range.Low = range.High = 4.5;
    QRandomGenerator random(3);
    for (int bar : {0, 25, 50})
        for (TGeneratorWave wave : {gwLevel, gwSine, gwRamp}) {
            const TGeneratorValues v =
                GeneratorValues(range, bar, kGeneratorBarMax, wave, 1234, 1000, random);
            EXPECT_EQ(v.Signal, 4.5);
            EXPECT_EQ(v.Noise, 0.0);
        }
    // Limits the wrong way round draw no noise either, rather than from an empty range.
    range.Low = 10;
    range.High = 0;
    EXPECT_EQ(GeneratorValues(range, 25, kGeneratorBarMax, gwLevel, 0, 0, random).Noise, 0.0);
}

TEST(Generator, SineAndRampRunFromTheLowLimitUpToTheLevel) {
    TInstrumentRange range;
    range.Low = -10;
    range.High = 10;
    QRandomGenerator random(5);
    const auto signal = [&](TGeneratorWave wave, qint64 ms) {
        return GeneratorValues(range, 50, 0, wave, ms, 4000, random).Signal;
    };
    EXPECT_DOUBLE_EQ(signal(gwSine, 0), -10);
    EXPECT_DOUBLE_EQ(signal(gwSine, 2000), 10);
    EXPECT_NEAR(signal(gwSine, 1000), 0, 1e-9);
    EXPECT_DOUBLE_EQ(signal(gwSine, 4000), -10);
    EXPECT_DOUBLE_EQ(signal(gwRamp, 0), -10);
    EXPECT_DOUBLE_EQ(signal(gwRamp, 1000), -5);
    EXPECT_DOUBLE_EQ(signal(gwRamp, 3999), -10 + 20 * 3999.0 / 4000);
    EXPECT_DOUBLE_EQ(signal(gwRamp, 4000), -10);
    // A level of 25 tops the waves at the middle of the range.
    EXPECT_DOUBLE_EQ(GeneratorValues(range, 25, 0, gwSine, 2000, 4000, random).Signal, 0);
}

// The remote contact on a real emulated input: its state comes from the input's own rule.
TEST(RemoteContact, StatesWithLineCheckOnAndOff) {
    TVirtualDeviceManager manager;
    manager.AddDevices(kDi, 1);
    TCustomVirtualChannel* input = MatchingVirtualChannel(manager, 1, vkDiscreteInput, 2);
    ASSERT_NE(input, nullptr);
    struct Row {
        bool LineCheck, Relay, Break;
        quint32 State;
    };
    const Row rows[] = {
        {true, false, false, 1},  {true, true, false, 0},  {true, false, true, 2},  {true, true, true, 2},
        {false, false, false, 1}, {false, true, false, 0}, {false, false, true, 0}, {false, true, true, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.LineCheck << r.Relay << r.Break);
        ASSERT_TRUE(WriteReg(manager, 1, input->Number(), 8, r.LineCheck ? 1 : 0));
        input->SetInput(ContactInput(r.Relay, r.Break));
        EXPECT_EQ(input->Output(), r.State);
        EXPECT_EQ(ReadReg(manager, 1, input->Number(), 0), r.State);
    }
}

TEST(InstrumentChartData, TheAxisOnlyWidensAndTheChartKeepsThirtySeconds) {
    TWideningAxis axis;
    EXPECT_TRUE(axis.Empty());
    axis.Include(0);
    EXPECT_LT(axis.Min(), axis.Max()); // never zero height
    axis.Include(100);
    EXPECT_DOUBLE_EQ(axis.Max(), 100 * (1 + 1e-6));
    axis.Include(50);
    EXPECT_DOUBLE_EQ(axis.Max(), 100 * (1 + 1e-6));
    axis.Include(-20);
    EXPECT_DOUBLE_EQ(axis.Min(), -20 * (1 + 1e-6));
    axis.Include(std::nan(""));
    EXPECT_DOUBLE_EQ(axis.Min(), -20 * (1 + 1e-6));
    axis.Clear();
    EXPECT_TRUE(axis.Empty());

    std::vector<QPointF> points;
    for (int ms = 0; ms <= 40000; ms += 100)
        points.emplace_back(ms, ms);
    TrimChartPoints(points, 40000);
    ASSERT_FALSE(points.empty());
    EXPECT_EQ(points.front().x(), 10000);
    EXPECT_EQ(points.back().x(), 40000);
    TrimChartPoints(points, 100000);
    EXPECT_TRUE(points.empty());
}

} // namespace
