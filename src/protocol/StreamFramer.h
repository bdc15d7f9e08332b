#pragma once

#include "protocol/FrameLength.h"
#include "protocol/TransferProtocol.h"

#include <QtGlobal>
#include <functional>
#include <vector>

// Cuts the bytes of a line on which a master and its devices talk into frames, as a listener that
// sends nothing sees them: requests and answers back to back, possibly with no pause between them
// (a pseudo-terminal has none, a busy line hardly any).
//
// A frame ends where its length says (FrameLength) and its CRC agrees; where both readings of a
// Modbus frame are possible, the one that fits the conversation (an answer after a request) is
// tried first. Bytes that make no frame are passed on as a frame of their own up to the next place
// where a frame with a good CRC starts. Only where no length can be told from the bytes does a
// silence of Gap end the frame; the start of a frame whose length is known waits for its remaining
// bytes (a late byte on a busy machine is no end of frame), and only a silence of kStaleNs (or a
// frame after it whose CRC shows the start was cut short) gives it up.
class TStreamFramer {
public:
    // More than the longest frame of either protocol; what piles up beyond it without making a
    // frame is passed on as garbage.
    static constexpr int kLimit = 1024;
    static constexpr qint64 kStaleNs = 1'000'000'000;
    // Data, its length, how it was read, whether a length and CRC ended it (false: silence, a
    // flush, or garbage before a good frame), and the tick (ns) of the bytes that completed it.
    using TFrameEvent =
        std::function<void(const quint8* Data, int Length, TFrameRole Role, bool Intact, qint64 Ticks)>;

    explicit TStreamFramer(TTransferProtocol Protocol = tpNerix);

    TTransferProtocol Protocol() const { return FProtocol; }
    // Starts afresh (pending bytes are dropped).
    void SetProtocol(TTransferProtocol Value);
    qint64 GapNs() const { return FGapNs; }
    void SetGapNs(qint64 Value) { FGapNs = Value; }

    // Takes bytes as they arrive, at Ticks (monotonic ns).
    void Feed(const quint8* Data, int Count, qint64 Ticks);
    // Ends the pending bytes as a frame when the line has been quiet longer than the gap.
    void Poll(qint64 Ticks);
    // Passes on whatever is pending (the end of the input).
    void Flush();
    int Pending() const { return int(FBuffer.size() - FStart); }

    TFrameEvent OnFrame;

private:
    void Cut();
    // The length of the intact frame at Data (Count bytes there) read as Role, 0 when there is
    // none yet (more bytes needed), -1 when it cannot be one.
    int IntactLength(const quint8* Data, int Count, TFrameRole Role, bool& NeedMore) const;
    bool TryFrameAt(const quint8* Data, int Count, int& Length, TFrameRole& Role, bool& NeedMore) const;
    TFrameRole NerixRole(const quint8* Data) const;
    void Emit(int Length, TFrameRole Role, bool Intact);

    TTransferProtocol FProtocol;
    qint64 FGapNs = 20'000'000;
    qint64 FLastTicks = 0;
    std::vector<quint8> FBuffer;
    size_t FStart = 0;
    // The pending bytes start a frame of known length that is not complete yet.
    bool FAwaitingLength = false;
    // What the conversation expects next, and the request an answer would belong to.
    TFrameRole FExpect = TFrameRole::Request;
    quint8 FRequest[5] = {};
    bool FRequestOpen = false;
};
