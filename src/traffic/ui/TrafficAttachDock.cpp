#include "traffic/ui/TrafficAttachDock.h"

#include "bus/AccessPoint.h"
#include "profiles/XMLProfileLoader.h"
#include "traffic/ui/TrafficUnit.h"

#include <QDateTime>
#include <algorithm>
#include <chrono>
#include <limits>

TTrafficAttachDockDM::TTrafficAttachDockDM(TTrafficDlg& Dlg, const std::vector<TAccessPoint*>& AccessPoints)
    : FDlg(Dlg), FAccessPoints(AccessPoints), FProfiles(std::make_unique<TXMLProfileLoader>()) {
    // A profile that cannot be read is skipped by the loader; the others still label packages.
    FProfiles->SetFolder(TXMLProfileLoader::DefaultFolder());
    FProfiles->LoadAll();
    FDlg.SetProfiles(&FProfiles->Devices());
    FDlg.OnStartCapture = [this] { FCapturing = true; };
    FDlg.OnStopCapture = [this] { FCapturing = false; };
    for (TAccessPoint* ap : FAccessPoints)
        if (ap)
            ap->OnTraffic = [this](const quint8* Buffer, quint16 Length, bool Received) {
                Traffic(Buffer, Length, Received);
            };
}

TTrafficAttachDockDM::~TTrafficAttachDockDM() {
    for (TAccessPoint* ap : FAccessPoints)
        if (ap)
            ap->OnTraffic = nullptr;
    FDlg.OnStartCapture = nullptr;
    FDlg.OnStopCapture = nullptr;
    FDlg.SetProfiles(nullptr);
}

qint64 TTrafficAttachDockDM::MonotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void TTrafficAttachDockDM::Traffic(const quint8* Buffer, quint16 Length, bool Received) {
    if (!FCapturing || !Buffer)
        return;
    // The clock first: the response time is the line's, not the window's. The wall clock in UTC,
    // which is a plain clock reading; local time would look up the time zone for every package.
    const qint64 ticks = MonotonicNs();
    FDlg.AddPackage(Received ? 1 : 0, Buffer, Length, QDateTime::currentDateTimeUtc(), ticks);
}

void TTrafficAttachDockDM::EmulatorFrame(int Direction, const quint8* Data, int Length) {
    if (!FCapturing || !Data || Length <= 0)
        return;
    const qint64 ticks = MonotonicNs();
    const auto length = quint16(std::min(Length, int(std::numeric_limits<quint16>::max())));
    FDlg.AddPackage(Direction == 1 ? 0 : 1, Data, length, QDateTime::currentDateTimeUtc(), ticks);
}
