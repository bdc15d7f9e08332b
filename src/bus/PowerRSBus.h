#pragma once

#include "bus/AccessPoint.h"
#include "bus/BaudRate.h"
#include "bus/SerialComponent.h"

#include <QString>
#include <array>
#include <functional>

class TPowerRsBus;
using TNotifyEvent = std::function<void(TPowerRsBus* Sender)>;
using TRsDataTransferEvent =
    std::function<void(const quint8* TxBuffer, quint16 TxSize, const quint8* RxBuffer, quint16 RxSize)>;

// The serial bus: one RS-485/RS-232 port on which requests are sent and answers collected
// synchronously. While it waits it processes pending window events, so the window stays alive.
class TPowerRsBus : public TSerialComponent {
public:
    static constexpr int kMaxRequest = 1000;

    TPowerRsBus();
    ~TPowerRsBus() override;

    bool Open();
    void Close();

    // Both process pending window events while they wait.
    quint32 Send(const quint8* Buffer, quint32 Count, quint32 Timeout);
    quint32 Receive(quint8* Buffer, quint32 Count);

    // Sends the first RequestLength bytes of Buffer and reads AnswerLength answer bytes into it, so
    // Buffer must hold the larger of the two. A call made while another exchange of this bus is
    // waiting fails at once, without touching the line.
    //
    // With a Check, an answer it rejects is not given up at once: the window slides on byte by byte
    // (each new byte under the same idle time-out) until a frame passes, so noise on the line's
    // turn-round or the tail of a late answer in front of the real one does not cost the attempt.
    bool SendReceive(quint8* Buffer, quint32 RequestLength, quint32 AnswerLength,
                     const TAnswerCheck* Check = nullptr);

    // 0 lowers RTS, 1 raises it; only while open.
    void SetRTSLevel(int Level);

    static QString BaudRateText(TBaudRate Rate);

    TBaudRate BaudRate() const { return FBaudRate; }
    // Unless brCustom, also sets BaudRateValue from the rate table.
    void SetBaudRate(TBaudRate Value);
    // Makes BaudRate read brCustom.
    void SetBaudRateValue(quint32 Value);
    quint16 TryCount() const { return FTryCount; }
    // Accepts 0 .. 10 extra attempts; larger values are ignored.
    void SetTryCount(quint16 Value);

    // A line whose converter echoes every byte sent (common with RS-485 adapters). An echo is
    // byte-identical to the request and, for this protocol, to a genuine answer of a write, so it
    // cannot be told apart by content: with this set, each attempt first takes back exactly the
    // request's bytes and then reads the answer.
    //
    // With it off, the bus learns it on the first exchange of a connection that shows it: a frame
    // identical to the request followed, within the time-out, by an answer the check accepts (or, for
    // answers of another length, the request's bytes skipped in front of the answer). Echo is then
    // switched on for the rest of the connection and OnLocalEchoDetected told. An answer that differs
    // from its request ends the learning: the line does not echo.
    bool LocalEcho() const { return FLocalEcho; }
    void SetLocalEcho(bool Value);

    TNotifyEvent OnChangeStatus;
    TRsDataTransferEvent OnDataTransfer;
    // Told every RTS level set through SetRTSLevel (lines without modem control, such as
    // pseudo-terminals, cannot show it otherwise).
    std::function<void(int Level)> OnRtsLevel;
    // The bus found that the line echoes and switched LocalEcho on.
    std::function<void()> OnLocalEchoDetected;

private:
    bool Attempt(quint8* Buffer, quint32 RequestLength, quint32 AnswerLength, quint32& Received,
                 const TAnswerCheck* Check, bool FirstAttempt);
    // Slides the answer window over stray bytes until Check accepts it; counts what it skipped.
    bool SkipToAnswer(quint8* Buffer, quint32 AnswerLength, const TAnswerCheck& Check, quint32& Skipped);
    // An answer identical to the request, on a line not yet known to echo or not: waits for a second
    // frame. True when one came (the first was the echo; Buffer then holds the answer).
    bool SecondFrameFollows(quint8* Buffer, quint32 AnswerLength, const TAnswerCheck* Check);
    void EchoDetected();
    // How many stray bytes an attempt skips at most while it looks for an answer its check accepts.
    static constexpr quint32 kMaxSkippedBytes = 256;

    bool FBusy = false;
    std::array<quint8, kMaxRequest> FRequest{};
    std::array<quint8, kMaxRequest> FEcho{};
    TBaudRate FBaudRate = br9600;
    quint16 FTryCount = 0;
    bool FLocalEcho = false;
    // Whether the line's echo is still to be learnt on this connection (see LocalEcho).
    bool FEchoUnknown = true;
    // What the answer window skipped, to tell an echo in front of an answer from noise.
    std::array<quint8, kMaxRequest> FSkipped{};
};
