// The health controller window against the emulated KVD-DOS-BUS over a pair of bridged
// pseudo-terminals: everything read on opening, written on "Apply", nothing written for a refused
// field, and no "Apply" after a failed read.
#include "ViewsUiSupport.h"

#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "emulator/VirtualDeviceManager.h"
#include "localization/DIOManagerLanguage.h"
#include "model/DiscreteModules.h"
#include "model/IntachnessCtrlChannel.h"
#include "support/PtyBridge.h"
#include "views/ui/HealthControllerDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
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

TEST(HealthControllerWindow, EachFamilyHasItsFields) {
    EXPECT_EQ(HealthControllerFamilyFor(QStringLiteral("TIntactnessControllerAODlg"), 66).Fields.size(), 17u);
    EXPECT_TRUE(
        HealthControllerFamilyFor(QStringLiteral("TIntactnessControllerP340Dlg"), 21).TimeoutInSeconds);
    EXPECT_EQ(HealthControllerFamilyFor(QStringLiteral("TIntactnessControllerDOFDlg"), 19).Fields.size(), 4u);
    EXPECT_EQ(HealthControllerFamilyFor(QStringLiteral("TICDIO24QAVDlg"), 64).Fields.at(1).Digits, 6);
}

} // namespace
