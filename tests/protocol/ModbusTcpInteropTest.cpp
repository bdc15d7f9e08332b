// Modbus TCP against libmodbus, an implementation we did not write: our tunnel on its TCP server,
// and its TCP client on our emulator's Modbus TCP front end.
#include "bus/TcpPortAccessPoint.h"
#include "emulator/EmulatorTcpServer.h"
#include "emulator/VirtualDeviceManager.h"
#include "protocol/ModbusTcp.h"
#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"
#include "support/ModbusTcpServer.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <atomic>
#include <modbus/modbus.h>
#include <thread>

namespace {

TEST(ModbusTcpInterop, TunnelReadsAndWritesALibmodbusServer) {
    TModbusTcpServer server(400);
    ASSERT_TRUE(server.Ok());
    // A device's register map: properties 0 to 3 of object 0 in registers 0 to 7, in pairs.
    const quint32 values[] = {0x00010002, 0x12345678, 1000, 0xFFFFFFFF};
    for (int p = 0; p < 4; ++p)
        server.SetPair(2 * p, values[p]);
    TTcpPortAccessPoint ap;
    ap.SetHost(QStringLiteral("127.0.0.1"));
    ap.SetPort(server.Port());
    UseModbusTcp(ap);
    ap.SetActive(true);
    ASSERT_TRUE(ap.Active()) << ap.LastError().toStdString();
    TNerixModule module;
    module.SetAP(&ap);
    module.SetAddress(3);
    module.SetTransferProtocol(tpModbus);
    for (quint16 p = 0; p < 4; ++p) {
        quint32 v = 0;
        ASSERT_TRUE(module.ReadProperty(p, 0, v)) << p << ap.LastError().toStdString();
        EXPECT_EQ(v, values[p]) << p;
    }
    ASSERT_TRUE(module.WriteProperty(1, 0, 0xCAFEBABE));
    EXPECT_EQ(server.Pair(2), 0xCAFEBABEu);
    ASSERT_TRUE(module.WriteFloat(15, 0, -2.5f));
    EXPECT_EQ(server.Pair(12), 0xC0200000u); // the map puts property 15 at register 12
    // A register outside the server's table: its exception fails the read, the next one works.
    module.ModbusToNerix().AddMapping(1000, 1, 0);
    quint32 v = 0;
    EXPECT_FALSE(module.ReadProperty(0, 1, v));
    EXPECT_TRUE(ap.LastError().contains(QLatin1String("exception"))) << ap.LastError().toStdString();
    ASSERT_TRUE(module.ReadProperty(2, 0, v));
    EXPECT_EQ(v, 1000u);
}

TEST(ModbusTcpInterop, LibmodbusClientsReadTheEmulator) {
    TVirtualDeviceManager manager;
    manager.AddDevices(0, 2); // two analog input modules at 1 and 2
    manager.SetProtocol(TVirtualDeviceManager::kProtocolModbus);
    TEmulatorTcpServer server(manager);
    server.SetMbap(true);
    ASSERT_TRUE(server.Listen(0, QHostAddress::LocalHost)) << server.LastError().toStdString();
    TNerixModule mapper;
    quint16 serialRegister = 0;
    ASSERT_TRUE(mapper.ModbusToNerix().Map().FindRegister(0, 1, serialRegister));

    // Two masters at once, each on its own connection, each reading its own device many times.
    std::atomic<int> good{0}, bad{0}, done{0};
    std::atomic<int> exceptionCode{0};
    auto client = [&](int unit) {
        modbus_t* ctx = modbus_new_tcp("127.0.0.1", server.Port());
        modbus_set_response_timeout(ctx, 2, 0);
        if (modbus_connect(ctx) != 0) {
            ++bad;
        } else {
            modbus_set_slave(ctx, unit);
            for (int i = 0; i < 50; ++i) {
                uint16_t regs[2] = {};
                if (modbus_read_registers(ctx, serialRegister, 2, regs) == 2 &&
                    ((quint32(regs[0]) << 16) | regs[1]) ==
                        TVirtualDeviceManager::kSerialBase + quint32(unit))
                    ++good;
                else
                    ++bad;
            }
            // No device at unit 9: the gateway's "target did not respond".
            modbus_set_slave(ctx, 9);
            uint16_t regs[2] = {};
            if (modbus_read_registers(ctx, serialRegister, 2, regs) < 0 && errno == EMBXGTAR)
                exceptionCode = 0x0B;
            modbus_close(ctx);
        }
        modbus_free(ctx);
        ++done;
    };
    std::thread a(client, 1), b(client, 2);
    while (done < 2)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    a.join();
    b.join();
    EXPECT_EQ(good, 100);
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(exceptionCode, 0x0B);
}

} // namespace
