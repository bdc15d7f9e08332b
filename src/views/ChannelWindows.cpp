#include "views/ChannelWindows.h"

#include "model/DeviceRegister.h"
#include "views/AnalogInputSelector.h"

#include <algorithm>

std::vector<TChannelRow> ChannelRowsOf(const TDeviceProps& Device, const TDeviceRegister& Catalogue) {
    std::vector<TChannelRow> rows;
    const TDeviceRegisterRecord* record = Catalogue.FindByType(Device.TypeCode);
    if (!record)
        return rows;
    for (int i = 0; i < record->Channels.Count(); ++i) {
        if (i >= 64 || !((Device.ChannelMask >> i) & 1))
            continue;
        const TChannelRecord* channel = record->Channels.Items(i);
        rows.push_back(
            {i, QStringLiteral("#") + QString::number(i + 1), channel->Name, channel->Note, channel->Kind});
    }
    return rows;
}

const std::vector<TChannelDispatchRow>& ChannelDispatchTable() {
    static const std::vector<TChannelDispatchRow> table = {
        {9, {}, kAnalogInputWindow, true},
        {10, {}, kAnalogInputHeatWindow},
        {11, {}, QStringLiteral("TKVD_AI8_ChannelForm")},
        {2, {}, QStringLiteral("TKVD_AO_ChannelForm")},
        {3, {}, QStringLiteral("TKVD_AO_ChannelForm")},
        {4, {}, QStringLiteral("TKVD_DI_ChannelForm")},
        {5, {18}, QStringLiteral("TDIDCDialog")},
        {5, {}, QStringLiteral("TKVD_DI_DC_ChannelForm")},
        {6, {21, 27, 33, 44}, QStringLiteral("TDOChannelDlg")},
        {6, {}, QStringLiteral("TKVD_DO_ChannelForm")},
        {7, {}, QStringLiteral("TKVD_DOS_ChannelForm")},
        {8, {}, QStringLiteral("TKVD_DOR_ChannelForm")},
        {12, {18, 39, 43, 64, 67, 69}, QStringLiteral("TDIOManagerExtDlg")},
        {12, {}, QStringLiteral("TDIOManagerForm")},
        {14, {}, QStringLiteral("TKVD_A_VIX_Form")},
        {15, {}, QStringLiteral("TKVD_FREQ_DLG")},
        {16, {}, QStringLiteral("TFileMgrDlg")},
        {17, {22}, QStringLiteral("TKvdTcDlg")},
        {17, {}, QStringLiteral("TKVD_VEVA_BUSDlg")},
        {18, {}, QStringLiteral("TKvdRsDlg")},
        {19, {}, QStringLiteral("TFlameChannelForm")},
        {20, {}, QStringLiteral("TFotoSensorChannelForm")},
        {21, {2, 3, 34, 66, 69}, QStringLiteral("TIntactnessControllerAODlg")},
        {21, {5, 7}, QStringLiteral("TIntactnessControllerDOSDlg")},
        {21, {6}, QStringLiteral("TIntactnessControllerDIODlg")},
        {21, {8}, QStringLiteral("TIntactnessControllerDORDlg")},
        {21, {17, 33}, QStringLiteral("TIntactnessControllerDOS12Dlg")},
        {21, {19}, QStringLiteral("TIntactnessControllerDOFDlg")},
        {21, {21, 44}, QStringLiteral("TIntactnessControllerP340Dlg")},
        {21, {38, 43}, QStringLiteral("TICMIOVIXProDlg")},
        {21, {39, 64, 67}, QStringLiteral("TICDIO24QAVDlg")},
        // The twelve-channel module's window serves two kinds in two modes; the window tells them
        // apart by the kind it is given.
        {22, {}, QStringLiteral("TAIK12Dlg")},
        {23, {25}, QStringLiteral("TAIK12DataStreamControllerDlg")},
        {23, {0}, QStringLiteral("TAIKDataStreamControllerDlg")},
        {24, {}, QStringLiteral("TKVD_VEVA_BUSDlg")},
        {25, {}, QStringLiteral("TSMDlg")},
        {26, {69}, QStringLiteral("TICDIO24QAVDlg")},
        {27, {}, QStringLiteral("TUMMCDlg")},
        {28, {25}, QStringLiteral("TAIK12Dlg")},
    };
    return table;
}

const TChannelDispatchRow* ChannelDispatchFor(quint8 Kind, quint32 TypeCode) {
    for (const TChannelDispatchRow& row : ChannelDispatchTable()) {
        if (row.Kind != Kind)
            continue;
        if (row.TypeCodes.empty() ||
            std::find(row.TypeCodes.begin(), row.TypeCodes.end(), TypeCode) != row.TypeCodes.end())
            return &row;
    }
    return nullptr;
}

void TChannelWindowRegistry::Register(const QString& Window, TChannelWindowOpener Opener) {
    if (Opener)
        FOpeners[Window] = std::move(Opener);
    else
        FOpeners.erase(Window);
}

void TChannelWindowRegistry::Unregister(const QString& Window) {
    FOpeners.erase(Window);
}

bool TChannelWindowRegistry::Has(const QString& Window) const {
    return FOpeners.count(Window) > 0;
}

bool TChannelWindowRegistry::Open(const TChannelWindowContext& Context) const {
    const auto it = FOpeners.find(Context.Window);
    if (it == FOpeners.end())
        return false;
    // Copied: an opener may register or unregister windows while it runs.
    const TChannelWindowOpener opener = it->second;
    try {
        opener(Context);
    } catch (...) {
        // The device properties window stays usable whatever a channel window did.
    }
    return true;
}

TChannelWindowRegistry& ChannelWindows() {
    static TChannelWindowRegistry registry;
    return registry;
}

bool OpenChannelWindow(TChannelWindowContext Context, const TDeviceRegister& Catalogue,
                       const TChannelWindowRegistry& Registry) {
    // Every channel window works on the template; without one nothing may be sent.
    if (!Context.Module || !Context.Device)
        return false;
    const quint32 type = Context.Device->TypeCode;
    Context.Kind = Catalogue.ChannelKindAt(type, Context.Row);
    const TChannelDispatchRow* row = ChannelDispatchFor(Context.Kind, type);
    if (!row)
        return false;
    Context.Window = row->Window;
    Context.HealthController = HealthControllerFor(type, Context.Kind).value_or(-1);
    if (row->AnalogInputSelector) {
        const auto index = AnalogInputIndexFor(type, Context.Row);
        TCustomZUVOChannel* channel = index ? AnalogInputChannelOf(*Context.Module, *index) : nullptr;
        // Nothing is sent for a window that could not open anyway.
        if (!channel || (!Registry.Has(kAnalogInputWindow) && !Registry.Has(kAnalogInputHeatWindow)))
            return false;
        Context.Window = PrepareAnalogInputChannel(*channel);
        if (Context.Window.isEmpty())
            return false;
        Context.AnalogInput = channel;
    }
    return Registry.Open(Context);
}

namespace {

THealthControllerProbe& Probe() {
    static THealthControllerProbe probe;
    return probe;
}

} // namespace

std::optional<int> HealthControllerFor(quint32 TypeCode, quint8 Kind) {
    static const quint32 types[] = {2, 3, 5, 6, 7, 8, 17, 19, 21, 33, 34, 38, 39, 43, 44, 64, 66, 67, 69};
    if (Kind == ckHealthControllerDiscrete)
        return TypeCode == 69 ? std::optional<int>(1) : std::nullopt;
    if (Kind != ckHealthController ||
        std::find(std::begin(types), std::end(types), TypeCode) == std::end(types))
        return std::nullopt;
    return 0;
}

void SetHealthControllerProbe(THealthControllerProbe Value) {
    Probe() = std::move(Value);
}

bool HealthMarker(TZUVOModule* Template, quint32 TypeCode, quint8 Kind) {
    const auto controller = HealthControllerFor(TypeCode, Kind);
    if (!Template || !controller || !Probe())
        return false;
    const auto state = Probe()(*Template, *controller);
    return state && *state != 0;
}
