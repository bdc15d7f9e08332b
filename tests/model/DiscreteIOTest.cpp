// The discrete and analog output families: against the emulated modules over a pair of bridged
// pseudo-terminals, against a scripted device for the orders and faults the emulator does not show,
// and the local bookkeeping (steps, manager words, accessors, register maps).
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "emulator/VirtualAuxiliaryChannels.h"
#include "emulator/VirtualChannel.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "emulator/VirtualDiscreteChannels.h"
#include "localization/ChannelLanguage.h"
#include "model/AnalogOutputModules.h"
#include "model/ChannelTexts.h"
#include "model/DiscreteModules.h"
#include "model/ModuleFactory.h"
#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"
#include "support/PtyBridge.h"
#include "support/ScriptedDevice.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

quint32 Bits(float f) {
    return std::bit_cast<quint32>(f);
}

// --- Against the emulator ---------------------------------------------------------------------

// One emulated device of the given type at address 1, and the module class of the program on the
// other end of the line.
template <class TModule> class Emulated : public ::testing::Test {
protected:
    void Start(quint32 TypeCode) {
        ASSERT_TRUE(bridge.Ok());
        emulator.AddDevices(TypeCode, 1);
        emulator.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
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
    }
    void TearDown() override {
        ap.SetActive(false);
        emulator.SetActive(false);
    }
    TVirtualDevice& Device() { return *emulator.DeviceAt(0); }
    // The emulated channel with this bus number.
    TCustomVirtualChannel* Virtual(int Number) { return Device().ChannelAt(Number - 1); }
    TVirtualDOChannel* VirtualDO(int Number) { return static_cast<TVirtualDOChannel*>(Virtual(Number)); }

    TPtyBridge bridge;
    TVirtualDeviceManager emulator;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TModule module;
    QString text;
};

using EmulatedDOS = Emulated<TKVDDOSBUS>;
using EmulatedDIO = Emulated<TKVDDIOBUS>;
using EmulatedAO = Emulated<TKVDAOBUS>;

TEST_F(EmulatedDOS, OutputsAreWrittenPlainlyOrWithAFreshKeyWhenProtected) {
    Start(7);
    TDOChannel& out = *module.DiscreteOutput(2); // object 3
    ASSERT_TRUE(out.SetOutput(true));
    EXPECT_TRUE(module.Ok);
    EXPECT_TRUE(module.Modified);
    EXPECT_EQ(VirtualDO(3)->State(), 1u);
    EXPECT_EQ(out.ReadOutput(), 1);

    // Protected mode, written through one output, holds for every output of the device.
    out.Protected = true;
    ASSERT_TRUE(out.WriteSettings(dosProtected, text)) << text.toStdString();
    EXPECT_TRUE(VirtualDO(5)->Protected());
    ASSERT_TRUE(out.SetOutput(false));
    EXPECT_EQ(VirtualDO(3)->State(), 0u);
    EXPECT_EQ(out.State, 0);

    // A channel that does not know the mode writes without a key: refused, reported, and the key
    // has moved on all the same.
    TDOChannel& other = *module.DiscreteOutput(4);
    const quint32 keyBefore = VirtualDO(5)->WriteKey();
    EXPECT_FALSE(other.SetOutput(true));
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(VirtualDO(5)->State(), 0u);
    EXPECT_NE(VirtualDO(5)->WriteKey(), keyBefore);
    ASSERT_TRUE(other.ReadSettings(dosProtected, text));
    EXPECT_TRUE(other.Protected);
    EXPECT_TRUE(other.SetOutput(true));
    EXPECT_EQ(VirtualDO(5)->State(), 1u);
}

TEST_F(EmulatedDOS, ASequenceIsWrittenReadBackAndStarted) {
    Start(7);
    TDOChannel& out = *module.DiscreteOutput(0);
    out.StartValue = true;
    out.ClearSteps();
    for (quint16 d : {3, 4, 5})
        ASSERT_TRUE(out.AddStep(d));
    ASSERT_TRUE(out.WriteSettings(dosAll, text)) << text.toStdString();
    EXPECT_EQ(VirtualDO(1)->Settings().Steps, 3);

    TKVDDOSBUS fresh;
    fresh.SetAP(&ap);
    fresh.SetAddress(1);
    TDOChannel& back = *fresh.DiscreteOutput(0);
    ASSERT_TRUE(back.ReadSettings(dosAll, text)) << text.toStdString();
    EXPECT_FALSE(back.Protected);
    EXPECT_TRUE(back.StartValue);
    ASSERT_EQ(back.StepCount, 3);
    EXPECT_EQ(back.Steps[0], 3);
    EXPECT_EQ(back.Steps[1], 4);
    EXPECT_EQ(back.Steps[2], 5);

    ASSERT_TRUE(back.StartSequence());
    EXPECT_TRUE(VirtualDO(1)->SequenceMode());
    // A running sequence refuses its settings: the write reports the sequence's text.
    EXPECT_FALSE(back.WriteSettings(dosSequence, text));
    EXPECT_EQ(text, ChannelTexts().WriteSteps);
    EXPECT_FALSE(fresh.Ok);
}

TEST_F(EmulatedDOS, TheManagerSwitchesAllOutputsAndReportsThem) {
    Start(7);
    TDIOManager& m = *module.DIOManager();
    ASSERT_TRUE(m.ReadMode(text)) << text.toStdString();
    EXPECT_FALSE(m.Protected);
    ASSERT_TRUE(m.WriteOutputs(0b10100101));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(VirtualDO(i + 1)->State(), (0b10100101u >> i) & 1u) << "output " << i;
    ASSERT_TRUE(m.ReadInputs());
    EXPECT_EQ(m.InputsWord(), 0b10100101u << 8);
    EXPECT_EQ(m.InputBytes[1], 0b10100101);
    EXPECT_TRUE(m.OutputOn(7));
    EXPECT_FALSE(m.OutputOn(6));

    // The mode write leaves Ok False even when it went through; its text tells the outcome.
    m.Protected = true;
    m.WriteMode(text);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_FALSE(module.Ok);
    EXPECT_TRUE(VirtualDO(1)->Protected());
    ASSERT_TRUE(m.WriteOutputs(0b1));
    EXPECT_EQ(VirtualDO(1)->State(), 1u);
    EXPECT_EQ(VirtualDO(3)->State(), 0u);
    m.Protected = false; // the program forgot the mode: the device refuses the plain write
    EXPECT_FALSE(m.WriteOutputs(0));
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(VirtualDO(1)->State(), 1u);
}

TEST_F(EmulatedDOS, TheHealthControllersParametersMakeTheRoundTrip) {
    Start(7);
    auto& ic = static_cast<TDOS12IntachnessCtrlChannel&>(*module.IntachnessCtrl());
    EXPECT_EQ(ic.ClassName(), QStringLiteral("TDOS12IntachnessCtrlChannel"));
    ASSERT_TRUE(ic.WriteTimeout(0xFFFFFFF0u));
    ASSERT_TRUE(ic.WriteResetCondition(true));
    ASSERT_TRUE(ic.WriteSafeStates(0xA5));
    ASSERT_TRUE(ic.WriteParameterFloat(1, 2.5f));
    EXPECT_EQ(ic.ReadTimeout(), 0xFFFFFFF0u);
    EXPECT_TRUE(module.Ok);
    EXPECT_TRUE(ic.ReadResetCondition());
    EXPECT_EQ(ic.ReadSafeStates(), 0xA5u);
    EXPECT_EQ(ic.ReadParameterFloat(1), 2.5f);
    // An index outside 0..3 transfers nothing and fails.
    EXPECT_FALSE(ic.WriteParameterInteger(-1, 5));
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(ic.ReadParameterInteger(4), 0);
    EXPECT_FALSE(module.Ok);
}

TEST_F(EmulatedDIO, TheManagerWordsShowInputsAndOutputs) {
    Start(6);
    Virtual(2)->SetInput(0.0f); // closed contact
    Virtual(3)->SetInput(5.0f); // broken line (the line check is on)
    Virtual(4)->SetInput(1.0f); // open
    TDIOManager& m = *module.DIOManager();
    ASSERT_TRUE(m.WriteOutputs(0b0101));
    EXPECT_EQ(VirtualDO(13)->State(), 1u);
    EXPECT_EQ(VirtualDO(14)->State(), 0u);
    EXPECT_EQ(VirtualDO(15)->State(), 1u);
    ASSERT_TRUE(m.ReadInputs());
    EXPECT_EQ(m.InputsWord(), (0b0101u << 8) | (0b0100u << 16) | (0b0010u << 24));
    EXPECT_TRUE(m.InputOn(1));
    EXPECT_TRUE(m.InputFault(2));
    EXPECT_FALSE(m.InputOn(3));
    // Inputs of the model's own objects read their state one by one as well.
    ASSERT_TRUE(module.DiscreteInput(1)->ReadState());
    EXPECT_EQ(module.DiscreteInput(1)->State, 1);
    ASSERT_TRUE(module.DiscreteInput(2)->ReadSettings(disLineBreakCheck, text));
    EXPECT_EQ(module.DiscreteInput(2)->LineBreakCheck, 1);
    // Selectors the emulated input has no register for fail with their own texts.
    EXPECT_FALSE(module.DiscreteInput(2)->ReadSettings(disAll, text));
    EXPECT_EQ(text, ChannelTexts().ReadHardwareRange);
    EXPECT_FALSE(module.Ok);
}

TEST_F(EmulatedAO, AnOutputIsSetAndReadBackAndEachSafeValueIsKept) {
    Start(2);
    TAOChannel& out = *module.GetChannel(2);
    ASSERT_TRUE(out.WriteOutput(12.5f));
    EXPECT_TRUE(module.Ok);
    EXPECT_EQ(Virtual(3)->OutputAsFloat(), 12.5f);
    out.OutputValue = 0;
    EXPECT_EQ(out.ReadOutput(), 12.5f);
    EXPECT_EQ(out.OutputValue, 12.5f);

    ASSERT_TRUE(out.ReadSettings(ssCommon, text)) << text.toStdString();
    for (int i = 0; i < out.Ranges.Count(); ++i)
        EXPECT_EQ(out.Ranges.Items(i)->Attribute, 0) << "range " << i;

    auto& ic = static_cast<TAOIntachnessCtrlChannel&>(*module.IntachnessCtrl());
    ASSERT_TRUE(ic.WriteSafeValue(0, 4.0f));
    ASSERT_TRUE(ic.WriteSafeValue(3, 20.0f));
    EXPECT_EQ(ic.ReadSafeValue(0), 4.0f);
    EXPECT_EQ(ic.ReadSafeValue(3), 20.0f);
    ASSERT_TRUE(ic.WriteControlledOutputs(0b1001));
    EXPECT_EQ(ic.ReadControlledOutputs(), 0b1001u);

    // Silence: -1 and Ok False, the last value kept.
    emulator.SetActive(false);
    EXPECT_EQ(out.ReadOutput(), -1.0f);
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(out.OutputValue, 12.5f);
    EXPECT_FALSE(out.WriteOutput(1.0f));
    EXPECT_FALSE(module.Ok);
}

// Over Modbus RTU every emulated discrete module serves its manager and health controller on the
// registers where the module's own tunnel puts them; a map that put one on another page would leave
// the windows and io without an answer while Nerix works.
TEST(EmulatedOverModbus, ManagersAndControllersAnswerWhereTheModelsLookForThem) {
    struct TCase {
        quint32 Type;
        quint32 AllOutputs; // the manager's mask that switches every emulated output on
        bool Controller;
    };
    const std::vector<TCase> cases = {
        {6, 0x0F, true}, {7, 0xFF, true}, {8, 0x0F, true}, {17, 0xFFF, true}, {10, 0, false}};
    TPtyBridge bridge;
    ASSERT_TRUE(bridge.Ok());
    TVirtualDeviceManager emulator;
    for (const TCase& c : cases)
        emulator.AddDevices(c.Type, 1);
    emulator.SetProtocol(TVirtualDeviceManager::kProtocolModbus);
    emulator.SetPortName(bridge.PathA());
    emulator.SetActive(true);
    ASSERT_TRUE(emulator.Active()) << emulator.LastError().toStdString();
    TPowerRsBus bus;
    bus.SetPortName(bridge.PathB());
    bus.SetInputTimeout(150);
    TComPortAccessPoint ap;
    ap.SetBus(&bus);
    ap.SetActive(true);
    QString text;
    for (size_t i = 0; i < cases.size(); ++i) {
        const TCase& c = cases[i];
        SCOPED_TRACE("type " + std::to_string(c.Type));
        TModuleCreation made = CreateModuleForType(quint16(c.Type));
        ASSERT_TRUE(made.Module);
        TZUVOModule& module = *made.Module;
        module.SetAP(&ap);
        module.SetAddress(quint8(i + 1));
        module.SetTransferProtocol(tpModbus);
        TVirtualDevice& device = *emulator.DeviceAt(int(i));
        TDIOManager& m = *module.DIOManager();
        ASSERT_TRUE(m.ReadMode(text)) << text.toStdString();
        EXPECT_FALSE(m.Protected);
        if (c.AllOutputs) {
            // Keyed: the mode, the key and the outputs word all go through the registers.
            m.Protected = true;
            m.WriteMode(text);
            ASSERT_TRUE(text.isEmpty()) << text.toStdString();
            ASSERT_TRUE(m.WriteOutputs(c.AllOutputs));
            ASSERT_TRUE(m.ReadInputs());
            EXPECT_EQ((m.InputsWord() >> 8) & 0xFF, c.AllOutputs & 0xFF);
            for (int n = 0; n < 16; ++n)
                if (auto* ch = device.ChannelAt(n); ch && ch->Kind() == vkDiscreteOutput) {
                    EXPECT_EQ(static_cast<TVirtualDOChannel*>(ch)->State(), 1u) << "channel " << n + 1;
                }
        } else {
            device.ChannelAt(7)->SetInput(0.0f); // the eighth input closes
            ASSERT_TRUE(m.ReadInputs());
            EXPECT_TRUE(m.InputOn(7));
        }
        if (c.Controller) {
            TIntachnessCtrlChannel& ic = *module.IntachnessCtrl();
            ASSERT_TRUE(ic.WriteTimeout(1500));
            ASSERT_TRUE(ic.WriteParameterInteger(0, 0x5A));
            EXPECT_EQ(ic.ReadTimeout(), 1500u);
            EXPECT_EQ(ic.ReadParameterInteger(0), 0x5A);
            EXPECT_TRUE(module.Ok);
        }
    }
    ap.SetActive(false);
    emulator.SetActive(false);
}

// --- Against a scripted device ----------------------------------------------------------------

class Scripted : public ::testing::Test {
protected:
    void Start(std::map<std::pair<quint8, quint16>, quint32> Properties) {
        ASSERT_TRUE(dev.Ok());
        dev.AddNerixDevice(1, std::move(Properties));
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(60);
        ap.SetBus(&bus);
        ap.SetTryCount(1); // one request per transfer, so that the trace shows each once
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active()) << bus.LastError().toStdString();
    }
    template <class T> void Attach(T& Module) {
        Module.SetAP(&ap);
        Module.SetAddress(1);
    }
    // What went over the line since the last call: "r16", "w48=257".
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

    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    QString text;
    size_t FSeen = 0;
};

TEST_F(Scripted, ADeviceReportingMoreStepsThanAnOutputHoldsFailsTheRead) {
    Start({{{1, 3}, 0}, {{1, 5}, 1}, {{1, 6}, 20}, {{1, 7}, 0}, {{1, 8}, 7}});
    TKVDDOBUS module;
    Attach(module);
    TDOChannel& out = *module.DiscreteOutput(0);
    out.StepCount = 2;
    out.Steps[0] = 11;
    EXPECT_FALSE(out.ReadSettings(dosAll, text));
    EXPECT_EQ(text, ChannelTexts().ReadSteps);
    EXPECT_FALSE(module.Ok);
    EXPECT_TRUE(out.StartValue); // the steps before stay done
    EXPECT_EQ(out.StepCount, 2);
    EXPECT_EQ(out.Steps[0], 11);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"r3", "r5", "r6"}));
    // The text speaks the language the application chose.
    ApplyChannelTexts(liEnglish);
    EXPECT_FALSE(out.ReadSettings(dosSequence, text));
    EXPECT_EQ(text, QStringLiteral("Error reading the list of periods."));
    SetChannelTexts(TChannelTexts());
    Trace();

    // A count the program was handed beyond the limit writes the steps an output holds.
    out.StepCount = 200;
    ASSERT_TRUE(out.WriteSettings(dosSequence, text));
    EXPECT_EQ(Trace().front(), "w6=15");
    out.StepCount = 0;
    ASSERT_TRUE(out.WriteSettings(dosSequence, text));
    EXPECT_EQ(Trace(), (std::vector<std::string>{"w6=0"}));
}

TEST_F(Scripted, KeyedWritesReadTheKeyOnlyWhenProtected) {
    Start({{{2, 0}, 0}, {{2, 2}, 0x12345600}, {{2, 4}, 0}});
    TKVDDOBUS module;
    Attach(module);
    TDOChannel& out = *module.DiscreteOutput(1);
    ASSERT_TRUE(out.SetOutput(true));
    EXPECT_EQ(Trace(), (std::vector<std::string>{"w0=1"}));
    out.Protected = true;
    ASSERT_TRUE(out.SetOutput(true));
    ASSERT_TRUE(out.StartSequence());
    EXPECT_EQ(Trace(), (std::vector<std::string>{"r2", "w0=305419777", "r2", "w4=305419776"}));
    // No key, no write.
    TKVDDOBUS silent;
    Attach(silent);
    silent.SetAddress(9);
    silent.DiscreteOutput(0)->Protected = true;
    EXPECT_FALSE(silent.DiscreteOutput(0)->SetOutput(true));
    EXPECT_EQ(Trace(), (std::vector<std::string>{"r2"}));
}

TEST_F(Scripted, TheInputsFullWriteSendsTheLevelTwiceThresholdFirst) {
    std::map<std::pair<quint8, quint16>, quint32> props;
    for (quint16 p : {2, 3, 7, 8, 9, 10, 11, 12})
        props[{1, p}] = 0;
    Start(props);
    TKVDDIBUS module;
    Attach(module);
    TDIChannel& in = *module.GetChannel(0);
    in.HardwareRange = 2;
    in.ResponseTime = 40;
    in.Threshold = 1.5f;
    in.CaptureLevel = 7;
    in.LogicOneLevel = 3.0f;
    in.LineBreakLevel = 0.5f;
    in.LineBreakCheck = 5;
    in.PhysicalChannel = 3;
    ASSERT_TRUE(in.WriteSettings(disAll, text)) << text.toStdString();
    EXPECT_TRUE(module.Modified);
    const std::vector<std::string> expected{
        "w7=" + std::to_string(kUnlockCode), "w9=2",  "w10=40",
        "w11=" + std::to_string(Bits(1.5f)), "w11=7", "w3=" + std::to_string(Bits(3.0f)),
        "w2=" + std::to_string(Bits(0.5f)),  "w8=1",  "w12=3"};
    EXPECT_EQ(Trace(), expected);

    // Reading back: the level as float, then as integer; the temperature and separation level are
    // missing here, so the full read stops at the temperature.
    in.Threshold = 0;
    EXPECT_FALSE(in.ReadSettings(disAll, text));
    EXPECT_EQ(text, ChannelTexts().ReadTemperature);
    EXPECT_EQ(in.CaptureLevel, 7);
    EXPECT_EQ(in.LineBreakCheck, 1);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"r9", "r10", "r11", "r11", "r3", "r2", "r8", "r6"}));
}

TEST_F(Scripted, AnOutputsShortRangeListCarriesTheSelectorInFieldOne) {
    std::map<std::pair<quint8, quint16>, quint32> props;
    for (quint16 p : {14, 15, 48, 49})
        props[{1, p}] = 0;
    Start(props);
    TKVDAO2VIXPro module;
    Attach(module);
    TAOChannel& out = *module.GetChannel(0);
    TRangeRec rec;
    rec.Code = 9;
    rec.Attribute = 1;
    rec.Coefficient1 = 2.0f;
    rec.Coefficient2 = 0.5f;
    out.Ranges.AddCopy(&rec);
    ASSERT_TRUE(out.WriteSettings(ssRangeList, text)) << text.toStdString();
    const std::vector<std::string> expected{"w15=" + std::to_string(kUnlockCode),
                                            "w14=1",
                                            "w48=0",
                                            "w49=9",
                                            "w48=1",
                                            "w49=1",
                                            "w48=2",
                                            "w49=" + std::to_string(Bits(2.0f)),
                                            "w48=3",
                                            "w49=" + std::to_string(Bits(0.5f)),
                                            "w15=0"};
    EXPECT_EQ(Trace(), expected);
}

// The DOF controller's parameters are typed: 0 the safe states (integer), 1 and 2 the safe
// frequencies of the two frequency outputs (floats, bit for bit: 0 or 15 .. 300000 Hz, and any
// fraction the user typed), 3 the controlled outputs (integer). Anything beyond those names no
// parameter and must not reach the device.
TEST_F(Scripted, TheDOFControllersTypedParametersTravelBitForBit) {
    std::map<std::pair<quint8, quint16>, quint32> props;
    for (quint16 p = 0; p <= 5; ++p)
        props[{16, p}] = 0;
    Start(props);
    TKVDDOFBUS module;
    Attach(module);
    auto& ic = static_cast<TDOFIntachnessCtrlChannel&>(*module.IntachnessCtrl());
    ASSERT_EQ(ic.Accessor.ObjectNumber, 16);

    struct TFrequency {
        int Output;
        float Value;
        const char* Property;
    };
    for (const TFrequency& f :
         {TFrequency{0, 0.0f, "w3="}, TFrequency{0, 15.0f, "w3="}, TFrequency{1, 300000.0f, "w4="},
          TFrequency{1, 1234.567f, "w4="}, TFrequency{0, 299999.99f, "w3="}, TFrequency{1, 15.001f, "w4="}}) {
        SCOPED_TRACE(f.Value);
        module.Modified = false;
        ASSERT_TRUE(ic.WriteSafeFrequency(f.Output, f.Value));
        EXPECT_TRUE(module.Ok);
        EXPECT_TRUE(module.Modified);
        EXPECT_EQ(Trace(), (std::vector<std::string>{f.Property + std::to_string(Bits(f.Value))}));
        EXPECT_EQ(Bits(ic.ReadSafeFrequency(f.Output)), Bits(f.Value));
        EXPECT_TRUE(module.Ok);
        Trace();
    }
    ASSERT_TRUE(ic.WriteSafeStates(0b101101));
    ASSERT_TRUE(ic.WriteControlledOutputs(0xC3));
    ASSERT_TRUE(ic.WriteTimeout(0xFFFFFFFFu)); // sent unsigned: no sign on the wire
    EXPECT_EQ(Trace(), (std::vector<std::string>{"w2=45", "w5=195", "w0=4294967295"}));
    EXPECT_EQ(ic.ReadSafeStates(), 0b101101u);
    EXPECT_EQ(ic.ReadControlledOutputs(), 0xC3u);
    EXPECT_EQ(ic.ReadTimeout(), 0xFFFFFFFFu);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"r2", "r5", "r0"}));

    // A third frequency output, a parameter past the four and a value that is no number: nothing on
    // the line, Ok False, the module not marked Modified, reads give 0.
    module.Modified = false;
    EXPECT_FALSE(ic.WriteSafeFrequency(2, 100.0f));
    EXPECT_FALSE(module.Ok);
    EXPECT_FALSE(ic.WriteSafeFrequency(-1, 100.0f));
    EXPECT_FALSE(ic.WriteParameterInteger(4, 1));
    EXPECT_FALSE(ic.WriteParameterFloat(1, std::numeric_limits<float>::quiet_NaN()));
    EXPECT_FALSE(ic.WriteParameterFloat(2, std::numeric_limits<float>::infinity()));
    EXPECT_EQ(ic.ReadSafeFrequency(2), 0.0f);
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(ic.ReadParameterFloat(4), 0.0f);
    EXPECT_FALSE(module.Modified);
    EXPECT_TRUE(Trace().empty());

    // Silence: reads give 0 and writes fail, Ok False each time.
    dev.SetSilent(true);
    EXPECT_EQ(ic.ReadSafeFrequency(1), 0.0f);
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(ic.ReadControlledOutputs(), 0u);
    EXPECT_FALSE(ic.WriteSafeStates(1));
    EXPECT_FALSE(module.Ok);
    EXPECT_FALSE(module.Modified);
}

// The extended manager's outputs follow its inputs: a write of outputs 0..23 of a 24-input module
// touches output words 1 and 2 only, keeps the bits of word 1 below the first output as last read,
// and fetches a fresh key for every word while protected.
TEST_F(Scripted, TheExtendedManagerWritesOnlyTheWordsOfTheOutputsNamed) {
    std::map<std::pair<quint8, quint16>, quint32> props;
    for (quint16 p = 0; p <= 9; ++p)
        props[{49, p}] = 0;
    props[{49, 5}] = 0x00A5; // word 1 as the device has it
    props[{49, 8}] = 0x12340000;
    Start(props);
    TKVDDIO24QAV module;
    Attach(module);
    TDIOManagerExt& m = *module.DIOManagerExt();
    ASSERT_EQ(module.FirstManagedOutput(), 24);

    ASSERT_TRUE(m.ReadOutputPoints(24, 24));
    ASSERT_TRUE(m.ReadInputPoints(0, 24));
    EXPECT_EQ(Trace(), (std::vector<std::string>{"r5", "r6", "r0", "r1"}));

    ASSERT_TRUE(m.WriteOutputPoints(24, 24, 0xABCDEF));
    EXPECT_EQ(Trace(),
              (std::vector<std::string>{"w5=" + std::to_string(0xEFA5), "w6=" + std::to_string(0xABCD)}));
    EXPECT_EQ(m.OutputState(24), 1);
    EXPECT_EQ(m.OutputState(28), 0);
    EXPECT_EQ(m.OutputState(47), 1);

    m.Protected = true;
    ASSERT_TRUE(m.WriteOutputPoints(24, 8, 0x01));
    EXPECT_EQ(Trace(), (std::vector<std::string>{"r8", "w5=" + std::to_string(0x123401A5)}));

    // Points past the manager's 64 are clipped; nothing at all is no write and no success.
    m.Protected = false;
    ASSERT_TRUE(m.WriteOutputPoints(60, 10, 0b1111));
    EXPECT_EQ(Trace(), (std::vector<std::string>{"w7=" + std::to_string(0xF000)}));
    EXPECT_FALSE(m.WriteOutputPoints(64, 4, 0xF));
    EXPECT_FALSE(m.ReadInputPoints(0, 0));
    EXPECT_TRUE(Trace().empty());
}

// The impulse generator's count is two words added; a second word that does not come leaves the
// first alone and Ok False; no first word, 0.
TEST_F(Scripted, ThePulseCountAddsBothWordsAndTheFrequencyIsAFloat) {
    Start({{{1, 0}, Bits(50.0f)}, {{1, 1}, 100}, {{1, 2}, 23}});
    dev.AddNerixDevice(2, {{{1, 1}, 7}});
    TKVDDOBUS module;
    Attach(module);
    TDOChannel& out = *module.DiscreteOutput(0);
    EXPECT_EQ(out.ReadPulseCount(), 123u);
    EXPECT_TRUE(module.Ok);
    EXPECT_EQ(out.ReadFrequency(), 50.0f);
    EXPECT_EQ(out.Frequency, 50.0f);
    ASSERT_TRUE(out.SetFrequency(12.5f));
    ASSERT_TRUE(out.ResetPulseCount());
    EXPECT_EQ(Trace(),
              (std::vector<std::string>{"r1", "r2", "r0", "w0=" + std::to_string(Bits(12.5f)), "w1=0"}));

    module.SetAddress(2);
    EXPECT_EQ(out.ReadPulseCount(), 7u);
    EXPECT_FALSE(module.Ok);
    module.SetAddress(3); // nobody
    EXPECT_EQ(out.ReadPulseCount(), 0u);
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(out.ReadFrequency(), 0.0f);
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(out.Frequency, 12.5f); // the last good value stays
}

// --- Local bookkeeping ---------------------------------------------------------------------------

TEST(DiscreteOutput, DeleteStepMovesTheLaterStepsDown) {
    TKVDDOBUS module;
    TDOChannel& out = *module.DiscreteOutput(0);
    struct TCase {
        int Index;
        std::vector<quint16> Left;
    };
    for (const TCase& c : {TCase{2, {10, 20, 40}}, TCase{4, {10, 20, 30, 40}}, TCase{-1, {10, 20, 30, 40}},
                           TCase{0, {20, 30, 40}}, TCase{3, {10, 20, 30}}}) {
        out.ClearSteps();
        for (quint16 d : {10, 20, 30, 40})
            out.AddStep(d);
        out.DeleteStep(c.Index);
        std::vector<quint16> left(out.Steps.begin(), out.Steps.begin() + out.StepCount);
        EXPECT_EQ(left, c.Left) << "DeleteStep(" << c.Index << ")";
    }
    out.ClearSteps();
    for (int i = 0; i < TDOChannel::kMaxSteps; ++i)
        EXPECT_TRUE(out.AddStep(quint16(i)));
    EXPECT_FALSE(out.AddStep(99));
    EXPECT_EQ(out.StepCount, TDOChannel::kMaxSteps);
}

TEST(DiscreteManager, ExtendedWordsGiveTwoBitsPerInputAndOneBitPerOutput) {
    TKVDDIO24QAV module;
    TDIOManagerExt& m = *module.DIOManagerExt();
    m.InputWords = {0, 0b1100, 0, 0xC0000000u};
    m.OutputWords = {0, 0, 0x1, 0x8000};
    EXPECT_EQ(m.InputState(17), 3);
    EXPECT_EQ(m.InputState(16), 0);
    EXPECT_EQ(m.InputState(63), 3);
    EXPECT_EQ(m.InputState(64), 0);
    EXPECT_EQ(m.InputState(1000), 0);
    EXPECT_EQ(m.InputState(-1), 0);
    EXPECT_EQ(m.OutputState(32), 1);
    EXPECT_EQ(m.OutputState(63), 1);
    EXPECT_EQ(m.OutputState(64), 0);
    EXPECT_EQ(m.OutputState(-5), 0);
    // A word beyond the four transfers nothing.
    EXPECT_FALSE(m.ReadInputWord(4));
    EXPECT_FALSE(m.WriteOutputWord(-1, 1));
    EXPECT_FALSE(module.Ok);

    // The smaller manager: bytes as read, outputs and inputs 8..15 from the second word.
    TKVDDOS12BUS dos12;
    TDIOManager& small = *dos12.DIOManager();
    small.InputBytes = {0x00, 0xFF, 0x01, 0x00};
    small.OutputBytes = {0x02, 0x08, 0x00, 0x00};
    EXPECT_TRUE(small.OutputOn(7));
    EXPECT_TRUE(small.InputFault(0));
    EXPECT_TRUE(small.OutputFault(9));
    EXPECT_TRUE(small.OutputOn(11));
    EXPECT_FALSE(small.OutputOn(16));
}

TEST(DiscreteModels, EveryTypeHasItsClassChannelsAndObjects) {
    struct TCase {
        quint16 Type;
        const char* Class;
        int Inputs, Outputs, AnalogInputs, AnalogOutputs;
        bool Manager, ManagerExt, Controller;
    };
    const TCase cases[] = {
        {4, "TKVDDIBUS", 8, 2, 0, 0, true, false, false},
        {10, "TKVDDIBUS", 8, 2, 0, 0, true, false, false},
        {18, "TKVDDI14BUS", 15, 0, 0, 0, false, true, false},
        {6, "TKVDDIOBUS", 8, 8, 0, 0, true, false, true},
        {5, "TKVDDOBUS", 0, 8, 0, 0, true, false, true},
        {7, "TKVDDOSBUS", 0, 8, 0, 0, true, false, true},
        {17, "TKVDDOS12BUS", 0, 12, 0, 0, true, false, true},
        {8, "TKVDDORBUS", 0, 4, 0, 0, true, false, true},
        {19, "TKVDDOFBUS", 6, 8, 0, 0, true, false, true},
        {64, "TKVDDIO24QAV", 24, 24, 0, 0, false, true, true},
        {39, "TKVDDIOVIXPro", 4, 4, 0, 0, false, true, true},
        {67, "TKVDDIO4QAV", 4, 4, 0, 0, false, true, true},
        {38, "TMIOVIXPro", 2, 2, 1, 0, true, false, true},
        {43, "TMIOExVIXPro", 3, 3, 3, 1, false, true, true},
        {21, "TP340BUS", 4, 8, 4, 2, true, false, true},
        {44, "TP341BUS", 4, 8, 4, 2, true, false, true},
        {33, "TP680BUS", 8, 12, 6, 0, true, false, true},
        {32, "TW3DVIX", 0, 0, 0, 0, true, false, false},
        {2, "TKVDAOBUS", 0, 0, 0, 4, false, false, true},
        {3, "TKVDAO6BUS", 0, 0, 0, 6, false, false, true},
        {34, "TKVDAO2VIXPro", 0, 0, 0, 2, false, false, true},
        {66, "TKVDAO16QAV", 0, 0, 0, 16, false, false, true},
        {69, "TKVDMIOQAV", 8, 8, 8, 6, false, true, true},
        // The analog input models with outputs.
        {24, "TKVDAVIX_EXT", 0, 0, 1, 1, false, false, false},
        {28, "TKVD2AVIX", 0, 0, 1, 2, false, false, false},
        {29, "TKVD2ARVIX", 0, 0, 2, 2, false, false, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Class);
        TModuleCreation made = CreateModuleForType(c.Type);
        ASSERT_TRUE(made.Module) << made.Why.toStdString();
        TZUVOModule& m = *made.Module;
        EXPECT_EQ(m.ClassName(), QLatin1String(c.Class));
        EXPECT_FALSE(m.Modified);
        EXPECT_EQ(m.DiscreteInputCount(), c.Inputs);
        EXPECT_EQ(m.DiscreteOutputCount(), c.Outputs);
        EXPECT_EQ(m.AnalogInputCount(), c.AnalogInputs);
        EXPECT_EQ(m.AnalogOutputCount(), c.AnalogOutputs);
        EXPECT_EQ(m.DiscreteInput(c.Inputs), nullptr);
        EXPECT_EQ(m.DiscreteOutput(c.Outputs), nullptr);
        EXPECT_EQ(m.AnalogOutput(c.AnalogOutputs), nullptr);
        EXPECT_EQ(m.DIOManager() != nullptr, c.Manager);
        EXPECT_EQ(m.DIOManagerExt() != nullptr, c.ManagerExt);
        EXPECT_EQ(m.IntachnessCtrl() != nullptr, c.Controller);
    }
    TKVDDI14BUS di14;
    EXPECT_NE(di14.GetChannel(14), nullptr);
    EXPECT_EQ(di14.GetChannel(15), nullptr);
    TKVDAO2VIXPro ao2;
    EXPECT_EQ(ao2.GetChannel(2), nullptr);
    TKVDMIOQAV mio;
    EXPECT_EQ(mio.GetChannel(6), nullptr);
    EXPECT_EQ(mio.DiscreteIntachnessCtrl()->ClassName(), QStringLiteral("TICDIO24QAV"));
    EXPECT_EQ(mio.IntachnessCtrl()->ClassName(), QStringLiteral("TAOIntachnessCtrlChannel"));
    TKVDDOFBUS dof;
    EXPECT_EQ(dof.DiscreteOutput(6)->Accessor.ObjectNumber, 14);
    EXPECT_EQ(dof.DiscreteInput(2)->Accessor.ObjectNumber, 10);
    EXPECT_EQ(dof.IntachnessCtrl()->ClassName(), QStringLiteral("TDOFIntachnessCtrlChannel"));
}

TEST(DiscreteModels, RegisterMapsPutEachObjectWhereTheDeviceHasIt) {
    struct TCase {
        std::unique_ptr<TZUVOModule> Module;
        quint8 Object;
        quint16 Property;
        quint16 Register;
    };
    std::vector<TCase> cases;
    auto add = [&](std::unique_ptr<TZUVOModule> m, quint8 o, quint16 p, quint16 r) {
        cases.push_back({std::move(m), o, p, r});
    };
    add(std::make_unique<TKVDDIBUS>(), 1, 11, 256 + 16 + 22);
    add(std::make_unique<TKVDDIBUS>(), 11, 4, 2832 + 8);
    add(std::make_unique<TKVDDI14BUS>(), 16, 9, 4112 + 18);
    add(std::make_unique<TKVDDIOBUS>(), 18, 4, 4624 + 8);
    add(std::make_unique<TKVDDORBUS>(), 5, 3, 1296 + 6);
    add(std::make_unique<TKVDDOFBUS>(), 16, 5, 4096 + 10);
    add(std::make_unique<TKVDDIO24QAV>(), 49, 9, 12560 + 18);
    add(std::make_unique<TKVDDIO24QAV>(), 48, 8, 48 * 256 + 16 + 16);
    add(std::make_unique<TMIOVIXPro>(), 2, 49, 2 * 256 + 16 + 14);
    add(std::make_unique<TMIOVIXPro>(), 1, 52, 256 + 46);
    add(std::make_unique<TP340BUS>(), 25, 13, 25 * 256 + 26);
    add(std::make_unique<TP340BUS>(), 21, 5, 5376 + 10);
    add(std::make_unique<TP680BUS>(), 28, 0, 7184);
    add(std::make_unique<TW3DVIX>(), 7, 4, 4368 + 8);
    add(std::make_unique<TKVDAO16QAV>(), 16, 49, 16 + 32 * 15 + 14);
    add(std::make_unique<TKVDAO16QAV>(), 17, 0, 512);
    add(std::make_unique<TKVDAO2VIXPro>(), 2, 0, 48);
    add(std::make_unique<TKVDMIOQAV>(), 14, 1, 14 * 256 + 2);
    add(std::make_unique<TKVDMIOQAV>(), 33, 4, 8464 + 8);
    for (TCase& c : cases) {
        quint16 reg = 0;
        EXPECT_TRUE(c.Module->NerixModule().ModbusToNerix().Map().FindRegister(c.Object, c.Property, reg))
            << c.Module->ClassName().toStdString() << " object " << int(c.Object) << " property "
            << c.Property;
        EXPECT_EQ(reg, c.Register) << c.Module->ClassName().toStdString() << " object " << int(c.Object);
    }
}

} // namespace
