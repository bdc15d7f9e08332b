#include "measurement/Recorder.h"

int TRecorder::SecondsOf(const QDateTime& Time) {
    return Time.isValid() ? Time.time().msecsSinceStartOfDay() / 1000 : 0;
}

void TRecorder::Prepare(const QDateTime& Now) {
    FScheduledStart = Now.addSecs(SecondsOf(FDm->StartTime));
    FScheduledStop = FScheduledStart.addSecs(SecondsOf(FDm->StopTime));
    FStartPending = FDm->StartAtTime;
}

bool TRecorder::SetRecording(bool Value) {
    FError.clear();
    if (!Value) {
        // Turning off also ends the wait for an automatic start.
        FStartPending = false;
        FWriter.Close();
        return true;
    }
    if (FWriter.IsOpen())
        return true;
    FWritten = 0;
    if (!FWriter.Open(FDm->FileName)) {
        FError = FWriter.ErrorText();
        return false;
    }
    return true;
}

bool TRecorder::BlockFull(const TDataStore& Store) {
    if (!FWriter.IsOpen())
        return true;
    if (!FWriter.HeaderWritten()) {
        if (!FWriter.WriteHeader(FDm->SamplingFrequency, FDm->ChannelProfiles)) {
            FError = FWriter.ErrorText();
            FWriter.Close();
            return false;
        }
        FWritten += kAdfHeaderSize;
    }
    if (!FWriter.WriteSamples(Store.Data(), Store.Count())) {
        FError = FWriter.ErrorText();
        FWriter.Close();
        return false;
    }
    FWritten += qint64(Store.Count()) * kAdfSampleSize;
    return true;
}

bool TRecorder::Check(const QDateTime& Now) {
    if (!Recording() && FStartPending && Now >= FScheduledStart) {
        FStartPending = false;
        SetRecording(true);
        return Recording();
    }
    if (Recording() && FDm->StopAtTime && FScheduledStop.isValid() && Now >= FScheduledStop) {
        SetRecording(false);
        return true;
    }
    return false;
}
