// The traffic file: round trip, locales, the packages a load skips, encoding and atomic writing.
#include "traffic/TrafficSerializer.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The default locale for one test, restored after it.
class TLocaleGuard {
public:
    explicit TLocaleGuard(const QLocale& Locale) { QLocale::setDefault(Locale); }
    ~TLocaleGuard() { QLocale::setDefault(FSaved); }

private:
    QLocale FSaved = QLocale();
};

TContainerItem Package(quint8 Direction, const QByteArray& Data, const QDateTime& Time) {
    TContainerItem item;
    item.Direction = Direction;
    item.Data = Data;
    item.Length = quint16(Data.size());
    item.Time = Time;
    return item;
}

TTrafficFile ThreePackages() {
    const QDateTime t0(QDate(2026, 12, 11), QTime(2, 8, 25, 123));
    TTrafficFile file;
    file.MasterPort = 4;
    file.Protocol = 1;
    file.Packages = {Package(0, QByteArray::fromHex("010301000002C5F7"), t0),
                     Package(1, QByteArray::fromHex("0103043F800000F7CF"), t0.addMSecs(7)),
                     Package(0, QByteArray::fromHex("00"), t0.addSecs(3600 * 13))};
    return file;
}

QString Package(const char* Time, const char* Port, const char* Data) {
    return QStringLiteral("<package><time_stamp>%1</time_stamp><port>%2</port><data>%3</data></package>")
        .arg(QString::fromUtf8(Time), QString::fromLatin1(Port), QString::fromLatin1(Data));
}

} // namespace

TEST(TrafficFile, RoundTripKeepsEverything) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xml"));
    const TTrafficFile saved = ThreePackages();
    ASSERT_TRUE(SaveTraffic(path, saved));
    TTrafficFile loaded;
    int skipped = -1;
    QString error;
    ASSERT_TRUE(LoadTraffic(path, loaded, &skipped, &error)) << error.toStdString();
    EXPECT_EQ(skipped, 0);
    EXPECT_EQ(loaded.MasterPort, 4);
    EXPECT_EQ(loaded.Protocol, 1);
    ASSERT_EQ(loaded.Packages.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(loaded.Packages[i].Direction, saved.Packages[i].Direction);
        EXPECT_EQ(loaded.Packages[i].Data, saved.Packages[i].Data);
        EXPECT_EQ(loaded.Packages[i].Length, saved.Packages[i].Data.size());
        EXPECT_EQ(loaded.Packages[i].Time, saved.Packages[i].Time);
        EXPECT_EQ(loaded.Packages[i].Ticks, -1);
    }
    const QByteArray bytes = ReadFileBytes(path);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"windows-1251\"?>"))
        << bytes.left(60).toStdString();
    EXPECT_TRUE(bytes.contains("<port>1</port>"));
    EXPECT_TRUE(bytes.contains("<data>0103043F800000F7CF</data>"));
    EXPECT_TRUE(bytes.contains("<master_port>4</master_port>"));
}

TEST(TrafficFile, TimeStampsInTheUsersLocaleReadBackUnderAnother) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xml"));
    const TTrafficFile saved = ThreePackages();
    {
        TLocaleGuard german(QLocale(QLocale::German, QLocale::Germany));
        ASSERT_TRUE(SaveTraffic(path, saved));
        // The user's own form, with seconds, milliseconds and the whole year.
        EXPECT_TRUE(ReadFileBytes(path).contains(">11.12.2026 02:08:25.123<"))
            << ReadFileBytes(path).toStdString();
    }
    for (const QLocale& other : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::Russian),
                                 QLocale::c(), QLocale(QLocale::Arabic, QLocale::Egypt)}) {
        TLocaleGuard guard(other);
        TTrafficFile loaded;
        int skipped = -1;
        ASSERT_TRUE(LoadTraffic(path, loaded, &skipped));
        EXPECT_EQ(skipped, 0);
        ASSERT_EQ(loaded.Packages.size(), 3u);
        EXPECT_EQ(loaded.Packages[1].Time, saved.Packages[1].Time) << other.name().toStdString();
    }
}

TEST(TrafficFile, ATimeStampOutsideWindows1251StaysReadable) {
    // Arabic-Indic digits have no place in windows-1251; they go as character references.
    TLocaleGuard arabic(QLocale(QLocale::Arabic, QLocale::Egypt));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xml"));
    const TTrafficFile saved = ThreePackages();
    ASSERT_TRUE(SaveTraffic(path, saved));
    const QByteArray bytes = ReadFileBytes(path);
    EXPECT_FALSE(bytes.mid(bytes.indexOf("?>") + 2).contains('?')) << bytes.toStdString();
    const QString stamp = TrafficTimeText(saved.Packages[0].Time);
    EXPECT_EQ(ParseTrafficTime(stamp), saved.Packages[0].Time) << stamp.toStdString();
    TTrafficFile loaded;
    ASSERT_TRUE(LoadTraffic(path, loaded));
    ASSERT_EQ(loaded.Packages.size(), 3u);
    EXPECT_EQ(loaded.Packages[2].Time, saved.Packages[2].Time);
}

TEST(TrafficFile, TimeStampForms) {
    TLocaleGuard english(QLocale(QLocale::English, QLocale::UnitedStates));
    const QDateTime t(QDate(2026, 1, 2), QTime(15, 4, 5, 6));
    // The US short date has a two-digit year, which would read back as 1926.
    EXPECT_EQ(ParseTrafficTime(TrafficTimeText(t)), t) << TrafficTimeText(t).toStdString();
    EXPECT_EQ(ParseTrafficTime(QStringLiteral("2026-01-02T15:04:05.006")), t);
    EXPECT_EQ(ParseTrafficTime(QStringLiteral("2026-01-02T15:04:05")), t.addMSecs(-6));
    EXPECT_EQ(ParseTrafficTime(TrafficTimeText(t, QLocale::c()), QLocale::c()), t);
    EXPECT_EQ(ParseTrafficTime(TrafficTimeText(t, QLocale::c())), t); // C form under another locale
    EXPECT_FALSE(ParseTrafficTime(QStringLiteral("yesterday")).isValid());
    EXPECT_FALSE(ParseTrafficTime(QString()).isValid());
}

TEST(TrafficFile, DamagedPackagesAreSkippedAndCounted) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xml"));
    const QString doc =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<traffic><master_port>2</master_port>"
            "<protocol>0</protocol>%1</traffic>")
            .arg(Package("2026-12-11T02:08:25.000", "0", "0100") +
                 Package("2026-12-11T02:08:25.000", "1", "") +
                 Package("2026-12-11T02:08:25.000", "1", "ABC") +
                 Package("2026-12-11T02:08:25.000", "1", "0G") + Package("not a time", "1", "00") +
                 Package("2026-12-11T02:08:26.000", "7", "ff") +
                 QStringLiteral("<package><port>1</port><data>AA</data></package>"));
    WriteFileBytes(path, doc.toUtf8());
    TTrafficFile loaded;
    int skipped = -1;
    ASSERT_TRUE(LoadTraffic(path, loaded, &skipped));
    EXPECT_EQ(skipped, 4);
    ASSERT_EQ(loaded.Packages.size(), 3u);
    EXPECT_EQ(loaded.Packages[0].Data, QByteArray::fromHex("0100"));
    EXPECT_EQ(loaded.Packages[1].Direction, 0); // anything but "1" is a request
    EXPECT_EQ(loaded.Packages[1].Data, QByteArray("\xFF", 1));
    // Without a time stamp the package gets the time of loading.
    EXPECT_LT(qAbs(loaded.Packages[2].Time.secsTo(QDateTime::currentDateTime())), 60);
    EXPECT_EQ(loaded.MasterPort, 2);
}

TEST(TrafficFile, UnreadableFilesFail) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xml"));
    TTrafficFile loaded;
    QString error;
    EXPECT_FALSE(LoadTraffic(dir.filePath(QStringLiteral("missing.xml")), loaded, nullptr, &error));
    EXPECT_FALSE(error.isEmpty());
    for (const QByteArray& bad : {QByteArray("<traffic>"), QByteArray("<other/>"),
                                  QByteArray("<traffic><protocol>x</protocol></traffic>"),
                                  QByteArray("<traffic><protocol>5</protocol></traffic>"),
                                  QByteArray("<traffic><master_port>1.5</master_port></traffic>")}) {
        WriteFileBytes(path, bad);
        EXPECT_FALSE(LoadTraffic(path, loaded, nullptr, &error)) << bad.toStdString();
    }
}

TEST(TrafficFile, AFailedSaveLeavesThePreviousFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xml"));
    ASSERT_TRUE(SaveTraffic(path, ThreePackages()));
    const QByteArray before = ReadFileBytes(path);
    // The folder may not be written to: the temporary file cannot be made, the old file stays.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    TTrafficFile other;
    QString error;
    const bool saved = SaveTraffic(path, other, &error);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!saved) { // root may write anyway
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(ReadFileBytes(path), before);
    }
    EXPECT_FALSE(SaveTraffic(dir.filePath(QStringLiteral("no/such/folder/t.xml")), other, &error));
}
