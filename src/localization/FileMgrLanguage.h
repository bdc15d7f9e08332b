#pragma once

#include "localization/LanguageTables.h"

#include <vector>

// The file manager, its file selection and transfer windows, and the progress window.
// clang-format off
#define DVV_FILE_MGR_TEXTS(X)                                                                                     \
    X(Caption) X(DeviceSide) X(ComputerSide) X(OutputDataFile) X(InputDataFile) X(NoFile) X(Hex) X(Text)          \
    X(ChooseDeviceFile) X(ChooseComputerFileToWrite) X(ChooseComputerFileToRead) X(CopyToComputer)             \
    X(CopyToDevice) X(SelectCaption) X(ColId) X(ColFile) X(ColSize) X(ColInfo) X(Close) X(CopyCaption) X(Stop)    \
    X(LoaderCaption) X(MsgSelectOutput) X(MsgSelectInput) X(MsgSelectSource) X(MsgErrorOpening)                  \
    X(MsgErrorOpeningForWriting) X(MsgErrorClosing) X(MsgChunkFailed) X(MsgDeviceStatus) X(MsgShort)            \
    X(MsgStopped) X(MsgComputerFile) X(MsgDone) X(MsgListFailed) X(ProgressKnown) X(ProgressUnknown)            \
    X(AllFiles)
// clang-format on

struct TFileMgrLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_FILE_MGR_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TFileMgrLanguage::*>>& Fields();
};
using TFileMgrLanguageLocalization = TLanguageLocalization<TFileMgrLanguage>;
TFileMgrLanguageLocalization& FileMgrLanguage();

// The converter configurators.
#define DVV_CONV_CFG_TEXTS(X) X(DeviceBaudRate) X(Apply)

struct TConvCfgLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_CONV_CFG_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TConvCfgLanguage::*>>& Fields();
};
using TConvCfgLanguageLocalization = TLanguageLocalization<TConvCfgLanguage>;
TConvCfgLanguageLocalization& ConvCfgLanguage();

std::vector<TTableReport> CheckFileMgrLanguageTables();
