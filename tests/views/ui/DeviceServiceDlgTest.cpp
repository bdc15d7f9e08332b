// The device service window against a device on a pseudo-terminal.
#include "ViewsUiSupport.h"

#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "localization/DeviceViewsLanguage.h"
#include "platform/ProcessTimer.h"
#include "support/ScriptedDevice.h"
#include "views/DeviceService.h"
#include "views/ui/DeviceServiceDlg.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

constexpr quint32 kVersion = 16 | (5 << 8) | (21 << 16) | (1 << 21); // 2016.05.21::i.1

struct TServiceRig {
    TEnglishAfterwards english;
    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TSystemObjectModule module;
    TDeviceServiceDlg dlg;

    explicit TServiceRig(bool withVersion = true) {
        std::map<std::pair<quint8, quint16>, quint32> props = {{{0, 102}, 93784}};
        if (withVersion)
            props[{0, 100}] = kVersion;
        dev.AddNerixDevice(1, props);
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(40);
        ap.SetBus(&bus);
        ap.SetTryCount(1);
        ap.SetActive(true);
        module.SetAP(&ap);
        module.SetAddress(1);
    }
    std::vector<quint32> TimeWrites() const {
        std::vector<quint32> v;
        for (const QByteArray& r : dev.Requests())
            if (r.size() == 11 && r[1] == 1 && quint8(r[4]) == 102 && r[3] == 0)
                v.push_back((quint32(quint8(r[5])) << 24) | (quint32(quint8(r[6])) << 16) |
                            (quint32(quint8(r[7])) << 8) | quint8(r[8]));
        return v;
    }
    void Click() {
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(dlg.MachineTimeLb, &release);
    }
};

// Types Text into the machine time box and confirms it, or cancels it when Text is empty; remembers
// what the box offered.
void AnswerTimeBox(const QString& Text, QString* Offered = nullptr, QString* Title = nullptr) {
    WhenModal<QInputDialog>([=](QInputDialog* box) {
        if (Offered)
            *Offered = box->textValue();
        if (Title)
            *Title = box->windowTitle() + QLatin1Char('|') + box->labelText();
        if (Text.isEmpty()) {
            box->reject();
            return;
        }
        box->setTextValue(Text);
        box->accept();
    });
}

TEST(DeviceServiceDlg, VersionAndTheRunningTime) {
    TServiceRig rig;
    bool ticking = false;
    WhenModal<TDeviceServiceDlg>([&](TDeviceServiceDlg* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Device Service"));
        EXPECT_EQ(d->VersionLb->text(), QStringLiteral("2016.05.21::i.1"));
        EXPECT_EQ(d->lbMachineTime->text(), QStringLiteral("Machine time"));
        EXPECT_EQ(d->Timer->Interval(), 500);
        ticking = d->Timer->Running();
        EXPECT_TRUE(RunUntil([d] { return d->MachineTimeLb->text() == QStringLiteral("1:02:03:04"); }));
        EXPECT_TRUE(CutTexts(d).isEmpty()) << CutTexts(d).join(QStringLiteral(", ")).toStdString();
        d->reject();
    });
    rig.dlg.Execute(rig.module);
    EXPECT_TRUE(ticking);
    // Closed: no more questions to the device.
    EXPECT_FALSE(rig.dlg.Timer->Running());
    const int asked = rig.dev.RequestCount();
    RunUntil([] { return false; }, 700);
    EXPECT_EQ(rig.dev.RequestCount(), asked);
}

TEST(DeviceServiceDlg, AVersionThatCannotBeReadMeansNoPolling) {
    TServiceRig rig(false);
    WhenModal<TDeviceServiceDlg>([&](TDeviceServiceDlg* d) {
        EXPECT_EQ(d->VersionLb->text(), QStringLiteral("not available"));
        EXPECT_EQ(d->MachineTimeLb->text(), QStringLiteral("0"));
        EXPECT_FALSE(d->Timer->Running());
        rig.Click(); // nothing to set while the time is not shown
        RunUntil([] { return false; }, 100);
        d->reject();
    });
    rig.dlg.Execute(rig.module);
    EXPECT_EQ(rig.dev.RequestCount(), 1);
    EXPECT_TRUE(rig.TimeWrites().empty());
}

TEST(DeviceServiceDlg, SettingTheTimeCancelAndTooLarge) {
    TServiceRig rig;
    QString offered, title, warning;
    WhenModal<TDeviceServiceDlg>([&](TDeviceServiceDlg* d) {
        RunUntil([d] { return d->MachineTimeLb->text() == QStringLiteral("1:02:03:04"); });
        // Cancel writes nothing, and the time keeps being shown.
        AnswerTimeBox(QString(), &offered, &title);
        rig.Click();
        EXPECT_TRUE(d->Timer->Running());
        // A time beyond what the device can count is refused with a message.
        AnswerTimeBox(QStringLiteral("49711:00:00:00"));
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            warning = box->text();
            box->accept();
        });
        rig.Click();
        // "75" is 75 days.
        AnswerTimeBox(QStringLiteral("75"));
        rig.Click();
        AnswerTimeBox(QStringLiteral("0:00:75:00"));
        rig.Click();
        EXPECT_TRUE(d->Timer->Running());
        d->reject();
    });
    rig.dlg.Execute(rig.module);
    EXPECT_EQ(offered, QStringLiteral("1:02:03:04"));
    EXPECT_EQ(title, QStringLiteral("Input machine time|Machine time:"));
    EXPECT_EQ(warning,
              DeviceServiceLanguage().Texts(liEnglish).MsgTimeTooLarge.arg(QStringLiteral("49710:06:28:15")));
    EXPECT_EQ(rig.TimeWrites(), (std::vector<quint32>{75u * 86400, 59u * 60}));
}

TEST(DeviceServiceDlg, AClickDuringAReadWaitsForItInsteadOfBeingRefused) {
    TServiceRig rig;
    rig.dev.SetDelayMs(30);
    bool clicked = false;
    WhenModal<TDeviceServiceDlg>([&](TDeviceServiceDlg* d) {
        // The click arrives while a tick's read waits for its answer.
        const auto tick = d->Timer->OnTimer;
        d->Timer->OnTimer = [&, d, tick] {
            if (!clicked) {
                clicked = true;
                QMetaObject::invokeMethod(
                    d, [&rig] { rig.Click(); }, Qt::QueuedConnection);
            }
            tick();
        };
        AnswerTimeBox(QStringLiteral("0:00:00:05"));
        EXPECT_TRUE(RunUntil([&] { return !rig.TimeWrites().empty(); }));
        d->reject();
    });
    rig.dlg.Execute(rig.module);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(rig.TimeWrites(), std::vector<quint32>{5u});
}

TEST(DeviceServiceDlg, Languages) {
    TServiceRig rig;
    for (quint8 language : {liUkrainian, liGerman}) {
        SetCurrentLanguage(language);
        rig.dlg.UpdateLanguage();
        const TDeviceServiceLanguage& t = DeviceServiceLanguage().Texts(language);
        WhenModal<TDeviceServiceDlg>([&](TDeviceServiceDlg* d) {
            EXPECT_EQ(d->windowTitle(), t.Caption);
            EXPECT_EQ(d->lbVersion->text(), t.FirmwareVersion);
            EXPECT_TRUE(CutTexts(d).isEmpty()) << CutTexts(d).join(QStringLiteral(", ")).toStdString();
            d->reject();
        });
        rig.dlg.Execute(rig.module);
    }
    rig.dev.AddNerixDevice(1, {});
    SetCurrentLanguage(liUkrainian);
    WhenModal<TDeviceServiceDlg>([](TDeviceServiceDlg* d) {
        EXPECT_EQ(d->VersionLb->text(), QStringLiteral("недоступно"));
        d->reject();
    });
    rig.dlg.Execute(rig.module);
}

} // namespace
