#include "shell/DemoBus.h"
#include "discovery/ui/FindDevices.h"
#include "emulator/VirtualDeviceManager.h"
#include "measurement/Responder.h"
#include "options/AdminOptions.h"
#include "options/OptionsDm.h"
#include "shell/Dm.h"
#include "shell/ui/ConnectionsTool.h"
#include "shell/ui/MainForm.h"
#include "views/ChannelWindows.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

TEST(DemoBus, ConnectAndSearchListTheDemoModulesWithTheirManagersControllersAndFileManager) {
    const QByteArray ports = qgetenv("DOVUVAVAROVOD_PORTS");
    {
        TDemoBus demo;
        TOptionsDm options(demo.Folder());
        TDm dm;
        TDemoBus::Configure(*options.AdminOptions());
        ASSERT_TRUE(demo.Start(*dm.VDMgr)) << demo.Error().toStdString();
        EXPECT_EQ(dm.VDMgr->DeviceCount(), 13);
        TMainForm form(dm, *options.AdminOptions());
        form.ComConnection().OnError = [](const QString& t) { ADD_FAILURE() << t.toStdString(); };
        form.FormActivate();
        form.ConnectBtnClick();
        ASSERT_TRUE(form.ComConnection().IsConnected());

        TFindDevices& scan = form.ComConnection().ScanDialog();
        scan.DefaultProtocol = tpNerix;
        scan.InitState();
        scan.StopEdit->setText(QStringLiteral("13"));
        scan.StartBtn->click();
        ASSERT_EQ(form.DeviceList->topLevelItemCount(), 13);
        EXPECT_EQ(form.DeviceList->topLevelItem(0)->text(3), QStringLiteral("KVD-AIK-BUS"));
        EXPECT_EQ(form.DeviceList->topLevelItem(4)->text(3), QStringLiteral("KVD-DIDC-BUS"));
        EXPECT_EQ(form.DeviceList->topLevelItem(9)->text(0), QStringLiteral("0x0A (10)"));
        EXPECT_EQ(form.DeviceList->topLevelItem(10)->text(3), QStringLiteral("KVD-DIO-VIXPro"));
        EXPECT_EQ(form.DeviceList->topLevelItem(11)->text(3), QStringLiteral("KVD-P340-BUS"));
        // The twelve-bus thermometer, under its catalogue record's name.
        EXPECT_EQ(form.DeviceList->topLevelItem(12)->text(0), QStringLiteral("0x0D (13)"));
        EXPECT_EQ(form.DeviceList->topLevelItem(12)->text(3), QStringLiteral("KVD-TC-BUS"));

        // Every module that has a manager or a health controller lists it on its objects page, so its
        // window can be opened from "Settings".
        ASSERT_EQ(dm.Devices.Count(), 13);
        for (int i = 0; i < dm.Devices.Count(); ++i) {
            const TDeviceProps& device = *dm.Devices.Items(i);
            SCOPED_TRACE(device.ModelName.toStdString());
            std::set<int> kinds;
            for (const TChannelRow& row : ChannelRowsOf(device, dm.DeviceRegister))
                kinds.insert(row.Kind);
            const std::set<quint32> managers = {4, 6, 7, 8, 10, 17, 39};
            const std::set<quint32> controllers = {2, 3, 6, 7, 8, 17, 39};
            EXPECT_EQ(kinds.count(ckDioManager) == 1, managers.count(device.TypeCode) == 1);
            EXPECT_EQ(kinds.count(ckHealthController) == 1, controllers.count(device.TypeCode) == 1);
            EXPECT_EQ(kinds.count(ckFileManager) == 1, device.TypeCode == 21);
            EXPECT_EQ(kinds.count(ckSignallingTemperature) == 1, device.TypeCode == 30);
        }

        // The oscilloscope reads the same line through Modbus RTU: the demo answers that too.
        TModbusResponder responder(&dm.Bus, dm.CurrentAccessPoint);
        quint32 range = 0xFFFFFFFF;
        float value = -1;
        EXPECT_TRUE(responder.ReadValue(1, 1, value));
        EXPECT_TRUE(std::isfinite(value));
        EXPECT_TRUE(responder.ReadRangeCode(1, 1, range));
        EXPECT_NE(range, 0xFFFFFFFFu);
        form.ConnectBtnClick();
        form.FormActivate();
        EXPECT_TRUE(form.close());
    }
    // The user's ports folder is back as it was.
    EXPECT_EQ(qgetenv("DOVUVAVAROVOD_PORTS"), ports);
}

} // namespace
