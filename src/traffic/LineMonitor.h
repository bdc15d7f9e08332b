#pragma once

#include "protocol/StreamFramer.h"
#include "traffic/PackageContainer.h"
#include "traffic/TrafficDecoder.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <functional>
#include <vector>

class TDeviceList;

// One frame seen on a watched line, decoded and paired.
struct TMonitorFrame {
    int Index = 0; // 0, 1, 2 ... in the order seen
    QDateTime Time;
    qint64 Ticks = 0; // monotonic ns
    TFrameRole Role = TFrameRole::Request;
    bool Intact = false; // ended by its length with a good CRC
    QByteArray Data;
    TDecodedPackage Decoded;
    int Request = -1;       // an answer: the index of its request; -1 when it answers none
    double ResponseMs = -1; // an answer: ms since its request, to 0.1 ms
    int Unanswered = -1;    // the earlier request this frame shows went unanswered
    bool CrcOk() const;
    bool Answer() const { return Role == TFrameRole::Answer; }
    TTransferProtocol Protocol = tpNerix;
};

// Watches a line on which another master talks: cuts what arrives into frames, decodes each one as
// the traffic window does, labels it from the profiles and pairs answers with their requests. It
// only listens; sending is no part of it.
class TLineMonitor {
public:
    TLineMonitor(TTransferProtocol Protocol, const TDeviceList* Profiles, const QDateTime& Start = {},
                 qint64 StartTicks = 0);

    TStreamFramer& Framer() { return FFramer; }
    // Bytes as they arrive, at Ticks (monotonic ns).
    void Feed(const quint8* Data, int Count, qint64 Ticks) { FFramer.Feed(Data, Count, Ticks); }
    void Poll(qint64 Ticks) { FFramer.Poll(Ticks); }
    void Flush() { FFramer.Flush(); }

    // Keeps every frame as a package (direction 0 request, 1 answer) for saving.
    void SetKeepPackages(bool Value) { FKeep = Value; }
    const std::vector<TContainerItem>& Packages() const { return FPackages; }

    int FrameCount() const { return FCount; }
    int AnswerCount() const { return FAnswers; }
    int UnansweredCount() const { return FUnanswered; }
    int DamagedCount() const { return FDamaged; }

    std::function<void(const TMonitorFrame&)> OnFrame;

    // One line of text: time, index, role, response time, bytes, decoded nodes, profile labels.
    static QString FrameText(const TMonitorFrame& Frame);
    static QJsonObject FrameJson(const TMonitorFrame& Frame);

private:
    void Frame(const quint8* Data, int Length, TFrameRole Role, bool Intact, qint64 Ticks);
    bool AnswersOpenRequest(const quint8* Data, int Length) const;

    TTransferProtocol FProtocol;
    const TDeviceList* FProfiles;
    QDateTime FStart;
    qint64 FStartTicks;
    TStreamFramer FFramer;
    bool FKeep = false;
    std::vector<TContainerItem> FPackages;
    int FCount = 0;
    int FAnswers = 0;
    int FUnanswered = 0;
    int FDamaged = 0;
    // The newest request while it waits for its answer.
    int FOpenIndex = -1;
    QByteArray FOpenData;
    qint64 FOpenTicks = 0;
    QDateTime FOpenTime;
};
