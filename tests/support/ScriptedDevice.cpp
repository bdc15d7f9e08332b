#include "support/ScriptedDevice.h"

#include "protocol/Crc16.h"
#include "support/PtySpeed.h"

#include <algorithm>

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

void TScriptedDevice::AddNerixDevice(quint8 address, std::map<std::pair<quint8, quint16>, quint32> properties) {
    std::lock_guard lock(FMutex);
    FDevices[address].Properties = std::move(properties);
}

void TScriptedDevice::SetDeviceBaud(quint8 address, quint32 baud) {
    std::lock_guard lock(FMutex);
    FDevices[address].Baud = baud;
}

void TScriptedDevice::SetDeviceModbus(quint8 address, bool modbus) {
    std::lock_guard lock(FMutex);
    FDevices[address].Modbus = modbus;
}

TScriptedDevice::TSimDevice* TScriptedDevice::DeviceFor(quint8 address, bool modbus) {
    // Called with the mutex held.
    TSimDevice* dev = nullptr;
    if (address == 0) {
        if (FDevices.size() != 1)
            return nullptr;
        dev = &FDevices.begin()->second;
    } else {
        const auto it = FDevices.find(address);
        if (it == FDevices.end())
            return nullptr;
        dev = &it->second;
    }
    if (dev->Modbus != modbus)
        return nullptr;
    if (dev->Baud != 0 && PtyLineSpeed(FPty.Master()) != dev->Baud)
        return nullptr;
    return dev;
}

quint32 TScriptedDevice::Property(quint8 address, quint8 object, quint16 property) const {
    std::lock_guard lock(FMutex);
    const auto dev = FDevices.find(address);
    if (dev == FDevices.end())
        return 0;
    const auto it = dev->second.Properties.find({object, property});
    return it == dev->second.Properties.end() ? 0 : it->second;
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

QByteArray TScriptedDevice::AnswerNerix(const QByteArray& request) {
    // Called with the mutex held.
    if (request.size() != 11 || Crc16(reinterpret_cast<const quint8*>(request.constData()), 11) != 0)
        return {};
    TSimDevice* dev = DeviceFor(quint8(request[0]), false);
    if (!dev)
        return {};
    const auto object = quint8(request[2]);
    const auto property = quint16((quint8(request[3]) << 8) | quint8(request[4]));
    const auto it = dev->Properties.find(std::make_pair(object, property));
    if (it == dev->Properties.end())
        return {};
    QByteArray answer = request;
    auto* p = reinterpret_cast<quint8*>(answer.data());
    if (request[0] == 0) // answered by whoever is there, under its own address
        p[0] = quint8(std::find_if(FDevices.begin(), FDevices.end(), [dev](const auto& d) { return &d.second == dev; })->first);
    if (request[1] == 1) {
        it->second = (quint32(p[5]) << 24) | (quint32(p[6]) << 16) | (quint32(p[7]) << 8) | p[8];
    } else {
        const quint32 v = it->second;
        p[5] = quint8(v >> 24);
        p[6] = quint8(v >> 16);
        p[7] = quint8(v >> 8);
        p[8] = quint8(v);
    }
    PutCrc16(p, 9);
    return answer;
}

QByteArray TScriptedDevice::AnswerModbus(const QByteArray& request) {
    // Called with the mutex held. Registers of the device object as every register map has them.
    static const std::map<quint16, quint16> registers = {{0, 0},   {2, 1},    {4, 2},    {6, 3},
                                                         {8, 5},   {10, 6},   {12, 15},  {14, 16},
                                                         {160, 160}, {32, 100}, {34, 101}, {36, 102}};
    const auto* q = reinterpret_cast<const quint8*>(request.constData());
    const int n = int(request.size());
    if (n < 8 || Crc16(q, n) != 0 || (q[1] != 3 && q[1] != 16) || q[4] != 0 || q[5] != 2)
        return {};
    TSimDevice* dev = DeviceFor(q[0], true);
    const auto reg = registers.find(quint16((q[2] << 8) | q[3]));
    if (!dev || q[0] == 0 || reg == registers.end())
        return {};
    const auto it = dev->Properties.find(std::make_pair(quint8(0), reg->second));
    if (it == dev->Properties.end())
        return {};
    QByteArray a;
    if (q[1] == 3) {
        const quint32 v = it->second;
        a = QByteArray::fromRawData(reinterpret_cast<const char*>(q), 2);
        a.append(char(4)).append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
    } else {
        if (n != 13)
            return {};
        it->second = (quint32(q[7]) << 24) | (quint32(q[8]) << 16) | (quint32(q[9]) << 8) | q[10];
        a = QByteArray(reinterpret_cast<const char*>(q), 6);
    }
    a.resize(a.size() + 2);
    PutCrc16(reinterpret_cast<quint8*>(a.data()), int(a.size() - 2));
    return a;
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
            answer = FResponder                                           ? FResponder(request)
                     : request.size() == 11 && quint8(request[1]) <= 1 ? AnswerNerix(request)
                                                                       : AnswerModbus(request);
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
