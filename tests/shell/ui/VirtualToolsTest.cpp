// The main window's "Virtual tools" and the channel windows' hooks, against the emulated devices.
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "emulator/ui/InstrumentForms.h"
#include "model/AOChannel.h"
#include "model/DIChannel.h"
#include "model/SimpleChannel.h"
#include "model/ZUVOModule.h"
#include "options/OptionsDm.h"
#include "platform/ProcessTimer.h"
#include "shell/Dm.h"
#include "shell/ui/InstrumentHooks.h"
#include "shell/ui/MainForm.h"
#include "support/LanguageRestored.h"
#include "support/PtyBridge.h"
#include "views/AnalogInputGenerator.h"
#include "views/ui/DIChannelForms.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr quint32 kAik = 0;
constexpr quint32 kAo = 2;
constexpr quint32 kDi = 10;

class VirtualTools : public ::testing::Test {
protected:
    void SetUp() override {
        form.OnEmulatorSetup = [this] {
            dm.VDMgr->AddDevices(kAo, 1);  // 1
            dm.VDMgr->AddDevices(kAik, 1); // 2
            dm.VDMgr->AddDevices(kDi, 1);  // 3
            return true;
        };
        RegisterInstrumentHooks(form.Instruments());
    }
    void TearDown() override {
        AnalogInputGenerator() = nullptr;
        AnalogOutputTester() = nullptr;
        DiscreteInputContact() = nullptr;
    }
    QAction* Tools() const { return form.MenuVirtualTools->menuAction(); }

    TLanguageRestored language;
    QTemporaryDir folder;
    TOptionsDm options{folder.path()};
    TDm dm;
    TMainForm form{dm, *options.AdminOptions()};
};

TEST_F(VirtualTools, TheSubmenuShowsAndItsItemsWorkOnlyWhileTheEmulatorRuns) {
    const auto items = {form.actGenerator, form.actTester, form.actRemoveContact};
    EXPECT_FALSE(Tools()->isVisible());
    for (QAction* a : items)
        EXPECT_FALSE(a->isEnabled());
    form.actEmulatorExecute();
    ASSERT_TRUE(dm.EmulatorActive);
    EXPECT_TRUE(Tools()->isVisible());
    EXPECT_EQ(form.MenuVirtualTools->actions(), QList<QAction*>(items));
    for (QAction* a : items)
        EXPECT_TRUE(a->isEnabled());

    form.actGenerator->trigger();
    form.actTester->trigger();
    form.actRemoveContact->trigger();
    TVirtualInstruments& instruments = form.Instruments();
    for (TInstrumentForm* w : std::initializer_list<TInstrumentForm*>{
             instruments.GeneratorIfMade(), instruments.TesterIfMade(), instruments.ContactIfMade()}) {
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(w->isModal());
        EXPECT_NE(w->Channel(), nullptr);
        EXPECT_TRUE(w->StateLbl->isHidden());
    }
    EXPECT_EQ(instruments.GeneratorIfMade()->DeviceBox->currentText(),
              QStringLiteral("KVD-AIK-BUS Address = 2"));
    EXPECT_TRUE(instruments.GeneratorIfMade()->Timer()->isActive());
    EXPECT_EQ(instruments.ContactIfMade()->DeviceBox->currentText(),
              QStringLiteral("KVD-DIDC-BUS Address = 3"));
    // A second trigger brings the same window up, on the channel it has.
    instruments.TesterIfMade()->ChannelBox->setCurrentIndex(2);
    form.actTester->trigger();
    EXPECT_EQ(instruments.TesterIfMade()->ChannelBox->currentIndex(), 2);

    // Stopped, the emulator takes the submenu away; the open windows say so and keep still.
    form.actEmulatorExecute();
    ASSERT_FALSE(dm.EmulatorActive);
    EXPECT_FALSE(Tools()->isVisible());
    for (QAction* a : items)
        EXPECT_FALSE(a->isEnabled());
    for (TInstrumentForm* w : std::initializer_list<TInstrumentForm*>{
             instruments.GeneratorIfMade(), instruments.TesterIfMade(), instruments.ContactIfMade()}) {
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->Stopped());
        EXPECT_EQ(w->Channel(), nullptr);
        EXPECT_FALSE(w->Timer()->isActive());
        EXPECT_EQ(w->StateLbl->text(), QStringLiteral("The emulator is stopped"));
    }
    // Started again, the open windows take up the new devices.
    form.actEmulatorExecute();
    EXPECT_FALSE(instruments.TesterIfMade()->Stopped());
    EXPECT_NE(instruments.TesterIfMade()->Channel(), nullptr);
    EXPECT_TRUE(instruments.TesterIfMade()->Timer()->isActive());
    instruments.GeneratorIfMade()->close();
    form.actGenerator->trigger();
    EXPECT_FALSE(instruments.GeneratorIfMade()->Stopped());
    EXPECT_NE(instruments.GeneratorIfMade()->Channel(), nullptr);
}

TEST_F(VirtualTools, TheHooksOpenTheInstrumentOnTheEmulatedChannelAtTheSameAddressAndIndex) {
    form.actEmulatorExecute();
    ASSERT_TRUE(dm.EmulatorActive);
    TVirtualDeviceManager& emulator = *dm.VDMgr;
    TVirtualInstruments& instruments = form.Instruments();

    TZUVOModule* aik = dm.TemplateFor(quint16(kAik));
    ASSERT_NE(aik, nullptr);
    aik->SetAddress(2);
    ASSERT_NE(aik->AnalogInput(2), nullptr);
    TSimpleChannel& input = *aik->AnalogInput(2);
    AnalogInputGenerator()(gaStart, input);
    TGeneratorForm* generator = instruments.GeneratorIfMade();
    ASSERT_NE(generator, nullptr);
    EXPECT_TRUE(generator->isVisible());
    EXPECT_EQ(generator->Channel(), emulator.DeviceAt(1)->ChannelAt(2));
    EXPECT_EQ(generator->ChannelBox->currentText(), QStringLiteral("3"));
    AnalogInputGenerator()(gaStop, input);
    EXPECT_FALSE(generator->isVisible());
    AnalogInputGenerator()(gaToggle, input);
    EXPECT_TRUE(generator->isVisible());
    AnalogInputGenerator()(gaToggle, input);
    EXPECT_FALSE(generator->isVisible());
    AnalogInputGenerator()(gaStart, *aik->AnalogInput(0));
    EXPECT_EQ(generator->Channel(), emulator.DeviceAt(1)->ChannelAt(0));
    AnalogInputGenerator()(gaClose, input);
    EXPECT_FALSE(generator->isVisible());
    // A real device at an address no emulated module has: the generator opens on the first channel.
    aik->SetAddress(9);
    AnalogInputGenerator()(gaStart, input);
    EXPECT_EQ(generator->Channel(), emulator.DeviceAt(1)->ChannelAt(0));
    AnalogInputGenerator()(gaClose, input);

    TZUVOModule* ao = dm.TemplateFor(quint16(kAo));
    ASSERT_NE(ao, nullptr);
    ao->SetAddress(1);
    ASSERT_NE(ao->AnalogOutput(3), nullptr);
    AnalogOutputTester()(taToggle, *ao->AnalogOutput(3));
    TTesterForm* tester = instruments.TesterIfMade();
    ASSERT_NE(tester, nullptr);
    EXPECT_TRUE(tester->isVisible());
    EXPECT_EQ(tester->Channel(), emulator.DeviceAt(0)->ChannelAt(3));
    AnalogOutputTester()(taToggle, *ao->AnalogOutput(3));
    EXPECT_FALSE(tester->isVisible());
    AnalogOutputTester()(taToggle, *ao->AnalogOutput(1));
    EXPECT_EQ(tester->Channel(), emulator.DeviceAt(0)->ChannelAt(1));
    AnalogOutputTester()(taClose, *ao->AnalogOutput(1));
    EXPECT_FALSE(tester->isVisible());
}

// The analog input window runs modally; the generator it asks for must not be blocked by it.
TEST_F(VirtualTools, AnInstrumentAskedForByAModalWindowOpensAsItsChild) {
    form.actEmulatorExecute();
    ASSERT_TRUE(dm.EmulatorActive);
    TZUVOModule* aik = dm.TemplateFor(quint16(kAik));
    ASSERT_NE(aik, nullptr);
    aik->SetAddress(2);
    QDialog modal(&form);
    QWidget* parent = nullptr;
    bool shown = false;
    QTimer::singleShot(0, &modal, [&] {
        AnalogInputGenerator()(gaStart, *aik->AnalogInput(0));
        TGeneratorForm* generator = form.Instruments().GeneratorIfMade();
        parent = generator->parentWidget();
        shown = generator->isVisible();
        AnalogInputGenerator()(gaClose, *aik->AnalogInput(0));
        modal.reject();
    });
    modal.exec();
    EXPECT_EQ(parent, &modal);
    EXPECT_TRUE(shown);
    // Opened from the menu afterwards, it belongs to the main window again.
    form.actGenerator->trigger();
    ASSERT_NE(form.Instruments().GeneratorIfMade(), nullptr);
    EXPECT_EQ(form.Instruments().GeneratorIfMade()->parentWidget(), &form);
    EXPECT_TRUE(form.Instruments().GeneratorIfMade()->isVisible());
}

// The discrete input window's relay button, on a module the program reads over a line from the
// emulator: the contact it opens changes what the window reads.
TEST_F(VirtualTools, TheRelayButtonOpensTheContactOfTheInputTheWindowWatches) {
    TPtyBridge bridge;
    ASSERT_TRUE(bridge.Ok());
    form.actEmulatorExecute();
    ASSERT_TRUE(dm.EmulatorActive);
    dm.VDMgr->SetProtocol(TVirtualDeviceManager::kProtocolNerix);
    dm.VDMgr->SetPortName(bridge.PathA());
    dm.VDMgr->SetActive(true);
    ASSERT_TRUE(dm.VDMgr->Active()) << dm.VDMgr->LastError().toStdString();
    dm.Bus.SetPortName(bridge.PathB());
    dm.Bus.SetInputTimeout(150);
    dm.ComAccessPoint.SetActive(true);
    ASSERT_TRUE(dm.ComAccessPoint.Active());
    dm.CurrentAccessPoint = &dm.ComAccessPoint;
    TDeviceProps device;
    device.Address = 3;
    device.BaudCode = br9600;
    device.Protocol = tpNerix;
    device.TypeCode = kDi;
    device.ModelName = QStringLiteral("KVD-DIDC-BUS");
    device.ByteOrder = boNAN;
    dm.CurrentDevice = &device;
    dm.CurrentChannel = 4;
    dm.SelectCurrentModule();
    ASSERT_NE(dm.CurrentModule, nullptr);

    TDIChannelForm window(dm, TDIWindow::KVD_DI_DC);
    window.OnMessage = [](const QString& t) { ADD_FAILURE() << t.toStdString(); };
    window.Timer->Pause = [](int) {};
    ASSERT_TRUE(window.Load());
    ASSERT_TRUE(window.ReleBtn->isEnabled());
    window.ReleBtn->click();
    TContactForm* contact = form.Instruments().ContactIfMade();
    ASSERT_NE(contact, nullptr);
    EXPECT_TRUE(contact->isVisible());
    TCustomVirtualChannel* input = dm.VDMgr->DeviceAt(2)->ChannelAt(4);
    EXPECT_EQ(contact->Channel(), input);
    EXPECT_EQ(contact->DeviceBox->currentText(), QStringLiteral("KVD-DIDC-BUS Address = 3"));

    window.StartBtn->click();
    ASSERT_TRUE(window.Running());
    contact->RelayBtn->click();
    window.TimerTimer();
    EXPECT_EQ(window.Input()->State, 0);
    contact->RelayBtn->click();
    window.TimerTimer();
    EXPECT_EQ(window.Input()->State, 1);
    contact->LineBreakBtn->click();
    window.TimerTimer();
    EXPECT_EQ(window.Input()->State, 2);

    window.ReleBtn->click();
    EXPECT_FALSE(contact->isVisible());
    window.StartBtn->click();
    window.CloseBtnClick();
    dm.ComAccessPoint.SetActive(false);
    dm.VDMgr->SetActive(false);
}

} // namespace
