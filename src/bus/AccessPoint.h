#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <functional>
#include <limits>

// Called for every request about to be sent (Received false) and every answer that arrived (true).
using TTrafficEvent = std::function<void(const quint8* Buffer, quint16 Length, bool Received)>;

// The caller's test of one received answer. An answer it rejects counts as a failed attempt, so the
// next attempt sends the request again instead of the exchange giving up on a stray frame.
using TAnswerCheck = std::function<bool(const quint8* Answer, int AnswerLength)>;

// The request/answer contract that hides whether the devices hang on a serial line or behind a UDP
// gateway. An exchange sends a complete request and collects exactly the expected number of answer
// bytes, repeating failed attempts up to TryCount times.
class TAccessPoint {
public:
    static constexpr int kMaxAnswer = 2048;

    TAccessPoint() = default;
    virtual ~TAccessPoint() = default;
    TAccessPoint(const TAccessPoint&) = delete;
    TAccessPoint& operator=(const TAccessPoint&) = delete;

    // True when an attempt returned exactly AnswerLength bytes (and Check, when given, accepted
    // them); they are then in Answer. Request is never changed. A call made while another exchange
    // of this access point is waiting fails at once, without traffic.
    bool Exchange(const quint8* Request, int RequestLength, int AnswerLength, quint8* Answer,
                  const TAnswerCheck& Check = {});

    // An exchange is waiting for its answer. Handlers that run during that wait (timers, clicks) ask
    // this before starting one of their own, which would be refused.
    bool Busy() const { return FBusy; }

    bool Active() const { return IsOpen(); }
    void SetActive(bool value);

    int TryCount() const { return FTryCount; }
    // Accepts 1 .. 10; anything else is ignored.
    void SetTryCount(int value);

    int Timeout() const { return GetTimeout(); }
    int Baudrate() const { return GetBaudrate(); }

    // Whether the answer of the last successful exchange was byte-identical to its request. On a
    // line that echoes, an echo looks exactly like that, so whoever must not be fooled by one (a
    // scan) asks for a confirmation in that case.
    bool LastAnswerMirrored() const { return FLastAnswerMirrored; }

    // Why the last exchange failed, where the access point can tell more than "no answer" (a refused
    // request, a lost connection); empty otherwise. Cleared when an exchange starts.
    QString LastError() const { return FLastError; }

    TTrafficEvent OnTraffic;

    // One attempt: send the request, receive AnswerLength bytes into Answer.
    virtual bool DoExchange(const quint8* Request, int RequestLength, quint8* Answer, int AnswerLength);
    virtual int GetBaudrate() const { return 0; }
    virtual void SetBaudrate(int Value) {}
    virtual void SetTimeout(int Value) = 0;
    virtual int GetTimeout() const = 0;
    virtual bool DoOpen() { return false; }
    virtual void DoClose() {}
    virtual bool IsOpen() const { return false; }

protected:
    // A request this access point cannot carry at all: the reason, and the exchange fails at once,
    // without traffic or further attempts. Empty: the request may go.
    virtual QString RefuseRequest(const quint8*, int) const { return {}; }
    void SetLastError(const QString& Text) { FLastError = Text; }

    // The longest request the line can carry; a longer one fails before any traffic.
    virtual int MaxRequestLength() const { return std::numeric_limits<int>::max(); }

    // The check of the exchange in progress (null when the caller gave none). An implementation that
    // reads a byte stream uses it to skip stray bytes in front of the answer.
    const TAnswerCheck* AnswerCheck() const { return FCheck; }

private:
    std::array<quint8, kMaxAnswer> FAnswer{};
    const TAnswerCheck* FCheck = nullptr;
    int FTryCount = 2;
    bool FBusy = false;
    bool FLastAnswerMirrored = false;
    QString FLastError;
};
