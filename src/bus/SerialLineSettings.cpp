#include "bus/SerialLineSettings.h"

#include "bus/PowerRSBus.h"

void TSerialLineSettings::ApplyTo(TPowerRsBus& Bus) const {
    if (Port != pnCustom)
        Bus.SetPort(Port);
    else
        Bus.SetPortName(PortName);
    // A speed of the bus's table keeps its rate code; any other is taken as it is.
    const TBaudRate rate = BaudRateOfBits(Baud);
    if (rate != brCustom)
        Bus.SetBaudRate(rate);
    else
        Bus.SetBaudRateValue(Baud);
    Bus.SetParity(Parity);
    Bus.SetStopBits(StopBits);
    Bus.SetHwFlow(HwFlow);
    Bus.SetInputTimeout(std::max<quint32>(TimeoutMs, 1));
    Bus.SetLocalEcho(LocalEcho);
}

void TSerialLineSettings::AfterOpen(TPowerRsBus& Bus) const {
    if (RtsLevel == 0 || RtsLevel == 1)
        Bus.SetRTSLevel(RtsLevel);
}
