// The analog input channel and its models: against the emulated KVD-AIK-BUS over a pair of bridged
// pseudo-terminals (the emulator in this process, the master through the real bus, access point and
// protocol engine), and against a scripted object for the orders and faults the emulator does not
// show.
#include "model/SimpleChannel.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "emulator/VirtualChannel.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "model/AnalogInputModules.h"
#include "model/ChannelTexts.h"
#include "model/Helper.h"
#include "model/ModuleFactory.h"
#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"
#include "support/NerixFrames.h"
#include "support/PtyBridge.h"
#include "support/ScriptedDevice.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

quint32 Bits(float f) {
    return std::bit_cast<quint32>(f);
}

// --- Against the emulator ---------------------------------------------------------------------

class EmulatedInput : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        ASSERT_TRUE(bridge.Ok());
        emulator.AddDevices(0, 1); // KVD-AIK-BUS at address 1
        emulator.SetProtocol(GetParam());
        emulator.SetPortName(bridge.PathA());
        emulator.SetActive(true);
        ASSERT_TRUE(emulator.Active()) << emulator.LastError().toStdString();
        bus.SetPortName(bridge.PathB());
        bus.SetInputTimeout(150);
        ap.SetBus(&bus);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active()) << bus.LastError().toStdString();
        module.SetAP(&ap);
        module.SetAddress(1);
        module.SetTransferProtocol(GetParam() == TVirtualDeviceManager::kProtocolModbus ? tpModbus : tpNerix);
    }
    void TearDown() override {
        ap.SetActive(false);
        emulator.SetActive(false);
    }
    TCustomVirtualChannel* Virtual(int Index) { return emulator.DeviceAt(0)->ChannelAt(Index); }

    TPtyBridge bridge;
    TVirtualDeviceManager emulator;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TKVDAIKBUS module;
    QString text;
};

TEST_P(EmulatedInput, ReadsEverySettingOfANewChannel) {
    TSimpleChannel& c = *module.AnalogInput(1);
    c.Flags = 0xFFFF;
    ASSERT_TRUE(c.ReadSettings(ssCommon, text)) << text.toStdString();
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(module.Ok);
    EXPECT_EQ(c.AccuracyClass, 1);
    EXPECT_EQ(c.RangeCode, 0);
    EXPECT_EQ(c.RangeCount, 6);
    ASSERT_EQ(c.Ranges.Count(), 6);
    const quint16 codes[] = {0, 6, 9, 48, 51, 55};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(c.Ranges.Items(i)->Code, codes[i]);
        EXPECT_EQ(c.Ranges.Items(i)->Attribute, 1);
        EXPECT_EQ(c.Ranges.Items(i)->Coefficient1, 1.0f);
        EXPECT_EQ(c.Ranges.Items(i)->Coefficient2, 0.0f);
    }
    EXPECT_NEAR(c.FilterCutoff, 5.0f, 1e-4f);
    EXPECT_EQ(c.ResponseTime, 0);
    EXPECT_TRUE(c.Normalization);
    EXPECT_EQ(c.Polynomial, (std::array<float, 3>{0.0f, 1.0f, 0.0f}));
    EXPECT_EQ(c.Flags, 0u);
    EXPECT_EQ(c.LedLow, 1.0f);
    EXPECT_EQ(c.LedHigh, 1.0f);

    // The emulator numbers the user scale's fields beyond what it keeps: the extended list is refused.
    EXPECT_FALSE(c.ReadSettings(ssRangeListWithScale, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при считывании списка диапазонов"));
    EXPECT_FALSE(module.Ok);
}

TEST_P(EmulatedInput, WritesEachSettingAndReadsItBack) {
    TSimpleChannel& w = *module.AnalogInput(2);
    w.RangeCode = 48;
    w.FilterCutoff = 10.0f;
    w.ResponseTime = 3;
    w.Polynomial = {0.5f, 2.0f, -1.25e-7f};
    w.Flags = afPolynomial;
    w.LedLow = -1.0f;
    w.LedHigh = 7.5f;
    for (int selector : {ssRangeCode, ssFilterCutoff, ssResponseTime, ssPolynomial, ssFlags, ssLedLimits}) {
        EXPECT_TRUE(w.WriteSettings(selector, text)) << selector << ": " << text.toStdString();
        EXPECT_TRUE(module.Ok);
    }

    TKVDAIKBUS other;
    other.SetAP(&ap);
    other.SetAddress(1);
    other.SetTransferProtocol(module.TransferProtocol());
    TSimpleChannel& r = *other.AnalogInput(2);
    ASSERT_TRUE(r.ReadSettings(ssCommon, text)) << text.toStdString();
    EXPECT_EQ(r.RangeCode, 48);
    EXPECT_NEAR(r.FilterCutoff, 10.0f, 1e-4f);
    EXPECT_EQ(r.ResponseTime, 3);
    EXPECT_EQ(r.Polynomial, w.Polynomial);
    EXPECT_EQ(r.Flags, quint32(afPolynomial));
    EXPECT_EQ(r.LedLow, -1.0f);
    EXPECT_EQ(r.LedHigh, 7.5f);
    // Channel 3 only: its neighbours keep their settings.
    ASSERT_TRUE(other.AnalogInput(1)->ReadSettings(ssRangeCode, text));
    EXPECT_EQ(other.AnalogInput(1)->RangeCode, 0);
}

TEST_P(EmulatedInput, RefusedWritesGiveTheirTextsAndTheFullWriteStopsAtTheExtendedList) {
    TSimpleChannel& c = *module.AnalogInput(0);
    ASSERT_TRUE(c.ReadSettings(ssCommon, text)) << text.toStdString();

    c.FilterCutoff = 60.0f; // above what the device takes
    EXPECT_FALSE(c.WriteSettings(ssFilterCutoff, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при записи частоты среза фильтра."));
    EXPECT_FALSE(module.Ok);

    c.RangeCode = 7; // not in the device's list
    EXPECT_FALSE(c.WriteSettings(ssRangeCode, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при записи текущего диапазона."));
    c.RangeCode = 9;

    c.ResponseTime = 255;
    EXPECT_FALSE(c.WriteSettings(ssResponseTime, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при записи времени отклика."));
    c.ResponseTime = 2;
    c.FilterCutoff = 5.0f;

    // The device refuses the selector of the user scale's fields: the step reports it as the
    // list it cannot reach, and the steps after it are not written.
    module.Modified = false;
    EXPECT_FALSE(c.WriteSettings(ssCommon, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при считывании списка диапазонов"));
    EXPECT_FALSE(module.Ok);
    EXPECT_TRUE(module.Modified);
    ASSERT_TRUE(c.ReadSettings(ssRangeCode, text));
    EXPECT_EQ(c.RangeCode, 9);
    ASSERT_TRUE(c.ReadSettings(ssResponseTime, text));
    EXPECT_EQ(c.ResponseTime, 0);
}

TEST_P(EmulatedInput, ValueAndTemperatureReadsPutTheFrameOrderBack) {
    Virtual(3)->SetInput(12.5f);
    TSimpleChannel& c = *module.AnalogInput(3);
    c.Flags = 0x30; // order code 3 while no order is set: must not be used with bo3210x10
    c.ValueOrder = bo3210x10;
    const float value = c.ReadValue();
    EXPECT_TRUE(module.Ok);
    EXPECT_EQ(value, std::bit_cast<float>(Virtual(3)->Output()));
    EXPECT_EQ(c.LastValue, value);
    const float t = c.ReadTemperature();
    EXPECT_TRUE(module.Ok);
    EXPECT_GE(t, 25.0f);
    EXPECT_LE(t, 25.2f);
    EXPECT_EQ(module.NerixModule().Buffer().ValueOrder, boNAN);
    EXPECT_EQ(module.NerixModule().Buffer().FallbackOrder, 0);

    // The device stops answering: Ok turns False and the last value comes back, not the
    // temperature read in between.
    emulator.SetActive(false);
    EXPECT_EQ(c.ReadValue(), value);
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(c.ReadTemperature(), t);
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(module.NerixModule().Buffer().ValueOrder, boNAN);
    EXPECT_EQ(module.NerixModule().Buffer().FallbackOrder, 0);
}

INSTANTIATE_TEST_SUITE_P(Protocols, EmulatedInput,
                         ::testing::Values(int(TVirtualDeviceManager::kProtocolNerix),
                                           int(TVirtualDeviceManager::kProtocolModbus)),
                         [](const auto& info) { return info.param == 0 ? "Nerix" : "Modbus"; });

// --- Against a scripted object ------------------------------------------------------------------

constexpr quint8 kAddress = 7;
constexpr quint8 kObject = 2;

// Object 2 of device 7: a property table and a range list of six fields per range behind the
// selector (48) and field (49). Properties 0 and 50 answer in the wire order of ValueCode. A property
// that is not in the table is not answered, nor is a request that Refuse picks; Corrupt picks requests
// whose answers arrive with a flipped bit.
class InputObject {
public:
    using TRange = std::array<quint32, 6>;
    using TPick = std::function<bool(bool write, quint16 property, quint32 selector)>;

    void Set(quint16 property, quint32 value) {
        std::lock_guard lock(FMutex);
        FProps[property] = value;
    }
    quint32 Get(quint16 property) const {
        std::lock_guard lock(FMutex);
        const auto it = FProps.find(property);
        return it == FProps.end() ? 0 : it->second;
    }
    void SetRanges(std::vector<TRange> ranges) {
        std::lock_guard lock(FMutex);
        FRanges = std::move(ranges);
    }
    void SetValueCode(int code) {
        std::lock_guard lock(FMutex);
        FValueCode = code;
    }
    void SetRefuse(TPick pick) {
        std::lock_guard lock(FMutex);
        FRefuse = std::move(pick);
    }
    void SetCorrupt(TPick pick) {
        std::lock_guard lock(FMutex);
        FCorrupt = std::move(pick);
    }

    QByteArray Answer(const QByteArray& r) {
        std::lock_guard lock(FMutex);
        if (r.size() != 11 || quint8(r[0]) != kAddress || quint8(r[2]) != kObject)
            return {};
        const bool write = r[1] == 1;
        const auto property = quint16((quint8(r[3]) << 8) | quint8(r[4]));
        const quint32 value = (quint32(quint8(r[5])) << 24) | (quint32(quint8(r[6])) << 16) |
                              (quint32(quint8(r[7])) << 8) | quint8(r[8]);
        if (FRefuse && FRefuse(write, property, FSelector))
            return {};
        quint32 answer = value;
        const size_t index = FSelector >> 8;
        const size_t field = FSelector & 0xFF;
        switch (property) {
        case 14:
            if (write)
                FRanges.resize(value);
            answer = quint32(FRanges.size());
            break;
        case 48:
            if (write)
                FSelector = value;
            break;
        case 49:
            if (field >= 6 || index >= FRanges.size())
                return {};
            if (write)
                FRanges[index][field] = value;
            answer = FRanges[index][field];
            break;
        default: {
            const auto it = FProps.find(property);
            if (it == FProps.end())
                return {};
            if (write)
                it->second = value;
            answer = it->second;
            // The frame is read most significant byte first; the bytes of the value go in the
            // order the code names.
            if (!write && (property == 0 || property == 50))
                answer = ReorderToWire(answer, FValueCode);
        }
        }
        QByteArray frame = NerixFrame(kAddress, quint8(r[1]), kObject, property, answer);
        if (FCorrupt && FCorrupt(write, property, FSelector))
            frame[6] = char(frame[6] ^ 0x10);
        return frame;
    }

private:
    static quint32 ReorderToWire(quint32 v, int code) {
        const quint8 b[4] = {quint8(v), quint8(v >> 8), quint8(v >> 16), quint8(v >> 24)};
        static const int wire[4][4] = {{3, 2, 1, 0}, {0, 1, 2, 3}, {1, 0, 3, 2}, {2, 3, 0, 1}};
        quint32 out = 0;
        for (int i = 0; i < 4; ++i)
            out = (out << 8) | b[wire[code][i]];
        return out;
    }

    mutable std::mutex FMutex;
    std::map<quint16, quint32> FProps;
    std::vector<TRange> FRanges;
    quint32 FSelector = 0;
    int FValueCode = 0;
    TPick FRefuse;
    TPick FCorrupt;
};

class ScriptedInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.Ok());
        // Every property an analog input has, with recognisable values.
        const std::map<quint16, quint32> props = {{0, Bits(1.0f)},
                                                  {1, 9},
                                                  {2, 1},
                                                  {3, Bits(2.5f)},
                                                  {4, 0x00050005},
                                                  {5, 40},
                                                  {15, 0},
                                                  {16, 2},
                                                  {32, Bits(230.0f)},
                                                  {37, Bits(0.25f)},
                                                  {38, Bits(1.5f)},
                                                  {39, Bits(-3.0f)},
                                                  {40, Bits(-10.0f)},
                                                  {41, Bits(90.0f)},
                                                  {50, Bits(24.5f)}};
        for (const auto& [p, v] : props)
            object.Set(p, v);
        object.SetRanges({{9, 1, Bits(1.0f), 0, Bits(-5.0f), Bits(5.0f)},
                          {150, 2, Bits(0.5f), Bits(0.25f), Bits(4.0f), Bits(20.0f)}});
        dev.SetResponder([this](const QByteArray& r) { return object.Answer(r); });
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(60);
        ap.SetBus(&bus);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active()) << bus.LastError().toStdString();
        module.SetAP(&ap);
        module.SetAddress(kAddress);
    }

    // What went over the line since the last call, one entry per request: "r16", "w48=257".
    std::vector<std::string> Trace() {
        std::vector<std::string> trace;
        const auto requests = dev.Requests();
        for (size_t i = FSeen; i < requests.size(); ++i) {
            const QByteArray& r = requests[i];
            const auto property = (quint8(r[3]) << 8) | quint8(r[4]);
            const quint32 value = (quint32(quint8(r[5])) << 24) | (quint32(quint8(r[6])) << 16) |
                                  (quint32(quint8(r[7])) << 8) | quint8(r[8]);
            trace.push_back(r[1] == 1 ? QStringLiteral("w%1=%2").arg(property).arg(value).toStdString()
                                      : QStringLiteral("r%1").arg(property).toStdString());
        }
        FSeen = requests.size();
        return trace;
    }

    InputObject object; // outlives the device thread that answers from it
    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TKVDAIQAV module; // inputs on objects 1 and 2
    TSimpleChannel& channel = *module.AnalogInput(1);
    QString text;
    size_t FSeen = 0;
};

TEST_F(ScriptedInput, FullReadGoesInItsOrderAndFillsEveryField) {
    ASSERT_TRUE(channel.ReadSettings(ssCommon, text)) << text.toStdString();
    std::vector<std::string> expected{"r16", "r1", "r14"};
    for (int range = 0; range < 2; ++range)
        for (int field = 0; field < 4; ++field) {
            expected.push_back("w48=" + std::to_string(field + 256 * range));
            expected.push_back("r49");
        }
    for (const char* p : {"r3", "r5", "r2", "r37", "r38", "r39", "r4", "r40", "r41"})
        expected.push_back(p);
    EXPECT_EQ(Trace(), expected);
    EXPECT_EQ(channel.AccuracyClass, 2);
    EXPECT_EQ(channel.RangeCode, 9);
    ASSERT_EQ(channel.Ranges.Count(), 2);
    EXPECT_EQ(channel.Ranges.Items(1)->Coefficient2, 0.25f);
    EXPECT_EQ(channel.Ranges.Items(1)->MaxValue, 0.0f); // the short list leaves the scale alone
    EXPECT_EQ(channel.FilterCutoff, 2.5f);
    EXPECT_EQ(channel.ResponseTime, 40);
    EXPECT_TRUE(channel.Normalization);
    EXPECT_EQ(channel.Polynomial, (std::array<float, 3>{0.25f, 1.5f, -3.0f}));
    EXPECT_EQ(channel.Flags, 0x00050005u);
    EXPECT_TRUE(channel.PolynomialOn());
    EXPECT_FALSE(channel.ThermoCompensationOn());
    EXPECT_EQ(channel.ResultFormat(), 4u);
    EXPECT_EQ(channel.RmsPoints(), 5);
    EXPECT_EQ(channel.LedLow, -10.0f);
    EXPECT_EQ(channel.LedHigh, 90.0f);

    // The list with the user scale: six fields per range.
    ASSERT_TRUE(channel.ReadSettings(ssRangeListWithScale, text)) << text.toStdString();
    const auto trace = Trace();
    ASSERT_EQ(trace.size(), 1u + 2 * 6 * 2);
    EXPECT_EQ(trace[11], "w48=5");
    EXPECT_EQ(trace[13], "w48=256");
    EXPECT_EQ(channel.Ranges.Items(0)->MinValue, -5.0f);
    EXPECT_EQ(channel.Ranges.Items(1)->MaxValue, 20.0f);
}

TEST_F(ScriptedInput, AFailedCoefficientIsZeroAndEndsTheFullRead) {
    channel.Flags = 0x77;
    channel.LedLow = 3;
    object.SetRefuse([](bool write, quint16 property, quint32) { return !write && property == 37; });
    EXPECT_FALSE(channel.ReadSettings(ssCommon, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при считывании полинома пользователя"));
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(channel.Polynomial, (std::array<float, 3>{0.0f, 1.5f, -3.0f}));
    for (const std::string& request : Trace())
        EXPECT_TRUE(request != "r4" && request != "r40" && request != "r41") << request;
    EXPECT_EQ(channel.Flags, 0x77u); // the steps after the failure change nothing
    EXPECT_EQ(channel.LedLow, 3.0f);

    // The LED limits: both asked for, the missing one 0.
    object.SetRefuse([](bool write, quint16 property, quint32) { return !write && property == 41; });
    EXPECT_FALSE(channel.ReadSettings(ssLedLimits, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при считывании пределов светодиодной индикации"));
    EXPECT_EQ(channel.LedLow, -10.0f);
    EXPECT_EQ(channel.LedHigh, 0.0f);
    // The flags: 0 when they do not come.
    object.SetRefuse([](bool write, quint16 property, quint32) { return !write && property == 4; });
    EXPECT_FALSE(channel.ReadSettings(ssFlags, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при считывании флагов канала"));
    EXPECT_EQ(channel.Flags, 0u);
}

TEST_F(ScriptedInput, SingleReadsAndGarbledAnswersGiveTheirTexts) {
    struct Case {
        int selector;
        quint16 property;
        const char* text;
    };
    const Case cases[] = {
        {ssFilterCutoff, 3, "Ошибка при считывании частоты среза фильтра"},
        {ssResponseTime, 5, "Ошибка при считывании времени отклика."},
        {ssAccuracyClass, 16, "Ошибка при считывании класса точности"},
        {ssNormalization, 2, "Ошибка при считывании алгоритма пересчета"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selector);
        object.SetCorrupt({});
        EXPECT_TRUE(channel.ReadSettings(c.selector, text));
        EXPECT_TRUE(module.Ok);
        // An answer with a flipped bit is no answer; each try is garbled alike.
        object.SetCorrupt([p = c.property](bool, quint16 property, quint32) { return property == p; });
        EXPECT_FALSE(channel.ReadSettings(c.selector, text));
        EXPECT_EQ(text, QString::fromUtf8(c.text));
        EXPECT_FALSE(module.Ok);
    }
    // Corrupt answers to a write: the step's text, and Ok False.
    object.SetCorrupt([](bool write, quint16 property, quint32) { return write && property == 4; });
    EXPECT_FALSE(channel.WriteSettings(ssFlags, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при установке флагов канала"));
    EXPECT_FALSE(module.Ok);
    object.SetCorrupt({});

    // Bytes of noise before every answer: the line finds the frames behind them, and every setting
    // arrives as the device holds it.
    dev.SetGarbage(QByteArray("\x55\xAA\x01", 3));
    EXPECT_TRUE(channel.ReadSettings(ssCommon, text)) << text.toStdString();
    EXPECT_EQ(channel.AccuracyClass, 2);
    EXPECT_EQ(channel.Polynomial, (std::array<float, 3>{0.25f, 1.5f, -3.0f}));
    EXPECT_EQ(channel.LedHigh, 90.0f);
}

TEST_F(ScriptedInput, WritesMarkTheDeviceChangedExceptNormalizationFlagsAndLimitsAlone) {
    ASSERT_TRUE(channel.ReadSettings(ssCommon, text));
    Trace();

    module.Modified = false;
    EXPECT_TRUE(channel.WriteSettings(ssRangeCode, text));
    EXPECT_TRUE(module.Modified);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"w1=9"}));

    for (int selector : {ssFlags, ssLedLimits, ssNormalization}) {
        SCOPED_TRACE(selector);
        module.Modified = false;
        EXPECT_TRUE(channel.WriteSettings(selector, text));
        EXPECT_TRUE(text.isEmpty());
        EXPECT_TRUE(module.Ok);
        EXPECT_FALSE(module.Modified);
        module.Modified = true;
        EXPECT_TRUE(channel.WriteSettings(selector, text));
        EXPECT_TRUE(module.Modified);
    }
    for (int selector : {ssFilterCutoff, ssResponseTime, ssPolynomial}) {
        SCOPED_TRACE(selector);
        module.Modified = false;
        EXPECT_TRUE(channel.WriteSettings(selector, text));
        EXPECT_TRUE(module.Modified);
    }
    Trace();

    // A full write leaves the flag as it found it, and goes in its order.
    for (bool before : {false, true}) {
        module.Modified = before;
        EXPECT_TRUE(channel.WriteSettings(ssCommon, text)) << text.toStdString();
        EXPECT_EQ(module.Modified, before);
    }
    std::vector<std::string> order;
    for (const std::string& request : Trace())
        if (request.rfind("w48", 0) != 0 && request.rfind("w49", 0) != 0 && request.rfind("w15", 0) != 0 &&
            request.rfind("w14", 0) != 0)
            order.push_back(request.substr(0, request.find('=')));
    const std::vector<std::string> once{"w16", "w1",  "w3", "w5",  "w2", "w37",
                                        "w38", "w39", "w4", "w40", "w41"};
    ASSERT_EQ(order.size(), 2 * once.size());
    EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + long(once.size())), once);

    // A failed flags write keeps the mark it set: the device may have taken it.
    object.SetRefuse([](bool write, quint16 property, quint32) { return write && property == 4; });
    module.Modified = false;
    EXPECT_FALSE(channel.WriteSettings(ssFlags, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при установке флагов канала"));
    EXPECT_FALSE(module.Ok);
    EXPECT_TRUE(module.Modified);
}

TEST_F(ScriptedInput, WriteFailuresGiveTheirTextsAndAValueThatIsNoNumberSendsNothing) {
    ASSERT_TRUE(channel.ReadSettings(ssCommon, text));
    struct Case {
        int selector;
        quint16 property;
        const char* text;
    };
    const Case cases[] = {
        {ssRangeCode, 1, "Ошибка при записи текущего диапазона."},
        {ssFilterCutoff, 3, "Ошибка при записи частоты среза фильтра."},
        {ssResponseTime, 5, "Ошибка при записи времени отклика."},
        {ssPolynomial, 38, "Ошибка при записи полинома пользователя."},
        {ssLedLimits, 40, "Ошибка при записи пределов светодиодной индикации."},
        {ssAccuracyClass, 16, "Ошибка при установке класса точности."},
        {ssNormalization, 2, "Ошибка при установке разрешения нормализации"},
        {ssRangeList, 49, "Ошибка при записи списка диапазонов"},
        {ssRangeList, 48, "Ошибка при считывании списка диапазонов"},
        {ssRangeListWithScale, 48, "Ошибка при считывании списка диапазонов"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        object.SetRefuse(
            [p = c.property](bool write, quint16 property, quint32) { return write && property == p; });
        Trace();
        EXPECT_FALSE(channel.WriteSettings(c.selector, text));
        EXPECT_EQ(text, QString::fromUtf8(c.text));
        EXPECT_FALSE(module.Ok);
        if (c.selector == ssPolynomial) {
            // Every coefficient is written even when one is refused.
            const auto trace = Trace();
            EXPECT_EQ(trace.back().substr(0, 4), "w39=");
        }
    }
    object.SetRefuse({});
    Trace();

    // NaN has no decimal text: the step fails at once, with its own text.
    channel.FilterCutoff = std::nanf("");
    EXPECT_FALSE(channel.WriteSettings(ssFilterCutoff, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при записи частоты среза фильтра."));
    EXPECT_FALSE(module.Ok);
    EXPECT_TRUE(Trace().empty());

    // A tiny coefficient survives the value text on its way out.
    channel.Polynomial = {1.0e-30f, -2.5e-12f, 3.4e38f};
    EXPECT_TRUE(channel.WriteSettings(ssPolynomial, text));
    EXPECT_EQ(object.Get(37), Bits(1.0e-30f));
    EXPECT_EQ(object.Get(38), Bits(-2.5e-12f));
    EXPECT_EQ(object.Get(39), Bits(3.4e38f));
}

TEST_F(ScriptedInput, ValuesAreReadInTheChannelsOrderOrTheFlagsOrder) {
    // Bits 4..5 = 1: least significant byte first while the channel has no order of its own.
    channel.Flags = 0x10;
    channel.ValueOrder = boNAN;
    object.SetValueCode(1);
    object.Set(0, Bits(3.75f));
    object.Set(50, Bits(-20.5f));
    EXPECT_EQ(channel.ReadValue(), 3.75f);
    EXPECT_TRUE(module.Ok);
    EXPECT_EQ(channel.LastValue, 3.75f);
    EXPECT_EQ(channel.ReadTemperature(), -20.5f);
    object.Set(50, 23);
    EXPECT_EQ(channel.ReadTemperatureInteger(), 23.0f);
    EXPECT_EQ(module.NerixModule().Buffer().ValueOrder, boNAN);
    EXPECT_EQ(module.NerixModule().Buffer().FallbackOrder, 0);

    // With an order of its own the flags do not count.
    channel.ValueOrder = bo3210x10;
    object.SetValueCode(0);
    EXPECT_EQ(channel.ReadValue(), 3.75f);
    channel.ValueOrder = bo0123x01; // the suffix does not matter
    object.SetValueCode(1);
    EXPECT_EQ(channel.ReadValue(), 3.75f);

    // The integer read follows the module's order, not the channel's.
    channel.ValueOrder = bo3210x10;
    module.SetByteOrder(bo2301x10);
    object.SetValueCode(3);
    object.Set(0, 123456);
    EXPECT_EQ(channel.ReadValueInteger(), 123456.0f);
    EXPECT_EQ(channel.LastValue, 123456.0f);
    module.SetByteOrder(boNAN);

    // A failed read: Ok False, the last value held, and the frame's order back to the defaults.
    object.SetRefuse([](bool, quint16 property, quint32) { return property == 0; });
    channel.ValueOrder = bo1032x10;
    EXPECT_EQ(channel.ReadValue(), 123456.0f);
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(module.NerixModule().Buffer().ValueOrder, boNAN);
    EXPECT_EQ(module.NerixModule().Buffer().FallbackOrder, 0);
    object.SetRefuse({});

    // The power-network reads take the line's default order, whatever the flags say.
    channel.Flags = 0x30;
    channel.ValueOrder = boNAN;
    object.SetValueCode(0);
    object.Set(0, Bits(50.0f));
    EXPECT_EQ(channel.ReadNetworkQuantity(aiNetworkQuantity32), 230.0f);
    EXPECT_EQ(channel.ReadValueDirect(), 50.0f);
    EXPECT_TRUE(module.Ok);
    Trace();
    EXPECT_TRUE(channel.ResetPulseCounter());
    EXPECT_EQ(Trace(), (std::vector<std::string>{"w0=0"}));

    // The value mask shapes what the value reads keep, not the settings.
    channel.SetValueFormat(QStringLiteral("0.0"));
    object.Set(0, Bits(1.26f));
    EXPECT_FLOAT_EQ(channel.ReadValueDirect(), 1.3f);
    ASSERT_TRUE(channel.ReadSettings(ssPolynomial, text));
    EXPECT_EQ(channel.Polynomial[0], 0.25f);
}

TEST_F(ScriptedInput, TextsFollowTheChosenLanguage) {
    TChannelTexts english;
    english.ReadFlags = QStringLiteral("Error reading the channel flags");
    SetChannelTexts(english);
    object.SetRefuse([](bool, quint16 property, quint32) { return property == 4; });
    EXPECT_FALSE(channel.ReadSettings(ssFlags, text));
    EXPECT_EQ(text, QStringLiteral("Error reading the channel flags"));
    SetChannelTexts(TChannelTexts());
    EXPECT_FALSE(channel.ReadSettings(ssFlags, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при считывании флагов канала"));
}

TEST_F(ScriptedInput, DisplayZonesAndUnknownSelectors) {
    channel.LedLow = -1.0f;
    channel.LedHigh = 4.0f;
    EXPECT_EQ(channel.DisplayState(-1.5f), dzBelow);
    EXPECT_EQ(channel.DisplayState(-1.0f), dzWithin);
    EXPECT_EQ(channel.DisplayState(4.0f), dzWithin);
    EXPECT_EQ(channel.DisplayState(4.01f), dzAbove);

    module.Ok = true;
    for (int selector : {0, 11, 15, 99}) {
        EXPECT_FALSE(channel.ReadSettings(selector, text));
        EXPECT_TRUE(text.isEmpty());
        EXPECT_FALSE(module.Ok);
    }
    EXPECT_FALSE(channel.WriteSettings(ssCommandStatus, text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(Trace().empty());
}

TEST_F(ScriptedInput, StreamControllerReadsAndWritesItsObject) {
    TKVDAIKBUS aik; // its stream controller is object 5: point a controller of this module at 2
    TAIKDataStreamController controller(&module, kObject);
    object.Set(0, Bits(100.0f));
    object.Set(1, 0x000F);
    object.Set(2, TAIKDataStreamController::kMasterMode);
    EXPECT_EQ(controller.ReadFrequency(), 100.0f);
    EXPECT_TRUE(module.Ok);
    EXPECT_EQ(controller.ReadChannelMask(), 0x000F);
    EXPECT_EQ(controller.ReadMode(), TAIKDataStreamController::kMasterMode);

    module.Modified = false;
    EXPECT_TRUE(controller.WriteFrequency(250.5f));
    EXPECT_TRUE(module.Modified);
    EXPECT_EQ(object.Get(0), Bits(250.5f));
    EXPECT_TRUE(controller.WriteChannelMask(0x0005));
    EXPECT_TRUE(controller.WriteMode(0));
    EXPECT_EQ(object.Get(1), 5u);

    object.SetRefuse([](bool, quint16, quint32) { return true; });
    module.Modified = false;
    EXPECT_FALSE(controller.WriteMode(2));
    EXPECT_FALSE(module.Ok);
    EXPECT_FALSE(module.Modified);
    EXPECT_EQ(controller.ReadFrequency(), 0.0f);
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(controller.ReadChannelMask(), 0);
    EXPECT_EQ(controller.ReadMode(), 0u);
    EXPECT_EQ(aik.StreamController()->Accessor.ObjectNumber, 5);
}

// --- The models -------------------------------------------------------------------------------

struct ModelRow {
    quint16 Type;
    const char* Class;
    int Inputs;
    int StreamObject; // 0: none
};

TEST(AnalogInputModels, EveryTypeHasItsClassInputsAndController) {
    const ModelRow rows[] = {
        {0, "TKVDAIKBUS", 4, 5},     {20, "TKVDAIKBUS", 4, 5},   {31, "TKVDAIKBUS", 4, 5},
        {15, "TKVDAVIX", 4, 5},      {1, "TKVDAI8BUS", 8, 0},    {25, "TKVDAIK12BUS", 12, 14},
        {37, "TKVDAI4VIXPro", 4, 5}, {41, "TKVDAIVIXPro", 4, 5}, {42, "TKVDAI7VIXPro", 7, 8},
        {65, "TKVDAI24QAV", 24, 0},  {68, "TKVDAI8QAV", 8, 0},   {72, "TKVDAIQAV", 2, 0},
        {24, "TKVDAVIX_EXT", 1, 0},  {28, "TKVD2AVIX", 1, 0},    {29, "TKVD2ARVIX", 2, 0},
    };
    // Another test may have put a stand-in in place of a class.
    RegisterAnalogInputModuleClasses();
    for (const ModelRow& row : rows) {
        SCOPED_TRACE(row.Type);
        TModuleCreation made = CreateModuleForType(row.Type);
        ASSERT_TRUE(made.Module) << made.Why.toStdString();
        TZUVOModule& m = *made.Module;
        EXPECT_EQ(m.ClassName(), QLatin1String(row.Class));
        ASSERT_EQ(m.AnalogInputCount(), row.Inputs);
        for (int i = 0; i < row.Inputs; ++i) {
            ASSERT_NE(m.AnalogInput(i), nullptr);
            EXPECT_EQ(m.AnalogInput(i)->Accessor.ObjectNumber, i + 1);
            EXPECT_EQ(m.AnalogInput(i)->Index, i);
            EXPECT_EQ(m.AnalogInput(i)->InputModule(), &m);
            EXPECT_EQ(m.AnalogInput(i)->Accessor.Module, &m.NerixModule());
        }
        EXPECT_EQ(m.AnalogInput(row.Inputs), nullptr);
        EXPECT_EQ(m.AnalogInput(-1), nullptr);
        if (row.StreamObject) {
            ASSERT_NE(m.StreamController(), nullptr);
            EXPECT_EQ(m.StreamController()->Accessor.ObjectNumber, row.StreamObject);
        } else {
            EXPECT_EQ(m.StreamController(), nullptr);
        }
    }
    // Models of other families have no analog inputs to offer.
    class TOther : public TZUVOModule {
    public:
        QString ClassName() const override { return QStringLiteral("TOther"); }
    } other;
    EXPECT_EQ(other.AnalogInputCount(), 0);
    EXPECT_EQ(other.AnalogInput(0), nullptr);
    EXPECT_EQ(other.StreamController(), nullptr);
}

TEST(AnalogInputModels, RegisterMaps) {
    auto reg = [](TZUVOModule& m, quint8 object, quint16 property) -> int {
        quint16 r = 0;
        return m.NerixModule().ModbusToNerix().Map().FindRegister(object, property, r) ? int(r) : -1;
    };
    TKVDAIKBUS aik;
    EXPECT_EQ(reg(aik, 4, 52), 4 * 256 + 36);
    EXPECT_EQ(reg(aik, 5, 6), 1280 + 12);
    EXPECT_EQ(reg(aik, 5, 7), -1);
    TKVDAIK12BUS aik12;
    EXPECT_EQ(reg(aik12, 12, 65), 12 * 256 + 36);
    EXPECT_EQ(reg(aik12, 12, 51), -1); // the eight-channel layout has no command
    EXPECT_EQ(reg(aik12, 13, 10), 3328 + 20);
    EXPECT_EQ(reg(aik12, 14, 3), 3584 + 6);
    EXPECT_EQ(reg(aik12, 14, 4), -1);
    TKVDAI7VIXPro ai7;
    EXPECT_EQ(reg(ai7, 7, 50), 7 * 256 + 32);
    EXPECT_EQ(reg(ai7, 8, 6), 2048 + 12);
    TKVDAI24QAV ai24;
    EXPECT_EQ(reg(ai24, 24, 0), 6144);
    EXPECT_EQ(reg(ai24, 25, 0), -1);
    TKVDAVIX_EXT ext;
    EXPECT_EQ(reg(ext, 1, 0), 256);
    EXPECT_EQ(reg(ext, 1, 16), 268);
    EXPECT_EQ(reg(ext, 1, 15), 272);
    EXPECT_EQ(reg(ext, 1, 41), 282);
    EXPECT_EQ(reg(ext, 1, 52), 292);
    EXPECT_EQ(reg(ext, 2, 0), 48);
    EXPECT_EQ(reg(ext, 2, 49), 62);
    TKVD2AVIX two;
    EXPECT_EQ(reg(two, 1, 52), 292);
    EXPECT_EQ(reg(two, 2, 16), 2 * 256 + 16 + 6);
    EXPECT_EQ(reg(two, 3, 49), 3 * 256 + 16 + 14);
    TKVD2ARVIX twoR;
    EXPECT_EQ(reg(twoR, 2, 48), 2 * 256 + 28);
    EXPECT_EQ(reg(twoR, 4, 0), 4 * 256 + 16);
    EXPECT_EQ(reg(twoR, 5, 0), -1);
}

TEST(AnalogInputModels, AsciiCommandGroupsFollowTheClass) {
    EXPECT_EQ(TKVDAIKBUS().ZoVuruGroup(), 0);
    EXPECT_EQ(TKVDAVIX().ZoVuruGroup(), 0);
    EXPECT_EQ(TKVDAI8BUS().ZoVuruGroup(), 1);
    EXPECT_FALSE(TKVDAI4VIXPro().ZoVuruGroup());
    EXPECT_FALSE(TKVDAIVIXPro().ZoVuruGroup());
    EXPECT_FALSE(TKVDAIK12BUS().ZoVuruGroup());
}

} // namespace
