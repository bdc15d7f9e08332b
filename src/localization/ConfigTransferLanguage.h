#pragma once

#include "localization/LanguageTables.h"

// A device's configuration saved to a file and put back on it or on others: the buttons of the
// device properties window's flash page, the list of changes, the reports and group adjustment.
// clang-format off
#define DVV_CONFIG_TRANSFER_TEXTS(X)                                                                             \
    X(SaveConfig) X(LoadConfig) X(GroupCaption) X(FileFilter) X(Reading) X(Writing) X(DeviceAt) X(Saved)        \
    X(SavedLeftOut) X(BackupFailed) X(FileWriteFailed) X(FileReadFailed) X(FileSkipped) X(TypeMismatch)          \
    X(CompareFailed) X(Equal) X(ChangesHeading) X(NotWrittenHeading) X(FlashAfter) X(Write) X(Cancel) X(Close)   \
    X(ReportDone) X(ReportFlashed) X(ReportNotFlashed) X(ReportFailed) X(ReportWrittenOf) X(ReportFailedLine)    \
    X(ReportNotWritten) X(ReportFlashRefused) X(GroupConfirm) X(GroupTargets) X(GroupSkippedHeading)            \
    X(GroupNone) X(GroupSkipped) X(GroupNoModel) X(GroupDeviceDone) X(GroupDeviceEqual) X(GroupDeviceFailed)    \
    X(GroupDeviceNotRead) X(GroupFlashed) X(GroupNotFlashed) X(GroupReportHeading)
// clang-format on

struct TConfigTransferLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_CONFIG_TRANSFER_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TConfigTransferLanguage::*>>& Fields();
};

using TConfigTransferLanguageLocalization = TLanguageLocalization<TConfigTransferLanguage>;
TConfigTransferLanguageLocalization& ConfigTransferLanguage();
