// The live panel of the discrete manager window (TDIOManagerForm) against an emulated KVD-DIO-BUS on
// bridged pseudo-terminals, the emulator answering from a thread of its own as a device would:
//   - latency: from a change of an input on the device to the window's input row showing it,
//     against one poll period plus one exchange (the worst a change can wait: it just missed a read
//     and is taken by the next one). Changes come at random phases of the poll;
//   - CPU: what the window thread, and the whole process with the emulator and the cable in it,
//     spend while the panel polls at its period with nothing changing.
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "emulator/VirtualChannel.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "localization/DIOManagerLanguage.h"
#include "localization/Localization.h"
#include "model/DeviceRegister.h"
#include "model/DiscreteModules.h"
#include "options/AdminOptions.h"
#include "protocol/NerixModule.h"
#include "support/PtyBridge.h"
#include "views/ui/DIOManagerForm.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QPushButton>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <pthread.h>
#include <random>
#include <sys/resource.h>
#include <time.h>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

double MsBetween(TClock::time_point From, TClock::time_point To) {
    return std::chrono::duration<double, std::milli>(To - From).count();
}

double ThreadCpuSeconds(clockid_t Clock) {
    timespec ts{};
    clock_gettime(Clock, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

double ProcessCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    auto s = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return s(u.ru_utime) + s(u.ru_stime);
}

double Median(std::vector<double> V) {
    if (V.empty())
        return 0;
    std::sort(V.begin(), V.end());
    return V[V.size() / 2];
}

double Percentile(std::vector<double> V, double P) {
    if (V.empty())
        return 0;
    std::sort(V.begin(), V.end());
    return V[std::min(V.size() - 1, size_t(P * double(V.size())))];
}

// One emulated KVD-DIO-BUS at address 1 with an event loop of its own; inputs change on its thread,
// between the requests it serves, as on a device.
class TEmulatorThread : public QThread {
public:
    explicit TEmulatorThread(QString Path) : FPath(std::move(Path)) {
        start();
        FReady.acquire();
    }
    ~TEmulatorThread() override {
        quit();
        wait();
    }
    bool Active() const { return FActive; }
    clockid_t CpuClock() const { return FCpuClock; }

    // Sets input Number (from 1) on the emulator's thread and returns at once; Changed gets the
    // moment the device's state changed.
    void SetInput(int Number, float Value, std::function<void(TClock::time_point)> Changed) {
        QMetaObject::invokeMethod(
            FContext,
            [this, Number, Value, Changed] {
                FEmulator->DeviceAt(0)->ChannelAt(Number - 1)->SetInput(Value);
                Changed(TClock::now());
            },
            Qt::QueuedConnection);
    }

protected:
    void run() override {
        TVirtualDeviceManager emulator;
        emulator.AddDevices(6, 1);
        emulator.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
        emulator.SetPortName(FPath);
        emulator.SetActive(true);
        QObject context;
        FContext = &context;
        FEmulator = &emulator;
        FActive = emulator.Active();
        pthread_getcpuclockid(pthread_self(), &FCpuClock);
        emulator.DeviceAt(0)->ChannelAt(1)->SetInput(1.0f); // input 2 starts open
        FReady.release();
        exec();
        emulator.SetActive(false);
    }

private:
    QString FPath;
    QSemaphore FReady;
    QObject* FContext = nullptr;
    TVirtualDeviceManager* FEmulator = nullptr;
    clockid_t FCpuClock{};
    bool FActive = false;
};

// The program's side: the line, the module of the device and the window, in English.
struct TRig {
    TPtyBridge bridge;
    TEmulatorThread emulator{bridge.PathA()};
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TKVDDIOBUS module;
    TDeviceRegister catalogue;
    TAdminOptions options;
    TDeviceProps device;
    // Requests for the inputs word (object 17, property 0) and their answers, as they passed.
    std::vector<TClock::time_point> InputReads;
    std::vector<double> InputReadMs;
    TClock::time_point FAsked;

    TRig() {
        BuildDeviceRegister(catalogue);
        bus.SetPortName(bridge.PathB());
        bus.SetInputTimeout(150);
        ap.SetBus(&bus);
        ap.SetActive(true);
        module.SetAP(&ap);
        module.SetAddress(1);
        device.TypeCode = 6;
        device.ChannelMask = 0x3FFFF;
        device.ModelName = QStringLiteral("KVD-DIO-BUS");
        // The program reaches the window only for a device it found: the type read of the search
        // comes first on the line. It also ends the bus's learning whether the line echoes: until an
        // answer differs from its request, every answer that mirrors it (a read of 0, as from a quiet
        // discrete module) is followed by a wait of a whole time-out for a second frame.
        quint32 type = 0;
        module.NerixModule().ReadProperty(0, 0, type);
        ap.OnTraffic = [this](const quint8* Buffer, quint16 Length, bool Received) {
            if (Length < 5 || Buffer[2] != 17 || Buffer[3] != 0 || Buffer[4] != 0 || Buffer[1] != 0)
                return;
            if (!Received) {
                FAsked = TClock::now();
                InputReads.push_back(FAsked);
            } else {
                InputReadMs.push_back(MsBetween(FAsked, TClock::now()));
            }
        };
    }
    ~TRig() { ap.SetActive(false); }
    bool Ok() const { return bridge.Ok() && emulator.Active() && ap.Active(); }

    // Runs the window until Done says so (asked from inside its modal loop), then closes it.
    bool RunWindow(TDIOManagerForm& Form,
                   std::function<void(TDIOManagerForm&, std::function<void()>)> Drive) {
        QTimer::singleShot(0, &Form, [&Form, Drive] { Drive(Form, [&Form] { Form.Button2->click(); }); });
        return Form.Execute(module, device);
    }
};

// The period of the tick and one exchange: what a change that just missed a read waits at worst.
void InputChangeToRow(benchmark::State& State) {
    SetCurrentLanguage(liEnglish);
    TRig rig;
    if (!rig.Ok()) {
        State.SkipWithError("the emulator or the line did not start");
        return;
    }
    const auto& t = DIOManagerLanguage().Texts(liEnglish);
    constexpr int kChanges = 60;
    std::vector<double> latencies;
    double reference = 0;
    bool opened = true;
    for (auto _ : State) {
        latencies.clear();
        rig.InputReads.clear();
        rig.InputReadMs.clear();
        TDIOManagerForm form(rig.catalogue, rig.options);
        std::mt19937 random(12345);
        // The next change's moment, set on the emulator thread; the row it should bring.
        std::atomic<qint64> changedNs{0};
        QString wanted;
        int done = 0;
        QMetaObject::Connection watch;
        std::function<void()> next;
        std::function<void()> close;
        auto rowShows = [&] {
            const qint64 ns = changedNs.load();
            if (wanted.isEmpty() || ns == 0)
                return;
            if (form.DIChannelList->topLevelItemCount() < 2 ||
                form.DIChannelList->topLevelItem(1)->text(1) != wanted)
                return;
            latencies.push_back(double(TClock::now().time_since_epoch().count() - ns) / 1e6);
            wanted.clear();
            if (++done == kChanges) {
                close();
                return;
            }
            // A random moment of the poll's cycle for the next change.
            QTimer::singleShot(int(std::uniform_int_distribution<int>(10, 120)(random)), &form, next);
        };
        next = [&] {
            const bool closeIt = done % 2 == 0;
            wanted = closeIt ? t.ContactClosed : t.ContactOpened;
            changedNs = 0;
            rig.emulator.SetInput(2, closeIt ? 0.0f : 1.0f, [&changedNs](TClock::time_point At) {
                changedNs = At.time_since_epoch().count();
            });
        };
        opened = rig.RunWindow(form, [&](TDIOManagerForm& Form, std::function<void()> Close) {
            close = Close;
            watch = QObject::connect(Form.DIChannelList->model(), &QAbstractItemModel::dataChanged, &Form,
                                     rowShows);
            // Let the first ticks show the opening state before the first change.
            QTimer::singleShot(300, &Form, next);
        });
        QObject::disconnect(watch);
        if (!opened)
            break;
    }
    if (!opened || latencies.empty()) {
        State.SkipWithError("the window did not open or showed no change");
        return;
    }
    std::vector<double> cycles;
    for (size_t i = 1; i < rig.InputReads.size(); ++i)
        cycles.push_back(MsBetween(rig.InputReads[i - 1], rig.InputReads[i]));
    // One exchange as the window has it: the inputs word from the request handed to the line to the
    // answer taken, without the accessor's pacing.
    const double exchange = Median(rig.InputReadMs);
    reference = TDIOManagerForm::kTickMs + exchange;
    State.counters["exchange_ms"] = exchange;
    State.counters["poll_cycle_ms"] = Median(cycles);
    State.counters["poll_cycle_max_ms"] =
        cycles.empty() ? 0 : *std::max_element(cycles.begin(), cycles.end());
    State.counters["reference_ms"] = reference;
    State.counters["latency_median_ms"] = Median(latencies);
    State.counters["latency_p95_ms"] = Percentile(latencies, 0.95);
    State.counters["latency_max_ms"] = *std::max_element(latencies.begin(), latencies.end());
    State.counters["ratio_max"] = *std::max_element(latencies.begin(), latencies.end()) / reference;
    State.counters["ratio_p95"] = Percentile(latencies, 0.95) / reference;
}
BENCHMARK(InputChangeToRow)->Iterations(1)->Unit(benchmark::kMillisecond);

// The CPU share while the panel polls with nothing changing, over a few seconds.
void PollingCpu(benchmark::State& State) {
    SetCurrentLanguage(liEnglish);
    TRig rig;
    if (!rig.Ok()) {
        State.SkipWithError("the emulator or the line did not start");
        return;
    }
    clockid_t windowClock{};
    pthread_getcpuclockid(pthread_self(), &windowClock);
    constexpr int kWarmUpMs = 500, kMeasureMs = 4000;
    double window = 0, process = 0, emulator = 0, wall = 0;
    size_t polls = 0;
    bool opened = true;
    for (auto _ : State) {
        TDIOManagerForm form(rig.catalogue, rig.options);
        double w0 = 0, p0 = 0, e0 = 0;
        TClock::time_point t0;
        opened = rig.RunWindow(form, [&](TDIOManagerForm& Form, std::function<void()> Close) {
            QTimer::singleShot(kWarmUpMs, &Form, [&, Close] {
                w0 = ThreadCpuSeconds(windowClock);
                p0 = ProcessCpuSeconds();
                e0 = ThreadCpuSeconds(rig.emulator.CpuClock());
                t0 = TClock::now();
                rig.InputReads.clear();
                QTimer::singleShot(kMeasureMs, &Form, [&, Close] {
                    wall = MsBetween(t0, TClock::now()) / 1000.0;
                    window = ThreadCpuSeconds(windowClock) - w0;
                    process = ProcessCpuSeconds() - p0;
                    emulator = ThreadCpuSeconds(rig.emulator.CpuClock()) - e0;
                    polls = rig.InputReads.size();
                    Close();
                });
            });
        });
        if (!opened)
            break;
    }
    if (!opened || wall <= 0) {
        State.SkipWithError("the window did not open");
        return;
    }
    State.counters["polls_per_s"] = double(polls) / wall;
    State.counters["cpu_window_thread_pct"] = 100.0 * window / wall;
    State.counters["cpu_emulator_thread_pct"] = 100.0 * emulator / wall;
    State.counters["cpu_process_pct"] = 100.0 * process / wall;
}
BENCHMARK(PollingCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

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
