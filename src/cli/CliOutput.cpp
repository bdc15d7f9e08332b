#include "cli/CliOutput.h"

#include <QDateTime>
#include <QJsonDocument>

void TCliIo::Fail(const QString& Message, QJsonObject Details) {
    if (FJson) {
        Details.insert(QStringLiteral("error"), Message);
        FErr << QJsonDocument(Details).toJson(QJsonDocument::Compact) << Qt::endl;
    } else {
        FErr << kProgramName << ": " << Message << Qt::endl;
    }
}

void TCliIo::PrintJson(const QJsonObject& Object) {
    FOut << QJsonDocument(Object).toJson(QJsonDocument::Compact) << Qt::endl;
}

QString TimeStamp() {
    return QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz"));
}

QString HexBytes(const quint8* Data, int Count) {
    QString text;
    text.reserve(Count * 3);
    for (int i = 0; i < Count; ++i) {
        if (i > 0)
            text += QLatin1Char(' ');
        text += QStringLiteral("%1").arg(Data[i], 2, 16, QLatin1Char('0')).toUpper();
    }
    return text;
}
