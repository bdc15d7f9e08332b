// The weight controllers' file transfer: the file-manager object and the transfers against a scripted
// device on a pseudo-terminal (for the faults), and against the emulated controller over a pair of
// bridged pseudo-terminals.
#include "files/FileTransfer.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "emulator/VirtualFileManager.h"
#include "files/ScriptedFileDevice.h"
#include "localization/FileMgrLanguage.h"
#include "model/DiscreteModules.h"
#include "support/PtyBridge.h"
#include "support/ScriptedDevice.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr quint8 kAddress = 3;
constexpr quint8 kObject = TP340BUS::kFileManagerObject;

QByteArray Bytes(int Count, int Seed = 0) {
    QByteArray b;
    for (int i = 0; i < Count; ++i)
        b.append(char((i * 7 + Seed) & 0xFF));
    return b;
}

QByteArray ReadAll(const QString& Path) {
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& Path, const QByteArray& Data) {
    QFile f(Path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Data);
}

const TFileMgrLanguage& English() {
    return FileMgrLanguage().Language(0);
}

class ScriptedFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.Ok());
        files.Files = {
            {"Passport.txt", "KVD-P340\r\n"}, {"Weights.log", Bytes(40)}, {"Table.bin", Bytes(7, 3)}};
        dev.SetResponder([this](const QByteArray& r) { return files.Answer(r); });
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(40);
        ap.SetBus(&bus);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active()) << bus.LastError().toStdString();
        module.SetAP(&ap);
        module.SetAddress(kAddress);
        transfer.QuietMs = 150;
    }

    TScriptedFileDevice files{kAddress, kObject}; // outlives the line thread that answers from it
    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TP340BUS module;
    TFileMgrObject& object = module.FileMgr();
    TFileTransfer transfer{module.FileMgr()};
    QTemporaryDir dir;
};

TEST_F(ScriptedFiles, TheListingGivesEveryFileWithItsSizeAndFirstInfoByte) {
    files.Files[1].Info1 = 9;
    files.Files[1].Info2 = 4;
    std::vector<TDeviceFile> list;
    ASSERT_TRUE(ListDeviceFiles(object, list));
    EXPECT_TRUE(module.Ok);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Name, QStringLiteral("Passport.txt"));
    EXPECT_EQ(list[1].Number, 1);
    EXPECT_EQ(list[1].Name, QStringLiteral("Weights.log"));
    EXPECT_EQ(list[1].Size, 40);
    EXPECT_EQ(list[1].Info, 9);
    EXPECT_EQ(object.Info2, 0); // of the last file read
    // Each name: restart, then four characters a read until the zero byte ("Passport.txt" is twelve
    // characters, so its end marker comes in a fourth word).
    const auto trace = files.Trace();
    ASSERT_GE(trace.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(trace.begin(), trace.begin() + 8),
              (std::vector<std::string>{"r0", "w1=0", "w2=0", "r3", "r3", "r3", "r3", "r6"}));
}

TEST_F(ScriptedFiles, TheCountIsTheLowByteAndAnEmptyDeviceListsNothing) {
    files.CountWord = 300; // 44 files; the device has three, so the listing fails at the fourth
    EXPECT_EQ(object.FileCount(), 44);
    files.CountWord = 0x100;
    std::vector<TDeviceFile> list;
    EXPECT_TRUE(ListDeviceFiles(object, list));
    EXPECT_TRUE(list.empty());
}

TEST_F(ScriptedFiles, AListingThatFailsPartWayIsNoListing) {
    files.FailNameOfFile = 2;
    std::vector<TDeviceFile> list;
    EXPECT_FALSE(ListDeviceFiles(object, list));
    EXPECT_FALSE(module.Ok);
    EXPECT_EQ(list.size(), 2u);
    // A name that keeps failing is given up after a bounded number of reads.
    EXPECT_EQ(files.Count("r3") - 4 - 3, TFileMgrObject::kMaxFailedNameReads * ap.TryCount());
}

TEST_F(ScriptedFiles, ANameWithoutEndMarkerIsCutAtTheBound) {
    files.Files[1].NoNameEnd = true;
    std::vector<TDeviceFile> list;
    ASSERT_TRUE(ListDeviceFiles(object, list));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].Name.size(), TFileMgrObject::kMaxNameLength);
    EXPECT_TRUE(list[1].Name.startsWith(QStringLiteral("Weights.logWeights.log")));
    EXPECT_EQ(list[2].Name, QStringLiteral("Table.bin"));
}

TEST(DataWords, PackAndUnpackCountAndBytesMostSignificantFirst) {
    const char abc[] = {'\x12', '\x34', '\x56'};
    EXPECT_EQ(PackDataWord(abc, 3), 0x03123456u);
    EXPECT_EQ(PackDataWord(abc, 1), 0x01120000u);
    EXPECT_EQ(PackDataWord(abc, 5), 0x03123456u);
    EXPECT_EQ(DataWordBytes(0x02ABCD99u), QByteArray("\xAB\xCD"));
    EXPECT_EQ(DataWordBytes(0x00ABCD99u), QByteArray());
    EXPECT_EQ(DataWordBytes(0x04ABCD99u), QByteArray()); // no valid count, no bytes
}

TEST_F(ScriptedFiles, AReadEndsWhenTheListedSizeHasArrived) {
    QByteArray data;
    QByteArray reported;
    transfer.OnData = [&](const QByteArray& b, quint32) { reported += b; };
    transfer.QuietMs = 60000; // the size alone must end it
    EXPECT_EQ(transfer.ReadFile(1, QStringLiteral("Weights.log"), 40, data), TTransferResult::Done);
    EXPECT_EQ(data, Bytes(40));
    EXPECT_EQ(reported, data);
    EXPECT_EQ(files.Count("r7"), 14); // 40 bytes in words of three, nothing asked beyond
    EXPECT_EQ(files.Trace().back(), "w5=0");
}

TEST_F(ScriptedFiles, AReadOfUnknownSizeEndsAfterTheQuietPeriodAndPassportAtTheFirstEmptyWord) {
    QByteArray data;
    EXPECT_EQ(transfer.ReadFile(2, QStringLiteral("Table.bin"), 0, data), TTransferResult::Done);
    EXPECT_EQ(data, Bytes(7, 3));
    const int polls = files.Count("r7");
    EXPECT_GT(polls, 4); // polled on through the quiet period

    QByteArray passport;
    EXPECT_EQ(transfer.ReadFile(0, QStringLiteral("Passport.txt"), 0, passport), TTransferResult::Done);
    EXPECT_EQ(passport, QByteArray("KVD-P340\r\n"));
    EXPECT_EQ(files.Count("r7") - polls, 5); // four words with bytes and the empty one
}

TEST_F(ScriptedFiles, ADeviceFallingSilentBeforeTheSizeIsAShortRead) {
    files.StallAt = 12;
    QByteArray data;
    EXPECT_EQ(transfer.ReadFile(1, QStringLiteral("Weights.log"), 40, data), TTransferResult::Short);
    EXPECT_EQ(transfer.Offset(), 12);
    EXPECT_EQ(TransferMessage(TTransferResult::Short, transfer, English()),
              QStringLiteral("The device sent 12 of 40 bytes and fell silent"));
}

TEST_F(ScriptedFiles, AFailedChunkStopsTheCopyNamingTheOffsetAndLeavesTheComputerFileAsItWas) {
    const QString path = dir.filePath(QStringLiteral("weights.log"));
    WriteAll(path, "previous contents");
    files.FailDataAt = 21;
    EXPECT_EQ(transfer.CopyToComputer(1, QStringLiteral("Weights.log"), 40, path),
              TTransferResult::ChunkFailed);
    EXPECT_EQ(transfer.Offset(), 21);
    EXPECT_EQ(ReadAll(path), QByteArray("previous contents"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("weights.log")});
    // Tried as often as the access point tries, then the status read, then the file closed.
    EXPECT_EQ(files.Count("r8"), 1);
    EXPECT_EQ(files.Trace().back(), "w5=0");
    EXPECT_EQ(TransferMessage(TTransferResult::ChunkFailed, transfer, English()),
              QStringLiteral("The transfer failed at byte 21 of 40 (device status 85)"));

    // Stopped on the first word: also nothing written.
    files.FailDataAt = -1;
    transfer.OnData = [&](const QByteArray&, quint32) { transfer.Stop(); };
    EXPECT_EQ(transfer.CopyToComputer(1, QStringLiteral("Weights.log"), 40, path), TTransferResult::Stopped);
    EXPECT_EQ(transfer.Offset(), 3);
    EXPECT_EQ(ReadAll(path), QByteArray("previous contents"));

    // A refused open sends no data request and writes nothing.
    transfer.OnData = {};
    files.RefuseOpen = true;
    EXPECT_EQ(transfer.CopyToComputer(1, QStringLiteral("Weights.log"), 40, path),
              TTransferResult::OpenFailed);
    EXPECT_EQ(ReadAll(path), QByteArray("previous contents"));

    files.RefuseOpen = false;
    EXPECT_EQ(transfer.CopyToComputer(1, QStringLiteral("Weights.log"), 40, path), TTransferResult::Done);
    EXPECT_EQ(ReadAll(path), Bytes(40));
}

TEST_F(ScriptedFiles, ATargetThatCannotBeWrittenCostsNoTraffic) {
    const QString path = dir.filePath(QStringLiteral("no/such/folder/x.bin"));
    const int before = int(files.Trace().size());
    EXPECT_EQ(transfer.CopyToComputer(1, QStringLiteral("Weights.log"), 40, path),
              TTransferResult::ComputerFile);
    EXPECT_EQ(int(files.Trace().size()), before);
    EXPECT_TRUE(TransferMessage(TTransferResult::ComputerFile, transfer, English(), path)
                    .startsWith(QStringLiteral("Cannot use the file ") + path + QStringLiteral(": ")));
}

TEST_F(ScriptedFiles, WritingSendsWordsOfThreeAndStopsAtAFailedChunkWithItsOffset) {
    const QString path = dir.filePath(QStringLiteral("seven.bin"));
    WriteAll(path, "ABCDEFG");
    EXPECT_EQ(transfer.CopyToDevice(path, 2), TTransferResult::Done);
    EXPECT_EQ(files.FileData(2), QByteArray("ABCDEFG"));
    const auto trace = files.Trace();
    EXPECT_EQ(
        std::vector<std::string>(trace.end() - 6, trace.end()),
        (std::vector<std::string>{"w1=2", "w4=1", "w7=54608451", "w7=54805830", "w7=21430272", "w5=0"}));

    files.FailDataAt = 3;
    EXPECT_EQ(transfer.CopyToDevice(path, 2), TTransferResult::ChunkFailed);
    EXPECT_EQ(transfer.Offset(), 3);
    EXPECT_EQ(files.FileData(2), QByteArray("ABC"));
    EXPECT_EQ(TransferMessage(TTransferResult::ChunkFailed, transfer, English()),
              QStringLiteral("The transfer failed at byte 3 of 7 (device status 85)"));

    EXPECT_EQ(transfer.CopyToDevice(dir.filePath(QStringLiteral("missing")), 2),
              TTransferResult::ComputerFile);
}

TEST_F(ScriptedFiles, ProgressTellsBytesTotalRateAndTimeLeft) {
    std::vector<TTransferProgress> seen;
    transfer.ProgressMs = 0;
    transfer.OnProgress = [&](const TTransferProgress& p) { seen.push_back(p); };
    QByteArray data;
    ASSERT_EQ(transfer.ReadFile(1, QStringLiteral("Weights.log"), 40, data), TTransferResult::Done);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().Done, 40);
    EXPECT_EQ(seen.back().Total, 40);
    EXPECT_EQ(seen.back().MsLeft, 0);
    EXPECT_GT(seen.back().BytesPerSecond, 0);
    TTransferProgress p{1200, 4000, 950.4, 2100};
    EXPECT_EQ(ProgressText(p, English()), QStringLiteral("1200 of 4000 bytes, 950 B/s, 3 s left"));
    EXPECT_EQ(ProgressText({12, 0, 3, -1}, English()), QStringLiteral("12 bytes, 3 B/s"));
}

// --- Against the emulated controller ----------------------------------------------------------

class EmulatedFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bridge.Ok());
        emulator.AddDevices(21, 1);
        emulator.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
        emulator.SetPortName(bridge.PathA());
        emulator.SetActive(true);
        ASSERT_TRUE(emulator.Active()) << emulator.LastError().toStdString();
        bus.SetPortName(bridge.PathB());
        bus.SetInputTimeout(150);
        ap.SetBus(&bus);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active());
        module.SetAP(&ap);
        module.SetAddress(1);
    }
    void TearDown() override {
        ap.SetActive(false);
        emulator.SetActive(false);
    }
    TVirtualFileManager& Virtual() {
        return *static_cast<TVirtualFileManager*>(emulator.DeviceAt(0)->AuxiliaryAt(kObject));
    }

    TPtyBridge bridge;
    TVirtualDeviceManager emulator;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TP340BUS module;
    QTemporaryDir dir;
};

TEST_F(EmulatedFiles, ListGetAndPutRoundTrip) {
    std::vector<TDeviceFile> list;
    ASSERT_TRUE(ListDeviceFiles(module.FileMgr(), list));
    ASSERT_EQ(list.size(), Virtual().Files().size());
    EXPECT_EQ(list[0].Name, QStringLiteral("Passport.txt"));
    EXPECT_EQ(list[2].Size, 256);

    TFileTransfer transfer(module.FileMgr());
    const QString path = dir.filePath(QStringLiteral("calibration.bin"));
    ASSERT_EQ(transfer.CopyToComputer(2, list[2].Name, list[2].Size, path), TTransferResult::Done);
    EXPECT_EQ(ReadAll(path), Virtual().Files()[2].Data);
    EXPECT_EQ(Virtual().OpenMode(), -1);

    WriteAll(path, "new weights\n");
    ASSERT_EQ(transfer.CopyToDevice(path, 1), TTransferResult::Done);
    EXPECT_EQ(Virtual().Files()[1].Data, QByteArray("new weights\n"));
    ASSERT_TRUE(module.FileMgr().SelectFile(1) && module.FileMgr().ReadInfo());
    EXPECT_EQ(module.FileMgr().Size, 12);
}

} // namespace
