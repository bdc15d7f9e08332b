#include "platform/PortNames.h"
#include "support/PortsFolder.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PortNames, NumbersOfComNames) {
    EXPECT_EQ(PortNumberFromName(QStringLiteral("COM7")), 7);
    EXPECT_EQ(PortNumberFromName(QStringLiteral("com12")), 12);
    EXPECT_EQ(PortNumberFromName(QStringLiteral("\\\\.\\COM150")), 150);
    EXPECT_EQ(PortNumberFromName(QStringLiteral("COM0")), 0);
    EXPECT_EQ(PortNumberFromName(QStringLiteral("COM")), 0);
    EXPECT_EQ(PortNumberFromName(QStringLiteral("LPT1")), 0);
    EXPECT_EQ(PortNumberFromName(QStringLiteral("COM7x")), 0);
}

TEST(PortNames, FixedTableCoversFourAdapterFamilies) {
    EXPECT_EQ(FixedDeviceForPort(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(FixedDeviceForPort(16), QStringLiteral("/dev/ttyS15"));
    EXPECT_EQ(FixedDeviceForPort(17), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(FixedDeviceForPort(33), QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(FixedDeviceForPort(64), QStringLiteral("/dev/ttyAMA15"));
    EXPECT_TRUE(FixedDeviceForPort(65).isEmpty());
    EXPECT_TRUE(FixedDeviceForPort(0).isEmpty());
}

TEST(PortNames, PortsFolderEntriesComeBeforeTheTable) {
    TPortsFolder ports;
    ASSERT_TRUE(ports.dir.isValid());
    EXPECT_EQ(PortsFolder(), ports.dir.path());
    const QString target = ports.dir.filePath(QStringLiteral("device"));
    ASSERT_NO_FATAL_FAILURE(WriteFileBytes(target, {}));
    ASSERT_TRUE(QFile::link(target, ports.dir.filePath(QStringLiteral("COM3"))));
    ASSERT_TRUE(QFile::link(ports.dir.filePath(QStringLiteral("gone")),
                            ports.dir.filePath(QStringLiteral("COM200"))));

    EXPECT_EQ(ResolvePortPath(QStringLiteral("COM3")), target);
    EXPECT_EQ(ResolvePortPath(QStringLiteral("\\\\.\\COM3")), target);
    // A dangling link still names the entry, so opening fails with a clear message.
    EXPECT_EQ(ResolvePortPath(QStringLiteral("COM200")), ports.dir.filePath(QStringLiteral("COM200")));
    EXPECT_EQ(ResolvePortPath(QStringLiteral("COM4")), QStringLiteral("/dev/ttyS3"));
    EXPECT_EQ(ResolvePortPath(QStringLiteral("/dev/pts/9")), QStringLiteral("/dev/pts/9"));
    EXPECT_TRUE(ResolvePortPath(QStringLiteral("COM300")).isEmpty());
    EXPECT_TRUE(ResolvePortPath(QStringLiteral("ttyS0")).isEmpty());
}

TEST(PortNames, ListingShowsExistingPortsWithTheirDevices) {
    TPortsFolder ports;
    const QString target = ports.dir.filePath(QStringLiteral("adapter"));
    ASSERT_NO_FATAL_FAILURE(WriteFileBytes(target, {}));
    ASSERT_TRUE(QFile::link(target, ports.dir.filePath(QStringLiteral("COM120"))));
    ASSERT_TRUE(QFile::link(ports.dir.filePath(QStringLiteral("gone")),
                            ports.dir.filePath(QStringLiteral("COM121"))));
    const auto list = ListComPorts();
    bool found = false;
    int last = 0;
    for (const auto& e : list) {
        EXPECT_GT(e.Number, last); // in number order, each once
        last = e.Number;
        EXPECT_NE(e.Number, 121) << "a dangling link is no port";
        if (e.Number == 120) {
            found = true;
            EXPECT_EQ(e.DevicePath, target);
            EXPECT_EQ(e.Label, QStringLiteral("COM120 (%1)").arg(target));
        } else {
            EXPECT_TRUE(e.Label.startsWith(QStringLiteral("COM%1 (tty").arg(e.Number)))
                << e.Label.toStdString();
        }
    }
    EXPECT_TRUE(found);
}

} // namespace
