#pragma once

#include "support/PtyPair.h"
#include "support/SimulatedDevices.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

// A device on the far end of a pseudo-terminal pair. The program opens PortPath() like any serial
// port; a thread here reads the frames it sends and answers them from a table of simulated Nerix
// devices or from a callback, with knobs for the faults a real line has: a slow device, an answer in
// pieces, garbage, local echo, silence, a late answer, a port that vanishes.
//
// Frames are delimited as a device would: a Nerix frame is 11 bytes; Modbus functions 3, 4 and 6 are
// 8 bytes and function 16 is 9 bytes plus its byte count; anything else ends at a 20 ms gap.
class TScriptedDevice {
public:
    // Answers one request; an empty answer is silence.
    using TResponder = std::function<QByteArray(const QByteArray& request)>;

    TScriptedDevice();
    ~TScriptedDevice();
    TScriptedDevice(const TScriptedDevice&) = delete;
    TScriptedDevice& operator=(const TScriptedDevice&) = delete;

    bool Ok() const { return FPty.Ok(); }
    // The slave side's device path, for the program to open.
    QString PortPath() const { return FPty.SlavePath(); }

    // The simulated devices on the line (see TSimulatedDevices); the line speed is the one the
    // program set on its end.
    void AddNerixDevice(quint8 address, std::map<std::pair<quint8, quint16>, quint32> properties) {
        FDevices.AddNerixDevice(address, std::move(properties));
    }
    void SetDeviceBaud(quint8 address, quint32 baud) { FDevices.SetDeviceBaud(address, baud); }
    void SetDeviceModbus(quint8 address, bool modbus) { FDevices.SetDeviceModbus(address, modbus); }
    void SetAddressFollowsBusSettings(quint8 address, bool follows) {
        FDevices.SetAddressFollowsBusSettings(address, follows);
    }
    quint32 Property(quint8 address, quint8 object, quint16 property) const {
        return FDevices.Property(address, object, property);
    }
    bool HasDevice(quint8 address) const { return FDevices.HasDevice(address); }

    // Replaces the table: every request goes to the callback.
    void SetResponder(TResponder responder);

    // Knobs; each applies to the answers sent after it is set.
    void SetDelayMs(int ms);                    // pause before every answer
    void DelayNextAnswers(std::vector<int> ms); // one pause per coming answer, before SetDelayMs
    void SetSplit(int firstPart, int pauseMs);  // send the first bytes, pause, send the rest
    void SetGarbage(QByteArray prefix);         // bytes sent before every answer
    void SetEcho(bool echo);                    // the line echoes every request byte back at once
    void SetSilent(bool silent);                // the device does not answer (echo still happens)

    // Sends bytes from the far end without being asked.
    void SendUnsolicited(const QByteArray& bytes) { WriteAll(bytes); }

    // Closes the far end while the program still holds the port open.
    void Vanish();

    std::vector<QByteArray> Requests() const;
    int RequestCount() const;
    // Waits until at least `count` requests have arrived.
    bool WaitForRequests(int count, int timeoutMs) const;

private:
    void Run();
    int FrameLength(const QByteArray& pending) const;
    void Serve(const QByteArray& request);
    void WriteAll(const QByteArray& bytes);

    TPtyPair FPty;
    std::thread FThread;
    std::atomic<bool> FStop{false};

    mutable std::mutex FMutex;
    mutable std::condition_variable FRequestArrived;
    TSimulatedDevices FDevices;
    TResponder FResponder;
    int FDelayMs = 0;
    std::deque<int> FNextDelays;
    int FSplitAt = 0;
    int FSplitPauseMs = 0;
    QByteArray FGarbage;
    bool FEcho = false;
    bool FSilent = false;
    std::vector<QByteArray> FRequests;
};
