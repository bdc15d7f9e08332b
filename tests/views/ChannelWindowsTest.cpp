// The objects page's rows, the channel dispatch table, the analog input selector and the health
// controller marker.
#include "views/ChannelWindows.h"
#include "bus/BaudRate.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "model/CustomZUVOChannel.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOModule.h"
#include "support/ScriptedDevice.h"
#include "views/AnalogInputSelector.h"
#include "views/DeviceService.h"

#include <gtest/gtest.h>

namespace {

TEST(ChannelWindows, RowsAreTheChannelsTheDeviceHas) {
    TDeviceRegister catalogue;
    BuildDeviceRegister(catalogue);
    // KVD-DIO-BUS: 8 inputs, 8 outputs, manager, health controller; the mask leaves out input 2.
    TDeviceProps dio(1, br9600, tpNerix, 0, 6, QStringLiteral("KVD-DIO-BUS"), 1, 0x3FFFD, 0);
    const auto rows = ChannelRowsOf(dio, catalogue);
    ASSERT_EQ(rows.size(), 17u);
    EXPECT_EQ(rows[0].Caption, QStringLiteral("#1"));
    EXPECT_EQ(rows[1].Caption, QStringLiteral("#3"));
    EXPECT_EQ(rows[1].Index, 2);
    EXPECT_EQ(rows[1].Name, QStringLiteral("Discrete input channel №3"));
    EXPECT_EQ(rows[1].Note, QStringLiteral("Group isolation"));
    EXPECT_EQ(rows.back().Kind, ckHealthController);
    EXPECT_EQ(rows.back().Caption, QStringLiteral("#18"));
    // Mask bits past the catalogue's channels show nothing; an unsupported device has none.
    TDeviceProps odd(1, br9600, tpNerix, 0, 9, QString(), 1, 0xFFFFFFFF, 0);
    EXPECT_TRUE(ChannelRowsOf(odd, catalogue).empty());
}

TEST(ChannelWindows, TheDispatchTable) {
    auto window = [](quint8 kind, quint32 type) {
        const TChannelDispatchRow* row = ChannelDispatchFor(kind, type);
        return row ? row->Window : QStringLiteral("-");
    };
    EXPECT_EQ(window(5, 18), QStringLiteral("TDIDCDialog"));
    EXPECT_EQ(window(5, 6), QStringLiteral("TKVD_DI_DC_ChannelForm"));
    for (quint32 t : {21u, 27u, 33u, 44u})
        EXPECT_EQ(window(6, t), QStringLiteral("TDOChannelDlg")) << t;
    EXPECT_EQ(window(6, 5), QStringLiteral("TKVD_DO_ChannelForm"));
    EXPECT_EQ(window(12, 69), QStringLiteral("TDIOManagerExtDlg"));
    EXPECT_EQ(window(12, 6), QStringLiteral("TDIOManagerForm"));
    EXPECT_EQ(window(17, 22), QStringLiteral("TKvdTcDlg"));
    EXPECT_EQ(window(17, 35), QStringLiteral("TKVD_VEVA_BUSDlg"));
    EXPECT_EQ(window(26, 69), QStringLiteral("TICDIO24QAVDlg"));
    // Combinations without a window.
    EXPECT_EQ(window(21, 1), QStringLiteral("-"));
    EXPECT_EQ(window(26, 43), QStringLiteral("-"));
    EXPECT_EQ(window(23, 65), QStringLiteral("-"));
    EXPECT_EQ(window(28, 0), QStringLiteral("-"));
    EXPECT_EQ(window(13, 0), QStringLiteral("-"));
    EXPECT_TRUE(ChannelDispatchFor(9, 12345)->AnalogInputSelector);
    // No type code is listed twice for one kind: a second row could never be reached.
    for (const auto& a : ChannelDispatchTable())
        for (const auto& b : ChannelDispatchTable())
            if (&a != &b && a.Kind == b.Kind) {
                for (quint32 t : a.TypeCodes)
                    EXPECT_EQ(std::count(b.TypeCodes.begin(), b.TypeCodes.end(), t), 0)
                        << int(a.Kind) << " " << t;
            }
}

TEST(ChannelWindows, WhichAnalogInputARowStandsFor) {
    EXPECT_EQ(AnalogInputIndexFor(0, 3), 3);
    EXPECT_EQ(AnalogInputIndexFor(20, 1), 1);
    EXPECT_EQ(AnalogInputIndexFor(15, 0), 0);
    EXPECT_EQ(AnalogInputIndexFor(24, 0), 0);
    EXPECT_EQ(AnalogInputIndexFor(65, 17), 17);
    EXPECT_EQ(AnalogInputIndexFor(29, 1), 1);
    EXPECT_EQ(AnalogInputIndexFor(38, 9), 0);
    for (quint32 t : {21u, 44u}) {
        EXPECT_EQ(AnalogInputIndexFor(t, 0), 0);
        EXPECT_EQ(AnalogInputIndexFor(t, 1), 1);
        EXPECT_EQ(AnalogInputIndexFor(t, 18), 2);
        EXPECT_EQ(AnalogInputIndexFor(t, 19), 3);
        EXPECT_EQ(AnalogInputIndexFor(t, 2), std::nullopt);
    }
    EXPECT_EQ(AnalogInputIndexFor(43, 3), 1);
    EXPECT_EQ(AnalogInputIndexFor(43, 7), 2);
    EXPECT_EQ(AnalogInputIndexFor(43, 1), std::nullopt);
    EXPECT_EQ(AnalogInputIndexFor(1, 0), std::nullopt);
    EXPECT_EQ(AnalogInputIndexFor(0, -1), std::nullopt);
}

// An analog input channel (object 1) of a module talking to a simulated device.
class AnalogInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.Ok());
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(40);
        ap.SetBus(&bus);
        ap.SetTryCount(1);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active());
        module.SetAP(&ap);
        module.SetAddress(3);
        catalogue = std::make_unique<TDeviceRegister>();
        BuildDeviceRegister(*catalogue);
    }
    void TearDown() override {
        SetAnalogInputChannelLookup({});
        registry.Unregister(kAnalogInputWindow);
        registry.Unregister(kAnalogInputHeatWindow);
    }
    int Writes(quint16 property) const {
        int n = 0;
        for (const QByteArray& r : dev.Requests())
            n += r.size() == 11 && r[1] == 1 && r[2] == 1 && ((quint8(r[3]) << 8) | quint8(r[4])) == property;
        return n;
    }

    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TSystemObjectModule module;
    TCustomZUVOChannel channel{&module, 1, 0};
    std::unique_ptr<TDeviceRegister> catalogue;
    TChannelWindowRegistry registry;
};

TEST_F(AnalogInput, TheSelectorReadiesTheChannelAndPicksTheWindowByTheRangesKind) {
    dev.AddNerixDevice(3, {{{1, 1}, 0}, {{1, 2}, 0}});
    // Range 0 is a voltage range; normalization is off and gets switched on.
    EXPECT_EQ(PrepareAnalogInputChannel(channel), kAnalogInputWindow);
    EXPECT_EQ(dev.Property(3, 1, 2), 1u);
    EXPECT_EQ(channel.Accessor.Fotmat, QStringLiteral("0.0000000000"));
    EXPECT_EQ(Writes(2), 1);

    // Normalization already on: no write (which would mark the settings as changed).
    module.Modified = false;
    quint16 frequency = 0;
    for (int i = 0; i < RangeCodeCount(); ++i)
        if (RangeKindOf(RangeCodeAt(i)) == rkFrequency)
            frequency = RangeCodeAt(i);
    ASSERT_NE(frequency, 0);
    dev.AddNerixDevice(3, {{{1, 1}, frequency}, {{1, 2}, 1}});
    EXPECT_EQ(PrepareAnalogInputChannel(channel), kAnalogInputHeatWindow);
    EXPECT_EQ(Writes(2), 1);
    EXPECT_FALSE(module.Modified);

    // No answer to the range read, or a refused normalization write: nothing opens.
    dev.AddNerixDevice(3, {{{1, 2}, 0}});
    EXPECT_EQ(PrepareAnalogInputChannel(channel), QString());
    dev.AddNerixDevice(3, {{{1, 1}, 0}});
    EXPECT_EQ(PrepareAnalogInputChannel(channel), QString());
}

TEST_F(AnalogInput, OpeningARowGoesThroughTheLookupAndTheRegisteredOpener) {
    dev.AddNerixDevice(3, {{{1, 1}, 0}, {{1, 2}, 1}});
    // KVD-AIK-BUS: four analog inputs, then the stream controller.
    TDeviceProps aik(3, br9600, tpNerix, 0, 0, QStringLiteral("KVD-AIK-BUS"), 1, 0x1F, 0);
    std::vector<TChannelWindowContext> opened;
    TChannelWindowContext context;
    context.Module = &module;
    context.Device = &aik;
    context.Row = 2;

    // Without the analog input family nothing is asked and nothing opens.
    EXPECT_FALSE(OpenChannelWindow(context, *catalogue, registry));
    int looked = -1;
    SetAnalogInputChannelLookup([&](TZUVOModule& m, int index) -> TCustomZUVOChannel* {
        looked = index;
        return &m == &module ? &channel : nullptr;
    });
    EXPECT_FALSE(OpenChannelWindow(context, *catalogue, registry)); // no window registered
    EXPECT_EQ(dev.RequestCount(), 0);

    registry.Register(kAnalogInputWindow, [&](const TChannelWindowContext& c) { opened.push_back(c); });
    EXPECT_TRUE(OpenChannelWindow(context, *catalogue, registry));
    EXPECT_EQ(looked, 2);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].Window, kAnalogInputWindow);
    EXPECT_EQ(opened[0].AnalogInput, &channel);
    EXPECT_EQ(opened[0].Kind, ckAnalogInput);
    EXPECT_EQ(opened[0].Row, 2);

    // The stream controller (kind 23 on type 0) has a window of its own, here not registered; an
    // opener that throws leaves the caller standing.
    context.Row = 4;
    EXPECT_FALSE(OpenChannelWindow(context, *catalogue, registry));
    registry.Register(QStringLiteral("TAIKDataStreamControllerDlg"),
                      [](const TChannelWindowContext&) { throw std::runtime_error("failed"); });
    EXPECT_TRUE(OpenChannelWindow(context, *catalogue, registry));
    registry.Unregister(QStringLiteral("TAIKDataStreamControllerDlg"));

    // Without a template nothing opens.
    context.Module = nullptr;
    context.Row = 2;
    EXPECT_FALSE(OpenChannelWindow(context, *catalogue, registry));
    EXPECT_EQ(opened.size(), 1u);
}

TEST(ChannelWindows, TheHealthControllerMarker) {
    EXPECT_EQ(HealthControllerFor(5, ckHealthController), 0);
    EXPECT_EQ(HealthControllerFor(69, ckHealthController), 0);
    EXPECT_EQ(HealthControllerFor(69, ckHealthControllerDiscrete), 1);
    EXPECT_EQ(HealthControllerFor(43, ckHealthControllerDiscrete), std::nullopt);
    EXPECT_EQ(HealthControllerFor(4, ckHealthController), std::nullopt); // not in the list
    EXPECT_EQ(HealthControllerFor(5, ckDiscreteOutput), std::nullopt);

    TSystemObjectModule module;
    // Until the family that has health controllers says otherwise: no marker.
    EXPECT_FALSE(HealthMarker(&module, 5, ckHealthController));
    std::vector<int> asked;
    SetHealthControllerProbe([&](TZUVOModule&, int controller) -> std::optional<quint32> {
        asked.push_back(controller);
        return controller == 1 ? 4u : 0u;
    });
    EXPECT_FALSE(HealthMarker(&module, 69, ckHealthController));
    EXPECT_TRUE(HealthMarker(&module, 69, ckHealthControllerDiscrete));
    EXPECT_FALSE(HealthMarker(&module, 4, ckHealthController));
    EXPECT_FALSE(HealthMarker(nullptr, 69, ckHealthControllerDiscrete));
    EXPECT_EQ(asked, (std::vector<int>{0, 1}));
    SetHealthControllerProbe({});
}

} // namespace
