#include "emulator/VirtualDeviceManager.h"

#include "bus/CPDrv.h"
#include "emulator/ConverterMO.h"
#include "emulator/VirtualDevices.h"
#include "model/DeviceRegister.h"
#include "protocol/FrameLength.h"
#include "protocol/PortFrameMaker.h"

#include <QSocketNotifier>
#include <QTimer>

TVirtualDeviceManager::TVirtualDeviceManager()
    : FReader(std::make_unique<TPortFrameOfData>(std::make_unique<TCommPortDriver>())),
      FPollTimer(std::make_unique<QTimer>()), FConverter(std::make_unique<TConverterMO>(this)) {
    FPollTimer->setInterval(kPollInterval);
    QObject::connect(FPollTimer.get(), &QTimer::timeout, [this] { PollTick(); });
    FReader->Port().OnReceiveData = [this](TCommPortDriver*, const quint8* Data, quint32 Size) {
        ++FChunksRead;
        FReader->DataReceived(Data, Size);
    };
    FReader->OnFrame = [this](const quint8* Data, quint16 Count) { DataReceived(Data, Count); };
    FReader->IsComplete = [this](const quint8* Data, quint16 Count) {
        // Only requests arrive here; a request whose length its bytes cannot tell ends with silence.
        if (FProtocol != kProtocolNerix && FProtocol != kProtocolModbus)
            return false;
        const int length =
            FrameLength(FProtocol == kProtocolNerix ? tpNerix : tpModbus, TFrameRole::Request, Data, Count);
        return length > 0 && Count == length;
    };
}

TVirtualDeviceManager::~TVirtualDeviceManager() {
    ClearDevices();
    SetActive(false);
}

void TVirtualDeviceManager::AddDevices(quint32 TypeCode, int Count) {
    for (int i = 0; i < Count && FNextAddress < kAddressLimit; ++i, ++FNextAddress) {
        std::unique_ptr<TVirtualDevice> device = CreateVirtualDevice(this, TypeCode);
        if (!device)
            continue;
        device->SystemChannel().SetAddress(quint8(FNextAddress));
        device->SystemChannel().SetSerialNumber(kSerialBase + FNextAddress);
        FDevices.push_back(std::move(device));
    }
}

void TVirtualDeviceManager::ClearDevices() {
    FDevices.clear();
    FNextAddress = 1;
}

TVirtualDevice* TVirtualDeviceManager::DeviceAt(int Index) const {
    if (Index < 0 || Index >= DeviceCount())
        return nullptr;
    return FDevices[size_t(Index)].get();
}

QString TVirtualDeviceManager::DeviceName(int Index) const {
    const TVirtualDevice* device = DeviceAt(Index);
    if (!device)
        return QStringLiteral("Out of range!");
    return ModelNameOf(quint16(device->TypeCode()));
}

int TVirtualDeviceManager::ChannelCountOfKind(int DeviceIndex, quint8 Kind) const {
    const TVirtualDevice* device = DeviceAt(DeviceIndex);
    if (!device)
        return 0;
    int count = 0;
    for (int i = 0; i < device->ChannelCount(); ++i) {
        const TCustomVirtualChannel* channel = device->ChannelAt(i);
        if (channel && channel->Kind() == Kind)
            ++count;
    }
    return count;
}

bool TVirtualDeviceManager::ProcessNerixRequest(const quint8* Data, int Count,
                                                std::array<quint8, kNerixFrameSize>& Answer) {
    if (!Data || Count != kNerixFrameSize)
        return false;
    TNerixRequest request;
    if (!request.FromFrame(Data))
        return false;
    FRequest = request;
    for (const auto& device : FDevices) {
        if (device->Process(FRequest)) {
            Answer = FRequest.ToFrame();
            return true;
        }
    }
    return false;
}

bool TVirtualDeviceManager::ProcessNerixRequest(const QByteArray& Frame, QByteArray& Answer) {
    std::array<quint8, kNerixFrameSize> answer{};
    if (!ProcessNerixRequest(reinterpret_cast<const quint8*>(Frame.constData()), int(Frame.size()), answer))
        return false;
    Answer = QByteArray(reinterpret_cast<const char*>(answer.data()), kNerixFrameSize);
    return true;
}

TCommPortDriver& TVirtualDeviceManager::Port() {
    return FReader->Port();
}

QString TVirtualDeviceManager::LastError() const {
    return FReader->Port().LastError();
}

void TVirtualDeviceManager::SetPortAndRate(int PortNumber, int RateId) {
    if (Port().IsOpen())
        return;
    Port().SetPort(PortNumber);
    if (RateId >= 0 && RateId < kPortRateCount)
        Port().SetBaudRate(kPortRates[RateId]);
}

void TVirtualDeviceManager::SetPortName(const QString& Name) {
    if (!Port().IsOpen())
        Port().SetPortName(Name);
}

void TVirtualDeviceManager::SetBaudRateValue(quint32 Value) {
    if (!Port().IsOpen())
        Port().SetBaudRateValue(Value);
}

void TVirtualDeviceManager::SetActive(bool Value) {
    if (Value == FActive)
        return;
    if (Value) {
        if (!Port().Open())
            return;
        const int handle = Port().Handle();
        if (handle >= 0) {
            FNotifier = std::make_unique<QSocketNotifier>(handle, QSocketNotifier::Read);
            QObject::connect(FNotifier.get(), &QSocketNotifier::activated, [this] { ReadyRead(); });
        }
    } else {
        FNotifier.reset();
        Port().Close();
        // A half-received request must not be completed by the bytes of the next session.
        FReader->Discard();
        FConverter->Clear();
    }
    FActive = Value;
    if (FActive)
        FPollTimer->start();
    else
        FPollTimer->stop();
}

void TVirtualDeviceManager::ReadyRead() {
    const quint64 before = FChunksRead;
    Port().Poll();
    // Readable but nothing to read: the far end hung up and the line reports so for ever. The poll
    // timer keeps reading; the notifier would only spin.
    if (FChunksRead == before && FNotifier)
        FNotifier->setEnabled(false);
}

void TVirtualDeviceManager::PollTick() {
    FPollTimer->stop();
    Port().Poll();
    FReader->Poll();
    if (FNotifier && !FNotifier->isEnabled())
        FNotifier->setEnabled(true);
    if (FActive)
        FPollTimer->start();
}

void TVirtualDeviceManager::Send(const quint8* Data, int Count) {
    if (OnFrame)
        OnFrame(0, Data, Count);
    Port().Send(Data, quint32(Count));
}

void TVirtualDeviceManager::DataReceived(const quint8* Data, int Count) {
    if (!Data || Count <= 0)
        return;
    if (OnFrame)
        OnFrame(1, Data, Count);
    if (FProtocol == kProtocolNerix) {
        if (Count > kNerixFrameSize)
            return;
        // The frame reader hands over whole frames, so each one is a request of its own.
        std::array<quint8, kNerixFrameSize> answer{};
        const bool answered = ProcessNerixRequest(Data, Count, answer);
        if (answered)
            Send(answer.data(), kNerixFrameSize);
    } else if (FProtocol == kProtocolModbus) {
        if (Count > TConverterMO::kBufferSize)
            return;
        const bool answered = FConverter->SetRequest(Data, Count) && FConverter->ProcessModbusRequest();
        if (answered)
            Send(FConverter->Buffer(), FConverter->Count());
        FConverter->Clear();
    }
}
