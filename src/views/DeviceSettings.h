#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

struct TDeviceProps;
class TDevicePropsList;

// A device's bus parameters as the device properties window edits them: the seven values that
// system properties 3, 101 and 160 hold.
struct TDeviceParams {
    int Address = 0;
    int BaudCode = 0;  // the bus's TBaudRate ordinal, 4 = 1200 .. 20 = 921600 bit/s
    int Protocol = 0;  // TTransferProtocol
    int Parity = 0;    // TParity ordinal
    int Timeout = 0;   // answer time-out code; -1: the device has none
    int StopBits = 0;  // TStopBits ordinal
    int ByteOrder = 8; // TByteOrder; 8 (boNAN): the device has none
    bool operator==(const TDeviceParams&) const = default;
};

// What the window's lists offer.
inline constexpr int kFirstBaudCode = 4;   // br1200
inline constexpr int kBaudCodeCount = 17;  // br1200 .. br921600
inline constexpr int kProtocolChoices = 2; // Nerix, Modbus RTU
inline constexpr int kMaxTimeoutCode = 50;
inline constexpr int kByteOrderChoices = 8; // bo3210x10 .. bo2301x01
// TDeviceProps::TimeoutCode of a device without the answer time-out setting.
inline constexpr quint32 kNoTimeoutCode = 0xFFFFFFFF;

// The seven values of a device entry.
TDeviceParams DeviceParamsOf(const TDeviceProps& Device);

// The entry each list shows for a device; -1 where the list has no entry for its value (a device
// speaking an ASCII protocol, a time-out the device does not have, no byte order). Address holds
// the address itself.
struct TParamsSelection {
    int Address = -1;
    int Rate = -1;
    int Protocol = -1;
    int Parity = -1;
    int Timeout = -1;
    int StopBits = -1;
    int ByteOrder = -1;
};
TParamsSelection SelectionOf(const TDeviceProps& Device);

// The values the lists stand for. A list without a selected entry stands for the device's own value:
// its -1 must never reach the device as a property value.
TDeviceParams EditedParams(const TDeviceProps& Device, const TParamsSelection& Selection);

// The addresses a device may be given: 1 .. 255 (0 .. 255 for a device that speaks an ASCII
// protocol), without the addresses of the other found devices; its own address is always offered.
std::vector<quint8> AddressChoices(const TDeviceProps& Device, const TDevicePropsList& Devices);
// The address an entry of the address list stands for: "0x05 (5)" gives 5; -1 for other text.
int AddressOfEntry(const QString& Text);

// Whether the edited values differ from what the device has.
bool ParamsChanged(const TDeviceParams& Edited, const TDeviceProps& Device);
// Settings not yet applied cannot be saved, and Lite mode saves nothing.
bool SaveToFlashAllowed(const TDeviceParams& Edited, const TDeviceProps& Device, bool Lite);

// The bus settings word to write: address, baud-rate code minus 1, protocol, parity and stop bits in
// bits 0-7, 8-15, 16-23, 24-27 and 28-31. A device whose raw word the search kept (behind a UDP
// gateway) keeps its own bits for every field that was not changed.
quint32 BusSettingsWordFor(const TDeviceParams& Edited, const TDeviceProps& Device);

// What closing the window does first.
enum class TCloseOutcome {
    Close,
    NotSavedMessage, // "Parameters not saved", then close
    AskToSave,       // "Save settings to Flash?"; a failed save keeps the window open
};
TCloseOutcome CloseOutcomeFor(bool Applied, bool ParamsChanged, bool Modified, bool Lite);

// The message shown after new bus parameters were written.
QString RescanMessage(quint8 LanguageID);

// The texts of the fixed lists.
QString RateEntryText(int Index);      // "br1200" ..
QString ParityEntryText(int Index);    // "ptNone" ..
QString ByteOrderEntryText(int Index); // "3210/10" ..
