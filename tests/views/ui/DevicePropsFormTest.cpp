// The device properties window on the application context, with its devices on a pseudo-terminal.
#include "ViewsUiSupport.h"

#include "localization/DeviceViewsLanguage.h"
#include "model/ZUVOModule.h"
#include "options/AdminOptions.h"
#include "shell/Dm.h"
#include "support/ScriptedDevice.h"
#include "views/ChannelWindows.h"
#include "views/DeviceService.h"
#include "views/ui/DevicePropsForm.h"
#include "views/ui/DeviceServiceDlg.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

constexpr quint32 kDioMask = 0x3FFFF; // KVD-DIO-BUS: 8 inputs, 8 outputs, manager, health controller

struct TPropsRig {
    TEnglishAfterwards english;
    TScriptedDevice dev;
    TAdminOptions options;
    TDm dm;
    // Stands for the device's template, which its family will provide.
    TSystemObjectModule templ;
    std::unique_ptr<TDevicePropsForm> form;
    QStringList messages;

    TPropsRig() {
        dm.Bus.SetPortName(dev.PortPath());
        dm.Bus.SetInputTimeout(40);
        dm.ComAccessPoint.SetTryCount(1);
        dm.ComAccessPoint.SetActive(true);
        dm.CurrentAccessPoint = &dm.ComAccessPoint;
        form = std::make_unique<TDevicePropsForm>(dm, options);
    }
    TDeviceProps* Add(quint8 address, quint32 type = 6, TTransferProtocol protocol = tpNerix,
                      quint32 mask = kDioMask) {
        auto p = std::make_unique<TDeviceProps>(address, br9600, protocol, 0, type,
                                                dm.DeviceRegister.FindByType(type)->ModelName, 100 + address,
                                                mask, 0);
        p->ByteOrder = boNAN;
        p->TimeoutCode = 3;
        TDeviceProps* raw = p.get();
        dm.Devices.Add(p);
        return raw;
    }
    // The device becomes current with the stand-in template pointed at it.
    void Select(TDeviceProps* device, bool withTemplate = true) {
        dm.CurrentDevice = device;
        dm.CurrentModule = withTemplate ? &templ : nullptr;
        templ.SetAP(&dm.ComAccessPoint);
        templ.SetAddress(device->Address);
    }
    // From now on every message box is remembered and a question answered with Answer.
    void AnswerBoxes(QMessageBox::StandardButton Answer = QMessageBox::Yes) {
        answer = Answer;
        if (boxes.isActive())
            return;
        boxes.setInterval(5);
        QObject::connect(&boxes, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box->property("answered").toBool())
                return;
            box->setProperty("answered", true);
            messages << box->text();
            if (box->button(answer))
                box->button(answer)->click();
            else
                box->accept();
        });
        boxes.start();
    }
    QTimer boxes;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    int Writes(quint16 property) const {
        int n = 0;
        for (const QByteArray& r : dev.Requests())
            n += r.size() == 11 && r[1] == 1 && ((quint8(r[3]) << 8) | quint8(r[4])) == property;
        return n;
    }
};

TEST(DevicePropsForm, ListsCaptionPagesAndTheFlashButton) {
    TPropsRig rig;
    rig.Add(3);
    TDeviceProps* device = rig.Add(5);
    rig.Add(7);
    rig.Select(device);
    bool checked = false;
    WhenModal<TDevicePropsForm>([&](TDevicePropsForm* f) {
        EXPECT_EQ(f->windowTitle(), QStringLiteral("Device parameters: KVD-DIO-BUS"));
        EXPECT_EQ(f->AddressEdit->currentText(), QStringLiteral("0x05 (5)"));
        EXPECT_EQ(f->AddressEdit->findText(QStringLiteral("0x03 (3)")), -1);
        EXPECT_EQ(f->AddressEdit->findText(QStringLiteral("0x00 (0)")), -1);
        EXPECT_EQ(f->AddressEdit->itemText(0), QStringLiteral("0x01 (1)"));
        EXPECT_EQ(f->AddressEdit->count(), 253);
        EXPECT_EQ(f->RateEdit->currentText(), QStringLiteral("br9600"));
        EXPECT_EQ(f->RateEdit->count(), 17);
        EXPECT_EQ(f->ProtocolEdit->currentText(), QStringLiteral("Nerix"));
        EXPECT_EQ(f->ParityBox->currentText(), QStringLiteral("ptNone"));
        EXPECT_EQ(f->cbStopBits->currentText(), QStringLiteral("1"));
        EXPECT_EQ(f->cbResponseTimeout->currentText(), QStringLiteral("3"));
        EXPECT_EQ(f->cbResponseTimeout->count(), 51);
        EXPECT_TRUE(f->cbResponseTimeout->isEnabled());
        EXPECT_EQ(f->cbByteOrder->count(), 8);
        // No byte order: list and label hidden.
        EXPECT_TRUE(f->cbByteOrder->isHidden());
        EXPECT_TRUE(f->lbByteOrder->isHidden());
        EXPECT_EQ(f->lbStopBits->text(), QStringLiteral("Stop bits:"));
        EXPECT_EQ(f->ServiceBtn->text(), QStringLiteral("Service"));
        EXPECT_EQ(f->Pages->currentIndex(), 0);
        EXPECT_EQ(f->Pages->tabText(1), QStringLiteral("Flash memory"));
        EXPECT_TRUE(f->RestoreBtn->isHidden());
        EXPECT_EQ(f->ChannelList->topLevelItemCount(), 18);
        EXPECT_EQ(f->ChannelList->headerItem()->text(0), QStringLiteral("Object #"));
        EXPECT_EQ(f->ChannelList->topLevelItem(17)->text(1), QStringLiteral("System health controller"));
        EXPECT_EQ(f->N1->text(), QStringLiteral("Properties"));
        EXPECT_TRUE(f->ChannelList->hasFocus() || !f->isActiveWindow());

        // Any change disables saving; the device's own value enables it again.
        EXPECT_TRUE(f->SaveBtn->isEnabled());
        f->ParityBox->setCurrentIndex(2);
        EXPECT_FALSE(f->SaveBtn->isEnabled());
        f->ParityBox->setCurrentIndex(0);
        EXPECT_TRUE(f->SaveBtn->isEnabled());
        f->AddressEdit->setCurrentIndex(f->AddressEdit->findText(QStringLiteral("0x06 (6)")));
        EXPECT_FALSE(f->SaveBtn->isEnabled());
        checked = true;
        f->CancelBtn->click();
    });
    TDeviceParams edited;
    EXPECT_FALSE(rig.form->Execute(*device, edited));
    EXPECT_TRUE(checked);
    // Cancel puts the lists back as they were.
    EXPECT_EQ(edited, DeviceParamsOf(*device));
    EXPECT_EQ(rig.form->AddressEdit->currentText(), QStringLiteral("0x05 (5)"));
    EXPECT_TRUE(rig.messages.isEmpty());
    EXPECT_EQ(rig.dev.RequestCount(), 0);
}

TEST(DevicePropsForm, ApplyReturnsTheEditedValuesAndAByteOrderList) {
    TPropsRig rig;
    TDeviceProps* device = rig.Add(5);
    device->ByteOrder = bo1032x10;
    rig.Select(device);
    WhenModal<TDevicePropsForm>([](TDevicePropsForm* f) {
        EXPECT_FALSE(f->cbByteOrder->isHidden());
        EXPECT_EQ(f->cbByteOrder->currentText(), QStringLiteral("1032/10"));
        f->AddressEdit->setCurrentIndex(f->AddressEdit->findText(QStringLiteral("0x07 (7)")));
        f->cbByteOrder->setCurrentIndex(5);
        f->cbStopBits->setCurrentIndex(2);
        f->OkBtn->click();
    });
    TDeviceParams edited;
    EXPECT_TRUE(rig.form->Execute(*device, edited));
    EXPECT_TRUE(rig.form->ParamsChanged());
    EXPECT_EQ(edited.Address, 7);
    EXPECT_EQ(edited.ByteOrder, 5);
    EXPECT_EQ(edited.StopBits, 2);
    EXPECT_EQ(edited.BaudCode, br9600);
}

TEST(DevicePropsForm, AnAsciiDeviceHasNoProtocolEntryAndKeepsItsProtocol) {
    TPropsRig rig;
    rig.Add(3);
    TDeviceProps* device = rig.Add(0, 6, tpZoVuru);
    device->TimeoutCode = kNoTimeoutCode;
    rig.Select(device);
    WhenModal<TDevicePropsForm>([](TDevicePropsForm* f) {
        EXPECT_EQ(f->ProtocolEdit->currentIndex(), -1);
        EXPECT_EQ(f->cbResponseTimeout->currentIndex(), -1);
        EXPECT_FALSE(f->cbResponseTimeout->isEnabled()); // the device has no time-out setting
        EXPECT_EQ(f->AddressEdit->currentText(), QStringLiteral("0x00 (0)"));
        EXPECT_EQ(f->AddressEdit->findText(QStringLiteral("0x03 (3)")), -1);
        f->AddressEdit->setCurrentIndex(f->AddressEdit->findText(QStringLiteral("0x02 (2)")));
        f->OkBtn->click();
    });
    TDeviceParams edited;
    EXPECT_TRUE(rig.form->Execute(*device, edited));
    EXPECT_EQ(edited.Address, 2);
    EXPECT_EQ(edited.Protocol, tpZoVuru);
    EXPECT_EQ(edited.Timeout, -1);
}

TEST(DevicePropsForm, LiteModeNeverSavesAndOnlyReminds) {
    TPropsRig rig;
    rig.options.SetLiteVersion(true);
    TDeviceProps* device = rig.Add(5);
    rig.Select(device);
    rig.templ.Modified = true;
    WhenModal<TDevicePropsForm>([](TDevicePropsForm* f) {
        EXPECT_FALSE(f->SaveBtn->isEnabled());
        f->ParityBox->setCurrentIndex(1);
        f->ParityBox->setCurrentIndex(0);
        EXPECT_FALSE(f->SaveBtn->isEnabled());
        f->OkBtn->click();
    });
    rig.AnswerBoxes();
    TDeviceParams edited;
    EXPECT_TRUE(rig.form->Execute(*device, edited));
    EXPECT_FALSE(rig.form->ParamsChanged()); // nothing changed, whatever the flash button shows
    EXPECT_EQ(rig.messages, QStringList{QStringLiteral("Parameters not saved")});
    EXPECT_EQ(rig.Writes(spSaveToFlash), 0);
}

TEST(DevicePropsForm, ApplyWithoutChangesAsksToSaveAndAFailedSaveKeepsTheWindowOpen) {
    TPropsRig rig;
    TDeviceProps* device = rig.Add(5);
    rig.Select(device);
    rig.templ.Modified = true;
    bool stayedOpen = false;
    WhenModal<TDevicePropsForm>([&](TDevicePropsForm* f) {
        // The device does not take the save yet.
        f->OkBtn->click();
        stayedOpen = f->isVisible();
        rig.dev.AddNerixDevice(5, {{{0, 5}, 0}});
        f->OkBtn->click();
    });
    rig.AnswerBoxes(QMessageBox::Yes);
    TDeviceParams edited;
    EXPECT_TRUE(rig.form->Execute(*device, edited));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(rig.messages, (QStringList{"Save settings to Flash?", "Error saving parameters",
                                         "Save settings to Flash?", "Parameters saved"}));
    EXPECT_EQ(rig.Writes(spSaveToFlash), 2);
    EXPECT_FALSE(rig.templ.Modified);

    // "No" closes without saving; Cancel only reminds.
    rig.messages.clear();
    rig.templ.Modified = true;
    WhenModal<TDevicePropsForm>([](TDevicePropsForm* f) { f->OkBtn->click(); });
    rig.AnswerBoxes(QMessageBox::No);
    EXPECT_TRUE(rig.form->Execute(*device, edited));
    EXPECT_EQ(rig.messages, QStringList{QStringLiteral("Save settings to Flash?")});
    rig.messages.clear();
    WhenModal<TDevicePropsForm>([](TDevicePropsForm* f) { f->CancelBtn->click(); });
    EXPECT_FALSE(rig.form->Execute(*device, edited));
    EXPECT_EQ(rig.messages, QStringList{QStringLiteral("Parameters not saved")});
    EXPECT_EQ(rig.Writes(spSaveToFlash), 2);
}

TEST(DevicePropsForm, SaveToFlashFromThePage) {
    TPropsRig rig;
    rig.dev.AddNerixDevice(5, {{{0, 5}, 0}});
    TDeviceProps* device = rig.Add(5);
    // A model without a template still saves through its system object.
    rig.Select(device, false);
    WhenModal<TDevicePropsForm>([](TDevicePropsForm* f) {
        f->Pages->setCurrentIndex(1);
        EXPECT_NE(f->Module(), nullptr);
        f->SaveBtn->click();
        f->CancelBtn->click();
    });
    rig.AnswerBoxes();
    TDeviceParams edited;
    rig.form->Execute(*device, edited);
    EXPECT_EQ(rig.messages, QStringList{QStringLiteral("Parameters saved")});
    EXPECT_EQ(rig.Writes(spSaveToFlash), 1);
    EXPECT_EQ(rig.form->Module(), nullptr); // only while the window runs
}

TEST(DevicePropsForm, OpeningChannelsThroughTheRegisteredWindowsAndTheMarker) {
    TPropsRig rig;
    TDeviceProps* device = rig.Add(5);
    rig.Select(device);
    std::vector<TChannelWindowContext> opened;
    quint32 health = 1;
    SetHealthControllerProbe([&](TZUVOModule&, int) -> std::optional<quint32> { return health; });
    ChannelWindows().Register(QStringLiteral("TDIOManagerForm"), [&](const TChannelWindowContext& c) {
        opened.push_back(c);
        QApplication::setOverrideCursor(Qt::WaitCursor); // left behind by a window that refused
    });
    ChannelWindows().Register(QStringLiteral("TIntactnessControllerDIODlg"),
                              [&](const TChannelWindowContext& c) {
                                  opened.push_back(c);
                                  health = 0; // the user cleared the fault
                              });
    bool markedBefore = false, markedAfter = true;
    WhenModal<TDevicePropsForm>([&](TDevicePropsForm* f) {
        QTreeWidget* list = f->ChannelList;
        QTreeWidgetItem* manager = list->topLevelItem(16);
        QTreeWidgetItem* controller = list->topLevelItem(17);
        EXPECT_TRUE(list->topLevelItem(0)->icon(0).isNull());
        markedBefore = !controller->icon(0).isNull();
        // Nothing selected: nothing opens.
        list->clearSelection();
        f->N1Click();
        list->setCurrentItem(manager);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(list, &enter);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        f->N1->trigger();
        // A discrete input has no window in this program yet: nothing happens.
        list->setCurrentItem(list->topLevelItem(2));
        f->ChannelListDblClick();
        list->setCurrentItem(controller);
        f->N1Click();
        markedAfter = !controller->icon(0).isNull();
        f->CancelBtn->click();
    });
    TDeviceParams edited;
    rig.form->Execute(*device, edited);
    ChannelWindows().Unregister(QStringLiteral("TDIOManagerForm"));
    ChannelWindows().Unregister(QStringLiteral("TIntactnessControllerDIODlg"));
    SetHealthControllerProbe({});

    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0].Window, QStringLiteral("TDIOManagerForm"));
    EXPECT_EQ(opened[0].Row, 16);
    EXPECT_EQ(opened[0].Kind, ckDioManager);
    EXPECT_EQ(opened[0].Module, &rig.templ);
    EXPECT_EQ(opened[0].Parent, rig.form.get());
    EXPECT_EQ(opened[1].Row, 16);
    EXPECT_EQ(opened[2].Window, QStringLiteral("TIntactnessControllerDIODlg"));
    EXPECT_EQ(opened[2].HealthController, 0);
    EXPECT_EQ(rig.dm.CurrentChannel, 17);
    EXPECT_TRUE(markedBefore);
    EXPECT_FALSE(markedAfter);
}

TEST(DevicePropsForm, TheServiceButtonShowsTheDevicesVersion) {
    TPropsRig rig;
    rig.dev.AddNerixDevice(5, {{{0, 100}, 16 | (5 << 8) | (21 << 16) | (1 << 21)}, {{0, 102}, 60}});
    TDeviceProps* device = rig.Add(5);
    rig.Select(device, false);
    QString version;
    WhenModal<TDevicePropsForm>([&](TDevicePropsForm* f) {
        WhenModal<TDeviceServiceDlg>([&](TDeviceServiceDlg* s) {
            version = s->VersionLb->text();
            s->reject();
        });
        f->ServiceBtn->click();
        f->CancelBtn->click();
    });
    TDeviceParams edited;
    rig.form->Execute(*device, edited);
    EXPECT_EQ(version, QStringLiteral("2016.05.21::i.1"));
}

TEST(DevicePropsForm, EveryLanguageShowsWholeTexts) {
    TPropsRig rig;
    TDeviceProps* device = rig.Add(5);
    device->ByteOrder = bo3210x10;
    rig.Select(device);
    for (quint8 language : {liEnglish, liRussian, liUkrainian, liGerman, liSpanish, liFrench}) {
        SetCurrentLanguage(language);
        rig.form->UpdateLanguage();
        const TDevicePropsLanguage& t = DevicePropsLanguage().Texts(language);
        WhenModal<TDevicePropsForm>([&](TDevicePropsForm* f) {
            EXPECT_EQ(f->windowTitle(), t.Caption + QStringLiteral(": KVD-DIO-BUS"));
            EXPECT_EQ(f->lbByteOrder->text(), t.ByteOrder);
            EXPECT_EQ(f->OkBtn->text(), t.Apply);
            EXPECT_TRUE(CutTexts(f).isEmpty())
                << int(language) << ": " << CutTexts(f).join(QStringLiteral(", ")).toStdString();
            // Tabs and column captions too.
            for (int i = 0; i < f->Pages->count(); ++i)
                EXPECT_GE(f->Pages->tabBar()->tabRect(i).width(),
                          f->Pages->tabBar()->fontMetrics().horizontalAdvance(f->Pages->tabText(i)));
            f->CancelBtn->click();
        });
        TDeviceParams edited;
        rig.form->Execute(*device, edited);
    }
    // The main window's broadcast reaches both windows.
    SetCurrentLanguage(liUkrainian);
    QList<QObject*> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        windows << w;
    BroadcastUpdateLanguage(windows);
    EXPECT_EQ(rig.form->lbStopBits->text(), QStringLiteral("Стоп-біти:"));
    EXPECT_EQ(rig.form->ChannelList->headerItem()->text(1), QStringLiteral("Тип об'єкта"));
    EXPECT_EQ(rig.form->ServiceDlg().windowTitle(), QStringLiteral("Сервіс пристрою"));
}

} // namespace
