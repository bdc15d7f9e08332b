#pragma once

#include <QByteArray>
#include <QString>

// Whole files for tests that hand the program a prepared file or look at what it wrote.

// The file's bytes; empty when it cannot be read (a missing file reads as empty).
QByteArray ReadFileBytes(const QString& Path);
// The file as UTF-8 text.
QString ReadFileText(const QString& Path);
// Replaces the file's contents. A file that cannot be written fails the test with its path; wrap the
// call in ASSERT_NO_FATAL_FAILURE where the test must not go on without it.
void WriteFileBytes(const QString& Path, const QByteArray& Bytes);
