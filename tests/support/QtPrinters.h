#pragma once

// Readable failure messages for Qt values in every test (included by the build into each test file).
#include <QByteArray>
#include <QString>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << "\"" << b.toHex(' ').toStdString() << "\"";
}
