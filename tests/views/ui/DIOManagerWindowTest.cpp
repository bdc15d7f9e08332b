// The discrete manager window against the emulated KVD-DIO-BUS over a pair of bridged
// pseudo-terminals: outputs switched in the window reach the device, inputs changed on the device
// show, the protected mode is written, and Lite mode keeps the flash save off.
#include "ViewsUiSupport.h"

#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "emulator/VirtualChannel.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "emulator/VirtualDiscreteChannels.h"
#include "localization/DIOManagerLanguage.h"
#include "model/DeviceRegister.h"
#include "model/DiscreteModules.h"
#include "options/AdminOptions.h"
#include "support/PtyBridge.h"
#include "views/ui/DIOManagerForm.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

struct TManagerRig {
    TEnglishAfterwards english;
    TPtyBridge bridge;
    TVirtualDeviceManager emulator;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TKVDDIOBUS module;
    TDeviceRegister catalogue;
    TAdminOptions options;
    TDeviceProps device;

    TManagerRig() {
        BuildDeviceRegister(catalogue);
        emulator.AddDevices(6, 1);
        emulator.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
        emulator.SetPortName(bridge.PathA());
        emulator.SetActive(true);
        bus.SetPortName(bridge.PathB());
        bus.SetInputTimeout(150);
        ap.SetBus(&bus);
        ap.SetActive(true);
        module.SetAP(&ap);
        module.SetAddress(1);
        device.TypeCode = 6;
        device.ChannelMask = 0x3FFFF;
        device.ModelName = QStringLiteral("KVD-DIO-BUS");
    }
    ~TManagerRig() {
        ap.SetActive(false);
        emulator.SetActive(false);
    }
    TCustomVirtualChannel* Virtual(int Number) { return emulator.DeviceAt(0)->ChannelAt(Number - 1); }
    TVirtualDOChannel* VirtualDO(int Number) { return static_cast<TVirtualDOChannel*>(Virtual(Number)); }
};

TEST(DIOManagerWindow, OutputsReachTheDeviceAndInputsAndModeShow) {
    TManagerRig rig;
    ASSERT_TRUE(rig.bridge.Ok());
    ASSERT_TRUE(rig.emulator.Active());
    TDIOManagerForm form(rig.catalogue, rig.options);
    const auto& t = DIOManagerLanguage().Texts(liEnglish);
    bool outputsOn = false, inputShown = false, protectedWritten = false, outputsOff = false;
    int rows = 0, inputs = 0;
    WhenModal<TDIOManagerForm>([&](TDIOManagerForm* w) {
        rows = int(w->OutputBoxes.size());
        inputs = w->DIChannelList->topLevelItemCount();
        EXPECT_TRUE(w->ToFlashBtn->isEnabled());
        EXPECT_FALSE(w->AddInfoCheckBox->isEnabled()); // no temperature input on this model
        w->SetHiLevelBtn->click();
        outputsOn = RunUntil([&] {
            for (int n = 13; n <= 15; ++n)
                if (rig.VirtualDO(n)->State() != 1)
                    return false;
            return w->OutputStates[0]->text() == t.On;
        });
        rig.Virtual(2)->SetInput(0.0f); // a closed contact on the second input
        inputShown = RunUntil([&] { return w->DIChannelList->topLevelItem(1)->text(1) == t.ContactClosed; });
        w->SafeModeEdit->setChecked(true);
        protectedWritten = RunUntil([&] { return rig.VirtualDO(13)->Protected(); });
        // Keyed writes while protected still reach the device.
        w->SetLowLevelBtn->click();
        outputsOff =
            RunUntil([&] { return rig.VirtualDO(13)->State() == 0 && w->OutputStates[0]->text() == t.Off; });
        w->Button2->click();
    });
    ASSERT_TRUE(form.Execute(rig.module, rig.device));
    EXPECT_GT(rows, 0);
    EXPECT_GT(inputs, 1);
    EXPECT_TRUE(outputsOn);
    EXPECT_TRUE(inputShown);
    EXPECT_TRUE(protectedWritten);
    EXPECT_TRUE(outputsOff);
    EXPECT_TRUE(form.OutputBoxes.empty()); // the rows live only while the window is open
}

TEST(DIOManagerWindow, LiteModeRefusesTheFlashSaveAndAnUnreadableModeKeepsItShut) {
    TManagerRig rig;
    ASSERT_TRUE(rig.bridge.Ok());
    rig.options.SetLiteVersion(true);
    TDIOManagerForm form(rig.catalogue, rig.options);
    bool flashEnabled = true;
    QStringList cut;
    WhenModal<TDIOManagerForm>([&](TDIOManagerForm* w) {
        flashEnabled = w->ToFlashBtn->isEnabled();
        // Every text shows whole in every language.
        for (int l = 0; l < kLanguageCount; ++l) {
            SetCurrentLanguage(quint8(l));
            w->UpdateLanguage();
            QApplication::processEvents();
            cut << CutTexts(w);
        }
        w->Button2->click();
    });
    ASSERT_TRUE(form.Execute(rig.module, rig.device));
    EXPECT_FALSE(flashEnabled);
    EXPECT_TRUE(cut.isEmpty()) << cut.join(QStringLiteral("; ")).toStdString();

    rig.module.SetAddress(9); // nobody answers there
    rig.bus.SetInputTimeout(40);
    EXPECT_FALSE(form.Execute(rig.module, rig.device));
}

TEST(DIOManagerLayout, CountsAndTheTemperatureInputFollowTheDeviceShown) {
    TDeviceRegister catalogue;
    BuildDeviceRegister(catalogue);
    TDeviceProps d;
    d.TypeCode = 19;
    d.ChannelMask = 1u << 10; // channels 0, 1 absent: the first of 9..12 that is present
    EXPECT_EQ(DIOManagerLayoutFor(d, catalogue).TemperatureInput, 3);
    d.ChannelMask = 0b10;
    EXPECT_EQ(DIOManagerLayoutFor(d, catalogue).TemperatureInput, 1);
    d.TypeCode = 7;
    EXPECT_EQ(DIOManagerLayoutFor(d, catalogue).Inputs, 0);

    // Type 43 with only outputs 0 and 2 present: the second row drives output 2.
    d.TypeCode = 43;
    d.ChannelMask = (1u << 2) | (1u << 9) | (1u << 4);
    const TDIOManagerExtLayout ext = DIOManagerExtLayoutFor(d, catalogue);
    EXPECT_EQ(ext.OutputPoints, (std::vector<int>{0, 2}));
    EXPECT_EQ(ext.InputPoints, (std::vector<int>{1}));
    // Type 64: the 24 outputs follow the 24 inputs.
    d.TypeCode = 64;
    d.ChannelMask = (quint64(1) << 48) - 1;
    const TDIOManagerExtLayout big = DIOManagerExtLayoutFor(d, catalogue);
    ASSERT_EQ(big.OutputPoints.size(), 24u);
    EXPECT_EQ(big.OutputPoints.front(), 24);
    EXPECT_EQ(big.OutputPoints.back(), 47);
}

TEST(DIOManagerLanguage, TheTableIsComplete) {
    for (const TTableReport& r : CheckDIOManagerLanguageTables())
        EXPECT_TRUE(r.Missing.isEmpty()) << r.Missing.join(QStringLiteral("; ")).toStdString();
}

} // namespace
