#include "emulator/VirtualDeviceManager.h"

#include "bus/CPDrv.h"
#include "emulator/ConverterMO.h"
#include "emulator/VirtualDevices.h"
#include "model/DeviceRegister.h"
#include "protocol/Crc16.h"
#include "protocol/FrameLength.h"
#include "protocol/PortFrameMaker.h"

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>

TVirtualDeviceManager::TVirtualDeviceManager()
    : FReader(std::make_unique<TPortFrameOfData>(std::make_unique<TCommPortDriver>())),
      FPollTimer(std::make_unique<QTimer>()), FConverter(std::make_unique<TConverterMO>(this)),
      FSendTimer(std::make_unique<QTimer>()) {
    FClock.start();
    FPlanner.Reset({}, 1);
    FSendTimer->setSingleShot(true);
    FSendTimer->setTimerType(Qt::PreciseTimer);
    QObject::connect(FSendTimer.get(), &QTimer::timeout, [this] { SendDue(); });
    FPollTimer->setInterval(kPollInterval);
    QObject::connect(FPollTimer.get(), &QTimer::timeout, [this] { PollTick(); });
    FReader->Port().OnReceiveData = [this](TCommPortDriver*, const quint8* Data, quint32 Size) {
        ++FChunksRead;
        FReader->DataReceived(Data, Size);
    };
    FReader->OnFrame = [this](const quint8* Data, quint16 Count) { DataReceived(Data, Count); };
    FReader->IsComplete = [this](const quint8* Data, quint16 Count) {
        // Only requests arrive here; a request whose length its bytes cannot tell ends with silence.
        const int protocol = FrameProtocol(Data, Count);
        if (protocol != kProtocolNerix && protocol != kProtocolModbus)
            return false;
        const int length =
            FrameLength(protocol == kProtocolNerix ? tpNerix : tpModbus, TFrameRole::Request, Data, Count);
        return length > 0 && Count == length;
    };
}

TVirtualDeviceManager::~TVirtualDeviceManager() {
    // Not ClearDevices: nobody will read a snapshot of the statistics, and a manager that lives
    // until the program's exit must not reach for tables that may already be gone.
    ClearQueue();
    FDevices.clear();
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
        FStats.emplace_back();
    }
}

void TVirtualDeviceManager::ClearDevices() {
    // What the session saw stays readable after it ended.
    if (!FDevices.empty())
        FLastStatistics = StatisticsRows();
    ClearQueue();
    FDevices.clear();
    ++FDevicesGeneration;
    FStats.clear();
    FUnknownStats = {};
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
        // Answers still held back belong to a session that is over.
        ClearQueue();
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

int TVirtualDeviceManager::FrameProtocol(const quint8* Data, int Count) const {
    if (FProtocol != kProtocolBoth)
        return FProtocol;
    if (Count < 2)
        return -1;
    return Data[1] <= 1 ? kProtocolNerix : kProtocolModbus;
}

QByteArray TVirtualDeviceManager::AnswerFor(int Protocol, const quint8* Data, int Count) {
    QByteArray answer;
    if (Protocol == kProtocolNerix) {
        // Whoever delivers the frames hands over whole ones, so each one is a request of its own.
        std::array<quint8, kNerixFrameSize> frame{};
        if (Count <= kNerixFrameSize && ProcessNerixRequest(Data, Count, frame))
            answer = QByteArray(reinterpret_cast<const char*>(frame.data()), kNerixFrameSize);
    } else if (Protocol == kProtocolModbus) {
        if (Count <= TConverterMO::kBufferSize && FConverter->SetRequest(Data, Count) &&
            FConverter->ProcessModbusRequest())
            answer = QByteArray(reinterpret_cast<const char*>(FConverter->Buffer()), FConverter->Count());
        FConverter->Clear();
    }
    return answer;
}

void TVirtualDeviceManager::DataReceived(const quint8* Data, int Count) {
    if (!Data || Count <= 0)
        return;
    const qint64 receivedUs = NowUs();
    if (OnFrame)
        OnFrame(1, Data, Count);
    const int protocol = FrameProtocol(Data, Count);
    if (protocol != kProtocolNerix && protocol != kProtocolModbus)
        return;
    const QByteArray answer = AnswerFor(protocol, Data, Count);
    TEmulatorDeviceStats& stats = StatsOf(Data[0]);
    ++stats.Received;
    if (answer.isEmpty()) {
        stats.Refuse(RefusalOf(protocol, Data, Count));
        return;
    }
    Answer(stats, Data[0], answer, receivedUs);
}

bool TVirtualDeviceManager::ServeFrame(const quint8* Data, int Count, QByteArray& Answer) {
    Answer.clear();
    if (!Data || Count <= 0)
        return false;
    const qint64 receivedUs = NowUs();
    if (OnFrame)
        OnFrame(1, Data, Count);
    const int protocol = FrameProtocol(Data, Count);
    Answer = AnswerFor(protocol, Data, Count);
    // Counted as on the serial line, so that the statistics tell the same story whoever asked.
    TEmulatorDeviceStats& stats = StatsOf(Data[0]);
    ++stats.Received;
    if (Answer.isEmpty()) {
        stats.Refuse(RefusalOf(protocol, Data, Count));
        return false;
    }
    if (OnFrame)
        OnFrame(0, reinterpret_cast<const quint8*>(Answer.constData()), int(Answer.size()));
    ++stats.Answered;
    stats.AddTime(NowUs() - receivedUs);
    return true;
}

TEmulatorDeviceStats& TVirtualDeviceManager::StatsOf(int Address) {
    const int index = DeviceIndexOf(Address);
    return index >= 0 ? FStats[size_t(index)] : FUnknownStats;
}

TEmulatorRefusal TVirtualDeviceManager::RefusalOf(int Protocol, const quint8* Data, int Count) const {
    // Only a refused request comes here, so this may repeat checks the serving path made.
    if (Protocol == kProtocolNerix) {
        if (Count != kNerixFrameSize)
            return TEmulatorRefusal::Malformed;
        TNerixRequest request;
        if (!request.FromFrame(Data))
            return TEmulatorRefusal::Crc;
    } else {
        // Address, function and CRC are the least a Modbus frame has.
        if (Count < 4)
            return TEmulatorRefusal::Malformed;
        if (Crc16(Data, Count) != 0)
            return TEmulatorRefusal::Crc;
        const quint8 function = Data[1];
        if (function != 3 && function != 16)
            return TEmulatorRefusal::Function;
        if (function == 3 ? Count != 8 : (Count != 13 || Data[6] != 4 || Data[4] != 0 || Data[5] != 2))
            return TEmulatorRefusal::Malformed;
    }
    if (DeviceIndexOf(Data[0]) < 0)
        return TEmulatorRefusal::Address;
    return TEmulatorRefusal::Register;
}

int TVirtualDeviceManager::DeviceIndexOf(int Address) const {
    for (size_t i = 0; i < FDevices.size(); ++i)
        if (FDevices[i]->Address() == Address)
            return int(i);
    return -1;
}

void TVirtualDeviceManager::Answer(TEmulatorDeviceStats& Stats, int Address, const QByteArray& Bytes,
                                   qint64 ReceivedUs) {
    // The usual case, a bus without faults, costs no plan.
    if (!FFaultsOn && FQueue.empty()) {
        Send(reinterpret_cast<const quint8*>(Bytes.constData()), int(Bytes.size()));
        ++Stats.Answered;
        Stats.AddTime(NowUs() - ReceivedUs);
        return;
    }
    const TFaultPlan plan = FPlanner.Plan(Address, Bytes);
    if (plan.Drop) {
        ++Stats.Dropped;
        return;
    }
    if (FQueue.empty() && plan.Delay == 0 && plan.SplitAt == 0) {
        Send(reinterpret_cast<const quint8*>(plan.Bytes.constData()), int(plan.Bytes.size()));
        ++Stats.Answered;
        Stats.AddTime(NowUs() - ReceivedUs);
        return;
    }
    // In order: never before the answer queued last.
    const qint64 due =
        std::max(ReceivedUs + qint64(plan.Delay) * 1000, FQueue.empty() ? qint64(0) : FQueue.back().DueUs);
    if (plan.SplitAt > 0) {
        FQueue.push_back({due, plan.Bytes.left(plan.SplitAt), nullptr, ReceivedUs});
        FQueue.push_back(
            {due + qint64(plan.SplitGap) * 1000, plan.Bytes.mid(plan.SplitAt), &Stats, ReceivedUs});
    } else {
        FQueue.push_back({due, plan.Bytes, &Stats, ReceivedUs});
    }
    SendDue();
}

void TVirtualDeviceManager::SendDue() {
    while (!FQueue.empty() && FQueue.front().DueUs <= NowUs()) {
        const TPendingPiece piece = std::move(FQueue.front());
        FQueue.pop_front();
        Send(reinterpret_cast<const quint8*>(piece.Bytes.constData()), int(piece.Bytes.size()));
        if (piece.Stats) {
            ++piece.Stats->Answered;
            piece.Stats->AddTime(NowUs() - piece.ReceivedUs);
        }
    }
    if (FQueue.empty()) {
        FSendTimer->stop();
        return;
    }
    const qint64 waitUs = FQueue.front().DueUs - NowUs();
    FSendTimer->start(int(std::max<qint64>(0, (waitUs + 999) / 1000)));
}

void TVirtualDeviceManager::ClearQueue() {
    FQueue.clear();
    FSendTimer->stop();
}

void TVirtualDeviceManager::SetFaults(const TEmulatorFaults& Faults, quint64 Seed) {
    FPlanner.Reset(Faults, Seed);
    FFaultsOn = Faults.Any();
}

const TEmulatorDeviceStats& TVirtualDeviceManager::DeviceStats(int Index) const {
    if (Index < 0 || size_t(Index) >= FStats.size())
        return FUnknownStats;
    return FStats[size_t(Index)];
}

std::vector<TVirtualDeviceManager::TStatsRow> TVirtualDeviceManager::StatisticsRows() const {
    std::vector<TStatsRow> rows;
    for (int i = 0; i < DeviceCount(); ++i)
        rows.push_back({DeviceAt(i)->Address(), DeviceName(i), FStats[size_t(i)]});
    rows.push_back({0, QString(), FUnknownStats});
    return rows;
}

void TVirtualDeviceManager::ResetStatistics() {
    // Pieces in the queue point at their device's counters, which stay where they are.
    for (TEmulatorDeviceStats& s : FStats)
        s = {};
    FUnknownStats = {};
}
