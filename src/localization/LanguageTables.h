#pragma once

#include "localization/Localization.h"
#include "model/DeviceRegister.h"
#include "model/Ranges.h"

// The language tables of the modules. Each module's texts are one struct with a field per text; its
// table holds the six languages. Fields are listed once, in the macros, so that declarations and the
// completeness check cannot drift apart.

#define DVV_TEXT_DECLARE(name) QString name;
#define DVV_TEXT_FIELD(name) {#name, &TSelf::name},

// Defines Struct::Fields() from the struct's list of texts (one or more list macros).
#define DVV_DEFINE_TEXT_FIELDS(Struct, ...)                                                                  \
    const std::vector<std::pair<const char*, QString Struct::*>>& Struct::Fields() {                         \
        using TSelf = Struct;                                                                                \
        static const std::vector<std::pair<const char*, QString TSelf::*>> fields = {__VA_ARGS__};           \
        return fields;                                                                                       \
    }

// The fields of one module's table that are empty in some language.
template <typename TLanguage>
TTableReport CheckLanguageTable(const char* module, const TLanguageLocalization<TLanguage>& table) {
    TTableReport report;
    report.Module = QString::fromLatin1(module);
    report.Fields = int(TLanguage::Fields().size());
    for (int i = 0; i < kLanguageCount; ++i) {
        const TLanguage& language = table.Language(i);
        for (const auto& [name, field] : TLanguage::Fields())
            if ((language.*field).trimmed().isEmpty())
                report.Missing << QStringLiteral("%1.%2").arg(language.LanguageName(), QLatin1String(name));
    }
    return report;
}

// The main window, its connection test window, the serial connection's list and status bar, the
// serial settings dialog, and the catalogue's names.
// clang-format off
#define DVV_MAIN_UNIT_TEXTS(X)                                                                                   \
    X(Title) X(LiteTitle) X(MenuExit) X(MenuBus) X(MenuDevices) X(MenuService) X(MenuConnectionTest)             \
    X(MenuVirtualTools) X(MenuSignalGenerator) X(MenuTester) X(MenuRemoteContact) X(ActBusSettings) X(ActConnect) \
    X(ActFindDevices) X(ActDevSettings) X(ActTestConnection) X(ActShowRangesList) X(ActGenerator) X(ActTester)    \
    X(ActRemoteContact) X(ActChangeMode) X(ActOscilloscope) X(ActHelp) X(ActOrderProducts) X(ActAbout)            \
    X(BtnExit) X(BtnConnection) X(BtnSearch) X(BtnSettings) X(BtnGroupAdjust) X(BtnApplications)                 \
    X(BtnOscilloscope) X(BtnEmulator) X(BtnAbout) X(HintExit) X(HintBusSettings) X(HintBusState) X(HintSearch)   \
    X(HintAbout) X(MsgEnableLite) X(MsgFlashUnavailable) X(MsgEnableAdvanced) X(TestCaption) X(ColAddress)        \
    X(ColBaudRate) X(ColProtocol) X(ColDeviceType) X(ColSerialNumber) X(ColTransactions) X(ColErrors)            \
    X(PanelPort) X(PanelBaudRate) X(PanelState) X(Connected) X(MsgComPortError) X(SettingsCaption)               \
    X(SettingsPort) X(SettingsBaudRate) X(SettingsParity) X(SettingsApply) X(SettingsCancel)                   \
    X(SettingsStopBits) X(SettingsRts) X(SettingsTimeout) X(SettingsLocalEcho) X(SettingsLocalEchoHint) X(RtsLow) \
    X(RtsHigh) X(RtsToggle) X(MsgTimeoutRange) X(ApComPort) X(ApUdpPort) X(PanelLocalEcho) X(MsgEchoDetected)     \
    X(MsgComPortDialout) X(RangesCaption) X(RangesParameter) X(RangesCode) X(RangesRange) X(RangesLow)            \
    X(RangesHigh) X(RangesUnit) X(AboutCaption) X(AboutVersion) X(AboutText) X(MsgHelpMissing)                   \
    X(MsgHelpNoViewer)
// clang-format on

struct TMainUnitLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_MAIN_UNIT_TEXTS(DVV_TEXT_DECLARE)
    DVV_CATALOGUE_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TMainUnitLanguage::*>>& Fields();
    // The catalogue's names and notes in this language.
    TCatalogueTexts CatalogueTexts() const;
};

// The serial scan dialog, shared by the search behind a UDP gateway.
// clang-format off
#define DVV_FIND_UNIT_TEXTS(X)                                                                                   \
    X(Caption) X(CommunicationProtocol) X(ScanMethod) X(InitialAddress) X(LastAddress) X(CurrentAddress)         \
    X(CurrentSpeed) X(Parity) X(Speeds) X(ByAddresses) X(BySpeeds) X(SearchFirst) X(SearchAll) X(Close) X(Stop)   \
    X(MsgAddressRange) X(MsgDevicesFound) X(MsgNoDeviceFound)
// clang-format on

struct TFindUnitLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_FIND_UNIT_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TFindUnitLanguage::*>>& Fields();
};

// The UDP connection's list and status bar.
// clang-format off
#define DVV_UDP_CONNECTION_TEXTS(X)                                                                              \
    X(ColAddress) X(ColProtocol) X(ColDeviceType) X(ColSerialNumber) X(PanelHost) X(PanelRemotePort)             \
    X(PanelLocalPort) X(Connected)
// clang-format on

struct TUdpConnectionLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_UDP_CONNECTION_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TUdpConnectionLanguage::*>>& Fields();
};

// The TCP connection: its list, status bar, settings dialog and messages.
// clang-format off
#define DVV_TCP_CONNECTION_TEXTS(X)                                                                              \
    X(Name) X(ColAddress) X(ColBaudRate) X(ColProtocol) X(ColDeviceType) X(ColSerialNumber) X(PanelHost)          \
    X(PanelPort) X(PanelFraming) X(Connected) X(PeerClosed) X(PeerClosedHint) X(ConnectionLost)                   \
    X(ConnectionLostHint) X(MsgConnectError) X(SettingsCaption) X(SettingsHost) X(SettingsPort)                  \
    X(SettingsFraming) X(FramingRaw) X(FramingModbusTcp) X(SettingsTimeout) X(SettingsOk) X(SettingsCancel)      \
    X(MsgHostEmpty) X(MsgPortRange) X(MsgTimeoutRange) X(MsgNerixOverModbusTcp) X(FramingRawShort)
// clang-format on

struct TTcpConnectionLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_TCP_CONNECTION_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TTcpConnectionLanguage::*>>& Fields();
};

// The emulator window and its count editor.
// clang-format off
#define DVV_EMULATOR_TEXTS(X)                                                                                    \
    X(Caption) X(ComPort) X(Protocol) X(ColDevice) X(ColNumber) X(Close) X(Apply) X(MsgComPortError)             \
    X(EditorCaption) X(EditorPrompt) X(EditorNumber) X(EditorApply) X(EditorCancel) X(MsgChooseDevice)         \
    X(TabDevices) X(TabFaults) X(TabStatistics) X(FaultsText) X(FaultsSeed) X(FaultsHelp) X(FaultsOk)           \
    X(MsgBadFaults) X(MsgBadSeed) X(ColAddress) X(ColReceived) X(ColAnswered) X(ColDropped) X(ColRefused)        \
    X(ColTimes) X(StatsOther) X(StatsSeed) X(StatsNoFaults) X(StatsReset) X(ColCrc) X(ColFunction)             \
    X(ColMalformed) X(ColUnknownAddress) X(ColUnknownRegister) X(StatsCaption) X(StatsRunning) X(StatsStopped)  \
    X(StatsNone) X(TcpCheck) X(TcpPort) X(TcpMbap) X(MsgListenError) X(FaultsTcpNote)
// clang-format on

struct TEmulatorLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_EMULATOR_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TEmulatorLanguage::*>>& Fields();
};

// The kinds of quantity of the measurement ranges, as the ranges table shows them.
struct TRangeKindsLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_RANGE_KIND_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TRangeKindsLanguage::*>>& Fields();
    TRangeKindTexts KindTexts() const;
};

using TRangeKindsLanguageLocalization = TLanguageLocalization<TRangeKindsLanguage>;
using TMainUnitLanguageLocalization = TLanguageLocalization<TMainUnitLanguage>;
using TFindUnitLanguageLocalization = TLanguageLocalization<TFindUnitLanguage>;
using TUdpConnectionLanguageLocalization = TLanguageLocalization<TUdpConnectionLanguage>;
using TTcpConnectionLanguageLocalization = TLanguageLocalization<TTcpConnectionLanguage>;
using TEmulatorLanguageLocalization = TLanguageLocalization<TEmulatorLanguage>;

// The one table of each module, made on first use and kept for the whole run. Window thread only.
TMainUnitLanguageLocalization& MainUnitLanguage();
TFindUnitLanguageLocalization& FindUnitLanguage();
TUdpConnectionLanguageLocalization& UdpConnectionLanguage();
TTcpConnectionLanguageLocalization& TcpConnectionLanguage();
TEmulatorLanguageLocalization& EmulatorLanguage();
TRangeKindsLanguageLocalization& RangeKindsLanguage();

// Rebuilds the catalogue with its names and notes in the given language (English for an identifier
// no table knows, or before any language was applied).
void BuildDeviceRegister(TDeviceRegister& Register, quint8 LanguageID);
// Rebuilds the ranges table with the kind names in the given language.
void RebuildRangesTable(TPrTbl& Table, quint8 LanguageID);
