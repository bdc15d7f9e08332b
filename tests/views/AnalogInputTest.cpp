// The analog input window's rules without the window: its dialogs' checks and the calibration, the
// live display tick by tick, and what it does with the channel (opening, probes, flag switches,
// readings) against the emulated KVD-AIK-BUS and a scripted twelve-channel input on pseudo-terminals.
#include "views/AnalogInputChannel.h"
#include "views/AnalogInputDialogs.h"
#include "views/AnalogInputDisplay.h"

#include "AnalogInputObject.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "emulator/VirtualAnalogChannels.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "model/AnalogInputModules.h"
#include "support/PtyBridge.h"
#include "support/ScriptedDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

namespace {

// --- The dialogs' rules -------------------------------------------------------------------------

TEST(PolynomialCalibration, ThreePointsMakeTheParabolaAndEqualRawValuesMakeNone) {
    TPolynomialCalibration cal;
    std::array<double, 3> abc{9, 9, 9};
    EXPECT_EQ(cal.Compute(abc), TPolynomialCalibration::crIncomplete);
    const double raw[] = {1, 2, 3}, made[] = {1, 4, 9};
    for (int i = 0; i < 3; ++i) {
        cal.Set(i, TPolynomialCalibration::ccRaw, raw[i]);
        if (i < 2)
            cal.Set(i, TPolynomialCalibration::ccMade, made[i]);
    }
    EXPECT_FALSE(cal.Complete());
    cal.Set(2, TPolynomialCalibration::ccMade, made[2]);
    ASSERT_EQ(cal.Compute(abc), TPolynomialCalibration::crDone);
    EXPECT_NEAR(abc[0], 1, 1e-12);
    EXPECT_NEAR(abc[1], 0, 1e-12);
    EXPECT_NEAR(abc[2], 0, 1e-12);

    // Points in any order and of any sign: y = 2x^2 - 3x + 0.5.
    const double xs[] = {4, -1, 0.5};
    for (int i = 0; i < 3; ++i) {
        cal.Set(i, TPolynomialCalibration::ccRaw, xs[i]);
        cal.Set(i, TPolynomialCalibration::ccMade, 2 * xs[i] * xs[i] - 3 * xs[i] + 0.5);
    }
    ASSERT_EQ(cal.Compute(abc), TPolynomialCalibration::crDone);
    EXPECT_NEAR(abc[0], 2, 1e-9);
    EXPECT_NEAR(abc[1], -3, 1e-9);
    EXPECT_NEAR(abc[2], 0.5, 1e-9);

    // Two equal raw values have no parabola through them; nothing is computed.
    cal.Set(2, TPolynomialCalibration::ccRaw, 4.0);
    abc = {7, 7, 7};
    EXPECT_EQ(cal.Compute(abc), TPolynomialCalibration::crEqualRaw);
    EXPECT_EQ(abc, (std::array<double, 3>{7, 7, 7}));
    // A value taken away makes it incomplete again.
    cal.Set(0, TPolynomialCalibration::ccMade, std::nullopt);
    EXPECT_EQ(cal.Compute(abc), TPolynomialCalibration::crIncomplete);
    cal.Clear();
    EXPECT_FALSE(cal.Value(1, TPolynomialCalibration::ccRaw).has_value());
}

TEST(PolynomialCalibration, TheQuadraticCoefficientGoesToTheLastProperty) {
    // The device applies a0 + a1*x + a2*x^2 with a0..a2 in properties 37..39.
    const TPolynomialABC abc = AbcOf({0.5f, 2.0f, 3.0f});
    EXPECT_EQ(abc.A, 3.0);
    EXPECT_EQ(abc.B, 2.0);
    EXPECT_EQ(abc.C, 0.5);
    EXPECT_EQ(PolynomialOf({1, 0, 0}), (std::array<float, 3>{0, 0, 1}));
    // Coefficient edits: empty is 0, junk is nothing, seven decimals at most.
    EXPECT_EQ(CoefficientOf(QStringLiteral("  ")), 0.0);
    EXPECT_FALSE(CoefficientOf(QStringLiteral("1,2,3")).has_value());
    EXPECT_FALSE(CoefficientOf(QStringLiteral("nan")).has_value());
    EXPECT_EQ(*CoefficientOf(QStringLiteral("-2.5")), -2.5);
    EXPECT_EQ(CoefficientText(1.25), QStringLiteral("1.25"));
    EXPECT_EQ(CoefficientText(0), QStringLiteral("0"));
    EXPECT_EQ(CoefficientText(1.0 / 3), QStringLiteral("0.3333333"));
}

TEST(AnalogInputDialogs, FilterLedAndRmsChecks) {
    float cutoff = -7;
    quint16 response = 7;
    EXPECT_EQ(CheckFilterParams(QStringLiteral("-0.1"), QStringLiteral("5"), cutoff, response), fcBadCutoff);
    EXPECT_EQ(CheckFilterParams(QStringLiteral("12.5"), QStringLiteral("1.5"), cutoff, response),
              fcBadResponseTime);
    EXPECT_EQ(CheckFilterParams(QStringLiteral("12.5"), QStringLiteral("-1"), cutoff, response),
              fcBadResponseTime);
    // A time the device's 16 bits cannot hold would arrive as another number.
    EXPECT_EQ(CheckFilterParams(QStringLiteral("12.5"), QStringLiteral("65536"), cutoff, response),
              fcBadResponseTime);
    EXPECT_EQ(cutoff, -7.0f);
    EXPECT_EQ(response, 7);
    // Text that is no number counts as a cutoff of 0, "Filter Off".
    EXPECT_EQ(CheckFilterParams(QStringLiteral("off"), QStringLiteral("0"), cutoff, response), fcOk);
    EXPECT_EQ(cutoff, 0.0f);
    EXPECT_EQ(CheckFilterParams(QStringLiteral("12,5"), QStringLiteral(" 65535 "), cutoff, response), fcOk);
    EXPECT_EQ(cutoff, 12.5f);
    EXPECT_EQ(response, 65535);
    EXPECT_EQ(FilterCutoffText(-3), QStringLiteral("0.0"));
    EXPECT_EQ(FilterCutoffText(12.46f), QStringLiteral("12.5"));

    float low = 0, high = 0;
    EXPECT_FALSE(CheckLedLimits(QStringLiteral("5"), QStringLiteral("1"), low, high));
    EXPECT_EQ(low, 0.0f);
    EXPECT_TRUE(CheckLedLimits(QStringLiteral("-1.5"), QStringLiteral("-1.5"), low, high));
    EXPECT_EQ(low, -1.5f);
    EXPECT_TRUE(CheckLedLimits(QStringLiteral("x"), QStringLiteral("2"), low, high)); // no number: 0
    EXPECT_EQ(low, 0.0f);
    EXPECT_FALSE(CheckLedLimits(QStringLiteral("1"), QStringLiteral("y"), low, high));
    EXPECT_EQ(LedLimitText(1.123456f), QStringLiteral("1.12346"));
    EXPECT_EQ(LedLimitText(0), QStringLiteral("0"));

    bool error = false;
    const quint32 flags = 0x00C8003D;
    EXPECT_EQ(WithRmsPoints(flags, QStringLiteral("300"), error), 0x012C003Du);
    EXPECT_FALSE(error);
    EXPECT_EQ(WithRmsPoints(flags, QStringLiteral("65535"), error), 0xFFFF003Du);
    EXPECT_EQ(WithRmsPoints(flags, QStringLiteral("65536"), error), flags); // too large: unchanged
    EXPECT_FALSE(error);
    EXPECT_EQ(WithRmsPoints(flags, QStringLiteral("-1"), error), 0xFFFF003Du); // its low 16 bits
    EXPECT_EQ(WithRmsPoints(flags, QStringLiteral("12.5"), error), flags);
    EXPECT_TRUE(error);
    EXPECT_EQ(WithRmsPoints(flags, QString(), error), flags);
    EXPECT_TRUE(error);
}

TEST(AnalogInputDialogs, RangesByParameter) {
    TPrTbl table;
    TRangeList list;
    for (quint16 code : {6, 83, 48, 9, 115, 0xFF00})
        list.AddRange(code, 1, 1, 0);
    EXPECT_EQ(ParameterNamesOf(list, table, true),
              (QStringList{"Voltage", "Thermocouple", "Resistance", "Thermoresistance", "Service"}));
    EXPECT_EQ(ParameterNamesOf(list, table, false), (QStringList{"Voltage", "Resistance", "Service"}));
    EXPECT_EQ(RangeIndexesOf(list, table, QStringLiteral("Voltage")), (std::vector<int>{0, 3}));
    EXPECT_TRUE(RangeIndexesOf(list, table, QStringLiteral("Current")).empty());
    EXPECT_EQ(RangeItemText(6, table), QStringLiteral("[0x0006]  0..1 V"));
    EXPECT_EQ(RangeItemText(0xFF00, table), QStringLiteral("[0xFF00]  Service range #1"));
    TRangeRec rec;
    EXPECT_EQ(ScaleText(rec, false), QString()); // both ends equal: no scale
    rec.MaxValue = 20;
    rec.MinValue = -2.5f;
    EXPECT_EQ(ScaleText(rec, false), QStringLiteral("-2.500"));
    EXPECT_EQ(ScaleText(rec, true), QStringLiteral("20.000"));
    TRangeList empty;
    EXPECT_TRUE(ParameterNamesOf(empty, table, true).isEmpty());
}

// --- The live display -----------------------------------------------------------------------------

TEST(AnalogInputDisplay, ReadingsMoveTheZoneAndTheLedFollowsOnTheBlinkTimer) {
    TAiMeasuring m;
    EXPECT_TRUE(m.ControlsEnabled());
    m.Start(true);
    EXPECT_TRUE(m.Measuring());
    EXPECT_TRUE(m.Blinking());
    EXPECT_FALSE(m.ControlsEnabled());

    m.Reading(5, 0, 10);
    EXPECT_EQ(m.Zone(), dzWithin);
    EXPECT_TRUE(m.MarkerVisible());
    m.MarkerElapsed();
    EXPECT_FALSE(m.MarkerVisible());
    m.BlinkTick();
    EXPECT_TRUE(m.LedVisible());
    m.BlinkTick();
    EXPECT_TRUE(m.LedVisible()); // steady within the limits

    m.Reading(11, 0, 10);
    EXPECT_EQ(m.Zone(), dzAbove);
    m.BlinkTick();
    EXPECT_FALSE(m.LedVisible());
    m.BlinkTick();
    EXPECT_TRUE(m.LedVisible()); // blinking above the maximum

    m.Reading(-1, 0, 10);
    m.BlinkTick();
    EXPECT_FALSE(m.LedVisible());
    m.BlinkTick();
    EXPECT_FALSE(m.LedVisible()); // dark below the minimum
    // The limits themselves belong to the zone within.
    EXPECT_EQ(ZoneOf(0, 0, 10), dzWithin);
    EXPECT_EQ(ZoneOf(10, 0, 10), dzWithin);

    m.Reading(5, 0, 10);
    m.BlinkTick();
    m.Stop();
    EXPECT_FALSE(m.Measuring());
    EXPECT_FALSE(m.LedVisible());
    EXPECT_FALSE(m.MarkerVisible());
    EXPECT_TRUE(m.ControlsEnabled());

    // An integer result format: no blink timer, the LED stays dark.
    m.Start(false);
    EXPECT_FALSE(m.Blinking());
    m.Reading(5, 0, 10);
    m.BlinkTick();
    EXPECT_FALSE(m.LedVisible());
    m.Reset();
    EXPECT_EQ(m.Zone(), dzBelow);
    EXPECT_FALSE(m.Measuring());
}

TEST(AnalogInputDisplay, FlagsAndTheirTexts) {
    TAiChannelSupport all;
    TAiFlagsView v = FlagsViewOf(0x00000029, 0, all); // polynomial, integer of 3 bytes, sequence 2
    EXPECT_EQ(v.Polynomial, slOn);
    EXPECT_TRUE(v.PolynomialMarker);
    EXPECT_EQ(v.ThermoCompensation, slOff);
    EXPECT_EQ(v.ResultFormatIndex, 2);
    EXPECT_EQ(v.ByteSequenceIndex, 2);
    EXPECT_FALSE(v.InputSwitchVisible);
    EXPECT_EQ(FlagsViewOf(0xC, 0, all).ResultFormatIndex, -1); // no entry has 12
    v = FlagsViewOf(0x12, kInputSwitchTypeCode, all);
    EXPECT_TRUE(v.InputSwitchVisible);
    EXPECT_TRUE(v.InputOn);
    EXPECT_EQ(v.ThermoCompensation, slOn);

    TAiChannelSupport none;
    none.PolynomialSupported = false;
    none.LedLimitsSupported = false;
    v = FlagsViewOf(0x1, kProbedTypeCode, none);
    EXPECT_EQ(v.Polynomial, slUnsupported);
    EXPECT_FALSE(v.PolynomialMarker);
    EXPECT_FALSE(v.PolynomialLegend);
    EXPECT_FALSE(v.PolynomialEnabled);
    EXPECT_FALSE(v.LedLimitsEnabled);
    EXPECT_EQ(StateText(v.Polynomial), QStringLiteral("X"));
    // Only the twelve-channel model is ever greyed.
    EXPECT_TRUE(FlagsViewOf(0x1, 0, none).PolynomialEnabled);

    EXPECT_EQ(WithResultFormat(0xFFFFFFF3, 1), 0xFFFFFFF7u);
    EXPECT_EQ(WithResultFormat(0x8, 5), 0x8u);
    EXPECT_EQ(WithByteSequence(0x1, 3), 0x31u);
    EXPECT_EQ(WithInputSwitch(0x31, false), 0x21u);
    EXPECT_EQ(CutoffText(0), QString());
    EXPECT_EQ(CutoffText(4.999f), QStringLiteral("5.00"));
    EXPECT_EQ(ResultText(2.5f, true), QStringLiteral("3"));
    EXPECT_EQ(ResultText(-7.4f, true), QStringLiteral("-7"));
    EXPECT_EQ(ResultText(1.234567f, false), QStringLiteral("1.23457"));
    EXPECT_EQ(ResultText(NAN, true), QStringLiteral("NAN"));
    EXPECT_EQ(TemperatureText(25.16f), QStringLiteral("25.2"));
}

// --- Against the emulator -------------------------------------------------------------------------

class EmulatedAnalogInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bridge.Ok());
        emulator.AddDevices(0, 1);
        emulator.SetPortName(bridge.PathA());
        emulator.SetActive(true);
        ASSERT_TRUE(emulator.Active()) << emulator.LastError().toStdString();
        bus.SetPortName(bridge.PathB());
        bus.SetInputTimeout(150);
        ap.SetBus(&bus);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active());
        module.SetAP(&ap);
        module.SetAddress(1);
    }
    void TearDown() override {
        ap.SetActive(false);
        emulator.SetActive(false);
    }
    TCustomVirtualChannelAI& Virtual(int Index) {
        return static_cast<TCustomVirtualChannelAI&>(*emulator.DeviceAt(0)->ChannelAt(Index));
    }

    TPtyBridge bridge;
    TVirtualDeviceManager emulator;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TKVDAIKBUS module;
    std::vector<int> pauses;
    std::function<void(int)> pause = [this](int Ms) { pauses.push_back(Ms); };
};

TEST_F(EmulatedAnalogInput, OpeningReadsTheShortListAfterAPauseAndSwitchesNormalizationOn) {
    TSimpleChannel& c = *module.AnalogInput(1);
    QString text;
    c.Normalization = false;
    ASSERT_TRUE(c.WriteSettings(ssNormalization, text)) << text.toStdString();
    Virtual(1).SetInput(0.75f);

    TAiChannelSupport support;
    ASSERT_TRUE(LoadAnalogInputChannel(c, 0, support, pause));
    // The emulated inputs keep no user scale: the long list is refused, the short one read after a pause.
    EXPECT_FALSE(support.ExtendedRangesSupported);
    EXPECT_EQ(pauses, std::vector<int>{50});
    EXPECT_EQ(c.Ranges.Count(), 6);
    EXPECT_EQ(c.Ranges.Items(3)->Code, 48);
    EXPECT_TRUE(c.Normalization);
    EXPECT_TRUE(Virtual(1).Enabled());
    EXPECT_TRUE(support.PolynomialSupported); // only the twelve-channel model is asked
    EXPECT_TRUE(support.LedLimitsSupported);

    const TAiReading r = ReadMeasurement(c, boNAN);
    EXPECT_TRUE(r.Ok);
    EXPECT_FALSE(r.Integer);
    // The window reads values with seven decimals.
    EXPECT_NEAR(r.Value, Virtual(1).OutputAsFloat(), 1e-7);
    EXPECT_GE(r.Temperature, 25.0f);
    EXPECT_LT(r.Temperature, 25.2f);
    EXPECT_EQ(c.ValueOrder, boNAN); // put back after the reads

    // A flag switch shows what the device keeps: the emulated input keeps bit 0 only.
    SwitchFlags(c, afPolynomial | afThermoCompensation);
    EXPECT_EQ(c.Flags, quint32(afPolynomial));
    EXPECT_TRUE(Virtual(1).Settings().PolynomialEnabled);
}

TEST_F(EmulatedAnalogInput, ASilentDeviceDoesNotOpen) {
    module.SetAddress(9);
    TAiChannelSupport support;
    EXPECT_FALSE(LoadAnalogInputChannel(*module.AnalogInput(0), 0, support, pause));
    EXPECT_TRUE(pauses.empty());
}

// --- Against a scripted twelve-channel input --------------------------------------------------------

class ScriptedAnalogInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.Ok());
        dev.SetResponder([this](const QByteArray& r) { return object.Answer(r); });
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(60);
        ap.SetBus(&bus);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active());
        module.SetAP(&ap);
        module.SetAddress(7);
    }

    TAnalogInputObject object{7, 1};
    std::atomic<bool> mute{false};
    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TKVDAIK12BUS module;
    TSimpleChannel& channel = *module.AnalogInput(0);
    std::vector<int> pauses;
    std::function<void(int)> pause = [this](int Ms) { pauses.push_back(Ms); };
};

TEST_F(ScriptedAnalogInput, ADeviceThatDoesNotKeepThePolynomialBitIsProbedAndLeftAsItWas) {
    object.Set(4, 0x00640002); // thermocompensation, 100 RMS points
    object.Forget({4});
    TAiChannelSupport support;
    ASSERT_TRUE(LoadAnalogInputChannel(channel, kProbedTypeCode, support, pause));
    EXPECT_TRUE(support.ExtendedRangesSupported);
    EXPECT_TRUE(pauses.empty());
    EXPECT_EQ(channel.Ranges.Items(0)->MaxValue, 100.0f);
    EXPECT_FALSE(support.PolynomialSupported);
    EXPECT_TRUE(support.LedLimitsSupported);
    EXPECT_EQ(channel.Flags, 0x00640002u);
    EXPECT_EQ(object.Get(4), 0x00640002u);
    EXPECT_EQ(channel.LedLow, 0.0f);
    EXPECT_EQ(channel.LedHigh, 10.0f);
    EXPECT_EQ(object.Get(41), TAnalogInputObject::Bits(10.0f));

    // The probes, in order: flags toggled, read back, put back; limits raised, read back, put back.
    std::vector<QString> probes;
    const auto trace = object.Trace();
    const auto first = std::find(trace.begin(), trace.end(), QStringLiteral("w4=6553603"));
    ASSERT_NE(first, trace.end());
    probes.assign(first, trace.end());
    const std::vector<QString> expected = {"w4=6553603",
                                           "r4",
                                           "w4=6553602",
                                           QStringLiteral("w40=%1").arg(TAnalogInputObject::Bits(1.0f)),
                                           QStringLiteral("w41=%1").arg(TAnalogInputObject::Bits(11.0f)),
                                           "r40",
                                           "r41",
                                           QStringLiteral("w40=%1").arg(TAnalogInputObject::Bits(0.0f)),
                                           QStringLiteral("w41=%1").arg(TAnalogInputObject::Bits(10.0f))};
    EXPECT_EQ(probes, expected);
}

TEST_F(ScriptedAnalogInput, ADeviceWithoutLedLimitsIsToldAndAKeepingOneIsNot) {
    object.Forget({40, 41});
    TAiChannelSupport support;
    ASSERT_TRUE(LoadAnalogInputChannel(channel, kProbedTypeCode, support, pause));
    EXPECT_TRUE(support.PolynomialSupported);
    EXPECT_FALSE(support.LedLimitsSupported);
    EXPECT_EQ(object.Get(4), 0u);

    // Another model is not asked at all.
    object.ClearTrace();
    ASSERT_TRUE(LoadAnalogInputChannel(channel, 65, support, pause));
    EXPECT_TRUE(support.LedLimitsSupported);
    for (const QString& t : object.Trace())
        EXPECT_TRUE(!t.startsWith(QLatin1Char('w')) || t.startsWith(QLatin1String("w48=")))
            << t.toStdString();
}

TEST_F(ScriptedAnalogInput, IntegerResultsAreReadAsIntegersAndAFailedReadBackKeepsTheWrittenFlags) {
    object.Set(4, 0x4);
    object.Set(0, 1234);
    object.Set(50, 25);
    QString text;
    ASSERT_TRUE(channel.ReadSettings(ssFlags, text));
    object.ClearTrace();
    const TAiReading r = ReadMeasurement(channel, bo3210x10);
    EXPECT_TRUE(r.Integer);
    EXPECT_EQ(r.Value, 1234.0f);
    EXPECT_EQ(r.Temperature, 25.0f);
    EXPECT_EQ(object.Trace(), (std::vector<QString>{"r50", "r0"}));

    // The device takes the write, then stops answering before the read-back.
    dev.SetResponder([this](const QByteArray& r) {
        if (mute)
            return QByteArray();
        const QByteArray a = object.Answer(r);
        if (r[1] == 1)
            mute = true;
        return a;
    });
    SwitchFlags(channel, 0x5);
    EXPECT_EQ(channel.Flags, 0x5u);
    EXPECT_EQ(object.Get(4), 0x5u);
    // Nothing answers now: the flags stay as the device last accepted them, not the 0 of a failed read.
    SwitchFlags(channel, 0x7);
    EXPECT_EQ(channel.Flags, 0x5u);
}

} // namespace
