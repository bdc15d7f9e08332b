#pragma once

#include "measurement/OscDm.h"

#include <QFile>
#include <QLocale>
#include <QString>
#include <vector>

// The ADC data file: a 6512-byte header (0, the sampling frequency, the channel count and 100
// channel records of a 61-byte length-prefixed label and a channel index), then 12-byte samples
// (a day-count date-time and a float) round-robin over the channels. Little-endian throughout.
inline constexpr int kAdfHeaderSize = 6512;
inline constexpr int kAdfSampleSize = 12;
inline constexpr int kAdfRecordSize = 65;
inline constexpr int kAdfLabelSize = 61;

struct TAdfChannel {
    QString Label;
    qint32 ChannelIndex = 0;
};

struct TAdfHeader {
    quint32 Frequency = 0;
    std::vector<TAdfChannel> Channels;
};

// The header's bytes. Labels are stored as Latin-1; a character outside it becomes "?".
QByteArray EncodeAdfHeader(quint32 Frequency, const TChannelProfileList& Profiles);
QByteArray EncodeAdfHeader(const TAdfHeader& Header);
void AppendAdfSamples(QByteArray& Bytes, const TSample* Samples, int Count);

// Writes one recording: the header once, then block after block. Every block reaches the disk
// before the call returns, so a recording that ends in a failure leaves a readable file.
class TAdfWriter {
public:
    // Creates the file or empties an existing one.
    bool Open(const QString& FileName);
    bool WriteHeader(const TAdfHeader& Header);
    bool WriteHeader(quint32 Frequency, const TChannelProfileList& Profiles);
    bool WriteSamples(const TSample* Samples, int Count);
    void Close();
    bool IsOpen() const { return FFile.isOpen(); }
    bool HeaderWritten() const { return FHeaderWritten; }
    // Why the last call failed.
    QString ErrorText() const { return FError; }

private:
    bool Write(const QByteArray& Bytes);

    QFile FFile;
    bool FHeaderWritten = false;
    QString FError;
};

enum class TAdfLoadResult {
    Ok,
    NotAdf,     // the first word is not 0: ignored without a word
    Invalid,    // a channel count outside 1 .. 100 or no sampling frequency
    Unreadable, // the file cannot be opened or its header is cut short
};

// Reads a file back: the header, then sample after sample.
class TAdfReader {
public:
    TAdfLoadResult Open(const QString& FileName);
    const TAdfHeader& Header() const { return FHeader; }
    // Complete samples in the file after its header.
    qint64 SampleCount() const;
    // The next sample; false at the end (a cut-off last sample is not one).
    bool Next(TSample& Sample);
    void Close() { FFile.close(); }
    // The message for a refused or unreadable file; lines separated by "\n".
    QString ErrorText() const { return FError; }

private:
    QFile FFile;
    TAdfHeader FHeader;
    QString FError;
};

// Parses a header from its bytes; the result says whether and why not.
TAdfLoadResult DecodeAdfHeader(const QByteArray& Bytes, TAdfHeader& Header);

// "Invalid file" and the reason, as the program shows them.
QString AdfInvalidChannelsText();
QString AdfInvalidFrequencyText();

// The loaded file as text: a line per sweep, its first time stamp as the locale's date and the time
// of day, then a tab and each value with seven decimals.
bool ExportAdfText(const QString& AdfName, const QString& TextName, QString& Error,
                   const QLocale& Locale = QLocale::system());
// As CSV: a header row "Time" and the labels, then a row per sweep with an ISO 8601 time and the
// values, "." decimals.
bool ExportAdfCsv(const QString& AdfName, const QString& CsvName, QString& Error);
