#include "model/ModuleFactory.h"
#include "model/ZUVOModule.h"
#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"
#include "protocol/PlugZoVuru.h"
#include "support/FakeAccessPoint.h"
#include "support/NerixFrames.h"

#include <QElapsedTimer>
#include <QLocale>
#include <gtest/gtest.h>

#include <map>

namespace {

// A device behind a fake access point: a table of properties of object 0.. answering reads and writes.
struct TableDevice {
    std::map<std::pair<quint8, quint16>, quint32> props;
    bool silent = false;
    TFakeAccessPoint ap{[this](const QByteArray& r, int) -> QByteArray {
        if (silent)
            return {};
        const auto key = std::make_pair(quint8(r[2]), quint16((quint8(r[3]) << 8) | quint8(r[4])));
        const quint32 written = (quint32(quint8(r[5])) << 24) | (quint32(quint8(r[6])) << 16) |
                                (quint32(quint8(r[7])) << 8) | quint8(r[8]);
        if (r[1] == 1)
            props[key] = written;
        return NerixFrame(quint8(r[0]), quint8(r[1]), key.first, key.second, props[key]);
    }};
};

// Stand-ins for family classes: the group follows the class and its ancestors.
class TAnalogFour : public TZUVOModule {
public:
    TAnalogFour() { AddRegisterLayout(Tunnel(), TRegisterLayout::AI4, 1, 256); }
    std::optional<quint16> ZoVuruGroup() const override { return 0; }
    QString ClassName() const override { return QStringLiteral("TKVDAIKBUS"); }
};
class TAnalogFourDerived : public TAnalogFour {
public:
    QString ClassName() const override { return QStringLiteral("TKVDAVIX"); }
};
class TWithoutGroup : public TZUVOModule {
public:
    QString ClassName() const override { return QStringLiteral("TKVDAI4VIXPro"); }
};

TEST(NerixChannel, TransfersArePacedAndKeepTheirTextOnFailure) {
    TableDevice dev;
    dev.props[{2, 7}] = 0xFFFFFFFF;
    TNerixModule module;
    module.SetAP(&dev.ap);
    TNerixChannel ch;
    ch.Module = &module;
    ch.ObjectNumber = 2;

    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(ch.ReadPropertyAs(7, dtCardinal));
    EXPECT_GE(t.elapsed(), 4 * TNerixChannel::kPacingMs);
    // A cardinal arrives as signed decimal text and the type turns into integer.
    EXPECT_EQ(ch.ValueText, QStringLiteral("-1"));
    EXPECT_EQ(ch.DataType, dtInteger);

    dev.silent = true;
    EXPECT_FALSE(ch.ReadPropertyAs(7, dtInteger));
    EXPECT_FALSE(ch.LastOk);
    EXPECT_EQ(ch.GetAsInteger().value(), -1);
}

TEST(NerixChannel, ValueTextsFloatsAndOutputs) {
    TableDevice dev;
    TNerixModule module;
    module.SetAP(&dev.ap);
    TNerixChannel ch;
    ch.Module = &module;
    ch.ObjectNumber = 1;

    QLocale saved;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    ch.SetAsFloat(0);
    EXPECT_EQ(ch.ValueText, QStringLiteral("0"));
    ch.SetAsFloat(12.5f);
    EXPECT_EQ(ch.ValueText, QStringLiteral("12.5"));
    EXPECT_EQ(ch.GetAsFloat(), 12.5f);
    QLocale::setDefault(saved);

    ASSERT_TRUE(ch.WritePropertyFloat(3, 12.5f));
    EXPECT_EQ(dev.props[std::make_pair(quint8(1), quint16(3))], 0x41480000u);
    ASSERT_TRUE(ch.ReadPropertyAs(3, dtSingle));
    EXPECT_EQ(ch.ValueText, QStringLiteral("12.5"));

    // An empty text keeps the previous one, which is what goes out.
    ch.SetAsInteger(-7);
    ch.SetValueText(QString());
    ch.ChannelDirection = cdOutput;
    ch.PropertyNumber = 4;
    ch.Transfer();
    ASSERT_TRUE(ch.LastOk);
    EXPECT_EQ(dev.props[std::make_pair(quint8(1), quint16(4))], 0xFFFFFFF9u);

    // A cardinal output takes the low 32 bits of a 64-bit text.
    ch.DataType = dtCardinal;
    ch.ValueText = QStringLiteral("4294967295");
    ch.Transfer();
    ASSERT_TRUE(ch.LastOk);
    EXPECT_EQ(dev.props[std::make_pair(quint8(1), quint16(4))], 0xFFFFFFFFu);

    // A text that is no number fails without traffic, whatever the type.
    for (auto type : {dtInteger, dtSingle, dtCardinal}) {
        const size_t before = dev.ap.Attempts.size();
        ch.DataType = type;
        ch.ValueText = QStringLiteral("twelve");
        ch.Transfer();
        EXPECT_FALSE(ch.LastOk) << int(type);
        EXPECT_EQ(dev.ap.Attempts.size(), before) << int(type);
    }
    EXPECT_FALSE(ch.GetAsBoolean().has_value());
    ch.SetAsBoolean(true);
    EXPECT_EQ(ch.GetAsBoolean(), true);
}

TEST(ZUVOModule, PassThroughPropertiesAndTheCommandGroupByClass) {
    TPlugZoVuru plug;
    TAnalogFourDerived vix;
    vix.SetAddress(9);
    vix.SetAddress(255);
    EXPECT_EQ(vix.Address(), 9);
    EXPECT_EQ(vix.NerixModule().Address(), 9);
    vix.SetZoVuruPlug(&plug);
    EXPECT_EQ(plug.NerixModule(), &vix.NerixModule());

    plug.SetSelectDevice(17);
    vix.SetTransferProtocol(tpModbus);
    EXPECT_EQ(plug.SelectDevice(), 17);
    vix.SetTransferProtocol(tpZoVuru);
    EXPECT_EQ(plug.SelectDevice(), 0);
    EXPECT_EQ(vix.TransferProtocol(), tpZoVuru);

    TWithoutGroup pro;
    pro.SetZoVuruPlug(&plug);
    plug.SetSelectDevice(7);
    pro.SetTransferProtocol(tpZoVuruCheckSum);
    EXPECT_EQ(plug.SelectDevice(), 7);

    TAnalogFour bare; // no plug: only the protocol is stored
    bare.SetTransferProtocol(tpZoVuru);
    EXPECT_EQ(bare.TransferProtocol(), tpZoVuru);
    EXPECT_EQ(bare.ByteOrder(), boNAN);
    EXPECT_FALSE(bare.Modified);
}

TEST(ZUVOModule, RegisterLayouts) {
    TAnalogFour m;
    quint16 reg = 0;
    const auto& map = m.NerixModule().ModbusToNerix().Map();
    const std::vector<std::pair<quint16, quint16>> ai4 = {{0, 256},  {5, 266},  {16, 268}, {14, 270},
                                                          {15, 272}, {37, 274}, {41, 282}, {48, 284},
                                                          {51, 290}, {52, 292}};
    for (auto [p, r] : ai4) {
        ASSERT_TRUE(map.FindRegister(1, p, reg)) << p;
        EXPECT_EQ(reg, r) << p;
    }
    EXPECT_EQ(map.Rows().size(), 12u + 19u);

    TModbusToNerix& t = m.NerixModule().ModbusToNerix();
    AddRegisterLayout(t, TRegisterLayout::AIVExt, 2, 512);
    ASSERT_TRUE(map.FindRegister(2, 36, reg));
    EXPECT_EQ(reg, 512 + 42);
    ASSERT_TRUE(map.FindRegister(2, 52, reg));
    EXPECT_EQ(reg, 512 + 46);
    AddRegisterLayout(t, TRegisterLayout::AI8, 3, 768);
    ASSERT_TRUE(map.FindRegister(3, 65, reg));
    EXPECT_EQ(reg, 768 + 36);
    AddRegisterLayout(t, TRegisterLayout::AO, 4, 1024);
    ASSERT_TRUE(map.FindRegister(4, 49, reg));
    EXPECT_EQ(reg, 1024 + 14);
    AddRegisterSequence(t, 5, 5 * 256 + 16, 4);
    ASSERT_TRUE(map.FindRegister(5, 3, reg));
    EXPECT_EQ(reg, 5 * 256 + 22);
    EXPECT_FALSE(map.FindRegister(5, 4, reg));
}

TEST(SystemChannel, ServiceOperationsSetOkAndModified) {
    TableDevice dev;
    dev.props[{0, 1}] = 123456;
    dev.props[{0, 100}] = 0x0102;
    TAnalogFour m;
    m.SetAP(&dev.ap);
    EXPECT_EQ(m.SystemChannel().ReadSerialNumber(), 123456u);
    EXPECT_TRUE(m.Ok);
    EXPECT_EQ(m.SystemChannel().SerialNumber(), 123456u);
    EXPECT_EQ(m.SystemChannel().ReadFirmwareVersion(), 0x0102u);
    EXPECT_EQ(m.SystemChannel().WriteMachineTime(3600), 3600u);
    EXPECT_EQ(m.SystemChannel().ReadMachineTime(), 3600u);

    m.SystemChannel().RestoreFromFlash();
    EXPECT_TRUE(m.Ok);
    EXPECT_TRUE(m.Modified);
    m.SystemChannel().SaveToFlash();
    EXPECT_TRUE(m.Ok);
    EXPECT_FALSE(m.Modified);

    dev.silent = true;
    m.Modified = true;
    m.SystemChannel().SaveToFlash();
    EXPECT_FALSE(m.Ok);
    EXPECT_TRUE(m.Modified);
    m.SystemChannel().RestoreFromFlash();
    EXPECT_FALSE(m.Ok);
    EXPECT_TRUE(m.Modified);
    EXPECT_EQ(m.SystemChannel().ReadSerialNumber(), 0u);
    EXPECT_FALSE(m.Ok);
    EXPECT_EQ(m.SystemChannel().ReadFirmwareVersion(), 0u);
}

TEST(ModuleFactory, ClassesByTypeAndTypesWithoutATemplate) {
    EXPECT_EQ(ModuleClassOf(0), QStringLiteral("TKVDAIKBUS"));
    EXPECT_EQ(ModuleClassOf(31), QStringLiteral("TKVDAIKBUS"));
    EXPECT_EQ(ModuleClassOf(10), QStringLiteral("TKVDDIBUS"));
    EXPECT_EQ(ModuleClassOf(72), QStringLiteral("TKVDAIQAV"));
    for (quint16 none : {9, 13, 70, 71, 128, 133, 65535})
        EXPECT_TRUE(ModuleClassOf(none).isEmpty()) << none;

    auto made = CreateModuleForType(13);
    EXPECT_FALSE(made.Module);
    EXPECT_FALSE(made.Why.isEmpty());

    RegisterModuleClass(QStringLiteral("TKVDAVIX"), [] { return std::make_unique<TAnalogFourDerived>(); });
    made = CreateModuleForType(15);
    ASSERT_TRUE(made.Module);
    EXPECT_EQ(made.Module->ClassName(), QStringLiteral("TKVDAVIX"));
}

} // namespace
