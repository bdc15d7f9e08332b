#pragma once

#include <QtGlobal>
#include <memory>
#include <vector>

class TAccessPoint;
class TTrafficDlg;
class TXMLProfileLoader;

// Connects the traffic window to what it watches: installs itself as the traffic listener of the
// access points and, while the window's "Capture" is checked, hands every request and answer to the
// window with the time and the monotonic clock of its capture. It owns the device profiles the
// window labels packages with; they are loaded once, when the module is made.
class TTrafficAttachDockDM {
public:
    TTrafficAttachDockDM(TTrafficDlg& Dlg, const std::vector<TAccessPoint*>& AccessPoints);
    // Takes its listener off the access points.
    ~TTrafficAttachDockDM();
    TTrafficAttachDockDM(const TTrafficAttachDockDM&) = delete;
    TTrafficAttachDockDM& operator=(const TTrafficAttachDockDM&) = delete;

    bool Capturing() const { return FCapturing; }
    TXMLProfileLoader& Profiles() { return *FProfiles; }

    // The access points' traffic: a request about to be sent (Received false) or an answer.
    void Traffic(const quint8* Buffer, quint16 Length, bool Received);
    // The emulator's traffic, as its frame observer reports it: Direction 1 a request an outside
    // master sent to the emulated devices, 0 the answer they sent back. Stored as request and answer.
    void EmulatorFrame(int Direction, const quint8* Data, int Length);

    // The monotonic clock in nanoseconds that capture times are taken from.
    static qint64 MonotonicNs();

private:
    TTrafficDlg& FDlg;
    std::vector<TAccessPoint*> FAccessPoints;
    std::unique_ptr<TXMLProfileLoader> FProfiles;
    bool FCapturing = false;
};
