// Channel settings against a simulated analog channel object on a pseudo-terminal, through the real
// bus, access point, protocol engine and accessor.
#include "model/CustomZUVOChannel.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "model/ZUVOModule.h"
#include "support/NerixFrames.h"
#include "support/ScriptedDevice.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr quint8 kAddress = 5;
constexpr quint8 kObject = 1;

quint32 Bits(float f) {
    return std::bit_cast<quint32>(f);
}

// Object 1 of device 5: a property table, and the device's range list behind the selector (48) and
// field (49) properties. Property 14 is the list's length; writing it sizes the list. A property
// that is not in the table is not answered, nor is a request that Refuse picks.
class AnalogObject {
public:
    using TRange = std::array<quint32, 6>;

    void Set(quint16 property, quint32 value) {
        std::lock_guard lock(FMutex);
        FProps[property] = value;
    }
    void Remove(quint16 property) {
        std::lock_guard lock(FMutex);
        FProps.erase(property);
    }
    void SetRanges(std::vector<TRange> ranges) {
        std::lock_guard lock(FMutex);
        FRanges = std::move(ranges);
    }
    std::vector<TRange> Ranges() const {
        std::lock_guard lock(FMutex);
        return FRanges;
    }
    // (write, property, value, selector) -> stay silent
    void SetRefuse(std::function<bool(bool, quint16, quint32, quint32)> refuse) {
        std::lock_guard lock(FMutex);
        FRefuse = std::move(refuse);
    }

    QByteArray Answer(const QByteArray& r) {
        std::lock_guard lock(FMutex);
        if (r.size() != 11 || quint8(r[0]) != kAddress || quint8(r[2]) != kObject)
            return {};
        const bool write = r[1] == 1;
        const auto property = quint16((quint8(r[3]) << 8) | quint8(r[4]));
        const quint32 value = (quint32(quint8(r[5])) << 24) | (quint32(quint8(r[6])) << 16) |
                              (quint32(quint8(r[7])) << 8) | quint8(r[8]);
        if (FRefuse && FRefuse(write, property, value, FSelector))
            return {};
        const size_t index = FSelector >> 8;
        const size_t field = FSelector & 0xFF;
        quint32 answer = value;
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
            if (field >= 6 || (!write && index >= FRanges.size()))
                return {};
            if (write && index >= FRanges.size())
                FRanges.resize(index + 1);
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
        }
        }
        return NerixFrame(kAddress, quint8(r[1]), kObject, property, answer);
    }

private:
    mutable std::mutex FMutex;
    std::map<quint16, quint32> FProps;
    std::vector<TRange> FRanges;
    quint32 FSelector = 0;
    std::function<bool(bool, quint16, quint32, quint32)> FRefuse;
};

class TTestAnalogModule : public TZUVOModule {
public:
    QString ClassName() const override { return QStringLiteral("TTestAnalogModule"); }
};

const QString kUnlock = QString::number(kUnlockCode);

class ChannelSettings : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.Ok());
        object.Set(15, 0); // the unlock slot
        dev.SetResponder([this](const QByteArray& r) { return object.Answer(r); });
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(60);
        ap.SetBus(&bus);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active()) << bus.LastError().toStdString();
        module.SetAP(&ap);
        module.SetAddress(kAddress);
    }

    // What went over the line, one entry per request: "r16", "w48=257".
    std::vector<std::string> Trace() const {
        std::vector<std::string> trace;
        for (const QByteArray& r : dev.Requests()) {
            const auto property = (quint8(r[3]) << 8) | quint8(r[4]);
            const quint32 value = (quint32(quint8(r[5])) << 24) | (quint32(quint8(r[6])) << 16) |
                                  (quint32(quint8(r[7])) << 8) | quint8(r[8]);
            trace.push_back(r[1] == 1 ? QStringLiteral("w%1=%2").arg(property).arg(value).toStdString()
                                      : QStringLiteral("r%1").arg(property).toStdString());
        }
        return trace;
    }

    AnalogObject object; // outlives the device thread that answers from it
    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TTestAnalogModule module;
    TCustomZUVOChannel channel{&module, kObject, 0};
    QString text;
};

TEST_F(ChannelSettings, AllSettingsWithAnEmptyListGoOnToNormalization) {
    object.Set(16, 3);
    object.Set(1, 150);
    object.Set(2, 1);
    channel.Ranges.AddRange(9, 1, 1, 0); // left from an earlier device

    EXPECT_TRUE(channel.ReadSettings(14, text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(module.Ok);
    EXPECT_EQ(channel.AccuracyClass, 3);
    EXPECT_EQ(channel.RangeCode, 150);
    EXPECT_EQ(channel.RangeCount, 0);
    EXPECT_EQ(channel.Ranges.Count(), 0);
    EXPECT_TRUE(channel.Normalization);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"r16", "r1", "r14", "r2"}));

    EXPECT_EQ(channel.DisplayFormat(), QStringLiteral("00.0000")); // 4..20 mA
    channel.Normalization = false;
    EXPECT_EQ(channel.DisplayFormat(), QStringLiteral("0.00"));
}

TEST_F(ChannelSettings, SilentDeviceGivesOnlyTheFirstTextAndChangesNothing) {
    channel.AccuracyClass = 2;
    channel.RangeCode = 9;
    channel.RangeCount = 1;
    channel.Normalization = true;
    channel.Ranges.AddRange(9, 1, 1, 0);
    module.Ok = true;
    dev.SetSilent(true);

    EXPECT_FALSE(channel.ReadSettings(14, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при считывании класса точности"));
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(channel.AccuracyClass, 2);
    EXPECT_EQ(channel.RangeCode, 9);
    EXPECT_EQ(channel.RangeCount, 1);
    EXPECT_TRUE(channel.Normalization);
    ASSERT_EQ(channel.Ranges.Count(), 1);
    EXPECT_EQ(channel.Ranges.Items(0)->Code, 9);
    for (const auto& request : Trace())
        EXPECT_EQ(request, "r16");
}

TEST_F(ChannelSettings, EachSingleSettingAndItsText) {
    struct Case {
        int selector;
        quint16 property;
        quint32 value;
        const char* text;
        std::function<int(const TCustomZUVOChannel&)> field;
    };
    const Case cases[] = {
        {1, 16, 5, "Ошибка при считывании класса точности", [](auto& c) { return int(c.AccuracyClass); }},
        {2, 1, 0xFF00, "Ошибка при считывании значения выбранного диапазона",
         [](auto& c) { return int(c.RangeCode); }},
        {6, 2, 7, "Ошибка при считывании алгоритма пересчета", [](auto& c) { return int(c.Normalization); }},
        {12, 51, 33, "Ошибка при чтении кода комманды", [](auto& c) { return int(c.Command); }},
        {13, 52, 2, "Ошибка при чтении статуса выполнения комманды",
         [](auto& c) { return int(c.CommandStatus); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selector);
        object.Set(c.property, c.value);
        EXPECT_TRUE(channel.ReadSettings(c.selector, text));
        EXPECT_TRUE(text.isEmpty());
        EXPECT_EQ(c.field(channel), c.selector == 6 ? 1 : int(c.value));

        object.Remove(c.property);
        module.Ok = true;
        EXPECT_FALSE(channel.ReadSettings(c.selector, text));
        EXPECT_EQ(text, QString::fromUtf8(c.text));
        EXPECT_FALSE(module.Ok);
        // Only a failed normalization read changes its field: the flag is cleared.
        EXPECT_EQ(c.field(channel), c.selector == 6 ? 0 : int(c.value));
    }
}

TEST_F(ChannelSettings, LaterFailureIsNotHiddenByAnEarlierSuccess) {
    object.Set(16, 4); // property 1 is missing
    channel.RangeCode = 9;
    EXPECT_FALSE(channel.ReadSettings(14, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при считывании значения выбранного диапазона"));
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(channel.AccuracyClass, 4);
    EXPECT_EQ(channel.RangeCode, 9);
    EXPECT_EQ(Trace().back(), "r1");
}

TEST_F(ChannelSettings, TwoRangeListIsReadFieldByField) {
    // 1.2345678e-9 needs more decimals than the accessor shows by default.
    object.SetRanges(
        {{9, 1, Bits(1.5f), Bits(-0.25f), 0, 0}, {150, 2, Bits(1.2345678e-9f), Bits(-4000.5f), 0, 0}});
    EXPECT_TRUE(channel.ReadSettings(3, text));
    EXPECT_TRUE(text.isEmpty());

    std::vector<std::string> expected{"r14"};
    for (int range = 0; range < 2; ++range)
        for (int field = 0; field < 4; ++field) {
            expected.push_back("w48=" + std::to_string(field + 256 * range));
            expected.push_back("r49");
        }
    EXPECT_EQ(Trace(), expected);

    EXPECT_EQ(channel.RangeCount, 2);
    ASSERT_EQ(channel.Ranges.Count(), 2);
    const TRangeRec& a = *channel.Ranges.Items(0);
    const TRangeRec& b = *channel.Ranges.Items(1);
    EXPECT_EQ(a.Code, 9);
    EXPECT_EQ(a.Attribute, 1);
    EXPECT_EQ(a.Coefficient1, 1.5f);
    EXPECT_EQ(a.Coefficient2, -0.25f);
    EXPECT_EQ(b.Code, 150);
    EXPECT_EQ(b.Attribute, 2);
    EXPECT_EQ(b.Coefficient1, 1.2345678e-9f);
    EXPECT_EQ(b.Coefficient2, -4000.5f);
}

TEST_F(ChannelSettings, ListReadFailingPartWayKeepsTheWholeRecordsBefore) {
    object.SetRanges({{9, 1, Bits(1), 0, 0, 0}, {150, 1, Bits(1), 0, 0, 0}});
    object.SetRefuse([](bool write, quint16 property, quint32, quint32 selector) {
        return !write && property == 49 && selector == 256 + 2;
    });
    EXPECT_FALSE(channel.ReadSettings(3, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при считывании списка диапазонов"));
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(channel.RangeCount, 2);
    ASSERT_EQ(channel.Ranges.Count(), 1);
    EXPECT_EQ(channel.Ranges.Items(0)->Code, 9);
}

TEST_F(ChannelSettings, EmptyListWriteUnlocksWritesTheCountAndLocks) {
    module.Modified = false;
    EXPECT_TRUE(channel.WriteSettings(3, text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(module.Ok);
    EXPECT_TRUE(module.Modified);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"w15=" + kUnlock.toStdString(), "w14=0", "w15=0"}));
}

TEST_F(ChannelSettings, ExtendedListWriteCarriesTheUserScaleAndReadsBackAsWritten) {
    TRangeRec* first = channel.Ranges.AddRange(9, 1, 1.0f, 0.0f);
    first->MinValue = -5.5f;
    first->MaxValue = 105.25f;
    TRangeRec* second = channel.Ranges.AddRange(150, 3, 1.2345678e-9f, -0.125f);
    second->MinValue = 4;
    second->MaxValue = 20;

    EXPECT_TRUE(channel.WriteSettings(4, text));
    EXPECT_TRUE(text.isEmpty());
    const auto held = object.Ranges();
    ASSERT_EQ(held.size(), 2u);
    EXPECT_EQ(held[0], (AnalogObject::TRange{9, 1, Bits(1.0f), Bits(0.0f), Bits(-5.5f), Bits(105.25f)}));
    EXPECT_EQ(held[1],
              (AnalogObject::TRange{150, 3, Bits(1.2345678e-9f), Bits(-0.125f), Bits(4.0f), Bits(20.0f)}));
    const auto trace = Trace();
    ASSERT_EQ(trace.size(), 2u + 2 * 6 * 2 + 1);
    EXPECT_EQ(trace[2], "w48=0");
    EXPECT_EQ(trace[12], "w48=5");
    EXPECT_EQ(trace[14], "w48=256");
    EXPECT_EQ(trace.back(), "w15=0");

    TCustomZUVOChannel reader(&module, kObject, 0);
    EXPECT_TRUE(reader.ReadSettings(3, text));
    ASSERT_EQ(reader.Ranges.Count(), 2);
    EXPECT_EQ(reader.Ranges.Items(1)->Coefficient1, 1.2345678e-9f);
    EXPECT_EQ(reader.Ranges.Items(1)->Coefficient2, -0.125f);
}

TEST_F(ChannelSettings, ListWriteFailingPartWayStillLocksAndReportsIt) {
    object.SetRefuse([](bool write, quint16 property, quint32, quint32 selector) {
        return write && property == 49 && selector == 256 + 1;
    });
    channel.Ranges.AddRange(9, 1, 1, 0);
    channel.Ranges.AddRange(150, 1, 1, 0);
    EXPECT_FALSE(channel.WriteSettings(3, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при записи списка диапазонов"));
    EXPECT_FALSE(module.Ok);
    const auto trace = Trace();
    EXPECT_EQ(trace.back(), "w15=0");
    EXPECT_EQ(trace[trace.size() - 2], "w49=1"); // the refused write, last attempt
}

TEST_F(ChannelSettings, AllSettingsAreWrittenInOrderAndTheFirstFailureEndsIt) {
    for (quint16 p : {1, 2, 16})
        object.Set(p, 0);
    channel.AccuracyClass = 7;
    channel.RangeCode = 150;
    channel.Normalization = true;
    channel.Ranges.AddRange(150, 1, 1, 0);

    EXPECT_TRUE(channel.WriteSettings(14, text));
    EXPECT_TRUE(text.isEmpty());
    std::vector<std::string> expected{"w15=" + kUnlock.toStdString(), "w16=7", "w15=0", "w1=150",
                                      "w15=" + kUnlock.toStdString(), "w14=1"};
    const std::vector<std::pair<int, std::string>> fields{{0, "150"}, {1, "1"}, {2, "1065353216"}, {3, "0"}};
    for (const auto& [field, value] : fields) {
        expected.push_back("w48=" + std::to_string(field));
        expected.push_back("w49=" + value);
    }
    expected.insert(expected.end(), {"w15=0", "w2=1"});
    EXPECT_EQ(Trace(), expected);

    // A refused accuracy class: its text, Ok False, the slot locked, nothing after.
    object.Remove(16);
    EXPECT_FALSE(channel.WriteSettings(14, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при установке класса точности."));
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(Trace().back(), "w15=0");

    object.Set(16, 0);
    object.Remove(1);
    EXPECT_FALSE(channel.WriteSettings(2, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при записи измеряемой величины и диапазона."));
    object.Remove(2);
    EXPECT_FALSE(channel.WriteSettings(6, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при установке разрешения нормализации"));
    EXPECT_FALSE(channel.WriteSettings(12, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при записи комманды"));
}

TEST_F(ChannelSettings, UnknownSelectorsAndOverlongListsSendNothing) {
    module.Ok = true;
    EXPECT_FALSE(channel.ReadSettings(4, text));
    EXPECT_FALSE(module.Ok);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_FALSE(channel.WriteSettings(13, text));
    EXPECT_TRUE(text.isEmpty());

    // 256 ranges cannot be addressed with a one-byte index.
    for (int i = 0; i < 256; ++i)
        channel.Ranges.AddRange(quint16(i), 1, 1, 0);
    EXPECT_FALSE(channel.WriteSettings(3, text));
    EXPECT_EQ(text, QStringLiteral("Ошибка при записи списка диапазонов"));
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(dev.RequestCount(), 0);
}

} // namespace
