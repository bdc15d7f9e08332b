#include "support/TestFiles.h"

#include <QFile>
#include <gtest/gtest.h>

QByteArray ReadFileBytes(const QString& Path) {
    QFile file(Path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString ReadFileText(const QString& Path) {
    return QString::fromUtf8(ReadFileBytes(Path));
}

void WriteFileBytes(const QString& Path, const QByteArray& Bytes) {
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        << Path.toStdString() << ": " << file.errorString().toStdString();
    ASSERT_EQ(file.write(Bytes), Bytes.size()) << Path.toStdString();
}
