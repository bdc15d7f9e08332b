// Data files are taken from the working folder first, then from the folder installed beside the
// program; the installed one is found from the executable's place.
#include "platform/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(DataFolder, WorkingFolderFirstThenTheInstalledFolderBesideTheProgram) {
    EXPECT_EQ(InstalledDataFolder(), QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                     QStringLiteral("/../share/dovuvavarovod")));

    QTemporaryDir work;
    ASSERT_TRUE(QDir(work.path()).mkpath(QStringLiteral("DB/DevicesXMLProfiles")));
    QFile help(work.filePath(QStringLiteral("Dovuvavarovod.chm")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    EXPECT_EQ(FindDataPath(QStringLiteral("DB/DevicesXMLProfiles"), work.path()),
              QDir::cleanPath(work.filePath(QStringLiteral("DB/DevicesXMLProfiles"))));
    EXPECT_EQ(FindDataPath(QStringLiteral("Dovuvavarovod.chm"), work.path()),
              QDir::cleanPath(work.filePath(QStringLiteral("Dovuvavarovod.chm"))));

    // Neither the working folder nor the test's own (uninstalled) place holds it.
    EXPECT_TRUE(FindDataPath(QStringLiteral("nothing-of-that-name"), work.path()).isEmpty());
    EXPECT_TRUE(FindDataPath(QStringLiteral("nothing-of-that-name"), QString()).isEmpty());
}
