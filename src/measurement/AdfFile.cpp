#include "measurement/AdfFile.h"

#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cstring>

namespace {

void PutU32(char* At, quint32 Value) {
    qToLittleEndian(Value, At);
}

quint32 GetU32(const char* At) {
    return qFromLittleEndian<quint32>(At);
}

QString Reason(const QString& Line) {
    return QStringLiteral("Invalid file") + QLatin1Char('\n') + Line;
}

} // namespace

QString AdfInvalidChannelsText() {
    return Reason(QStringLiteral("Number of channels must be from 1 to 100"));
}

QString AdfInvalidFrequencyText() {
    return Reason(QStringLiteral("Sampling rate must be at least 1 Hz"));
}

QByteArray EncodeAdfHeader(const TAdfHeader& Header) {
    QByteArray bytes(kAdfHeaderSize, '\0');
    char* d = bytes.data();
    PutU32(d + 4, Header.Frequency);
    const int n = int(std::min<size_t>(Header.Channels.size(), TOscDm::kMaxChannels));
    PutU32(d + 8, quint32(n));
    for (int k = 0; k < n; ++k) {
        char* record = d + 12 + k * kAdfRecordSize;
        const QByteArray label = Header.Channels[size_t(k)].Label.left(kAdfLabelSize - 1).toLatin1();
        record[0] = char(label.size());
        std::memcpy(record + 1, label.constData(), size_t(label.size()));
        PutU32(record + kAdfLabelSize, quint32(Header.Channels[size_t(k)].ChannelIndex));
    }
    return bytes;
}

QByteArray EncodeAdfHeader(quint32 Frequency, const TChannelProfileList& Profiles) {
    TAdfHeader h;
    h.Frequency = Frequency;
    for (int i = 0; i < Profiles.Count(); ++i)
        h.Channels.push_back({Profiles.ProfileAt(i)->Label, Profiles.ProfileAt(i)->ChannelIndex});
    return EncodeAdfHeader(h);
}

void AppendAdfSamples(QByteArray& Bytes, const TSample* Samples, int Count) {
    const qsizetype at = Bytes.size();
    Bytes.resize(at + qsizetype(Count) * kAdfSampleSize);
    char* d = Bytes.data() + at;
    for (int i = 0; i < Count; ++i, d += kAdfSampleSize) {
        qToLittleEndian(std::bit_cast<quint64>(Samples[i].Time), d);
        qToLittleEndian(std::bit_cast<quint32>(Samples[i].Value), d + 8);
    }
}

TAdfLoadResult DecodeAdfHeader(const QByteArray& Bytes, TAdfHeader& Header) {
    Header = {};
    if (Bytes.size() < 12)
        return Bytes.size() >= 4 && GetU32(Bytes.constData()) != 0 ? TAdfLoadResult::NotAdf
                                                                   : TAdfLoadResult::Unreadable;
    const char* d = Bytes.constData();
    if (GetU32(d) != 0)
        return TAdfLoadResult::NotAdf;
    const quint32 n = GetU32(d + 8);
    if (n < 1 || n > quint32(TOscDm::kMaxChannels))
        return TAdfLoadResult::Invalid;
    if (Bytes.size() < kAdfHeaderSize)
        return TAdfLoadResult::Unreadable;
    Header.Frequency = GetU32(d + 4);
    for (quint32 k = 0; k < n; ++k) {
        const char* record = d + 12 + k * kAdfRecordSize;
        const int length = std::min<int>(quint8(record[0]), kAdfLabelSize - 1);
        Header.Channels.push_back(
            {QString::fromLatin1(record + 1, length), qint32(GetU32(record + kAdfLabelSize))});
    }
    // A file without a frequency has no period to plot its samples by. The channels stay in the
    // header, which tells this refusal from that of a bad channel count.
    if (Header.Frequency == 0)
        return TAdfLoadResult::Invalid;
    return TAdfLoadResult::Ok;
}

bool TAdfWriter::Open(const QString& FileName) {
    Close();
    FFile.setFileName(FileName);
    if (!FFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        FError = FFile.errorString();
        return false;
    }
    return true;
}

bool TAdfWriter::Write(const QByteArray& Bytes) {
    if (!FFile.isOpen()) {
        FError = QStringLiteral("File not open");
        return false;
    }
    if (FFile.write(Bytes) != Bytes.size() || !FFile.flush()) {
        FError = FFile.errorString();
        return false;
    }
    return true;
}

bool TAdfWriter::WriteHeader(const TAdfHeader& Header) {
    FHeaderWritten = Write(EncodeAdfHeader(Header));
    return FHeaderWritten;
}

bool TAdfWriter::WriteHeader(quint32 Frequency, const TChannelProfileList& Profiles) {
    FHeaderWritten = Write(EncodeAdfHeader(Frequency, Profiles));
    return FHeaderWritten;
}

bool TAdfWriter::WriteSamples(const TSample* Samples, int Count) {
    QByteArray bytes;
    AppendAdfSamples(bytes, Samples, Count);
    return Write(bytes);
}

void TAdfWriter::Close() {
    if (FFile.isOpen())
        FFile.close();
    FHeaderWritten = false;
}

TAdfLoadResult TAdfReader::Open(const QString& FileName) {
    FFile.close();
    FHeader = {};
    FError.clear();
    FFile.setFileName(FileName);
    if (!FFile.open(QIODevice::ReadOnly)) {
        FError = FFile.errorString();
        return TAdfLoadResult::Unreadable;
    }
    const TAdfLoadResult r = DecodeAdfHeader(FFile.read(kAdfHeaderSize), FHeader);
    switch (r) {
    case TAdfLoadResult::Ok:
        return r;
    case TAdfLoadResult::Invalid:
        FError = FHeader.Channels.empty() ? AdfInvalidChannelsText() : AdfInvalidFrequencyText();
        break;
    case TAdfLoadResult::Unreadable:
        FError = QStringLiteral("The file is shorter than its header");
        break;
    case TAdfLoadResult::NotAdf:
        break;
    }
    FFile.close();
    FHeader = {};
    return r;
}

qint64 TAdfReader::SampleCount() const {
    return FFile.isOpen() ? std::max<qint64>(0, FFile.size() - kAdfHeaderSize) / kAdfSampleSize : 0;
}

bool TAdfReader::Next(TSample& Sample) {
    char d[kAdfSampleSize];
    if (!FFile.isOpen() || FFile.read(d, kAdfSampleSize) != kAdfSampleSize)
        return false;
    Sample.Time = std::bit_cast<double>(qFromLittleEndian<quint64>(d));
    Sample.Value = std::bit_cast<float>(qFromLittleEndian<quint32>(d + 8));
    return true;
}

namespace {

// Runs Line for every complete sweep of the file, writing what it returns; false with Error set.
template <typename THead, typename TLine>
bool Export(const QString& AdfName, const QString& OutName, QString& Error, THead Head, TLine Line) {
    TAdfReader reader;
    switch (reader.Open(AdfName)) {
    case TAdfLoadResult::Ok:
        break;
    case TAdfLoadResult::NotAdf:
        Error = QStringLiteral("Not an ADC data file");
        return false;
    default:
        Error = reader.ErrorText();
        return false;
    }
    QSaveFile out(OutName);
    if (!out.open(QIODevice::WriteOnly)) {
        Error = out.errorString();
        return false;
    }
    const size_t n = reader.Header().Channels.size();
    QByteArray text = Head(reader.Header());
    std::vector<TSample> sweep(n);
    for (;;) {
        size_t got = 0;
        while (got < n && reader.Next(sweep[got]))
            ++got;
        if (got < n)
            break;
        text += Line(sweep);
        if (text.size() > 1 << 16) {
            if (out.write(text) != text.size())
                break;
            text.clear();
        }
    }
    out.write(text);
    if (!out.commit()) {
        Error = out.errorString();
        return false;
    }
    return true;
}

QString CsvField(const QString& Text) {
    if (!Text.contains(QLatin1Char(',')) && !Text.contains(QLatin1Char('"')) &&
        !Text.contains(QLatin1Char('\n')))
        return Text;
    QString quoted = Text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

bool ExportAdfText(const QString& AdfName, const QString& TextName, QString& Error, const QLocale& Locale) {
    const QString dateFormat = Locale.dateFormat(QLocale::ShortFormat);
    return Export(
        AdfName, TextName, Error, [](const TAdfHeader&) { return QByteArray(); },
        [&](const std::vector<TSample>& Sweep) {
            const QDateTime t = DaysToDateTime(Sweep.front().Time);
            QString line = Locale.toString(t.date(), dateFormat) + QLatin1Char(' ') +
                           t.time().toString(QStringLiteral("hh:mm:ss"));
            for (const TSample& s : Sweep)
                line += QLatin1Char('\t') + QString::number(double(s.Value), 'f', 7);
            line += QLatin1Char('\n');
            return line.toUtf8();
        });
}

bool ExportAdfCsv(const QString& AdfName, const QString& CsvName, QString& Error) {
    return Export(
        AdfName, CsvName, Error,
        [](const TAdfHeader& Header) {
            QString line = QStringLiteral("Time");
            for (const TAdfChannel& c : Header.Channels)
                line += QLatin1Char(',') + CsvField(c.Label);
            return (line + QLatin1Char('\n')).toUtf8();
        },
        [](const std::vector<TSample>& Sweep) {
            QString line = DaysToDateTime(Sweep.front().Time).toString(Qt::ISODateWithMs);
            for (const TSample& s : Sweep)
                line += QLatin1Char(',') + QString::number(double(s.Value), 'g', 9);
            line += QLatin1Char('\n');
            return line.toUtf8();
        });
}
