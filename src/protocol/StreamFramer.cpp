#include "protocol/StreamFramer.h"

#include "protocol/Crc16.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kNerixFrame = 11;
// Modbus RTU's longest frame.
constexpr int kModbusMax = 256;
constexpr int kModbusMin = 4;

} // namespace

TStreamFramer::TStreamFramer(TTransferProtocol Protocol) : FProtocol(Protocol) {}

void TStreamFramer::SetProtocol(TTransferProtocol Value) {
    FProtocol = Value;
    FBuffer.clear();
    FStart = 0;
    FExpect = TFrameRole::Request;
    FRequestOpen = false;
}

void TStreamFramer::Feed(const quint8* Data, int Count, qint64 Ticks) {
    if (!Data || Count <= 0)
        return;
    // Bytes after a silence start something new: what waited before it ends there, unless its
    // length is known; then the CRC tells whether the new bytes complete it.
    Poll(Ticks);
    if (FStart > 0 && FStart * 2 >= FBuffer.size()) {
        FBuffer.erase(FBuffer.begin(), FBuffer.begin() + std::ptrdiff_t(FStart));
        FStart = 0;
    }
    FBuffer.insert(FBuffer.end(), Data, Data + Count);
    FLastTicks = Ticks;
    Cut();
}

void TStreamFramer::Poll(qint64 Ticks) {
    if (Pending() > 0 && Ticks - FLastTicks > (FAwaitingLength ? std::max(kStaleNs, FGapNs) : FGapNs))
        Emit(Pending(), FExpect, false);
}

void TStreamFramer::Flush() {
    if (Pending() > 0)
        Emit(Pending(), FExpect, false);
}

TFrameRole TStreamFramer::NerixRole(const quint8* Data) const {
    // Request and answer share the layout; an answer repeats its request's address, operation,
    // object and property.
    return FRequestOpen && std::memcmp(Data, FRequest, 5) == 0 ? TFrameRole::Answer : TFrameRole::Request;
}

int TStreamFramer::IntactLength(const quint8* Data, int Count, TFrameRole Role, bool& NeedMore) const {
    const int length = FrameLength(FProtocol, Role, Data, Count);
    if (length == 0) {
        NeedMore = true;
        return 0;
    }
    if (length < 0 || (FProtocol == tpModbus && (length < kModbusMin || length > kModbusMax)))
        return -1;
    if (length > Count) {
        NeedMore = true;
        return 0;
    }
    return Crc16(Data, length) == 0 ? length : -1;
}

bool TStreamFramer::TryFrameAt(const quint8* Data, int Count, int& Length, TFrameRole& Role,
                               bool& NeedMore) const {
    NeedMore = false;
    if (FProtocol == tpNerix) {
        if (Count < kNerixFrame) {
            NeedMore = true;
            return false;
        }
        if (Crc16(Data, kNerixFrame) != 0)
            return false;
        Length = kNerixFrame;
        Role = NerixRole(Data);
        return true;
    }
    const TFrameRole other = FExpect == TFrameRole::Request ? TFrameRole::Answer : TFrameRole::Request;
    for (TFrameRole role : {FExpect, other}) {
        const int length = IntactLength(Data, Count, role, NeedMore);
        if (length > 0) {
            Length = length;
            Role = role;
            return true;
        }
    }
    return false;
}

void TStreamFramer::Cut() {
    while (Pending() > 0) {
        const quint8* data = FBuffer.data() + FStart;
        const int count = Pending();
        int length = 0;
        TFrameRole role = TFrameRole::Request;
        bool needMore = false;
        if (TryFrameAt(data, count, length, role, needMore)) {
            Emit(length, role, true);
            continue;
        }
        FAwaitingLength = needMore && count < kLimit;
        if (FAwaitingLength)
            return;
        // No frame starts here: the garbage runs up to the next place where an intact one does.
        int next = 0;
        for (int k = 1; k < count && next == 0; ++k) {
            bool more = false;
            int l = 0;
            TFrameRole r = TFrameRole::Request;
            if (TryFrameAt(data + k, count - k, l, r, more))
                next = k;
        }
        if (next > 0) {
            Emit(next, TFrameRole::Request, false);
            continue;
        }
        // Nothing intact yet; a frame whose length cannot be told waits for silence, as does the
        // tail that may still become one. Only an overfull buffer is cut by force.
        if (count >= kLimit)
            Emit(count - (FProtocol == tpNerix ? kNerixFrame - 1 : kModbusMax - 1), TFrameRole::Request,
                 false);
        return;
    }
}

void TStreamFramer::Emit(int Length, TFrameRole Role, bool Intact) {
    const quint8* data = FBuffer.data() + FStart;
    FAwaitingLength = false;
    if (Intact && Role == TFrameRole::Request) {
        std::memcpy(FRequest, data, size_t(std::min(Length, 5)));
        FRequestOpen = true;
        FExpect = TFrameRole::Answer;
    } else {
        FRequestOpen = false;
        FExpect = TFrameRole::Request;
    }
    FStart += size_t(Length);
    // Copy-free for the listener, which sees the bytes before they can move.
    if (OnFrame)
        OnFrame(data, Length, Role, Intact, FLastTicks);
    if (FStart == FBuffer.size()) {
        FBuffer.clear();
        FStart = 0;
    }
}
