#include "sensorbus/SensorImage.h"

#include "options/XMLOptionsSerializer.h"
#include "sensorbus/MacList.h"

#include <QFile>

namespace {

const QString kApplication = QStringLiteral("VEVA");
const QString kRoot = QStringLiteral("config");

void Configure(TXMLOptionsSerializer& Serializer, TSensorImage& Image) {
    Serializer.SetApplicationName(kApplication);
    Serializer.SetRootNodeName(kRoot);
    Serializer.SetRootObject(&Image);
}

// Whole degrees; far beyond what any sensor measures, but a number the device's record keeps.
bool LimitFits(int Value) {
    return Value >= -32768 && Value <= 32767;
}

bool SensorFits(const TSensorItem& Sensor) {
    return LimitFits(Sensor.AlarmMin) && LimitFits(Sensor.AlarmMax) && LimitFits(Sensor.RelayMin) &&
           LimitFits(Sensor.RelayMax);
}

} // namespace

TSensorItem::TSensorItem(TXMLClass* Owner) : TXMLClass(Owner) {
    SetDefaults();
}

void TSensorItem::SetDefaults() {
    Serial.clear();
    AlarmEnabled = false;
    AlarmMin = 0;
    AlarmMax = 100;
    RelayEnabled = false;
    RelayMin = 0;
    RelayMax = 100;
}

TSensorList::TSensorList(TXMLClass* Owner) : TXMLClassList(Owner, &TSensorItem::staticMetaObject) {}

TBusItem::TBusItem(TXMLClass* Owner) : TXMLClass(Owner), FSensors(std::make_unique<TSensorList>(this)) {
    SetDefaults();
}

TBusItem::~TBusItem() = default;

void TBusItem::SetDefaults() {
    PowerActive = false;
    Note.clear();
}

TBusList::TBusList(TXMLClass* Owner) : TXMLClassList(Owner, &TBusItem::staticMetaObject) {}

TAddProperties::TAddProperties(TXMLClass* Owner) : TXMLClass(Owner) {
    SetDefaults();
}

void TAddProperties::SetDefaults() {
    Value = 0;
    TempJumpValue = 7;
    ErrorTempValue = 320;
}

TSensorImage::TSensorImage(TXMLClass* Owner)
    : TXMLClass(Owner), FBuses(std::make_unique<TBusList>(this)),
      FCpuTemp(std::make_unique<TSensorItem>(this)), FAddProperties(std::make_unique<TAddProperties>(this)) {}

TSensorImage::~TSensorImage() = default;

TImageCheck CheckSensorImage(const TSensorImage& Image) {
    TImageCheck check;
    const TAddProperties& add = *Image.AddProperties();
    if (add.TempJumpValue < 1 || add.TempJumpValue > 255 || add.ErrorTempValue < -32768 ||
        add.ErrorTempValue > 65535 || !SensorFits(*Image.CpuTemp())) {
        check.Fault = TImageFault::BadValue;
        return check;
    }
    if (Image.Buses()->Count() > kMaxImageBuses) {
        check.Fault = TImageFault::TooManyBuses;
        return check;
    }
    for (int b = 0; b < Image.Buses()->Count(); ++b) {
        const TSensorList& sensors = *Image.Buses()->Bus(b)->Sensors();
        check.Bus = b;
        if (sensors.Count() > kMaxBusSensors) {
            check.Fault = TImageFault::TooManySensors;
            return check;
        }
        for (int s = 0; s < sensors.Count(); ++s) {
            check.Sensor = s;
            const TSensorItem& item = *sensors.Sensor(s);
            if (!TOneWireMAC::Parse(item.Serial)) {
                check.Fault = TImageFault::BadSerial;
                return check;
            }
            if (!SensorFits(item)) {
                check.Fault = TImageFault::BadValue;
                return check;
            }
        }
        check.Sensor = -1;
    }
    return {};
}

TImageCheck LoadSensorImageText(const QByteArray& Bytes, TSensorImage& Image) {
    // Loaded into a scratch image first: a refused file must not cost the user the image in hand.
    TSensorImage loaded;
    TXMLOptionsSerializer serializer;
    Configure(serializer, loaded);
    TImageCheck check;
    if (serializer.LoadText(Bytes) != lrLoaded) {
        check.Fault = TImageFault::NotAnImage;
        return check;
    }
    check = CheckSensorImage(loaded);
    if (check.Ok())
        Image.Assign(&loaded);
    return check;
}

TImageCheck LoadSensorImage(const QString& Path, TSensorImage& Image) {
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly)) {
        TImageCheck check;
        check.Fault = TImageFault::NoFile;
        return check;
    }
    return LoadSensorImageText(file.readAll(), Image);
}

bool SaveSensorImage(const QString& Path, const TSensorImage& Image) {
    TXMLOptionsSerializer serializer;
    Configure(serializer, const_cast<TSensorImage&>(Image));
    serializer.SetXMLFilePath(Path);
    return serializer.Save();
}
