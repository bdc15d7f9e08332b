#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

class TAdminOptions;
class TPtyCable;
class TVirtualDeviceManager;

// The demo bus: an emulated bus of one module of each emulator row (addresses 1 to 10, Nerix and Modbus RTU)
// at the far end of a null-modem cable of pseudo-terminals, so the program can be tried without hardware. Its
// ports folder and its Options.xml live in a temporary folder of its own: the user's own settings and ports
// are never touched.
class TDemoBus {
public:
    TDemoBus();
    ~TDemoBus();
    TDemoBus(const TDemoBus&) = delete;
    TDemoBus& operator=(const TDemoBus&) = delete;

    // False, with Error, when the pseudo-terminals or the emulator could not be set up.
    bool Start(TVirtualDeviceManager& Manager);
    QString Error() const { return FError; }
    // Where the demo's Options.xml lives.
    QString Folder() const { return FFolder.path(); }
    // Points the serial connection at the demo's line: COM1, 9600 bit/s.
    static void Configure(TAdminOptions& Options);

private:
    QTemporaryDir FFolder;
    QByteArray FSavedPorts;
    std::unique_ptr<TPtyCable> FCable;
    QString FError;
};
