#pragma once

#include "localization/LanguageTables.h"

// The oscilloscope window, its experiment wizard and the channel properties dialog.
// clang-format off
#define DVV_OSC_TEXTS(X)                                                                                         \
    X(Caption) X(Wizard) X(Start) X(Stop) X(Experiment)                                                          \
    X(Load) X(SelectFile) X(SaveData) X(Export) X(AutoStart) X(AutoStop) X(Rec) X(FilePrefix) X(Hours)          \
    X(Minutes) X(Seconds) X(AdfFilter) X(TxtFilter) X(CsvFilter) X(FileExists) X(InvalidFile)                    \
    X(InvalidChannels) X(InvalidFrequency) X(IoError)                                                            \
    X(Time) X(TimeMs) X(ColLabel) X(ColOffset) X(ColValue) X(ColRange) X(All) X(Curr) X(Print) X(ChartCaption)   \
    X(EnterCaption) X(NewCaption) X(TimeScale) X(VerticalRange) X(DisplayOffset)                                 \
    X(Next) X(Previous) X(Done) X(WizardCaption) X(PageChannels) X(PageChannelsHint) X(PageRate)                \
    X(PageRateHint) X(PageStorage) X(PageStorageHint) X(PageSummary) X(RateLabel) X(ResultFile) X(Browse)       \
    X(StartDelay) X(Duration) X(SummaryRate) X(Autostart) X(Autostop) X(Disconnected) X(SetAtLeastOne)          \
    X(ChannelList) X(ColNo) X(ColSlope) X(ColOffsetShort) X(ColAddress) X(ColDevice) X(ColChannel)              \
    X(CheckEven) X(CheckOdd) X(CheckAll) X(InvertChecks) X(SelectEven) X(SelectOdd) X(SelectAll)                \
    X(SelectChecked) X(InvertSelection) X(Properties) X(MsgRate) X(MsgTooManyChannels)                           \
    X(PropCaption) X(Apply) X(Cancel) X(MsgBadNumber)
// clang-format on

struct TOscLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_OSC_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TOscLanguage::*>>& Fields();
};

using TOscLanguageLocalization = TLanguageLocalization<TOscLanguage>;

TOscLanguageLocalization& OscLanguage();

// This table, for the check over every table.
TTableReport CheckOscLanguageTable();
