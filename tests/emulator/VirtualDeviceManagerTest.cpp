#include "EmulatorRequests.h"

#include "emulator/VirtualDevices.h"
#include "emulator/VirtualDiscreteChannels.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOModule.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {

TEST(VirtualDeviceManager, AddressesRunOutAt255UntilCleared) {
    TVirtualDeviceManager m;
    m.AddDevices(0, 0);
    m.AddDevices(0, -3);
    EXPECT_EQ(m.DeviceCount(), 0);

    m.AddDevices(7, 300);
    ASSERT_EQ(m.DeviceCount(), 255);
    EXPECT_EQ(m.DeviceAt(0)->Address(), 1);
    EXPECT_EQ(m.DeviceAt(0)->SystemChannel().SerialNumber(), 1246u);
    EXPECT_EQ(m.DeviceAt(254)->Address(), 255);
    EXPECT_EQ(m.DeviceAt(254)->SystemChannel().SerialNumber(), 1500u);
    EXPECT_EQ(m.NextAddress(), 256);
    m.AddDevices(0, 5);
    EXPECT_EQ(m.DeviceCount(), 255);
    EXPECT_EQ(m.DeviceAt(255), nullptr);
    EXPECT_EQ(m.DeviceAt(-1), nullptr);

    m.ClearDevices();
    EXPECT_EQ(m.DeviceCount(), 0);
    EXPECT_EQ(m.NextAddress(), 1);
    // A code no class emulates still takes its addresses.
    m.AddDevices(9, 3);
    EXPECT_EQ(m.DeviceCount(), 0);
    m.AddDevices(6, 1);
    ASSERT_EQ(m.DeviceCount(), 1);
    EXPECT_EQ(m.DeviceAt(0)->Address(), 4);
    EXPECT_EQ(ReadReg(m, 4, 0, spSerialNumber), 1249u);
    EXPECT_EQ(ReadReg(m, 4, 0, 3), 4u);
}

// Every emulated model: name, type code and mask as the system channel reports them, the channel
// numbers that are served, and what ChannelCount and ChannelAt say about them.
TEST(VirtualDeviceManager, DeviceClassesHaveTheirChannels) {
    struct TModel {
        quint32 Type;
        const char* Name;
        quint32 Mask;
        int ChannelCount;
        std::vector<std::pair<int, int>> Channels; // number, kind
    };
    auto run = [](int first, int count, int kind) {
        std::vector<std::pair<int, int>> v;
        for (int i = 0; i < count; ++i)
            v.push_back({first + i, kind});
        return v;
    };
    auto join = [](std::vector<std::pair<int, int>> a, const std::vector<std::pair<int, int>>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::vector<TModel> models = {
        {0, "KVD-AIK-BUS", 15, 4, run(1, 4, vkAnalogInput)},
        {1, "KVD-AIK8-BUS", 255, 8, run(1, 8, vkAnalogInput)},
        {2, "KVD-AO-BUS", 0x1F, 4, run(1, 4, vkAnalogOutput)},
        {3, "KVD-AO6-BUS", 0x7F, 6, run(1, 6, vkAnalogOutput)},
        {4, "KVD-DI-BUS", 0x4FF, 8, run(1, 8, vkDiscreteInput)},
        {5, "KVD-DO-BUS", 255, 10, join(run(1, 8, vkDiscreteOutput), run(9, 2, vkDiscreteInput))},
        {6, "KVD-DIO-BUS", 0x3F00F, 8, join(run(1, 4, vkDiscreteInput), run(13, 4, vkDiscreteOutput))},
        {7, "KVD-DOS-BUS", 0x3FF, 8, run(1, 8, vkDiscreteOutput)},
        {8, "KVD-DOR-BUS", 0x3F, 4, run(1, 4, vkDiscreteOutput)},
        {10, "KVD-DIDC-BUS", 0x4FF, 8, run(1, 8, vkDiscreteInput)},
        {17, "KVD-DOS12-BUS", 0x3FFF, 12, run(1, 12, vkDiscreteOutput)},
        // Points 0, 1 inputs, points 2, 3 outputs (channels 5 + point); manager and controller.
        {39, "KVD-DIO-VIXPro", 2 | (2 << 5) | 0xC00, 4,
         join(run(1, 2, vkDiscreteInput), run(7, 2, vkDiscreteOutput))},
    };
    TDeviceRegister catalogue;
    BuildDeviceRegister(catalogue);
    for (const TModel& model : models) {
        SCOPED_TRACE(model.Name);
        TVirtualDeviceManager m;
        m.AddDevices(model.Type, 1);
        ASSERT_EQ(m.DeviceCount(), 1);
        EXPECT_EQ(m.DeviceName(0), QString::fromUtf8(model.Name));
        EXPECT_EQ(ReadReg(m, 1, 0, spTypeCode), model.Type);
        EXPECT_EQ(ReadReg(m, 1, 0, spChannelMask), model.Mask);
        const TVirtualDevice* device = m.DeviceAt(0);
        EXPECT_EQ(device->ChannelCount(), model.ChannelCount);

        std::set<int> expected;
        for (auto [number, kind] : model.Channels) {
            expected.insert(number);
            const TCustomVirtualChannel* channel = device->ChannelAt(number - 1);
            ASSERT_NE(channel, nullptr) << number;
            EXPECT_EQ(channel->Number(), number);
            EXPECT_EQ(int(channel->Kind()), kind) << number;
            EXPECT_EQ(channel->Device(), device);
        }
        // The manager and health controller objects answer besides the channels, without being
        // channels of the device.
        const std::map<quint32, std::vector<int>> auxiliaries = {
            {2, {5}},    {3, {7}},   {4, {11}},      {6, {17, 18}}, {7, {9, 10}},
            {8, {5, 6}}, {10, {11}}, {17, {13, 14}}, {39, {9, 10}}};
        if (const auto it = auxiliaries.find(model.Type); it != auxiliaries.end())
            for (int number : it->second) {
                EXPECT_EQ(device->ChannelAt(number - 1), nullptr) << number;
                ASSERT_NE(device->AuxiliaryAt(quint8(number)), nullptr) << number;
                EXPECT_EQ(int(device->AuxiliaryAt(quint8(number))->Kind()), int(vkAuxiliary));
                expected.insert(number);
            }
        // Register 0 is readable on every channel kind: the objects served are exactly these.
        for (int number = 1; number <= 40; ++number)
            EXPECT_EQ(ReadReg(m, 1, quint8(number), 0).has_value(), expected.count(number) == 1) << number;
        // The mask, as a found device's entry reads it, names exactly the objects served, the manager
        // and the controller among them, and each where the catalogue has an object of that sort
        // (the properties window lists the objects by mask and opens them by the catalogue's kind).
        // The KVD-DO-BUS alone serves two inputs beyond its mask, where the catalogue has its manager
        // and controller; the entry of a KVD-DIO-VIXPro always offers its universal map (index 10).
        const quint64 found = TDeviceProps::ChannelMaskFor(model.Type, model.Mask);
        for (int number = 1; number <= 32; ++number) {
            const bool inMask = (found >> (number - 1)) & 1;
            if ((model.Type == 5 && (number == 9 || number == 10)) || (model.Type == 39 && number == 11)) {
                EXPECT_EQ(inMask, model.Type == 39) << number;
                continue;
            }
            EXPECT_EQ(inMask, expected.count(number) == 1) << number;
            if (!inMask)
                continue;
            const quint8 kind = catalogue.ChannelKindAt(model.Type, number - 1);
            const bool auxiliary = device->AuxiliaryAt(quint8(number)) != nullptr;
            EXPECT_EQ(auxiliary, kind == ckDioManager || kind == ckHealthController) << number;
        }
        EXPECT_EQ(device->ChannelAt(-1), nullptr);
    }
    TVirtualDeviceManager none;
    EXPECT_EQ(CreateVirtualDevice(&none, 9), nullptr);
    EXPECT_EQ(CreateVirtualDevice(&none, 18), nullptr);
}

TEST(VirtualDeviceManager, NamesAndChannelCountsOfKind) {
    TVirtualDeviceManager m;
    m.AddDevices(6, 1);
    m.AddDevices(5, 1);
    m.AddDevices(0, 1);
    EXPECT_EQ(m.DeviceName(0), "KVD-DIO-BUS");
    EXPECT_EQ(m.DeviceName(2), "KVD-AIK-BUS");
    EXPECT_EQ(m.DeviceName(3), "Out of range!");
    EXPECT_EQ(m.DeviceName(-1), "Out of range!");

    // The outputs of a KVD-DIO-BUS are channels 13..16, beyond ChannelAt(0 .. ChannelCount - 1).
    EXPECT_EQ(m.ChannelCountOfKind(0, vkDiscreteInput), 4);
    EXPECT_EQ(m.ChannelCountOfKind(0, vkDiscreteOutput), 0);
    EXPECT_EQ(m.ChannelCountOfKind(1, vkDiscreteOutput), 8);
    EXPECT_EQ(m.ChannelCountOfKind(1, vkDiscreteInput), 2);
    EXPECT_EQ(m.ChannelCountOfKind(2, vkAnalogInput), 4);
    EXPECT_EQ(m.ChannelCountOfKind(2, vkAnalogOutput), 0);
    EXPECT_EQ(m.ChannelCountOfKind(3, vkAnalogInput), 0);
    EXPECT_EQ(m.ChannelCountOfKind(-1, vkAnalogInput), 0);
}

TEST(VirtualDeviceManager, OnlyIntactElevenByteFramesAreServed) {
    TVirtualDeviceManager m;
    m.AddDevices(0, 2);
    const QByteArray good = NerixFrame(2, 0, 0, spTypeCode, 0);
    QByteArray answer;
    ASSERT_TRUE(m.ProcessNerixRequest(good, answer));
    EXPECT_EQ(Hex(answer), Hex(good)); // type code 0: the answer reads as the request

    for (int bit : {0, 13, 47, 72, 87}) {
        QByteArray bad = good;
        bad[bit / 8] = char(bad[bit / 8] ^ (1 << (bit % 8)));
        answer.clear();
        EXPECT_FALSE(m.ProcessNerixRequest(bad, answer)) << bit;
        EXPECT_TRUE(answer.isEmpty());
    }
    EXPECT_FALSE(m.ProcessNerixRequest(good + '\0', answer));
    EXPECT_FALSE(m.ProcessNerixRequest(good.left(10), answer));
    EXPECT_FALSE(m.ProcessNerixRequest(QByteArray(), answer));
    std::array<quint8, 11> raw{};
    EXPECT_FALSE(m.ProcessNerixRequest(nullptr, 11, raw));
    // After all that the next intact frame is served again.
    EXPECT_TRUE(m.ProcessNerixRequest(good, answer));

    // A device that is not on the bus stays silent.
    EXPECT_FALSE(ReadReg(m, 3, 0, spTypeCode));
    EXPECT_FALSE(ReadReg(m, 0, 0, spTypeCode));
}

TEST(VirtualDeviceManager, RequestRecordAndAnswerCarryTheFields) {
    TVirtualDeviceManager m;
    m.AddDevices(2, 1);
    // Byte vector: write 0x12345678 to register 0 of channel 3 at address 1.
    const QByteArray request = NerixFrame(1, 1, 3, 0, 0x12345678);
    QByteArray answer;
    ASSERT_TRUE(m.ProcessNerixRequest(request, answer));
    EXPECT_EQ(answer, request);
    EXPECT_EQ(m.Request().Address, 1);
    EXPECT_EQ(m.Request().Operation, 1);
    EXPECT_EQ(m.Request().Channel, 3);
    EXPECT_EQ(m.Request().Register, 0);
    EXPECT_EQ(m.Request().Value, 0x12345678u);
    EXPECT_EQ(m.Request().Crc, quint16(quint8(request[9]) << 8 | quint8(request[10])));

    // A read of a frame that carries value bytes answers with the register's value, not those.
    const QByteArray read = NerixFrame(1, 0, 3, 0, 0xFFFFFFFF);
    ASSERT_TRUE(m.ProcessNerixRequest(read, answer));
    EXPECT_EQ(Hex(answer.mid(5, 4)), "12 34 56 78");
    EXPECT_EQ(m.DeviceAt(0)->ChannelAt(2)->Output(), 0x12345678u);
    // Any operation but 0 writes.
    EXPECT_TRUE(Ask(m, 1, 7, 3, 0, 0x00000042));
    EXPECT_EQ(ReadReg(m, 1, 3, 0), 0x42u);
}

TEST(VirtualDeviceManager, RequestsAreRoutedByChannelNumber) {
    TVirtualDeviceManager m;
    m.AddDevices(0, 1); // KVD-AIK-BUS at 1
    m.AddDevices(6, 1); // KVD-DIO-BUS at 2
    EXPECT_TRUE(ReadReg(m, 1, 4, 0));
    EXPECT_FALSE(ReadReg(m, 1, 5, 0));
    EXPECT_FALSE(WriteReg(m, 1, 5, 2, 0));
    // Register 2 of a discrete output is its write key: channel 13 of the KVD-DIO-BUS is one.
    EXPECT_EQ(ReadReg(m, 2, 13, 2), 0x96984800u);
    EXPECT_FALSE(ReadReg(m, 2, 4, 2)); // an input has no such register
    for (int number : {5, 12, 19, 255})
        EXPECT_FALSE(ReadReg(m, 2, quint8(number), 0)) << number;
    // Object 17 of the KVD-DIO-BUS is its manager: outputs 13..16 in bits 8..11, all off.
    EXPECT_EQ(ReadReg(m, 2, 17, 0), 0u);
}

TEST(VirtualSystemChannel, EveryProtectedWriteNeedsItsOwnUnlock) {
    TVirtualDeviceManager m;
    m.AddDevices(4, 1);
    EXPECT_FALSE(WriteReg(m, 1, 0, spSerialNumber, 777));
    EXPECT_EQ(ReadReg(m, 1, 0, spSerialNumber), 1246u);

    ASSERT_TRUE(WriteReg(m, 1, 0, spUnlock, kUnlockCode));
    EXPECT_TRUE(WriteReg(m, 1, 0, spSerialNumber, 777));
    EXPECT_EQ(ReadReg(m, 1, 0, spSerialNumber), 777u);
    EXPECT_FALSE(WriteReg(m, 1, 0, spSerialNumber, 778));
    EXPECT_EQ(ReadReg(m, 1, 0, spSerialNumber), 777u);

    // A wrong code fails the check and is wiped by it: the code written afterwards must be whole.
    ASSERT_TRUE(WriteReg(m, 1, 0, spUnlock, kUnlockCode ^ 1));
    EXPECT_FALSE(WriteReg(m, 1, 0, spChannelMask, 3));
    EXPECT_EQ(m.DeviceAt(0)->SystemChannel().UnlockSlot(), 0u);
    EXPECT_EQ(ReadReg(m, 1, 0, spChannelMask), 0x4FFu);

    // Reads and other writes between unlock and the protected write do not use the unlock up.
    ASSERT_TRUE(WriteReg(m, 1, 0, spUnlock, kUnlockCode));
    EXPECT_TRUE(ReadReg(m, 1, 0, spTypeCode));
    EXPECT_TRUE(WriteReg(m, 1, 1, 8, 0));
    EXPECT_TRUE(WriteReg(m, 1, 0, spChannelMask, 3));
    EXPECT_EQ(ReadReg(m, 1, 0, spChannelMask), 3u);
    // The address is fixed for the device's life.
    ASSERT_TRUE(WriteReg(m, 1, 0, spUnlock, kUnlockCode));
    EXPECT_FALSE(WriteReg(m, 1, 0, 3, 9));
    EXPECT_EQ(ReadReg(m, 1, 0, 3), 1u);
}

} // namespace

namespace {

// The larger manager of the KVD-DIO-VIXPro: inputs on the first points, outputs on the points after
// them, two bits per input point and one per output point.
TEST(VirtualDIOManagerExt, WordsFollowThePointsAndKeyedWritesSwitchTheOutputs) {
    TVirtualDeviceManager m;
    m.AddDevices(39, 1);
    TVirtualDevice* device = m.DeviceAt(0);
    ASSERT_NE(device, nullptr);
    auto output = [&](int Number) { return static_cast<TVirtualDOChannel*>(device->ChannelAt(Number - 1)); };
    device->ChannelAt(1)->SetInput(0.0f); // point 1: a closed contact
    EXPECT_EQ(ReadReg(m, 1, 9, 0), 0b0100u);
    device->ChannelAt(0)->SetInput(5.0f); // point 0: a broken line
    EXPECT_EQ(ReadReg(m, 1, 9, 0), 0b0110u);
    EXPECT_EQ(ReadReg(m, 1, 9, 1), 0u); // no points beyond the first word

    // Output word 0: bits 2 and 3 are the outputs on points 2 and 3 (channels 7 and 8).
    EXPECT_TRUE(WriteReg(m, 1, 9, 4, 0b1111));
    EXPECT_EQ(output(7)->State(), 1u);
    EXPECT_EQ(output(8)->State(), 1u);
    EXPECT_EQ(ReadReg(m, 1, 9, 4), 0b1100u); // the input points read as 0
    EXPECT_TRUE(WriteReg(m, 1, 9, 4, 0b0100));
    EXPECT_EQ(ReadReg(m, 1, 9, 4), 0b0100u);
    EXPECT_FALSE(WriteReg(m, 1, 9, 3, 1)); // an input word is not written
    EXPECT_FALSE(ReadReg(m, 1, 9, 10));

    // Protected: every write needs the key read just before it, one attempt per key.
    EXPECT_TRUE(WriteReg(m, 1, 9, 9, 1));
    EXPECT_EQ(ReadReg(m, 1, 9, 9), 1u);
    EXPECT_TRUE(output(8)->Protected());
    EXPECT_FALSE(WriteReg(m, 1, 9, 4, 0b1000));
    const auto key = ReadReg(m, 1, 9, 8);
    ASSERT_TRUE(key);
    EXPECT_EQ(*key & 0xFFFFu, 0u);
    EXPECT_TRUE(WriteReg(m, 1, 9, 4, *key | 0b1000));
    EXPECT_EQ(ReadReg(m, 1, 9, 4), 0b1000u);
    EXPECT_FALSE(WriteReg(m, 1, 9, 4, *key | 0b0100)); // the key was used up
    EXPECT_EQ(ReadReg(m, 1, 9, 4), 0b1000u);
    EXPECT_FALSE(WriteReg(m, 1, 9, 9, 2));
}

} // namespace
