// Backup and restore of the channel classes the emulator does not serve, against two scripted
// devices of one type on a pseudo-terminal: A to copy from, B that differs in some settings. Every
// property either device has is in its table; one the table lacks is not answered.
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "config/ConfigEngine.h"
#include "model/ModuleFactory.h"
#include "model/ZUVOModule.h"
#include "support/ScriptedDevice.h"

#include <gtest/gtest.h>

#include <bit>
#include <memory>
#include <set>

namespace {

using TProperties = std::map<std::pair<quint8, quint16>, quint32>;

quint32 F(float Value) {
    return std::bit_cast<quint32>(Value);
}

struct TCase {
    const char* Name;
    quint16 Type;
    quint32 Mask;
    TProperties A;                                     // the device's own properties; object 0 is added
    TProperties Changes;                               // where B differs from A
    std::set<QString> Kinds;                           // the kinds the backup must hold
    std::set<std::pair<quint8, quint16>> NeverWritten; // commands, live states, values never read
};

TProperties WithSystem(TProperties Properties, quint16 Type, quint32 Mask, quint32 Serial) {
    Properties[{0, 0}] = Type;
    Properties[{0, 1}] = Serial;
    Properties[{0, 2}] = Mask;
    Properties[{0, 3}] = 0x0101;
    return Properties;
}

class SensorBus : public ::testing::TestWithParam<TCase> {
public:
    ~SensorBus() override { ap.SetActive(false); }

protected:
    void Start(const TCase& c) {
        ASSERT_TRUE(dev.Ok());
        TProperties b = c.A;
        for (const auto& [key, value] : c.Changes)
            b[key] = value;
        dev.AddNerixDevice(1, WithSystem(c.A, c.Type, c.Mask, 1001));
        dev.AddNerixDevice(2, WithSystem(b, c.Type, c.Mask, 1002));
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(60);
        ap.SetBus(&bus);
        ap.SetTryCount(1);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active()) << bus.LastError().toStdString();
    }
    std::unique_ptr<TZUVOModule> Module(quint16 Type, quint8 Address) {
        auto module = CreateModuleForType(Type).Module;
        if (module) {
            module->SetAP(&ap);
            module->SetAddress(Address);
        }
        return module;
    }
    // The writes to address 2 since the last call: object and property.
    std::vector<std::pair<quint8, quint16>> WritesToB() {
        std::vector<std::pair<quint8, quint16>> writes;
        const auto requests = dev.Requests();
        for (size_t i = FSeen; i < requests.size(); ++i) {
            const QByteArray& r = requests[i];
            if (r.size() >= 5 && quint8(r[0]) == 2 && r[1] == 1)
                writes.push_back({quint8(r[2]), quint16((quint8(r[3]) << 8) | quint8(r[4]))});
        }
        FSeen = requests.size();
        return writes;
    }
    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    size_t FSeen = 0;
};

TEST_P(SensorBus, RestoreMakesBLikeAWritingOnlyTheSettingsAReadGave) {
    const TCase& c = GetParam();
    Start(c);
    auto a = Module(c.Type, 1);
    auto b = Module(c.Type, 2);
    ASSERT_TRUE(a && b);

    QString error;
    const auto document = TConfigEngine(*a).Backup(error);
    ASSERT_TRUE(document) << error.toStdString();
    std::set<QString> kinds;
    for (const TConfigChannel& channel : document->Channels)
        kinds.insert(channel.Kind);
    EXPECT_EQ(kinds, c.Kinds);
    QStringList warnings;
    const auto file = TConfigDocument::FromJson(document->ToJson(), error, warnings);
    ASSERT_TRUE(file) << error.toStdString();

    TConfigEngine engine(*b);
    const TRestoreReport dry = engine.Restore(*file, {.DryRun = true});
    ASSERT_TRUE(dry.Ok) << dry.Error.toStdString();
    EXPECT_FALSE(dry.Equal());
    WritesToB();
    const TRestoreReport r = engine.Restore(*file, {});
    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    EXPECT_EQ(r.Written, int(r.Changes.size()));
    for (const auto& key : WritesToB())
        EXPECT_FALSE(c.NeverWritten.count(key))
            << "object " << int(key.first) << " property " << key.second << " was written";
    for (const auto& [key, value] : c.Changes) {
        if (!c.NeverWritten.count(key)) {
            EXPECT_EQ(dev.Property(2, key.first, key.second), dev.Property(1, key.first, key.second))
                << "object " << int(key.first) << " property " << key.second;
        }
    }
    for (const auto& key : c.NeverWritten)
        EXPECT_EQ(dev.Property(2, key.first, key.second),
                  c.Changes.count(key) ? c.Changes.at(key) : c.A.at(key));

    const TRestoreReport again = engine.Restore(*file, {});
    EXPECT_TRUE(again.Ok && again.Equal())
        << (again.Changes.empty() ? "" : again.Changes[0].Line().toStdString());
}

TProperties Merge(std::initializer_list<TProperties> Parts) {
    TProperties all;
    for (const TProperties& p : Parts)
        all.insert(p.begin(), p.end());
    return all;
}

TProperties Stream(quint8 Object) {
    return {{{Object, 0}, F(100)}, {{Object, 1}, 0x0F}, {{Object, 2}, 0x2}};
}

TProperties Flame() {
    TProperties p;
    const quint8 o = 9;
    for (quint16 f : {0, 2, 3, 10, 11, 13, 21})
        p[{o, f}] = F(1.5f + f);
    for (quint16 i : {1, 4, 5, 6, 7, 8, 9, 12, 14, 15, 16, 19, 20})
        p[{o, i}] = i % 2;
    return p;
}

TProperties Foto(quint8 o) {
    TProperties p;
    for (quint16 f : {0, 1, 2, 3, 4, 5, 7, 8, 11, 14, 15, 16, 17, 19})
        p[{o, f}] = F(0.25f * (f + 1));
    for (quint16 i : {6, 9, 10, 20})
        p[{o, i}] = 1;
    return p;
}

TProperties Termo(quint8 o) {
    TProperties p;
    for (quint16 i : {1, 3, 6, 9})
        p[{o, i}] = 1;
    for (quint16 f : {2, 4, 5, 7, 8, 10})
        p[{o, f}] = F(20.0f + f);
    return p;
}

TProperties Flow(quint8 o) {
    TProperties p;
    for (quint16 i : {1, 2, 3, 9, 13, 21})
        p[{o, i}] = 1;
    p[{o, 10}] = 2; // a pulse counter
    p[{o, 15}] = 1;
    p[{o, 18}] = 2;
    for (quint16 f : {4, 5, 6, 7, 8, 11, 12, 14, 16, 17, 19, 20, 22})
        p[{o, f}] = F(3.0f + f);
    return p;
}

TProperties Alarm() {
    const quint8 o = 13;
    return {{{o, 0}, 1},     {{o, 2}, 0}, {{o, 3}, 1},    {{o, 4}, F(-5)},
            {{o, 5}, F(55)}, {{o, 6}, 0}, {{o, 7}, F(1)}, {{o, 8}, F(2)}};
}

TProperties GVix() {
    const quint8 o = 2;
    return {{{o, 1}, F(1)}, {{o, 2}, F(2)}, {{o, 3}, F(7)},  {{o, 4}, 1},
            {{o, 5}, 3},    {{o, 6}, 0},    {{o, 7}, F(10)}, {{o, 8}, 0}};
}

const TCase kCases[] = {
    {"StreamController",
     0,
     0x10,
     Stream(5),
     {{{5, 0}, F(50)}, {{5, 1}, 0x3}, {{5, 2}, 0}},
     {QStringLiteral("streamController")},
     {}},
    // The flame controller's write of all settings restarts it and corrects its zero level; the
    // relays' manual control is a live state; the photosensor's coefficients are never read.
    {"FlameAndPhotosensor",
     27,
     0x101,
     Merge({Flame(), Foto(1)}),
     {{{9, 0}, F(9)},
      {{9, 1}, 0},
      {{9, 15}, 0},
      {{9, 21}, F(0.5f)},
      {{9, 4}, 1},
      {{1, 2}, F(7)},
      {{1, 11}, F(-1)},
      {{1, 20}, 0},
      {{1, 15}, F(3)}},
     {QStringLiteral("flameController"), QStringLiteral("photosensor")},
     {{9, 4}, {9, 6}, {9, 8}, {1, 15}, {1, 16}}},
    {"TemperatureChannels",
     22,
     0x3,
     Merge({Termo(1), Termo(2)}),
     {{{1, 1}, 0}, {{1, 4}, F(-3)}, {{1, 9}, 0}, {{2, 10}, F(1)}, {{2, 6}, 0}},
     {QStringLiteral("temperatureChannel")},
     // Channel 2 does not carry the module's relay state.
     {{2, 9}}},
    // The output state and the counter are live; channel 1 carries the module's relay state and
    // measuring time.
    {"FlowChannels",
     23,
     0x3,
     Merge({Flow(1), Flow(2)}),
     {{{1, 10}, 3}, {{1, 14}, F(0.125f)}, {{1, 22}, F(250)}, {{2, 16}, F(-2)}, {{2, 3}, 0}, {{1, 5}, 77}},
     {QStringLiteral("flowChannel")},
     {{1, 3}, {2, 3}, {1, 4}, {1, 5}, {2, 21}, {2, 22}}},
    {"SignallingSystem",
     25,
     0x1000,
     Merge({Alarm(), Stream(14)}),
     {{{13, 0}, 0}, {{13, 4}, F(-7)}, {{13, 6}, 1}},
     {QStringLiteral("signallingSystem"), QStringLiteral("streamController")},
     {}},
    // The unit's coefficients are written only, its output value is live and its command is one.
    {"ProtectionUnit",
     15,
     0x2,
     GVix(),
     {{{2, 4}, 0}, {{2, 5}, 4}, {{2, 7}, F(20)}, {{2, 1}, F(9)}, {{2, 3}, F(1)}},
     {QStringLiteral("protectionUnit")},
     {{2, 1}, {2, 2}, {2, 3}, {2, 8}}},
};

INSTANTIATE_TEST_SUITE_P(ScriptedModels, SensorBus, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
