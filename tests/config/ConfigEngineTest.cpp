// Backup, comparison and restore against emulated modules over a pair of bridged pseudo-terminals:
// two devices of one type on the line, A to copy from and B to put A's configuration on.
#include "config/ConfigEngine.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "emulator/EmulatorFaults.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "model/AOChannel.h"
#include "model/DIChannel.h"
#include "model/DOChannel.h"
#include "model/IntachnessCtrlChannel.h"
#include "model/ModuleFactory.h"
#include "model/SimpleChannel.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixBuffer.h"
#include "support/PtyBridge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <memory>

namespace {

class ConfigBus {
public:
    // Count devices of Type at addresses 1 .. Count.
    bool Start(quint32 Type, int Count) {
        if (!bridge.Ok())
            return false;
        emulator.AddDevices(Type, Count);
        emulator.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
        emulator.SetPortName(bridge.PathA());
        emulator.SetActive(true);
        if (!emulator.Active())
            return false;
        emulator.OnFrame = [this](int Direction, const quint8* Data, int Length) {
            if (Direction == 1 && Length == kNerixFrameSize && Data[1] == noWrite)
                ++writes[Data[0]];
        };
        bus.SetPortName(bridge.PathB());
        bus.SetInputTimeout(60);
        ap.SetBus(&bus);
        ap.SetTryCount(1);
        ap.SetActive(true);
        return ap.Active();
    }
    ~ConfigBus() {
        ap.SetActive(false);
        emulator.OnFrame = nullptr;
        emulator.SetActive(false);
    }
    std::unique_ptr<TZUVOModule> Module(quint32 Type, quint8 Address) {
        auto module = CreateModuleForType(quint16(Type)).Module;
        if (module) {
            module->SetAP(&ap);
            module->SetAddress(Address);
        }
        return module;
    }

    TPtyBridge bridge;
    TVirtualDeviceManager emulator;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    std::map<quint8, int> writes; // write requests by address
};

// Changes what the model lets the test change on every channel of the module; how many changes the
// device took.
int ChangeSettings(TZUVOModule& m) {
    int taken = 0;
    QString e;
    for (int i = 0; i < m.AnalogInputCount(); ++i) {
        TSimpleChannel& c = *m.AnalogInput(i);
        c.Polynomial = {0.25f, 2.5f, float(i + 1)};
        taken += c.WriteSettings(ssPolynomial, e);
        c.ResponseTime = quint16(20 + i);
        taken += c.WriteSettings(ssResponseTime, e);
        if (c.ReadSettings(ssRangeList, e) && c.ReadSettings(ssRangeCode, e) && c.Ranges.Count() > 1) {
            c.RangeCode =
                c.Ranges.Items(0)->Code == c.RangeCode ? c.Ranges.Items(1)->Code : c.Ranges.Items(0)->Code;
            taken += c.WriteSettings(ssRangeCode, e);
        }
    }
    for (int i = 0; i < m.AnalogOutputCount(); ++i) {
        TAOChannel& c = *m.AnalogOutput(i);
        if (c.ReadSettings(ssRangeList, e) && c.ReadSettings(ssRangeCode, e) && c.Ranges.Count() > 1) {
            c.RangeCode =
                c.Ranges.Items(0)->Code == c.RangeCode ? c.Ranges.Items(1)->Code : c.Ranges.Items(0)->Code;
            taken += c.WriteSettings(ssRangeCode, e);
        }
    }
    for (int i = 0; i < m.DiscreteInputCount(); ++i)
        if (TDIChannel* c = m.DiscreteInput(i)) {
            c->ResponseTime = 30 + i;
            taken += c->WriteSettings(disResponseTime, e);
            c->LineBreakCheck = 1;
            taken += c->WriteSettings(disLineBreakCheck, e);
        }
    for (int i = 0; i < m.DiscreteOutputCount(); ++i)
        if (TDOChannel* c = m.DiscreteOutput(i)) {
            c->StartValue = true;
            taken += c->WriteSettings(dosStartValue, e);
            c->ClearSteps();
            c->AddStep(100);
            c->AddStep(quint16(200 + i));
            taken += c->WriteSettings(dosSequence, e);
        }
    for (TIntachnessCtrlChannel* c : {m.IntachnessCtrl(), m.DiscreteIntachnessCtrl()})
        if (c) {
            taken += c->WriteTimeout(2500);
            taken += c->WriteResetCondition(true);
            if (auto* ao = dynamic_cast<TAOIntachnessCtrlChannel*>(c))
                taken += ao->WriteSafeValue(1, 3.5f) + ao->WriteControlledOutputs(0x3);
            else
                taken += c->WriteParameterInteger(0, 0x5);
        }
    return taken;
}

// The written settings of two documents, channel by channel: what a restore must make equal.
void ExpectSameSettings(const TConfigDocument& Want, const TConfigDocument& Have) {
    ASSERT_EQ(Want.Channels.size(), Have.Channels.size());
    for (size_t i = 0; i < Want.Channels.size(); ++i) {
        const TConfigChannel& w = Want.Channels[i];
        const TConfigChannel& h = Have.Channels[i];
        ASSERT_EQ(w.Settings.size(), h.Settings.size()) << w.Title().toStdString();
        for (size_t s = 0; s < w.Settings.size(); ++s) {
            if (w.Settings[s].Writable) {
                EXPECT_EQ(w.Settings[s].ReadValues(), h.Settings[s].ReadValues())
                    << w.Title().toStdString() << " " << w.Settings[s].Name.toStdString();
            }
        }
    }
}

class RoundTrip : public ::testing::TestWithParam<quint32> {};

TEST_P(RoundTrip, BackUpAChangeBRestoreOntoBAndBHasA) {
    const quint32 type = GetParam();
    ConfigBus line;
    ASSERT_TRUE(line.Start(type, 2));
    auto a = line.Module(type, 1);
    auto b = line.Module(type, 2);
    ASSERT_TRUE(a && b);

    TConfigEngine fromA(*a);
    QString error;
    const auto document = fromA.Backup(error);
    ASSERT_TRUE(document) << error.toStdString();
    EXPECT_EQ(document->TypeCode, type);
    ASSERT_FALSE(document->Channels.empty());
    // Through a file, as the user keeps it.
    QStringList warnings;
    const auto file = TConfigDocument::FromJson(document->ToJson(), error, warnings);
    ASSERT_TRUE(file) << error.toStdString();
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();

    ASSERT_GT(ChangeSettings(*b), 0);
    TConfigEngine toB(*b);
    const TRestoreReport before = toB.Restore(*file, {.DryRun = true});
    ASSERT_TRUE(before.Ok) << before.Error.toStdString();
    EXPECT_FALSE(before.Equal());

    const TRestoreReport restored = toB.Restore(*file, {});
    ASSERT_TRUE(restored.Ok) << restored.Error.toStdString();
    EXPECT_EQ(restored.Written, int(restored.Changes.size()));
    EXPECT_EQ(restored.Changes.size(), before.Changes.size());

    const TRestoreReport after = toB.Restore(*file, {.DryRun = true});
    ASSERT_TRUE(after.Ok) << after.Error.toStdString();
    for (const TConfigChange& c : after.Changes)
        ADD_FAILURE() << "still different: " << c.Line().toStdString();

    const auto bNow = toB.Backup(error);
    ASSERT_TRUE(bNow) << error.toStdString();
    ExpectSameSettings(*file, *bNow);

    // Nothing differs any more, so a second restore writes nothing: it sends only what reading the
    // device sends (a range or step selector before its field).
    line.writes.clear();
    ASSERT_TRUE(toB.Backup(error));
    const int readingWrites = line.writes[2];
    line.writes.clear();
    const TRestoreReport again = toB.Restore(*file, {});
    EXPECT_TRUE(again.Ok && again.Equal());
    EXPECT_EQ(again.Written, 0);
    EXPECT_EQ(line.writes[2], readingWrites);
}

// Every module the emulator serves.
INSTANTIATE_TEST_SUITE_P(EmulatedFamilies, RoundTrip,
                         ::testing::Values(0u, 1u, 2u, 3u, 10u, 5u, 6u, 7u, 8u, 17u),
                         [](const auto& info) { return "Type" + std::to_string(info.param); });

// What a health controller gives a backup: its family's settings by name with their meanings, every
// one written back; the analog output modules' safe values go through their selector.
TEST(ConfigBackup, HealthControllersGiveTheirFamilysSettingsWithMeanings) {
    ConfigBus line;
    ASSERT_TRUE(line.Start(2, 1));
    line.emulator.AddDevices(17, 1);
    auto ao = line.Module(2, 1);
    auto dos = line.Module(17, 2);
    ASSERT_TRUE(ao->IntachnessCtrl()->WriteTimeout(1200));
    ASSERT_TRUE(dynamic_cast<TAOIntachnessCtrlChannel*>(ao->IntachnessCtrl())->WriteSafeValue(2, 0.75f));
    ASSERT_TRUE(dos->IntachnessCtrl()->WriteParameterInteger(0, 0x81));
    QString error;
    const auto a = TConfigEngine(*ao).Backup(error);
    ASSERT_TRUE(a) << error.toStdString();
    const TConfigChannel* c = a->Find(QStringLiteral("healthController"), 1);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Title().toStdString(), "health controller 1");
    EXPECT_EQ(c->Object, 5);
    std::vector<std::string> names;
    for (const TConfigSetting& s : c->Settings) {
        names.push_back(s.Name.toStdString());
        EXPECT_TRUE(s.Writable) << s.Name.toStdString();
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"timeout", "resetCondition", "safeValues", "controlledOutputs"}));
    EXPECT_EQ(c->Find(QStringLiteral("timeout"))->ValueText().toStdString(), "1200 ms");
    EXPECT_EQ(c->Find(QStringLiteral("safeValues"))->ValueText().toStdString(), "0; 0; 0.75; 0");
    // Each output's value is read after its selector is written: four of each.
    EXPECT_EQ(c->Find(QStringLiteral("safeValues"))->ReadValues().size(), 4u);

    const auto d = TConfigEngine(*dos).Backup(error);
    ASSERT_TRUE(d) << error.toStdString();
    const TConfigChannel* h = d->Find(QStringLiteral("healthController"), 1);
    ASSERT_NE(h, nullptr);
    ASSERT_NE(h->Find(QStringLiteral("safeStates")), nullptr);
    EXPECT_EQ(h->Find(QStringLiteral("safeStates"))->ValueText().toStdString(), "0x81 (outputs 1, 8)");
    EXPECT_EQ(h->Find(QStringLiteral("resetCondition"))->ValueText().toStdString(),
              "any exchange on the bus");
}

TEST(ConfigRestore, AnotherTypeIsRefusedNamingBothAndNothingIsWritten) {
    ConfigBus line;
    ASSERT_TRUE(line.Start(0, 1));
    line.emulator.AddDevices(6, 1);
    auto aik = line.Module(0, 1);
    auto dio = line.Module(6, 2);
    QString error;
    const auto document = TConfigEngine(*aik).Backup(error);
    ASSERT_TRUE(document) << error.toStdString();
    line.writes.clear();
    const TRestoreReport r = TConfigEngine(*dio).Restore(*document, {});
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error.toStdString(),
              "the file is for KVD-AIK-BUS (type 0), the device is KVD-DIO-BUS (type 6)");
    EXPECT_EQ(line.writes[2], 0);
}

TEST(ConfigRestore, DryRunListsTheChangesAndWritesNothing) {
    ConfigBus line;
    ASSERT_TRUE(line.Start(7, 2));
    auto a = line.Module(7, 1);
    auto b = line.Module(7, 2);
    QString error;
    const auto document = TConfigEngine(*a).Backup(error);
    ASSERT_TRUE(document);
    ASSERT_GT(ChangeSettings(*b), 0);
    TConfigEngine engine(*b);
    line.writes.clear();
    const auto bBefore = engine.Backup(error);
    const int readingWrites = line.writes[2];
    line.writes.clear();
    const TRestoreReport r =
        engine.Restore(*document, {.DryRun = true, .Flash = true, .WithBusParams = true});
    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    ASSERT_FALSE(r.Changes.empty());
    EXPECT_EQ(r.Written, 0);
    EXPECT_FALSE(r.Flashed);
    // Only the step selectors that reading the sequences sends.
    EXPECT_EQ(line.writes[2], readingWrites);
    EXPECT_EQ(r.Changes.front().Line().toStdString(), "discrete output 1 sequence: 100 200 -> no steps");
    const auto bAfter = engine.Backup(error);
    ExpectSameSettings(*bBefore, *bAfter);
}

TEST(ConfigRestore, ASettingTheFileLeavesOutStaysAsTheDeviceHasIt) {
    ConfigBus line;
    ASSERT_TRUE(line.Start(0, 2));
    auto a = line.Module(0, 1);
    auto b = line.Module(0, 2);
    QString error;
    auto document = TConfigEngine(*a).Backup(error);
    ASSERT_TRUE(document);
    ASSERT_GT(ChangeSettings(*b), 0);
    auto& settings = document->Channels[0].Settings;
    settings.erase(
        std::remove_if(settings.begin(), settings.end(),
                       [](const TConfigSetting& s) { return s.Name == QLatin1String("responseTime"); }),
        settings.end());
    TConfigEngine engine(*b);
    const TRestoreReport r = engine.Restore(*document, {});
    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    QString e;
    ASSERT_TRUE(b->AnalogInput(0)->ReadSettings(ssResponseTime, e));
    EXPECT_EQ(b->AnalogInput(0)->ResponseTime, 20);
    ASSERT_TRUE(b->AnalogInput(1)->ReadSettings(ssResponseTime, e));
    EXPECT_EQ(b->AnalogInput(1)->ResponseTime, a->AnalogInput(1)->ResponseTime);
}

TEST(ConfigRestore, AFailureInTheMiddleStopsAndSaysWhatWasWrittenAndWhatNot) {
    ConfigBus line;
    ASSERT_TRUE(line.Start(0, 2));
    auto a = line.Module(0, 1);
    auto b = line.Module(0, 2);
    QString error;
    auto document = TConfigEngine(*a).Backup(error);
    ASSERT_TRUE(document);
    // B differs in the range of its first input and the response time of its second.
    QString e;
    TSimpleChannel& first = *b->AnalogInput(0);
    ASSERT_TRUE(first.ReadSettings(ssRangeList, e) && first.ReadSettings(ssRangeCode, e));
    ASSERT_GT(first.Ranges.Count(), 1);
    first.RangeCode = first.Ranges.Items(0)->Code == first.RangeCode ? first.Ranges.Items(1)->Code
                                                                     : first.Ranges.Items(0)->Code;
    ASSERT_TRUE(first.WriteSettings(ssRangeCode, e));
    b->AnalogInput(1)->ResponseTime = 77;
    ASSERT_TRUE(b->AnalogInput(1)->WriteSettings(ssResponseTime, e));

    TConfigEngine engine(*b);
    line.emulator.ResetStatistics();
    const TRestoreReport dry = engine.Restore(*document, {.DryRun = true});
    ASSERT_EQ(dry.Changes.size(), 2u);
    // The device answers what the comparison asks and the first change (its write and the read
    // back), then falls silent.
    const quint64 asked = line.emulator.DeviceStats(1).Answered;
    line.emulator.ResetStatistics();
    TEmulatorFaults faults;
    QString faultError;
    ASSERT_TRUE(
        ParseEmulatorFaults(QStringLiteral("device=2:stop-after=%1").arg(asked + 2), faults, faultError))
        << faultError.toStdString();
    line.emulator.SetFaults(faults, 1);
    const TRestoreReport r = engine.Restore(*document, {.Flash = true});
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Written, 1);
    ASSERT_EQ(r.Changes.size(), 2u);
    EXPECT_EQ(r.FailedChange, r.Changes[1].Line());
    EXPECT_TRUE(r.Error.startsWith(QStringLiteral("channel 2 response time: "))) << r.Error.toStdString();
    EXPECT_FALSE(r.Flashed);
}

TEST(ConfigRestore, ASettingThatDoesNotReadBackAsWrittenFailsVerification) {
    ConfigBus line;
    ASSERT_TRUE(line.Start(0, 1));
    auto b = line.Module(0, 1);
    TConfigEngine engine(*b);
    QString error;
    auto document = engine.Backup(error);
    ASSERT_TRUE(document);
    // The emulated input keeps only the polynomial bit of its flags word: a file asking for
    // thermocompensation too is written, and read back without it.
    TConfigSetting* flags = nullptr;
    for (TConfigSetting& s : document->Channels[0].Settings)
        if (s.Name == QLatin1String("flags"))
            flags = &s;
    ASSERT_NE(flags, nullptr);
    ASSERT_EQ(flags->Transfers.size(), 1u);
    flags->Transfers[0].Value = 3;
    const TRestoreReport r = engine.Restore(*document, {.Flash = true});
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Written, 0);
    EXPECT_TRUE(r.Error.contains(QLatin1String("written, but the device reads back")))
        << r.Error.toStdString();
    EXPECT_FALSE(r.Flashed);
}

} // namespace

namespace {

TEST(ConfigRestore, AChangeIsToldFromTheFilesValuesNotFromTheMeaningStoredBesideThem) {
    ConfigBus line;
    ASSERT_TRUE(line.Start(0, 1));
    auto a = line.Module(0, 1);
    TConfigEngine engine(*a);
    QString error;
    auto document = engine.Backup(error);
    ASSERT_TRUE(document) << error.toStdString();
    TConfigSetting* time = nullptr;
    for (TConfigSetting& s : document->Channels[0].Settings)
        if (s.Name == QLatin1String("responseTime"))
            time = &s;
    ASSERT_NE(time, nullptr);
    ASSERT_EQ(time->Transfers.size(), 1u);
    // Edited by hand: the value, not the text beside it.
    const QString stored = time->Meaning;
    time->Transfers[0].Value = 33;
    const TRestoreReport r = engine.Restore(*document, {.DryRun = true});
    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    ASSERT_EQ(r.Changes.size(), 1u);
    EXPECT_EQ(r.Changes[0].Line(), QStringLiteral("channel 1 response time: %1 -> 33 ms").arg(stored));
}

} // namespace
