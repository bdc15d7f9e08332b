#pragma once

#include "emulator/EmulatorFaults.h"
#include "emulator/NerixRequest.h"
#include "emulator/VirtualDevice.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;
class QTimer;
class TCommPortDriver;
class TConverterMO;
class TPortFrameOfData;

// The emulated bus: owns the emulated devices and answers Nerix requests as they would. Devices get
// consecutive addresses from 1 and serial numbers from the same counter; a refused or unaddressed
// request gets no answer at all, never an error reply.
//
// On a serial port (SetActive) it listens in one of two protocols and answers each request as soon
// as its length says it is complete; bytes that never make a request go after a silence of the
// reader's gap. Everything runs on the thread that owns the manager, driven by its event loop.
//
// Faults (SetFaults) can hold an answer back, break it or drop it. A held answer waits in a send
// queue driven by a timer, never by sleeping, and answers leave in the order their requests came:
// one held back holds back those after it. Statistics count, per device, what came and what became
// of it.
class TVirtualDeviceManager {
public:
    // kProtocolBoth serves Nerix and Modbus RTU on one line, telling them apart by the function byte:
    // a Nerix request carries 0 (read) or 1 (write), which are no functions the Modbus side serves.
    enum : int { kProtocolNerix = 0, kProtocolModbus = 1, kProtocolBoth = 2 };
    // The port side's poll: delivers what silence completed and stands in for a missed readiness
    // notification.
    static constexpr int kPollInterval = 10;
    // Direction: 1 a received chunk, 0 a sent answer.
    using TFrameObserver = std::function<void(int Direction, const quint8* Data, int Length)>;

    // The next-address counter stops adding devices when it reaches this.
    static constexpr int kAddressLimit = 256;
    // Serial number of a device = this + its address counter value.
    static constexpr quint32 kSerialBase = 1245;

    TVirtualDeviceManager();
    // Frees the devices; their sequences stop first.
    ~TVirtualDeviceManager();
    TVirtualDeviceManager(const TVirtualDeviceManager&) = delete;
    TVirtualDeviceManager& operator=(const TVirtualDeviceManager&) = delete;

    // Adds up to Count devices of the class that emulates TypeCode, each at the next address. Every
    // repetition takes an address, also for a code no class emulates (nothing is created then);
    // the adding stops once the counter reaches kAddressLimit.
    void AddDevices(quint32 TypeCode, int Count);
    // Frees every device and starts the addresses again at 1.
    void ClearDevices();
    int DeviceCount() const { return int(FDevices.size()); }
    // Nothing when Index is out of range.
    TVirtualDevice* DeviceAt(int Index) const;
    // The model name of the device; "Out of range!" for an index past the list, empty for a type
    // code without a name.
    QString DeviceName(int Index) const;
    // How many of ChannelAt(0 .. ChannelCount - 1) exist and are of Kind; 0 for an index past the
    // list.
    int ChannelCountOfKind(int DeviceIndex, quint8 Kind) const;
    // The address (and serial number base) the next device gets.
    quint16 NextAddress() const { return FNextAddress; }
    // Moves on whenever the devices are freed: whoever keeps a device or channel pointer across
    // events (the instrument windows) compares it before using the pointer again.
    quint32 DevicesGeneration() const { return FDevicesGeneration; }

    // Serves one received Nerix frame: exactly 11 bytes with an intact CRC, served by the first
    // device that takes it. True when served; Answer then holds the 11 bytes to send back.
    bool ProcessNerixRequest(const quint8* Data, int Count, std::array<quint8, kNerixFrameSize>& Answer);
    bool ProcessNerixRequest(const QByteArray& Frame, QByteArray& Answer);
    // The request served last (or being served).
    const TNerixRequest& Request() const { return FRequest; }

    // --- The port side ---
    // Opens (true) or closes (false) the port; nothing when the state is already so. A port that
    // does not open leaves the manager inactive (LastError says why).
    void SetActive(bool Value);
    bool Active() const { return FActive; }
    // The port number ("COMn") and the driver's baud rate identifier (1 = 110 .. 13 = 115200);
    // ignored while the port is open.
    void SetPortAndRate(int PortNumber, int RateId);
    // A port by name, "COMn" or a device path, and a speed in bit/s; ignored while open.
    void SetPortName(const QString& Name);
    void SetBaudRateValue(quint32 Value);
    // 0 Nerix, 1 Modbus RTU, 2 both; any other value ignores all received data.
    int Protocol() const { return FProtocol; }
    void SetProtocol(int Value) { FProtocol = Value; }
    QString LastError() const;
    TCommPortDriver& Port();
    TPortFrameOfData& Reader() { return *FReader; }
    TConverterMO& Converter() { return *FConverter; }
    // Sees every request received (or burst discarded) and every answer sent; the owner clears it
    // when it stops listening.
    TFrameObserver OnFrame;
    // Serves one chunk the reader delivered, as received from the port: answers it on the port when
    // it is a request some device serves.
    void DataReceived(const quint8* Data, int Count);
    // Serves one whole request frame of the current protocol, whoever received it (the serial port,
    // a TCP connection): true with the answer's bytes in Answer when a device serves it. OnFrame sees
    // both; the statistics count it. No fault applies: the answer goes back as it is.
    bool ServeFrame(const quint8* Data, int Count, QByteArray& Answer);

    // --- Faults and statistics ---
    // The faults from now on, with the generator started again from Seed and every device's
    // stop-after count from 0. Answers already queued still go out.
    void SetFaults(const TEmulatorFaults& Faults, quint64 Seed);
    const TEmulatorFaults& Faults() const { return FPlanner.Faults(); }
    quint64 FaultSeed() const { return FPlanner.Seed(); }
    // The counters of the device at Index; past the list, those of requests no device took (an
    // unknown address, a burst that made no request).
    const TEmulatorDeviceStats& DeviceStats(int Index) const;
    const TEmulatorDeviceStats& UnknownStats() const { return FUnknownStats; }
    // Every counter to 0 (the devices and the faults stay).
    void ResetStatistics();
    // A row per device (address, model name, counters) and a last one (address 0, no name) for
    // requests no device took.
    struct TStatsRow {
        int Address = 0;
        QString Name;
        TEmulatorDeviceStats Stats;
    };
    std::vector<TStatsRow> StatisticsRows() const;
    // The rows as they stood when the devices were last cleared (the session that ended); empty
    // before any.
    const std::vector<TStatsRow>& LastStatistics() const { return FLastStatistics; }
    // Answers (or pieces of one) still waiting in the send queue.
    int PendingPieces() const { return int(FQueue.size()); }

private:
    // The protocol a received frame is served in; -1 when it cannot be told yet.
    int FrameProtocol(const quint8* Data, int Count) const;
    struct TPendingPiece {
        qint64 DueUs = 0;
        QByteArray Bytes;
        TEmulatorDeviceStats* Stats = nullptr; // set on an answer's last piece
        qint64 ReceivedUs = 0;
    };
    void PollTick();
    void ReadyRead();
    void Send(const quint8* Data, int Count);
    qint64 NowUs() const { return FClock.nsecsElapsed() / 1000; }
    int DeviceIndexOf(int Address) const;
    // The counters a request to Address goes to: its device's, else those of no device.
    TEmulatorDeviceStats& StatsOf(int Address);
    // Why a whole frame of Protocol that no device answered was refused.
    TEmulatorRefusal RefusalOf(int Protocol, const quint8* Data, int Count) const;
    void Answer(TEmulatorDeviceStats& Stats, int Address, const QByteArray& Bytes, qint64 ReceivedUs);
    void SendDue();
    void ClearQueue();
    // The answer a device gives to a whole request frame in Protocol; empty when none serves it.
    QByteArray AnswerFor(int Protocol, const quint8* Data, int Count);

    std::vector<std::unique_ptr<TVirtualDevice>> FDevices;
    quint16 FNextAddress = 1;
    quint32 FDevicesGeneration = 0;
    TNerixRequest FRequest;

    std::unique_ptr<TPortFrameOfData> FReader;
    std::unique_ptr<QTimer> FPollTimer;
    std::unique_ptr<QSocketNotifier> FNotifier;
    std::unique_ptr<TConverterMO> FConverter;
    int FProtocol = kProtocolNerix;
    bool FActive = false;
    quint64 FChunksRead = 0;

    TFaultPlanner FPlanner;
    bool FFaultsOn = false;
    // Kept beside FDevices, one per device (a deque: a queued piece points at its device's).
    std::deque<TEmulatorDeviceStats> FStats;
    TEmulatorDeviceStats FUnknownStats;
    std::vector<TStatsRow> FLastStatistics;
    QElapsedTimer FClock;
    std::deque<TPendingPiece> FQueue;
    std::unique_ptr<QTimer> FSendTimer;
};
