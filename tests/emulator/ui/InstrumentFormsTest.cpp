#include "emulator/ui/InstrumentForms.h"
#include "emulator/EmulatorTcpServer.h"
#include "emulator/VirtualAnalogChannels.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "localization/InstrumentsLanguage.h"
#include "localization/Localization.h"
#include "model/Helper.h"
#include "model/Ranges.h"
#include "support/LanguageRestored.h"

#include "../EmulatorRequests.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTcpServer>
#include <QTimer>
#include <gtest/gtest.h>
#include <modbus/modbus.h>
#include <thread>

namespace {

constexpr quint32 kAik = 0;
constexpr quint32 kAo = 2;
constexpr quint32 kDi = 10;

QStringList Items(const QComboBox* Box) {
    QStringList items;
    for (int i = 0; i < Box->count(); ++i)
        items << Box->itemText(i);
    return items;
}

class Instruments : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentLanguage(liEnglish);
        manager.AddDevices(kAo, 1);  // 1
        manager.AddDevices(kAik, 1); // 2
        manager.AddDevices(kDi, 1);  // 3
        manager.AddDevices(kAik, 1); // 4
    }
    TLanguageRestored language;
    TVirtualDeviceManager manager;
};

TEST_F(Instruments, TheGeneratorOffersAnalogInputsAndFeedsTheMiddleOfTheRange) {
    TGeneratorForm form(manager);
    form.Seed(11);
    form.Fill();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Generator"));
    EXPECT_EQ(Items(form.DeviceBox), (QStringList{QStringLiteral("KVD-AIK-BUS Address = 2"),
                                                  QStringLiteral("KVD-AIK-BUS Address = 4")}));
    EXPECT_EQ(Items(form.ChannelBox), (QStringList{"1", "2", "3", "4"}));
    form.DeviceBox->setCurrentIndex(1);
    form.ChannelBox->setCurrentIndex(2);
    TCustomVirtualChannel* channel = form.Channel();
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(channel->Device()->Address(), 4);
    EXPECT_EQ(channel->Number(), 3);

    ASSERT_TRUE(WriteReg(manager, 4, 3, 1, 48));
    const double low = RangeLow(48), high = RangeHigh(48);
    form.SignalBar->setValue(25);
    form.NoiseBar->setValue(0);
    for (int tick = 0; tick < 5; ++tick) {
        form.TimerTimer();
        EXPECT_FLOAT_EQ(channel->Input(), float((low + high) / 2));
    }
    EXPECT_EQ(form.Range().Code, 48);
    EXPECT_EQ(form.SignalValue->text(),
              FloatToText(QStringLiteral("00.0000"), (low + high) / 2) + QLatin1Char(' ') + RangeUnit(48));
    EXPECT_EQ(form.Chart->PointCount(0), 5);
    EXPECT_EQ(form.Chart->PointCount(1), 5);

    // Full noise stays within a two-hundredth of the span around the level.
    form.NoiseBar->setValue(50);
    for (int tick = 0; tick < 200; ++tick) {
        form.TimerTimer();
        EXPECT_LE(std::fabs(channel->Input() - (low + high) / 2), (high - low) / 200 * (1 + 1e-5) + 1e-6);
    }

    // A range changed by a client reloads the record and starts the chart again.
    ASSERT_TRUE(WriteReg(manager, 4, 3, 1, 55));
    form.TimerTimer();
    EXPECT_EQ(form.Range().Code, 55);
    EXPECT_EQ(form.Range().Format, QStringLiteral("0.00000"));
    EXPECT_EQ(form.Chart->PointCount(0), 1);
}

TEST_F(Instruments, TheTimerRunsWhileTheWindowShowsWithAChannelAndTheEmulatorRuns) {
    TGeneratorForm form(manager);
    form.Fill();
    EXPECT_FALSE(form.Timer()->isActive());
    form.show();
    EXPECT_TRUE(form.Timer()->isActive());
    EXPECT_EQ(form.Timer()->interval(), 100);
    TCustomVirtualChannel* channel = form.Channel();
    ASSERT_NE(channel, nullptr);
    form.SignalBar->setValue(50);
    QElapsedTimer t;
    t.start();
    while (channel->Input() == 0 && t.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FLOAT_EQ(channel->Input(), float(RangeHigh(0)));
    // Esc closes the window and stops the timer.
    form.reject();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Timer()->isActive());

    // The emulator stops while the window shows: it says so, lets go of the channel and keeps still,
    // also when a tick was already due when the devices went.
    form.show();
    ASSERT_TRUE(form.Timer()->isActive());
    form.EmulatorStopped();
    manager.ClearDevices();
    EXPECT_FALSE(form.Timer()->isActive());
    EXPECT_EQ(form.Channel(), nullptr);
    EXPECT_EQ(form.DeviceBox->count(), 0);
    EXPECT_FALSE(form.StateLbl->isHidden());
    EXPECT_EQ(form.StateLbl->text(), QStringLiteral("The emulator is stopped"));
    EXPECT_FALSE(form.PointBox->isEnabled());
    form.TimerTimer();
    QCoreApplication::processEvents();
    form.hide();
}

TEST_F(Instruments, PointersKeptAcrossAFreeingOfTheDevicesAreNotUsed) {
    TContactForm contact(manager);
    TTesterForm tester(manager);
    contact.Fill();
    tester.Fill();
    ASSERT_NE(contact.Channel(), nullptr);
    // Nobody told the windows; the manager's generation does.
    manager.ClearDevices();
    manager.AddDevices(kDi, 1);
    EXPECT_EQ(contact.Channel(), nullptr);
    EXPECT_EQ(tester.Channel(), nullptr);
    contact.RelayBtn->click(); // would write into a freed channel
    tester.TimerTimer();
    EXPECT_EQ(manager.DeviceAt(0)->ChannelAt(0)->Input(), 0.0f);
    // Opened again, they find the new devices.
    contact.Fill();
    EXPECT_EQ(Items(contact.DeviceBox), QStringList{QStringLiteral("KVD-DIDC-BUS Address = 1")});
    tester.Fill();
    EXPECT_FALSE(tester.StateLbl->isHidden());
    EXPECT_EQ(tester.StateLbl->text(), QStringLiteral("No emulated device has such channels"));
}

TEST_F(Instruments, TheTesterShowsWhatAClientWroteInTheRangesFormat) {
    TTesterForm form(manager);
    form.Fill();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tester"));
    EXPECT_EQ(Items(form.DeviceBox), QStringList{QStringLiteral("KVD-AO-BUS Address = 1")});
    form.ChannelBox->setCurrentIndex(1);
    ASSERT_TRUE(WriteReg(manager, 1, 2, 1, 154));
    ASSERT_TRUE(WriteReg(manager, 1, 2, 0, FloatBits(12.3456f)));
    form.TimerTimer();
    EXPECT_EQ(form.Range().Code, 154);
    EXPECT_EQ(form.ValueLbl->text(),
              FloatToText(QStringLiteral("000.000"), 12.3456f) + QLatin1Char(' ') + RangeUnit(154));
    ASSERT_TRUE(WriteReg(manager, 1, 2, 0, FloatBits(-1.5f)));
    form.TimerTimer();
    EXPECT_EQ(form.Chart->PointCount(0), 2);
    EXPECT_LE(form.Chart->Axis().Min(), -1.5);
    EXPECT_GE(form.Chart->Axis().Max(), 12.3456);
}

TEST_F(Instruments, TheContactDrivesTheChosenInputAndSpeaksUkrainian) {
    SetCurrentLanguage(liUkrainian);
    TContactForm form(manager);
    form.Fill();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Контакт"));
    EXPECT_EQ(Items(form.DeviceBox), QStringList{QStringLiteral("KVD-DIDC-BUS Адреса = 3")});
    EXPECT_EQ(form.ChannelBox->count(), 8);
    form.ChannelBox->setCurrentIndex(5);
    TCustomVirtualChannel* input = form.Channel();
    ASSERT_NE(input, nullptr);
    ASSERT_EQ(input->Number(), 6);
    // Chosen, the channel gets the contact's state at once: off.
    EXPECT_EQ(ReadReg(manager, 3, 6, 0), 1u);
    form.RelayBtn->click();
    EXPECT_EQ(ReadReg(manager, 3, 6, 0), 0u);
    form.LineBreakBtn->click();
    EXPECT_EQ(ReadReg(manager, 3, 6, 0), 2u);
    ASSERT_TRUE(WriteReg(manager, 3, 6, 8, 0)); // line check off
    form.LineBreakBtn->click();
    form.LineBreakBtn->click();
    EXPECT_EQ(ReadReg(manager, 3, 6, 0), 0u);
    // Another channel leaves the first as it was and takes the switches' state.
    form.ChannelBox->setCurrentIndex(0);
    EXPECT_EQ(input->Input(), 2.1f);
    EXPECT_EQ(ReadReg(manager, 3, 1, 0), 2u);

    SetCurrentLanguage(liEnglish);
    form.UpdateLanguage();
    EXPECT_EQ(Items(form.DeviceBox), QStringList{QStringLiteral("KVD-DIDC-BUS Address = 3")});
    EXPECT_EQ(form.RelayBtn->text(), QStringLiteral("On/Off"));
}

// A port nobody listens on just now.
quint16 FreeTcpPort() {
    QTcpServer probe;
    EXPECT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    return probe.serverPort();
}

// What the generator feeds is what an outside master reads from the emulator.
TEST_F(Instruments, AnOutsideMasterReadsWhatTheGeneratorFeeds) {
    TEmulatorTcpServer server(manager);
    server.SetMbap(true);
    manager.SetProtocol(TVirtualDeviceManager::kProtocolModbus);
    const quint16 port = FreeTcpPort();
    ASSERT_TRUE(server.Listen(port));
    TGeneratorForm form(manager);
    form.Fill(); // KVD-AIK-BUS at 2, channel 1
    form.SignalBar->setValue(40);
    for (int tick = 0; tick < 30; ++tick)
        form.TimerTimer();
    TCustomVirtualChannel* channel = form.Channel();
    ASSERT_NE(channel, nullptr);
    EXPECT_FLOAT_EQ(channel->Input(), float(RangeLow(0) + (RangeHigh(0) - RangeLow(0)) / 50 * 40));

    quint16 regs[2] = {};
    int result = -1;
    bool done = false;
    std::thread master([&] {
        modbus_t* ctx = modbus_new_tcp("127.0.0.1", port);
        modbus_set_slave(ctx, 2);
        modbus_set_response_timeout(ctx, 1, 0);
        if (modbus_connect(ctx) == 0) {
            result = modbus_read_registers(ctx, 256, 2, regs);
            modbus_close(ctx);
        }
        modbus_free(ctx);
        done = true;
    });
    QElapsedTimer t;
    t.start();
    while (!done && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    master.join();
    ASSERT_EQ(result, 2);
    EXPECT_EQ(std::bit_cast<float>(quint32(regs[0]) << 16 | regs[1]), channel->OutputAsFloat());
    EXPECT_NE(channel->OutputAsFloat(), 0.0f);
    server.Close();
}

} // namespace
