// The traffic monitor's costs: whether capturing slows the bus down (reads per second with capture on
// and off, in one run on a pseudo-terminal), what one package costs the window when its list is
// nearly full, and how long a file of two thousand packages takes to load.
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "localization/Localization.h"
#include "protocol/NerixModule.h"
#include "support/NerixFrames.h"
#include "support/ScriptedDevice.h"
#include "traffic/PackageContainer.h"
#include "traffic/TrafficSerializer.h"
#include "traffic/ui/TrafficAttachDock.h"
#include "traffic/ui/TrafficUnit.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Line {
    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TNerixModule module;
    Line() {
        dev.AddNerixDevice(5, {{{0, 1}, 42}});
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(200);
        ap.SetBus(&bus);
        ap.SetTryCount(2);
        ap.SetActive(true);
        module.SetAP(&ap);
        module.SetAddress(5);
    }
};

// Blocks of reads, alternately with capture off and on, so that both see the same machine load.
// The counters are reads per second of each and their ratio (on / off).
void BM_ReadsWithCaptureOnVsOff(benchmark::State& state) {
    Line line;
    if (!line.ap.Active()) {
        state.SkipWithError("cannot open the pseudo-terminal");
        return;
    }
    TTrafficDlg dlg;
    dlg.show();
    TTrafficAttachDockDM dock(dlg, {&line.ap});
    dlg.SetConnected(true);
    constexpr int kBlock = 50;
    double off = 0, on = 0;
    qint64 reads = 0;
    quint32 v = 0;
    // The window's first drawing and the line's first exchange are no part of either: left to the
    // first block, they would be charged to capture off.
    QApplication::processEvents();
    if (!line.module.ReadProperty(1, 0, v)) {
        state.SkipWithError("read failed");
        return;
    }
    QApplication::processEvents();
    for (auto _ : state) {
        for (bool capture : {false, true}) {
            dlg.actSpyTraffic->setChecked(capture);
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < kBlock; ++i)
                if (!line.module.ReadProperty(1, 0, v)) {
                    state.SkipWithError("read failed");
                    return;
                }
            (capture ? on : off) += double(t.nsecsElapsed()) / 1e9;
        }
        reads += kBlock;
    }
    state.counters["off_reads_per_s"] = double(reads) / off;
    state.counters["on_reads_per_s"] = double(reads) / on;
    state.counters["on_vs_off"] = off / on;
}
// 200 pairs of blocks last about a second: several of the window's refreshes, whose listing and
// drawing is part of what capturing costs, fall into the run.
BENCHMARK(BM_ReadsWithCaptureOnVsOff)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);

// The last 100 packages before the list holds Arg of them, the window showing its list, and their
// listing; the time is per package. Constant-time adding means the same figure at 200 as at 2000.
void BM_AddPackageAtFill(benchmark::State& state) {
    const int fill = int(state.range(0));
    TTrafficDlg dlg;
    dlg.show();
    QApplication::processEvents();
    const QByteArray frame = NerixFrame(1, 0, 3, 0x10, 0x3F800000);
    const auto* bytes = reinterpret_cast<const quint8*>(frame.constData());
    qint64 ticks = 0;
    for (auto _ : state) {
        state.PauseTiming();
        dlg.actDeletePackagesExecute();
        for (int i = 0; i < fill - 100; ++i)
            dlg.AddPackage(quint8(i % 2), bytes, 11, QDateTime::currentDateTimeUtc(), ticks += 1000000);
        dlg.ListPending();
        QApplication::processEvents();
        state.ResumeTiming();
        for (int i = 0; i < 100; ++i) {
            dlg.AddPackage(quint8(i % 2), bytes, 11, QDateTime::currentDateTimeUtc(), ticks += 1000000);
            QApplication::processEvents();
        }
        // Listing them is part of what they cost.
        dlg.ListPending();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * 100);
    state.counters["us_per_package"] = benchmark::Counter(
        double(state.iterations()) * 100, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AddPackageAtFill)->Arg(200)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Loading a file of 2000 packages into the shown window, until its list has been laid out.
void BM_Load2000PackageFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("traffic.xml"));
    TTrafficFile file;
    const QDateTime start = QDateTime::currentDateTime();
    for (int i = 0; i < TPackageContainer::kLimit; ++i) {
        TContainerItem item;
        item.Time = start.addMSecs(i * 7);
        item.Direction = quint8(i % 2);
        item.Data = NerixFrame(quint8(i % 10 + 1), 0, 3, quint16(i), quint32(i));
        item.Length = quint16(item.Data.size());
        file.Packages.push_back(item);
    }
    if (!SaveTraffic(path, file)) {
        state.SkipWithError("cannot write the file");
        return;
    }
    TTrafficDlg dlg;
    dlg.OnMessage = [&](const QString& text) { state.SkipWithError(qPrintable(text)); };
    dlg.show();
    QApplication::processEvents();
    for (auto _ : state) {
        dlg.LoadFromFile(path);
        QApplication::processEvents();
    }
    if (dlg.Packages().Count() != TPackageContainer::kLimit)
        state.SkipWithError("not every package loaded");
}
BENCHMARK(BM_Load2000PackageFile)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetCurrentLanguage(liEnglish);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
