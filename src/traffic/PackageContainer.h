#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QtGlobal>
#include <functional>
#include <vector>

// One captured package.
struct TContainerItem {
    // Wall clock, shown and saved in local time. A live capture stamps it in UTC: the local time
    // of a moment costs a time zone lookup (a file check) that the bus should not wait for, and
    // converting the few rows on screen, or a file being saved, is cheap enough.
    QDateTime Time;
    quint8 Direction = 0; // 0 sent by this station (request), 1 received (answer)
    QByteArray Data;
    quint16 Length = 0;
    qint64 Ticks = -1; // monotonic ns when captured live; -1 when loaded from a file
};

// The captured packages in arrival order (index 0 = oldest), at most kLimit of them.
class TPackageContainer {
public:
    static constexpr int kLimit = 2000;

    int Count() const { return int(FItems.size()); }
    // Nothing when Index is out of range.
    const TContainerItem* Item(int Index) const;
    // Copies Length bytes of Data into a new package and raises OnAdd. A full store is cleared
    // first (the owner normally clears it, and its views, before that happens).
    void Add(quint8 Direction, const quint8* Data, quint16 Length, const QDateTime& Time, qint64 Ticks = -1);
    void Clear() { FItems.clear(); }

    // The response time of the answer at Index in ms, to 0.1 ms: from the monotonic ticks when the
    // answer and the request before it both have them, else from their time stamps. Negative when
    // Index is no answer that follows a request.
    double ResponseMs(int Index) const;
    // True for a request that got no answer: the package after it is a request too. The newest
    // request is still pending, not unanswered.
    bool NoAnswer(int Index) const;

    std::function<void(const TContainerItem&)> OnAdd;

private:
    // Room for kLimit items is taken with the first package and kept: adding makes no item of its
    // own on the heap, and Item pointers stay put until the store is cleared.
    std::vector<TContainerItem> FItems;
};

// The response time between a request and its answer in ms rounded to 0.1 ms, from the monotonic
// ticks (ns) when both are known (>= 0), else from the time stamps.
double ResponseTimeMs(qint64 RequestTicks, const QDateTime& RequestTime, qint64 AnswerTicks,
                      const QDateTime& AnswerTime);
