#pragma once

#include "localization/LanguageTables.h"

// The device properties window, the device-settings workflow's messages and the device service
// window.
// clang-format off
#define DVV_DEVICE_PROPS_TEXTS(X)                                                                                \
    X(Caption) X(DeviceAddress) X(BaudRate) X(CommProtocol) X(Parity) X(StopBits) X(ResponseTimeout) X(ByteOrder) \
    X(Service) X(PageObjects) X(ColObjectNumber) X(ColObjectType) X(ColNote) X(Properties) X(HealthMarker)       \
    X(PageFlash) X(SaveToFlash) X(RestoreFromFlash) X(Apply) X(Cancel) X(MsgSaveError) X(MsgSaved) X(MsgNotSaved) \
    X(MsgAskSave) X(MsgChanging) X(MsgRescan) X(MsgAfterDetecting) X(MsgSaveIntoFlash)
// clang-format on

struct TDevicePropsLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_DEVICE_PROPS_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TDevicePropsLanguage::*>>& Fields();
};

// clang-format off
#define DVV_DEVICE_SERVICE_TEXTS(X)                                                                              \
    X(Caption) X(MachineTime) X(FirmwareVersion) X(InputMachineTime) X(NotAvailable) X(MachineTimeHint)          \
    X(MsgTimeTooLarge)
// clang-format on

struct TDeviceServiceLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_DEVICE_SERVICE_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TDeviceServiceLanguage::*>>& Fields();
};

using TDevicePropsLanguageLocalization = TLanguageLocalization<TDevicePropsLanguage>;
using TDeviceServiceLanguageLocalization = TLanguageLocalization<TDeviceServiceLanguage>;

TDevicePropsLanguageLocalization& DevicePropsLanguage();
TDeviceServiceLanguageLocalization& DeviceServiceLanguage();
