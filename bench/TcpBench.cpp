// Reads per second over Modbus TCP against one libmodbus TCP server: our tunnel through the TCP
// access point, and libmodbus's own TCP client asking for the same two registers. The ratio of the
// two (ours / libmodbus) is the figure to watch; both run in the same process against the same
// server, one after the other.
#include "bus/TcpPortAccessPoint.h"
#include "protocol/ModbusTcp.h"
#include "protocol/NerixModule.h"
#include "support/ModbusTcpServer.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <modbus/modbus.h>

namespace {

TModbusTcpServer& Server() {
    static TModbusTcpServer server(64);
    static const bool filled = [] {
        server.SetPair(2, 0x12345678);
        return true;
    }();
    (void)filled;
    return server;
}

void BM_TunnelReadModbusTcp(benchmark::State& state) {
    TTcpPortAccessPoint ap;
    ap.SetHost(QStringLiteral("127.0.0.1"));
    ap.SetPort(Server().Port());
    UseModbusTcp(ap);
    ap.SetActive(true);
    if (!ap.Active()) {
        state.SkipWithError("cannot connect");
        return;
    }
    TNerixModule module;
    module.SetAP(&ap);
    module.SetAddress(3);
    module.SetTransferProtocol(tpModbus);
    quint32 v = 0;
    for (auto _ : state) {
        if (!module.ReadProperty(1, 0, v) || v != 0x12345678) {
            state.SkipWithError("read failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    ap.SetActive(false);
}
BENCHMARK(BM_TunnelReadModbusTcp)->UseRealTime()->MinTime(2.0);

void BM_LibmodbusReadModbusTcp(benchmark::State& state) {
    modbus_t* ctx = modbus_new_tcp("127.0.0.1", Server().Port());
    if (!ctx || modbus_connect(ctx) != 0) {
        state.SkipWithError("cannot connect");
        if (ctx)
            modbus_free(ctx);
        return;
    }
    modbus_set_slave(ctx, 3);
    uint16_t regs[2] = {};
    for (auto _ : state) {
        if (modbus_read_registers(ctx, 2, 2, regs) != 2 || regs[0] != 0x1234) {
            state.SkipWithError("read failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    modbus_close(ctx);
    modbus_free(ctx);
}
BENCHMARK(BM_LibmodbusReadModbusTcp)->UseRealTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
