#include "support/OptionsSnapshot.h"

#include "options/AdminOptions.h"

QStringList OptionsSnapshot(const TAdminOptions& o) {
    const TAccessPointsOptions& ap = *o.AccessPoints();
    const TComPortAPOptions& com = *ap.ComPortAPOptions();
    const TUdpPortAPOptions& udp = *ap.UdpPortAPOptions();
    const TTcpPortAPOptions& tcp = *ap.TcpPortAPOptions();
    const TEmulatorOptions& emu = *o.EmulatorPoints();
    const auto n = [](qint64 v) { return QString::number(v); };
    return {n(o.LanguageID()),   n(o.LiteVersion()),   n(emu.Port()),
            n(emu.RateID()),     n(emu.Protocol()),    n(ap.AccessPointID()),
            n(com.Port()),       n(com.RateID()),      n(com.ParityID()),
            n(com.RTSMode()),    n(com.Timeout()),     n(com.StopBitsID()),
            udp.Host(),          n(udp.RemoutePort()), n(udp.UseLocalPort()),
            n(udp.LocalPort()),  n(udp.Timeout()),     tcp.Host(),
            n(tcp.RemoutePort())};
}
