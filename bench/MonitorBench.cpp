// The monitor keeps up with a saturated line: 100 000 frames written back to back on a
// pseudo-terminal (no gap anywhere) are cut by length and CRC, decoded and paired, none lost and
// none merged. Frames per second are reported; a 115 200 bit/s line carries about 1 050 Nerix
// frames a second.
#include "protocol/Crc16.h"
#include "support/PtyPair.h"
#include "traffic/LineMonitor.h"

#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kFrames = 100'000;

// Requests and answers in turn, each answer matching its request, addresses 1 .. 200.
QByteArray NerixTraffic() {
    QByteArray all;
    all.reserve(kFrames * 11);
    for (int i = 0; i < kFrames / 2; ++i) {
        quint8 f[11] = {quint8(1 + i % 200), 0, quint8(i % 5), 0, quint8(i % 7), 0, 0, 0, 0, 0, 0};
        PutCrc16(f, 9);
        all.append(reinterpret_cast<const char*>(f), 11);
        f[5] = quint8(i >> 8);
        f[8] = quint8(i);
        PutCrc16(f, 9);
        all.append(reinterpret_cast<const char*>(f), 11);
    }
    return all;
}

// Function 3 reads of two registers and their 9-byte answers.
QByteArray ModbusTraffic() {
    QByteArray all;
    for (int i = 0; i < kFrames / 2; ++i) {
        quint8 q[8] = {quint8(1 + i % 200), 3, quint8(i >> 8), quint8(i), 0, 2, 0, 0};
        PutCrc16(q, 6);
        all.append(reinterpret_cast<const char*>(q), 8);
        quint8 a[9] = {q[0], 3, 4, 0x3F, 0x80, quint8(i >> 8), quint8(i), 0, 0};
        PutCrc16(a, 7);
        all.append(reinterpret_cast<const char*>(a), 9);
    }
    return all;
}

void Run(benchmark::State& state, TTransferProtocol Protocol, const QByteArray& Traffic) {
    for (auto _ : state) {
        TPtyPair pty;
        const int fd = ::open(pty.SlavePath().toLocal8Bit().constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        if (!pty.Ok() || fd < 0) {
            state.SkipWithError("no pseudo-terminal");
            return;
        }
        QElapsedTimer clock;
        clock.start();
        TLineMonitor monitor(Protocol, nullptr, QDateTime::currentDateTime(), 0);
        int frames = 0, intact = 0, answers = 0;
        monitor.OnFrame = [&](const TMonitorFrame& F) {
            ++frames;
            intact += F.Intact ? 1 : 0;
            answers += F.Request >= 0 ? 1 : 0;
            benchmark::DoNotOptimize(F.Decoded.Nodes.size());
        };
        // The writer fills the line as fast as the terminal takes it.
        std::thread writer([&] {
            for (qsizetype done = 0; done < Traffic.size();) {
                const ssize_t w =
                    ::write(pty.Master(), Traffic.constData() + done, size_t(Traffic.size() - done));
                if (w > 0)
                    done += w;
                else
                    ::usleep(100);
            }
        });
        qint64 read = 0;
        quint8 buffer[4096];
        while (read < Traffic.size()) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0)
                break;
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0) {
                read += n;
                monitor.Feed(buffer, int(n), clock.nsecsElapsed());
            }
        }
        writer.join();
        monitor.Flush();
        ::close(fd);
        if (frames != kFrames || intact != kFrames || answers != kFrames / 2) {
            state.SkipWithError(QStringLiteral("%1 frames, %2 intact, %3 answers")
                                    .arg(frames)
                                    .arg(intact)
                                    .arg(answers)
                                    .toStdString()
                                    .c_str());
            return;
        }
        state.counters["frames"] = frames;
        state.counters["frames_per_s"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
    }
}

void BM_MonitorNerixBackToBack(benchmark::State& state) {
    static const QByteArray traffic = NerixTraffic();
    Run(state, tpNerix, traffic);
}
BENCHMARK(BM_MonitorNerixBackToBack)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_MonitorModbusBackToBack(benchmark::State& state) {
    static const QByteArray traffic = ModbusTraffic();
    Run(state, tpModbus, traffic);
}
BENCHMARK(BM_MonitorModbusBackToBack)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
