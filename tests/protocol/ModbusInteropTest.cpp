// Our Modbus frames against libmodbus, an implementation we did not write: its slave answers our
// master, and its master asks a responder that hears the line through our frame maker.
#include "bus/CPDrv.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "protocol/Crc16.h"
#include "protocol/Modbus.h"
#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"
#include "protocol/PortFrameMaker.h"
#include "support/ModbusMaster.h"
#include "support/ModbusSlave.h"
#include "support/PtyPair.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

class LibmodbusSlave : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(slave.Ok());
        slave.SetPair(0, 0x00010002);
        slave.SetPair(2, 0x12345678);
        slave.SetPair(4, 1000);
        slave.SetPair(6, 0xFFFFFFFF);
        bus.SetPortName(slave.PortPath());
        bus.SetInputTimeout(100);
        ap.SetBus(&bus);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active()) << bus.LastError().toStdString();
        module.SetAP(&ap);
        module.SetAddress(3);
        module.SetTransferProtocol(tpModbus);
    }
    TModbusSlave slave{3, 400};
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TNerixModule module;
};

TEST_F(LibmodbusSlave, TunnelReadsAndWritesRegisterPairs) {
    const quint32 expected[] = {0x00010002, 0x12345678, 1000, 0xFFFFFFFF};
    for (quint16 p = 0; p < 4; ++p) {
        quint32 v = 0;
        ASSERT_TRUE(module.ReadProperty(p, 0, v)) << p;
        EXPECT_EQ(v, expected[p]) << p;
    }
    // The registers carry the frame's value bytes in the frame's order: 1032 swaps the registers.
    module.Buffer().ValueOrder = bo1032x10;
    quint32 v = 0;
    ASSERT_TRUE(module.ReadProperty(1, 0, v));
    EXPECT_EQ(v, 0x56781234u);
    module.Buffer().ValueOrder = boNAN;

    ASSERT_TRUE(module.WriteProperty(1, 0, 0xCAFEBABE));
    EXPECT_EQ(slave.Pair(2), 0xCAFEBABEu);
    ASSERT_TRUE(module.WriteFloat(15, 0, -2.5f));
    EXPECT_EQ(slave.Pair(12), 0xC0200000u);
}

TEST_F(LibmodbusSlave, RegistersOutsideTheSlavesMapFail) {
    module.ModbusToNerix().AddMapping(1000, 1, 0);
    ap.SetTryCount(1);
    quint32 v = 7;
    EXPECT_FALSE(module.ReadProperty(0, 1, v));
    EXPECT_EQ(v, 0u);
    EXPECT_FALSE(module.WriteProperty(0, 1, 5));
    // Whatever the exception answer left on the line does not spoil the next exchange.
    ASSERT_TRUE(module.ReadProperty(2, 0, v));
    EXPECT_EQ(v, 1000u);
}

TEST_F(LibmodbusSlave, DirectRegisterPairs) {
    ap.SetActive(true);
    TModbus modbus(&bus);
    std::vector<std::pair<int, int>> notes;
    modbus.OnNotify = [&](quint8 length, quint8 request) { notes.emplace_back(length, request); };
    quint32 v = 0;
    ASSERT_TRUE(modbus.ReadRegisterPair(3, 2, v));
    EXPECT_EQ(v, 0x12345678u);
    ASSERT_TRUE(modbus.WriteRegisterPair(3, 20, 0x01020304));
    EXPECT_EQ(slave.Pair(20), 0x01020304u);
    EXPECT_EQ(notes, (std::vector<std::pair<int, int>>{{8, 1}, {9, 0}, {13, 1}, {8, 0}}));
    EXPECT_FALSE(modbus.ReadRegisterPair(3, 1000, v)); // exception answer
    EXPECT_FALSE(modbus.ReadRegisterPair(9, 2, v));    // nobody at address 9
}

// A register table answering function 3 and 16 frames that our frame maker delivers.
QByteArray Answer(const quint8* f, int n, std::vector<quint16>& regs) {
    if (n < 8 || Crc16(f, n) != 0 || f[0] != 4)
        return {};
    const int start = (f[2] << 8) | f[3];
    const int count = (f[4] << 8) | f[5];
    if (start + count > int(regs.size()))
        return {};
    QByteArray a;
    a.append(char(f[0])).append(char(f[1]));
    if (f[1] == 3) {
        a.append(char(2 * count));
        for (int i = 0; i < count; ++i)
            a.append(char(regs[start + i] >> 8)).append(char(regs[start + i]));
    } else if (f[1] == 16) {
        for (int i = 0; i < count; ++i)
            regs[start + i] = quint16((f[7 + 2 * i] << 8) | f[8 + 2 * i]);
        a.append(reinterpret_cast<const char*>(f + 2), 4);
    } else {
        return {};
    }
    a.resize(a.size() + 2);
    PutCrc16(reinterpret_cast<quint8*>(a.data()), int(a.size() - 2));
    return a;
}

TEST(LibmodbusMaster, ReadsAndWritesThroughOurFrameMaker) {
    TPtyPair pty;
    ASSERT_TRUE(pty.Ok());
    std::vector<quint16> regs(16, 0);
    regs[4] = 0xABCD;
    regs[5] = 0x1234;

    TPortFrameOfData frames;
    frames.Port().SetPortName(pty.SlavePath());
    frames.Port().SetPollingDelay(5);
    frames.OnFrame = [&](const quint8* f, quint16 n) {
        const QByteArray a = Answer(f, n, regs);
        if (!a.isEmpty())
            frames.Port().Send(reinterpret_cast<const quint8*>(a.constData()), quint32(a.size()));
    };
    ASSERT_TRUE(frames.Port().Open()) << frames.Port().LastError().toStdString();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] { frames.Poll(); });
    poll.start(5);

    std::atomic<bool> done{false};
    int readRc = -1, writeRc = -1;
    uint16_t got[2] = {};
    std::thread master([&] {
        TModbusMaster modbus(pty.Master(), 4, 2000);
        readRc = modbus.ReadRegisters(4, 2, got);
        const uint16_t values[2] = {0x0102, 0x0304};
        writeRc = modbus.WriteRegisters(8, 2, values);
        done = true;
    });
    QElapsedTimer t;
    t.start();
    while (!done && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    master.join();
    EXPECT_EQ(readRc, 2);
    EXPECT_EQ(got[0], 0xABCD);
    EXPECT_EQ(got[1], 0x1234);
    EXPECT_EQ(writeRc, 2);
    EXPECT_EQ(regs[8], 0x0102);
    EXPECT_EQ(regs[9], 0x0304);
}

} // namespace
