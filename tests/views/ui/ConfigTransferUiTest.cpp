// Saving a device's configuration to a file, loading it onto a device and onto a group of devices,
// from the windows, against emulated modules over a pair of bridged pseudo-terminals.
#include "ViewsUiSupport.h"

#include "emulator/EmulatorFaults.h"
#include "emulator/VirtualDeviceManager.h"
#include "localization/ConfigTransferLanguage.h"
#include "model/SimpleChannel.h"
#include "model/ZUVOModule.h"
#include "options/AdminOptions.h"
#include "shell/Dm.h"
#include "support/PtyBridge.h"
#include "views/ConfigTransfer.h"
#include "views/ui/ConfigTransferUi.h"
#include "views/ui/DevicePropsForm.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr quint32 kAik = 0; // KVD-AIK-BUS
constexpr quint32 kDio = 6; // KVD-DIO-BUS

// The emulated modules on one side of the bridge, the program's context on the other; every
// device is listed as a search would list it.
struct TConfigRig {
    TEnglishAfterwards english;
    TPtyBridge bridge;
    TVirtualDeviceManager emulator;
    TDm dm;
    TConfigTransferUi ui{nullptr};
    QTemporaryDir folder;
    QString file;               // what the file dialog answers
    QStringList messages;       // message boxes
    QList<QStringList> dialogs; // each dialog shown: its heading's lines, then its list's
    bool offeredFlash = false;  // the last question offered the flash save
    bool checkFlash = false;    // and the answer ticks it
    int answer = QDialog::Accepted;

    // Types of the devices at addresses 1, 2 …
    bool Start(std::initializer_list<quint32> Types) {
        if (!bridge.Ok())
            return false;
        for (quint32 type : Types)
            emulator.AddDevices(type, 1);
        emulator.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
        emulator.SetPortName(bridge.PathA());
        emulator.SetActive(true);
        dm.Bus.SetPortName(bridge.PathB());
        dm.Bus.SetInputTimeout(60);
        dm.ComAccessPoint.SetTryCount(1);
        dm.ComAccessPoint.SetActive(true);
        dm.CurrentAccessPoint = &dm.ComAccessPoint;
        quint8 address = 1;
        for (quint32 type : Types) {
            auto p = std::make_unique<TDeviceProps>(address, br9600, tpNerix, 0, type,
                                                    dm.DeviceRegister.FindByType(type)->ModelName,
                                                    100 + address, 0xFFFFFFFF, 0);
            dm.Devices.Add(p);
            ++address;
        }
        file = folder.filePath(QStringLiteral("device.json"));
        ui.OnFileName = [this](bool, const QString&) { return file; };
        ui.OnMessage = [this](const QString& Text) { messages << Text; };
        ui.OnRunDialog = [this](QDialog& Dialog) {
            auto& list = static_cast<TConfigListDlg&>(Dialog);
            dialogs << (list.HeadingLabel->text().split(QLatin1Char('\n')) +
                        list.List->toPlainText().split(QLatin1Char('\n')));
            if (!list.WriteBtn)
                return int(QDialog::Accepted);
            offeredFlash = list.FlashBox != nullptr;
            if (list.FlashBox)
                list.FlashBox->setChecked(checkFlash);
            return answer;
        };
        return emulator.Active() && dm.ComAccessPoint.Active();
    }
    ~TConfigRig() {
        dm.ComAccessPoint.SetActive(false);
        emulator.SetActive(false);
    }
    TDeviceProps& Device(int Address) { return *dm.Devices.Items(Address - 1); }
    // The device's template, pointed at it, as the main window selects a device.
    TZUVOModule& Select(int Address) {
        dm.CurrentDevice = &Device(Address);
        dm.SelectCurrentModule();
        return *dm.CurrentModule;
    }
    // The response time of the device's first input, changed behind the program's back.
    void SetResponseTime(int Address, quint16 Value) {
        TZUVOModule& m = Select(Address);
        QString e;
        m.AnalogInput(0)->ResponseTime = Value;
        ASSERT_TRUE(m.AnalogInput(0)->WriteSettings(ssResponseTime, e)) << e.toStdString();
    }
    quint16 ResponseTime(int Address) {
        TZUVOModule& m = Select(Address);
        QString e;
        EXPECT_TRUE(m.AnalogInput(0)->ReadSettings(ssResponseTime, e)) << e.toStdString();
        return m.AnalogInput(0)->ResponseTime;
    }
    // What differs between the device and the file now.
    TRestoreReport Compare(int Address) {
        QString error;
        QStringList warnings;
        const auto document = LoadConfigFile(file, error, warnings);
        EXPECT_TRUE(document) << error.toStdString();
        if (!document)
            return {};
        TRestoreOptions options;
        options.DryRun = true;
        return TConfigEngine(Select(Address)).Restore(*document, options);
    }
    quint64 Answered() {
        quint64 n = 0;
        for (int i = 0; i < emulator.DeviceCount(); ++i)
            n += emulator.DeviceStats(i).Answered;
        return n;
    }
};

TEST(ConfigTransferUi, SavedFromOneDeviceLoadedOntoAnotherListsAsksWritesVerifiesAndFlashes) {
    TConfigRig rig;
    ASSERT_TRUE(rig.Start({kAik, kAik}));
    const quint16 original = rig.ResponseTime(1);
    const quint16 changed = quint16(original + 7);
    rig.SetResponseTime(2, changed);

    ASSERT_TRUE(rig.ui.SaveConfiguration(rig.Select(1), rig.Device(1)));
    ASSERT_EQ(rig.messages.size(), 1);
    EXPECT_TRUE(rig.messages[0].startsWith(
        QStringLiteral("The configuration of KVD-AIK-BUS at address 1 was saved to ")))
        << rig.messages[0].toStdString();
    ASSERT_TRUE(QFile::exists(rig.file));

    rig.checkFlash = true;
    TZUVOModule& b = rig.Select(2);
    ASSERT_TRUE(rig.ui.LoadConfiguration(b, rig.Device(2)));
    ASSERT_EQ(rig.dialogs.size(), 2);
    const QStringList& ask = rig.dialogs[0];
    EXPECT_EQ(ask[0], QStringLiteral("Settings that differ from the file: 1. Write them to the device?"));
    EXPECT_EQ(ask[1], QStringLiteral("channel 1 response time: %1 ms -> %2 ms").arg(changed).arg(original));
    EXPECT_TRUE(rig.offeredFlash);
    const QStringList& done = rig.dialogs[1];
    EXPECT_EQ(done.mid(0, 2), (QStringList{"Written and verified: 1.", "Saved to flash."}));
    EXPECT_FALSE(b.Modified);
    EXPECT_EQ(rig.ResponseTime(2), original);
    EXPECT_TRUE(rig.Compare(2).Equal());

    // Loaded again, the file finds nothing to write and says so without asking.
    rig.dialogs.clear();
    rig.messages.clear();
    EXPECT_TRUE(rig.ui.LoadConfiguration(rig.Select(2), rig.Device(2)));
    EXPECT_TRUE(rig.dialogs.isEmpty());
    ASSERT_EQ(rig.messages.size(), 1);
    EXPECT_TRUE(rig.messages[0].startsWith(ConfigTransferLanguage().Texts(liEnglish).Equal));
}

TEST(ConfigTransferUi, CancelWritesNothingAndInLiteModeNoFlashSaveIsOfferedAndTheChangeStaysUnsaved) {
    TConfigRig rig;
    ASSERT_TRUE(rig.Start({kAik, kAik}));
    const quint16 original = rig.ResponseTime(1);
    ASSERT_TRUE(rig.ui.SaveConfiguration(rig.Select(1), rig.Device(1)));
    rig.SetResponseTime(2, quint16(original + 3));

    rig.ui.Lite = true;
    rig.answer = QDialog::Rejected;
    EXPECT_FALSE(rig.ui.LoadConfiguration(rig.Select(2), rig.Device(2)));
    EXPECT_FALSE(rig.offeredFlash);
    EXPECT_EQ(rig.dialogs.size(), 1);
    EXPECT_EQ(rig.ResponseTime(2), original + 3);

    rig.answer = QDialog::Accepted;
    TZUVOModule& b = rig.Select(2);
    ASSERT_TRUE(rig.ui.LoadConfiguration(b, rig.Device(2)));
    EXPECT_EQ(rig.dialogs.back().value(1), ConfigTransferLanguage().Texts(liEnglish).ReportNotFlashed);
    // Closing the properties window asks to save, as after any change there.
    EXPECT_TRUE(b.Modified);
    EXPECT_EQ(rig.ResponseTime(2), original);
}

TEST(ConfigTransferUi, AFileOfAnotherTypeOrNoConfigurationIsRefusedBeforeAnyTraffic) {
    TConfigRig rig;
    ASSERT_TRUE(rig.Start({kAik, kDio}));
    ASSERT_TRUE(rig.ui.SaveConfiguration(rig.Select(1), rig.Device(1)));
    TZUVOModule& dio = rig.Select(2);
    rig.emulator.ResetStatistics();
    rig.messages.clear();
    EXPECT_FALSE(rig.ui.LoadConfiguration(dio, rig.Device(2)));
    ASSERT_EQ(rig.messages.size(), 1);
    EXPECT_EQ(rig.messages[0],
              QStringLiteral("The file is for KVD-AIK-BUS, the device is KVD-DIO-BUS. Nothing was written."));

    QFile text(rig.file);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly | QIODevice::Truncate));
    text.write("not a configuration\n");
    text.close();
    EXPECT_FALSE(rig.ui.LoadConfiguration(dio, rig.Device(2)));
    ASSERT_EQ(rig.messages.size(), 2);
    EXPECT_TRUE(rig.messages[1].startsWith(QStringLiteral("The file %1 could not be read: ").arg(rig.file)))
        << rig.messages[1].toStdString();
    EXPECT_TRUE(rig.dialogs.isEmpty());
    EXPECT_EQ(rig.Answered(), 0u);

    // A file that cannot be written is told, and an older file of that name stays whole.
    rig.file = rig.folder.filePath(QStringLiteral("no/such/folder/device.json"));
    EXPECT_FALSE(rig.ui.SaveConfiguration(rig.Select(1), rig.Device(1)));
    EXPECT_TRUE(rig.messages.back().startsWith(QStringLiteral("The file ")))
        << rig.messages.back().toStdString();
}

TEST(ConfigTransferUi, GroupAdjustWritesEveryDeviceOfTheFilesTypeNamesTheOthersAndGoesOnAfterAFailure) {
    TConfigRig rig;
    ASSERT_TRUE(rig.Start({kAik, kAik, kDio, kAik, kAik}));
    const quint16 original = rig.ResponseTime(1);
    ASSERT_TRUE(rig.ui.SaveConfiguration(rig.Select(1), rig.Device(1)));
    rig.SetResponseTime(2, quint16(original + 1));
    rig.SetResponseTime(5, quint16(original + 2));
    // The fourth falls silent after its first answer.
    TEmulatorFaults faults;
    QString faultError;
    ASSERT_TRUE(ParseEmulatorFaults(QStringLiteral("device=4:stop-after=1"), faults, faultError));
    rig.emulator.SetFaults(faults, 1);

    TDeviceProps* current = &rig.Device(3);
    rig.dm.CurrentDevice = current;
    rig.dm.SelectCurrentModule();
    rig.checkFlash = true;
    rig.ui.GroupAdjust(rig.dm,
                       {&rig.Device(3), &rig.Device(1), &rig.Device(2), &rig.Device(4), &rig.Device(5)});
    ASSERT_EQ(rig.dialogs.size(), 2);
    EXPECT_EQ(rig.dialogs[0].mid(1),
              (QStringList{"To write (4):", "KVD-AIK-BUS at address 1", "KVD-AIK-BUS at address 2",
                           "KVD-AIK-BUS at address 4", "KVD-AIK-BUS at address 5", "",
                           "Skipped, of another type (1):", "KVD-DIO-BUS at address 3"}));
    const QStringList& report = rig.dialogs[1];
    EXPECT_EQ(report[0], QStringLiteral("Devices adjusted: 3 of 4."));
    EXPECT_EQ(report[1], QStringLiteral("KVD-AIK-BUS at address 1: already has the file's settings"));
    EXPECT_EQ(report[2], QStringLiteral("KVD-AIK-BUS at address 2: written and verified: 1, saved to flash"));
    EXPECT_TRUE(report[3].startsWith(QStringLiteral("KVD-AIK-BUS at address 4: nothing written: ")))
        << report[3].toStdString();
    EXPECT_EQ(report[4], QStringLiteral("KVD-AIK-BUS at address 5: written and verified: 1, saved to flash"));
    EXPECT_EQ(report[5], QStringLiteral("KVD-DIO-BUS at address 3: skipped, another type"));
    // The selection is as it was.
    EXPECT_EQ(rig.dm.CurrentDevice, current);
    EXPECT_EQ(rig.dm.CurrentModule->Address(), 3);

    rig.emulator.SetFaults({}, 1);
    EXPECT_EQ(rig.ResponseTime(2), original);
    EXPECT_EQ(rig.ResponseTime(5), original);
}

TEST(ConfigTransferUi, GroupAdjustWithNoDeviceOfTheFilesTypeWritesNothing) {
    TConfigRig rig;
    ASSERT_TRUE(rig.Start({kAik, kDio, kDio}));
    ASSERT_TRUE(rig.ui.SaveConfiguration(rig.Select(1), rig.Device(1)));
    rig.emulator.ResetStatistics();
    rig.messages.clear();
    rig.ui.GroupAdjust(rig.dm, {&rig.Device(2), &rig.Device(3)});
    ASSERT_EQ(rig.messages.size(), 1);
    EXPECT_EQ(rig.messages[0],
              QStringLiteral("None of the selected devices is a KVD-AIK-BUS: nothing was written.\n\n"
                             "KVD-DIO-BUS at address 2\nKVD-DIO-BUS at address 3"));
    EXPECT_TRUE(rig.dialogs.isEmpty());
    EXPECT_EQ(rig.Answered(), 0u);
}

TEST(ConfigTransferReport, AFailureSaysWhatWasWrittenWhatFailedAndWhatNot) {
    const TConfigTransferLanguage& t = ConfigTransferLanguage().Texts(liEnglish);
    TRestoreReport r;
    r.Changes = {{"channel 1", "range", "4-20 mA", "0-10 V"},
                 {"channel 2", "responseTime", "20", "30"},
                 {"channel 3", "filterCutoff", "1", "2"}};
    r.Written = 1;
    r.FailedChange = r.Changes[1].Line();
    r.Error = QStringLiteral("channel 2 response time: no answer");
    const TRestoreReportText failed = RestoreReportText(r, true, t);
    EXPECT_EQ(failed.Summary, (QStringList{"Writing stopped: channel 2 response time: no answer",
                                           "Written and verified: 1 of 3.", t.ReportFlashRefused}));
    EXPECT_EQ(failed.Changes,
              (QStringList{"channel 1 range: 4-20 mA -> 0-10 V", "Failed: channel 2 response time: 20 -> 30",
                           "Not written: channel 3 filter cutoff: 1 -> 2"}));
    // Every change written and only the flash save failed.
    r.Written = 3;
    r.FailedChange.clear();
    r.Error = QStringLiteral("saving to flash failed");
    const TRestoreReportText flashFailed = RestoreReportText(r, true, t);
    EXPECT_EQ(flashFailed.Summary.value(1), QStringLiteral("Written and verified: 3 of 3."));
    EXPECT_EQ(flashFailed.Summary.back(), t.ReportNotFlashed);
    EXPECT_EQ(flashFailed.Changes.size(), 3);
}

TEST(ConfigTransferUi, ThePropertiesWindowOffersBothOnItsFlashPageInTheCurrentLanguage) {
    TConfigRig rig;
    ASSERT_TRUE(rig.Start({kAik}));
    TAdminOptions options;
    TDevicePropsForm form(rig.dm, options);
    rig.Select(1);
    SetCurrentLanguage(liUkrainian);
    form.UpdateLanguage();
    bool asked = false;
    form.ConfigUi().OnFileName = [&](bool Save, const QString& Suggested) {
        asked = true;
        EXPECT_TRUE(Save);
        EXPECT_EQ(Suggested, QStringLiteral("KVD-AIK-BUS-101.json"));
        return QString();
    };
    WhenModal<TDevicePropsForm>([](TDevicePropsForm* w) {
        w->Pages->setCurrentWidget(w->FlashPage);
        EXPECT_TRUE(w->SaveConfigBtn->isVisible() && w->SaveConfigBtn->isEnabled());
        EXPECT_TRUE(w->LoadConfigBtn->isEnabled());
        EXPECT_EQ(w->SaveConfigBtn->text(), QStringLiteral("Зберегти конфігурацію…"));
        EXPECT_EQ(w->LoadConfigBtn->text(), QStringLiteral("Завантажити конфігурацію…"));
        EXPECT_TRUE(CutTexts(w).isEmpty()) << CutTexts(w).join(QLatin1Char(',')).toStdString();
        w->SaveConfigBtn->click();
        w->reject();
    });
    TDeviceParams edited;
    form.Execute(rig.Device(1), edited);
    EXPECT_TRUE(asked);

    // Without the family's model there is nothing to read a configuration with.
    rig.dm.CurrentModule = nullptr;
    WhenModal<TDevicePropsForm>([](TDevicePropsForm* w) {
        EXPECT_FALSE(w->SaveConfigBtn->isEnabled());
        EXPECT_FALSE(w->LoadConfigBtn->isEnabled());
        w->reject();
    });
    form.Execute(rig.Device(1), edited);
}

} // namespace
