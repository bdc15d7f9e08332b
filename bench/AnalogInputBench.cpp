// The analog input window against a scripted input on a pseudo-terminal:
//   - how long a 5 ms timer of the window thread waits at worst while the window measures a device
//     that answers every request after 30 ms (100 polls; the window must stay alive meanwhile);
//   - the time from opening the window to its filled picture, against the floor set by the
//     exchanges it needs, each at least 3 ms after the previous one.
#include "bus/ComPortAccessPoint.h"
#include "model/SimpleChannel.h"
#include "model/ZUVOModule.h"
#include "platform/ProcessTimer.h"
#include "shell/Dm.h"
#include "support/ScriptedDevice.h"
#include "views/AnalogInputObject.h"
#include "views/ui/KVD_AIK_ChannelForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A KVD-AIK12-BUS at address 7 whose first input is scripted, the application context pointed at it.
struct TBench {
    TAnalogInputObject object{7, 1};
    TScriptedDevice dev;
    TDm dm;
    TDeviceProps device;
    std::unique_ptr<TKVD_AIK_ChannelForm> form;
    TSimpleChannel* channel = nullptr;

    explicit TBench(quint32 TypeCode) {
        dev.SetResponder([this](const QByteArray& r) { return object.Answer(r); });
        dm.Bus.SetPortName(dev.PortPath());
        dm.Bus.SetInputTimeout(200);
        dm.ComAccessPoint.SetActive(true);
        dm.CurrentAccessPoint = &dm.ComAccessPoint;
        device.Address = 7;
        device.BaudCode = br115200;
        device.TypeCode = TypeCode;
        device.ModelName = QStringLiteral("KVD-AIK12-BUS");
        device.ByteOrder = boNAN;
        dm.CurrentDevice = &device;
        dm.SelectCurrentModule();
        channel = dm.CurrentModule ? dm.CurrentModule->AnalogInput(0) : nullptr;
        form = std::make_unique<TKVD_AIK_ChannelForm>(dm);
        form->OnMessage = [](const QString&) {};
    }
    bool Ok() const { return dev.Ok() && dm.ComAccessPoint.Active() && channel; }
};

void BM_TimerGapWhileMeasuringASlowDevice(benchmark::State& state) {
    TBench b(72);
    if (!b.Ok() || !b.form->Load(*b.channel)) {
        state.SkipWithError("the scripted input did not open");
        return;
    }
    b.form->show();
    // Polls follow each other as fast as the window lets them; the gaps are what is measured.
    b.form->ProcessTimer->SetInterval(1);
    b.dev.SetDelayMs(30);
    constexpr int kPolls = 100;
    double worst = 0;
    for (auto _ : state) {
        b.object.ClearTrace();
        qint64 longest = 0;
        QElapsedTimer run;
        QElapsedTimer since;
        QTimer five;
        five.setInterval(5);
        QObject::connect(&five, &QTimer::timeout, [&] {
            longest = std::max(longest, since.nsecsElapsed());
            since.restart();
        });
        run.start();
        since.start();
        five.start();
        b.form->ResultBtnClick();
        while (run.elapsed() < 60000) {
            const auto trace = b.object.Trace();
            if (std::count(trace.begin(), trace.end(), QStringLiteral("r0")) >= kPolls)
                break;
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        b.form->ResultBtnClick();
        five.stop();
        worst = double(longest) / 1e6;
        state.SetIterationTime(double(run.nsecsElapsed()) / 1e9);
    }
    state.counters["max_gap_ms"] = worst;
    state.counters["polls"] = kPolls;
}
BENCHMARK(BM_TimerGapWhileMeasuringASlowDevice)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(false);

// The same 200 reads without the window, from a plain loop: what the bus alone leaves the timer.
void BM_TimerGapWhileReadingASlowDeviceAlone(benchmark::State& state) {
    TBench b(72);
    if (!b.Ok()) {
        state.SkipWithError("no scripted input");
        return;
    }
    b.dev.SetDelayMs(30);
    double worst = 0;
    for (auto _ : state) {
        qint64 longest = 0;
        QElapsedTimer since;
        QTimer five;
        five.setInterval(5);
        QObject::connect(&five, &QTimer::timeout, [&] {
            longest = std::max(longest, since.nsecsElapsed());
            since.restart();
        });
        since.start();
        five.start();
        QElapsedTimer run;
        run.start();
        for (int i = 0; i < 200; ++i)
            b.channel->Accessor.ReadPropertyAs(i % 2 ? 0 : 50, dtSingle);
        five.stop();
        worst = double(longest) / 1e6;
        state.SetIterationTime(double(run.nsecsElapsed()) / 1e9);
    }
    state.counters["max_gap_ms"] = worst;
}
BENCHMARK(BM_TimerGapWhileReadingASlowDeviceAlone)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3);

void BM_OpenToFilledWindow(benchmark::State& state) {
    TBench b(72);
    if (!b.Ok()) {
        state.SkipWithError("no scripted input");
        return;
    }
    // A device without ranges: the opening is its settings, read once each.
    b.channel->Accessor.WritePropertyInteger(apRangeCount, 0);
    size_t exchanges = 0;
    double floorMs = 0;
    for (auto _ : state) {
        b.object.ClearTrace();
        QElapsedTimer t;
        t.start();
        const bool opened = b.form->Load(*b.channel);
        b.form->show();
        QApplication::processEvents();
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        if (!opened) {
            state.SkipWithError("the window did not open");
            break;
        }
        b.form->hide();
        exchanges = b.object.Trace().size();
        floorMs = double(exchanges) * TNerixChannel::kPacingMs;
    }
    state.counters["exchanges"] = double(exchanges);
    state.counters["floor_ms"] = floorMs;
}
BENCHMARK(BM_OpenToFilledWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(3);

// The same requests one after the other through the channel's accessor, nothing else: what the
// line and the pacing cost without the window.
void BM_OpeningRequestsAlone(benchmark::State& state) {
    TBench b(72);
    if (!b.Ok()) {
        state.SkipWithError("no scripted input");
        return;
    }
    b.channel->Accessor.WritePropertyInteger(apRangeCount, 0);
    const quint16 reads[] = {16, 1, 14, 3, 5, 2, 37, 38, 39, 4, 40, 41, 14};
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        for (quint16 p : reads)
            b.channel->Accessor.ReadPropertyAs(p, dtInteger);
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
    }
    state.counters["exchanges"] = double(std::size(reads));
}
BENCHMARK(BM_OpeningRequestsAlone)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(3);

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
