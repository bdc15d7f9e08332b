#pragma once

#include "localization/LanguageTables.h"

#include <vector>

// The stepper controller window and the descriptions and units of its register map.
// clang-format off
#define DVV_SM_DIALOG_TEXTS(X)                                                                                    \
    X(Caption) X(Registers) X(Chart) X(Traffic) X(Description) X(Value) X(Register) X(Unit) X(ShowTraffic)       \
    X(Clear) X(CopyToClipboard) X(Close) X(Input) X(Out) X(In) X(PortError) X(TimeS) X(Series) X(Editable)       \
    X(Module) X(State) X(Running) X(NoAnswer) X(UnitHz) X(UnitS) X(UnitPcs)                                       \
    X(DescOptions) X(DescMinClock) X(DescMaxClock) X(DescAcceleratingTime) X(DescDeltaClk) X(DescModbusParameter1) \
    X(DescTemperature) X(DescStepCounter) X(DescRegStatus) X(DescClock) X(DescMoveRight) X(DescStepCount)        \
    X(DescExecute) X(DescCurrClock)
// clang-format on

struct TSMDlgLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_SM_DIALOG_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TSMDlgLanguage::*>>& Fields();
    // The description of a map parameter by its component name; empty for a name it does not know.
    QString DescriptionOf(const QString& Name) const;
    // A unit of the map in this language; units it does not know stay as they are.
    QString UnitText(const QString& Unit) const;
};
using TSMDlgLanguageLocalization = TLanguageLocalization<TSMDlgLanguage>;
TSMDlgLanguageLocalization& SMDlgLanguage();

// The property-sheet window of the channel kinds whose window is a list of typed properties.
// clang-format off
#define DVV_PROPERTY_SHEET_TEXTS(X)                                                                               \
    X(Caption) X(DeviceAddress) X(BaudRate) X(Module) X(Channel) X(Property) X(Value) X(Unit) X(Limits)          \
    X(Access) X(ReadOnly) X(ReadWrite) X(WriteOnly) X(Refresh) X(Apply) X(ToFlash) X(Close) X(ErrorReading)       \
    X(ErrorWriting) X(BadValue) X(OutOfLimits) X(FlashSaved) X(FlashFailed) X(LiteFlash) X(Written)              \
    X(NothingChanged) X(NotRead) X(Unchanged)                                                                      \
    X(FreqFrequency) X(FreqCounter) X(StreamFrequency) X(StreamMask) X(StreamMode)                                \
    X(MapName) X(MapDataBase) X(MapOrder16) X(MapOrder32) X(MapValue1) X(MapValue2) X(MapValue3) X(MapValue6)     \
    X(MapValue7) X(MapValue14) X(MapValue15) X(DataWindow) X(DataOffset) X(DataCount) X(DataType) X(ReadData)    \
    X(WriteData) X(Offset) X(TypeS16) X(TypeU16) X(TypeS32) X(TypeU32) X(TypeFloat) X(NotANumber) X(CannotHold)  \
    X(ErrorReadingData) X(ErrorWritingData) X(UnitHz)
// clang-format on

struct TPropertySheetLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_PROPERTY_SHEET_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TPropertySheetLanguage::*>>& Fields();
};
using TPropertySheetLanguageLocalization = TLanguageLocalization<TPropertySheetLanguage>;
TPropertySheetLanguageLocalization& PropertySheetLanguage();

std::vector<TTableReport> CheckModbusMapLanguageTables();
