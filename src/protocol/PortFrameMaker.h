#pragma once

#include <QtGlobal>
#include <array>
#include <functional>
#include <memory>

class TCommPortDriver;

// Cuts the byte stream of a listening serial port into frames by silence: what arrived is one frame
// once the line has been quiet for longer than the gap. Frames are at most 1024 bytes; a longer burst
// is delivered in 1024-byte pieces as it comes.
class TPortFrameOfData {
public:
    static constexpr int kAreaSize = 1024;
    using TFrameEvent = std::function<void(const quint8* Buffer, quint16 Length)>;

    TPortFrameOfData();
    // Reads through Port (a driver of a class of the owner's), or a plain driver when it is null.
    explicit TPortFrameOfData(std::unique_ptr<TCommPortDriver> Port);
    ~TPortFrameOfData();
    TPortFrameOfData(const TPortFrameOfData&) = delete;
    TPortFrameOfData& operator=(const TPortFrameOfData&) = delete;

    // The owner configures, opens and closes it.
    TCommPortDriver& Port() { return *FPort; }

    quint16 Gap() const { return FGap; }
    void SetGap(quint16 ms) { FGap = ms; }

    // Called by the owner's timer: delivers the collected bytes after the gap.
    void Poll();
    // Takes one chunk from the port (its OnReceiveData).
    void DataReceived(const quint8* Data, quint32 Size);
    // Bytes collected and not yet delivered.
    int Pending() const { return FCount; }
    // Forgets the collected bytes, as when the port closes under a half-received frame.
    void Discard() { FCount = 0; }

    TFrameEvent OnFrame;
    // Asked after every chunk: true when the collected bytes already form a whole frame, which then
    // goes out at once instead of after the gap. A listener that knows its frames' lengths answers
    // sooner than any silence could tell it.
    std::function<bool(const quint8* Buffer, quint16 Length)> IsComplete;

private:
    void Deliver();

    quint16 FGap = 20;
    quint64 FLastChunk = 0;
    std::array<quint8, kAreaSize> FArea{};
    quint16 FCount = 0;
    std::unique_ptr<TCommPortDriver> FPort;
};
