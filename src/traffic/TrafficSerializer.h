#pragma once

#include "traffic/PackageContainer.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <vector>

// The kind of line a capture's port number belongs to. Files written before the kind was kept
// read back as tlUnknown, and the reader guesses from the number.
enum TTrafficLine { tlUnknown, tlCom, tlUdp, tlTcp };

// A saved capture: the port the window showed (and the kind of line it was on), the decoding
// protocol and the packages in store order.
struct TTrafficFile {
    int MasterPort = 0;
    TTrafficLine Line = tlUnknown;
    int Protocol = 0;
    std::vector<TContainerItem> Packages;
};

// Writes File as a "traffic" XML document declared windows-1251, atomically (a temporary file
// renamed into place, so a failed save leaves the previous file as it was).
bool SaveTraffic(const QString& Path, const TTrafficFile& File, QString* Error = nullptr);
// Reads a traffic file. Packages whose "data" is empty, odd, not hexadecimal or too long, or
// whose time stamp cannot be read, are skipped and counted in Skipped; the others are kept. False
// (with Error) when the file cannot be read or is no traffic document.
bool LoadTraffic(const QString& Path, TTrafficFile& File, int* Skipped = nullptr, QString* Error = nullptr);

// The document's bytes, and reading them back (what SaveTraffic and LoadTraffic do with files).
QByteArray TrafficToXml(const TTrafficFile& File);
bool TrafficFromXml(const QByteArray& Xml, TTrafficFile& File, int* Skipped = nullptr,
                    QString* Error = nullptr);

// A time stamp as the file holds it: Locale's short date and time with seconds and milliseconds
// and a four-digit year, in local time whatever the time spec of Time (live captures are in UTC).
QString TrafficTimeText(const QDateTime& Time, const QLocale& Locale = QLocale());
// Reads a time stamp written under Locale, or in ISO 8601, or in the C locale's form; an invalid
// date-time when none fits.
QDateTime ParseTrafficTime(const QString& Text, const QLocale& Locale = QLocale());
