// One cycle of a parameter space mirroring a 125-register block from libmodbus's slave on a
// pseudo-terminal, against libmodbus's own master reading the same block from the same slave. Both
// run back to back (the manager's 50 ms tick paces real use; here the cycle's own cost counts).
// Counters: registers read per second.
#include "bus/PowerRSBus.h"
#include "model/ModbusSpace.h"
#include "support/ModbusSlave.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <modbus/modbus.h>

#include <memory>
#include <vector>

namespace {

constexpr int kBlock = 125;
constexpr int kBase = 4096;

void BM_SpaceCycle125(benchmark::State& state) {
    TModbusSlave slave(1, kBase + kBlock);
    for (int r = 0; r < kBlock; ++r)
        slave.SetRegister(kBase + r, quint16(r * 7));
    TPowerRsBus bus;
    bus.SetPortName(slave.PortPath());
    bus.SetTryCount(0);
    if (!bus.Open()) {
        state.SkipWithError("cannot open the pseudo-terminal");
        return;
    }
    TCOMPortTransport transport;
    transport.SetBus(&bus);
    TModbusSpace space;
    space.RefreshIAC = true;
    space.SetModbusTransport(&transport);
    std::vector<std::unique_ptr<TModbusParameter>> params;
    for (int i = 0; i < kBlock; ++i) {
        params.push_back(std::make_unique<TModbusParameter>());
        params.back()->SetIndex(quint16(i));
        params.back()->SetModbusSpace(&space);
    }
    for (auto _ : state) {
        if (!space.Refresh() || params[kBlock - 1]->Data().AsWord() != quint16((kBlock - 1) * 7)) {
            state.SkipWithError("cycle failed");
            break;
        }
    }
    state.counters["registers/s"] =
        benchmark::Counter(double(state.iterations()) * kBlock, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SpaceCycle125)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_LibmodbusRead125(benchmark::State& state) {
    TModbusSlave slave(1, kBase + kBlock);
    for (int r = 0; r < kBlock; ++r)
        slave.SetRegister(kBase + r, quint16(r * 7));
    modbus_t* ctx = modbus_new_rtu(slave.PortPath().toLocal8Bit().constData(), 9600, 'N', 8, 1);
    modbus_set_slave(ctx, 1);
    if (modbus_connect(ctx) != 0) {
        state.SkipWithError("cannot open the pseudo-terminal");
        modbus_free(ctx);
        return;
    }
    uint16_t regs[kBlock];
    for (auto _ : state) {
        if (modbus_read_registers(ctx, kBase, kBlock, regs) != kBlock) {
            state.SkipWithError("read failed");
            break;
        }
    }
    modbus_close(ctx);
    modbus_free(ctx);
    state.counters["registers/s"] =
        benchmark::Counter(double(state.iterations()) * kBlock, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LibmodbusRead125)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
