#include "model/ModbusSpace.h"

#include "bus/AccessPoint.h"
#include "bus/PowerRSBus.h"
#include "platform/ProcessTimer.h"
#include "protocol/ByteOrder.h"
#include "protocol/Crc16.h"

#include <algorithm>
#include <bit>
#include <cstring>

// ---- transports ----

TModbusTransport::~TModbusTransport() {
    if (FSpace && FSpace->ModbusTransport() == this)
        FSpace->SetModbusTransport(nullptr);
}

bool TModbusTransport::Transfer(TRequest& Request, int ExpectedLength) {
    if (ExpectedLength <= 0 || ExpectedLength > TRequest::kSize)
        return false;
    if (OnRequest)
        OnRequest(this, 1, Request);
    if (!DoTransfer(Request, ExpectedLength))
        return false;
    Request.Length = quint16(ExpectedLength);
    if (OnRequest)
        OnRequest(this, 0, Request);
    return true;
}

namespace {

// Every reply this framework asks for ends in a CRC; the check lets a line skip stray bytes in front
// of the reply instead of failing the attempt on them.
TAnswerCheck CrcCheck() {
    return [](const quint8* Answer, int Length) { return Length >= 4 && Crc16(Answer, Length) == 0; };
}

} // namespace

bool TCOMPortTransport::DoTransfer(TRequest& Request, int ExpectedLength) {
    if (!FBus || !FBus->IsOpen())
        return false;
    const TAnswerCheck check = CrcCheck();
    return FBus->SendReceive(Request.Buffer.data(), Request.Length, quint32(ExpectedLength), &check);
}

bool TAccessPointTransport::DoTransfer(TRequest& Request, int ExpectedLength) {
    if (!FAP)
        return false;
    std::array<quint8, TRequest::kSize> answer{};
    if (!FAP->Exchange(Request.Buffer.data(), Request.Length, ExpectedLength, answer.data(), CrcCheck()))
        return false;
    std::copy_n(answer.begin(), ExpectedLength, Request.Buffer.begin());
    return true;
}

// ---- values ----

namespace {

int Code32(TModbusParamByteOrder Order) {
    return int(Order) & 3;
}

} // namespace

quint32 TModbusData::Raw32() const {
    const quint8* b = FParameter.Bytes();
    return b ? DecodeValue32(b, Code32(FParameter.ByteOrder)) : 0;
}

void TModbusData::SetRaw32(quint32 Value) {
    quint8* b = FParameter.Bytes();
    if (!b || Raw32() == Value)
        return;
    EncodeValue32(Value, Code32(FParameter.ByteOrder), b);
    FParameter.Modified = true;
}

qint32 TModbusData::AsInteger() const {
    return qint32(Raw32());
}
float TModbusData::AsFloat() const {
    return std::bit_cast<float>(Raw32());
}
void TModbusData::SetInteger(qint32 Value) {
    SetRaw32(quint32(Value));
}
void TModbusData::SetFloat(float Value) {
    SetRaw32(std::bit_cast<quint32>(Value));
}

quint16 TModbusData::AsWord() const {
    const quint8* b = FParameter.Bytes();
    if (!b)
        return 0;
    return FParameter.ByteOrder == mbo3210 ? quint16(b[0] << 8 | b[1]) : quint16(b[1] << 8 | b[0]);
}

void TModbusData::SetWord(quint16 Value) {
    quint8* b = FParameter.Bytes();
    if (!b || AsWord() == Value)
        return;
    const quint8 high = quint8(Value >> 8), low = quint8(Value);
    b[0] = FParameter.ByteOrder == mbo3210 ? high : low;
    b[1] = FParameter.ByteOrder == mbo3210 ? low : high;
    FParameter.Modified = true;
}

// ---- parameters ----

TModbusParameter::TModbusParameter(QString Name) : FName(std::move(Name)) {}

TModbusParameter::~TModbusParameter() {
    if (FSpace)
        FSpace->Remove(this);
}

void TModbusParameter::SetModbusSpace(TModbusSpace* Value) {
    if (FSpace == Value)
        return;
    if (FSpace)
        FSpace->Remove(this);
    FSpace = Value;
    if (FSpace)
        FSpace->Insert(this);
}

void TModbusParameter::SetIndex(quint16 Value) {
    if (FIndex == Value)
        return;
    TModbusSpace* space = FSpace;
    SetModbusSpace(nullptr);
    FIndex = Value;
    SetModbusSpace(space);
}

void TModbusParameter::SetParamType(TModbusParamType Value) {
    FParamType = Value;
    if (FSpace)
        FSpace->Layout();
}

quint16 TModbusParameter::RegisterAddress() const {
    return FSpace && FOffset >= 0 ? quint16(FSpace->BaseAddress + FOffset) : 0;
}

quint8* TModbusParameter::Bytes() const {
    return FSpace && FOffset >= 0 ? FSpace->Image() + 2 * FOffset : nullptr;
}

// ---- spaces ----

TModbusSpace::TModbusSpace() : FRequest(std::make_unique<TRequest>()) {}

TModbusSpace::~TModbusSpace() {
    for (TModbusParameter* p : FParameters) {
        p->FSpace = nullptr;
        p->FOffset = -1;
    }
    if (FManager)
        FManager->Unregister(this);
    if (FTransport && FTransport->Space() == this)
        FTransport->SetSpace(nullptr);
}

void TModbusSpace::SetModbusSpaceManager(TModbusSpaceManager* Value) {
    if (FManager == Value)
        return;
    if (FManager)
        FManager->Unregister(this);
    FManager = Value;
    if (FManager)
        FManager->Register(this);
}

void TModbusSpace::SetModbusTransport(TModbusTransport* Value) {
    if (FTransport && FTransport->Space() == this && FTransport != Value)
        FTransport->SetSpace(nullptr);
    FTransport = Value;
    if (FTransport)
        FTransport->SetSpace(this);
}

void TModbusSpace::Insert(TModbusParameter* Parameter) {
    // Before the first parameter with a greater index: equal indexes keep their insertion order.
    const auto at = std::find_if(FParameters.begin(), FParameters.end(),
                                 [&](const TModbusParameter* p) { return p->Index() > Parameter->Index(); });
    FParameters.insert(at, Parameter);
    Layout();
}

void TModbusSpace::Remove(TModbusParameter* Parameter) {
    FParameters.erase(std::remove(FParameters.begin(), FParameters.end(), Parameter), FParameters.end());
    Parameter->FOffset = -1;
    Layout();
}

void TModbusSpace::Layout() {
    int offset = 0;
    for (TModbusParameter* p : FParameters) {
        // A parameter that would run past the image gets no place rather than someone else's bytes.
        const bool fits = 2 * (offset + p->RegisterCount()) <= kImageBytes;
        p->FOffset = fits ? offset : -1;
        offset += p->RegisterCount();
    }
    FBlockLength = offset;
}

void TModbusSpace::RestartReadTimer() {
    FReadTimer.start();
}

bool TModbusSpace::ReadDue() const {
    return FReadTimer.isValid() && FReadTimer.elapsed() >= ReadInterval;
}

int TModbusSpace::BuildWrite(quint16 Register, int Count, const quint8* Data) {
    quint8* b = FRequest->Buffer.data();
    b[0] = DeviceAddress;
    b[1] = 16;
    b[2] = quint8(Register >> 8);
    b[3] = quint8(Register);
    b[4] = quint8(Count >> 8);
    b[5] = quint8(Count);
    b[6] = quint8(2 * Count);
    std::memcpy(b + 7, Data, size_t(2 * Count));
    PutCrc16(b, 7 + 2 * Count);
    FRequest->Length = quint16(9 + 2 * Count);
    return 8;
}

int TModbusSpace::BuildRead(quint16 Register, int Count) {
    quint8* b = FRequest->Buffer.data();
    b[0] = DeviceAddress;
    b[1] = 3;
    b[2] = quint8(Register >> 8);
    b[3] = quint8(Register);
    b[4] = quint8(Count >> 8);
    b[5] = quint8(Count);
    PutCrc16(b, 6);
    FRequest->Length = 8;
    return 2 * Count + 5;
}

bool TModbusSpace::Exchange(int ExpectedLength) {
    return FTransport && FTransport->Transfer(*FRequest, ExpectedLength) &&
           Crc16(FRequest->Buffer.data(), ExpectedLength) == 0;
}

bool TModbusSpace::WriteParameter(TModbusParameter& Parameter) {
    const int count = Parameter.RegisterCount();
    std::array<quint8, 4> sent{};
    std::memcpy(sent.data(), Parameter.Bytes(), size_t(2 * count));
    if (!Exchange(BuildWrite(Parameter.RegisterAddress(), count, sent.data())))
        return false;
    // The exchange lets the window's events run: a value entered meanwhile is still to be written.
    if (std::memcmp(sent.data(), Parameter.Bytes(), size_t(2 * count)) == 0)
        Parameter.Modified = false;
    return true;
}

bool TModbusSpace::WriteBlock() {
    if (FBlockLength < 1 || FBlockLength > kMaxWriteBlock)
        return false;
    std::vector<quint8> sent(FImage.begin(), FImage.begin() + 2 * FBlockLength);
    if (!Exchange(BuildWrite(BaseAddress, FBlockLength, sent.data())))
        return false;
    for (TModbusParameter* p : FParameters)
        if (p->Bytes() &&
            std::memcmp(p->Bytes(), sent.data() + 2 * p->Offset(), size_t(2 * p->RegisterCount())) == 0)
            p->Modified = false;
    return true;
}

bool TModbusSpace::ReadParameter(TModbusParameter& Parameter) {
    const int count = Parameter.RegisterCount();
    if (!Exchange(BuildRead(Parameter.RegisterAddress(), count)))
        return false;
    // A value entered while the reply was awaited wins over the device's old one.
    if (!Parameter.Modified)
        std::memcpy(Parameter.Bytes(), FRequest->Buffer.data() + 3, size_t(2 * count));
    return true;
}

bool TModbusSpace::ReadBlock() {
    if (FBlockLength < 1 || FBlockLength > kMaxReadBlock)
        return false;
    if (!Exchange(BuildRead(BaseAddress, FBlockLength)))
        return false;
    const quint8* data = FRequest->Buffer.data() + 3;
    for (TModbusParameter* p : FParameters)
        if (p->Bytes() && !p->Modified)
            std::memcpy(p->Bytes(), data + 2 * p->Offset(), size_t(2 * p->RegisterCount()));
    return true;
}

bool TModbusSpace::Refresh() {
    if (!Enabled || !FTransport || IsSlave)
        return false;
    if (SingleWriteMode) {
        for (TModbusParameter* p : FParameters) {
            if (!p->Bytes() || !(p->Modified || WriteIAC))
                continue;
            // A read-only register cannot be written; the next read brings its value back.
            if (p->Access == mpaReadOnly) {
                p->Modified = false;
                continue;
            }
            if (!WriteParameter(*p))
                return false;
        }
    } else if (WriteIAC || std::any_of(FParameters.begin(), FParameters.end(),
                                       [](const TModbusParameter* p) { return p->Modified; })) {
        if (!WriteBlock())
            return false;
    }
    const bool read = ReadDue() || RefreshIAC;
    if (read) {
        RestartReadTimer();
        if (SingleReadMode) {
            for (TModbusParameter* p : FParameters)
                if (p->Bytes() && p->Access != mpaWriteOnly && !ReadParameter(*p))
                    return false;
        } else if (!ReadBlock()) {
            return false;
        }
    }
    FLastCycleRead = read;
    if (OnAfterRefresh)
        OnAfterRefresh(this);
    return true;
}

// ---- manager ----

TModbusSpaceManager::TModbusSpaceManager() : FTimer(std::make_unique<TProcessTimer>()) {
    FTimer->SetInterval(kIntervalMs);
    FTimer->OnTimer = [this] { Tick(); };
}

TModbusSpaceManager::~TModbusSpaceManager() {
    for (TModbusSpace* s : FSpaces)
        s->FManager = nullptr;
}

void TModbusSpaceManager::Register(TModbusSpace* Space) {
    if (Running() || !Space || std::find(FSpaces.begin(), FSpaces.end(), Space) != FSpaces.end())
        return;
    FSpaces.push_back(Space);
}

void TModbusSpaceManager::Unregister(TModbusSpace* Space) {
    FSpaces.erase(std::remove(FSpaces.begin(), FSpaces.end(), Space), FSpaces.end());
}

bool TModbusSpaceManager::Running() const {
    return FTimer->Running();
}

void TModbusSpaceManager::SetRunning(bool Value) {
    if (Value == Running())
        return;
    if (Value) {
        for (TModbusSpace* s : FSpaces) {
            s->Layout();
            s->RestartReadTimer();
        }
        FTimer->Start();
    } else {
        FTimer->Stop();
    }
}

void TModbusSpaceManager::Tick() {
    // A copy: a handler raised by a cycle may register or drop spaces.
    const std::vector<TModbusSpace*> spaces = FSpaces;
    for (TModbusSpace* s : spaces)
        for (int attempt = 0; attempt <= s->ExtraAttempts; ++attempt)
            if (s->Refresh())
                break;
}
