#include "support/ScriptedDevice.h"

#include "support/PtySpeed.h"

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {
void Pause(int ms) {
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
} // namespace

TScriptedDevice::TScriptedDevice() {
    if (FPty.Ok())
        FThread = std::thread([this] { Run(); });
}

TScriptedDevice::~TScriptedDevice() {
    Vanish();
}

void TScriptedDevice::Vanish() {
    FStop = true;
    if (FThread.joinable())
        FThread.join();
    FPty.CloseMaster();
}

void TScriptedDevice::SetResponder(TResponder responder) {
    std::lock_guard lock(FMutex);
    FResponder = std::move(responder);
}

void TScriptedDevice::SetDelayMs(int ms) {
    std::lock_guard lock(FMutex);
    FDelayMs = ms;
}

void TScriptedDevice::DelayNextAnswers(std::vector<int> ms) {
    std::lock_guard lock(FMutex);
    FNextDelays.assign(ms.begin(), ms.end());
}

void TScriptedDevice::SetSplit(int firstPart, int pauseMs) {
    std::lock_guard lock(FMutex);
    FSplitAt = firstPart;
    FSplitPauseMs = pauseMs;
}

void TScriptedDevice::SetGarbage(QByteArray prefix) {
    std::lock_guard lock(FMutex);
    FGarbage = std::move(prefix);
}

void TScriptedDevice::SetEcho(bool echo) {
    std::lock_guard lock(FMutex);
    FEcho = echo;
}

void TScriptedDevice::SetSilent(bool silent) {
    std::lock_guard lock(FMutex);
    FSilent = silent;
}

std::vector<QByteArray> TScriptedDevice::Requests() const {
    std::lock_guard lock(FMutex);
    return FRequests;
}

int TScriptedDevice::RequestCount() const {
    std::lock_guard lock(FMutex);
    return int(FRequests.size());
}

bool TScriptedDevice::WaitForRequests(int count, int timeoutMs) const {
    std::unique_lock lock(FMutex);
    return FRequestArrived.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                    [&] { return int(FRequests.size()) >= count; });
}

int TScriptedDevice::FrameLength(const QByteArray& pending) const {
    if (pending.size() < 2)
        return 0;
    const auto function = quint8(pending[1]);
    if (function == 0 || function == 1)
        return 11;
    if (function == 3 || function == 4 || function == 6)
        return 8;
    if (function == 16)
        return pending.size() >= 7 ? 9 + quint8(pending[6]) : 0;
    return -1; // unknown: wait for a gap
}

void TScriptedDevice::Run() {
    QByteArray pending;
    auto lastByte = std::chrono::steady_clock::now();
    while (!FStop) {
        pollfd p{FPty.Master(), POLLIN, 0};
        const int r = ::poll(&p, 1, 5);
        if (r > 0 && (p.revents & POLLIN)) {
            char buf[512];
            const ssize_t n = ::read(FPty.Master(), buf, sizeof buf);
            if (n > 0) {
                pending.append(buf, n);
                lastByte = std::chrono::steady_clock::now();
            }
        }
        while (!pending.isEmpty()) {
            int len = FrameLength(pending);
            if (len < 0) {
                if (std::chrono::steady_clock::now() - lastByte < std::chrono::milliseconds(20))
                    break;
                len = int(pending.size());
            }
            if (len == 0 || pending.size() < len)
                break;
            const QByteArray frame = pending.left(len);
            pending.remove(0, len);
            Serve(frame);
        }
    }
}

void TScriptedDevice::Serve(const QByteArray& request) {
    QByteArray answer;
    int delay = 0;
    int splitAt = 0;
    int splitPause = 0;
    QByteArray garbage;
    bool echo = false;
    {
        std::lock_guard lock(FMutex);
        FRequests.push_back(request);
        FRequestArrived.notify_all();
        echo = FEcho;
        if (!FSilent)
            answer = FResponder ? FResponder(request) : FDevices.Answer(request, PtyLineSpeed(FPty.Master()));
        if (!FNextDelays.empty()) {
            delay = FNextDelays.front();
            FNextDelays.pop_front();
        } else {
            delay = FDelayMs;
        }
        splitAt = FSplitAt;
        splitPause = FSplitPauseMs;
        garbage = FGarbage;
    }
    if (echo)
        WriteAll(request);
    if (answer.isEmpty())
        return;
    Pause(delay);
    if (FStop)
        return;
    WriteAll(garbage);
    if (splitAt > 0 && splitAt < answer.size()) {
        WriteAll(answer.left(splitAt));
        Pause(splitPause);
        WriteAll(answer.mid(splitAt));
    } else {
        WriteAll(answer);
    }
}

void TScriptedDevice::WriteAll(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size() && FPty.Master() >= 0) {
        const ssize_t n = ::write(FPty.Master(), bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}
