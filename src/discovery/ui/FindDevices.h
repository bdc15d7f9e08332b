#pragma once

#include "discovery/BusScan.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Device detection": the dialog of the serial bus scan.
class TFindDevices : public QDialog {
    Q_OBJECT
public:
    TFindDevices(TNerixModule& Module, TComPortAccessPoint& AP, TPowerRsBus& Bus, QWidget* parent = nullptr);
    ~TFindDevices() override;

    // Shows the dialog modally in its initial state; true when a device was found by
    // "Search first device" or "By speeds" (the dialog then closed by itself).
    bool Execute();

    std::function<void()> OnScanStart;
    std::function<void(const TScanHit&)> OnDeviceFound;
    // Tells the traffic monitor which protocol to decode.
    std::function<void(TTransferProtocol)> OnProtocolChange;

    Q_INVOKABLE void UpdateLanguage();

    // For tests and callers that drive the dialog without showing it.
    void InitState();
    TBusScan& Scan() { return *FScan; }
    QComboBox* ProtocolEdit = nullptr;
    QComboBox* ScanMethodEdit = nullptr;
    QComboBox* ParityBox = nullptr;
    QLineEdit* StartEdit = nullptr;
    QLineEdit* StopEdit = nullptr;
    QLabel* CurrentAddressLbl = nullptr;
    QLabel* RateLbl = nullptr;
    QGroupBox* RateFieldEdit = nullptr;
    std::array<QCheckBox*, TRateSet::kCount> RateBoxes{};
    QPushButton* StartOneBtn = nullptr;
    QPushButton* StartBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

public Q_SLOTS:
    void ProtocolEditChange();
    void ScanMethodEditChange();
    void ParityBoxChange();
    void StartBtnClick();
    void CloseBtnClick();
    void reject() override;

private:
    void UpdateEnabling();
    void SetScanning(bool scanning);

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
