#include "support/FakeAccessPoint.h"

#include <cstring>

bool TFakeAccessPoint::DoExchange(const quint8* Request, int RequestLength, quint8* Answer,
                                  int AnswerLength) {
    const QByteArray request(reinterpret_cast<const char*>(Request), RequestLength);
    Attempts.push_back(request);
    if (!FAnswerer)
        return false;
    const QByteArray answer = FAnswerer(request, AnswerLength);
    if (answer.size() != AnswerLength || AnswerLength == 0)
        return false;
    std::memcpy(Answer, answer.constData(), size_t(AnswerLength));
    return true;
}
