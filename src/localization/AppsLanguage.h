#pragma once

#include "localization/LanguageTables.h"

// The device applications: the selector and its rows, the host window's control panel, the file
// saver's questions, the two applications' windows and the parameter editor.
// clang-format off
#define DVV_APPS_TEXTS(X)                                                                                        \
    X(SelectorCaption) X(Execute) X(NoApplications) X(PanelCaption) X(PollingInterval) X(RecordingInterval)     \
    X(Start) X(Stop) X(Edit) X(SavingToFile) X(DevicePolling) X(Parameters) X(MsgIntervalTooSmall) X(Processing) \
    X(MsgFileExists) X(MsgFileAccessError) X(Replace) X(Next) X(Abort) X(PowerDesc) X(WeightDesc)               \
    X(CatCoefficients) X(DescPoll) X(DescSave) X(DescFileDir) X(DescKv) X(DescKi) X(ColInput) X(ColValue)      \
    X(ColUnit) X(ColQuantity) X(AnalogInputs) X(DiscreteInputs) X(DiscreteOutputs) X(InputN) X(OutputN)        \
    X(On) X(Off) X(NoAnswer) X(EditorCategory) X(EditorAll) X(EditorParameter) X(EditorValue)   \
    X(EditorSetDefault) X(EditorSetDefaultAsk) X(EditorExit) X(EditorPrompt) X(MsgNotInteger) X(MsgNotFloat)    \
    X(MsgSaveFailed)
// clang-format on

struct TAppsLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_APPS_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TAppsLanguage::*>>& Fields();
};

using TAppsLanguageLocalization = TLanguageLocalization<TAppsLanguage>;

TAppsLanguageLocalization& AppsLanguage();
// This table, for the check over every table.
TTableReport CheckAppsLanguageTable();
