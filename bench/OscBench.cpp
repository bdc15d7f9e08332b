// The oscilloscope:
//   - the measurer's achieved sweep rate against the one asked for, 8 channels of one emulated
//     KVD-AIK8-BUS (Modbus RTU) on bridged pseudo-terminals, at 10, 50 and 100 Hz. The emulator
//     answers from a thread of its own, as a device or an emulator in another process would: on
//     the measurer's thread it could only answer between the waits of the measurer's exchanges;
//   - one plot update in the "5 h" scale while the curves hold 5 hours at 10 Hz of 8 channels
//     (1.44 million points), and the memory those points take.
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "emulator/VirtualDeviceManager.h"
#include "localization/Localization.h"
#include "measurement/Measurer.h"
#include "measurement/OscPlot.h"
#include "measurement/ui/OscMainDlg.h"
#include "model/DeviceRegister.h"
#include "support/PtyBridge.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

long RssKiB() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// An emulated bus with an event loop of its own.
class TEmulatorThread : public QThread {
public:
    TEmulatorThread(QString Path, quint32 TypeCode) : FPath(std::move(Path)), FTypeCode(TypeCode) {
        start();
        FReady.acquire();
    }
    ~TEmulatorThread() override {
        quit();
        wait();
    }
    bool Active() const { return FActive; }

protected:
    void run() override {
        TVirtualDeviceManager emulator;
        emulator.AddDevices(FTypeCode, 1);
        emulator.SetProtocol(TVirtualDeviceManager::kProtocolModbus);
        emulator.SetPortName(FPath);
        emulator.SetActive(true);
        FActive = emulator.Active();
        FReady.release();
        exec();
        emulator.SetActive(false);
    }

private:
    QString FPath;
    quint32 FTypeCode;
    QSemaphore FReady;
    bool FActive = false;
};

void SweepRate(benchmark::State& State) {
    TPtyBridge bridge;
    TEmulatorThread emulator(bridge.PathA(), 1);
    if (!emulator.Active()) {
        State.SkipWithError("the emulator did not start");
        return;
    }
    TPowerRsBus bus;
    bus.SetPortName(bridge.PathB());
    bus.SetInputTimeout(100);
    TComPortAccessPoint ap;
    ap.SetBus(&bus);
    ap.SetActive(true);
    TDeviceProps device;
    device.Address = 1;
    TOscDm dm;
    dm.SamplingFrequency = quint32(State.range(0));
    for (int c = 0; c < 8; ++c) {
        TChannelProfile* p = dm.ChannelProfiles.AddProfile();
        p->Device = &device;
        p->ChannelIndex = c;
    }
    TMeasurer m(&dm, &bus, &ap);
    m.Store().SetWindow(500);
    qint64 samples = 0;
    m.Store().OnBlockFull = [&](TDataStore* s) { samples += s->Count(); };
    double rate = 0;
    for (auto _ : State) {
        samples = 0;
        m.Prepare();
        QEventLoop loop;
        QElapsedTimer clock;
        clock.start();
        m.SetRunning(true);
        QTimer::singleShot(3000, &loop, [&] {
            m.SetRunning(false);
            loop.quit();
        });
        loop.exec();
        // The samples of the last, unfinished block count too.
        samples += m.Store().Count();
        rate = double(samples) / 8.0 / (double(clock.elapsed()) / 1000.0);
    }
    State.counters["requested_Hz"] = double(State.range(0));
    State.counters["achieved_Hz"] = rate;
    State.counters["ratio"] = rate / double(State.range(0));
}
BENCHMARK(SweepRate)->Arg(10)->Arg(50)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);

void PlotUpdateFiveHours(benchmark::State& State) {
    const long before = RssKiB();
    TOscDm dm;
    dm.SamplingFrequency = 10;
    for (int c = 0; c < 8; ++c)
        dm.ChannelProfiles.AddProfile();
    TOscPanel panel(dm);
    panel.resize(1200, 700);
    panel.show();
    panel.Rebuild({});
    panel.ChooseTimeScale(9);
    const double t0 = DateTimeToDays(QDateTime(QDate(2026, 12, 10), QTime(8, 0)));
    std::vector<TSample> block(8 * 5);
    qint64 sweep = 0;
    auto fill = [&] {
        for (int s = 0; s < 5; ++s, ++sweep)
            for (int c = 0; c < 8; ++c)
                block[size_t(s * 8 + c)] = {t0 + double(sweep) / 10.0 / 86400.0,
                                            float(std::sin(double(sweep) / 50.0 + c))};
    };
    while (sweep < 5LL * 3600 * 10) {
        fill();
        panel.PlotBlock(block.data(), int(block.size()), false);
    }
    const long filled = RssKiB();
    QElapsedTimer clock;
    double update = 0, paint = 0;
    for (auto _ : State) {
        fill();
        clock.start();
        panel.PlotBlock(block.data(), int(block.size()), true);
        update += double(clock.nsecsElapsed()) / 1e6;
        clock.start();
        QApplication::processEvents();
        paint += double(clock.nsecsElapsed()) / 1e6;
    }
    // The new points and their decimation, and the chart's drawing of them.
    State.counters["update_ms"] = update / double(State.iterations());
    State.counters["paint_ms"] = paint / double(State.iterations());
    State.counters["points"] = double(panel.Points(0).size() * 8);
    State.counters["memory_growth_MB"] = double(RssKiB() - before) / 1024.0;
    State.counters["points_memory_MB"] = double(filled - before) / 1024.0;
}
BENCHMARK(PlotUpdateFiveHours)->Unit(benchmark::kMillisecond)->Iterations(50);

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
