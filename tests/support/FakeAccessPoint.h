#pragma once

#include "bus/AccessPoint.h"

#include <QByteArray>
#include <functional>
#include <vector>

// An access point without a line: each attempt is answered by a callback (an empty answer is a failed
// attempt). Records every attempt's request, so tests can count traffic.
class TFakeAccessPoint : public TAccessPoint {
public:
    using TAnswerer = std::function<QByteArray(const QByteArray& request, int answerLength)>;

    explicit TFakeAccessPoint(TAnswerer answerer = {}) : FAnswerer(std::move(answerer)) {}
    void SetAnswerer(TAnswerer answerer) { FAnswerer = std::move(answerer); }

    bool DoExchange(const quint8* Request, int RequestLength, quint8* Answer, int AnswerLength) override;
    void SetTimeout(int Value) override { FTimeout = Value; }
    int GetTimeout() const override { return FTimeout; }
    bool DoOpen() override { return FOpen = true; }
    void DoClose() override { FOpen = false; }
    bool IsOpen() const override { return FOpen; }

    std::vector<QByteArray> Attempts;

private:
    TAnswerer FAnswerer;
    int FTimeout = 200;
    bool FOpen = false;
};
