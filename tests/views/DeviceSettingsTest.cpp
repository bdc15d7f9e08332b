#include "views/DeviceSettings.h"
#include "bus/BaudRate.h"
#include "localization/Localization.h"
#include "model/DeviceRegister.h"
#include "protocol/ByteOrder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TDeviceProps Device(quint8 address, TTransferProtocol protocol = tpNerix) {
    TDeviceProps d(address, br9600, protocol, 0, 6, QStringLiteral("KVD-DIO-BUS"), 100 + address, 0xFFFF, 0);
    d.ByteOrder = bo3210x10;
    d.TimeoutCode = 3;
    return d;
}

bool Offers(const std::vector<quint8>& choices, int address) {
    return std::find(choices.begin(), choices.end(), quint8(address)) != choices.end();
}

TEST(DeviceSettings, TheAddressListLeavesOutOtherDevicesAndKeepsTheOwnAddress) {
    TDevicePropsList devices;
    for (quint8 a : {3, 5, 7}) {
        auto d = std::make_unique<TDeviceProps>(Device(a));
        devices.Add(d);
    }
    TDeviceProps& self = *devices.Items(1);
    const auto choices = AddressChoices(self, devices);
    EXPECT_FALSE(Offers(choices, 0)); // no device address under Nerix and Modbus RTU
    EXPECT_FALSE(Offers(choices, 3));
    EXPECT_FALSE(Offers(choices, 7));
    EXPECT_TRUE(Offers(choices, 5));
    EXPECT_TRUE(Offers(choices, 1));
    EXPECT_TRUE(Offers(choices, 255));
    EXPECT_EQ(choices.size(), 253u);
    EXPECT_TRUE(std::is_sorted(choices.begin(), choices.end()));

    // Under an ASCII protocol 0 is an address; a second device at the same address does not hide it.
    TDeviceProps ascii = Device(3, tpZoVuru);
    const auto asciiChoices = AddressChoices(ascii, devices);
    EXPECT_TRUE(Offers(asciiChoices, 0));
    EXPECT_TRUE(Offers(asciiChoices, 3));
    EXPECT_FALSE(Offers(asciiChoices, 5));

    EXPECT_EQ(AddressOfEntry(QStringLiteral("0x05 (5)")), 5);
    EXPECT_EQ(AddressOfEntry(QStringLiteral("0xFF (255)")), 255);
    EXPECT_EQ(AddressOfEntry(QStringLiteral("0x05")), -1);
    EXPECT_EQ(AddressOfEntry(QStringLiteral("(300)")), -1);
}

TEST(DeviceSettings, AListWithoutSelectionStandsForTheDevicesOwnValue) {
    // A device speaking an ASCII protocol, without the time-out setting and without a byte order.
    TDeviceProps d = Device(4, tpZoVuruCheckSum);
    d.TimeoutCode = kNoTimeoutCode;
    d.ByteOrder = boNAN;
    d.StopBitsCode = 2;
    d.ParityCode = 1;
    const TParamsSelection s = SelectionOf(d);
    EXPECT_EQ(s.Protocol, -1);
    EXPECT_EQ(s.Timeout, -1);
    EXPECT_EQ(s.ByteOrder, -1);
    EXPECT_EQ(s.Rate, br9600 - 4);
    EXPECT_EQ(s.Parity, 1);
    EXPECT_EQ(s.StopBits, 2);

    const TDeviceParams unchanged = EditedParams(d, s);
    EXPECT_EQ(unchanged, DeviceParamsOf(d));
    EXPECT_EQ(unchanged.Protocol, tpZoVuruCheckSum);
    EXPECT_EQ(unchanged.Timeout, -1);
    EXPECT_EQ(unchanged.ByteOrder, boNAN);
    EXPECT_FALSE(ParamsChanged(unchanged, d));

    TParamsSelection edited = s;
    edited.Address = 9;
    edited.Rate = 9; // br115200
    const TDeviceParams p = EditedParams(d, edited);
    EXPECT_EQ(p.Address, 9);
    EXPECT_EQ(p.BaudCode, br115200);
    EXPECT_EQ(p.Protocol, tpZoVuruCheckSum);
    EXPECT_TRUE(ParamsChanged(p, d));

    // A time-out code the list does not have (above 50) is the device's and stays so.
    d.TimeoutCode = 77;
    EXPECT_EQ(SelectionOf(d).Timeout, -1);
    EXPECT_EQ(EditedParams(d, SelectionOf(d)).Timeout, 77);
}

TEST(DeviceSettings, SavingToFlashOnlyWhatIsAppliedAndNeverInLiteMode) {
    const TDeviceProps d = Device(5);
    TParamsSelection s = SelectionOf(d);
    EXPECT_TRUE(SaveToFlashAllowed(EditedParams(d, s), d, false));
    EXPECT_FALSE(SaveToFlashAllowed(EditedParams(d, s), d, true));
    s.Parity = 2;
    EXPECT_FALSE(SaveToFlashAllowed(EditedParams(d, s), d, false));
    s.Parity = 0; // back to the device's value
    EXPECT_TRUE(SaveToFlashAllowed(EditedParams(d, s), d, false));
}

TEST(DeviceSettings, TheBusSettingsWord) {
    const TDeviceProps d = Device(5);
    TDeviceParams p = DeviceParamsOf(d);
    p.Address = 7;
    p.BaudCode = br9600;
    p.Protocol = tpModbus;
    p.Parity = 2;
    p.StopBits = 1;
    // address + 256 (code - 1) + 65536 protocol + 16777216 (parity + 16 stop bits)
    EXPECT_EQ(BusSettingsWordFor(p, d), 7u + 256u * 6 + 65536u * 1 + 16777216u * (2 + 16 * 1));
    EXPECT_EQ(BusSettingsWordFor(p, d), 0x12010607u);
}

TEST(DeviceSettings, AWordAUdpSearchReadKeepsTheBitsOfUnchangedFields) {
    // Speed code 0x13 (the UDP search reads it as 9600), protocol byte 0x4A, parity nibble 0xF (the
    // search reads the parity byte 0xF4 as none), stop-bits code 2 (read as 1.5).
    TDeviceProps d = Device(5);
    d.BusSettingsWord = 0x2F4A1305u;
    d.BaudCode = br9600;
    d.ParityCode = 0;
    d.StopBitsCode = 1;
    TDeviceParams p = DeviceParamsOf(d);
    EXPECT_EQ(BusSettingsWordFor(p, d), 0x2F4A1305u); // nothing changed: the word as it was
    p.Address = 7;
    EXPECT_EQ(BusSettingsWordFor(p, d), 0x2F4A1307u);
    p.Parity = 2;
    EXPECT_EQ(BusSettingsWordFor(p, d), 0x224A1307u);
    p.BaudCode = br115200;
    EXPECT_EQ(BusSettingsWordFor(p, d), 0x224A0C07u);
    p.StopBits = 0;
    p.Protocol = tpModbus;
    EXPECT_EQ(BusSettingsWordFor(p, d), 0x02010C07u);
}

TEST(DeviceSettings, WhatClosingDoesFirst) {
    using O = TCloseOutcome;
    // Nothing to save: just close.
    for (bool applied : {false, true})
        for (bool changed : {false, true})
            for (bool lite : {false, true})
                EXPECT_EQ(CloseOutcomeFor(applied, changed, false, lite), O::Close);
    EXPECT_EQ(CloseOutcomeFor(false, false, true, false), O::NotSavedMessage); // Cancel
    EXPECT_EQ(CloseOutcomeFor(true, true, true, false), O::NotSavedMessage); // the device is rescanned first
    EXPECT_EQ(CloseOutcomeFor(true, false, true, false), O::AskToSave);
    // Lite mode offers no save.
    EXPECT_EQ(CloseOutcomeFor(true, false, true, true), O::NotSavedMessage);
}

TEST(DeviceSettings, TheRescanMessageAndTheListTexts) {
    EXPECT_EQ(RescanMessage(liEnglish), QStringLiteral("Changing system object parameters\nRescan the bus\n\n"
                                                       "After device detecting Save parameters into flash"));
    EXPECT_TRUE(
        RescanMessage(liUkrainian).startsWith(QStringLiteral("Зміна параметрів системного об'єкта\n")));
    EXPECT_EQ(RateEntryText(0), QStringLiteral("br1200"));
    EXPECT_EQ(RateEntryText(16), QStringLiteral("br921600"));
    EXPECT_EQ(RateEntryText(17), QString());
    EXPECT_EQ(ParityEntryText(4), QStringLiteral("ptSpace"));
    EXPECT_EQ(ByteOrderEntryText(0), QStringLiteral("3210/10"));
    EXPECT_EQ(ByteOrderEntryText(7), QStringLiteral("2301/01"));
}

} // namespace
