#pragma once

#include "localization/LanguageTables.h"

// The traffic window: its actions, tabs, columns, menus and messages, and the words its decoders
// put into the structure tree.
// clang-format off
#define DVV_TRAFFIC_TEXTS(X)                                                                                     \
    X(Caption) X(Capture) X(SaveTraffic) X(LoadTraffic) X(DeletePackages) X(Exit)                                \
    X(TabPackages) X(TabStructure) X(TabContext)                                                                 \
    X(ColNumber) X(ColTime) X(ColDirection) X(ColBytes) X(ColResponse) X(ColNote)                                \
    X(Incoming) X(Outcoming) X(Corrupted) X(NoAnswer) X(Milliseconds) X(Port)                                    \
    X(AsModbus) X(AsNerix) X(ColDevice) X(ColObject) X(ColAction) X(Count)                                       \
    X(CopyToClipboard) X(CopyAsDelphi) X(CopyAsC) X(NoPackageSelected) X(Package)                                \
    X(ErrorSaving) X(ErrorReading) X(MsgSkipped) X(FileFilter) X(AllFilesFilter)                                 \
    X(UnknownFormat) X(Read) X(Write) X(Response) X(Request) X(FunctionError) X(Object) X(Property) X(Data)      \
    X(CheckSum) X(Incorrect) X(InitialRegister) X(NumberOfRegisters) X(Address) X(Function) X(AsHex)           \
    X(AsInteger) X(AsFloat)
// clang-format on

struct TTrafficLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_TRAFFIC_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TTrafficLanguage::*>>& Fields();
};

using TTrafficLanguageLocalization = TLanguageLocalization<TTrafficLanguage>;

TTrafficLanguageLocalization& TrafficLanguage();
