// The device-settings workflow against devices on the far end of a pseudo-terminal (and of a UDP
// gateway): what it reads, what it writes and where.
#include "views/DeviceSettingsWorkflow.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "bus/UdpPortAccessPoint.h"
#include "bus/UdpSockets.h"
#include "discovery/BusScan.h"
#include "discovery/FoundDevice.h"
#include "discovery/UdpSearch.h"
#include "emulator/VirtualDeviceManager.h"
#include "localization/Localization.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOChannel.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"
#include "support/PtyBridge.h"
#include "support/ScriptedDevice.h"
#include "support/UdpGateway.h"

#include <gtest/gtest.h>

namespace {

quint32 Settings(quint8 address, TBaudRate rate, quint32 stopCode = 0) {
    return address | (quint32(rate - 1) << 8) | (stopCode << 28);
}

// One Nerix request as the device saw it.
struct TRequest {
    quint8 Address;
    bool Write;
    quint16 Property;
    quint32 Value;
};
std::vector<TRequest> Decode(const std::vector<QByteArray>& frames) {
    std::vector<TRequest> out;
    for (const QByteArray& f : frames) {
        if (f.size() != 11)
            continue;
        const auto* p = reinterpret_cast<const quint8*>(f.constData());
        out.push_back({p[0], p[1] == 1, quint16((p[3] << 8) | p[4]),
                       (quint32(p[5]) << 24) | (quint32(p[6]) << 16) | (quint32(p[7]) << 8) | p[8]});
    }
    return out;
}
bool Wrote(const std::vector<TRequest>& requests, quint16 property) {
    return std::any_of(requests.begin(), requests.end(),
                       [&](const TRequest& r) { return r.Write && r.Property == property; });
}

// The workflow as the program wires it, on the application's bare module and its object 0 channel.
struct TWorkflowRig {
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TNerixModule module;
    TNerixChannel cnl;
    TDeviceSettingsWorkflow workflow{module, cnl, bus};
    std::vector<int> pauses;
    QStringList messages;
    int searches = 0;
    // What the window does: nothing but the given change, then "Apply" (or Cancel).
    std::function<void(TDeviceParams&)> edit;
    bool apply = true;

    explicit TWorkflowRig(const QString& port) {
        cnl.Module = &module;
        cnl.DataType = dtInteger;
        bus.SetPortName(port);
        bus.SetInputTimeout(40);
        ap.SetBus(&bus);
        ap.SetTryCount(1);
        ap.SetActive(true);
        workflow.Pause = [this](int ms) { pauses.push_back(ms); };
        workflow.OnMessage = [this](const QString& t) { messages << t; };
        workflow.OnSearch = [this] { ++searches; };
        workflow.OnExecute = [this](TDeviceProps&, TDeviceParams& e) {
            if (edit)
                edit(e);
            return apply;
        };
    }
};

TEST(DeviceSettingsWorkflow, ChangingTheAddressFrom5To7) {
    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    dev.AddNerixDevice(5, {{{0, 0}, 6},
                           {{0, 1}, 4242},
                           {{0, 2}, 0xFFFF},
                           {{0, 3}, Settings(5, br9600)},
                           {{0, 160}, 2},
                           {{0, 101}, 3}});
    dev.SetAddressFollowsBusSettings(5, true);
    TWorkflowRig rig(dev.PortPath());
    ASSERT_TRUE(rig.ap.Active());

    // As the serial search lists it: byte order and time-out still to be asked.
    TScanHit hit;
    hit.Address = 5;
    hit.Baud = 9600;
    hit.BaudCode = br9600;
    hit.Protocol = tpNerix;
    hit.Identity = {6, 4242, 0xFFFF, 0};
    TDeviceRegister catalogue;
    BuildDeviceRegister(catalogue);
    auto device = FoundDeviceProps(hit, catalogue);
    rig.edit = [](TDeviceParams& e) { e.Address = 7; };

    // The search that follows finds the device at its new address.
    std::vector<int> found;
    TNerixModule scanModule;
    TBusScan scan(scanModule, rig.ap, rig.bus);
    scan.OnDeviceFound = [&](const TScanHit& h) { found.push_back(h.Address); };
    rig.workflow.OnSearch = [&] {
        ++rig.searches;
        scan.Run({tpNerix, TScanMethod::ByAddresses, 1, 8, 0, false});
    };
    ASSERT_TRUE(rig.workflow.Run(*device, &rig.ap));

    const auto requests = Decode(dev.Requests());
    ASSERT_GE(requests.size(), size_t(5));
    // Asked first, at the old address: byte order, then time-out.
    EXPECT_FALSE(requests[0].Write);
    EXPECT_EQ(requests[0].Property, spByteOrder);
    EXPECT_EQ(requests[1].Property, spAnswerTimeout);
    EXPECT_EQ(device->ByteOrder, 2);
    EXPECT_EQ(device->TimeoutCode, 3u);
    // Then written, all at address 5: time-out, byte order, bus settings with the new address.
    for (int i = 2; i < 5; ++i) {
        EXPECT_TRUE(requests[size_t(i)].Write);
        EXPECT_EQ(requests[size_t(i)].Address, 5);
    }
    EXPECT_EQ(requests[2].Property, spAnswerTimeout);
    EXPECT_EQ(requests[2].Value, 3u);
    EXPECT_EQ(requests[3].Property, spByteOrder);
    EXPECT_EQ(requests[3].Value, 2u);
    EXPECT_EQ(requests[4].Property, spBusSettings);
    EXPECT_EQ(requests[4].Value & 0xFF, 7u);
    EXPECT_EQ(requests[4].Value, Settings(7, br9600)); // the rest as the device had it
    EXPECT_EQ(rig.pauses, (std::vector<int>{50, 50}));
    ASSERT_EQ(rig.messages.size(), 1);
    EXPECT_EQ(rig.messages[0], RescanMessage(CurrentLanguage()));
    EXPECT_EQ(rig.searches, 1);
    EXPECT_EQ(found, std::vector<int>{7});
    EXPECT_FALSE(dev.HasDevice(5));
}

TEST(DeviceSettingsWorkflow, ApplyWithoutChangesOrCancelWritesNothing) {
    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    dev.AddNerixDevice(5, {{{0, 3}, Settings(5, br9600)}, {{0, 160}, 0}, {{0, 101}, 3}});
    TWorkflowRig rig(dev.PortPath());
    TDeviceProps device(5, br9600, tpNerix, 0, 6, QStringLiteral("KVD-DIO-BUS"), 1, 0xFF, 0);
    device.ByteOrder = bo3210x10;
    device.TimeoutCode = 0;

    EXPECT_FALSE(rig.workflow.Run(device, &rig.ap)); // "Apply", nothing changed
    rig.apply = false;
    rig.edit = [](TDeviceParams& e) { e.Address = 9; };
    EXPECT_FALSE(rig.workflow.Run(device, &rig.ap)); // changed, then Cancel
    EXPECT_FALSE(Wrote(Decode(dev.Requests()), spBusSettings));
    EXPECT_FALSE(Wrote(Decode(dev.Requests()), spAnswerTimeout));
    EXPECT_TRUE(rig.messages.isEmpty());
    EXPECT_EQ(rig.searches, 0);
}

// The emulated devices have neither a byte order nor an answer time-out: both reads fail.
TEST(DeviceSettingsWorkflow, AFailedByteOrderReadMeansNoByteOrderWriteAndNoSecondQuestion) {
    TPtyBridge bridge;
    ASSERT_TRUE(bridge.Ok());
    TVirtualDeviceManager manager;
    manager.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
    manager.SetPortName(bridge.PathA());
    manager.SetBaudRateValue(9600);
    manager.AddDevices(6, 3); // KVD-DIO-BUS at 1, 2, 3
    std::vector<QByteArray> frames;
    manager.OnFrame = [&](int Direction, const quint8* Data, int Count) {
        if (Direction == 1) // the requests as they arrived, answered or not
            frames.emplace_back(reinterpret_cast<const char*>(Data), Count);
    };
    manager.SetActive(true);
    ASSERT_TRUE(manager.Active()) << manager.LastError().toStdString();
    TWorkflowRig rig(bridge.PathB());
    ASSERT_TRUE(rig.ap.Active());

    TDeviceProps device(2, br9600, tpNerix, 0, 6, QStringLiteral("KVD-DIO-BUS"), 1247, 0xFFFF, 0);
    device.ByteOrder = bo3210x10; // to be asked
    device.TimeoutCode = 0;
    TDeviceParams shown;
    rig.workflow.OnExecute = [&](TDeviceProps& d, TDeviceParams& e) {
        shown = DeviceParamsOf(d);
        e.Address = 9;
        return true;
    };
    ASSERT_TRUE(rig.workflow.Run(device, &rig.ap));
    EXPECT_EQ(device.ByteOrder, boNAN);
    EXPECT_EQ(device.TimeoutCode, kNoTimeoutCode);
    EXPECT_EQ(shown.ByteOrder, boNAN); // the window is shown a device without either
    EXPECT_EQ(shown.Timeout, -1);

    const auto requests = Decode(frames);
    ASSERT_FALSE(requests.empty());
    EXPECT_FALSE(Wrote(requests, spByteOrder));
    EXPECT_FALSE(Wrote(requests, spAnswerTimeout));
    ASSERT_TRUE(Wrote(requests, spBusSettings));
    EXPECT_EQ(requests.back().Address, 2);
    EXPECT_EQ(requests.back().Value & 0xFF, 9u);
    EXPECT_TRUE(rig.pauses.empty());

    // A device marked as having neither is not asked again.
    frames.clear();
    rig.apply = false;
    rig.workflow.OnExecute = [](TDeviceProps&, TDeviceParams&) { return false; };
    rig.workflow.Run(device, &rig.ap);
    EXPECT_TRUE(Decode(frames).empty());
    manager.SetActive(false);
}

TEST(DeviceSettingsWorkflow, AnAsciiDeviceKeepsItsProtocolInTheWord) {
    // The program's own frames cannot carry the ASCII protocols, so nothing goes on the line; what
    // would be written is the point here.
    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    TWorkflowRig rig(dev.PortPath());
    TDeviceProps device(4, br19200, tpZoVuru, 0, 0, QStringLiteral("KVD-AIK-BUS"), 1, 0xF, 0);
    device.ByteOrder = bo3210x10;
    device.TimeoutCode = 0;
    TDeviceParams edited;
    rig.workflow.OnExecute = [&](TDeviceProps& d, TDeviceParams& e) {
        TParamsSelection s = SelectionOf(d);
        EXPECT_EQ(s.Protocol, -1); // no protocol entry for an ASCII device
        s.Address = 6;
        e = EditedParams(d, s);
        edited = e;
        return true;
    };
    EXPECT_TRUE(rig.workflow.Run(device, &rig.ap));
    EXPECT_EQ(edited.Protocol, tpZoVuru);
    EXPECT_EQ((BusSettingsWordFor(edited, device) >> 16) & 0xFF, quint32(tpZoVuru));
    EXPECT_EQ(dev.RequestCount(), 0);
}

TEST(DeviceSettingsWorkflow, BehindAUdpGatewayUnchangedFieldsKeepTheDevicesBits) {
    TUdpGateway gateway;
    ASSERT_TRUE(gateway.Ok());
    const quint32 word = 0x2F4A1304u; // speed code and parity nibble the UDP search cannot place
    gateway.Devices().AddNerixDevice(
        4, {{{0, 0}, 6}, {{0, 1}, 77}, {{0, 2}, 0xFF}, {{0, 3}, word}, {{0, 160}, 1}, {{0, 101}, 5}});
    TUdpClientSocket client;
    TUdpServerSocket server;
    TUdpPortAccessPoint ap;
    client.SetHost(QStringLiteral("127.0.0.1"));
    client.SetRemotePort(gateway.Port());
    ap.SetUDPClient(&client);
    ap.SetUDPServer(&server);
    ap.SetUseLocalPort(false);
    ap.SetTryCount(1);
    ap.SetTimeout(40);
    ap.SetActive(true);
    ASSERT_TRUE(ap.Active());

    TNerixModule searchModule;
    TUdpSearch search(searchModule, ap);
    std::vector<TUdpHit> hits;
    search.OnDeviceFound = [&](const TUdpHit& h) { hits.push_back(h); };
    search.Run(4, 4, tpNerix, true);
    ASSERT_EQ(hits.size(), 1u);
    TDeviceRegister catalogue;
    BuildDeviceRegister(catalogue);
    auto device = FoundDeviceProps(hits[0], catalogue);
    ASSERT_TRUE(device->BusSettingsWord);
    EXPECT_EQ(*device->BusSettingsWord, word);
    EXPECT_EQ(device->BaudCode, br9600); // the search's own reading of speed code 0x13

    TPowerRsBus bus;
    TNerixModule module;
    TNerixChannel cnl;
    cnl.Module = &module;
    TDeviceSettingsWorkflow workflow(module, cnl, bus);
    workflow.Pause = [](int) {};
    workflow.OnExecute = [](TDeviceProps&, TDeviceParams& e) {
        e.Address = 9;
        return true;
    };
    ASSERT_TRUE(workflow.Run(*device, &ap));
    EXPECT_EQ(gateway.Devices().Property(4, 0, 3), 0x2F4A1309u);
    EXPECT_EQ(gateway.Devices().Property(4, 0, 160), 1u);
    EXPECT_EQ(gateway.Devices().Property(4, 0, 101), 5u);
}

} // namespace
