// The measurer against emulated KVD-AIK-BUS modules over a pair of bridged pseudo-terminals: the
// emulator in this process, the measurer through the real bus and access point.
#include "measurement/Measurer.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "emulator/VirtualChannel.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "measurement/Recorder.h"
#include "model/DeviceRegister.h"
#include "protocol/Crc16.h"
#include "support/PtyBridge.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>

namespace {

class EmulatedMeasurer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bridge.Ok());
        emulator.AddDevices(0, 2); // two KVD-AIK-BUS
        emulator.SetProtocol(TVirtualDeviceManager::kProtocolModbus);
        emulator.SetPortName(bridge.PathA());
        emulator.SetActive(true);
        ASSERT_TRUE(emulator.Active()) << emulator.LastError().toStdString();
        bus.SetPortName(bridge.PathB());
        bus.SetInputTimeout(150);
        ap.SetBus(&bus);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active()) << bus.LastError().toStdString();
        for (int d = 0; d < 2; ++d)
            devices[d].Address = emulator.DeviceAt(d)->Address();
    }
    void TearDown() override {
        ap.SetActive(false);
        emulator.SetActive(false);
    }
    TCustomVirtualChannel* Virtual(int Device, int Index) {
        return emulator.DeviceAt(Device)->ChannelAt(Index);
    }
    TChannelProfile* Add(int Device, int Index) {
        TChannelProfile* p = dm.ChannelProfiles.AddProfile();
        p->Device = &devices[Device];
        p->ChannelIndex = Index;
        p->Label = ProfileLabel(QStringLiteral("KVD-AIK-BUS"), devices[Device].Address, Index);
        return p;
    }

    TPtyBridge bridge;
    TVirtualDeviceManager emulator;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TDeviceProps devices[2];
    TOscDm dm;
};

} // namespace

TEST_F(EmulatedMeasurer, ReadsValuesAndRangeCodesOfEachChannel) {
    Virtual(0, 2)->SetInput(12.5f);
    Virtual(1, 0)->SetInput(-3.0f);
    TMeasurer m(&dm, &bus, &ap);
    TModbusResponder& r = m.ModbusResponder();
    float v = 99.0f;
    ASSERT_TRUE(r.ReadValue(devices[0].Address, 2, v));
    EXPECT_EQ(v, Virtual(0, 2)->OutputAsFloat());
    EXPECT_NE(v, 0.0f);
    ASSERT_TRUE(r.ReadValue(devices[1].Address, 0, v));
    EXPECT_EQ(v, Virtual(1, 0)->OutputAsFloat());
    quint32 code = 77;
    ASSERT_TRUE(r.ReadRangeCode(devices[0].Address, 1, code));
    EXPECT_EQ(code, 0u);
    // A NaN pattern on the line is stored as 0.
    Virtual(1, 1)->SetInput(std::nanf(""));
    ASSERT_TRUE(std::isnan(Virtual(1, 1)->OutputAsFloat()));
    v = 4.0f;
    ASSERT_TRUE(r.ReadValue(devices[1].Address, 1, v));
    EXPECT_EQ(v, 0.0f);
    // No such device: the value stays.
    v = 4.0f;
    EXPECT_FALSE(r.ReadValue(0x70, 0, v));
    EXPECT_EQ(v, 4.0f);
}

TEST_F(EmulatedMeasurer, RangeCodesGoThroughTheAccessPointWhenNoSerialBusIsOpen) {
    // As on a UDP or TCP line: the serial bus stays closed and only the access point reaches the
    // devices. The range code must still be read, and be the one the serial bus reads.
    TPowerRsBus closedBus;
    TModbusResponder overAccessPoint(&closedBus, &ap);
    TMeasurer m(&dm, &bus, &ap);
    for (int channel = 0; channel < 4; ++channel) {
        quint32 direct = 77, viaAccessPoint = 88;
        ASSERT_TRUE(m.ModbusResponder().ReadRangeCode(devices[0].Address, channel, direct));
        ASSERT_TRUE(overAccessPoint.ReadRangeCode(devices[0].Address, channel, viaAccessPoint));
        EXPECT_EQ(viaAccessPoint, direct) << channel;
    }
    quint32 code = 5;
    EXPECT_FALSE(overAccessPoint.ReadRangeCode(0x70, 0, code));
    TModbusResponder nowhere(&closedBus, nullptr);
    EXPECT_FALSE(nowhere.ReadRangeCode(devices[0].Address, 0, code));
    EXPECT_EQ(code, 5u);
}

TEST_F(EmulatedMeasurer, ThreeChannelsAt2HzRecordBlocksOfNineSamples) {
    QTemporaryDir dir;
    for (int i = 0; i < 2; ++i)
        Add(0, i)->Slope = 2.0f;
    Add(1, 3)->Offset = 1.0f;
    Virtual(0, 0)->SetInput(1.0f);
    Virtual(1, 3)->SetInput(5.0f);
    dm.FileName = dir.filePath(QStringLiteral("m.adf"));
    TMeasurer m(&dm, &bus, &ap);
    m.Store().SetWindow(1000);
    ASSERT_TRUE(m.Prepare());
    EXPECT_EQ(m.Interval(), 500);
    EXPECT_EQ(m.Store().Capacity(), 9);

    TRecorder rec(&dm);
    std::vector<qint64> sizes;
    std::vector<std::vector<TSample>> blocks;
    QEventLoop loop;
    m.Store().OnBlockFull = [&](TDataStore* s) {
        EXPECT_TRUE(rec.BlockFull(*s)) << rec.ErrorText().toStdString();
        blocks.emplace_back(s->Data(), s->Data() + s->Count());
        sizes.push_back(QFileInfo(dm.FileName).size());
        if (blocks.size() == 3) {
            m.SetRunning(false);
            loop.quit();
        }
    };
    ASSERT_TRUE(rec.SetRecording(true));
    m.SetRunning(true);
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    loop.exec();
    rec.SetRecording(false);

    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(sizes, (std::vector<qint64>{6512 + 108, 6512 + 216, 6512 + 324}));
    const float a = 2.0f * Virtual(0, 0)->OutputAsFloat();
    const float c = Virtual(1, 3)->OutputAsFloat() + 1.0f;
    for (const auto& b : blocks) {
        ASSERT_EQ(b.size(), 9u);
        for (int sweep = 0; sweep < 3; ++sweep) {
            EXPECT_EQ(b[size_t(sweep * 3)].Value, a);
            EXPECT_EQ(b[size_t(sweep * 3 + 1)].Value, 0.0f);
            EXPECT_EQ(b[size_t(sweep * 3 + 2)].Value, c);
        }
        // Sweeps half a second apart, within a sweep the 20 ms pause before the other device.
        EXPECT_NEAR((b[3].Time - b[0].Time) * 86400.0, 0.5, 0.15);
        EXPECT_GE((b[2].Time - b[1].Time) * 86400000.0, 19.0);
    }

    TAdfReader reader;
    ASSERT_EQ(reader.Open(dm.FileName), TAdfLoadResult::Ok);
    EXPECT_EQ(reader.Header().Frequency, 2u);
    ASSERT_EQ(reader.Header().Channels.size(), 3u);
    EXPECT_EQ(reader.Header().Channels[2].ChannelIndex, 3);
    EXPECT_EQ(reader.Header().Channels[2].Label, dm.ChannelProfiles.ProfileAt(2)->Label);
    EXPECT_EQ(reader.SampleCount(), 27);
    TSample s;
    ASSERT_TRUE(reader.Next(s));
    EXPECT_EQ(s.Value, a);
}

TEST_F(EmulatedMeasurer, StopDuringASweepEndsItAfterTheCurrentChannel) {
    for (int i = 0; i < 4; ++i)
        Add(0, i);
    TMeasurer m(&dm, &bus, &ap);
    m.Store().SetWindow(1000);
    m.Prepare();
    int added = 0;
    // The stop arrives while the sweep lets events run.
    m.SetRunning(true);
    QTimer::singleShot(0, [&] { m.SetRunning(false); });
    const int before = m.Store().Count();
    m.Tick();
    added = m.Store().Count() - before;
    EXPECT_FALSE(m.IsRunning());
    EXPECT_LT(added, 4);
}

// The value registers' answer, byte by byte: a NaN pattern reads as 0.
TEST(ModbusResponder, RequestAndAnswerChecks) {
    const auto r = TModbusResponder::Request(0x05, 1, 0);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(r.data()), 6), QByteArray::fromHex("050302000002"));
    EXPECT_EQ(Crc16(r.data(), 8), 0);
    EXPECT_EQ(TModbusResponder::Request(0x05, 1, 2)[3], 2);

    quint8 a[9] = {5, 3, 4, 0x7F, 0xC0, 0, 0, 0, 0};
    PutCrc16(a, 7);
    quint32 bits = 0;
    ASSERT_TRUE(TModbusResponder::AnswerBits(a, bits));
    EXPECT_EQ(bits, 0x7FC00000u);
    a[2] = 2;
    EXPECT_FALSE(TModbusResponder::AnswerBits(a, bits));
    a[2] = 4;
    a[4] ^= 1;
    EXPECT_FALSE(TModbusResponder::AnswerBits(a, bits));
}
