#pragma once

#include <QJsonObject>
#include <QString>
#include <QTextStream>
#include <QtGlobal>

// Where a command's results and complaints go. With --json a command prints one JSON object per
// result on stdout and its errors as JSON objects on stderr; otherwise text, each complaint on stderr
// starting with the program's name.
class TCliIo {
public:
    TCliIo(QTextStream& Out, QTextStream& Err) : FOut(Out), FErr(Err) {}

    QTextStream& Out() { return FOut; }
    QTextStream& Err() { return FErr; }
    bool Json() const { return FJson; }
    void SetJson(bool Value) { FJson = Value; }

    // "dovuvavarovod-cli: Message", or {"error":Message, ...Details} with --json.
    void Fail(const QString& Message, QJsonObject Details = {});
    // One JSON object on one line.
    void PrintJson(const QJsonObject& Object);

private:
    QTextStream& FOut;
    QTextStream& FErr;
    bool FJson = false;
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

inline const QString kProgramName = QStringLiteral("dovuvavarovod-cli");

// "12:01:02.345": the wall-clock time stamp of logs and polled values.
QString TimeStamp();
// "05 00 1A": bytes as the traffic log shows them.
QString HexBytes(const quint8* Data, int Count);
