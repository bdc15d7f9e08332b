// The channel windows as a user reaches them: from the device properties window, with the program's
// own manager, health controller and analog input openers registered, against devices on a
// pseudo-terminal (the emulator, or a scripted device for models the emulator has not).
#include "ViewsUiSupport.h"

#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "emulator/VirtualDevices.h"
#include "emulator/VirtualDiscreteChannels.h"
#include "localization/DIOManagerLanguage.h"
#include "model/CustomZUVOChannel.h"
#include "model/IntachnessCtrlChannel.h"
#include "model/SimpleChannel.h"
#include "model/ZUVOModule.h"
#include "options/AdminOptions.h"
#include "shell/Dm.h"
#include "support/NerixFrames.h"
#include "support/PtyBridge.h"
#include "support/ScriptedDevice.h"
#include "views/AnalogInputSelector.h"
#include "views/ChannelWindows.h"
#include "views/ui/DIOManagerForm.h"
#include "views/ui/DevicePropsForm.h"
#include "views/ui/HealthControllerDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

const char* const kManagerWindows[] = {"TDIOManagerForm", "TDIOManagerExtDlg"};
const char* const kHealthWindows[] = {"TIntactnessControllerDOSDlg",
                                      "TIntactnessControllerDORDlg",
                                      "TIntactnessControllerDIODlg",
                                      "TIntactnessControllerDOS12Dlg",
                                      "TIntactnessControllerP340Dlg",
                                      "TIntactnessControllerDOFDlg",
                                      "TIntactnessControllerAODlg",
                                      "TICDIO24QAVDlg",
                                      "TICMIOVIXProDlg"};

// The program's windows registered as the shell registers them; unregistered afterwards, so that
// other tests find the registry as they left it.
struct TRegisteredWindows {
    TDIOManagerForm Manager;
    TDIOManagerExtDlg ManagerExt;
    THealthControllerDlg Health;

    TRegisteredWindows(TDm& Dm, TAdminOptions& Options) : Manager(Dm.DeviceRegister, Options) {
        RegisterDIOManagerWindows(Manager, ManagerExt, Dm.DeviceRegister);
        RegisterHealthControllerWindows(Health);
        Health.OnMessage = [](const QString& m) { ADD_FAILURE() << m.toStdString(); };
    }
    ~TRegisteredWindows() {
        for (const char* w : kManagerWindows)
            ChannelWindows().Unregister(QString::fromLatin1(w));
        for (const char* w : kHealthWindows)
            ChannelWindows().Unregister(QString::fromLatin1(w));
        SetHealthControllerProbe({});
    }
};

// The position in the objects page of the first row of a kind; -1 when the page has none.
int RowOfKind(const TDeviceProps& Device, const TDeviceRegister& Catalogue, quint8 Kind) {
    const auto rows = ChannelRowsOf(Device, Catalogue);
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].Kind == Kind)
            return int(i);
    return -1;
}

struct TEmulatedBus {
    TEnglishAfterwards english;
    TPtyBridge bridge;
    TAdminOptions options;
    TDm dm;
    std::unique_ptr<TDevicePropsForm> props;

    explicit TEmulatedBus(std::initializer_list<quint32> Types) {
        for (quint32 type : Types)
            dm.VDMgr->AddDevices(type, 1);
        dm.VDMgr->SetProtocol(TVirtualDeviceManager::kProtocolNerix);
        dm.VDMgr->SetPortName(bridge.PathA());
        dm.VDMgr->SetActive(true);
        dm.Bus.SetPortName(bridge.PathB());
        dm.Bus.SetInputTimeout(150);
        dm.ComAccessPoint.SetActive(true);
        dm.CurrentAccessPoint = &dm.ComAccessPoint;
        props = std::make_unique<TDevicePropsForm>(dm, options);
    }
    ~TEmulatedBus() {
        dm.ComAccessPoint.SetActive(false);
        dm.VDMgr->SetActive(false);
    }
    // The device at Address as a search finds it: its identity read over the line.
    TDeviceProps* Find(quint8 Address) {
        dm.Module.SetAP(&dm.ComAccessPoint);
        dm.Module.SetAddress(Address);
        dm.Module.SetTransferProtocol(tpNerix);
        dm.cnl.Module = &dm.Module;
        dm.cnl.ObjectNumber = 0;
        quint32 identity[3] = {};
        for (quint16 p = 0; p < 3; ++p) {
            if (!dm.cnl.ReadPropertyAs(p, dtInteger) || !dm.cnl.GetAsInteger())
                return nullptr;
            identity[p] = quint32(*dm.cnl.GetAsInteger());
        }
        auto device =
            std::make_unique<TDeviceProps>(Address, br9600, tpNerix, 0, identity[0],
                                           ModelNameOf(quint16(identity[0])), identity[1], identity[2], 0);
        device->ByteOrder = boNAN;
        device->TimeoutCode = -1;
        TDeviceProps* raw = device.get();
        dm.Devices.Add(device);
        return raw;
    }
    void Select(TDeviceProps* Device) {
        dm.CurrentDevice = Device;
        dm.SelectCurrentModule();
    }
};

// What a user of the demo does: "Settings" on a discrete module, then the manager row and the health
// controller row of its objects page. The rows are there because the module's channel mask names its
// manager and controller, and each opens its window on the module.
TEST(PropsChannelWindows, DiscreteModulesOpenTheirManagerAndHealthController) {
    TEmulatedBus rig({7, 39}); // KVD-DOS-BUS at 1, KVD-DIO-VIXPro at 2
    ASSERT_TRUE(rig.bridge.Ok());
    ASSERT_TRUE(rig.dm.VDMgr->Active());
    TRegisteredWindows windows(rig.dm, rig.options);

    struct TCase {
        quint8 Address;
        bool Larger; // the larger manager's window
        int Outputs, Inputs;
        const char* Timeout;
    };
    for (const TCase& c : {TCase{1, false, 8, 0, "1500"}, TCase{2, true, 2, 2, "250"}}) {
        SCOPED_TRACE(c.Address);
        TDeviceProps* device = rig.Find(c.Address);
        ASSERT_NE(device, nullptr);
        rig.Select(device);
        ASSERT_NE(rig.dm.CurrentModule, nullptr);
        TIntachnessCtrlChannel* ctrl = rig.dm.CurrentModule->IntachnessCtrl();
        ASSERT_NE(ctrl, nullptr);
        ASSERT_TRUE(ctrl->WriteTimeout(QString::fromLatin1(c.Timeout).toUInt())); // a marker to show

        const int managerRow = RowOfKind(*device, rig.dm.DeviceRegister, ckDioManager);
        const int healthRow = RowOfKind(*device, rig.dm.DeviceRegister, ckHealthController);
        ASSERT_GE(managerRow, 0);
        ASSERT_GE(healthRow, 0);
        int outputs = -1, inputs = -1;
        QString timeout;
        bool marked = false;
        WhenModal<TDevicePropsForm>([&](TDevicePropsForm* f) {
            marked = !f->ChannelList->topLevelItem(healthRow)->icon(0).isNull();
            f->ChannelList->setCurrentItem(f->ChannelList->topLevelItem(managerRow));
            if (c.Larger)
                WhenModal<TDIOManagerExtDlg>([&](TDIOManagerExtDlg* w) {
                    outputs = int(w->OutputBoxes.size());
                    inputs = w->DIChannelList->topLevelItemCount();
                    w->reject();
                });
            else
                WhenModal<TDIOManagerForm>([&](TDIOManagerForm* w) {
                    outputs = int(w->OutputBoxes.size());
                    inputs = w->DIChannelList->topLevelItemCount();
                    w->Button2->click();
                });
            f->N1Click();
            f->ChannelList->setCurrentItem(f->ChannelList->topLevelItem(healthRow));
            WhenModal<THealthControllerDlg>([&](THealthControllerDlg* w) {
                timeout = w->TimeoutEdit->text();
                w->CloseBtn->click();
            });
            f->N1Click();
            // Nothing to save to flash: no reminder on closing.
            rig.dm.CurrentModule->Modified = false;
            f->CancelBtn->click();
        });
        TDeviceParams edited;
        rig.props->Execute(*device, edited);
        EXPECT_EQ(outputs, c.Outputs);
        EXPECT_EQ(inputs, c.Inputs);
        EXPECT_EQ(timeout, QString::fromLatin1(c.Timeout));
        EXPECT_TRUE(marked);
    }
}

// The larger manager against the emulated KVD-DIO-VIXPro: its two inputs and two outputs sit on
// points 0, 1 and 2, 3; outputs switched in the window reach the device, also keyed while protected,
// and inputs changed on the device show.
TEST(PropsChannelWindows, TheLargerManagerDrivesTheEmulatedPoints) {
    TEmulatedBus rig({39});
    ASSERT_TRUE(rig.bridge.Ok());
    TDeviceProps* device = rig.Find(1);
    ASSERT_NE(device, nullptr);
    rig.Select(device);
    ASSERT_NE(rig.dm.CurrentModule, nullptr);
    TVirtualDevice* virt = rig.dm.VDMgr->DeviceAt(0);
    auto output = [&](int Number) { return static_cast<TVirtualDOChannel*>(virt->ChannelAt(Number - 1)); };
    const auto& t = DIOManagerLanguage().Texts(liEnglish);

    TDIOManagerExtDlg dlg;
    QStringList status, captions;
    bool allOn = false, firstOff = false, inputShown = false, lineBreak = false, protectedWritten = false,
         keyedOff = false;
    WhenModal<TDIOManagerExtDlg>([&](TDIOManagerExtDlg* w) {
        status << w->StatusModel->text() << w->StatusInputs->text() << w->StatusOutputs->text();
        for (QCheckBox* box : w->OutputBoxes)
            captions << box->text();
        // Refreshed by hand: "Auto" off shows the refresh button.
        if (w->SpeedButtonAuto->isChecked())
            w->SpeedButtonAuto->click();
        EXPECT_TRUE(w->BitBtnRefresh->isVisible());
        w->SetHiLevelBtn->click();
        w->BitBtnRefresh->click();
        allOn = output(7)->State() == 1 && output(8)->State() == 1 &&
                w->OutputStates[1]->text() == t.OnUpper && w->OutputBoxes[1]->isChecked();
        w->OutputBoxes[0]->click(); // cleared: only the first output goes off
        w->BitBtnRefresh->click();
        firstOff =
            output(7)->State() == 0 && output(8)->State() == 1 && w->OutputStates[0]->text() == t.OffUpper;
        virt->ChannelAt(1)->SetInput(0.0f); // point 1: closed contact
        virt->ChannelAt(0)->SetInput(5.0f); // point 0: broken line
        w->BitBtnRefresh->click();
        inputShown = w->DIChannelList->topLevelItem(1)->text(1) == t.ContactClosed;
        lineBreak = w->DIChannelList->topLevelItem(0)->text(1) == t.LineBreak;
        w->SafeModeEdit->setChecked(true);
        w->BitBtnRefresh->click();
        protectedWritten = output(8)->Protected();
        w->SetLowLevelBtn->click();
        w->BitBtnRefresh->click();
        keyedOff = output(8)->State() == 0 && w->OutputStates[1]->text() == t.OffUpper;
        w->reject();
    });
    EXPECT_TRUE(dlg.Execute(*rig.dm.CurrentModule, *device, rig.dm.DeviceRegister));
    EXPECT_EQ(status, (QStringList{"KVD-DIO-VIXPro", "DI: 2", "DO: 2"}));
    EXPECT_EQ(captions, (QStringList{t.Channel + " #3", t.Channel + " #4"}));
    EXPECT_TRUE(allOn);
    EXPECT_TRUE(firstOff);
    EXPECT_TRUE(inputShown);
    EXPECT_TRUE(lineBreak);
    EXPECT_TRUE(protectedWritten);
    EXPECT_TRUE(keyedOff);
    EXPECT_TRUE(dlg.OutputBoxes.empty());
}

// The health marker follows the controller: set while its property 0 is not zero, refreshed when its
// window closes.
TEST(PropsChannelWindows, TheHealthMarkerFollowsTheController) {
    TEmulatedBus rig({8}); // KVD-DOR-BUS
    ASSERT_TRUE(rig.bridge.Ok());
    TRegisteredWindows windows(rig.dm, rig.options);
    TDeviceProps* device = rig.Find(1);
    ASSERT_NE(device, nullptr);
    rig.Select(device);
    TIntachnessCtrlChannel* ctrl = rig.dm.CurrentModule->IntachnessCtrl();
    ASSERT_TRUE(ctrl->WriteTimeout(0));
    const int healthRow = RowOfKind(*device, rig.dm.DeviceRegister, ckHealthController);
    ASSERT_GE(healthRow, 0);
    bool before = true, after = false, others = true;
    WhenModal<TDevicePropsForm>([&](TDevicePropsForm* f) {
        QTreeWidgetItem* row = f->ChannelList->topLevelItem(healthRow);
        before = !row->icon(0).isNull();
        f->ChannelList->setCurrentItem(row);
        WhenModal<THealthControllerDlg>([&](THealthControllerDlg* w) {
            w->TimeoutEdit->setText(QStringLiteral("30"));
            w->ApplyBtn->click();
        });
        f->N1Click();
        after = !row->icon(0).isNull();
        others = false;
        for (int i = 0; i < f->ChannelList->topLevelItemCount(); ++i)
            others = others || (i != healthRow && !f->ChannelList->topLevelItem(i)->icon(0).isNull());
        rig.dm.CurrentModule->Modified = false; // no reminder to save on closing
        f->CancelBtn->click();
    });
    TDeviceParams edited;
    rig.props->Execute(*device, edited);
    EXPECT_FALSE(before);
    EXPECT_TRUE(after);
    EXPECT_FALSE(others);
    EXPECT_EQ(ctrl->ReadTimeout(), 30u);
}

// The mixed modules' analog inputs are scattered among their other channels: each analog row of the
// objects page opens the analog input the model has there, and the settings that ready it go to that
// channel's object.
TEST(PropsChannelWindows, MixedModulesOpenTheAnalogInputOfTheirRow) {
    TEnglishAfterwards english;
    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    // Every read answers 0 (a voltage range, normalization off), every write is taken.
    dev.SetResponder([](const QByteArray& r) -> QByteArray {
        if (r.size() != 11)
            return {};
        if (r[1] != 0)
            return r;
        return NerixFrame(quint8(r[0]), 0, quint8(r[2]), quint16((quint8(r[3]) << 8) | quint8(r[4])), 0);
    });
    TAdminOptions options;
    TDm dm;
    dm.Bus.SetPortName(dev.PortPath());
    dm.Bus.SetInputTimeout(60);
    dm.ComAccessPoint.SetTryCount(1);
    dm.ComAccessPoint.SetActive(true);
    dm.CurrentAccessPoint = &dm.ComAccessPoint;
    TDevicePropsForm props(dm, options);

    SetAnalogInputChannelLookup(
        [](TZUVOModule& Template, int Index) -> TCustomZUVOChannel* { return Template.AnalogInput(Index); });
    TCustomZUVOChannel* opened = nullptr;
    ChannelWindows().Register(kAnalogInputWindow,
                              [&](const TChannelWindowContext& c) { opened = c.AnalogInput; });

    struct TCase {
        quint32 Type;
        std::vector<std::pair<int, int>> Rows; // row of the objects page, analog input of the template
    };
    const TCase cases[] = {
        {21, {{0, 0}, {1, 1}, {18, 2}, {19, 3}}}, {44, {{0, 0}, {1, 1}, {18, 2}, {19, 3}}},
        {43, {{0, 0}, {3, 1}, {7, 2}}},           {33, {{0, 0}, {3, 3}, {5, 5}}},
        {38, {{0, 0}, {8, 0}, {9, 0}}}, // one analog input serves every analog row
        {69, {{0, 0}, {4, 4}, {7, 7}}},
    };
    for (const TCase& c : cases) {
        auto owned =
            std::make_unique<TDeviceProps>(quint8(c.Type), br9600, tpNerix, 0, c.Type,
                                           ModelNameOf(quint16(c.Type)), 500 + c.Type, 0xFFFFFFFFu, 0);
        owned->ByteOrder = boNAN;
        owned->TimeoutCode = -1;
        TDeviceProps* device = owned.get();
        dm.Devices.Add(owned);
        dm.CurrentDevice = device;
        dm.SelectCurrentModule();
        ASSERT_NE(dm.CurrentModule, nullptr) << c.Type;
        const auto rows = ChannelRowsOf(*device, dm.DeviceRegister);
        for (const auto& [row, index] : c.Rows) {
            SCOPED_TRACE(QStringLiteral("type %1 row %2").arg(c.Type).arg(row).toStdString());
            int position = -1;
            for (size_t i = 0; i < rows.size(); ++i)
                if (rows[i].Index == row)
                    position = int(i);
            ASSERT_GE(position, 0);
            ASSERT_EQ(rows[size_t(position)].Kind, ckAnalogInput);
            opened = nullptr;
            size_t asked = 0;
            WhenModal<TDevicePropsForm>([&](TDevicePropsForm* f) {
                f->ChannelList->setCurrentItem(f->ChannelList->topLevelItem(position));
                asked = dev.Requests().size();
                f->N1Click();
                dm.CurrentModule->Modified = false; // no reminder to save on closing
                f->CancelBtn->click();
            });
            TDeviceParams edited;
            props.Execute(*device, edited);
            TCustomZUVOChannel* expected = dm.CurrentModule->AnalogInput(index);
            ASSERT_NE(expected, nullptr);
            EXPECT_EQ(opened, expected);
            // Readying the channel spoke to its object and to no other.
            const auto requests = dev.Requests();
            ASSERT_GT(requests.size(), asked);
            for (size_t i = asked; i < requests.size(); ++i)
                EXPECT_EQ(quint8(requests[i][2]), expected->Accessor.ObjectNumber)
                    << Hex(requests[i]).constData();
        }
    }
    ChannelWindows().Unregister(kAnalogInputWindow);
    SetAnalogInputChannelLookup({});
    dm.ComAccessPoint.SetActive(false);
}

} // namespace
