#include "localization/LanguageTables.h"

#include "localization/AIK12Language.h"
#include "localization/AnalogChannelFormsLanguage.h"
#include "localization/AnalogInputLanguage.h"
#include "localization/AppsLanguage.h"
#include "localization/ChannelLanguage.h"
#include "localization/ConfigTransferLanguage.h"
#include "localization/DIOManagerLanguage.h"
#include "localization/DeviceViewsLanguage.h"
#include "localization/DiscreteChannelLanguage.h"
#include "localization/FileMgrLanguage.h"
#include "localization/FlameLanguage.h"
#include "localization/InstrumentsLanguage.h"
#include "localization/ModbusMapLanguage.h"
#include "localization/OscLanguage.h"
#include "localization/SensorBusLanguage.h"
#include "localization/SensorChannelLanguage.h"
#include "localization/SensorChannelTextsLanguage.h"
#include "localization/TermoFlowLanguage.h"
#include "localization/TrafficLanguage.h"

std::vector<TTableReport> CheckAllLanguageTables() {
    // Every module's table belongs in this list.
    std::vector<TTableReport> reports = {
        // clang-format off
        CheckLanguageTable("MainUnit", MainUnitLanguage()),
        CheckLanguageTable("FindUnit", FindUnitLanguage()),
        CheckLanguageTable("UdpConnection", UdpConnectionLanguage()),
        CheckLanguageTable("TcpConnection", TcpConnectionLanguage()),
        CheckLanguageTable("Emulator", EmulatorLanguage()),
        CheckLanguageTable("RangeKinds", RangeKindsLanguage()),
        CheckLanguageTable("Channel", ChannelLanguage()),
        CheckLanguageTable("SensorChannelTexts", SensorChannelTextsLanguage()),
        CheckLanguageTable("AIK12Dlg", AIK12DlgLanguage()),
        CheckLanguageTable("ConfigTransfer", ConfigTransferLanguage()),
        CheckLanguageTable("DeviceProps", DevicePropsLanguage()),
        CheckLanguageTable("DeviceService", DeviceServiceLanguage()),
        CheckLanguageTable("Traffic", TrafficLanguage()),
        // clang-format on
    };
    for (TTableReport& r : CheckAnalogInputLanguageTables())
        reports.push_back(std::move(r));
    for (TTableReport& r : CheckAnalogChannelFormsLanguageTables())
        reports.push_back(std::move(r));
    reports.push_back(CheckOscLanguageTable());
    reports.push_back(CheckAppsLanguageTable());
    for (TTableReport& r : CheckDIOManagerLanguageTables())
        reports.push_back(std::move(r));
    for (TTableReport& r : CheckDiscreteChannelLanguageTables())
        reports.push_back(std::move(r));
    for (TTableReport& r : CheckSensorBusLanguageTables())
        reports.push_back(std::move(r));
    reports.push_back(CheckVirtualInstrumentsLanguageTable());
    for (TTableReport& r : CheckSensorChannelLanguageTables())
        reports.push_back(std::move(r));
    for (TTableReport& r : CheckModbusMapLanguageTables())
        reports.push_back(std::move(r));
    for (TTableReport& r : CheckFileMgrLanguageTables())
        reports.push_back(std::move(r));
    for (TTableReport& r : CheckFlameLanguageTables())
        reports.push_back(std::move(r));
    reports.push_back(CheckTermoFlowLanguageTable());
    return reports;
}
