// A configuration backup against an emulated KVD-AIK-BUS and KVD-DIO-BUS on bridged pseudo-terminals,
// the emulator answering from a thread of its own as a device would. A backup is bound by its
// exchanges, which the model paces 3 ms apart: each run reports the exchanges the device answered,
// those it did not (settings the device lacks cost a time-out each), and the wall time against the
// floor of answered exchanges × 3 ms. A restore of the device's own backup onto it must write nothing.
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "config/ConfigEngine.h"
#include "emulator/VirtualDeviceManager.h"
#include "model/ModuleFactory.h"
#include "model/ZUVOChannel.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixBuffer.h"
#include "support/PtyBridge.h"

#include <QCoreApplication>
#include <QSemaphore>
#include <QThread>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace {

constexpr int kTimeoutMs = 50;

class TEmulatorThread : public QThread {
public:
    TEmulatorThread(QString Path, quint32 Type) : FPath(std::move(Path)), FType(Type) {
        start();
        FReady.acquire();
    }
    ~TEmulatorThread() override {
        quit();
        wait();
    }
    bool Active() const { return FActive; }
    std::atomic<long> Requests{0};
    std::atomic<long> Writes{0};

protected:
    void run() override {
        TVirtualDeviceManager emulator;
        emulator.AddDevices(FType, 1);
        emulator.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
        emulator.SetPortName(FPath);
        emulator.SetActive(true);
        emulator.OnFrame = [this](int Direction, const quint8* Data, int Length) {
            if (Direction != 1 || Length != kNerixFrameSize)
                return;
            ++Requests;
            if (Data[1] == noWrite)
                ++Writes;
        };
        FActive = emulator.Active();
        FReady.release();
        exec();
        emulator.OnFrame = nullptr;
        emulator.SetActive(false);
    }

private:
    QString FPath;
    quint32 FType;
    QSemaphore FReady;
    bool FActive = false;
};

struct TRig {
    explicit TRig(quint32 Type) : emulator(bridge.PathA(), Type) {
        bus.SetPortName(bridge.PathB());
        bus.SetInputTimeout(kTimeoutMs);
        ap.SetBus(&bus);
        ap.SetTryCount(1);
        ap.SetActive(true);
        module = CreateModuleForType(quint16(Type)).Module;
        module->SetAP(&ap);
        module->SetAddress(1);
    }
    ~TRig() { ap.SetActive(false); }
    TPtyBridge bridge;
    TEmulatorThread emulator;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    std::unique_ptr<TZUVOModule> module;
};

void Backup(benchmark::State& State, quint32 Type) {
    TRig rig(Type);
    if (!rig.emulator.Active() || !rig.ap.Active()) {
        State.SkipWithError("no emulator on the line");
        return;
    }
    TConfigEngine engine(*rig.module);
    double exchanges = 0;
    double unanswered = 0;
    double wallMs = 0;
    for (auto _ : State) {
        const long before = rig.emulator.Requests;
        const auto start = std::chrono::steady_clock::now();
        QString error;
        const auto document = engine.Backup(error);
        wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (!document) {
            State.SkipWithError(error.toStdString().c_str());
            return;
        }
        exchanges = double(rig.emulator.Requests - before);
        unanswered = double(engine.Warnings().size()) + (document->BusParams.AnswerTimeout ? 0 : 1) +
                     (document->BusParams.ByteOrder ? 0 : 1) + (document->FirmwareWord ? 0 : 1);
        State.SetIterationTime(wallMs / 1000);
    }
    const double answered = exchanges - unanswered;
    const double floorMs = answered * TNerixChannel::kPacingMs;
    const double timeoutsMs = unanswered * kTimeoutMs;
    State.counters["exchanges"] = exchanges;
    State.counters["unanswered"] = unanswered;
    State.counters["floor_ms"] = floorMs;
    State.counters["wall_ms"] = wallMs;
    // What the answered exchanges took against their pacing floor, the time-outs set aside.
    State.counters["ratio"] = floorMs > 0 ? (wallMs - timeoutsMs) / floorMs : 0;
}

void UnchangedRestore(benchmark::State& State, quint32 Type) {
    TRig rig(Type);
    TConfigEngine engine(*rig.module);
    QString error;
    const auto document = engine.Backup(error);
    if (!document) {
        State.SkipWithError(error.toStdString().c_str());
        return;
    }
    // Reading some settings sends write frames of its own (a range or step selector before the
    // field): those a backup sends are the floor of what an unchanged restore may send.
    long before = rig.emulator.Writes;
    if (!engine.Backup(error)) {
        State.SkipWithError(error.toStdString().c_str());
        return;
    }
    const long readingFrames = rig.emulator.Writes - before;
    long frames = 0;
    int written = 0;
    for (auto _ : State) {
        before = rig.emulator.Writes;
        const auto start = std::chrono::steady_clock::now();
        const TRestoreReport r = engine.Restore(*document, {});
        State.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (!r.Ok) {
            State.SkipWithError(r.Error.toStdString().c_str());
            return;
        }
        frames = rig.emulator.Writes - before;
        written = r.Written;
    }
    State.counters["settings_written"] = double(written);
    State.counters["write_frames"] = double(frames);
    State.counters["reading_write_frames"] = double(readingFrames);
}

BENCHMARK_CAPTURE(Backup, KVD_AIK_BUS, 0u)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(Backup, KVD_DIO_BUS, 6u)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(UnchangedRestore, KVD_AIK_BUS, 0u)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(UnchangedRestore, KVD_DIO_BUS, 6u)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
