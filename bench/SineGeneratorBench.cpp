// The sine generator against the emulated KVD-AO-BUS on a pair of bridged pseudo-terminals (the
// emulator answers in this process while an exchange lets events run):
//   - points per second through the analog output window and its sine generator, against a plain
//     loop of the same output writes without any window;
//   - the longest gap a 5 ms timer of the window thread sees while the generator plays.
#include "emulator/VirtualDeviceManager.h"
#include "model/AOChannel.h"
#include "model/ZUVOModule.h"
#include "shell/Dm.h"
#include "support/PtyBridge.h"
#include "views/AnalogChannelForms.h"
#include "views/ui/KVD_AO_ChannelForm.h"
#include "views/ui/SineGeneratorDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kPoints = 300;

struct TBench {
    TPtyBridge bridge;
    TDm dm;
    TDeviceProps device;
    TAOChannel* output = nullptr;

    TBench() {
        if (!bridge.Ok())
            return;
        dm.VDMgr->AddDevices(2, 1);
        dm.VDMgr->SetPortName(bridge.PathA());
        dm.VDMgr->SetActive(true);
        dm.Bus.SetPortName(bridge.PathB());
        dm.Bus.SetInputTimeout(150);
        dm.ComAccessPoint.SetActive(true);
        dm.CurrentAccessPoint = &dm.ComAccessPoint;
        device.Address = 1;
        device.BaudCode = br115200;
        device.Protocol = tpNerix;
        device.TypeCode = 2;
        device.ModelName = QStringLiteral("KVD-AO-BUS");
        device.ByteOrder = boNAN;
        dm.CurrentDevice = &device;
        dm.CurrentChannel = 0;
        dm.SelectCurrentModule();
        output = dm.CurrentModule ? dm.CurrentModule->AnalogOutput(0) : nullptr;
    }
    ~TBench() {
        dm.ComAccessPoint.SetActive(false);
        dm.VDMgr->SetActive(false);
    }
    bool Ok() const { return output && dm.VDMgr->Active() && dm.ComAccessPoint.Active(); }
};

// Measures the longest time between two ticks of a 5 ms timer.
struct TGapProbe {
    QTimer timer;
    QElapsedTimer since;
    qint64 longest = 0;
    TGapProbe() {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            longest = std::max(longest, since.nsecsElapsed());
            since.restart();
        });
        since.start();
        timer.start();
    }
    double Ms() const { return double(longest) / 1e6; }
};

void BM_SineGeneratorThroughTheWindow(benchmark::State& state) {
    TBench b;
    if (!b.Ok()) {
        state.SkipWithError("no emulated output");
        return;
    }
    TKVD_AO_ChannelForm form(b.dm);
    form.OnMessage = [](const QString&) {};
    if (!form.Load()) {
        state.SkipWithError("the window did not open");
        return;
    }
    double gap = 0, rate = 0;
    for (auto _ : state) {
        int points = 0;
        double seconds = 0;
        form.OnRunDialog = [&](QDialog& d) {
            auto& sine = static_cast<TSineGeneratorDlg&>(d);
            sine.AmplitudeTrack->setValue(40);
            const auto follow = sine.OnPoint;
            sine.OnPoint = [&, follow](float v, TSineWrite r) {
                follow(v, r);
                if (++points == kPoints)
                    sine.StopBtnClick();
            };
            TGapProbe probe;
            QElapsedTimer t;
            t.start();
            sine.StartBtnClick();
            while (sine.Player->Running())
                QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            seconds = double(t.nsecsElapsed()) / 1e9;
            gap = probe.Ms();
            return int(QDialog::Rejected);
        };
        form.TesterBtnClick();
        state.SetIterationTime(seconds);
        rate = points / seconds;
    }
    state.counters["points_per_s"] = rate;
    state.counters["max_gap_ms"] = gap;
}
BENCHMARK(BM_SineGeneratorThroughTheWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5);

// The same number of output writes of the same values from a plain loop: what the bus alone allows.
void BM_PlainOutputWrites(benchmark::State& state) {
    TBench b;
    if (!b.Ok()) {
        state.SkipWithError("no emulated output");
        return;
    }
    QString error;
    b.output->ReadSettings(ssCommon, error);
    const TPrTblRecord record = b.dm.RangesTable.Record(b.output->RangeCode);
    const double amplitude = SineBarValue(record.Low, record.High, 40);
    const double offset = SineBarValue(record.Low, record.High, 50);
    double gap = 0, rate = 0;
    for (auto _ : state) {
        TGapProbe probe;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < kPoints; ++i)
            b.output->WriteOutput(float(SinePoint(i % 64, 64, amplitude, offset, record.Low, record.High)));
        const double seconds = double(t.nsecsElapsed()) / 1e9;
        gap = probe.Ms();
        state.SetIterationTime(seconds);
        rate = kPoints / seconds;
    }
    state.counters["points_per_s"] = rate;
    state.counters["max_gap_ms"] = gap;
}
BENCHMARK(BM_PlainOutputWrites)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
