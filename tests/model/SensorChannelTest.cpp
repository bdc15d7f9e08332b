// The special sensor channels (GVix protection unit, temperature, flowmeter, signalling system, flame
// controller, photosensor) against a scripted device on a pseudo-terminal that keeps their
// properties and their indexed lists, through the real bus, access point, protocol engine and
// accessor; their modules' register maps, over libmodbus as well.
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "model/AnalogInputModules.h"
#include "model/ModuleFactory.h"
#include "model/SensorChannelModules.h"
#include "model/SensorChannelTexts.h"
#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"
#include "support/ModbusSlave.h"
#include "support/NerixFrames.h"
#include "support/ScriptedDevice.h"
#include "support/SensorDevice.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr quint8 kAddress = 1;

quint32 Bits(float f) {
    return std::bit_cast<quint32>(f);
}

std::string W(int Property, quint32 Value) {
    return "w" + std::to_string(Property) + "=" + std::to_string(Value);
}
std::string WF(int Property, float Value) {
    return W(Property, Bits(Value));
}
std::string R(int Property) {
    return "r" + std::to_string(Property);
}
using TTrace = std::vector<std::string>;

class SensorChannels : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.Ok());
        dev.SetResponder([this](const QByteArray& r) { return device.Answer(r); });
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(60);
        ap.SetBus(&bus);
        ap.SetTryCount(1); // one request per transfer, so that the trace shows each once
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active()) << bus.LastError().toStdString();
    }
    void Attach(TZUVOModule& Module) {
        Module.SetAP(&ap);
        Module.SetAddress(kAddress);
    }
    // What went over the line since the last call, with the object of each request in Objects.
    TTrace Trace() {
        TTrace trace;
        Objects.clear();
        const auto requests = dev.Requests();
        for (size_t i = FSeen; i < requests.size(); ++i) {
            const QByteArray& r = requests[i];
            const auto property = (quint8(r[3]) << 8) | quint8(r[4]);
            const quint32 value = (quint32(quint8(r[5])) << 24) | (quint32(quint8(r[6])) << 16) |
                                  (quint32(quint8(r[7])) << 8) | quint8(r[8]);
            trace.push_back(r[1] == 1 ? W(property, value) : R(property));
            Objects.push_back(quint8(r[2]));
        }
        FSeen = requests.size();
        return trace;
    }

    TSensorDevice device; // outlives the device thread that answers from it
    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    QString text;
    std::vector<quint8> Objects;
    size_t FSeen = 0;
};

// --- GVix ------------------------------------------------------------------------------------------

TEST_F(SensorChannels, GVixTalksToObjectTwoAndChoosesConversionEntriesByIndex) {
    device.Set(2, 4, 2); // not 1: normalization is off
    device.Set(2, 5, 137);
    device.AddList(2, 6, {7}, 4, false);
    const float range[4] = {0.5f, 20.25f, -1.0f, 1e-7f};
    for (size_t i = 0; i < 4; ++i)
        device.SetEntry(2, 6, i, 0, Bits(range[i]));
    TKVDAVIX module;
    Attach(module);
    TGVixChannel channel(&module, 1, 0); // made for object 1, still the unit's object
    channel.NormalizationOn = true;
    ASSERT_TRUE(channel.ReadSettings(gvAll, text)) << text.toStdString();
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(module.Ok);
    EXPECT_FALSE(channel.NormalizationOn);
    EXPECT_EQ(channel.OutputRangeCode, 137);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(Bits(channel.ConversionRange[i]), Bits(range[i])) << i;
    EXPECT_EQ(Trace(), (TTrace{R(4), R(5), W(6, 0), R(7), W(6, 1), R(7), W(6, 2), R(7), W(6, 3), R(7)}));
    EXPECT_EQ(Objects, std::vector<quint8>(10, 2));

    device.Set(2, 4, 1);
    ASSERT_TRUE(module.GVix->ReadSettings(gvNormalizationOn, text));
    EXPECT_TRUE(module.GVix->NormalizationOn);
    Trace();
}

TEST_F(SensorChannels, GVixWritesAllButTheCommandAndTheCommandAlone) {
    for (quint16 p : {1, 2, 3, 4, 5, 8})
        device.Set(2, p, 0);
    device.AddList(2, 6, {7}, 4, false);
    TKVDAVIX module;
    Attach(module);
    TGVixChannel& g = *module.GVix;
    g.NormCoefficient1 = 1.5f;
    g.NormCoefficient2 = -0.25f;
    g.NormalizationOn = true;
    g.OutputValue = 12.5f;
    g.OutputRangeCode = 150;
    g.ConversionRange = {4.0f, 20.0f, 0.0f, 100.0f};
    ASSERT_TRUE(g.WriteSettings(gvAll, text)) << text.toStdString();
    EXPECT_TRUE(module.Modified);
    EXPECT_EQ(Trace(),
              (TTrace{WF(1, 1.5f), WF(2, -0.25f), W(4, 1), WF(3, 12.5f), W(5, 150), W(6, 0), WF(7, 4.0f),
                      W(6, 1), WF(7, 20.0f), W(6, 2), WF(7, 0.0f), W(6, 3), WF(7, 100.0f)}));
    EXPECT_EQ(device.Entry(2, 6, 3, 0), Bits(100.0f));
    EXPECT_EQ(g.ConversionRange[1], 20.0f);

    ASSERT_TRUE(g.WriteSettings(gvCommand, text));
    EXPECT_EQ(Trace(), (TTrace{W(8, 0)}));

    // A failing command is a failure with its text.
    device.SetRefuse([](bool write, quint8, quint16 p, quint32) { return write && p == 8; });
    EXPECT_FALSE(g.WriteSettings(gvCommand, text));
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(text, SensorChannelTexts().GVixWriteCommand);
    Trace();
}

TEST_F(SensorChannels, GVixFailuresStopAtTheirOwnStep) {
    device.Set(2, 4, 1);
    device.Set(2, 5, 3);
    device.AddList(2, 6, {7}, 2, false); // entries 2 and 3 are missing
    TKVDAVIX module;
    Attach(module);
    TGVixChannel& g = *module.GVix;
    EXPECT_FALSE(g.ReadSettings(gvAll, text));
    EXPECT_EQ(text, SensorChannelTexts().GVixReadConversionRanges);
    EXPECT_FALSE(module.Ok);
    EXPECT_TRUE(g.NormalizationOn); // the steps before keep what they read
    EXPECT_EQ(g.OutputRangeCode, 3);
    Trace();

    struct TCase {
        int Selector;
        quint16 Refused;
        QString TSensorChannelTexts::*Text;
        bool Write;
    };
    const TCase cases[] = {
        {gvNormalizationOn, 4, &TSensorChannelTexts::GVixReadNormalization, false},
        {gvOutputRange, 5, &TSensorChannelTexts::GVixReadOutputRange, false},
        {gvCoefficients, 2, &TSensorChannelTexts::GVixWriteCoefficients, true},
        {gvNormalizationOn, 4, &TSensorChannelTexts::GVixWriteNormalization, true},
        {gvOutputValue, 3, &TSensorChannelTexts::GVixWriteOutput, true},
        {gvOutputRange, 5, &TSensorChannelTexts::GVixWriteOutputRange, true},
        {gvAll, 5, &TSensorChannelTexts::GVixWriteOutputRange, true},
    };
    for (quint16 p : {1, 2, 3})
        device.Set(2, p, 0);
    for (const TCase& c : cases) {
        device.SetRefuse([c](bool, quint8, quint16 p, quint32) { return p == c.Refused; });
        module.Ok = true;
        const bool ok = c.Write ? g.WriteSettings(c.Selector, text) : g.ReadSettings(c.Selector, text);
        EXPECT_FALSE(ok) << c.Selector;
        EXPECT_FALSE(module.Ok) << c.Selector;
        EXPECT_EQ(text, SensorChannelTexts().*c.Text) << c.Selector;
    }
    // A selector the unit does not know transfers nothing.
    Trace();
    EXPECT_FALSE(g.ReadSettings(gvCommand, text));
    EXPECT_TRUE(Trace().empty());
}

// --- Temperature -----------------------------------------------------------------------------------

TEST_F(SensorChannels, TemperatureChannelsCopyTheirSettingsBothWays) {
    TKVDTCBUS module;
    Attach(module);
    ASSERT_EQ(module.ChannelCount(), 13);
    EXPECT_EQ(module.GetChannel(13), nullptr);
    EXPECT_EQ(module.GetChannel(-1), nullptr);
    TTermoChannel& c = *module.GetChannel(3);
    ASSERT_EQ(c.Accessor.ObjectNumber, 4);
    device.Set(1, 0, 9);
    device.Set(4, 1, 5); // any value but 0 is on
    device.Set(4, 2, Bits(-274.0f));
    device.Set(4, 3, 0);
    device.Set(4, 4, Bits(-10.5f));
    device.Set(4, 5, Bits(85.0f));
    device.Set(4, 6, 1);
    device.Set(4, 7, Bits(1.25f));
    device.Set(4, 8, Bits(70.0f));
    device.Set(4, 9, 1);
    device.Set(4, 10, Bits(3.0f));
    EXPECT_EQ(module.GetChannel(0)->ReadChannelCount(), 9);
    EXPECT_EQ(c.ReadTemperature(), TTermoChannel::kNoSensor);
    ASSERT_TRUE(c.ReadAll());
    EXPECT_TRUE(c.Enabled);
    EXPECT_FALSE(c.AlarmOn);
    EXPECT_EQ(c.AlarmLow, -10.5f);
    EXPECT_EQ(c.AlarmHigh, 85.0f);
    EXPECT_TRUE(c.RelayOn);
    EXPECT_EQ(c.RelayLow, 1.25f);
    EXPECT_EQ(c.RelayHigh, 70.0f);
    EXPECT_TRUE(c.RelayNormalState);
    EXPECT_EQ(c.AuxValue, 3.0f);
    EXPECT_EQ(Trace(), (TTrace{R(0), R(2), R(1), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(10)}));

    c.AlarmOn = true;
    c.AlarmHigh = 90.5f;
    ASSERT_TRUE(c.WriteAll());
    EXPECT_TRUE(module.Modified);
    EXPECT_EQ(Trace(), (TTrace{W(1, 1), W(3, 1), WF(4, -10.5f), WF(5, 90.5f), W(6, 1), WF(7, 1.25f),
                               WF(8, 70.0f), W(9, 1), WF(10, 3.0f)}));
    EXPECT_EQ(device.Get(4, 1), 1u); // the boolean went as 1

    // A refused write keeps the field, reports the failure and leaves the flash state alone.
    module.Modified = false;
    device.SetRefuse([](bool write, quint8, quint16 p, quint32) { return write && p == 5; });
    EXPECT_FALSE(c.WriteAlarmHigh(99.0f));
    EXPECT_FALSE(module.Ok);
    EXPECT_FALSE(module.Modified);
    EXPECT_EQ(c.AlarmHigh, 90.5f);
    // WriteAll stops there: nothing after the alarm's upper bound goes out.
    Trace();
    EXPECT_FALSE(c.WriteAll());
    EXPECT_EQ(Trace().back(), WF(5, 90.5f));
    // A successful write marks the module as not saved to flash.
    EXPECT_TRUE(c.WriteRelayOn(false));
    EXPECT_TRUE(module.Modified);
    EXPECT_FALSE(c.RelayOn);

    Trace();
    device.SetRefuse([](bool, quint8, quint16, quint32) { return true; });
    EXPECT_EQ(module.GetChannel(0)->ReadChannelCount(), -1);
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(c.ReadTemperature(), -1.0f);
    EXPECT_FALSE(module.Ok);
    EXPECT_FALSE(c.ReadAll());
    EXPECT_EQ(Trace().size(), 3u); // the full read stops at its first property
}

// --- Flowmeters ------------------------------------------------------------------------------------

TEST_F(SensorChannels, FlowMeasurementsAssembleTheSixtyFourBitCount) {
    TKVDRSVIXPro module;
    Attach(module);
    ASSERT_EQ(module.ChannelCount(), 4);
    EXPECT_EQ(module.GetChannel(4), nullptr);
    TFlowChannel& c = *module.GetChannel(1);
    device.Set(2, 2, 1);
    device.Set(2, 3, 0);
    device.Set(2, 4, 1);
    device.Set(2, 5, 2147483648u); // bit 31 of the low half belongs to the count, not to a sign
    device.Set(2, 6, Bits(50.0f));
    device.Set(2, 7, Bits(0.75f));
    device.Set(2, 8, Bits(1234.5f));
    ASSERT_TRUE(c.ReadMeasurements());
    EXPECT_TRUE(c.InputOn);
    EXPECT_FALSE(c.OutputOn);
    EXPECT_EQ(c.PulseCount, 6442450944LL);
    EXPECT_EQ(c.Frequency, 50.0f);
    EXPECT_EQ(c.FlowSpeed, 0.75f);
    EXPECT_EQ(c.Consumption, 1234.5f);
    EXPECT_EQ(Trace(), (TTrace{R(2), R(3), R(4), R(5), R(6), R(7), R(8)}));

    device.Set(2, 4, 0xFFFFFFFF); // a negative count
    device.Set(2, 5, 0xFFFFFFFE);
    ASSERT_TRUE(c.ReadMeasurements());
    EXPECT_EQ(c.PulseCount, -2);

    ASSERT_TRUE(c.ResetCounter());
    EXPECT_TRUE(module.Modified);
    EXPECT_EQ(device.Get(2, 5), 0u);
    Trace();
    device.SetRefuse([](bool, quint8, quint16 p, quint32) { return p == 6; });
    EXPECT_FALSE(c.ReadMeasurements());
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(Trace().back(), R(6));
}

TEST_F(SensorChannels, FlowSettingsRoundTripAndTheOutputOnlyForADiscreteOutput) {
    TKVDRSBUS module;
    Attach(module);
    ASSERT_EQ(module.ChannelCount(), 13);
    EXPECT_EQ(module.GetChannel(13), nullptr);
    for (quint16 p = 0; p <= 22; ++p)
        if (p != 13 && p != 14)
            device.Set(13, p, 0);
    device.AddList(13, 13, {14}, 6, true);
    TFlowChannel& c = *module.GetChannel(12);
    c.Enabled = true;
    c.CountingFront = true;
    c.ChannelType = fctPulseCounter;
    c.OutputOn = true;
    c.ResponseTime = 2.5f;
    c.ImpulseWeight = 0.01f;
    c.RelayNormalState = true;
    c.MeasureTime = 2000.0f;
    c.AlarmSource = fsConsumption;
    c.AlarmLow = 1.0f;
    c.AlarmHigh = 2.0f;
    c.RelaySource = fsFlowSpeed;
    c.RelayLow = 3.0f;
    c.RelayHigh = 4.0f;
    c.Polynomial = {0.0f, 1.0f, 2.0f, 3.0f, 4.0f, 1e-9f};
    ASSERT_TRUE(c.WriteAllSettings());
    const TTrace withoutOutput{W(1, 1),      W(10, 2),     W(9, 1),      WF(11, 2.5f), WF(12, 0.01f),
                               W(21, 1),     WF(22, 2000), W(15, 2),     WF(16, 1.0f), WF(17, 2.0f),
                               W(18, 1),     WF(19, 3.0f), WF(20, 4.0f), W(13, 0),     WF(14, 0.0f),
                               WF(14, 1.0f), WF(14, 2.0f), WF(14, 3.0f), WF(14, 4.0f), WF(14, 1e-9f)};
    EXPECT_EQ(Trace(), withoutOutput);
    EXPECT_TRUE(module.Modified);

    c.ChannelType = fctDiscreteOutput;
    ASSERT_TRUE(c.WriteAllSettings());
    const TTrace trace = Trace();
    ASSERT_GE(trace.size(), 3u);
    EXPECT_EQ(trace[1], W(10, 0));
    EXPECT_EQ(trace[2], W(3, 1));

    TKVDRSBUS fresh;
    Attach(fresh);
    TFlowChannel& back = *fresh.GetChannel(12);
    ASSERT_TRUE(back.ReadAllSettings());
    EXPECT_EQ(Trace(), (TTrace{R(1), R(9), R(10), R(11), R(12), R(15), R(16), R(17), R(18), R(19), R(20),
                               R(21), R(22)}));
    ASSERT_TRUE(back.ReadPolynomial());
    EXPECT_EQ(back.Enabled, true);
    EXPECT_EQ(back.CountingFront, true);
    EXPECT_EQ(back.ChannelType, fctDiscreteOutput);
    EXPECT_EQ(back.ResponseTime, 2.5f);
    EXPECT_EQ(back.ImpulseWeight, 0.01f);
    EXPECT_EQ(back.RelayNormalState, true);
    EXPECT_EQ(back.MeasureTime, 2000.0f);
    EXPECT_EQ(back.AlarmSource, fsConsumption);
    EXPECT_EQ(back.RelaySource, fsFlowSpeed);
    EXPECT_EQ(back.RelayHigh, 4.0f);
    EXPECT_EQ(back.Polynomial, c.Polynomial); // bit for bit, the smallest coefficient included

    // A polynomial that fails half-way is not taken.
    device.SetRefuse(
        [](bool write, quint8, quint16 p, quint32 v) { return write && p == 14 && v == Bits(7.0f); });
    EXPECT_FALSE(back.WritePolynomial({5.0f, 6.0f, 7.0f, 8.0f, 9.0f, 10.0f}));
    EXPECT_FALSE(fresh.Ok);
    EXPECT_EQ(back.Polynomial, c.Polynomial);
    // Nor is a value that is no number sent at all.
    Trace();
    device.SetRefuse({});
    EXPECT_FALSE(back.WriteAlarmLow(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ(Trace(), TTrace{});
    EXPECT_EQ(back.AlarmLow, 1.0f);
}

TEST(FlowChannel, DirectCounterPartnersStayInsideTheList) {
    struct TCase {
        int Index, Count, Partner;
    };
    const TCase cases[] = {{0, 13, 1}, {1, 13, 0}, {10, 13, 11}, {11, 13, 10}, {12, 13, -1},
                           {3, 4, 2},  {2, 4, 3},  {13, 13, -1}, {-1, 13, -1}, {0, 1, -1}};
    for (const TCase& c : cases)
        EXPECT_EQ(FlowPartnerIndex(c.Index, c.Count), c.Partner) << c.Index << " of " << c.Count;
}

// --- Signalling system -----------------------------------------------------------------------------

class AlarmSystem : public SensorChannels {
protected:
    void SetUp() override {
        SensorChannels::SetUp();
        device.Set(13, 0, 1);
        device.AddList(13, 2, {3, 4, 5, 6, 7, 8}, 13, false);
        for (size_t i = 0; i < 13; ++i) {
            device.SetEntry(13, 2, i, 0, i % 2);
            device.SetEntry(13, 2, i, 1, Bits(float(i)));
            device.SetEntry(13, 2, i, 2, Bits(float(i) + 0.5f));
            device.SetEntry(13, 2, i, 3, (i + 1) % 2);
            device.SetEntry(13, 2, i, 4, Bits(-float(i)));
            device.SetEntry(13, 2, i, 5, Bits(100.0f + float(i)));
        }
    }
};

TEST_F(AlarmSystem, TheTableTravelsWholeAndAFailedReadChangesNothing) {
    TKVDAIK12BUS module;
    Attach(module);
    TAlarmSystemChannel& a = *module.AlarmSystem;
    ASSERT_TRUE(a.ReadTable());
    EXPECT_TRUE(module.Ok);
    const TAlarmTable read = a.Table;
    EXPECT_TRUE(read.RelayNormalState);
    for (size_t i = 0; i < 13; ++i) {
        EXPECT_EQ(read.Alarms[i], (TAlarmEntry{i % 2 == 1, float(i), float(i) + 0.5f})) << i;
        EXPECT_EQ(read.Relays[i], (TAlarmEntry{i % 2 == 0, -float(i), 100.0f + float(i)})) << i;
    }
    const TTrace trace = Trace();
    ASSERT_EQ(trace.size(), 1u + 13u * 7u);
    EXPECT_EQ(TTrace(trace.begin(), trace.begin() + 9),
              (TTrace{R(0), W(2, 0), R(3), R(4), R(5), R(6), R(7), R(8), W(2, 1)}));
    for (quint8 o : Objects)
        EXPECT_EQ(o, 13);

    // Entry 7 does not answer: nothing of what was read before is kept.
    device.Set(13, 0, 0);
    device.SetRefuse([](bool write, quint8, quint16 p, quint32 v) { return write && p == 2 && v == 7; });
    EXPECT_FALSE(a.ReadTable());
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(a.Table, read);
    Trace();

    device.SetRefuse({});
    a.Table.RelayNormalState = false;
    a.Table.Alarms[12] = {true, -40.0f, 125.0f};
    a.Table.Relays[0] = {false, 0.25f, 0.75f};
    ASSERT_TRUE(a.WriteTable());
    EXPECT_TRUE(module.Modified);
    EXPECT_EQ(Trace().size(), 1u + 13u * 7u);
    EXPECT_EQ(device.Get(13, 0), 0u);
    EXPECT_EQ(device.Entry(13, 2, 12, 0), 1u);
    EXPECT_EQ(device.Entry(13, 2, 12, 1), Bits(-40.0f));
    EXPECT_EQ(device.Entry(13, 2, 0, 4), Bits(0.25f));
    EXPECT_EQ(device.Entry(13, 2, 0, 3), 0u);

    // A write stops at the first failure.
    device.SetRefuse([](bool write, quint8, quint16 p, quint32 v) { return write && p == 2 && v == 3; });
    EXPECT_FALSE(a.WriteTable());
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(Trace().back(), W(2, 3));
}

// --- Flame controller ------------------------------------------------------------------------------

class Flame : public SensorChannels {
protected:
    void SetUp() override {
        SensorChannels::SetUp();
        for (quint16 p : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 16, 19})
            device.Set(9, p, 0);
        device.AddList(9, 12, {13}, 6, true);
        device.AddList(9, 14, {15}, 4, true);
        device.AddList(9, 20, {21}, 4, true);
    }
};

TEST_F(Flame, ReadingAllFollowsTheTableAndFillsTheLists) {
    device.Set(9, 2, Bits(0.3f));
    device.Set(9, 3, Bits(4.5f));
    device.Set(9, 0, Bits(1.2f));
    device.Set(9, 1, 0x103); // the controller keeps its flags in the low byte
    device.Set(9, 4, 0x0A);
    device.Set(9, 5, 0x01020304);
    device.Set(9, 7, 0x80000001);
    device.Set(9, 10, Bits(0.6f));
    device.Set(9, 11, Bits(2.2f));
    device.Set(9, 9, 1);
    device.Set(9, 16, 2);
    device.Set(9, 19, 3);
    for (size_t i = 0; i < 4; ++i) {
        device.SetEntry(9, 14, i, 0, quint32(100 * (i + 1)));
        device.SetEntry(9, 20, i, 0, Bits(float(i) * 5.0f));
    }
    for (size_t i = 0; i < 6; ++i)
        device.SetEntry(9, 12, i, 0, Bits(0.1f * float(i + 1)));
    TKVDFLAMEBUS module;
    Attach(module);
    TFlameChannel& f = *module.FlameChannel();
    ASSERT_TRUE(f.ReadSettings(fcsAll, text)) << text.toStdString();
    EXPECT_EQ(f.ACLevel, 0.3f);
    EXPECT_EQ(f.ACMax, 4.5f);
    EXPECT_EQ(f.DCLevel, 1.2f);
    EXPECT_EQ(f.Algorithm, 3);
    EXPECT_EQ(f.DOMask, 0x0A);
    EXPECT_EQ(f.Version, 0x01020304u);
    EXPECT_EQ(f.RelayLags, (std::array<quint16, 4>{100, 200, 300, 400}));
    EXPECT_EQ(f.Status, 0x80000001u);
    EXPECT_EQ(f.AC, 0.6f);
    EXPECT_EQ(f.DC, 2.2f);
    EXPECT_EQ(f.Levels[5], 0.1f * 6.0f);
    EXPECT_EQ(f.Indication, TFlameChannel::kIndicationOff);
    EXPECT_EQ(f.ChannelEnabled, TFlameChannel::kChannel2Off);
    EXPECT_EQ(f.AOSource, 3);
    EXPECT_EQ(f.AOConversion, (std::array<float, 4>{0.0f, 5.0f, 10.0f, 15.0f}));
    EXPECT_EQ(Trace(), (TTrace{R(2),  R(3), R(0),  R(1),  R(4),     R(5),  W(14, 0), R(15), R(15), R(15),
                               R(15), R(7), R(10), R(11), W(12, 0), R(13), R(13),    R(13), R(13), R(13),
                               R(13), R(9), R(16), R(19), W(20, 0), R(21), R(21),    R(21), R(21)}));
    for (quint8 o : Objects)
        EXPECT_EQ(o, 9);
}

TEST_F(Flame, WritingAllRestartsAndCorrectsTheZeroAndFailuresNameTheirStep) {
    TKVDFLAMEDETECTORBUS module;
    Attach(module);
    TFlameChannel& f = *module.FlameChannel();
    f.ACLevel = 0.5f;
    f.DCLevel = 1.5f;
    f.Algorithm = TFlameChannel::kAutoRestart;
    f.DOMask = 0x05;
    f.RelayLags = {1, 2, 3, 4};
    f.Levels = {1, 2, 3, 4, 5, 6};
    f.Indication = 0;
    f.ChannelEnabled = TFlameChannel::kChannel1Off;
    f.AOSource = 2;
    f.AOConversion = {0.0f, 10.0f, 4.0f, 20.0f};
    ASSERT_TRUE(f.WriteSettings(fcsAll, text)) << text.toStdString();
    EXPECT_TRUE(module.Modified);
    EXPECT_EQ(Trace(), (TTrace{WF(2, 0.5f),  WF(0, 1.5f),  W(1, 2),   W(4, 5),   W(6, 1),      W(14, 0),
                               W(15, 1),     W(15, 2),     W(15, 3),  W(15, 4),  W(12, 0),     WF(13, 1),
                               WF(13, 2),    WF(13, 3),    WF(13, 4), WF(13, 5), WF(13, 6),    W(8, 0),
                               W(9, 0),      W(16, 1),     W(19, 2),  W(20, 0),  WF(21, 0.0f), WF(21, 10.0f),
                               WF(21, 4.0f), WF(21, 20.0f)}));
    EXPECT_EQ(device.Entry(9, 14, 3, 0), 4u);

    struct TCase {
        int Selector;
        quint16 Refused;
        QString TSensorChannelTexts::*Text;
        bool Write;
    };
    const TCase cases[] = {
        {fcsACLevel, 2, &TSensorChannelTexts::FlameReadACLevel, false},
        {fcsAlgorithm, 1, &TSensorChannelTexts::FlameReadAlgorithm, false},
        {fcsRelayLags, 15, &TSensorChannelTexts::FlameReadRelayLags, false},
        {fcsLevels, 12, &TSensorChannelTexts::SetLevels, false},
        {fcsIndication, 9, &TSensorChannelTexts::FlameReadDC, false},
        {fcsAnalogOutput, 21, &TSensorChannelTexts::FlameReadAOConversion, false},
        {fcsAll, 7, &TSensorChannelTexts::FlameReadStatus, false},
        {fcsDOMask, 4, &TSensorChannelTexts::FlameWriteDOMask, true},
        {fcsRestart, 6, &TSensorChannelTexts::FlameRestart, true},
        {fcsRelayLags, 14, &TSensorChannelTexts::FlameReadRelayLags, true},
        {fcsZeroCorrection, 8, &TSensorChannelTexts::FlameZeroCorrection, true},
        {fcsIndication, 9, &TSensorChannelTexts::FlameWriteIndication, true},
        {fcsChannelEnabled, 16, &TSensorChannelTexts::FlameWriteChannelEnabled, true},
        {fcsAll, 19, &TSensorChannelTexts::SetLevels, true},
    };
    for (const TCase& c : cases) {
        device.SetRefuse([c](bool, quint8, quint16 p, quint32) { return p == c.Refused; });
        module.Ok = true;
        const bool ok = c.Write ? f.WriteSettings(c.Selector, text) : f.ReadSettings(c.Selector, text);
        EXPECT_FALSE(ok) << c.Selector << (c.Write ? " write" : " read");
        EXPECT_FALSE(module.Ok) << c.Selector;
        EXPECT_EQ(text, SensorChannelTexts().*c.Text) << c.Selector << (c.Write ? " write" : " read");
    }
    // Selectors a direction does not know transfer nothing.
    Trace();
    device.SetRefuse({});
    EXPECT_FALSE(f.ReadSettings(fcsRestart, text));
    EXPECT_FALSE(f.WriteSettings(fcsStatus, text));
    EXPECT_TRUE(Trace().empty());
}

// --- Photosensor -----------------------------------------------------------------------------------

class FotoSensor : public SensorChannels {
protected:
    void SetUp() override {
        SensorChannels::SetUp();
        for (quint8 o : {1, 2}) {
            for (quint16 p : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 15, 16, 17, 19, 20})
                device.Set(o, p, 0);
            device.AddList(o, 10, {11}, 6, true);
        }
    }
};

TEST_F(FotoSensor, ThePolynomialRunsFromTheHighestCoefficientDown) {
    for (size_t k = 0; k < 6; ++k)
        device.SetEntry(2, 10, k, 0, Bits(float(k) + 10.0f)); // the k-th value the device gives
    device.Set(2, 2, Bits(25.0f));
    device.Set(2, 19, Bits(12.5f));
    device.Set(2, 3, Bits(0.2f));
    device.Set(2, 17, Bits(3.0f));
    device.Set(2, 4, Bits(2048.0f));
    device.Set(2, 5, Bits(36.6f));
    device.Set(2, 6, 7); // not zero: on
    device.Set(2, 7, Bits(1.65f));
    device.Set(2, 8, Bits(0.5f));
    device.Set(2, 14, Bits(30000.0f));
    device.Set(2, 9, 0);
    device.Set(2, 20, 0x105);
    device.Set(2, 0, Bits(12.0f));
    device.Set(2, 1, Bits(0.125f));
    TKVDFLAMEDETECTORBUS module;
    Attach(module);
    ASSERT_EQ(module.FotoSensorCount(), 2);
    EXPECT_EQ(module.FotoSensor(2), nullptr);
    EXPECT_EQ(module.AnalogInputCount(), 0);
    TFotoSensorChannel& s = *module.FotoSensor(1);
    ASSERT_TRUE(s.ReadSettings(pssAll, text)) << text.toStdString();
    EXPECT_EQ(Trace(), (TTrace{R(2), R(19), R(3), R(17), R(4), R(5), R(6), R(7), R(8), R(14), R(9), R(20),
                               W(10, 0), R(11), R(11), R(11), R(11), R(11), R(11)}));
    EXPECT_EQ(s.Polynomial, (std::array<float, 6>{15.0f, 14.0f, 13.0f, 12.0f, 11.0f, 10.0f}));
    EXPECT_EQ(s.FilterCutoff, 25.0f);
    EXPECT_EQ(s.FilterCutoff2, 12.5f);
    EXPECT_EQ(s.DetectorTimeConstant, 0.2f);
    EXPECT_EQ(s.JumpLevel, 3.0f);
    EXPECT_EQ(s.DACCode, 2048.0f);
    EXPECT_EQ(s.ChannelTemperature, 36.6f);
    EXPECT_TRUE(s.RegulatorOn);
    EXPECT_EQ(s.ADCVoltage, 1.65f);
    EXPECT_EQ(s.HPFCutoff, 0.5f);
    EXPECT_EQ(s.ADCCode, 30000.0f);
    EXPECT_FALSE(s.PolynomialOn);
    EXPECT_EQ(s.RecoveryCyclesCount, 5);
    EXPECT_EQ(s.ReadResult(), 12.0f);
    EXPECT_EQ(s.ReadAmplitude(), 0.125f);
    EXPECT_TRUE(module.Ok);
    Trace();

    // Written back in the device's order: entry 0 goes last, into the device's last place.
    s.Polynomial[0] = 99.0f;
    ASSERT_TRUE(s.WriteSettings(pssPolynomial, text));
    EXPECT_EQ(Trace(), (TTrace{W(10, 0), WF(11, 10.0f), WF(11, 11.0f), WF(11, 12.0f), WF(11, 13.0f),
                               WF(11, 14.0f), WF(11, 99.0f)}));
    EXPECT_EQ(device.Entry(2, 10, 0, 0), Bits(10.0f));
    EXPECT_EQ(device.Entry(2, 10, 5, 0), Bits(99.0f));
}

TEST_F(FotoSensor, WritingAllLeavesTheUnknownCoefficientsAlone) {
    device.Set(1, 15, Bits(0.9f)); // the device's own coefficients
    device.Set(1, 16, Bits(1.1f));
    TKVDFLAMEDETECTORBUS module;
    Attach(module);
    TFotoSensorChannel& s = *module.FotoSensor(0);
    s.FilterCutoff = 10.0f;
    s.FilterCutoff2 = 20.0f;
    s.DetectorTimeConstant = 0.5f;
    s.JumpLevel = 2.0f;
    s.DACCode = 100.0f;
    s.RegulatorOn = true;
    s.HPFCutoff = 1.0f;
    s.PolynomialOn = true;
    s.RecoveryCyclesCount = 3;
    s.Polynomial = {0, 1, 0, 0, 0, 0};
    ASSERT_TRUE(s.WriteSettings(pssAll, text)) << text.toStdString();
    EXPECT_TRUE(module.Modified);
    EXPECT_EQ(Trace(), (TTrace{WF(2, 10.0f), WF(19, 20.0f), WF(3, 0.5f), WF(17, 2.0f), WF(4, 100.0f), W(6, 1),
                               WF(8, 1.0f), W(9, 1), W(20, 3), W(10, 0), WF(11, 0), WF(11, 0), WF(11, 0),
                               WF(11, 0), WF(11, 1), WF(11, 0)}));
    EXPECT_EQ(device.Get(1, 15), Bits(0.9f));

    // Once set, they go out; the one not set still does not.
    s.NormCoefficient1 = 1.25f;
    ASSERT_TRUE(s.WriteSettings(pssNormCoefficients, text));
    EXPECT_EQ(Trace(), (TTrace{WF(15, 1.25f)}));
    s.NormCoefficient2 = 0.75f;
    ASSERT_TRUE(s.WriteSettings(pssNormCoefficients, text));
    EXPECT_EQ(Trace(), (TTrace{WF(15, 1.25f), WF(16, 0.75f)}));

    // Every failing step is a failure, also those the device's tables let pass.
    struct TCase {
        int Selector;
        quint16 Refused;
        QString TSensorChannelTexts::*Text;
        bool Write;
    };
    const TCase cases[] = {
        {pssDACCode, 4, &TSensorChannelTexts::FotoReadDACCode, false},
        {pssChannelTemperature, 5, &TSensorChannelTexts::FotoReadTemperature, false},
        {pssRegulatorOn, 6, &TSensorChannelTexts::FotoReadRegulator, false},
        {pssADCVoltage, 7, &TSensorChannelTexts::FotoReadRegulator, false},
        {pssPolynomial, 11, &TSensorChannelTexts::FotoReadPolynomial, false},
        {pssAll, 20, &TSensorChannelTexts::FotoReadRecoveryCycles, false},
        {pssNormCoefficients, 16, &TSensorChannelTexts::FotoWriteNormCoefficients, true},
        {pssPolynomial, 10, &TSensorChannelTexts::SetLevels, true},
        {pssAll, 17, &TSensorChannelTexts::FotoWriteJumpLevel, true},
    };
    for (const TCase& c : cases) {
        device.SetRefuse([c](bool, quint8, quint16 p, quint32) { return p == c.Refused; });
        module.Ok = true;
        const bool ok = c.Write ? s.WriteSettings(c.Selector, text) : s.ReadSettings(c.Selector, text);
        EXPECT_FALSE(ok) << c.Selector << (c.Write ? " write" : " read");
        EXPECT_FALSE(module.Ok) << c.Selector;
        EXPECT_EQ(text, SensorChannelTexts().*c.Text) << c.Selector << (c.Write ? " write" : " read");
    }
    device.SetRefuse([](bool, quint8, quint16, quint32) { return true; });
    EXPECT_EQ(s.ReadResult(), 0.0f);
    EXPECT_FALSE(module.Ok);
}

// --- Modules ---------------------------------------------------------------------------------------

TEST(SensorModules, EveryClassIsMadeForItsTypesWithItsObjects) {
    struct TCase {
        quint16 Type;
        const char* Class;
    };
    const TCase cases[] = {{15, "TKVDAVIX"},        {22, "TKVDTCBUS"},    {23, "TKVDRSBUS"},
                           {25, "TKVDAIK12BUS"},    {26, "TKVDFLAMEBUS"}, {27, "TKVDFLAMEDETECTORBUS"},
                           {36, "TKVDuHostVIXPro"}, {40, "TKVDRSVIXPro"}};
    for (const TCase& c : cases) {
        TModuleCreation made = CreateModuleForType(c.Type);
        ASSERT_TRUE(made.Module) << c.Type << " " << made.Why.toStdString();
        EXPECT_EQ(made.Module->ClassName(), QString::fromLatin1(c.Class));
    }
    TKVDAVIX vix;
    ASSERT_TRUE(vix.GVix);
    EXPECT_EQ(vix.GVix->Accessor.ObjectNumber, 2);
    EXPECT_EQ(vix.GVix->Module(), &vix);
    TKVDAIK12BUS aik;
    ASSERT_TRUE(aik.AlarmSystem);
    EXPECT_EQ(aik.AlarmSystem->Accessor().ObjectNumber, 13);

    TKVDFLAMEBUS flame;
    EXPECT_EQ(flame.AnalogInputCount(), 2);
    EXPECT_NE(flame.AnalogInput(1), nullptr);
    EXPECT_EQ(flame.AnalogInput(2), nullptr);
    EXPECT_NE(flame.DiscreteOutput(3), nullptr);
    EXPECT_EQ(flame.DiscreteOutput(4), nullptr);
    EXPECT_EQ(flame.DiscreteOutput(0)->Accessor.ObjectNumber, 3);
    EXPECT_EQ(flame.AnalogOutputCount(), 1);
    EXPECT_EQ(flame.AnalogOutput(0)->Accessor.ObjectNumber, 7);
    ASSERT_NE(flame.DIOManager(), nullptr);
    EXPECT_EQ(flame.FlameChannel()->Accessor.ObjectNumber, 9);
    TKVDFLAMEDETECTORBUS detector;
    EXPECT_EQ(detector.AnalogInput(0), nullptr);
    EXPECT_EQ(detector.FotoSensor(1)->Accessor.ObjectNumber, 2);
    EXPECT_EQ(detector.DiscreteOutput(3)->Accessor.ObjectNumber, 6);
}

TEST(SensorModules, RegisterMaps) {
    struct TCase {
        std::unique_ptr<TZUVOModule> Module;
        quint8 Object;
        quint16 Property;
        int Register; // -1: no register
    };
    std::vector<TCase> cases;
    auto add = [&](std::unique_ptr<TZUVOModule> m, quint8 o, quint16 p, int r) {
        cases.push_back({std::move(m), o, p, r});
    };
    add(std::make_unique<TKVDTCBUS>(), 1, 0, 256);
    add(std::make_unique<TKVDTCBUS>(), 13, 10, 13 * 256 + 20);
    add(std::make_unique<TKVDTCBUS>(), 5, 20, 5 * 256 + 28);
    add(std::make_unique<TKVDTCBUS>(), 5, 15, 5 * 256 + 30);
    add(std::make_unique<TKVDTCBUS>(), 5, 11, -1);
    add(std::make_unique<TKVDTCBUS>(), 14, 0, -1);
    add(std::make_unique<TKVDRSBUS>(), 13, 22, 13 * 256 + 44);
    add(std::make_unique<TKVDRSBUS>(), 13, 23, -1);
    add(std::make_unique<TKVDRSVIXPro>(), 4, 14, 4 * 256 + 28);
    add(std::make_unique<TKVDRSVIXPro>(), 5, 0, -1);
    add(std::make_unique<TKVDAIK12BUS>(), 13, 10, 3328 + 20);
    add(std::make_unique<TKVDAIK12BUS>(), 13, 11, -1);
    add(std::make_unique<TKVDFLAMEBUS>(), 2, 65, 2 * 256 + 36);
    add(std::make_unique<TKVDFLAMEBUS>(), 6, 8, 6 * 256 + 16 + 16);
    add(std::make_unique<TKVDFLAMEBUS>(), 7, 49, 1822);
    add(std::make_unique<TKVDFLAMEBUS>(), 7, 0, 1808);
    add(std::make_unique<TKVDFLAMEBUS>(), 8, 4, 2064 + 8);
    add(std::make_unique<TKVDFLAMEBUS>(), 9, 11, 2304 + 22);
    add(std::make_unique<TKVDFLAMEBUS>(), 9, 12, -1);
    add(std::make_unique<TKVDFLAMEDETECTORBUS>(), 2, 21, 512 + 42);
    add(std::make_unique<TKVDFLAMEDETECTORBUS>(), 3, 0, 3 * 256 + 16);
    add(std::make_unique<TKVDFLAMEDETECTORBUS>(), 9, 21, 2304 + 42);
    add(std::make_unique<TKVDFLAMEDETECTORBUS>(), 9, 22, -1);
    add(std::make_unique<TKVDAVIX>(), 2, 5, 512 + 10);
    for (quint16 p : {6, 7, 8})
        add(std::make_unique<TKVDAVIX>(), 2, p, -1);
    for (TCase& c : cases) {
        quint16 reg = 0;
        const bool found =
            c.Module->NerixModule().ModbusToNerix().Map().FindRegister(c.Object, c.Property, reg);
        const std::string what = c.Module->ClassName().toStdString() + " object " + std::to_string(c.Object) +
                                 " property " + std::to_string(c.Property);
        EXPECT_EQ(found, c.Register >= 0) << what;
        if (found && c.Register >= 0) {
            EXPECT_EQ(reg, c.Register) << what;
        }
    }
}

// Over the tunnelled protocol against an independent Modbus slave: the flame controller's registers
// carry its settings, and the GVix properties without a register fail before anything is sent.
TEST(SensorModules, TunnelledTransfersReachTheRegistersOrFailWithoutTraffic) {
    TModbusSlave slave(3, 4000);
    ASSERT_TRUE(slave.Ok());
    TPowerRsBus bus;
    bus.SetPortName(slave.PortPath());
    bus.SetInputTimeout(150);
    TComPortAccessPoint ap;
    ap.SetBus(&bus);
    ap.SetActive(true);
    ASSERT_TRUE(ap.Active()) << bus.LastError().toStdString();

    TKVDFLAMEBUS flame;
    flame.SetAP(&ap);
    flame.SetAddress(3);
    flame.SetTransferProtocol(tpModbus);
    slave.SetPair(2304 + 14, 0x00000011); // Status
    slave.SetPair(2304 + 8, 0x0000000F);  // DOMask
    QString text;
    TFlameChannel& f = *flame.FlameChannel();
    ASSERT_TRUE(f.ReadSettings(fcsStatus, text)) << text.toStdString();
    EXPECT_EQ(f.Status, 0x11u);
    ASSERT_TRUE(f.ReadSettings(fcsDOMask, text)) << text.toStdString();
    EXPECT_EQ(f.DOMask, 0x0F);
    f.Algorithm = 3;
    ASSERT_TRUE(f.WriteSettings(fcsAlgorithm, text)) << text.toStdString();
    EXPECT_EQ(slave.Pair(2304 + 2), 3u);

    TKVDAVIX vix;
    vix.SetAP(&ap);
    vix.SetAddress(3);
    vix.SetTransferProtocol(tpModbus);
    const int before = slave.Requests();
    EXPECT_FALSE(vix.GVix->ReadSettings(gvConversionRanges, text));
    EXPECT_EQ(text, SensorChannelTexts().GVixReadConversionRanges);
    EXPECT_FALSE(vix.GVix->WriteSettings(gvCommand, text));
    EXPECT_FALSE(vix.Ok);
    EXPECT_EQ(slave.Requests(), before);
    // What has a register goes through: the output range is property 5 of object 2.
    slave.SetPair(512 + 10, 42);
    ASSERT_TRUE(vix.GVix->ReadSettings(gvOutputRange, text)) << text.toStdString();
    EXPECT_EQ(vix.GVix->OutputRangeCode, 42);
}

} // namespace
