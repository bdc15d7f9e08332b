// Reading a weight controller's file through its file-manager object, against a scripted device on
// a pseudo-terminal that answers from a thread of its own. The protocol sets the floor: three bytes a
// data word and each exchange paced at least 3 ms after the previous one, so at best 1000 bytes/s.
// Reported: bytes per second and the share of that floor reached.
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "files/FileTransfer.h"
#include "files/ScriptedFileDevice.h"
#include "model/DiscreteModules.h"
#include "model/ZUVOChannel.h"
#include "support/ScriptedDevice.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace {

void BM_ReadDeviceFile(benchmark::State& State) {
    const int size = int(State.range(0));
    TScriptedFileDevice files(1, TP340BUS::kFileManagerObject);
    QByteArray data(size, 'x');
    files.Files = {{"Data.bin", data}};
    TScriptedDevice dev;
    dev.SetResponder([&files](const QByteArray& r) { return files.Answer(r); });
    TPowerRsBus bus;
    bus.SetPortName(dev.PortPath());
    bus.SetInputTimeout(100);
    TComPortAccessPoint ap;
    ap.SetBus(&bus);
    ap.SetActive(true);
    TP340BUS module;
    module.SetAP(&ap);
    module.SetAddress(1);
    TFileTransfer transfer(module.FileMgr());
    double seconds = 0;
    qint64 bytes = 0;
    for (auto _ : State) {
        QByteArray read;
        const auto start = std::chrono::steady_clock::now();
        // Open, close and the listing's size check are inside the time, so a short file pays for
        // them; a long one shows the rate of the data words themselves.
        const TTransferResult r = transfer.ReadFile(0, QStringLiteral("Data.bin"), size, read);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (r != TTransferResult::Done || read.size() != size) {
            State.SkipWithError("the transfer failed");
            return;
        }
        bytes += read.size();
    }
    const double floor = 3.0 * 1000.0 / TNerixChannel::kPacingMs;
    State.counters["bytes_per_s"] = double(bytes) / seconds;
    State.counters["of_floor"] = double(bytes) / seconds / floor;
}
BENCHMARK(BM_ReadDeviceFile)
    ->Arg(600)
    ->Arg(6000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
