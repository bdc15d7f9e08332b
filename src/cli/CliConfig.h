#pragma once

#include "cli/CliArgs.h"
#include "cli/CliLine.h"
#include "config/ConfigEngine.h"
#include "model/ZUVOModule.h"

#include <QString>
#include <functional>
#include <memory>

class TCliIo;

// What backup, restore and diff share: the device's model on the command line's line, and the
// progress line on a terminal.
struct TCliConfigDevice {
    std::unique_ptr<TCliLine> Line;
    std::unique_ptr<TZUVOModule> Module;
    std::unique_ptr<TConfigEngine> Engine;
    quint16 Type = 0;
};

// Opens the line, asks the device its type and makes its model; false after telling Io why (the
// exit status in Status).
bool OpenConfigDevice(const TCliOptions& Options, TCliIo& Io, TCliConfigDevice& Device, int& Status);
// "KVD-AIK-BUS (type 0)".
QString CliModelText(quint16 Type);

// Rewrites one line on stderr while a terminal shows it; nothing otherwise.
class TCliProgress {
public:
    TCliProgress(const TCliOptions& Options, TCliIo& Io);
    ~TCliProgress();
    void Show(int Done, int Total, const QString& What);
    void Clear();

private:
    TCliIo& FIo;
    const bool FTerminal;
    int FWidth = 0;
};

// The --in option and its check.
TCliOption InFileOption();
