#include "localization/LanguageTables.h"

#include "localization/AnalogInputLanguage.h"
#include "localization/ChannelLanguage.h"
#include "localization/DeviceViewsLanguage.h"
#include "localization/OscLanguage.h"

namespace {

// The fields of one table that are empty in some language.
template <typename TLanguage>
TTableReport Check(const char* module, const TLanguageLocalization<TLanguage>& table) {
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

} // namespace

std::vector<TTableReport> CheckAllLanguageTables() {
    // Every module's table belongs in this list.
    std::vector<TTableReport> reports = {
        // clang-format off
        Check("MainUnit", MainUnitLanguage()),
        Check("FindUnit", FindUnitLanguage()),
        Check("UdpConnection", UdpConnectionLanguage()),
        Check("Emulator", EmulatorLanguage()),
        Check("RangeKinds", RangeKindsLanguage()),
        Check("Channel", ChannelLanguage()),
        Check("DeviceProps", DevicePropsLanguage()),
        Check("DeviceService", DeviceServiceLanguage()),
        // clang-format on
    };
    for (TTableReport& r : CheckAnalogInputLanguageTables())
        reports.push_back(std::move(r));
    reports.push_back(CheckOscLanguageTable());
    return reports;
}
