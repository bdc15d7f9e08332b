#pragma once

#include "localization/LanguageTables.h"

#include <vector>

// The discrete output channel windows and the two smaller discrete input channel windows share one
// table, as the texts of both families are the same words.
// clang-format off
#define DVV_DO_CHANNEL_TEXTS(X)                                                                                   \
    X(Caption) X(DeviceAddress) X(BaudRate) X(Control) X(Sequence) X(Playback) X(Start) X(Stop) X(Close)          \
    X(Module) X(Channel) X(ModeError) X(SequenceSaveError) X(PlaybackError) X(ProtectedMode) X(StandartMode)      \
    X(Status) X(LogicalOne) X(ResponceTime) X(Generator) X(LineFaultControl) X(ContactClosed) X(ContactOpened)    \
    X(LineBreak) X(ShortCircuit) X(LineBreakStatusError) X(ResponseTimeMs) X(Apply) X(Ms)
// clang-format on

struct Tkvd_custom_do_channel_unitLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_DO_CHANNEL_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString Tkvd_custom_do_channel_unitLanguage::*>>&
    Fields();
};
using TDOChannelLanguageLocalization = TLanguageLocalization<Tkvd_custom_do_channel_unitLanguage>;
TDOChannelLanguageLocalization& DOChannelLanguage();

// The window of the fifteen-input module with its channel remapping dialogs.
// clang-format off
#define DVV_DIDC_DIALOG_TEXTS(X)                                                                                  \
    X(Caption) X(DeviceAddress) X(BaudRate) X(PhysicalChannel) X(ResponseTime) X(LineBreakControl) X(Generator)   \
    X(StartUpper) X(StopUpper) X(Status) X(Module) X(Channel) X(ContactClosed) X(LogicalOne) X(ContactOpened)     \
    X(LineBreak) X(LineBreakStateError) X(Change) X(Error) X(RemapCaption) X(ProgramChannel) X(HardwareChannel)   \
    X(Remapping) X(Remapped) X(HardChannelCaption) X(HardChannelLabel) X(Default) X(Ok) X(Cancel)
// clang-format on

struct TDIDCDialogLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_DIDC_DIALOG_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TDIDCDialogLanguage::*>>& Fields();
};
using TDIDCDialogLanguageLocalization = TLanguageLocalization<TDIDCDialogLanguage>;
TDIDCDialogLanguageLocalization& DIDCDialogLanguage();

// The pulse sequence editor and its period dialog.
// clang-format off
#define DVV_SEQUENCE_EDITOR_TEXTS(X)                                                                              \
    X(Caption) X(EntryLevel) X(Inactive) X(Active) X(Period) X(Duration) X(Diagram) X(Close) X(Apply) X(New)      \
    X(Edit) X(Delete) X(DeleteAll) X(LimitReached) X(MaxDuration) X(ErrorReadingSequence)                         \
    X(ErrorReadingEntryLevel) X(PeriodCaption) X(Hours) X(Minutes) X(Seconds) X(Milliseconds)
// clang-format on

struct TSequenceEditorLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_SEQUENCE_EDITOR_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TSequenceEditorLanguage::*>>& Fields();
};
using TSequenceEditorLanguageLocalization = TLanguageLocalization<TSequenceEditorLanguage>;
TSequenceEditorLanguageLocalization& SequenceEditorLanguage();

std::vector<TTableReport> CheckDiscreteChannelLanguageTables();
