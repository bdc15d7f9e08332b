#pragma once

#include "views/DeviceSettings.h"

#include <functional>

class TAccessPoint;
class TNerixChannel;
class TNerixModule;
class TPowerRsBus;
struct TDeviceProps;

// The device-settings workflow of the main window's "Settings": asks the device for its byte order
// and answer time-out, shows the device properties window, and when the user applied changed bus
// parameters writes them to the device (time-out, byte order, then the bus settings word, all at the
// device's present address) and has the bus searched again, since the device now answers at its new
// address, speed and protocol.
//
// Every exchange goes through Channel, an object 0 accessor of Module (the application's bare
// module). Writes are not checked: the new search shows whether the device took them.
class TDeviceSettingsWorkflow {
public:
    static constexpr int kWritePauseMs = 50;

    TDeviceSettingsWorkflow(TNerixModule& Module, TNerixChannel& Channel, TPowerRsBus& Bus);

    // The device properties window: true when the user pressed "Apply", with the edited values.
    std::function<bool(TDeviceProps& Device, TDeviceParams& Edited)> OnExecute;
    // Shows a message to the user.
    std::function<void(const QString& Text)> OnMessage;
    // Starts a new search of the bus (the main window's "Search devices").
    std::function<void()> OnSearch;
    // How the pauses between writes wait; events keep running unless replaced.
    std::function<void(int Ms)> Pause;

    // The whole workflow for Device, reached through AP. True when new parameters were written (the
    // device entry may be gone afterwards: the new search empties the list).
    bool Run(TDeviceProps& Device, TAccessPoint* AP);

    // The first two steps: byte order (property 160) and answer time-out (property 101) read into
    // the entry. A device marked as having neither (8, -1) is not asked again.
    void AskDevice(TDeviceProps& Device);
    // Writes Edited to the device at its present address: 101 and 160 where the device has them,
    // each followed by a pause, then the bus settings word.
    void WriteParams(const TDeviceProps& Device, const TDeviceParams& Edited);

private:
    void PointAt(const TDeviceProps& Device, TAccessPoint* AP);
    bool OnSerialBus(TAccessPoint* AP) const;
    void Wait(int Ms);

    TNerixModule& FModule;
    TNerixChannel& FChannel;
    TPowerRsBus& FBus;
};
