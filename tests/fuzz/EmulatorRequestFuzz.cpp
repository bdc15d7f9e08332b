// Whatever arrives on the emulator's port, it answers only intact requests to its own devices, its
// counters add up, and with faults on nothing breaks either. Byte 0: bit 0 set: Modbus RTU; bit 1
// set: faults on (drop, CRC, wrong address, garbage, split, stop-after), bits 2..7 the seed. Then
// chunks, each a length byte and its bytes: length bit 7 set delivers the chunk as a burst the
// silence ended (straight to the request handling); clear, it goes through the frame reader, which
// cuts requests by their length.
#include "emulator/VirtualDeviceManager.h"
#include "protocol/Crc16.h"
#include "protocol/PortFrameMaker.h"

#include <QByteArray>
#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>

namespace {

TVirtualDeviceManager& Manager(bool Modbus, bool Faulty, quint64 Seed) {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    // Never destroyed: the run ends with exit(), after the tables it uses may have gone.
    static TVirtualDeviceManager& manager = *new TVirtualDeviceManager;
    manager.ClearDevices();
    manager.AddDevices(0, 1); // KVD-AIK-BUS at 1
    manager.AddDevices(5, 1); // KVD-DO-BUS at 2
    manager.AddDevices(6, 1); // KVD-DIO-BUS at 3
    manager.SetProtocol(Modbus ? TVirtualDeviceManager::kProtocolModbus
                               : TVirtualDeviceManager::kProtocolNerix);
    TEmulatorFaults faults;
    QString error;
    if (Faulty &&
        !ParseEmulatorFaults(QStringLiteral("drop=0.2,crc=0.3,wrong-address=0.2,garbage=2,split=3@0,"
                                            "device=2:stop-after=2:resume-after=1"),
                             faults, error))
        std::abort();
    manager.SetFaults(faults, Seed);
    return manager;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const bool modbus = data[0] & 1;
    const bool faulty = data[0] & 2;
    TVirtualDeviceManager& manager = Manager(modbus, faulty, data[0] >> 2);
    QByteArray lastRequest;
    int answers = 0;
    manager.OnFrame = [&](int Direction, const quint8* Frame, int Count) {
        if (Direction == 1) {
            lastRequest = QByteArray(reinterpret_cast<const char*>(Frame), Count);
            return;
        }
        ++answers;
        if (faulty)
            return;
        // An answer without faults: an intact frame from the address asked, for a request that
        // was itself intact.
        if (Count < 4 || Crc16(Frame, Count) != 0 || lastRequest.isEmpty() ||
            Frame[0] != quint8(lastRequest[0]) ||
            Crc16(reinterpret_cast<const quint8*>(lastRequest.constData()), int(lastRequest.size())) != 0)
            std::abort();
        if (!modbus && Count != kNerixFrameSize)
            std::abort();
    };
    size_t at = 1;
    while (at < size) {
        const int length = data[at] & 0x7F;
        const bool burst = data[at] & 0x80;
        ++at;
        const int n = int(std::min<size_t>(size_t(length), size - at));
        if (burst)
            manager.DataReceived(data + at, n);
        else if (n > 0)
            manager.Reader().DataReceived(data + at, quint32(n));
        at += size_t(n);
    }
    manager.Reader().Discard();
    manager.OnFrame = nullptr;

    quint64 received = 0, settled = 0;
    for (int i = 0; i <= manager.DeviceCount(); ++i) {
        const TEmulatorDeviceStats& s = manager.DeviceStats(i);
        received += s.Received;
        settled += s.Answered + s.Dropped + s.Refused;
        if (s.TimeCount != s.Answered)
            std::abort();
        // Each refusal has exactly one cause.
        quint64 causes = 0;
        for (quint64 c : s.RefusedBy)
            causes += c;
        if (causes != s.Refused)
            std::abort();
    }
    // Every request counted once, and settled unless an answer's piece still waits in the queue.
    if (settled > received || (manager.PendingPieces() == 0 && settled != received))
        std::abort();
    if (faulty == false && quint64(answers) != received - [&] {
            quint64 r = 0;
            for (int i = 0; i <= manager.DeviceCount(); ++i)
                r += manager.DeviceStats(i).Refused;
            return r;
        }())
        std::abort();
    return 0;
}
