#pragma once

#include "emulator/VirtualChannel.h"
#include "emulator/VirtualInstruments.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QRandomGenerator>
#include <vector>

class QChart;
class QChartView;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QSlider;
class QSpinBox;
class QTimer;
class QDateTimeAxis;
class QValueAxis;
class TVirtualDevice;
class TVirtualDeviceManager;
struct TVirtualInstrumentsLanguage;

// The chart of an instrument: its curves over the last 30 seconds of wall-clock time, the vertical
// axis widening to take in every value added.
class TInstrumentChart : public QWidget {
    Q_OBJECT
public:
    TInstrumentChart(int Curves, QWidget* parent = nullptr);
    void SetCurveName(int Curve, const QString& Name);
    // A point of Curve at NowMs (milliseconds since the epoch); Widen says whether the value
    // widens the vertical axis.
    void Add(int Curve, qint64 NowMs, double Value, bool Widen = true);
    // Drops what falls out of the 30 seconds and redraws.
    void Refresh(qint64 NowMs);
    void Clear();
    int PointCount(int Curve) const { return int(FPoints[size_t(Curve)].size()); }
    const TWideningAxis& Axis() const { return FAxis; }

    QChartView* View = nullptr;

private:
    QChart* FChart = nullptr;
    QDateTimeAxis* FTime = nullptr;
    QValueAxis* FValues = nullptr;
    std::vector<QLineSeries*> FSeries;
    std::vector<std::vector<QPointF>> FPoints;
    TWideningAxis FAxis;
};

// The part the three instruments share: the connection point (the device and channel boxes), the
// stopped state, and a timer that runs while the window shows and a channel is chosen.
class TInstrumentForm : public QDialog {
    Q_OBJECT
public:
    TInstrumentForm(TVirtualDeviceManager& Manager, TVirtualChannelKind Kind, QWidget* parent = nullptr);

    // Fills the device box from the emulated devices, choosing the first one and its first channel.
    void Fill();
    // Chooses Channel in the boxes; false (and the boxes as they were) when it is not offered.
    bool Select(const TCustomVirtualChannel* Channel);
    // The chosen channel; nothing when none is chosen or the devices have been freed since.
    TCustomVirtualChannel* Channel() const;
    // The emulator stopped: the boxes empty, the timer stops and the window says so, until Fill.
    void EmulatorStopped();
    bool Stopped() const { return FStopped; }
    QTimer* Timer() const { return FTimer; }
    Q_INVOKABLE virtual void UpdateLanguage();

    QGroupBox* PointBox = nullptr;
    QComboBox* DeviceBox = nullptr;
    QComboBox* ChannelBox = nullptr;
    // What the window has to say: the emulator stopped, or no device has channels of the kind.
    QLabel* StateLbl = nullptr;

protected:
    // A new channel was chosen (or none): reload what depends on it.
    virtual void ChannelChosen() {}
    virtual void Tick() {}
    QString DeviceText(const TVirtualDevice& Device) const;
    virtual QString PointCaption(const TVirtualInstrumentsLanguage& T) const = 0;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    const TVirtualInstrumentsLanguage& Texts() const;
    TVirtualDeviceManager& FManager;

private:
    void DeviceChosen();
    void ChannelBoxChanged();
    void UpdateTimer();
    void ShowState();
    bool Current() const;

    TVirtualChannelKind FKind;
    QTimer* FTimer = nullptr;
    QLabel* FDeviceLbl = nullptr;
    QLabel* FChannelLbl = nullptr;
    std::vector<TVirtualDevice*> FDevices;
    std::vector<TCustomVirtualChannel*> FChannels;
    quint32 FGeneration = 0;
    bool FStopped = true;
    bool FFilling = false;
};

// "Generator": feeds an emulated analog input every 100 ms with a level (or a sine or ramp up to
// that level) and noise, and plots what it feeds and what the channel makes of it.
class TGeneratorForm : public TInstrumentForm {
    Q_OBJECT
public:
    static constexpr int kTickMs = 100;
    TGeneratorForm(TVirtualDeviceManager& Manager, QWidget* parent = nullptr);
    void UpdateLanguage() override;
    // One tick of the timer, for tests.
    void TimerTimer() { Tick(); }
    const TInstrumentRange& Range() const { return FRange; }
    // The generator's random numbers start again from Seed (tests).
    void Seed(quint32 Value) { FRandom.seed(Value); }

    QSlider* SignalBar = nullptr;
    QSlider* NoiseBar = nullptr;
    QComboBox* WaveBox = nullptr;
    QSpinBox* PeriodEdit = nullptr;
    QLabel* SignalValue = nullptr;
    QLabel* NoiseValue = nullptr;
    TInstrumentChart* Chart = nullptr;

protected:
    void ChannelChosen() override;
    void Tick() override;
    QString PointCaption(const TVirtualInstrumentsLanguage& T) const override;

private:
    QGroupBox* FSignalBox = nullptr;
    QLabel *FSignalBarLbl = nullptr, *FNoiseBarLbl = nullptr, *FWaveLbl = nullptr, *FPeriodLbl = nullptr,
           *FSignalLbl = nullptr, *FNoiseLbl = nullptr;
    TInstrumentRange FRange;
    QRandomGenerator FRandom;
    QElapsedTimer FWaveClock;
};

// "Tester": shows every 200 ms the value a client last wrote to an emulated analog output.
class TTesterForm : public TInstrumentForm {
    Q_OBJECT
public:
    static constexpr int kTickMs = 200;
    TTesterForm(TVirtualDeviceManager& Manager, QWidget* parent = nullptr);
    void UpdateLanguage() override;
    void TimerTimer() { Tick(); }
    const TInstrumentRange& Range() const { return FRange; }

    QLabel* ValueLbl = nullptr;
    TInstrumentChart* Chart = nullptr;

protected:
    void ChannelChosen() override;
    void Tick() override;
    QString PointCaption(const TVirtualInstrumentsLanguage& T) const override;

private:
    QLabel* FValueCaption = nullptr;
    TInstrumentRange FRange;
};

// "Contact": a relay contact and a line break on an emulated discrete input. The contact works the
// other way round from its name: closed (on) it gives the input's "contact opened" state.
class TContactForm : public TInstrumentForm {
    Q_OBJECT
public:
    TContactForm(TVirtualDeviceManager& Manager, QWidget* parent = nullptr);
    void UpdateLanguage() override;

    QPushButton* RelayBtn = nullptr;
    QPushButton* LineBreakBtn = nullptr;

protected:
    void ChannelChosen() override;
    QString PointCaption(const TVirtualInstrumentsLanguage& T) const override;

private:
    void Apply();
    QGroupBox* FRelayBox = nullptr;
    QGroupBox* FLineBox = nullptr;
};

// The three instruments of the program, made on first use and kept while the owner lives. Each opens
// beside whatever window asked for it: when a modal window asks (a channel window), the instrument
// becomes that window's child, so the modal window does not block it.
class TVirtualInstruments : public QObject {
    Q_OBJECT
public:
    TVirtualInstruments(TVirtualDeviceManager& Manager, QWidget* Owner);

    TGeneratorForm* Generator();
    TTesterForm* Tester();
    TContactForm* Contact();
    // The windows made so far (none made is nothing).
    TGeneratorForm* GeneratorIfMade() const { return FGenerator; }
    TTesterForm* TesterIfMade() const { return FTester; }
    TContactForm* ContactIfMade() const { return FContact; }

    // The main window's items: bring the window to the front when it shows, else open it.
    void ShowGenerator() { Open(Generator(), nullptr); }
    void ShowTester() { Open(Tester(), nullptr); }
    void ShowContact() { Open(Contact(), nullptr); }

    // The channel windows, through their hooks: the instrument on the emulated channel that matches a
    // real device's channel (same bus address, same index among the channels of its kind).
    void StartGenerator(int Address, int Index);
    void HideGenerator();
    void ToggleGenerator(int Address, int Index);
    void CloseGenerator();
    void ToggleTester(int Address, int Index);
    void CloseTester();
    void ToggleContact(int Address, int Index);

    // The emulator stopped: every open instrument says so and stops its timer.
    void EmulatorStopped();
    // The emulator started again: the instruments that show take up the new devices.
    void EmulatorStarted();

private:
    // Shows Form on Channel (the first channel when nothing matches), beside the modal window if one runs.
    void Open(TInstrumentForm* Form, const TCustomVirtualChannel* Channel);
    void Toggle(TInstrumentForm* Form, TVirtualChannelKind Kind, int Address, int Index);

    TVirtualDeviceManager& FManager;
    QWidget* FOwner;
    QPointer<TGeneratorForm> FGenerator;
    QPointer<TTesterForm> FTester;
    QPointer<TContactForm> FContact;
};
