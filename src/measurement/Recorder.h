#pragma once

#include "measurement/AdfFile.h"
#include "measurement/DataStore.h"

#include <QDateTime>

// Writes the blocks of a running experiment into its file, and knows when an automatic start and
// stop are due. A recording starts with an emptied file and writes its header before its first
// block; turning it off closes the file, so what was written stays readable.
class TRecorder {
public:
    explicit TRecorder(TOscDm* Dm) : FDm(Dm) {}

    // Measuring started at Now: the schedule is Now + the start delay for the start, and that plus
    // the duration for the stop (both the time-of-day parts of the experiment's times).
    void Prepare(const QDateTime& Now);
    QDateTime ScheduledStart() const { return FScheduledStart; }
    QDateTime ScheduledStop() const { return FScheduledStop; }

    // Opens the experiment's file from its beginning; false with ErrorText when it cannot.
    bool SetRecording(bool Value);
    bool Recording() const { return FWriter.IsOpen(); }
    // An automatic start is still to come.
    bool StartPending() const { return FStartPending; }

    // The store's full block: the header once per recording, then the samples. A failure stops
    // the recording and returns false with ErrorText; nothing happens while not recording.
    bool BlockFull(const TDataStore& Store);

    // What the one-second check does at Now: start when the automatic start is due, stop when the
    // automatic stop is. True when the recording state changed. A failed start is in ErrorText.
    bool Check(const QDateTime& Now);

    QString ErrorText() const { return FError; }
    // Bytes written by this recording.
    qint64 Written() const { return FWritten; }

    // The seconds of the time-of-day part of a start or stop time.
    static int SecondsOf(const QDateTime& Time);

private:
    TOscDm* FDm;
    TAdfWriter FWriter;
    QDateTime FScheduledStart;
    QDateTime FScheduledStop;
    QString FError;
    qint64 FWritten = 0;
    bool FStartPending = false;
};
