#include "EmulatorRequests.h"

#include "emulator/VirtualAnalogChannels.h"
#include "emulator/VirtualDiscreteChannels.h"
#include "model/ZUVOModule.h"
#include "platform/Ticks.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// The channels the table works on: one fresh device per row, channel 1 (0 for the system channel).
enum TTarget { System, AI, AI8, AO, DI, DO };

quint32 TypeOf(TTarget target) {
    switch (target) {
    case System:
    case AI:
        return 0;
    case AI8:
        return 1;
    case AO:
        return 2;
    case DI:
        return 4;
    case DO:
        return 7;
    }
    return 0;
}

const char* NameOf(TTarget target) {
    static const char* names[] = {"system", "AI", "AI8", "AO", "DI", "DO"};
    return names[target];
}

constexpr quint32 kAnyValue = 0xA5A5A5A5; // the read is answered; its value is not fixed
constexpr int kNoEffect = -1;

struct TRegisterRow {
    TTarget Target;
    quint16 Register;
    std::optional<quint32> Read; // what a read of a new channel gives; nothing: refused
    quint32 Write;
    bool Accepted;
    int EffectRegister = kNoEffect; // after the write, this register reads EffectValue
    quint32 EffectValue = 0;
};

const quint32 kOne = FloatBits(1.0f);
const quint32 kFirstKey = 0x6B3A2F00u + 0x2B5E1900u;

// clang-format off
const std::vector<TRegisterRow> kRows = {
    // system channel
    {System, 0, 0u, 5, false, 0, 0u},
    {System, 1, 1246u, 5, false, 1, 1246u},
    {System, 2, 15u, 5, false, 2, 15u},
    {System, 3, 1u, 5, false, 3, 1u},
    {System, 4, {}, 0, false},
    {System, 5, {}, 0, true},
    {System, 6, {}, 0, true},
    {System, 7, {}, 0, false}, {System, 14, {}, 0, false}, {System, 16, {}, 0, false},
    {System, 15, {}, kUnlockCode, true},
    {System, 0xFFFF, {}, 0, false},
    // the service registers: the version is fixed, the clock runs and can be set
    {System, 100, TVirtualSystemChannel::kFirmwareVersion, 5, false, 100, TVirtualSystemChannel::kFirmwareVersion},
    {System, 102, kAnyValue, 1000, true},
    {System, 101, {}, 0, false}, {System, 160, {}, 0, false},
    // analog input
    {AI, 0, 0u, kOne, false},
    {AI, 1, 0u, 7, false, 1, 0u},
    {AI, 1, 0u, 48, true, 1, 48u},
    {AI, 1, 0u, 0x10037, true, 1, 55u},   // the code is the low 16 bits
    {AI, 2, 1u, 2, true, 2, 0u},          // bit 0 alone
    {AI, 3, FloatBits(5.0f), FloatBits(60.0f), false, 3, FloatBits(5.0f)},
    {AI, 3, FloatBits(5.0f), FloatBits(0.5f), true, 3, FloatBits(0.5f)},
    {AI, 3, FloatBits(5.0f), FloatBits(50.0f), true, 3, FloatBits(50.0f)},
    {AI, 3, FloatBits(5.0f), FloatBits(0.49f), false},
    {AI, 3, FloatBits(5.0f), 0x7FC00000u, false},       // NaN
    {AI, 4, 0u, 3, true, 4, 1u},
    {AI, 5, 0u, 254, true, 5, 254u},
    {AI, 5, 0u, 255, false, 5, 0u},
    {AI, 14, 6u, 9, true, 14, 6u},
    {AI, 15, {}, 9, true},
    {AI, 16, 1u, 9, true, 16, 1u},
    {AI, 37, FloatBits(0.0f), FloatBits(-2.5f), true, 37, FloatBits(-2.5f)},
    {AI, 38, kOne, FloatBits(3.0f), true, 38, FloatBits(3.0f)},
    {AI, 39, FloatBits(0.0f), FloatBits(0.25f), true, 39, FloatBits(0.25f)},
    {AI, 40, kOne, FloatBits(7.0f), true, 40, FloatBits(7.0f)},
    {AI, 41, kOne, FloatBits(8.0f), true, 41, FloatBits(8.0f)},
    {AI, 48, {}, 0x0203, true, 49, 0u},       // entry 2, its second coefficient
    {AI, 48, {}, 0x0500, true, 49, 55u},      // entry 5, its code
    {AI, 48, {}, 0x0401, true, 49, 1u},       // the attribute byte
    {AI, 48, {}, 0x0002, true, 49, kOne},     // the first coefficient
    {AI, 48, {}, 0x0600, false, 49, 0u},      // no entry 6
    {AI, 48, {}, 0x0004, false},              // no field 4
    {AI, 49, 0u, 9, true, 49, 0u},
    {AI, 50, kAnyValue, 0, false},
    {AI, 6, {}, 0, false}, {AI, 13, {}, 0, false}, {AI, 17, {}, 0, false}, {AI, 36, {}, 0, false},
    {AI, 42, {}, 0, false}, {AI, 51, {}, 0, false}, {AI, 0xFFFF, {}, 0, false},
    // analog input of the eight-channel module: no auxiliary coefficients
    {AI8, 39, FloatBits(0.0f), kOne, true, 39, kOne},
    {AI8, 40, {}, kOne, false}, {AI8, 41, {}, kOne, false},
    {AI8, 3, FloatBits(5.0f), FloatBits(0.5f), true, 3, FloatBits(0.5f)},
    // analog output
    {AO, 0, 0u, 0x12345678, true, 0, 0x12345678u},
    {AO, 1, 0u, 149, true, 1, 149u},
    {AO, 1, 0u, 48, false, 1, 0u},
    {AO, 2, 1u, 0, true, 2, 0u},
    {AO, 14, 6u, 1, true, 14, 6u},
    {AO, 15, {}, 1, true},
    {AO, 16, 0u, 1, true, 16, 0u},
    {AO, 48, {}, 0x0300, true, 49, 149u},
    {AO, 48, {}, 0x0301, true, 49, kOne},     // no attribute byte: field 1 is the first coefficient
    {AO, 48, {}, 0x0302, true, 49, 0u},
    {AO, 48, {}, 0x0103, true, 49, 0u},
    {AO, 48, {}, 0x0600, false},
    {AO, 49, 0u, 6, true, 49, 0u},
    {AO, 3, {}, 0, false}, {AO, 4, {}, 0, false}, {AO, 5, {}, 0, false}, {AO, 37, {}, 0, false},
    {AO, 50, {}, 0, false},
    // discrete input
    {DI, 0, 0u, 1, false},
    {DI, 8, 1u, 0, true, 8, 0u},
    {DI, 8, 1u, 2, false, 8, 1u},
    {DI, 10, 0u, 5000, true, 10, 5000u},
    {DI, 10, 0u, 5001, false, 10, 0u},
    {DI, 1, {}, 0, false}, {DI, 9, {}, 0, false}, {DI, 11, {}, 0, false},
    // discrete output, unprotected
    {DO, 0, 0u, 1, true, 0, 1u},
    {DO, 0, 0u, 2, false, 0, 0u},
    {DO, 1, 0u, 0, false},
    {DO, 2, kFirstKey, kFirstKey, false},
    {DO, 3, 0u, 1, true, 3, 1u},
    {DO, 3, 0u, 2, false, 3, 0u},
    {DO, 4, 0u, 0, true, 4, 1u},              // steps 0: the sequence ends at once, the mode stays
    {DO, 4, 0u, 1, false, 4, 0u},
    {DO, 5, 1u, 0, true, 5, 0u},
    {DO, 5, 1u, 2, false, 5, 1u},
    {DO, 6, 0u, 15, true, 6, 15u},
    {DO, 6, 0u, 16, false, 6, 0u},
    {DO, 7, {}, 14, true},
    {DO, 7, {}, 15, false},
    {DO, 8, 0u, 0x10064, true, 8, 0x64u},     // the low 16 bits
    {DO, 9, {}, 0, false}, {DO, 16, {}, 0, false},
};
// clang-format on

TEST(VirtualRegisters, EveryRegisterOfEveryChannelKind) {
    for (const TRegisterRow& row : kRows) {
        SCOPED_TRACE(testing::Message() << NameOf(row.Target) << " register " << row.Register << " write 0x"
                                        << std::hex << row.Write);
        TVirtualDeviceManager m;
        m.AddDevices(TypeOf(row.Target), 1);
        const quint8 channel = row.Target == System ? 0 : 1;
        TVirtualDevice* device = m.DeviceAt(0);

        const std::optional<quint32> read = ReadReg(m, 1, channel, row.Register);
        if (row.Read == kAnyValue) {
            EXPECT_TRUE(read.has_value());
        } else {
            EXPECT_EQ(read, row.Read);
        }

        EXPECT_EQ(WriteReg(m, 1, channel, row.Register, row.Write), row.Accepted);
        if (row.EffectRegister != kNoEffect) {
            EXPECT_EQ(ReadReg(m, 1, channel, quint16(row.EffectRegister)), row.EffectValue);
        }
        // A refused write changes no setting.
        if (!row.Accepted) {
            EXPECT_FALSE(device->SettingsChanged());
        }
    }
}

TEST(VirtualRegisters, TheMachineTimeRunsFromWhatWasWritten) {
    TVirtualDeviceManager m;
    m.AddDevices(7, 1);
    const quint64 before = TickCount();
    ASSERT_TRUE(WriteReg(m, 1, 0, spMachineTime, 93784));
    const std::optional<quint32> t = ReadReg(m, 1, 0, spMachineTime);
    ASSERT_TRUE(t);
    // However slow the machine, the clock stands between what was written and that plus the time
    // that went by.
    EXPECT_GE(*t, 93784u);
    EXPECT_LE(*t, 93784u + (TickCount() - before) / 1000 + 1);
    EXPECT_FALSE(m.DeviceAt(0)->SettingsChanged()); // a clock is no setting that flash keeps
}

TEST(VirtualRegisters, AnalogInputTemperatureIsRestless) {
    TVirtualDeviceManager m;
    m.AddDevices(0, 1);
    std::set<quint32> seen;
    for (int i = 0; i < 40; ++i) {
        const std::optional<quint32> bits = ReadReg(m, 1, 2, 50);
        ASSERT_TRUE(bits);
        const float t = BitsFloat(*bits);
        EXPECT_GE(t, 25.0f);
        EXPECT_LE(t, 25.195f);
        seen.insert(*bits);
    }
    EXPECT_GT(seen.size(), 1u);
}

TEST(VirtualRegisters, AnalogInputOutputFollowsPolynomialAndFilter) {
    TVirtualDeviceManager m;
    m.AddDevices(0, 1);
    auto* channel = static_cast<TCustomVirtualChannelAI*>(m.DeviceAt(0)->ChannelAt(0));
    // A new channel smooths at 5 Hz with two stages.
    EXPECT_NEAR(channel->Filter().Alfa(), 1.0 - 5.0 / 85.0, 1e-12);
    EXPECT_EQ(channel->Filter().FilterOrder(), 2);

    TLPFilter reference;
    reference.SetAlfa(channel->Filter().Alfa());
    channel->SetInput(2.0f);
    EXPECT_EQ(channel->OutputAsFloat(), float(reference.FilterSample(2.0)));
    EXPECT_EQ(ReadReg(m, 1, 1, 0), FloatBits(channel->OutputAsFloat()));

    // y = 0.5 x^2 + 3 x - 1 once the polynomial is on; the output moves only when the input is set.
    ASSERT_TRUE(WriteReg(m, 1, 1, 37, FloatBits(-1.0f)));
    ASSERT_TRUE(WriteReg(m, 1, 1, 38, FloatBits(3.0f)));
    ASSERT_TRUE(WriteReg(m, 1, 1, 39, FloatBits(0.5f)));
    ASSERT_TRUE(WriteReg(m, 1, 1, 4, 1));
    const quint32 before = channel->Output();
    EXPECT_EQ(ReadReg(m, 1, 1, 0), before);
    channel->SetInput(2.0f);
    EXPECT_EQ(channel->OutputAsFloat(), float(reference.FilterSample(7.0)));

    // A faster cutoff written as a float changes the smoothing from the next sample on.
    ASSERT_TRUE(WriteReg(m, 1, 1, 3, FloatBits(42.5f)));
    EXPECT_NEAR(channel->Filter().Alfa(), 0.5, 1e-9);
    reference.SetAlfa(0.5);
    channel->SetInput(4.0f);
    EXPECT_EQ(channel->OutputAsFloat(), float(reference.FilterSample(19.0)));

    // An attached handler replaces the channel's own rule.
    int calls = 0;
    channel->OnInputChange = [&] { ++calls; };
    channel->SetInput(1.0f);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(channel->Input(), 1.0f);
}

TEST(VirtualRegisters, DiscreteInputStateFollowsInput) {
    TVirtualDeviceManager m;
    m.AddDevices(4, 1);
    TCustomVirtualChannel* channel = m.DeviceAt(0)->ChannelAt(0);
    const std::vector<std::pair<float, quint32>> cases = {{-1.0f, 1}, {0.1f, 1}, {0.21f, 1}, {0.22f, 0},
                                                          {1.1f, 0},  {2.0f, 0}, {2.01f, 2}, {24.0f, 2}};
    for (auto [input, state] : cases) {
        channel->SetInput(input);
        EXPECT_EQ(ReadReg(m, 1, 1, 0), state) << input;
    }
    // Line check off: the state stays until the next input, which then reads as open.
    ASSERT_TRUE(WriteReg(m, 1, 1, 8, 0));
    EXPECT_EQ(ReadReg(m, 1, 1, 0), 2u);
    channel->SetInput(2.1f);
    EXPECT_EQ(ReadReg(m, 1, 1, 0), 0u);
}

TEST(VirtualRegisters, ProtectedOutputsTakeEachKeyOnce) {
    TVirtualDeviceManager m;
    m.AddDevices(6, 1); // outputs 13..16
    ASSERT_TRUE(WriteReg(m, 1, 14, 3, 1));
    // Protection spreads to every output of the device.
    for (int number = 13; number <= 16; ++number)
        EXPECT_EQ(ReadReg(m, 1, quint8(number), 3), 1u) << number;
    EXPECT_TRUE(m.DeviceAt(0)->SettingsChanged());

    const quint32 k0 = TVirtualDOChannel::kInitialWriteKey;
    const quint32 step = TVirtualDOChannel::kWriteKeyStep;
    EXPECT_FALSE(WriteReg(m, 1, 13, 0, 1)); // a bare value is a stale key now: k0 + step
    const std::optional<quint32> read = ReadReg(m, 1, 13, 2);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, k0 + 2 * step);
    EXPECT_EQ(*read & 0xFF, 0u);
    EXPECT_FALSE(WriteReg(m, 1, 13, 0, k0 | 1));    // stale: refused, and moves the key on
    EXPECT_FALSE(WriteReg(m, 1, 13, 0, *read | 1)); // ... so the key read before is spent too
    EXPECT_EQ(ReadReg(m, 1, 13, 0), 0u);

    const quint32 key = *ReadReg(m, 1, 13, 2);
    EXPECT_EQ(key, k0 + 5 * step);
    EXPECT_TRUE(WriteReg(m, 1, 13, 0, key | 1));
    EXPECT_EQ(ReadReg(m, 1, 13, 0), 1u);
    EXPECT_FALSE(WriteReg(m, 1, 13, 0, key | 0)); // used once
    // A matching key with a bad state is refused and still spends the key.
    const quint32 next = *ReadReg(m, 1, 13, 2);
    EXPECT_FALSE(WriteReg(m, 1, 13, 0, next | 2));
    EXPECT_FALSE(WriteReg(m, 1, 13, 0, next | 0));
    EXPECT_EQ(ReadReg(m, 1, 13, 0), 1u);
    // Each output keeps its own key.
    EXPECT_EQ(ReadReg(m, 1, 16, 2), k0 + step);
    // The sequence start is keyed the same way.
    EXPECT_FALSE(WriteReg(m, 1, 16, 4, 0));
    EXPECT_TRUE(WriteReg(m, 1, 16, 4, *ReadReg(m, 1, 16, 2)));
    EXPECT_EQ(ReadReg(m, 1, 16, 4), 1u);

    // Unprotecting needs no key.
    EXPECT_TRUE(WriteReg(m, 1, 15, 3, 0));
    EXPECT_TRUE(WriteReg(m, 1, 13, 0, 0));
    EXPECT_EQ(ReadReg(m, 1, 13, 0), 0u);
}

TEST(VirtualRegisters, DiscreteOutputWritesNeedOperationOne) {
    TVirtualDeviceManager m;
    m.AddDevices(8, 1);
    EXPECT_FALSE(Ask(m, 1, 2, 1, 0, 1));
    EXPECT_FALSE(Ask(m, 1, 0xFF, 1, 6, 3));
    EXPECT_EQ(ReadReg(m, 1, 1, 0), 0u);
    EXPECT_EQ(ReadReg(m, 1, 1, 6), 0u);
    EXPECT_TRUE(Ask(m, 1, 1, 1, 0, 1));
}

// Writes through the bus, stores (system register 5), overwrites, restores (register 6).
TEST(VirtualRegisters, StoreAndRestoreKeepTheFlashBlocks) {
    struct TSetting {
        quint32 Type;
        quint8 Channel;
        quint16 Register;
        quint32 Stored;
        quint32 Overwritten;
        bool Kept; // Restore brings Stored back; otherwise the register keeps Overwritten
    };
    const std::vector<TSetting> settings = {
        {0, 2, 1, 48, 51, true},
        {0, 2, 4, 1, 0, true},
        {0, 2, 37, FloatBits(1.5f), FloatBits(2.5f), true},
        {0, 2, 38, FloatBits(1.5f), FloatBits(2.5f), true},
        {0, 2, 39, FloatBits(1.5f), FloatBits(2.5f), true},
        {0, 2, 40, FloatBits(1.5f), FloatBits(2.5f), true},
        {0, 2, 41, FloatBits(1.5f), FloatBits(2.5f), true},
        {0, 2, 2, 0, 1, false},
        {0, 2, 5, 3, 4, false},
        {3, 6, 1, 154, 157, true},
        {3, 6, 0, 11, 12, false},
        {3, 6, 2, 0, 1, false},
        {10, 8, 8, 0, 1, true},
        {10, 8, 10, 100, 200, true},
        {17, 12, 3, 1, 0, true},
        {17, 12, 5, 0, 1, true},
        {17, 12, 6, 3, 4, true},
        {17, 12, 8, 30, 40, true},
        {17, 12, 0, 1, 0, false},
    };
    for (const TSetting& s : settings) {
        SCOPED_TRACE(testing::Message() << "type " << s.Type << " register " << s.Register);
        TVirtualDeviceManager m;
        m.AddDevices(s.Type, 1);
        TVirtualDevice* device = m.DeviceAt(0);
        EXPECT_FALSE(device->SettingsChanged());
        ASSERT_TRUE(WriteReg(m, 1, s.Channel, s.Register, s.Stored));
        EXPECT_EQ(device->SettingsChanged(), s.Kept);
        ASSERT_TRUE(WriteReg(m, 1, 0, spSaveToFlash, 0));
        EXPECT_FALSE(device->SettingsChanged());
        ASSERT_TRUE(WriteReg(m, 1, s.Channel, s.Register, s.Overwritten));
        ASSERT_TRUE(WriteReg(m, 1, 0, spRestoreFromFlash, 0));
        EXPECT_EQ(ReadReg(m, 1, s.Channel, s.Register), s.Kept ? s.Stored : s.Overwritten);
    }
}

TEST(VirtualRegisters, FlashCopiesStartAsTheWorkingSettings) {
    TVirtualDeviceManager m;
    m.AddDevices(5, 1); // outputs 1..8, inputs 9 and 10
    TVirtualDevice* device = m.DeviceAt(0);
    ASSERT_TRUE(WriteReg(m, 1, 9, 8, 0));
    ASSERT_TRUE(WriteReg(m, 1, 2, 6, 5));
    device->Restore();
    EXPECT_EQ(ReadReg(m, 1, 9, 8), 1u);
    EXPECT_EQ(ReadReg(m, 1, 2, 6), 0u);

    m.AddDevices(0, 1);
    auto* ai = static_cast<TCustomVirtualChannelAI*>(m.DeviceAt(1)->ChannelAt(0));
    EXPECT_EQ(ai->FlashCopy(), ai->Settings());
    EXPECT_EQ(ai->FlashCopy().Reserved, 10.0f);
    auto* di = static_cast<TVirtualDIChannel*>(device->ChannelAt(9));
    EXPECT_EQ(di->FlashCopy(), TVirtualDISettings{});
}

} // namespace
