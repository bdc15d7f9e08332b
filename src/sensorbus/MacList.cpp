#include "sensorbus/MacList.h"

#include <QFile>
#include <QSaveFile>

namespace {

int HexDigit(QChar C) {
    const ushort u = C.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

} // namespace

TOneWireMAC TOneWireMAC::FromWords(quint32 Low, quint32 High) {
    TOneWireMAC mac;
    for (int i = 0; i < 4; ++i) {
        mac.FBytes[size_t(i)] = quint8(Low >> (8 * i));
        mac.FBytes[size_t(i + 4)] = quint8(High >> (8 * i));
    }
    return mac;
}

std::optional<TOneWireMAC> TOneWireMAC::Parse(const QString& Text) {
    if (Text.size() != 16)
        return std::nullopt;
    TOneWireMAC mac;
    for (int i = 0; i < 8; ++i) {
        const int hi = HexDigit(Text[2 * i]);
        const int lo = HexDigit(Text[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        mac.FBytes[size_t(i)] = quint8(hi * 16 + lo);
    }
    return mac;
}

QString TOneWireMAC::Text() const {
    QString text;
    for (quint8 b : FBytes)
        text += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return text;
}

quint32 TOneWireMAC::Low() const {
    return quint32(FBytes[0]) | (quint32(FBytes[1]) << 8) | (quint32(FBytes[2]) << 16) |
           (quint32(FBytes[3]) << 24);
}

quint32 TOneWireMAC::High() const {
    return quint32(FBytes[4]) | (quint32(FBytes[5]) << 8) | (quint32(FBytes[6]) << 16) |
           (quint32(FBytes[7]) << 24);
}

TMacReadResult ReadMacText(const QByteArray& Bytes, TMACList& List) {
    TMACList read;
    TMacReadResult result;
    int start = 0;
    int line = 0;
    const int n = int(Bytes.size());
    while (start < n) {
        int end = start;
        while (end < n && Bytes[end] != '\r' && Bytes[end] != '\n')
            ++end;
        const QString text = QString::fromLatin1(Bytes.mid(start, end - start));
        ++line;
        if (text.size() != 16) {
            result.Fault = TMacReadResult::BadLength;
            result.Line = line;
            result.LineText = text;
            return result;
        }
        const auto mac = TOneWireMAC::Parse(text);
        if (!mac) {
            result.Fault = TMacReadResult::BadValue;
            result.Line = line;
            result.LineText = text;
            return result;
        }
        read.push_back(*mac);
        // CR LF is one line end.
        if (end < n && Bytes[end] == '\r' && end + 1 < n && Bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    List = std::move(read);
    return result;
}

TMacReadResult ReadMacFile(const QString& Path, TMACList& List) {
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly)) {
        TMacReadResult result;
        result.Fault = TMacReadResult::ReadError;
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        TMacReadResult result;
        result.Fault = TMacReadResult::ReadError;
        return result;
    }
    return ReadMacText(bytes, List);
}

QByteArray MacText(const TMACList& List) {
    QByteArray text;
    for (const TOneWireMAC& mac : List)
        text += mac.Text().toLatin1() + '\r';
    return text;
}

bool WriteMacFile(const QString& Path, const TMACList& List) {
    QSaveFile file(Path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray text = MacText(List);
    if (file.write(text) != text.size())
        return false;
    return file.commit();
}
