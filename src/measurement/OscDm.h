#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

class QObject;
struct TDeviceProps;

// One chosen channel of an experiment. Lists own their profiles and copy them whole.
struct TChannelProfile {
    static constexpr int kMaxLabel = 60;

    // The found device the channel belongs to; none for a channel read back from a file.
    TDeviceProps* Device = nullptr;
    QString Label;
    qint32 ChannelIndex = 0;
    float Slope = 1.0f;
    float Offset = 0.0f;
    bool Visible = false;
    // Added to the values when they are drawn, never to what is stored.
    float DisplayOffset = 0.0f;
    // The series that draws the channel; the plot owns it.
    QObject* Curve = nullptr;
    // The last value read, unscaled.
    float Value = 0.0f;
    quint32 RangeCode = 0;

    // The bus address of the device; 0 without one.
    quint8 Address() const;
};

// "KVD-AIK-BUS 0x05.1": the device's name, its address and the 1-based channel number, cut to what a
// file's label holds.
QString ProfileLabel(const QString& DeviceName, quint8 Address, int ChannelIndex);

// The chosen channels of an experiment, in display order.
class TChannelProfileList {
public:
    TChannelProfileList() = default;
    TChannelProfileList(const TChannelProfileList& Other) { Assign(Other); }
    TChannelProfileList& operator=(const TChannelProfileList& Other) {
        if (this != &Other)
            Assign(Other);
        return *this;
    }

    int Count() const { return int(FItems.size()); }
    // Nothing out of range.
    TChannelProfile* ProfileAt(int Index) const;
    // A new profile with slope 1 and offset 0, appended.
    TChannelProfile* AddProfile();
    void Delete(int Index);
    void Clear() { FItems.clear(); }
    // The first profile of that device address and channel index.
    TChannelProfile* Find(quint8 Address, int ChannelIndex) const;
    bool Contains(quint8 Address, int ChannelIndex) const { return Find(Address, ChannelIndex) != nullptr; }
    // Copies every profile whole; the curves stay those of the source until the plot makes its own.
    void Assign(const TChannelProfileList& Other);

private:
    std::vector<std::unique_ptr<TChannelProfile>> FItems;
};

// The settings of an experiment, alive for the whole run.
class TOscDm {
public:
    static constexpr quint32 kMinFrequency = 1;
    // The measurer's timer does not tick faster than every 10 ms.
    static constexpr quint32 kMaxFrequency = 100;
    // What a file's header holds.
    static constexpr int kMaxChannels = 100;

    quint32 SamplingFrequency = 2;
    TChannelProfileList ChannelProfiles;
    QString FileName;
    bool StartAtTime = false;
    QDateTime StartTime;
    bool StopAtTime = false;
    QDateTime StopTime;
};

// One reading: when (days since 30 December 1899 in local time, the fraction the time of day) and
// the value.
struct TSample {
    double Time = 0;
    float Value = 0;
};

// Day-count date-times as files store them, in local time.
double DateTimeToDays(const QDateTime& Value);
QDateTime DaysToDateTime(double Days);

class TDevicePropsList;
class TDeviceRegister;

// A channel the experiment can record: every analog input (catalogue kind 9) a found device has.
struct TChannelCandidate {
    TDeviceProps* Device = nullptr;
    int ChannelIndex = 0;
};
std::vector<TChannelCandidate> AnalogInputCandidates(const TDevicePropsList& Devices,
                                                     const TDeviceRegister& Register);
