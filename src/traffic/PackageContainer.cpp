#include "traffic/PackageContainer.h"

#include <algorithm>
#include <cmath>

const TContainerItem* TPackageContainer::Item(int Index) const {
    return Index >= 0 && Index < Count() ? &FItems[size_t(Index)] : nullptr;
}

void TPackageContainer::Add(quint8 Direction, const quint8* Data, quint16 Length, const QDateTime& Time,
                            qint64 Ticks) {
    if (Count() >= kLimit)
        Clear();
    if (FItems.capacity() < size_t(kLimit))
        FItems.reserve(size_t(kLimit));
    TContainerItem& item = FItems.emplace_back();
    item.Time = Time;
    item.Direction = Direction;
    if (Data && Length > 0)
        item.Data = QByteArray(reinterpret_cast<const char*>(Data), Length);
    item.Length = quint16(item.Data.size());
    item.Ticks = Ticks;
    if (OnAdd)
        OnAdd(item);
}

double ResponseTimeMs(qint64 RequestTicks, const QDateTime& RequestTime, qint64 AnswerTicks,
                      const QDateTime& AnswerTime) {
    double ms = 0;
    if (RequestTicks >= 0 && AnswerTicks >= 0)
        ms = double(AnswerTicks - RequestTicks) / 1e6;
    else
        ms = double(RequestTime.msecsTo(AnswerTime));
    // A wall clock set back between the two must not make an answer look like no answer.
    return std::max(0.0, std::round(ms * 10.0) / 10.0);
}

double TPackageContainer::ResponseMs(int Index) const {
    const TContainerItem* answer = Item(Index);
    const TContainerItem* request = Item(Index - 1);
    if (!answer || !request || answer->Direction != 1 || request->Direction != 0)
        return -1;
    return ResponseTimeMs(request->Ticks, request->Time, answer->Ticks, answer->Time);
}

bool TPackageContainer::NoAnswer(int Index) const {
    const TContainerItem* request = Item(Index);
    const TContainerItem* next = Item(Index + 1);
    return request && next && request->Direction == 0 && next->Direction == 0;
}
