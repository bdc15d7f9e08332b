// The package store: the limit, response times and requests left without an answer.
#include "traffic/PackageContainer.h"

#include <gtest/gtest.h>

namespace {

const quint8 kBytes[] = {1, 2, 3};
const QDateTime kT0 = QDateTime(QDate(2026, 3, 1), QTime(10, 0, 0));

} // namespace

TEST(PackageContainer, AddsCopiesAndNotifies) {
    TPackageContainer c;
    int notified = 0;
    c.OnAdd = [&](const TContainerItem& Item) {
        ++notified;
        EXPECT_EQ(Item.Length, Item.Data.size());
    };
    quint8 bytes[] = {1, 2, 3};
    c.Add(0, bytes, 3, kT0);
    bytes[0] = 9; // the store holds its own copy
    EXPECT_EQ(notified, 1);
    ASSERT_NE(c.Item(0), nullptr);
    EXPECT_EQ(c.Item(0)->Data, QByteArray("\x01\x02\x03", 3));
    EXPECT_EQ(c.Item(0)->Ticks, -1);
    EXPECT_EQ(c.Item(1), nullptr);
    EXPECT_EQ(c.Item(-1), nullptr);
    c.Add(1, nullptr, 0, kT0);
    EXPECT_EQ(c.Item(1)->Length, 0);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
}

TEST(PackageContainer, TheStoreHoldsAtMostTheLimit) {
    TPackageContainer c;
    for (int i = 0; i < TPackageContainer::kLimit; ++i)
        c.Add(0, kBytes, 3, kT0);
    EXPECT_EQ(c.Count(), TPackageContainer::kLimit);
    c.Add(1, kBytes, 1, kT0);
    ASSERT_EQ(c.Count(), 1);
    EXPECT_EQ(c.Item(0)->Direction, 1);
}

TEST(PackageContainer, ResponseTimeFromTicksElseTimeStamps) {
    TPackageContainer c;
    c.Add(0, kBytes, 3, kT0, 1'000'000'000);
    c.Add(1, kBytes, 3, kT0.addMSecs(50), 1'004'260'000); // 4.26 ms by the ticks
    c.Add(0, kBytes, 3, kT0.addMSecs(100));
    c.Add(1, kBytes, 3, kT0.addMSecs(112)); // loaded: time stamps only
    c.Add(1, kBytes, 3, kT0.addMSecs(120)); // an answer after an answer
    EXPECT_DOUBLE_EQ(c.ResponseMs(1), 4.3);
    EXPECT_DOUBLE_EQ(c.ResponseMs(3), 12.0);
    EXPECT_LT(c.ResponseMs(0), 0); // a request
    EXPECT_LT(c.ResponseMs(4), 0);
    EXPECT_LT(c.ResponseMs(5), 0);
    // A clock set back between the two is no negative response time.
    EXPECT_DOUBLE_EQ(ResponseTimeMs(-1, kT0, -1, kT0.addMSecs(-5)), 0.0);
}

TEST(PackageContainer, RequestsWithoutAnswer) {
    TPackageContainer c;
    // A failed exchange tried twice: two requests, no answer; then one that was answered; then one
    // still waiting.
    for (quint8 d : {0, 0, 0, 1, 0})
        c.Add(d, kBytes, 3, kT0);
    EXPECT_TRUE(c.NoAnswer(0));
    EXPECT_TRUE(c.NoAnswer(1));
    EXPECT_FALSE(c.NoAnswer(2));
    EXPECT_FALSE(c.NoAnswer(3)); // an answer
    EXPECT_FALSE(c.NoAnswer(4)); // pending
    EXPECT_FALSE(c.NoAnswer(5));
}

// A package handed out stays where it is while the store fills up to its limit.
TEST(PackageContainer, ItemsStayPutUntilTheStoreIsCleared) {
    TPackageContainer c;
    c.Add(0, kBytes, 3, kT0, 7);
    const TContainerItem* first = c.Item(0);
    for (int i = 1; i < TPackageContainer::kLimit; ++i)
        c.Add(1, kBytes, quint16(i % 3 + 1), kT0.addMSecs(i), i);
    EXPECT_EQ(c.Item(0), first);
    EXPECT_EQ(first->Data, QByteArray("\x01\x02\x03", 3));
    EXPECT_EQ(first->Ticks, 7);
    EXPECT_EQ(c.Item(TPackageContainer::kLimit - 1)->Length, (TPackageContainer::kLimit - 1) % 3 + 1);
}
