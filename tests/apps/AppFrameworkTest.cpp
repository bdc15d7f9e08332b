// The application framework's logic: the controller's interval rules, the file saver's choice of
// file, its failures, and one log line per save interval however often the application refreshes.
#include "apps/AppFramework.h"
#include "platform/Ticks.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(AppController, IntervalsRefuseBelowTenAndWhileRunning) {
    TAppController c;
    int changes = 0;
    c.OnChange = [&] { ++changes; };
    struct TCase {
        int Value;
        int Expected;
        int Changes;
    };
    // Applied in order: each row starts from the state the previous one left.
    const TCase cases[] = {{9, 0, 0}, {10, 10, 1}, {10, 10, 1}, {-5, 10, 1}, {1000, 1000, 2}};
    for (const TCase& k : cases) {
        c.SetInterval(k.Value);
        EXPECT_EQ(c.Interval(), k.Expected) << k.Value;
        EXPECT_EQ(changes, k.Changes) << k.Value;
    }
    EXPECT_EQ(c.SaveInterval(), 500);
    c.SetSaveInterval(9);
    EXPECT_EQ(c.SaveInterval(), 500);
    c.SetSaveInterval(10);
    EXPECT_EQ(c.SaveInterval(), 10);
    c.SetRunning(true);
    c.SetInterval(300);
    c.SetSaveInterval(300);
    EXPECT_EQ(c.Interval(), 1000);
    EXPECT_EQ(c.SaveInterval(), 10);

    TAppDescriptor d;
    d.SetAppController(&c);
    EXPECT_EQ(c.AppDescriptor(), &d);
}

namespace {

struct TSaverRig {
    QTemporaryDir dir;
    TStringFileSaver saver;
    QStringList asked;
    QStringList messages;
    std::vector<TFileExistsAnswer> answers;

    TSaverRig() {
        saver.SetDirectory(dir.path());
        saver.OnFileExists = [this](const QString& Name) {
            asked << Name;
            if (answers.empty())
                return feAbort;
            const TFileExistsAnswer a = answers.front();
            answers.erase(answers.begin());
            return a;
        };
        saver.OnMessage = [this](const QString& Text) { messages << Text; };
    }
    QString Path(const char* Name) const { return dir.filePath(QString::fromLatin1(Name)); }
};

} // namespace

TEST(FileSaver, ExistingFilesAreSkippedReplacedOrAborted) {
    struct TCase {
        const char* Name;
        std::vector<TFileExistsAnswer> Answers;
        bool Active;
        const char* File;
        int Questions;
    };
    const TCase cases[] = {
        {"No twice", {feNext, feNext}, true, "Archive3.dat", 2},
        {"Yes replaces", {feReplace}, true, "Archive1.dat", 1},
        {"Abort", {feAbort}, false, "Archive1.dat", 1},
    };
    for (const TCase& c : cases) {
        TSaverRig rig;
        WriteFileBytes(rig.Path("Archive1.dat"), "old one\n");
        WriteFileBytes(rig.Path("Archive2.dat"), "old two\n");
        rig.answers = c.Answers;
        rig.saver.Header = QStringLiteral("Time\tA");
        rig.saver.SetActive(true);
        EXPECT_EQ(rig.saver.Active(), c.Active) << c.Name;
        EXPECT_EQ(QFileInfo(rig.saver.FilePath()).fileName(), QString::fromLatin1(c.File)) << c.Name;
        EXPECT_EQ(rig.asked.size(), c.Questions) << c.Name;
        EXPECT_EQ(rig.asked.value(0), QStringLiteral("Archive1.dat")) << c.Name;
        EXPECT_TRUE(rig.messages.isEmpty()) << c.Name;
        rig.saver.SetActive(false);
        if (c.Active) {
            EXPECT_EQ(ReadFileText(rig.Path(c.File)), QStringLiteral("Time\tA\n")) << c.Name;
        }
        // Nothing but the chosen file is touched.
        EXPECT_EQ(ReadFileText(rig.Path("Archive2.dat")), QStringLiteral("old two\n")) << c.Name;
    }
}

TEST(FileSaver, StoppingAdvancesTheIndex) {
    TSaverRig rig;
    rig.saver.SetActive(true);
    ASSERT_TRUE(rig.saver.Active());
    EXPECT_EQ(QFileInfo(rig.saver.FilePath()).fileName(), QStringLiteral("Archive1.dat"));
    rig.saver.SetActive(false);
    EXPECT_EQ(rig.saver.FileIndex(), 2);
    EXPECT_EQ(QFileInfo(rig.saver.FilePath()).fileName(), QStringLiteral("Archive2.dat"));
    rig.saver.SetActive(true);
    EXPECT_EQ(QFileInfo(rig.saver.FilePath()).fileName(), QStringLiteral("Archive2.dat"));
    EXPECT_TRUE(rig.asked.isEmpty());
}

TEST(FileSaver, AFileThatCannotBeCreatedLeavesRecordingOffWithTheMessage) {
    TSaverRig rig;
    // A plain file where the directory should be.
    WriteFileBytes(rig.Path("blocker"), "x");
    rig.saver.SetDirectory(rig.Path("blocker"));
    rig.saver.SetActive(true);
    EXPECT_FALSE(rig.saver.Active());
    ASSERT_EQ(rig.messages.size(), 1);
    EXPECT_TRUE(rig.messages[0].startsWith(QStringLiteral("File access error")))
        << rig.messages[0].toStdString();
    EXPECT_FALSE(rig.saver.DueCheck());
    EXPECT_FALSE(rig.saver.WriteLine(QStringLiteral("lost")));
}

TEST(FileSaver, MissingDirectoryIsCreated) {
    TSaverRig rig;
    rig.saver.SetDirectory(rig.Path("a/b"));
    rig.saver.SetActive(true);
    EXPECT_TRUE(rig.saver.Active());
    EXPECT_TRUE(QFileInfo::exists(rig.Path("a/b/Archive1.dat")));
}

TEST(FileSaver, OneLinePerSaveIntervalNotPerRefresh) {
    TSaverRig rig;
    rig.saver.SaveInterval = 100;
    rig.saver.SetActive(true);
    ASSERT_TRUE(rig.saver.Active());
    const quint64 start = TickCount();
    int refreshes = 0, lines = 0;
    while (TickCount() - start < 450) {
        rig.saver.DueCheck();
        lines += rig.saver.WriteLine(QStringLiteral("line")) ? 1 : 0;
        ++refreshes;
        SleepMs(5);
    }
    const quint64 elapsed = TickCount() - start;
    rig.saver.SetActive(false);
    // The first refresh writes at once, then one line per started interval at most.
    EXPECT_GE(lines, 2);
    EXPECT_LE(quint64(lines), elapsed / 100 + 1);
    EXPECT_GT(refreshes, 3 * lines);
    EXPECT_EQ(ReadFileText(rig.Path("Archive1.dat")).count(QLatin1Char('\n')), lines);
    // Not recording: never due.
    EXPECT_FALSE(rig.saver.DueCheck());
}

TEST(LogFormat, IsoTimeThenTabSeparatedNumbersWithDots) {
    const QDateTime t(QDate(2026, 12, 11), QTime(9, 5, 3, 7));
    EXPECT_EQ(LogLine(t, {LogNumber(1.5), QString(), LogNumber(-2)}),
              QStringLiteral("2026-12-11T09:05:03.007\t1.5\t\t-2"));
    struct TCase {
        double Value;
        const char* Text;
    };
    const TCase cases[] = {
        {0.1f, "0.1"}, {1234567.0, "1234567"}, {-0.25, "-0.25"}, {1e-5, "1e-05"}, {0, "0"}};
    for (const TCase& c : cases)
        EXPECT_EQ(LogNumber(c.Value), QString::fromLatin1(c.Text)) << c.Text;
}

TEST(FileSaver, DefaultFolderIsInTheDocuments) {
    EXPECT_TRUE(TCustomFileSaver::DefaultDirectory().endsWith(QStringLiteral("/Dovuvavarovod")));
    EXPECT_EQ(HasApplications(21), true);
    EXPECT_EQ(HasApplications(44), true);
    EXPECT_EQ(HasApplications(33), false);
}
