#include "protocol/PortFrameMaker.h"

#include "bus/CPDrv.h"
#include "platform/Ticks.h"

#include <cstring>

TPortFrameOfData::TPortFrameOfData() : TPortFrameOfData(nullptr) {}

TPortFrameOfData::TPortFrameOfData(std::unique_ptr<TCommPortDriver> Port)
    : FPort(Port ? std::move(Port) : std::make_unique<TCommPortDriver>()) {
    FPort->SetInputTimeout(10);
    FPort->OnReceiveData = [this](TCommPortDriver*, const quint8* data, quint32 size) {
        DataReceived(data, size);
    };
}

TPortFrameOfData::~TPortFrameOfData() = default;

void TPortFrameOfData::DataReceived(const quint8* Data, quint32 Size) {
    // A chunk that does not fit completes the area, which goes out at once as a frame of its own.
    while (Size > quint32(kAreaSize - FCount)) {
        const quint32 room = quint32(kAreaSize - FCount);
        std::memcpy(FArea.data() + FCount, Data, room);
        FCount = kAreaSize;
        Data += room;
        Size -= room;
        Deliver();
    }
    if (Size > 0) {
        std::memcpy(FArea.data() + FCount, Data, Size);
        FCount = quint16(FCount + Size);
    }
    FLastChunk = TickCount();
    if (FCount > 0 && IsComplete && IsComplete(FArea.data(), FCount))
        Deliver();
}

void TPortFrameOfData::Poll() {
    if (FCount > 0 && TickCount() - FLastChunk > FGap)
        Deliver();
}

void TPortFrameOfData::Deliver() {
    const quint16 count = FCount;
    FCount = 0;
    if (OnFrame)
        OnFrame(FArea.data(), count);
}
