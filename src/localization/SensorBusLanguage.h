#pragma once

#include "localization/LanguageTables.h"

#include <vector>

// The sensor bus window, its dialogs, its host framework and the sensor image editor.
// clang-format off
#define DVV_SENSOR_BUS_TEXTS(X)                                                                                   \
    X(Caption) X(Bus) X(BusIndex) X(SensorCount) X(SensorIndex) X(SwapIndex) X(ColNumber) X(ColSensor)           \
    X(ColValue) X(ColHumidity) X(ColAlarm) X(ColAlarmMin) X(ColAlarmMax) X(ColRelay) X(ColRelayMin)              \
    X(ColRelayMax) X(Yes) X(No) X(Mcu) X(Error) X(NoHumidity) X(UpdateList) X(Swap) X(Edit) X(OpenMacs)          \
    X(SaveMacs) X(ImageToDisk) X(Images) X(Options) X(ActivePowering) X(DefaultRelay) X(On) X(Off) X(Search)     \
    X(BusScan) X(Limits) X(AllowSound) X(AllowRelay) X(AlarmMinimum) X(AlarmMaximum) X(RelayMinimum)             \
    X(RelayMaximum) X(Apply) X(Cancel) X(AdditionalOptions) X(RelayActiveDefault) X(ErrorTempValue)              \
    X(ErrorHumValue) X(MaxJump) X(CommandWritingError) X(BusScanningError) X(ErrorWritingController)            \
    X(ValueAboveNull) X(MacWritingError) X(FileReadingError) X(DataNotSaved) X(ParametersSaved)                  \
    X(ErrorSavingParameters) X(ErrorInLineValue) X(ErrorInLineLength) X(IncorrectMacValue) X(IncorrectMacLength) \
    X(FileExists) X(TooManySensors) X(MacStoreFailedAt) X(NotCommitted) X(ErrorReading) X(FileWriteError)       \
    X(NotAnImage) X(ImageTooManyBuses) X(ImageTooManySensors) X(ImageBadSerial) X(ImageBadValue) X(NoBuses)      \
    X(MacFilter) X(TsiFilter) X(NewDevice) X(ApplyParams) X(SaveFlash) X(StartStop) X(Device) X(Address)         \
    X(SerialNumber) X(Protocol) X(DeviceImage) X(Open) X(Save) X(SaveAs) X(ImageModified) X(DeleteBuses)        \
    X(DeleteSensors) X(AddBus) X(AddSensor) X(Delete) X(Up) X(Down) X(CpuSensor) X(AddProperties)                \
    X(ImageToDevice) X(BusToDevice) X(Note) X(Identifier) X(Untitled) X(Close) X(PowerActive) X(RelayValue)     \
    X(Sensors) X(BadIdentifier) X(Running) X(Stopped)
// clang-format on

struct TKVD_VEVA_BUSLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_SENSOR_BUS_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TKVD_VEVA_BUSLanguage::*>>& Fields();
};

using TSensorBusLanguageLocalization = TLanguageLocalization<TKVD_VEVA_BUSLanguage>;
TSensorBusLanguageLocalization& SensorBusLanguage();
// The texts in the program's current language.
const TKVD_VEVA_BUSLanguage& SensorBusTexts();
std::vector<TTableReport> CheckSensorBusLanguageTables();
