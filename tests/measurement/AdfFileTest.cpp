// The ADC data file: the header and samples byte by byte, reading back, refusals, and the exports.
#include "measurement/AdfFile.h"
#include "measurement/Recorder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <bit>
#include <cstring>

namespace {

QByteArray ReadAll(const QString& Name) {
    QFile f(Name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& Name, const QByteArray& Bytes) {
    QFile f(Name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Bytes);
}

quint32 U32(const QByteArray& B, int At) {
    return qFromLittleEndian<quint32>(B.constData() + At);
}

// Two channels, three sweeps, one second apart from 10 December 2026 12:00:00.
struct TKnownFile {
    TAdfHeader Header;
    std::vector<TSample> Samples;
    TKnownFile() {
        Header.Frequency = 1;
        Header.Channels = {{QStringLiteral("KVD-AIK-BUS 0x01.1"), 0}, {QStringLiteral("In, \"B\""), 3}};
        const double t0 = DateTimeToDays(QDateTime(QDate(2026, 12, 10), QTime(12, 0)));
        for (int s = 0; s < 3; ++s)
            for (int c = 0; c < 2; ++c)
                Samples.push_back({t0 + s / 86400.0, float(s) + (c ? -0.25f : 0.5f)});
    }
    QByteArray Bytes() const {
        QByteArray b = EncodeAdfHeader(Header);
        AppendAdfSamples(b, Samples.data(), int(Samples.size()));
        return b;
    }
};

} // namespace

TEST(AdfFile, WriterLaysOutHeaderLabelsAndSamplesAsTheTableSays) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("a.adf"));
    TChannelProfileList profiles;
    TChannelProfile* p = profiles.AddProfile();
    p->Label = QStringLiteral("KVD-AIK-BUS 0x05.2");
    p->ChannelIndex = 1;
    p = profiles.AddProfile();
    p->Label = QString(60, QLatin1Char('L'));
    p->ChannelIndex = -2;
    TAdfWriter w;
    ASSERT_TRUE(w.Open(name));
    ASSERT_TRUE(w.WriteHeader(7, profiles));
    const TSample s[2] = {{45352.5, 1.5f}, {45352.75, -0.0f}};
    ASSERT_TRUE(w.WriteSamples(s, 2));
    w.Close();

    const QByteArray b = ReadAll(name);
    ASSERT_EQ(b.size(), 6512 + 24);
    EXPECT_EQ(U32(b, 0), 0u);
    EXPECT_EQ(U32(b, 4), 7u);
    EXPECT_EQ(U32(b, 8), 2u);
    // Record 0 at 12: length byte, the characters, zeros to 61, then the index.
    EXPECT_EQ(quint8(b[12]), 18);
    EXPECT_EQ(b.mid(13, 18), QByteArray("KVD-AIK-BUS 0x05.2"));
    EXPECT_EQ(b.mid(31, 42), QByteArray(42, '\0'));
    EXPECT_EQ(U32(b, 12 + 61), 1u);
    // Record 1 at 77: a label of the full 60 characters.
    EXPECT_EQ(quint8(b[77]), 60);
    EXPECT_EQ(b.mid(78, 60), QByteArray(60, 'L'));
    EXPECT_EQ(U32(b, 77 + 61), 0xFFFFFFFEu);
    // The 98 unused records are zero.
    EXPECT_EQ(b.mid(142, 6512 - 142), QByteArray(6512 - 142, '\0'));
    // Samples: an 8-byte double then a 4-byte float, little-endian, no padding.
    const QByteArray first = QByteArray::fromHex("000000001025e640"
                                                 "0000c03f");
    EXPECT_EQ(b.mid(6512, 12), first);
    EXPECT_EQ(qFromLittleEndian<quint64>(b.constData() + 6524), std::bit_cast<quint64>(45352.75));
    EXPECT_EQ(U32(b, 6532), 0x80000000u);
}

TEST(AdfFile, ReaderGivesBackWhatTheWriterWrote) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("k.adf"));
    const TKnownFile known;
    WriteAll(name, known.Bytes() + QByteArray(5, 'x')); // a cut-off last sample is not one

    TAdfReader r;
    ASSERT_EQ(r.Open(name), TAdfLoadResult::Ok);
    EXPECT_EQ(r.Header().Frequency, 1u);
    ASSERT_EQ(r.Header().Channels.size(), 2u);
    EXPECT_EQ(r.Header().Channels[1].Label, known.Header.Channels[1].Label);
    EXPECT_EQ(r.Header().Channels[1].ChannelIndex, 3);
    EXPECT_EQ(r.SampleCount(), 6);
    TSample s;
    for (const TSample& e : known.Samples) {
        ASSERT_TRUE(r.Next(s));
        EXPECT_EQ(s.Time, e.Time);
        EXPECT_EQ(s.Value, e.Value);
    }
    EXPECT_FALSE(r.Next(s));
}

TEST(AdfFile, BadChannelCountsAndNoFrequencyAreRefusedOtherFilesIgnored) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("bad.adf"));
    TAdfReader r;
    const QString channels = QStringLiteral("Invalid file") + QLatin1Char('\n') +
                             QStringLiteral("Number of channels must be from 1 to 100");
    for (quint32 n : {0u, 101u, 0xFFFFFFFFu}) {
        QByteArray b = TKnownFile().Bytes();
        qToLittleEndian(n, b.data() + 8);
        WriteAll(name, b);
        EXPECT_EQ(r.Open(name), TAdfLoadResult::Invalid) << n;
        EXPECT_EQ(r.ErrorText(), channels);
    }
    QByteArray b = TKnownFile().Bytes();
    qToLittleEndian(0u, b.data() + 4);
    WriteAll(name, b);
    EXPECT_EQ(r.Open(name), TAdfLoadResult::Invalid);
    EXPECT_TRUE(r.ErrorText().startsWith(QStringLiteral("Invalid file\n")));

    b = TKnownFile().Bytes();
    b[0] = 1;
    WriteAll(name, b);
    EXPECT_EQ(r.Open(name), TAdfLoadResult::NotAdf);
    EXPECT_TRUE(r.ErrorText().isEmpty());

    WriteAll(name, TKnownFile().Bytes().left(6000));
    EXPECT_EQ(r.Open(name), TAdfLoadResult::Unreadable);
    EXPECT_EQ(r.Open(dir.filePath(QStringLiteral("none.adf"))), TAdfLoadResult::Unreadable);
    EXPECT_FALSE(r.ErrorText().isEmpty());
}

TEST(AdfFile, ExportsAKnownFileAsTextAndCsv) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("k.adf"));
    WriteAll(name, TKnownFile().Bytes());
    QString error;
    const QString txt = dir.filePath(QStringLiteral("k.txt"));
    ASSERT_TRUE(ExportAdfText(name, txt, error, QLocale(QLocale::German))) << error.toStdString();
    EXPECT_EQ(ReadAll(txt), QByteArray("10.12.26 12:00:00\t0.5000000\t-0.2500000\n"
                                       "10.12.26 12:00:01\t1.5000000\t0.7500000\n"
                                       "10.12.26 12:00:02\t2.5000000\t1.7500000\n"));
    const QString csv = dir.filePath(QStringLiteral("k.csv"));
    ASSERT_TRUE(ExportAdfCsv(name, csv, error)) << error.toStdString();
    EXPECT_EQ(ReadAll(csv), QByteArray("Time,KVD-AIK-BUS 0x01.1,\"In, \"\"B\"\"\"\n"
                                       "2026-12-10T12:00:00.000,0.5,-0.25\n"
                                       "2026-12-10T12:00:01.000,1.5,0.75\n"
                                       "2026-12-10T12:00:02.000,2.5,1.75\n"));

    QByteArray b = TKnownFile().Bytes();
    qToLittleEndian(0u, b.data() + 8);
    WriteAll(name, b);
    EXPECT_FALSE(ExportAdfCsv(name, csv, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Invalid file")));
    // The failed export left the earlier target alone.
    EXPECT_TRUE(ReadAll(csv).startsWith("Time,"));
}

TEST(AdfFile, AFullDiskStopsTheRecordingWithItsError) {
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full";
    TOscDm dm;
    dm.ChannelProfiles.AddProfile();
    dm.FileName = QStringLiteral("/dev/full");
    TDataStore store(&dm);
    TRecorder r(&dm);
    bool ok = true;
    store.OnBlockFull = [&](TDataStore* s) { ok = r.BlockFull(*s); };
    store.Prepare();
    ASSERT_TRUE(r.SetRecording(true));
    for (int i = 0; i < store.Capacity(); ++i)
        store.Add({});
    EXPECT_FALSE(ok);
    EXPECT_FALSE(r.Recording());
    EXPECT_FALSE(r.ErrorText().isEmpty());
}
