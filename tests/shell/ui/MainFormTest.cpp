#include "shell/ui/MainForm.h"
#include "bus/ui/BusSettingsForm.h"
#include "bus/ui/TCPPortDlg.h"
#include "discovery/ui/FindDevices.h"
#include "discovery/ui/TCPFinding.h"
#include "emulator/EmulatorTcpServer.h"
#include "emulator/VirtualDeviceManager.h"
#include "emulator/ui/EmulatorForm.h"
#include "emulator/ui/EmulatorStatsView.h"
#include "localization/LanguageTables.h"
#include "localization/Localization.h"
#include "localization/TrafficLanguage.h"
#include "model/ChannelTexts.h"
#include "model/SensorChannelTexts.h"
#include "options/AdminOptions.h"
#include "options/OptionsDm.h"
#include "shell/ConnectionTest.h"
#include "shell/Dm.h"
#include "shell/ui/AuxWindows.h"
#include "shell/ui/ConnectionsTool.h"
#include "shell/ui/Icons.h"
#include "shell/ui/TestConnectionChannelDlg.h"
#include "support/LanguageRestored.h"
#include "support/NerixFrames.h"
#include "support/PortsFolder.h"
#include "support/PtyBridge.h"
#include "support/ScriptedDevice.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// The program as start-up builds it, on an options folder of the test's own.
struct App {
    TLanguageRestored language; // first, so it is undone last
    QTemporaryDir folder;
    std::unique_ptr<TOptionsDm> options;
    std::unique_ptr<TDm> dm;
    std::unique_ptr<TMainForm> form;
    QStringList messages;
    explicit App(const std::function<void(TAdminOptions&)>& prepare = {}) {
        options = std::make_unique<TOptionsDm>(folder.path());
        if (prepare)
            prepare(*options->AdminOptions());
        dm = std::make_unique<TDm>();
        form = std::make_unique<TMainForm>(*dm, *options->AdminOptions());
        form->OnMessage = [this](const QString& t) { messages << t; };
        form->ComConnection().OnError = [this](const QString& t) { messages << t; };
        form->UdpConnection().OnError = [this](const QString& t) { messages << t; };
    }
    // Shutdown in reverse; the options write the file.
    QString Shutdown() {
        form.reset();
        dm.reset();
        options.reset();
        return ReadFileText(folder.filePath(QStringLiteral("Options.xml")));
    }
    void AddDevice(quint8 address, quint32 serial, quint32 type = 6) {
        TScanHit hit;
        hit.Address = address;
        hit.Baud = 9600;
        hit.BaudCode = br9600;
        hit.Identity = {quint16(type), serial, 1, 0};
        form->ComConnection().ScanDialog().OnDeviceFound(hit);
    }
};

TEST(MainForm, ClosingBeforeTheFirstActivationDoesNothing) {
    App app;
    app.form->show();
    EXPECT_FALSE(app.form->Activated());
    EXPECT_FALSE(app.form->close());
    app.form->FormActivate();
    EXPECT_TRUE(app.form->close());
}

TEST(MainForm, AStoredLanguageOtherThanEnglishOrUkrainianStartsInEnglishAndIsStoredSo) {
    App app([](TAdminOptions& o) { o.SetLanguageID(25); });
    app.form->FormActivate();
    EXPECT_EQ(CurrentLanguage(), 9);
    EXPECT_EQ(app.form->windowTitle(), QStringLiteral("ZUVO Dovuvavarovod"));
    EXPECT_TRUE(app.form->actSetEngLang->isChecked());
    EXPECT_FALSE(app.form->actSetUkrLang->isChecked());
    EXPECT_TRUE(app.Shutdown().contains(QStringLiteral("<LanguageID>9</LanguageID>")));
}

TEST(MainForm, LiteModeColoursAndTitlesInBothLanguages) {
    App app([](TAdminOptions& o) {
        o.SetLiteVersion(true);
        o.SetLanguageID(34);
    });
    app.form->FormActivate();
    EXPECT_EQ(app.form->DeviceList->palette().color(QPalette::Base), QColor(210, 255, 233));
    EXPECT_TRUE(app.form->windowTitle().endsWith(QStringLiteral(" Lite")));
    EXPECT_EQ(app.form->ApplicationTitle(), QStringLiteral("Dovuvavarovod Lite"));
    EXPECT_EQ(app.form->MenuDevices->title(), QStringLiteral("Пристрої"));
    app.form->SetLanguage(9);
    EXPECT_TRUE(app.form->windowTitle().endsWith(QStringLiteral(" Lite")));
    EXPECT_EQ(app.form->MenuDevices->title(), QStringLiteral("Devices"));

    // Back to advanced mode after the confirmation; a "No" changes nothing.
    QString asked;
    app.form->OnConfirm = [&](const QString& q) {
        asked = q;
        return false;
    };
    app.form->actChangeModeExecute();
    EXPECT_EQ(asked, QStringLiteral("Enable advanced mode"));
    EXPECT_TRUE(app.options->AdminOptions()->LiteVersion());
    app.form->OnConfirm = [&](const QString& q) {
        asked = q;
        return true;
    };
    app.form->actChangeModeExecute();
    EXPECT_FALSE(app.options->AdminOptions()->LiteVersion());
    EXPECT_EQ(app.form->DeviceList->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(app.form->windowTitle(), QStringLiteral("ZUVO Dovuvavarovod"));
    app.form->actChangeModeExecute();
    EXPECT_EQ(asked, QStringLiteral("Enable Lite-mode?\n\nWork with flash memory unavailable in Lite mode"));
    EXPECT_TRUE(app.Shutdown().contains(QStringLiteral("<LiteVersion>True</LiteVersion>")));
}

TEST(MainForm, TheStoredAccessPointStartsAndAnUnknownOneIsTheSerial) {
    App tcp([](TAdminOptions& o) { o.AccessPoints()->SetAccessPointID(1); });
    EXPECT_EQ(tcp.form->ActiveConfig(), &tcp.form->TcpConnection());
    EXPECT_EQ(tcp.form->btnAP->text(), QStringLiteral("TCP Port"));
    App other([](TAdminOptions& o) { o.AccessPoints()->SetAccessPointID(7); });
    EXPECT_EQ(other.form->btnAP->text(), QStringLiteral("Com Port"));
    App udp([](TAdminOptions& o) { o.AccessPoints()->SetAccessPointID(2); });
    EXPECT_EQ(udp.form->btnAP->text(), QStringLiteral("Udp Port"));
}

TEST(MainForm, SelectionRulesConnectedOrNotAndTheConverterItems) {
    TPortsFolder ports;
    TScriptedDevice dev;
    ports.Link(3, dev.PortPath());
    App app([](TAdminOptions& o) { o.AccessPoints()->ComPortAPOptions()->SetPort(2); });
    app.form->FormActivate();
    int settingsOpened = 0;
    bool pressedMeanwhile = false;
    app.form->OnDeviceSettings = [&] {
        ++settingsOpened;
        pressedMeanwhile = app.form->actDevSettings->isChecked();
    };

    app.AddDevice(1, 11);
    app.AddDevice(2, 12);
    auto* list = app.form->DeviceList;
    list->topLevelItem(0)->setSelected(true);
    EXPECT_EQ(app.dm->CurrentDevice, app.dm->Devices.Items(0));
    EXPECT_FALSE(app.form->actDevSettings->isEnabled()); // not connected
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(list, &enter);
    EXPECT_EQ(settingsOpened, 0);

    app.form->ConnectBtnClick();
    ASSERT_TRUE(app.form->ComConnection().IsConnected()) << app.messages.join(QLatin1Char(';')).toStdString();
    EXPECT_TRUE(app.form->actBusConnect->isChecked());
    EXPECT_TRUE(app.form->actFindDevices->isEnabled());
    EXPECT_FALSE(app.form->btnAP->isEnabled());
    EXPECT_EQ(list->topLevelItemCount(), 0); // a fresh connection starts empty
    app.AddDevice(1, 11);
    app.AddDevice(2, 12);
    EXPECT_TRUE(app.form->actStartTestConnection->isEnabled());
    list->topLevelItem(0)->setSelected(true);
    EXPECT_TRUE(app.form->actDevSettings->isEnabled());
    EXPECT_FALSE(app.form->GroupPropertyBtn->isEnabled());
    list->topLevelItem(1)->setSelected(true);
    EXPECT_FALSE(app.form->actDevSettings->isEnabled());
    EXPECT_TRUE(app.form->GroupPropertyBtn->isEnabled());
    // Deselecting the first keeps the second as the current device.
    list->topLevelItem(0)->setSelected(false);
    EXPECT_EQ(app.dm->CurrentDevice, app.dm->Devices.Items(1));
    EXPECT_TRUE(app.form->actDevSettings->isEnabled());
    QApplication::sendEvent(list, &enter);
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_TRUE(pressedMeanwhile); // "Settings" shows pressed while the settings run
    EXPECT_FALSE(app.form->actDevSettings->isChecked());
    list->clearSelection();
    EXPECT_EQ(app.dm->CurrentDevice, nullptr);
    EXPECT_FALSE(app.form->actDevSettings->isEnabled());
    EXPECT_FALSE(app.form->GroupPropertyBtn->isEnabled());

    app.form->UpdateActions();
    EXPECT_FALSE(app.form->actConvCfgDouble->isEnabled()); // 9600 bit/s
    app.dm->Bus.SetBaudRate(br1200);
    app.form->UpdateActions();
    EXPECT_TRUE(app.form->actConvCfgDouble->isEnabled());
    EXPECT_TRUE(app.form->actCfgRepeater->isEnabled());
    app.form->ConnectBtnClick();
    app.form->UpdateActions();
    EXPECT_FALSE(app.form->actRS232LANRS485->isEnabled());
}

TEST(ConnectionTestMachine, WaitsHalfASecondAndStartsOverOnAnotherChoice) {
    TConnectionTestMachine m;
    EXPECT_FALSE(m.Tick(-1, 0));
    EXPECT_FALSE(m.Tick(0, 0));
    EXPECT_EQ(m.State(), TConnectionTestMachine::tsWaiting);
    EXPECT_FALSE(m.Tick(0, 300));
    EXPECT_FALSE(m.Tick(1, 400)); // another row within the wait: the wait starts again
    EXPECT_FALSE(m.Tick(1, 850));
    EXPECT_FALSE(m.Tick(1, 901)); // more than 500 ms after the change: testing from the next tick
    EXPECT_EQ(m.State(), TConnectionTestMachine::tsTesting);
    EXPECT_TRUE(m.Tick(1, 950));
    EXPECT_EQ(m.Row(), 1);
    EXPECT_FALSE(m.Tick(0, 1000));
    EXPECT_EQ(m.State(), TConnectionTestMachine::tsWaiting);
    EXPECT_FALSE(m.Tick(-1, 1050));
    EXPECT_EQ(m.State(), TConnectionTestMachine::tsIdle);
}

TEST(MainForm, ConnectionTestCountsASilentDeviceAndRestoresTheCurrentDevice) {
    TPortsFolder ports;
    TScriptedDevice dev;
    dev.AddNerixDevice(1, {{{0, 1}, 11}});
    ports.Link(3, dev.PortPath());
    App app([](TAdminOptions& o) {
        o.AccessPoints()->ComPortAPOptions()->SetPort(2);
        o.AccessPoints()->ComPortAPOptions()->SetTimeout(20);
    });
    app.form->FormActivate();
    app.form->ConnectBtnClick();
    app.dm->ComAccessPoint.SetTryCount(1);
    app.AddDevice(1, 11);
    app.AddDevice(2, 12); // nobody answers at 2
    app.form->DeviceList->topLevelItem(1)->setSelected(true);
    TDeviceProps* chosen = app.dm->CurrentDevice;
    {
        TTestConnectionChannelDlg test(*app.dm);
        test.Tick(1000); // the first row is selected when the window opens
        test.Tick(1501);
        test.Tick(1550);
        test.Tick(1600);
        EXPECT_EQ(test.Context(0).Transactions, 2);
        EXPECT_EQ(test.Context(0).Errors, 0);
        test.List->setCurrentItem(test.List->topLevelItem(1));
        test.Tick(1650);
        test.Tick(2200);
        test.Tick(2250);
        test.Tick(2300);
        EXPECT_EQ(test.Context(1).Transactions, 2);
        EXPECT_EQ(test.Context(1).Errors, 2);
        EXPECT_EQ(test.List->topLevelItem(1)->text(3), QStringLiteral("2"));
    }
    EXPECT_EQ(app.dm->CurrentDevice, chosen);
}

// The connection test against the emulator dropping answers at random: it counts as errors exactly
// the answers the emulator says it dropped.
TEST(MainForm, ConnectionTestErrorsMatchTheEmulatorsDroppedAnswers) {
    TPortsFolder ports;
    TPtyBridge bridge;
    ASSERT_TRUE(bridge.Ok());
    TVirtualDeviceManager emulator;
    emulator.AddDevices(6, 2); // KVD-DIO-BUS at 1 and 2
    emulator.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
    emulator.SetPortName(bridge.PathA());
    emulator.SetBaudRateValue(9600);
    TEmulatorFaults faults;
    QString error;
    ASSERT_TRUE(ParseEmulatorFaults(QStringLiteral("drop=0.3"), faults, error));
    emulator.SetFaults(faults, 31);
    emulator.SetActive(true);
    ASSERT_TRUE(emulator.Active());
    ports.Link(3, bridge.PathB());
    App app([](TAdminOptions& o) {
        o.AccessPoints()->ComPortAPOptions()->SetPort(2);
        o.AccessPoints()->ComPortAPOptions()->SetTimeout(30);
    });
    app.form->FormActivate();
    app.form->ConnectBtnClick();
    app.dm->ComAccessPoint.SetTryCount(1);
    app.AddDevice(1, TVirtualDeviceManager::kSerialBase + 1);
    const quint64 before = emulator.DeviceStats(0).Received;
    const quint64 answeredBefore = emulator.DeviceStats(0).Answered;
    const quint64 droppedBefore = emulator.DeviceStats(0).Dropped;
    {
        TTestConnectionChannelDlg test(*app.dm);
        test.Tick(1000);
        test.Tick(1501);
        for (int i = 0; i < 40; ++i)
            test.Tick(1550 + 50 * quint64(i));
        const auto& row = test.Context(0);
        EXPECT_EQ(row.Transactions, 40);
        EXPECT_GT(row.Errors, 0);
        EXPECT_LT(row.Errors, 40);
        const TEmulatorDeviceStats& stats = emulator.DeviceStats(0);
        EXPECT_EQ(stats.Received - before, 40u);
        EXPECT_EQ(quint64(row.Errors), stats.Dropped - droppedBefore);
        EXPECT_EQ(quint64(row.Transactions - row.Errors), stats.Answered - answeredBefore);
    }
    emulator.SetActive(false);
}

TEST(MainForm, AWholeRunOnAScriptedBus) {
    TPortsFolder ports;
    TScriptedDevice dev;
    dev.AddNerixDevice(2, {{{0, 0}, 6}, {{0, 1}, 1001}, {{0, 2}, 3}, {{0, 3}, 0x602}});
    dev.AddNerixDevice(4, {{{0, 0}, 64}, {{0, 1}, 1002}, {{0, 2}, 0xD48}, {{0, 3}, 0x604}});
    ports.Link(3, dev.PortPath());
    App app([](TAdminOptions& o) {
        o.AccessPoints()->ComPortAPOptions()->SetPort(2);
        o.AccessPoints()->ComPortAPOptions()->SetTimeout(20);
    });
    app.form->show();
    app.form->FormActivate();
    app.form->ConnectBtnClick();
    ASSERT_TRUE(app.form->ComConnection().IsConnected());
    app.dm->ComAccessPoint.SetTryCount(1);

    TFindDevices& scan = app.form->ComConnection().ScanDialog();
    scan.InitState();
    scan.ProtocolEdit->setCurrentIndex(tpNerix);
    scan.ProtocolEditChange();
    scan.StopEdit->setText(QStringLiteral("6"));
    scan.StartBtn->click();
    ASSERT_EQ(app.form->DeviceList->topLevelItemCount(), 2);
    EXPECT_EQ(app.form->DeviceList->topLevelItem(1)->text(3), QStringLiteral("KVD-DIO24-QAV"));
    // Each row shows its family's badge, not the unsupported one.
    const int family = int(app.dm->DeviceRegister.FindByType(6)->Family);
    ASSERT_NE(family, 0);
    EXPECT_EQ(app.form->DeviceList->topLevelItem(0)->icon(0).pixmap(16).toImage(),
              FamilyIcon(family).pixmap(16).toImage());
    EXPECT_NE(app.form->DeviceList->topLevelItem(0)->icon(0).pixmap(16).toImage(),
              FamilyIcon(0).pixmap(16).toImage());
    EXPECT_TRUE(app.form->actStartTestConnection->isEnabled());

    app.form->DeviceList->topLevelItem(0)->setSelected(true);
    EXPECT_EQ(app.dm->CurrentDevice->SerialNumber, 1001u);
    app.form->SetLanguage(34);
    EXPECT_EQ(app.dm->DeviceRegister.FindByType(6)->Channels.Items(0)->Name,
              QStringLiteral("Канал дискретного вводу №1"));
    // The channel objects' error texts follow the language too.
    EXPECT_EQ(ChannelTexts().ReadTemperature, QStringLiteral("Помилка під час читання температури"));
    EXPECT_EQ(SensorChannelTexts().GVixWriteOutput, QStringLiteral("Помилка під час встановлення виходу!"));
    EXPECT_EQ(app.dm->RangesTable.ParameterName(9), QStringLiteral("Напруга"));
    EXPECT_EQ(app.form->DeviceList->headerItem()->text(0), QStringLiteral("Адреса"));
    EXPECT_TRUE(app.form->close());
    const QString file = app.Shutdown();
    EXPECT_TRUE(file.contains(QStringLiteral("<LanguageID>34</LanguageID>")));
    EXPECT_TRUE(file.contains(QStringLiteral("<AccessPointID>0</AccessPointID>")));
    EXPECT_TRUE(file.contains(QStringLiteral("<Timeout>20</Timeout>")));
}

TEST(MainForm, SelectionAndTheLiteBackgroundShowInTheListsPalette) {
    App app;
    app.form->FormActivate();
    auto* list = app.form->DeviceList;
    EXPECT_TRUE(list->styleSheet().isEmpty());
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        const QPalette p = list->palette();
        EXPECT_EQ(p.color(g, QPalette::Base), QColor(Qt::white));
        // A selection that differs plainly from the background and keeps its text readable.
        EXPECT_GT(
            std::abs(p.color(g, QPalette::Highlight).lightness() - p.color(g, QPalette::Base).lightness()),
            80);
        EXPECT_GT(std::abs(p.color(g, QPalette::Highlight).lightness() -
                           p.color(g, QPalette::HighlightedText).lightness()),
                  80);
    }
    app.form->ApplyMode(true);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        const QPalette p = list->palette();
        EXPECT_EQ(p.color(g, QPalette::Base), QColor(210, 255, 233));
        EXPECT_GT(
            std::abs(p.color(g, QPalette::Highlight).lightness() - p.color(g, QPalette::Base).lightness()),
            80);
    }
}

TEST(MainForm, DeviceTypeColumnFillsTheListAfterShowResizeAndSwitch) {
    App app;
    auto* list = app.form->DeviceList;
    // The other columns keep their widths (the last one also takes what is left over).
    auto expected = [&](int flexible) {
        return list->viewport()->width() - (flexible == 3 ? 100 + 150 + 140 + 120 : 70 + 140 + 120) - 221;
    };
    app.form->show();
    QApplication::processEvents();
    app.form->FormActivate();
    EXPECT_GT(list->columnWidth(3), 100);
    EXPECT_EQ(list->columnWidth(3), expected(3));
    app.form->resize(1200, 700);
    QApplication::processEvents();
    EXPECT_EQ(list->columnWidth(3), expected(3));
    app.form->menuUdpPortClick();
    QApplication::processEvents();
    EXPECT_EQ(list->columnWidth(2), expected(2));
    EXPECT_GT(list->columnWidth(2), 300);
    app.form->menuCOMPortClick();
    EXPECT_EQ(list->columnWidth(3), expected(3));
}

TEST(MainForm, CaptionsAreExactlyThePrograms) {
    App app;
    app.form->show();
    app.form->FormActivate();
    EXPECT_EQ(app.form->windowTitle(), QStringLiteral("ZUVO Dovuvavarovod"));
    // The toolkit appends its display name to every caption; the program must not have one.
    EXPECT_TRUE(QApplication::applicationDisplayName() == QApplication::applicationName() ||
                QApplication::applicationDisplayName().isEmpty());
    app.form->ApplyMode(true);
    EXPECT_EQ(app.form->windowTitle(), QStringLiteral("ZUVO Dovuvavarovod Lite"));
    TAboutForm about(app.form.get());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
    // A small dialog is wide enough for its whole title.
    TBusSettingsForm& settings = app.form->ComConnection().SettingsDialog();
    EXPECT_EQ(settings.windowTitle(), QStringLiteral("Settings"));
    EXPECT_GT(settings.minimumWidth(), settings.fontMetrics().horizontalAdvance(settings.windowTitle()));
}

// Every text a user sees in the main window and its dialogs, in Ukrainian, comes from the language
// tables; what is not translated is on a short list of fixed texts.
TEST(MainForm, EveryVisibleTextIsUkrainian) {
    App app([](TAdminOptions& o) { o.SetLanguageID(liUkrainian); });
    app.form->show();
    app.form->FormActivate();
    QSet<QString> ukrainian;
    for (const TTableReport& r : CheckAllLanguageTables())
        EXPECT_TRUE(r.Missing.isEmpty()) << r.Module.toStdString();
    auto addTable = [&](auto& table) {
        const auto& texts = table.Language(2);
        for (const auto& [name, field] : std::remove_cvref_t<decltype(texts)>::Fields())
            ukrainian.insert(texts.*field);
    };
    addTable(MainUnitLanguage());
    addTable(FindUnitLanguage());
    addTable(UdpConnectionLanguage());
    addTable(TcpConnectionLanguage());
    addTable(EmulatorLanguage());
    addTable(RangeKindsLanguage());
    // The traffic window is the main window's own, made with it.
    addTable(TrafficLanguage());
    // Names and symbols that stay as they are in every language.
    const QSet<QString> fixed = {QStringLiteral("Languages"),
                                 QStringLiteral("?"),
                                 QStringLiteral("Com port"),
                                 QStringLiteral("Udp port"),
                                 QStringLiteral("Tcp port"),
                                 QStringLiteral("English"),
                                 QStringLiteral("Українська"),
                                 QStringLiteral("KVD-2xRS232-RS485-ILOOP-BUS"),
                                 QStringLiteral("KVD-RS232(USB)-LAN-RS485-BUS"),
                                 QStringLiteral("KVD-RS485-RS485-BUS")};
    QStringList stray;
    auto check = [&](const QString& where, QString text) {
        text.remove(QLatin1Char('&'));
        if (text.isEmpty() || fixed.contains(text) || ukrainian.contains(text))
            return;
        // Values rather than words: addresses, speeds, ports, numbers, protocol and parity names.
        static const QRegularExpression value(QStringLiteral("^(0x|br|COM|ZUVO|pt|Nerix|Modbus|[0-9])"));
        if (value.match(text).hasMatch())
            return;
        stray << where + QStringLiteral(": ") + text;
    };
    auto checkWidget = [&](QWidget* w) {
        check(w->objectName() + QStringLiteral(" title"), w->windowTitle());
        for (QLabel* l : w->findChildren<QLabel*>())
            if (l->objectName() != QLatin1String("AboutText"))
                check(w->objectName() + QStringLiteral(" label"), l->text());
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            if (!qobject_cast<QToolButton*>(b) || b == app.form->btnAP)
                check(w->objectName() + QStringLiteral(" button"), b->text());
        for (QGroupBox* g : w->findChildren<QGroupBox*>())
            check(w->objectName() + QStringLiteral(" group"), g->title());
        for (QTreeWidget* t : w->findChildren<QTreeWidget*>())
            for (int c = 0; c < t->columnCount(); ++c)
                // A column header may break its words over two lines.
                check(w->objectName() + QStringLiteral(" column"),
                      t->headerItem()->text(c).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        for (QTableWidget* t : w->findChildren<QTableWidget*>())
            for (int c = 0; c < t->columnCount(); ++c)
                check(w->objectName() + QStringLiteral(" column"), t->horizontalHeaderItem(c)->text());
    };
    checkWidget(app.form.get());
    for (QAction* a : app.form->findChildren<QAction*>())
        if (a->isVisible() && !a->isSeparator() && !a->menu())
            check(QStringLiteral("action"), a->text());
    for (QMenu* m : app.form->menuBar()->findChildren<QMenu*>())
        check(QStringLiteral("menu"), m->title());

    TBusSettingsForm& settings = app.form->ComConnection().SettingsDialog();
    settings.UpdateLanguage();
    checkWidget(&settings);
    TFindDevices& scan = app.form->ComConnection().ScanDialog();
    scan.InitState();
    checkWidget(&scan);
    TTCPPortDlg& tcpSettings = app.form->TcpConnection().SettingsDialog();
    tcpSettings.UpdateLanguage();
    checkWidget(&tcpSettings);
    TTCPFindingDlg& tcpSearch = app.form->TcpConnection().SearchDialog();
    tcpSearch.InitState();
    checkWidget(&tcpSearch);
    app.form->menuTcpPortClick();
    checkWidget(app.form.get());
    TAboutForm about;
    checkWidget(&about);
    EXPECT_TRUE(about.findChild<QLabel*>(QStringLiteral("AboutText"))
                    ->text()
                    .contains(QStringLiteral("Сервісна програма")));
    TRangesListForm ranges(app.dm->RangesTable);
    checkWidget(&ranges);
    TTestConnectionChannelDlg test(*app.dm);
    checkWidget(&test);
    TEmulatorForm emulator(*app.dm->VDMgr, *app.dm->VDTcp, *app.options->AdminOptions()->EmulatorPoints());
    checkWidget(&emulator);
    TEmulatorStatsForm emulatorStats(*app.dm->VDMgr);
    checkWidget(&emulatorStats);
    EXPECT_TRUE(stray.isEmpty()) << stray.join(QLatin1Char('\n')).toStdString();

    // The toolkit's own buttons speak Ukrainian too.
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Так"));
    EXPECT_NE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Cancel"));
    app.form->SetLanguage(liEnglish);
    QMessageBox english;
    english.setStandardButtons(QMessageBox::Yes);
    EXPECT_EQ(english.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Yes"));
}

TEST(MainForm, HelpSaysWhenTheFileIsMissingOrCannotBeOpened) {
    App app;
    app.form->FormActivate();
    const QString before = QDir::currentPath();
    QDir::setCurrent(app.folder.path());
    app.form->actHelpExecute();
    ASSERT_EQ(app.messages.size(), 1);
    EXPECT_TRUE(app.messages[0].startsWith(QStringLiteral("The help file is missing")));
    EXPECT_TRUE(app.messages[0].contains(QStringLiteral("Dovuvavarovod.chm")));

    ASSERT_NO_FATAL_FAILURE(WriteFileBytes(app.folder.filePath(QStringLiteral("Dovuvavarovod.chm")), {}));
    // A desktop without a viewer: the opener gives up (xdg-open's "no tool found" is exit code 3).
    qputenv("DOVUVAVAROVOD_OPENER", "false");
    app.form->actHelpExecute();
    QElapsedTimer t;
    t.start();
    while (app.messages.size() < 2 && t.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    qunsetenv("DOVUVAVAROVOD_OPENER");
    QDir::setCurrent(before);
    ASSERT_EQ(app.messages.size(), 2);
    EXPECT_TRUE(app.messages[1].startsWith(QStringLiteral("The help file could not be opened")));
}

TEST(MainForm, TheEmulatorIsReachedFromTheServiceMenu) {
    App app;
    app.form->FormActivate();
    EXPECT_FALSE(app.form->EmulatorBtn->isVisible());
    ASSERT_TRUE(app.form->MenuService->actions().contains(app.form->actEmulator));
    EXPECT_TRUE(app.form->actEmulator->isVisible());
    EXPECT_EQ(app.form->actEmulator->text(), QStringLiteral("Emulator"));
    int asked = 0;
    app.form->OnEmulatorSetup = [&] {
        ++asked;
        return false;
    };
    app.form->actEmulator->trigger();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(app.form->actEmulator->isChecked());
}

TEST(MainFormEmulator, SwitchingOnAndOff) {
    QTemporaryDir folder;
    TOptionsDm options(folder.path());
    TDm dm;
    TMainForm form(dm, *options.AdminOptions());
    form.OnEmulatorSetup = [&] {
        dm.VDMgr->AddDevices(5, 2);
        return true;
    };
    form.actEmulatorExecute();
    EXPECT_TRUE(dm.EmulatorActive);
    EXPECT_TRUE(form.EmulatorBtn->isChecked());
    EXPECT_TRUE(form.actGenerator->isEnabled());
    form.actEmulatorExecute();
    EXPECT_FALSE(dm.EmulatorActive);
    EXPECT_EQ(dm.VDMgr->DeviceCount(), 0);
    EXPECT_FALSE(form.actTester->isEnabled());
    form.OnEmulatorSetup = [] { return false; };
    form.actEmulatorExecute();
    EXPECT_FALSE(dm.EmulatorActive);
    EXPECT_FALSE(form.EmulatorBtn->isChecked());
}

// The statistics open beside the running emulator, which goes on serving, and follow its counts.
TEST(MainFormEmulator, TheStatisticsOpenBesideTheRunningEmulatorAndFollowIt) {
    QTemporaryDir folder;
    TOptionsDm options(folder.path());
    TDm dm;
    TMainForm form(dm, *options.AdminOptions());
    form.OnEmulatorSetup = [&] {
        dm.VDMgr->AddDevices(0, 1);
        return true;
    };
    form.actEmulatorExecute();
    ASSERT_TRUE(dm.EmulatorActive);
    ASSERT_TRUE(form.MenuService->actions().contains(form.actEmulatorStats));
    EXPECT_EQ(form.actEmulatorStats->text(), QStringLiteral("Emulator statistics"));
    form.actEmulatorStats->trigger();
    auto* window = form.findChild<TEmulatorStatsForm*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_TRUE(dm.EmulatorActive);
    QTreeWidget* list = window->View->StatsList;
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(TEmulatorStatsView::kColReceived), QStringLiteral("0"));

    const QByteArray request = NerixFrame(1, 0, 0, 1, 0);
    QByteArray answer;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(dm.VDMgr->ServeFrame(reinterpret_cast<const quint8*>(request.constData()), 11, answer));
    QElapsedTimer t;
    t.start();
    while (list->topLevelItem(0)->text(TEmulatorStatsView::kColAnswered) != QLatin1String("3") &&
           t.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(list->topLevelItem(0)->text(TEmulatorStatsView::kColAnswered), QStringLiteral("3"));

    // Stopped, the window keeps the session's counts and says so; opened again, it is the same one.
    form.actEmulatorExecute();
    EXPECT_FALSE(dm.EmulatorActive);
    window->View->UpdateStatistics();
    EXPECT_EQ(list->topLevelItem(0)->text(TEmulatorStatsView::kColAnswered), QStringLiteral("3"));
    EXPECT_FALSE(window->View->ResetStatsBtn->isEnabled());
    form.actEmulatorStats->trigger();
    EXPECT_EQ(form.findChildren<TEmulatorStatsForm*>().size(), 1);
}

} // namespace

TEST(MainForm, ApplicationsShowOnlyForTheWeightControllers) {
    App app;
    app.form->FormActivate();
    app.AddDevice(1, 11, 6);  // KVD-DIO-BUS
    app.AddDevice(2, 12, 21); // KVD-P340-BUS
    app.AddDevice(3, 13, 44); // KVD-P341-BUS
    auto* list = app.form->DeviceList;
    EXPECT_FALSE(app.form->AppSelectorBtn->isVisible());
    const bool expected[] = {false, true, true};
    for (int row = 0; row < 3; ++row) {
        list->clearSelection();
        list->topLevelItem(row)->setSelected(true);
        EXPECT_EQ(app.form->AppSelectorBtn->isVisible(), expected[row]) << row;
    }
    list->clearSelection();
    EXPECT_FALSE(app.form->AppSelectorBtn->isVisible());
}
