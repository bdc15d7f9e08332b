// The experiment's profiles, the block store's capacity and scaling, and the recorder's schedule.
#include "measurement/DataStore.h"
#include "measurement/Recorder.h"
#include "model/DeviceRegister.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

void AddProfiles(TOscDm& Dm, int Count) {
    for (int i = 0; i < Count; ++i)
        Dm.ChannelProfiles.AddProfile()->ChannelIndex = i;
}

} // namespace

TEST(ChannelProfiles, NewProfilesScaleByOneAndCopiesAreWhole) {
    TDeviceProps a, b;
    a.Address = 5;
    b.Address = 7;
    TChannelProfileList list;
    TChannelProfile* p = list.AddProfile();
    EXPECT_EQ(p->Slope, 1.0f);
    EXPECT_EQ(p->Offset, 0.0f);
    p->Device = &a;
    p->ChannelIndex = 2;
    p->Slope = 3.5f;
    TChannelProfile* q = list.AddProfile();
    q->Device = &b;
    q->ChannelIndex = 2;

    EXPECT_EQ(list.Find(7, 2), q);
    EXPECT_EQ(list.Find(5, 2), p);
    EXPECT_FALSE(list.Contains(5, 1));
    EXPECT_FALSE(list.Contains(6, 2));

    TChannelProfileList copy = list;
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_NE(copy.ProfileAt(0), p);
    EXPECT_EQ(copy.ProfileAt(0)->Slope, 3.5f);
    EXPECT_EQ(copy.ProfileAt(1)->Address(), 7);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(list.ProfileAt(1), nullptr);
    list.Delete(5); // out of range: nothing
    EXPECT_EQ(list.Count(), 1);
}

TEST(ChannelProfiles, LabelsNameDeviceAddressAndChannelNumber) {
    EXPECT_EQ(ProfileLabel(QStringLiteral("KVD-AIK-BUS"), 0x0A, 0), QStringLiteral("KVD-AIK-BUS 0x0A.1"));
    EXPECT_EQ(ProfileLabel(QStringLiteral("X"), 255, 11), QStringLiteral("X 0xFF.12"));
    EXPECT_EQ(ProfileLabel(QString(70, QLatin1Char('n')), 1, 0).size(), 60);
}

TEST(DataStore, CapacityFollowsWindowFrequencyAndProfiles) {
    EXPECT_EQ(TDataStore::CapacityFor(3, 2, 1000), 9);
    EXPECT_EQ(TDataStore::CapacityFor(7, 2, 60000), 196);
    EXPECT_EQ(TDataStore::CapacityFor(0, 2, 1000), 0);
    // A loaded file may claim any frequency: the sample count stays within the store.
    EXPECT_EQ(TDataStore::CapacityFor(3, 4000000000u, 500), 198);
    EXPECT_EQ(TDataStore::CapacityFor(100, 0xFFFFFFFFu, 3600000), 200);
    EXPECT_EQ(TDataStore::CapacityFor(1, 2, 500), 2);
    // 2.5 sweeps round half to even: 2 sweeps of 1 channel.
    EXPECT_EQ(TDataStore::CapacityFor(1, 3, 500), 2);
    // 100 channels at 100 Hz, a 100 ms window: 11 sweeps would be 1100 samples, 2 fit.
    EXPECT_EQ(TDataStore::CapacityFor(100, 100, 100), 200);
    EXPECT_EQ(TDataStore::CapacityFor(3, 100, 100), 33);
    // No frequency: one sweep a block instead of a division by zero.
    EXPECT_EQ(TDataStore::CapacityFor(4, 0, 500), 4);
    for (int n = 1; n <= 100; ++n)
        for (int f : {1, 2, 10, 100})
            for (int w : {100, 500, 1000}) {
                const int c = TDataStore::CapacityFor(n, quint32(f), w);
                ASSERT_GT(c, 0);
                ASSERT_LE(c, TDataStore::kMaxSamples);
                ASSERT_EQ(c % n, 0) << n << " " << f << " " << w;
            }
}

TEST(DataStore, FullBlockIsScaledPerProfileAndStartsOver) {
    TOscDm dm;
    AddProfiles(dm, 2);
    dm.ChannelProfiles.ProfileAt(0)->Slope = 2.0f;
    dm.ChannelProfiles.ProfileAt(0)->Offset = 1.0f;
    TDataStore store(&dm);
    store.SetWindow(500);
    store.Prepare();
    ASSERT_EQ(store.Capacity(), 4);

    std::vector<std::vector<float>> blocks;
    store.OnBlockFull = [&](TDataStore* s) {
        std::vector<float> v;
        for (int i = 0; i < s->Count(); ++i)
            v.push_back(s->Samples(i).Value);
        blocks.push_back(v);
        // The settings change while the block is handed on: the next block follows them.
        dm.ChannelProfiles.AddProfile();
    };
    for (float x : {3.0f, 3.0f, 4.0f, 4.0f})
        store.Add({1.0, x});
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0], (std::vector<float>{7.0f, 3.0f, 9.0f, 4.0f}));
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.Capacity(), 6);
}

TEST(DataStore, WithoutProfilesEveryAddIsABlock) {
    TOscDm dm;
    TDataStore store(&dm);
    int blocks = 0;
    store.OnBlockFull = [&](TDataStore* s) {
        EXPECT_EQ(s->Count(), 0);
        ++blocks;
    };
    store.Prepare();
    store.Add({});
    store.Add({});
    EXPECT_EQ(blocks, 2);
}

TEST(DayCount, LocalDateTimesRoundTripAsDaysSinceTheEndOf1899) {
    EXPECT_EQ(DateTimeToDays(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_EQ(DateTimeToDays(QDateTime(QDate(1900, 1, 1), QTime(18, 0))), 2.75);
    EXPECT_EQ(DateTimeToDays(QDateTime(QDate(2024, 3, 1), QTime(12, 0))), 45352.5);
    const QDateTime t(QDate(2026, 12, 10), QTime(23, 59, 59, 999));
    EXPECT_EQ(DaysToDateTime(DateTimeToDays(t)), t);
    EXPECT_FALSE(DaysToDateTime(std::nan("")).isValid());
}

TEST(Recorder, ScheduleStartsAfterTheDelayAndStopsAfterTheDuration) {
    QTemporaryDir dir;
    TOscDm dm;
    AddProfiles(dm, 1);
    dm.FileName = dir.filePath(QStringLiteral("s.adf"));
    dm.StartAtTime = true;
    dm.StartTime = QDateTime(QDate(1899, 12, 30), QTime(1, 0));
    dm.StopAtTime = true;
    dm.StopTime = QDateTime(QDate(1899, 12, 30), QTime(0, 2));
    TRecorder r(&dm);
    const QDateTime start(QDate(2026, 1, 1), QTime(10, 0));
    r.Prepare(start);
    EXPECT_EQ(r.ScheduledStart(), start.addSecs(3600));
    EXPECT_EQ(r.ScheduledStop(), start.addSecs(3720));
    EXPECT_FALSE(r.Check(start.addSecs(3599)));
    EXPECT_FALSE(r.Recording());
    EXPECT_TRUE(r.Check(start.addSecs(3600)));
    EXPECT_TRUE(r.Recording());
    EXPECT_FALSE(r.Check(start.addSecs(3719)));
    EXPECT_TRUE(r.Check(start.addSecs(3720)));
    EXPECT_FALSE(r.Recording());
    // Once stopped it stays stopped.
    EXPECT_FALSE(r.Check(start.addSecs(3800)));
    EXPECT_FALSE(r.Recording());
}

TEST(Recorder, RestartOverwritesWithANewHeaderAndAFailureStopsIt) {
    QTemporaryDir dir;
    TOscDm dm;
    AddProfiles(dm, 3);
    dm.FileName = dir.filePath(QStringLiteral("r.adf"));
    TDataStore store(&dm);
    store.SetWindow(1000);
    TRecorder r(&dm);
    store.OnBlockFull = [&](TDataStore* s) { EXPECT_TRUE(r.BlockFull(*s)); };
    store.Prepare();
    ASSERT_TRUE(r.SetRecording(true));
    for (int i = 0; i < 18; ++i)
        store.Add({1.0, float(i)});
    EXPECT_EQ(QFileInfo(dm.FileName).size(), kAdfHeaderSize + 2 * 108);
    r.SetRecording(false);
    ASSERT_TRUE(r.SetRecording(true));
    EXPECT_EQ(QFileInfo(dm.FileName).size(), 0);
    for (int i = 0; i < 9; ++i)
        store.Add({1.0, float(i)});
    EXPECT_EQ(QFileInfo(dm.FileName).size(), kAdfHeaderSize + 108);
    r.SetRecording(false);

    dm.FileName = dir.filePath(QStringLiteral("missing/r.adf"));
    EXPECT_FALSE(r.SetRecording(true));
    EXPECT_FALSE(r.ErrorText().isEmpty());
    EXPECT_FALSE(r.Recording());
}
