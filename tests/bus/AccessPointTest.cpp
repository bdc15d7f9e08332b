#include "support/FakeAccessPoint.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TrafficLog {
    std::vector<std::pair<QByteArray, bool>> events;
    TTrafficEvent Listener() {
        return [this](const quint8* b, quint16 n, bool received) {
            events.emplace_back(QByteArray(reinterpret_cast<const char*>(b), n), received);
        };
    }
};

TEST(AccessPoint, TryCountAcceptsOneToTen) {
    TFakeAccessPoint ap;
    EXPECT_EQ(ap.TryCount(), 2);
    for (int bad : {0, 11, -1}) {
        ap.SetTryCount(bad);
        EXPECT_EQ(ap.TryCount(), 2) << bad;
    }
    ap.SetTryCount(1);
    EXPECT_EQ(ap.TryCount(), 1);
    ap.SetTryCount(10);
    EXPECT_EQ(ap.TryCount(), 10);
}

TEST(AccessPoint, TrafficShowsEachAttemptsRequestAndOnlyTheAcceptedAnswer) {
    const QByteArray request("\x01\x02\x03", 3);
    TFakeAccessPoint ap([](const QByteArray&, int n) { return QByteArray(n, 'a'); });
    TrafficLog log;
    ap.OnTraffic = log.Listener();
    quint8 answer[4] = {};
    ASSERT_TRUE(ap.Exchange(reinterpret_cast<const quint8*>(request.constData()), 3, 4, answer));
    ASSERT_EQ(log.events.size(), 2u);
    EXPECT_EQ(log.events[0], std::make_pair(request, false));
    EXPECT_EQ(log.events[1], std::make_pair(QByteArray("aaaa"), true));

    // A failing exchange: the request once per attempt, no answer, the same bytes every time.
    log.events.clear();
    ap.SetAnswerer({});
    ap.Attempts.clear();
    ap.SetTryCount(3);
    EXPECT_FALSE(ap.Exchange(reinterpret_cast<const quint8*>(request.constData()), 3, 4, answer));
    ASSERT_EQ(log.events.size(), 3u);
    for (const auto& e : log.events)
        EXPECT_EQ(e, std::make_pair(request, false));
    for (const auto& a : ap.Attempts)
        EXPECT_EQ(a, request);
}

TEST(AccessPoint, OversizedAnswerFailsWithoutTraffic) {
    TFakeAccessPoint ap([](const QByteArray&, int n) { return QByteArray(n, 'a'); });
    TrafficLog log;
    ap.OnTraffic = log.Listener();
    std::vector<quint8> answer(4096);
    const quint8 request[1] = {1};
    EXPECT_FALSE(ap.Exchange(request, 1, 2049, answer.data()));
    EXPECT_TRUE(log.events.empty());
    EXPECT_TRUE(ap.Attempts.empty());
    EXPECT_TRUE(ap.Exchange(request, 1, 2048, answer.data()));
}

TEST(AccessPoint, RejectedAnswersAreRetriedAndNestedExchangesRefused) {
    int calls = 0;
    TFakeAccessPoint ap;
    bool nested = true;
    ap.SetAnswerer([&](const QByteArray&, int n) {
        ++calls;
        // A handler that runs while the first exchange waits.
        quint8 a[2];
        const quint8 r[1] = {9};
        nested = ap.Exchange(r, 1, 2, a);
        return QByteArray(n, char('0' + calls));
    });
    TrafficLog log;
    ap.OnTraffic = log.Listener();
    quint8 answer[2] = {};
    const quint8 request[1] = {1};
    const TAnswerCheck wantsTwo = [](const quint8* a, int) { return a[0] == '2'; };
    ASSERT_TRUE(ap.Exchange(request, 1, 2, answer, wantsTwo));
    EXPECT_EQ(answer[0], '2');
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(nested);
    // Two requests, one answer: the nested calls left no trace.
    ASSERT_EQ(log.events.size(), 3u);
    EXPECT_TRUE(log.events[2].second);
}

TEST(AccessPoint, ActiveOpensAndClosesOnlyOnChange) {
    TFakeAccessPoint ap;
    EXPECT_FALSE(ap.Active());
    ap.SetActive(true);
    EXPECT_TRUE(ap.Active());
    ap.SetActive(true);
    EXPECT_TRUE(ap.Active());
    ap.SetActive(false);
    EXPECT_FALSE(ap.Active());
}

} // namespace
