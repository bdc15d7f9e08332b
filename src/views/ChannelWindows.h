#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class QWidget;
class TCustomZUVOChannel;
class TDeviceRegister;
class TZUVOModule;
struct TDeviceProps;

// The objects page of the device properties window: one row per channel the device has.
struct TChannelRow {
    int Index = 0;   // catalogue index, what TDm.CurrentChannel becomes
    QString Caption; // "#1"
    QString Name;
    QString Note;
    quint8 Kind = 0;
};
std::vector<TChannelRow> ChannelRowsOf(const TDeviceProps& Device, const TDeviceRegister& Catalogue);

// Which channel window a channel opens, by its kind and the device's type code. The rows are read in
// order and the first that matches wins, so a row for particular type codes stands before the row
// for all others of its kind.
struct TChannelDispatchRow {
    quint8 Kind = 0;
    std::vector<quint32> TypeCodes; // empty: any type code
    QString Window;                 // the window's class name
    // Kind 9: the window is chosen by the analog input channel selector (the channel's range).
    bool AnalogInputSelector = false;
};
const std::vector<TChannelDispatchRow>& ChannelDispatchTable();
// The row for a channel; nothing when the combination opens no window.
const TChannelDispatchRow* ChannelDispatchFor(quint8 Kind, quint32 TypeCode);

// The names of the windows that the analog input selector chooses between.
inline const QString kAnalogInputWindow = QStringLiteral("TKVD_AIK_ChannelForm");
inline const QString kAnalogInputHeatWindow = QStringLiteral("TKVD_AIK_Heat_ChannelForm");

// What a channel window is opened with. The windows work on TDm.CurrentModule and
// TDm.CurrentChannel, which hold Module and Row when the opener runs.
struct TChannelWindowContext {
    QString Window;                // the class name the table (or the selector) chose
    TZUVOModule* Module = nullptr; // the template serving the device
    const TDeviceProps* Device = nullptr;
    int Row = 0; // catalogue index of the channel
    quint8 Kind = 0;
    // Kind 9: the analog input channel the selector chose and prepared.
    TCustomZUVOChannel* AnalogInput = nullptr;
    // Kinds 21 and 26: which health controller of the template (0 first, 1 second); -1 otherwise.
    int HealthController = -1;
    QWidget* Parent = nullptr; // the device properties window
};
// Shows the window modally and returns when it closes.
using TChannelWindowOpener = std::function<void(const TChannelWindowContext& Context)>;

// The channel windows that are part of the program, by class name. Each family's windows register
// here; a name without an opener opens nothing.
class TChannelWindowRegistry {
public:
    void Register(const QString& Window, TChannelWindowOpener Opener);
    void Unregister(const QString& Window);
    bool Has(const QString& Window) const;
    // Runs the opener of Context.Window; false when there is none. A failure inside an opener ends
    // that window and nothing else.
    bool Open(const TChannelWindowContext& Context) const;

private:
    std::map<QString, TChannelWindowOpener> FOpeners;
};
TChannelWindowRegistry& ChannelWindows();

// Opens the window of the channel in row Context.Row of the device: looks its kind up in the
// catalogue, picks the window by the table (for analog inputs through the channel selector, which
// readies the channel first) and runs the registered opener. Context gives Module, Device, Row and
// Parent; the rest is filled here. False when no window opened: no template, a combination without
// a window, a window not part of the program, or an analog input that is not ready.
bool OpenChannelWindow(TChannelWindowContext Context, const TDeviceRegister& Catalogue,
                       const TChannelWindowRegistry& Registry = ChannelWindows());

// The health controller marker of a row: which controller of the template a row of this kind on
// this type code shows (0 the first, 1 the second of a mixed module's discrete part); nothing when
// the row gets no marker.
std::optional<int> HealthControllerFor(quint32 TypeCode, quint8 Kind);
// Property 0 of a template's health controller; nothing when it cannot be told (the template has no
// such controller, or the family that has one is not part of the program). The family that builds
// health controllers assigns it.
using THealthControllerProbe = std::function<std::optional<quint32>(TZUVOModule& Template, int Controller)>;
void SetHealthControllerProbe(THealthControllerProbe Probe);
// True when the row's health controller reports a non-zero state.
bool HealthMarker(TZUVOModule* Template, quint32 TypeCode, quint8 Kind);
