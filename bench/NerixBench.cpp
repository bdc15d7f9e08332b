// Protocol costs: the CRC of one frame, a whole read over a pseudo-terminal, and how much CPU a wait
// for a silent device burns (it should be a small fraction of the wall time).
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "discovery/BusScan.h"
#include "emulator/VirtualDeviceManager.h"
#include "protocol/Crc16.h"
#include "protocol/NerixModule.h"
#include "support/ModbusSlave.h"
#include "support/PtyPair.h"
#include "support/ScriptedDevice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <benchmark/benchmark.h>
#include <modbus/modbus.h>
#include <thread>

namespace {

void BM_Crc16_11Bytes(benchmark::State& state) {
    quint8 frame[11] = {5, 0, 0, 0, 3, 0, 0, 0, 0, 0x71, 0xA0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(frame);
        benchmark::DoNotOptimize(Crc16(frame, 11));
    }
}
BENCHMARK(BM_Crc16_11Bytes);

struct Line {
    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TNerixModule module;
    explicit Line(int timeoutMs, int tries) {
        dev.AddNerixDevice(5, {{{0, 1}, 42}});
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(quint32(timeoutMs));
        ap.SetBus(&bus);
        ap.SetTryCount(tries);
        ap.SetActive(true);
        module.SetAP(&ap);
        module.SetAddress(5);
    }
};

void BM_NerixReadOverPty(benchmark::State& state) {
    Line line(200, 2);
    if (!line.ap.Active()) {
        state.SkipWithError("cannot open the pseudo-terminal");
        return;
    }
    quint32 v = 0;
    for (auto _ : state) {
        if (!line.module.ReadProperty(1, 0, v)) {
            state.SkipWithError("read failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NerixReadOverPty)->Unit(benchmark::kMicrosecond)->UseRealTime();

// 20 reads of an address nobody answers, 50 ms time-out, one try each: about 1 s of waiting.
// Compare the CPU column with the wall-clock Time column.
void BM_SilentAddress20Reads(benchmark::State& state) {
    Line line(50, 1);
    line.module.SetAddress(99);
    quint32 v = 0;
    for (auto _ : state) {
        for (int i = 0; i < 20; ++i)
            benchmark::DoNotOptimize(line.module.ReadProperty(1, 0, v));
    }
}
BENCHMARK(BM_SilentAddress20Reads)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same register pair read from a libmodbus slave on a pseudo-terminal, by our module under the
// Modbus tunnel and by libmodbus's own master.
void BM_ModbusReadOurs(benchmark::State& state) {
    TModbusSlave slave(3, 64);
    slave.SetPair(2, 0x12345678);
    TPowerRsBus bus;
    bus.SetPortName(slave.PortPath());
    TComPortAccessPoint ap;
    ap.SetBus(&bus);
    ap.SetActive(true);
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
}
BENCHMARK(BM_ModbusReadOurs)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ModbusReadLibmodbus(benchmark::State& state) {
    TModbusSlave slave(3, 64);
    slave.SetPair(2, 0x12345678);
    modbus_t* ctx = modbus_new_rtu(slave.PortPath().toLocal8Bit().constData(), 9600, 'N', 8, 1);
    modbus_set_slave(ctx, 3);
    if (modbus_connect(ctx) != 0) {
        state.SkipWithError("cannot open the pseudo-terminal");
        modbus_free(ctx);
        return;
    }
    uint16_t regs[2];
    for (auto _ : state) {
        if (modbus_read_registers(ctx, 2, 2, regs) != 2) {
            state.SkipWithError("read failed");
            break;
        }
    }
    modbus_close(ctx);
    modbus_free(ctx);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ModbusReadLibmodbus)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A whole scan of addresses 1 .. 255 at one speed with three devices on the line, 50 ms time-out and
// two tries: about 252 x (2 x 50 + 20) ms of waiting. Compare Time with that, and CPU with Time.
void BM_ScanWholeRange(benchmark::State& state) {
    TScriptedDevice dev;
    for (quint8 a : {17, 100, 200})
        dev.AddNerixDevice(a, {{{0, 0}, 6}, {{0, 1}, 1000u + a}, {{0, 2}, 1}, {{0, 3}, 0x602u}});
    TPowerRsBus bus;
    bus.SetPortName(dev.PortPath());
    bus.SetInputTimeout(50);
    TComPortAccessPoint ap;
    ap.SetBus(&bus);
    ap.SetTryCount(2);
    ap.SetActive(true);
    TNerixModule module;
    TBusScan scan(module, ap, bus);
    int found = 0;
    scan.OnDeviceFound = [&](const TScanHit&) { ++found; };
    for (auto _ : state) {
        found = 0;
        scan.Run({tpNerix, TScanMethod::ByAddresses, 1, 255, 0, false});
    }
    if (found != 3)
        state.SkipWithError("not every device was found");
}
BENCHMARK(BM_ScanWholeRange)->Unit(benchmark::kMillisecond)->Iterations(1);

// libmodbus's master reading 2 registers at 256 (channel 1's float): against our emulator (which
// answers a request as soon as it is complete) and against a libmodbus slave, each on a pty of its
// own. The reads alternate between the two in blocks, so that a change in the machine's load (other
// builds share the cores) falls on both alike instead of on whichever ran second. Counters: reads per
// second of both and their ratio; the old silence framing managed 30 to 50 reads per second.
// Argument 0: no faults set; 1: every fault key given and off, so that a key with nothing to do is
// seen to cost nothing.
void BM_EmulatorVsLibmodbusSlave(benchmark::State& state) {
    TEmulatorFaults faults;
    QString error;
    if (state.range(0) == 1 &&
        !ParseEmulatorFaults(QStringLiteral("delay=0,drop=0,crc=0,wrong-address=0,garbage=0,stop-after=0,"
                                            "resume-after=0,device=1:drop=0"),
                             faults, error)) {
        state.SkipWithError("bad faults");
        return;
    }
    constexpr int kBlocks = 10;
    constexpr int kBlockReads = 200;
    // Nanoseconds spent on Count reads, or -1 when one failed.
    auto timeReads = [](modbus_t* ctx, int Count) -> qint64 {
        uint16_t regs[2];
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < Count; ++i)
            if (modbus_read_registers(ctx, 256, 2, regs) != 2)
                return -1;
        return t.nsecsElapsed();
    };
    double ours = 0, theirs = 0;
    for (auto _ : state) {
        TPtyPair pty;
        TVirtualDeviceManager manager;
        manager.AddDevices(0, 1);
        manager.SetProtocol(TVirtualDeviceManager::kProtocolModbus);
        manager.SetPortName(pty.SlavePath());
        manager.SetFaults(faults, 1);
        manager.SetActive(true);
        if (!manager.Active()) {
            state.SkipWithError("the emulator's port did not open");
            return;
        }
        TModbusSlave slave(1, 512);
        modbus_t* theirCtx = modbus_new_rtu(slave.PortPath().toLocal8Bit().constData(), 9600, 'N', 8, 1);
        modbus_set_slave(theirCtx, 1);
        if (modbus_connect(theirCtx) != 0) {
            modbus_free(theirCtx);
            state.SkipWithError("cannot open the pseudo-terminal");
            return;
        }
        qint64 oursNs = 0, theirsNs = 0;
        bool failed = false;
        // The master blocks, so it runs in a thread while this one runs the emulator's events.
        QEventLoop loop;
        std::thread master([&] {
            modbus_t* ourCtx = modbus_new_rtu("/dev/null", 9600, 'N', 8, 1);
            modbus_set_socket(ourCtx, pty.Master());
            modbus_set_slave(ourCtx, 1);
            for (int b = 0; b < kBlocks && !failed; ++b) {
                // Each side goes first in every other block.
                const bool oursFirst = b % 2 == 0;
                const qint64 first = timeReads(oursFirst ? ourCtx : theirCtx, kBlockReads);
                const qint64 second = timeReads(oursFirst ? theirCtx : ourCtx, kBlockReads);
                failed = first < 0 || second < 0;
                oursNs += oursFirst ? first : second;
                theirsNs += oursFirst ? second : first;
            }
            modbus_free(ourCtx);
            QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
        });
        loop.exec();
        master.join();
        manager.SetActive(false);
        modbus_close(theirCtx);
        modbus_free(theirCtx);
        if (failed) {
            state.SkipWithError("a read failed");
            return;
        }
        ours = double(kBlocks * kBlockReads) * 1e9 / double(oursNs);
        theirs = double(kBlocks * kBlockReads) * 1e9 / double(theirsNs);
    }
    state.counters["emulator_reads_per_s"] = ours;
    state.counters["libmodbus_slave_reads_per_s"] = theirs;
    state.counters["emulator_to_slave"] = ours / theirs;
}
BENCHMARK(BM_EmulatorVsLibmodbusSlave)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
