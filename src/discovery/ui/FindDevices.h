#pragma once

#include "discovery/BusScan.h"
#include "discovery/ui/SearchDialog.h"

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

// "Device detection": the dialog of the serial bus scan.
class TFindDevices : public TSearchDialog {
    Q_OBJECT
public:
    TFindDevices(TNerixModule& Module, TComPortAccessPoint& AP, TPowerRsBus& Bus, QWidget* parent = nullptr);
    ~TFindDevices() override;

    std::function<void()> OnScanStart;
    // Lists a device found; true when it was listed (a device already in the list is not).
    std::function<bool(const TScanHit&)> OnDeviceFound;
    // Tells the traffic monitor which protocol to decode.
    std::function<void(TTransferProtocol)> OnProtocolChange;
    // The protocol the dialog starts with each time it is shown.
    TTransferProtocol DefaultProtocol = tpModbus;

    Q_INVOKABLE void UpdateLanguage();

    // For tests and callers that drive the dialog without showing it.
    void InitState() override;
    TBusScan& Scan() { return *FScan; }
    QComboBox* ProtocolEdit = nullptr;
    QComboBox* ScanMethodEdit = nullptr;
    QComboBox* ParityBox = nullptr;
    QLabel* RateLbl = nullptr;
    QGroupBox* RateFieldEdit = nullptr;
    std::array<QCheckBox*, TRateSet::kCount> RateBoxes{};

public Q_SLOTS:
    void ProtocolEditChange();
    void ScanMethodEditChange();
    void ParityBoxChange();

protected:
    TTransferProtocol ChosenProtocol() const override;
    void RunSearch(int Start, int Stop, TTransferProtocol Protocol, bool FirstOnly) override;
    void SetSearching(bool Searching) override;

private:
    void UpdateEnabling();

    TNerixModule& FModule;
    TPowerRsBus& FBus;
    std::unique_ptr<TBusScan> FScan;
    std::unique_ptr<TRateSet> FRates;
    QLabel* FProtocolLbl = nullptr;
    QLabel* FMethodLbl = nullptr;
    QLabel* FStartLbl = nullptr;
    QLabel* FStopLbl = nullptr;
    QLabel* FAddressCaptionLbl = nullptr;
    QLabel* FRateCaptionLbl = nullptr;
    QLabel* FParityLbl = nullptr;
};
