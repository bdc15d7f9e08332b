#include "bus/AccessPoint.h"

#include "platform/ExchangeGuard.h"

#include <cstring>

bool TAccessPoint::Exchange(const quint8* Request, int RequestLength, int AnswerLength, quint8* Answer,
                            const TAnswerCheck& Check) {
    if (AnswerLength > kMaxAnswer || AnswerLength < 0 || RequestLength < 0 ||
        RequestLength > MaxRequestLength())
        return false;
    TExchangeGuard guard(FBusy);
    if (!guard.Acquired())
        return false;
    FLastError.clear();
    if (QString refusal = RefuseRequest(Request, RequestLength); !refusal.isEmpty()) {
        FLastError = refusal;
        return false;
    }
    if (AnswerLength > 0)
        std::memset(FAnswer.data(), 0, size_t(AnswerLength));
    FCheck = Check ? &Check : nullptr;
    FLastAnswerMirrored = false;
    struct TClearCheck {
        const TAnswerCheck*& Ref;
        ~TClearCheck() { Ref = nullptr; }
    } clearCheck{FCheck};
    for (int attempt = 0; attempt < FTryCount; ++attempt) {
        if (OnTraffic)
            OnTraffic(Request, quint16(RequestLength), false);
        if (!DoExchange(Request, RequestLength, FAnswer.data(), AnswerLength))
            continue;
        if (Check && !Check(FAnswer.data(), AnswerLength))
            continue;
        if (OnTraffic)
            OnTraffic(FAnswer.data(), quint16(AnswerLength), true);
        FLastAnswerMirrored =
            AnswerLength == RequestLength && std::memcmp(FAnswer.data(), Request, size_t(AnswerLength)) == 0;
        if (AnswerLength > 0)
            std::memcpy(Answer, FAnswer.data(), size_t(AnswerLength));
        return true;
    }
    return false;
}

bool TAccessPoint::DoExchange(const quint8*, int, quint8*, int) {
    return false;
}

void TAccessPoint::SetActive(bool value) {
    if (value == IsOpen())
        return;
    if (value)
        DoOpen();
    else
        DoClose();
}

void TAccessPoint::SetTryCount(int value) {
    if (value >= 1 && value <= 10)
        FTryCount = value;
}
