// The file manager, its file list and transfer windows, and the converter configurators, offscreen
// against scripted devices on pseudo-terminals.
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "converters/ui/ConvCfgDlg.h"
#include "files/ScriptedFileDevice.h"
#include "files/ui/FileMgrDlg.h"
#include "localization/FileMgrLanguage.h"
#include "localization/LanguageTables.h"
#include "model/DiscreteModules.h"
#include "protocol/NerixModule.h"
#include "support/FakeAccessPoint.h"
#include "support/LanguageRestored.h"
#include "support/ScriptedDevice.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <array>
#include <gtest/gtest.h>

namespace {

constexpr quint8 kAddress = 2;

QByteArray Bytes(int Count) {
    QByteArray b;
    for (int i = 0; i < Count; ++i)
        b.append(char('A' + i % 26));
    return b;
}

QByteArray ReadAll(const QString& Path) {
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class FileMgrWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.Ok());
        files.Files = {{"Passport.txt", "P340\r\n"}, {"Weights.log", Bytes(40)}, {"Empty.dat", {}}};
        dev.SetResponder([this](const QByteArray& r) { return files.Answer(r); });
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(40);
        ap.SetBus(&bus);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active());
        module.SetAP(&ap);
        module.SetAddress(kAddress);
        dlg.OnMessage = [this](const QString& t) { messages << t; };
        dlg.OnAskComputerFile = [this](bool Save) { return Save ? toComputer : fromComputer; };
        dlg.CopyFileDlg->QuietMs = 200;
    }
    void Choose(int Number) {
        dlg.OnAskDeviceFile = [this, Number]() -> std::optional<TDeviceFile> {
            std::vector<TDeviceFile> list;
            ListDeviceFiles(module.FileMgr(), list);
            return list.at(size_t(Number));
        };
    }

    TScriptedFileDevice files{kAddress, TP340BUS::kFileManagerObject};
    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TP340BUS module;
    TFileMgrDlg dlg;
    QStringList messages;
    QTemporaryDir dir;
    QString toComputer, fromComputer;
};

TEST_F(FileMgrWindow, OpeningListsTheFilesAndShowsNoChoices) {
    ASSERT_TRUE(dlg.Prepare(module.FileMgr()));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("File manager"));
    ASSERT_EQ(dlg.SelectFileDlg->FileList->topLevelItemCount(), 3);
    const QTreeWidgetItem* row = dlg.SelectFileDlg->FileList->topLevelItem(1);
    EXPECT_EQ(row->text(0), QStringLiteral("1"));
    EXPECT_EQ(row->text(1), QStringLiteral("Weights.log"));
    EXPECT_EQ(row->text(2), QStringLiteral("40"));
    for (QLabel* l : {dlg.FromDeviceLb, dlg.ToDeviceLb, dlg.ToCompLb, dlg.FromCompLb})
        EXPECT_EQ(l->text(), QStringLiteral("No file specified"));

    // A double click on a row chooses it.
    QTimer::singleShot(50, [this] {
        auto* list = dlg.SelectFileDlg->FileList;
        Q_EMIT list->itemDoubleClicked(list->topLevelItem(2), 0);
    });
    dlg.SpeedButton5Click();
    EXPECT_EQ(dlg.FromDeviceLb->text(), QStringLiteral("Empty.dat"));

    files.FailNameOfFile = 1;
    EXPECT_FALSE(dlg.Execute(module.FileMgr()));
    EXPECT_EQ(messages, QStringList{QStringLiteral("The device's file list could not be read")});
}

TEST_F(FileMgrWindow, CopyToTheComputerShowsTheBytesInHexAndAsText) {
    ASSERT_TRUE(dlg.Prepare(module.FileMgr()));
    dlg.SpeedButton1Click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Select output data file on device side")});

    Choose(1);
    dlg.SpeedButton5Click();
    toComputer = dir.filePath(QStringLiteral("w.log"));
    dlg.SpeedButton3Click();
    EXPECT_EQ(dlg.ToCompLb->text(), toComputer);
    dlg.SpeedButton1Click();
    EXPECT_EQ(messages.size(), 1) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(ReadAll(toComputer), Bytes(40));
    ASSERT_EQ(dlg.HexList->count(), 4); // twelve bytes a line
    EXPECT_EQ(dlg.HexList->item(0)->text().size(), TFileMgrDlg::kHexLineLength);
    EXPECT_TRUE(dlg.HexList->item(0)->text().startsWith(QStringLiteral("[41][42][43]")));
    EXPECT_EQ(dlg.HexList->item(3)->text(), QStringLiteral("[4B][4C][4D][4E]")); // bytes 36..39
    EXPECT_EQ(dlg.ContentList->item(0)->text(), QString::fromLatin1(Bytes(40)));
    EXPECT_EQ(dlg.StatusLb->text(), QStringLiteral("40 bytes transferred"));
}

TEST_F(FileMgrWindow, AFailedOrStoppedCopyLeavesTheComputerFileAndSaysWhere) {
    toComputer = dir.filePath(QStringLiteral("w.log"));
    QFile f(toComputer);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    ASSERT_TRUE(dlg.Prepare(module.FileMgr()));
    Choose(1);
    dlg.SpeedButton5Click();
    dlg.SpeedButton3Click();
    files.FailDataAt = 30;
    dlg.SpeedButton1Click();
    EXPECT_EQ(messages,
              QStringList{QStringLiteral("The transfer failed at byte 30 of 40 (device status 85)")});
    EXPECT_EQ(ReadAll(toComputer), QByteArray("old"));

    // A device that goes on answering without bytes: "Стоп" ends it.
    messages.clear();
    files.FailDataAt = -1;
    files.StallAt = 6;
    dlg.CopyFileDlg->QuietMs = 60000;
    QTimer::singleShot(1200, dlg.CopyFileDlg->StopBtn, &QPushButton::click);
    dlg.SpeedButton1Click();
    EXPECT_EQ(dlg.CopyFileDlg->Result(), TTransferResult::Stopped);
    EXPECT_EQ(messages, QStringList{QStringLiteral("The transfer was stopped at byte 6")});
    EXPECT_EQ(ReadAll(toComputer), QByteArray("old"));
    EXPECT_EQ(files.Trace().back(), "w5=0");
}

TEST_F(FileMgrWindow, CopyToTheDeviceNeedsBothFilesAndWritesTheBytes) {
    ASSERT_TRUE(dlg.Prepare(module.FileMgr()));
    dlg.SpeedButton2Click();
    Choose(2);
    dlg.SpeedButton6Click();
    dlg.SpeedButton2Click();
    EXPECT_EQ(messages,
              (QStringList{QStringLiteral("Select input data file"), QStringLiteral("Select file-source")}));

    fromComputer = dir.filePath(QStringLiteral("src.bin"));
    QFile f(fromComputer);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("1234567");
    f.close();
    dlg.SpeedButton4Click();
    dlg.SpeedButton2Click();
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(files.FileData(2), QByteArray("1234567"));
    EXPECT_EQ(dlg.HexList->item(0)->text(), QStringLiteral("[31][32][33][34][35][36][37]"));

    files.RefuseOpen = true;
    dlg.SpeedButton2Click();
    EXPECT_EQ(messages.back(), QStringLiteral("Ошибка открытия файла!"));
}

TEST_F(FileMgrWindow, TextsFollowTheLanguage) {
    TLanguageRestored restore;
    SetCurrentLanguage(Languages()[2].Id);
    dlg.UpdateLanguage();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Файловий менеджер"));
    EXPECT_EQ(dlg.FromDeviceLb->text(), QStringLiteral("Файл не вказано"));
    EXPECT_EQ(dlg.CopyFileDlg->StopBtn->text(), QStringLiteral("Стоп"));
    for (const TTableReport& r : CheckFileMgrLanguageTables())
        EXPECT_TRUE(r.Missing.isEmpty())
            << r.Module.toStdString() << ": " << r.Missing.join(QLatin1Char(' ')).toStdString();
}

// --- Converter configurators -------------------------------------------------------------------

// The dialogs through an access point without a line: every attempt's request and the answer length
// it asked for are recorded; the converter's answer is given per test.
class ConverterDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        ap.SetAnswerer([this](const QByteArray&, int AnswerLength) {
            lengths.push_back(AnswerLength);
            return answer;
        });
        ap.SetActive(true);
    }
    TFakeAccessPoint ap;
    QByteArray answer;
    std::vector<int> lengths;
};

TEST_F(ConverterDialogs, EachSendsTheCodeOfItsTableForEachSpeed) {
    struct TCase {
        TConverterKind Kind;
        std::array<quint8, 9> Codes;
    };
    const TCase cases[] = {{TConverterKind::Single, {96, 48, 24, 12, 8, 6, 3, 2, 1}},
                           {TConverterKind::Double, {150, 50, 36, 15, 9, 7, 4, 2, 1}},
                           {TConverterKind::Repeater, {192, 102, 51, 25, 16, 12, 5, 3, 1}}};
    const QStringList names = {
        QStringLiteral("br1200"),  QStringLiteral("br2400"),  QStringLiteral("br4800"),
        QStringLiteral("br9600"),  QStringLiteral("br14400"), QStringLiteral("br19200"),
        QStringLiteral("br38400"), QStringLiteral("br57600"), QStringLiteral("br115200")};
    ap.SetTryCount(1);
    for (const TCase& c : cases) {
        TCustomConvCfgDlg dlg(c.Kind, &ap);
        ASSERT_EQ(dlg.RateBox->count(), 9);
        EXPECT_EQ(dlg.RateBox->currentText(), QStringLiteral("br115200"));
        ap.Attempts.clear();
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(dlg.RateBox->itemText(i), names[i]);
            dlg.RateBox->setCurrentIndex(i);
            dlg.Button1->click();
        }
        ASSERT_EQ(ap.Attempts.size(), 9u);
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(ap.Attempts[size_t(i)], QByteArray(1, char(c.Codes[size_t(i)])))
                << ConverterKindName(c.Kind).toStdString() << " " << names[i].toStdString();
    }
    EXPECT_EQ(TConvCfgDlg(&ap).windowTitle(), QStringLiteral("KVD-RS232-RS485-BUS Configurator"));
    EXPECT_EQ(TConvCfgDoubleDlg(&ap).windowTitle(), QStringLiteral("KVD-RS232-RS232-RS485-BUS Configurator"));
    EXPECT_EQ(TConvCfgRepeaterDlg(&ap).windowTitle(), QStringLiteral("KVD-RS485-RS485-BUS Configurator"));
}

TEST_F(ConverterDialogs, ZeroAndOneByteAnswersAreNeverAskedFor) {
    TConvCfgRepeaterDlg dlg(&ap);
    for (const QByteArray& a : {QByteArray(), QByteArray(1, '\x7F')}) {
        answer = a;
        lengths.clear();
        ap.Attempts.clear();
        dlg.Button1->click(); // the default entry: code 1
        // Every attempt expects no answer bytes, so none of a short answer is read; the dialog says
        // nothing and stays open for another try.
        ASSERT_FALSE(lengths.empty());
        for (int length : lengths)
            EXPECT_EQ(length, 0);
        EXPECT_EQ(ap.Attempts.front(), QByteArray(1, '\x01'));
        EXPECT_FALSE(dlg.result() == QDialog::Accepted);
    }
}

TEST_F(ConverterDialogs, EscClosesWithoutSending) {
    TConvCfgDlg dlg(&ap);
    QTimer::singleShot(50, dlg.actExit, &QAction::trigger);
    EXPECT_EQ(dlg.exec(), int(QDialog::Accepted));
    EXPECT_TRUE(ap.Attempts.empty());
    EXPECT_EQ(dlg.actExit->shortcut(), QKeySequence(Qt::Key_Escape));
}

} // namespace
