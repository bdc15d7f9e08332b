// Polling a sensor bus of 32 humidity sensors on the emulated KVD-VEVA-BUS, over bridged
// pseudo-terminals, the emulator answering from a thread of its own as a device would. Each sensor
// costs three exchanges (select, temperature, humidity), the processor's own sensor one more, and
// every exchange starts at least 3 ms after the one before: 96 × 3 ms = 288 ms is the floor of one
// poll.
//   - PollCycle: one poll through TSensorBusDevice::Poll, the code the window's poll runs;
//     reported against the floor.
//   - WindowPeriod: the sensor bus window in its host, started as the user starts it (period
//     300 ms): the achieved period between the starts of two polls, and the poll's own length.
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "emulator/VirtualDeviceManager.h"
#include "emulator/VirtualThermometer.h"
#include "localization/Localization.h"
#include "model/DeviceRegister.h"
#include "model/MultiSensorModules.h"
#include "model/ZUVOChannel.h"
#include "platform/Ticks.h"
#include "sensorbus/SensorBusDevice.h"
#include "sensorbus/ui/SensorBusForm.h"
#include "sensorbus/ui/WndFramework.h"
#include "support/NerixFrames.h"
#include "support/PtyBridge.h"

#include <QApplication>
#include <QPushButton>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

constexpr int kSensors = 32;
constexpr int kExchangesPerSensor = 3;
constexpr double kFloorMs = kSensors * kExchangesPerSensor * double(TNerixChannel::kPacingMs);

double MsBetween(TClock::time_point From, TClock::time_point To) {
    return std::chrono::duration<double, std::milli>(To - From).count();
}

double Median(std::vector<double> V) {
    if (V.empty())
        return 0;
    std::sort(V.begin(), V.end());
    return V[V.size() / 2];
}

// The emulated thermometer at address 1 with 32 humidity sensors listed on bus 1, in an event loop
// of its own.
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

protected:
    void run() override {
        TVirtualDeviceManager emulator;
        emulator.AddDevices(TVirtualKVDVEVABUS::kTypeCode, 1);
        auto* device = static_cast<TVirtualKVDVEVABUS*>(emulator.DeviceAt(0));
        std::vector<TVirtualPhysicalSensor>& attached = device->Attached(0);
        attached.clear();
        for (int i = 0; i < kSensors; ++i)
            attached.push_back({TVirtualSensorId::Make(kHumidityKind, 0x100000 + quint64(i)), 2000 + 10 * i,
                                0.2 * i, 4000 + 20 * i});
        // A scan lists them; its busy moment is skipped on the device's clock.
        QByteArray answer;
        emulator.ProcessNerixRequest(NerixFrame(1, 1, 1, sbScan, kScanCommand), answer);
        device->Clock = [] { return TickCount() + 1000; };
        emulator.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
        emulator.SetPortName(FPath);
        emulator.SetActive(true);
        FActive = emulator.Active() && int(device->Listed(0).size()) == kSensors;
        FReady.release();
        exec();
        emulator.SetActive(false);
    }

private:
    QString FPath;
    QSemaphore FReady;
    bool FActive = false;
};

TDeviceProps ThermometerProps() {
    return TDeviceProps(1, br9600, tpNerix, 0, TVirtualKVDVEVABUS::kTypeCode, QStringLiteral("KVD-VEVA-BUS"),
                        1246, TVirtualKVDVEVABUS::kChannelMask, 0);
}

struct TRig {
    TPtyBridge bridge;
    TEmulatorThread emulator{bridge.PathA()};
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TKVDTCMSBUS module;
    TDeviceProps props = ThermometerProps();

    TRig() {
        bus.SetPortName(bridge.PathB());
        bus.SetInputTimeout(150);
        ap.SetBus(&bus);
        ap.SetActive(true);
        module.SetAP(&ap);
        module.SetAddress(1);
        props.ByteOrder = boNAN;
    }
    ~TRig() { ap.SetActive(false); }
    bool Ok() const { return bridge.Ok() && emulator.Active() && ap.Active(); }
};

void PollCycle(benchmark::State& State) {
    TRig rig;
    if (!rig.Ok()) {
        State.SkipWithError("the emulator or the line did not start");
        return;
    }
    TSensorBusDevice device(rig.module, rig.props.TypeCode, rig.props.ChannelMask);
    std::vector<TSensorRow> rows;
    if (!device.FillSensorList(0, rows) || int(rows.size()) != kSensors + 1) {
        State.SkipWithError("the sensor list could not be read");
        return;
    }
    int exchanges = 0;
    rig.ap.OnTraffic = [&exchanges](const quint8*, quint16, bool Received) { exchanges += Received; };
    std::vector<double> cycles;
    for (auto _ : State) {
        exchanges = 0;
        const auto start = TClock::now();
        const bool ok = device.Poll(0, rows);
        const double ms = MsBetween(start, TClock::now());
        State.SetIterationTime(ms / 1000.0);
        if (!ok) {
            State.SkipWithError("a poll failed");
            return;
        }
        cycles.push_back(ms);
    }
    State.counters["exchanges"] = exchanges;
    State.counters["cycle_median_ms"] = Median(cycles);
    State.counters["floor_ms"] = kFloorMs;
    State.counters["of_floor"] = Median(cycles) / kFloorMs;
}
BENCHMARK(PollCycle)->Iterations(20)->Unit(benchmark::kMillisecond)->UseManualTime();

void WindowPeriod(benchmark::State& State) {
    SetCurrentLanguage(liEnglish);
    TRig rig;
    if (!rig.Ok()) {
        State.SkipWithError("the emulator or the line did not start");
        return;
    }
    constexpr int kPolls = 12;
    std::vector<double> periods, lengths;
    for (auto _ : State) {
        TWndFrameworkDlg host;
        host.OnMessage = [](const QString&) {};
        TKVD_VEVA_BUSDlg window;
        window.OnMessage = [](const QString&) {};
        window.SetDevice(&rig.module, &rig.props, 0);
        host.Open(&window, *window.Frm, &rig.module, &rig.props);
        if (window.Model()->rowCount() != kSensors + 1) {
            State.SkipWithError("the window did not list the sensors");
            return;
        }
        // A poll starts with the processor's temperature and ends with the last sensor's humidity.
        std::vector<TClock::time_point> starts, ends;
        int answers = 0;
        rig.ap.OnTraffic = [&](const quint8* Buffer, quint16 Length, bool Received) {
            if (Length < 5)
                return;
            const quint16 property = quint16(Buffer[3] << 8 | Buffer[4]);
            if (!Received && Buffer[1] == 0 && property == sbCpuTemperature) {
                starts.push_back(TClock::now());
                answers = 0;
            } else if (Received && ++answers == 1 + kSensors * kExchangesPerSensor) {
                ends.push_back(TClock::now());
            }
        };
        QEventLoop loop;
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, [&] {
            if (int(ends.size()) >= kPolls)
                loop.quit();
        });
        check.start(5);
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        host.ControlPanel->StartStopBtn->click();
        loop.exec();
        host.ControlPanel->StartStopBtn->click();
        rig.ap.OnTraffic = nullptr;
        host.Close();
        for (size_t i = 1; i < starts.size() && i < ends.size(); ++i)
            periods.push_back(MsBetween(starts[i - 1], starts[i]));
        for (size_t i = 0; i < starts.size() && i < ends.size(); ++i)
            lengths.push_back(MsBetween(starts[i], ends[i]));
    }
    if (periods.empty()) {
        State.SkipWithError("the window did not poll");
        return;
    }
    State.counters["interval_ms"] = TWndFrmClient::kDefaultInterval;
    State.counters["poll_median_ms"] = Median(lengths);
    State.counters["period_median_ms"] = Median(periods);
    State.counters["period_max_ms"] = *std::max_element(periods.begin(), periods.end());
}
BENCHMARK(WindowPeriod)->Iterations(1)->Unit(benchmark::kMillisecond);

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
