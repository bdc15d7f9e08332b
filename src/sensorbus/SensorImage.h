#pragma once

#include "options/XMLClass.h"

#include <QString>
#include <QtGlobal>
#include <memory>

// A whole sensor picture of a multi-sensor thermometer: every bus with its sensors' identifiers and
// limits, the processor sensor's limits and the device options. Saved and loaded by the options
// serializer (application "VEVA", root "config") as ".tsi" files.

class TSensorItem : public TXMLClass {
    Q_OBJECT
    Q_PROPERTY(QString Serial MEMBER Serial)
    Q_PROPERTY(bool AlarmEnabled MEMBER AlarmEnabled)
    Q_PROPERTY(int AlarmMin MEMBER AlarmMin)
    Q_PROPERTY(int AlarmMax MEMBER AlarmMax)
    Q_PROPERTY(bool RelayEnabled MEMBER RelayEnabled)
    Q_PROPERTY(int RelayMin MEMBER RelayMin)
    Q_PROPERTY(int RelayMax MEMBER RelayMax)
public:
    Q_INVOKABLE explicit TSensorItem(TXMLClass* Owner = nullptr);
    void SetDefaults() override;

    QString Serial;
    bool AlarmEnabled;
    int AlarmMin;
    int AlarmMax;
    bool RelayEnabled;
    int RelayMin;
    int RelayMax;
};

class TSensorList : public TXMLClassList {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TSensorList(TXMLClass* Owner = nullptr);
    TSensorItem* Sensor(int Index) const { return qobject_cast<TSensorItem*>(Items(Index)); }
};

class TBusItem : public TXMLClass {
    Q_OBJECT
    Q_PROPERTY(TSensorList* Sensors READ Sensors CONSTANT)
    Q_PROPERTY(bool PowerActive MEMBER PowerActive)
    Q_PROPERTY(QString Note MEMBER Note)
public:
    Q_INVOKABLE explicit TBusItem(TXMLClass* Owner = nullptr);
    ~TBusItem() override;
    void SetDefaults() override;
    TSensorList* Sensors() const { return FSensors.get(); }

    bool PowerActive;
    QString Note;

private:
    std::unique_ptr<TSensorList> FSensors;
};

class TBusList : public TXMLClassList {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TBusList(TXMLClass* Owner = nullptr);
    TBusItem* Bus(int Index) const { return qobject_cast<TBusItem*>(Items(Index)); }
};

class TAddProperties : public TXMLClass {
    Q_OBJECT
    Q_PROPERTY(quint32 Value MEMBER Value)
    Q_PROPERTY(int TempJumpValue MEMBER TempJumpValue)
    Q_PROPERTY(int ErrorTempValue MEMBER ErrorTempValue)
public:
    Q_INVOKABLE explicit TAddProperties(TXMLClass* Owner = nullptr);
    void SetDefaults() override;

    quint32 Value;
    int TempJumpValue;
    int ErrorTempValue;
};

class TSensorImage : public TXMLClass {
    Q_OBJECT
    Q_PROPERTY(TBusList* Buses READ Buses CONSTANT)
    Q_PROPERTY(TSensorItem* CpuTemp READ CpuTemp CONSTANT)
    Q_PROPERTY(TAddProperties* AddProperties READ AddProperties CONSTANT)
public:
    Q_INVOKABLE explicit TSensorImage(TXMLClass* Owner = nullptr);
    ~TSensorImage() override;
    TBusList* Buses() const { return FBuses.get(); }
    TSensorItem* CpuTemp() const { return FCpuTemp.get(); }
    TAddProperties* AddProperties() const { return FAddProperties.get(); }

private:
    std::unique_ptr<TBusList> FBuses;
    std::unique_ptr<TSensorItem> FCpuTemp;
    std::unique_ptr<TAddProperties> FAddProperties;
};

// Why an image file was refused.
enum class TImageFault {
    None,
    NoFile,       // missing or unreadable
    NotAnImage,   // not XML, another program's file, or a value that does not convert
    TooManyBuses, // more than a device has
    TooManySensors,
    BadSerial, // an identifier that is not 16 hexadecimal digits
    BadValue,  // a limit, the jump or the error temperature out of what the device stores
};
struct TImageCheck {
    TImageFault Fault = TImageFault::None;
    int Bus = -1;    // where the fault is, from 0; -1: not in a bus (or the processor sensor)
    int Sensor = -1; // from 0
    bool Ok() const { return Fault == TImageFault::None; }
};

inline constexpr int kMaxImageBuses = 12;
inline constexpr int kMaxBusSensors = 255;

// Reads Path into Image. On any fault Image keeps what it held before.
TImageCheck LoadSensorImage(const QString& Path, TSensorImage& Image);
// The same checks on a file's text.
TImageCheck LoadSensorImageText(const QByteArray& Bytes, TSensorImage& Image);
// Checks an image in memory as a load does.
TImageCheck CheckSensorImage(const TSensorImage& Image);
// Writes Image to Path; the previous file stays whole when this fails.
bool SaveSensorImage(const QString& Path, const TSensorImage& Image);
