// The health controller window against the emulated KVD-DOS-BUS over a pair of bridged
// pseudo-terminals: everything read on opening, written on "Apply", nothing written for a refused
// field, and no "Apply" after a failed read.
#include "ViewsUiSupport.h"

#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "emulator/VirtualAuxiliaryChannels.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "localization/DIOManagerLanguage.h"
#include "model/AnalogOutputModules.h"
#include "model/DiscreteModules.h"
#include "model/IntachnessCtrlChannel.h"
#include "support/PtyBridge.h"
#include "support/ScriptedDevice.h"
#include "views/ui/HealthControllerDlg.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <bit>
#include <gtest/gtest.h>

namespace {

struct THealthRig {
    TEnglishAfterwards english;
    TPtyBridge bridge;
    TVirtualDeviceManager emulator;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TKVDDOSBUS module;
    THealthControllerDlg dlg;
    QStringList messages;

    THealthRig() {
        emulator.AddDevices(7, 1);
        emulator.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
        emulator.SetPortName(bridge.PathA());
        emulator.SetActive(true);
        bus.SetPortName(bridge.PathB());
        bus.SetInputTimeout(150);
        ap.SetBus(&bus);
        ap.SetActive(true);
        module.SetAP(&ap);
        module.SetAddress(1);
        dlg.OnMessage = [this](const QString& m) { messages << m; };
    }
    ~THealthRig() {
        ap.SetActive(false);
        emulator.SetActive(false);
    }
    TDOS12IntachnessCtrlChannel& Ctrl() {
        return static_cast<TDOS12IntachnessCtrlChannel&>(*module.IntachnessCtrl());
    }
    bool Run() {
        return dlg.Execute(Ctrl(),
                           HealthControllerFamilyFor(QStringLiteral("TIntactnessControllerDOSDlg"), 7),
                           QStringLiteral("Module: KVD-DOS-BUS.Channel  №9"), QStringLiteral("0x01"),
                           QStringLiteral("br115200"));
    }
};

TEST(HealthControllerWindow, ReadsEverythingAndApplyWritesTheEdits) {
    THealthRig rig;
    ASSERT_TRUE(rig.bridge.Ok());
    ASSERT_TRUE(rig.Ctrl().WriteTimeout(1500));
    ASSERT_TRUE(rig.Ctrl().WriteSafeStates(0x5A));
    QString timeout, states;
    bool applyEnabled = false;
    WhenModal<THealthControllerDlg>([&](THealthControllerDlg* w) {
        timeout = w->TimeoutEdit->text();
        states = w->FieldEdits.at(0)->text();
        applyEnabled = w->ApplyBtn->isEnabled();
        w->TimeoutEdit->setText(QStringLiteral("4294967295"));
        w->OnlyDevicePoolBox->setCurrentIndex(1);
        w->FieldEdits[0]->setText(QStringLiteral("1F"));
        w->ApplyBtn->click();
    });
    EXPECT_TRUE(rig.Run());
    EXPECT_EQ(timeout, QStringLiteral("1500"));
    EXPECT_EQ(states, QStringLiteral("5A"));
    EXPECT_TRUE(applyEnabled);
    EXPECT_TRUE(rig.messages.isEmpty()) << rig.messages.join(';').toStdString();
    EXPECT_EQ(rig.Ctrl().ReadTimeout(), 0xFFFFFFFFu);
    EXPECT_TRUE(rig.Ctrl().ReadResetCondition());
    EXPECT_EQ(rig.Ctrl().ReadSafeStates(), 31u);
}

TEST(HealthControllerWindow, ABadFieldIsRefusedBeforeAnythingIsWritten) {
    struct TCase {
        const char* Timeout;
        const char* States;
        bool NamesTimeout;
    };
    const TCase cases[] = {
        {"4294967296", "01", true}, // does not fit 32 bits: refused, not cut
        {"", "01", true},
        {"100", "XY", false},
    };
    for (const TCase& c : cases) {
        THealthRig rig;
        ASSERT_TRUE(rig.bridge.Ok());
        ASSERT_TRUE(rig.Ctrl().WriteTimeout(1500));
        WhenModal<THealthControllerDlg>([&](THealthControllerDlg* w) {
            w->TimeoutEdit->setText(QString::fromLatin1(c.Timeout));
            w->FieldEdits[0]->setText(QString::fromLatin1(c.States));
            w->ApplyBtn->click();
            w->CloseBtn->click();
        });
        EXPECT_FALSE(rig.Run()) << c.Timeout;
        ASSERT_EQ(rig.messages.size(), 1) << c.Timeout;
        const auto& t = HealthCtrlLanguage().Texts(liEnglish);
        EXPECT_TRUE(rig.messages[0].contains(c.NamesTimeout ? t.TimeoutMs : t.DOStates))
            << rig.messages[0].toStdString();
        EXPECT_EQ(rig.Ctrl().ReadTimeout(), 1500u) << c.Timeout;
    }
    // A negative timeout has its own message.
    THealthRig rig;
    WhenModal<THealthControllerDlg>([&](THealthControllerDlg* w) {
        w->TimeoutEdit->setText(QStringLiteral("-5"));
        w->ApplyBtn->click();
        w->CloseBtn->click();
    });
    rig.Run();
    EXPECT_EQ(rig.messages, QStringList{HealthCtrlLanguage().Texts(liEnglish).TimeoutPositive});
}

TEST(HealthControllerWindow, AFailedReadKeepsApplyDisabled) {
    THealthRig rig;
    rig.module.SetAddress(9); // nobody answers there
    rig.bus.SetInputTimeout(40);
    bool applyEnabled = true;
    WhenModal<THealthControllerDlg>([&](THealthControllerDlg* w) {
        applyEnabled = w->ApplyBtn->isEnabled();
        w->CloseBtn->click();
    });
    EXPECT_FALSE(rig.Run());
    EXPECT_FALSE(applyEnabled);
    EXPECT_EQ(rig.messages, QStringList{HealthCtrlLanguage().Texts(liEnglish).ErrorReading});
}

TEST(HealthControllerWindow, EachFamilyHasItsFieldsOrItsList) {
    const auto ao = HealthControllerFamilyFor(QStringLiteral("TIntactnessControllerAODlg"), 66);
    EXPECT_TRUE(ao.Fields.empty());
    EXPECT_EQ(ao.Rows.size(), 16u);
    EXPECT_EQ(HealthControllerFamilyFor(QStringLiteral("TIntactnessControllerAODlg"), 34).Rows.size(), 2u);
    EXPECT_TRUE(
        HealthControllerFamilyFor(QStringLiteral("TIntactnessControllerP340Dlg"), 21).TimeoutInSeconds);
    EXPECT_EQ(HealthControllerFamilyFor(QStringLiteral("TIntactnessControllerDOFDlg"), 19).Rows.size(), 8u);
    EXPECT_EQ(HealthControllerFamilyFor(QStringLiteral("TICMIOVIXProDlg"), 43).Rows.size(), 4u);
    EXPECT_FALSE(HealthControllerFamilyFor(QStringLiteral("TICDIO24QAVDlg"), 64).HasList());
    EXPECT_EQ(HealthControllerFamilyFor(QStringLiteral("TICDIO24QAVDlg"), 64).Fields.at(1).Digits, 6);
}

// The list of the analog output window against the emulated KVD-AO-BUS: values and check boxes are
// read on opening, edits and the menu change only the window's copy, "Apply" sends them.
TEST(HealthControllerList, AnalogOutputsReachTheDeviceOnlyOnApply) {
    TEnglishAfterwards english;
    TPtyBridge bridge;
    ASSERT_TRUE(bridge.Ok());
    TVirtualDeviceManager emulator;
    emulator.AddDevices(2, 1);
    emulator.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
    emulator.SetPortName(bridge.PathA());
    emulator.SetActive(true);
    TPowerRsBus bus;
    bus.SetPortName(bridge.PathB());
    bus.SetInputTimeout(150);
    TComPortAccessPoint ap;
    ap.SetBus(&bus);
    ap.SetActive(true);
    TKVDAOBUS module;
    module.SetAP(&ap);
    module.SetAddress(1);
    auto& ctrl = static_cast<TAOIntachnessCtrlChannel&>(*module.IntachnessCtrl());
    ASSERT_TRUE(ctrl.WriteSafeValue(0, 1.25f));
    ASSERT_TRUE(ctrl.WriteSafeValue(2, 7.5f));
    ASSERT_TRUE(ctrl.WriteControlledOutputs(0b0101));
    auto* device = static_cast<TVirtualAOHealthController*>(emulator.DeviceAt(0)->AuxiliaryAt(5));
    ASSERT_NE(device, nullptr);

    THealthControllerDlg dlg;
    QStringList messages;
    dlg.OnMessage = [&](const QString& m) { messages << m; };
    QStringList values, afterEdits;
    std::vector<bool> checks;
    bool untouchedBeforeApply = false;
    bool menuHasOnlyAll = false;
    const auto& t = HealthCtrlLanguage().Texts(liEnglish);
    WhenModal<THealthControllerDlg>([&](THealthControllerDlg* w) {
        QTreeWidget* list = w->MaskLV;
        EXPECT_TRUE(list->isVisible());
        EXPECT_EQ(list->headerItem()->text(2), t.Value);
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            values << list->topLevelItem(i)->text(1) + QLatin1Char('=') + list->topLevelItem(i)->text(2);
            checks.push_back(list->topLevelItem(i)->checkState(0) == Qt::Checked);
        }
        menuHasOnlyAll = w->SelectAllItem->isVisible() && w->UnSelectAllItem->isVisible() &&
                         !w->SelectDOItem->isVisible() && !w->SelectFOItem->isVisible();
        // Row 2 takes a number, with either separator; text that is no number is refused with a word
        // and leaves the row; several rows selected: no edit at all.
        std::vector<QString> typed = {QStringLiteral("2,5"), QStringLiteral("abc")};
        w->OnInputValue = [&typed](const QString&) -> std::optional<QString> {
            const QString next = typed.front();
            typed.erase(typed.begin());
            return next;
        };
        list->setCurrentItem(list->topLevelItem(1));
        w->MaskLVDblClick();
        w->MaskLVDblClick();
        list->topLevelItem(2)->setSelected(true);
        w->MaskLVDblClick();
        // The menu's "Select All", then one check box cleared by hand.
        w->SelectAllItem->trigger();
        list->topLevelItem(3)->setCheckState(0, Qt::Unchecked);
        for (int i = 0; i < 4; ++i)
            afterEdits << list->topLevelItem(i)->text(2);
        untouchedBeforeApply = device->SafeValue(1) == 0 && device->Value(4) == 0b0101;
        w->ApplyBtn->click();
    });
    EXPECT_TRUE(dlg.Execute(ctrl, HealthControllerFamilyFor(QStringLiteral("TIntactnessControllerAODlg"), 2),
                            QStringLiteral("Module: KVD-AO-BUS.Channel  №5"), QStringLiteral("0x01"),
                            QStringLiteral("br115200")));
    EXPECT_EQ(values, (QStringList{t.AnalogOutput + QStringLiteral(" №1=1.250"),
                                   t.AnalogOutput + QStringLiteral(" №2=0.000"),
                                   t.AnalogOutput + QStringLiteral(" №3=7.500"),
                                   t.AnalogOutput + QStringLiteral(" №4=0.000")}));
    EXPECT_EQ(checks, (std::vector<bool>{true, false, true, false}));
    EXPECT_TRUE(menuHasOnlyAll);
    EXPECT_EQ(afterEdits, (QStringList{"1.250", "2.500", "7.500", "0.000"}));
    ASSERT_EQ(messages.size(), 1) << messages.join(';').toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("abc")));
    EXPECT_TRUE(untouchedBeforeApply);
    EXPECT_EQ(std::bit_cast<float>(device->SafeValue(1)), 2.5f);
    EXPECT_EQ(std::bit_cast<float>(device->SafeValue(2)), 7.5f);
    EXPECT_EQ(device->Value(4), 0b0111u); // parameter 2: the checked rows

    // The window of the sixteen-output model: sixteen rows, "Select All" checks every one.
    int rows = 0, checked = 0;
    WhenModal<THealthControllerDlg>([&](THealthControllerDlg* w) {
        rows = w->MaskLV->topLevelItemCount();
        w->SelectAllItem->trigger();
        for (int i = 0; i < rows; ++i)
            checked += w->MaskLV->topLevelItem(i)->checkState(0) == Qt::Checked;
        w->CloseBtn->click();
    });
    EXPECT_FALSE(dlg.Execute(ctrl,
                             HealthControllerFamilyFor(QStringLiteral("TIntactnessControllerAODlg"), 66),
                             QStringLiteral("Module"), QStringLiteral("0x01"), QStringLiteral("br115200")));
    EXPECT_EQ(rows, 16);
    EXPECT_EQ(checked, 16);
    EXPECT_EQ(device->Value(4), 0b0111u); // "Cancel" sends nothing
    ap.SetActive(false);
    emulator.SetActive(false);
}

// Rig for the families no emulated model has: a device with the controller's properties on a
// pseudo-terminal. Properties: 0 timeout, 1 reset condition, 2.. the parameters.
struct TScriptedHealthRig {
    TEnglishAfterwards english;
    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    std::unique_ptr<TZUVOModule> module;
    THealthControllerDlg dlg;
    QStringList messages;

    TScriptedHealthRig(std::unique_ptr<TZUVOModule> Module, quint8 Object,
                       std::map<quint16, quint32> Properties)
        : module(std::move(Module)) {
        std::map<std::pair<quint8, quint16>, quint32> table;
        for (const auto& [p, v] : Properties)
            table[{Object, p}] = v;
        dev.AddNerixDevice(1, table);
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(60);
        ap.SetBus(&bus);
        ap.SetTryCount(1);
        ap.SetActive(true);
        module->SetAP(&ap);
        module->SetAddress(1);
        dlg.OnMessage = [this](const QString& m) { messages << m; };
    }
    ~TScriptedHealthRig() { ap.SetActive(false); }
    bool Run(const char* Window, quint32 TypeCode) {
        return dlg.Execute(*module->IntachnessCtrl(),
                           HealthControllerFamilyFor(QString::fromLatin1(Window), TypeCode),
                           QStringLiteral("Module"), QStringLiteral("0x01"), QStringLiteral("br9600"));
    }
    // The properties written, in order.
    std::vector<quint16> Written() const {
        std::vector<quint16> w;
        for (const QByteArray& r : dev.Requests())
            if (r.size() == 11 && r[1] == 1)
                w.push_back(quint16((quint8(r[3]) << 8) | quint8(r[4])));
        return w;
    }
};

quint32 Bits(float Value) {
    return std::bit_cast<quint32>(Value);
}

TEST(HealthControllerList, FrequencyOutputFamilyTakesOnlyWhatTheOutputsCanDo) {
    TScriptedHealthRig rig(std::make_unique<TKVDDOFBUS>(), 16,
                           {{0, 500}, {1, 0}, {2, 0b100101}, {3, Bits(100.f)}, {4, 0}, {5, 0b11000011}});
    ASSERT_TRUE(rig.dev.Ok());
    const auto& t = HealthCtrlLanguage().Texts(liEnglish);
    QStringList before, after;
    std::vector<bool> checks;
    bool dofMenu = false;
    WhenModal<THealthControllerDlg>([&](THealthControllerDlg* w) {
        QTreeWidget* list = w->MaskLV;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            before << list->topLevelItem(i)->text(2);
        dofMenu = w->SelectDOItem->isVisible() && w->SelectFOItem->isVisible();
        EXPECT_EQ(list->topLevelItem(0)->text(1), t.DiscreteOutput + QStringLiteral(" №1"));
        EXPECT_EQ(list->topLevelItem(7)->text(1), t.FrequencyOutput + QStringLiteral(" №2"));
        // Each pair: the row, what is typed. Refused input changes nothing and says nothing.
        const std::vector<std::pair<int, QString>> edits = {{1, "2"},  {1, "x"},   {1, "1"},
                                                            {0, "0"},  {6, "10"},  {6, "300001"},
                                                            {6, "15"}, {7, "0.5"}, {7, "0"}};
        for (const auto& [row, text] : edits) {
            w->OnInputValue = [text](const QString&) { return std::optional<QString>(text); };
            list->setCurrentItem(list->topLevelItem(row));
            w->MaskLVDblClick();
        }
        // Enter on the list edits the selected row as a double click does.
        w->OnInputValue = [](const QString& Current) {
            EXPECT_EQ(Current, QStringLiteral("1"));
            return std::optional<QString>(QStringLiteral("0"));
        };
        list->setCurrentItem(list->topLevelItem(5));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(list, &enter);
        // The discrete rows' check boxes cleared, the frequency rows' set.
        w->UnSelectDOItem->trigger();
        w->SelectFOItem->trigger();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            after << list->topLevelItem(i)->text(2);
            checks.push_back(list->topLevelItem(i)->checkState(0) == Qt::Checked);
        }
        EXPECT_TRUE(rig.Written().empty()); // nothing before "Apply"
        w->ApplyBtn->click();
    });
    EXPECT_TRUE(rig.Run("TIntactnessControllerDOFDlg", 19));
    EXPECT_EQ(before, (QStringList{"1", "0", "1", "0", "0", "1", "100.000", "0.000"}));
    EXPECT_EQ(after, (QStringList{"0", "1", "1", "0", "0", "0", "15.000", "0.000"}));
    EXPECT_EQ(checks, (std::vector<bool>{false, false, false, false, false, false, true, true}));
    EXPECT_TRUE(dofMenu);
    EXPECT_TRUE(rig.messages.isEmpty()) << rig.messages.join(';').toStdString();
    EXPECT_EQ(rig.dev.Property(1, 16, 2), 0b000110u);
    EXPECT_EQ(rig.dev.Property(1, 16, 3), Bits(15.f));
    EXPECT_EQ(rig.dev.Property(1, 16, 4), Bits(0.f));
    EXPECT_EQ(rig.dev.Property(1, 16, 5), 0b11000000u);
    EXPECT_EQ(rig.Written(), (std::vector<quint16>{0, 1, 2, 3, 4, 5}));
}

TEST(HealthControllerList, MixedModuleFamilyTogglesItsOutputsAndWritesInItsOrder) {
    TScriptedHealthRig rig(std::make_unique<TMIOExVIXPro>(), 12,
                           {{0, 500}, {1, 1}, {2, 0b1001}, {3, Bits(4.f)}, {4, 0b0100}});
    ASSERT_TRUE(rig.dev.Ok());
    QStringList before, after;
    bool menuOffered = true;
    WhenModal<THealthControllerDlg>([&](THealthControllerDlg* w) {
        QTreeWidget* list = w->MaskLV;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            before << list->topLevelItem(i)->text(1) + QLatin1Char('=') + list->topLevelItem(i)->text(2) +
                          (list->topLevelItem(i)->checkState(0) == Qt::Checked ? "+" : "");
        menuOffered = w->SelectAllItem->isVisible() || w->SelectDOItem->isVisible();
        // A DO row toggles without asking; the AO row asks.
        w->OnInputValue = [](const QString&) { return std::optional<QString>(QStringLiteral("12.5")); };
        for (int row : {0, 1, 2}) {
            list->setCurrentItem(list->topLevelItem(row));
            w->MaskLVDblClick();
        }
        list->topLevelItem(3)->setCheckState(0, Qt::Checked);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            after << list->topLevelItem(i)->text(2);
        w->ApplyBtn->click();
    });
    EXPECT_TRUE(rig.Run("TICMIOVIXProDlg", 43));
    EXPECT_EQ(before, (QStringList{"DO1=1", "DO2=0", "AO=4.000+", "DO3=1"}));
    EXPECT_EQ(after, (QStringList{"0", "1", "12.500", "1"}));
    EXPECT_FALSE(menuOffered);
    EXPECT_EQ(rig.dev.Property(1, 12, 2), 0b1010u); // DO1 | DO2 x 2 | DO3 x 8
    EXPECT_EQ(rig.dev.Property(1, 12, 4), 0b1100u);
    EXPECT_EQ(rig.dev.Property(1, 12, 3), Bits(12.5f));
    // Parameter 0, the check boxes (parameter 2), then the analog value (parameter 1).
    EXPECT_EQ(rig.Written(), (std::vector<quint16>{0, 1, 2, 4, 3}));
}

} // namespace
