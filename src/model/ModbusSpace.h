#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class TAccessPoint;
class TModbusParameter;
class TModbusSpace;
class TModbusSpaceManager;
class TPowerRsBus;
class TProcessTimer;

// A small declarative framework for plain Modbus RTU slaves whose settings sit in one block of
// holding registers: a space mirrors the block, typed parameters are laid out in it by index, a
// manager keeps the mirror and the device in step, and a transport moves the frames.

enum TModbusTransportType { mttCOM, mttLAN };
enum TModbusParamType { mptSingle, mptWord, mptInteger };
// The order code of a value: mbo3210 puts the most significant byte first on the wire.
enum TModbusParamByteOrder { mbo3210, mbo0123, mbo1032, mbo2301 };
enum TModbusParamAccess { mpaReadOnly, mpaWriteOnly, mpaReadWrite };

// One frame buffer per space: the request, then the reply in the same place.
struct TRequest {
    static constexpr int kSize = 1052;
    std::array<quint8, kSize> Buffer{};
    quint16 Length = 0;
};

class TModbusTransport;
// Direction 1: a request about to go out; 0: a reply that came in.
using TOnModbusRequest =
    std::function<void(TModbusTransport* Sender, int Direction, const TRequest& Request)>;

class TModbusTransport {
public:
    TModbusTransport() = default;
    virtual ~TModbusTransport();
    TModbusTransport(const TModbusTransport&) = delete;
    TModbusTransport& operator=(const TModbusTransport&) = delete;

    virtual TModbusTransportType TransportType() const { return mttCOM; }
    TModbusSpace* Space() const { return FSpace; }
    void SetSpace(TModbusSpace* Value) { FSpace = Value; }

    // Sends the request and collects exactly ExpectedLength reply bytes into the same buffer
    // (Request.Length then says so); OnRequest sees both. True when that many arrived.
    bool Transfer(TRequest& Request, int ExpectedLength);

    TOnModbusRequest OnRequest;

protected:
    // One exchange; the base has no line and fails.
    virtual bool DoTransfer(TRequest& Request, int ExpectedLength) { return false; }

private:
    TModbusSpace* FSpace = nullptr;
};

// Frames over a serial port of its own. The port is the serial bus, whose exchange waits with the
// window's events running and slides over stray bytes until a reply with a good CRC turns up.
class TCOMPortTransport : public TModbusTransport {
public:
    TPowerRsBus* Bus() const { return FBus; }
    void SetBus(TPowerRsBus* Value) { FBus = Value; }

protected:
    bool DoTransfer(TRequest& Request, int ExpectedLength) override;

private:
    TPowerRsBus* FBus = nullptr;
};

// Frames through an access point of the program, so that a space also works where the devices are
// reached behind a UDP or TCP gateway.
class TAccessPointTransport : public TModbusTransport {
public:
    explicit TAccessPointTransport(TModbusTransportType Type = mttLAN) : FType(Type) {}
    TModbusTransportType TransportType() const override { return FType; }
    TAccessPoint* AccessPoint() const { return FAP; }
    void SetAccessPoint(TAccessPoint* Value) { FAP = Value; }

protected:
    bool DoTransfer(TRequest& Request, int ExpectedLength) override;

private:
    TModbusTransportType FType;
    TAccessPoint* FAP = nullptr;
};

// Typed access to a parameter's bytes in its space's register image. A setter given the current
// value does nothing; otherwise it stores the value and marks the parameter for writing.
class TModbusData {
public:
    explicit TModbusData(TModbusParameter& Parameter) : FParameter(Parameter) {}
    qint32 AsInteger() const;
    float AsFloat() const;
    quint16 AsWord() const;
    void SetInteger(qint32 Value);
    void SetFloat(float Value);
    void SetWord(quint16 Value);

private:
    quint32 Raw32() const;
    void SetRaw32(quint32 Value);
    TModbusParameter& FParameter;
};

class TModbusParameter {
public:
    explicit TModbusParameter(QString Name = {});
    ~TModbusParameter();
    TModbusParameter(const TModbusParameter&) = delete;
    TModbusParameter& operator=(const TModbusParameter&) = delete;

    QString Name() const { return FName; }
    TModbusSpace* ModbusSpace() const { return FSpace; }
    // Inserts the parameter into the space's list and lays the space out again.
    void SetModbusSpace(TModbusSpace* Value);
    quint16 Index() const { return FIndex; }
    void SetIndex(quint16 Value);
    TModbusParamByteOrder ByteOrder = mbo3210;
    TModbusParamType ParamType() const { return FParamType; }
    void SetParamType(TModbusParamType Value);
    QString Description;
    QString FloatMask = QStringLiteral("0.00");
    TModbusParamAccess Access = mpaReadWrite;
    QString UnitOfMeasure;
    // Waits to be written.
    bool Modified = false;

    int RegisterCount() const { return FParamType == mptWord ? 1 : 2; }
    // Registers from the space's BaseAddress; -1 while the parameter has no place in the image.
    int Offset() const { return FOffset; }
    // BaseAddress + Offset, of the space as it is now.
    quint16 RegisterAddress() const;
    TModbusData& Data() { return FData; }
    const TModbusData& Data() const { return FData; }
    // The parameter's bytes in the image; null while it has no place there.
    quint8* Bytes() const;

private:
    friend class TModbusSpace;
    QString FName;
    TModbusSpace* FSpace = nullptr;
    quint16 FIndex = 0;
    TModbusParamType FParamType = mptWord;
    int FOffset = -1;
    TModbusData FData{*this};
};

class TModbusSpace {
public:
    static constexpr int kImageBytes = 1024;
    // The most registers one request may carry: 125 in a read, 123 in a write.
    static constexpr int kMaxReadBlock = 125;
    static constexpr int kMaxWriteBlock = 123;

    TModbusSpace();
    ~TModbusSpace();
    TModbusSpace(const TModbusSpace&) = delete;
    TModbusSpace& operator=(const TModbusSpace&) = delete;

    TModbusSpaceManager* ModbusSpaceManager() const { return FManager; }
    // Registers the space with the manager (ignored by a running manager).
    void SetModbusSpaceManager(TModbusSpaceManager* Value);
    TModbusTransport* ModbusTransport() const { return FTransport; }
    // Also makes the transport point back at this space.
    void SetModbusTransport(TModbusTransport* Value);

    quint8 DeviceAddress = 1;
    quint16 BaseAddress = 4096;
    int ReadInterval = 100;
    int WriteInterval = 100; // kept; the cycle does not use it
    bool Enabled = true;
    bool RefreshIAC = false;
    bool WriteIAC = false;
    int RestoreConnection = 0; // kept; the cycle does not use it
    bool SingleWriteMode = true;
    bool SingleReadMode = false;
    std::function<void(TModbusSpace* Sender)> OnAfterRefresh;
    bool IsSlave = false;
    int ExtraAttempts = 0;

    const std::vector<TModbusParameter*>& Parameters() const { return FParameters; }
    // Registers in the block.
    int BlockLength() const { return FBlockLength; }
    quint8* Image() { return FImage.data(); }
    const quint8* Image() const { return FImage.data(); }
    TRequest& Request() { return *FRequest; }

    void Layout();
    // One cycle: write what changed, then read back when a read is due. True on success.
    bool Refresh();

    // The read timer: restarting it clears the read-due flag until ReadInterval has passed.
    void RestartReadTimer();
    bool ReadDue() const;
    // The last successful cycle read the device (a cycle between reads only writes).
    bool LastCycleRead() const { return FLastCycleRead; }

private:
    friend class TModbusParameter;
    friend class TModbusSpaceManager;
    void Insert(TModbusParameter* Parameter);
    void Remove(TModbusParameter* Parameter);

    bool Exchange(int ExpectedLength);
    int BuildWrite(quint16 Register, int Count, const quint8* Data);
    int BuildRead(quint16 Register, int Count);
    bool WriteParameter(TModbusParameter& Parameter);
    bool WriteBlock();
    bool ReadParameter(TModbusParameter& Parameter);
    bool ReadBlock();

    TModbusSpaceManager* FManager = nullptr;
    TModbusTransport* FTransport = nullptr;
    std::unique_ptr<TRequest> FRequest;
    std::vector<TModbusParameter*> FParameters;
    int FBlockLength = 0;
    std::array<quint8, kImageBytes> FImage{};
    QElapsedTimer FReadTimer;
    bool FLastCycleRead = false;
};

// Runs every registered space's cycle on a 50 ms window-thread timer that never re-enters itself.
class TModbusSpaceManager {
public:
    static constexpr int kIntervalMs = 50;

    TModbusSpaceManager();
    ~TModbusSpaceManager();
    TModbusSpaceManager(const TModbusSpaceManager&) = delete;
    TModbusSpaceManager& operator=(const TModbusSpaceManager&) = delete;

    void Register(TModbusSpace* Space);
    void Unregister(TModbusSpace* Space);
    const std::vector<TModbusSpace*>& Spaces() const { return FSpaces; }

    bool Running() const;
    // Starting lays every space out again and starts the timer; stopping waits a moment for a tick
    // in progress to end.
    void SetRunning(bool Value);
    // One tick, as the timer runs it: every space is refreshed, with its extra attempts.
    void Tick();
    TProcessTimer& Timer() { return *FTimer; }

private:
    std::vector<TModbusSpace*> FSpaces;
    std::unique_ptr<TProcessTimer> FTimer;
};
